#pragma once

#include "designer/ResizeHandle.h"
#include "designer/SelectionList.h"
#include "designer/SelectionMarker.h"

#include <memory>
#include <vector>

class QWidget;

// The handle manager: a selection receiver that gives each selected
// control a handle set. Several selected controls get inactive grey sets.
class MarkerManager : public SelectionReceiver
{
public:
    explicit MarkerManager(const HandleSettings &settings = {});
    ~MarkerManager() override;

    void setSettings(const HandleSettings &settings) { m_settings = settings; }
    const HandleSettings &settings() const { return m_settings; }

    void forgetTarget(int index) override;
    void addTarget(QWidget *control) override;
    void clearTargets() override;
    void removeTarget(int index) override;
    void refreshTargets() override;

    int count() const { return int(m_sets.size()); }
    SelectionMarker *set(int index) const;

protected:
    virtual std::unique_ptr<SelectionMarker> createMarker(QWidget *control);
    // Whether control gets no set: none, a handle, or already has one.
    bool ignores(const QWidget *control) const;
    void appendSet(std::unique_ptr<SelectionMarker> set) { m_sets.push_back(std::move(set)); }
    void replaceSet(int index, std::unique_ptr<SelectionMarker> set);
    static void announceAdded(QWidget *control, bool withPayload);

private:
    HandleSettings m_settings;
    std::vector<std::unique_ptr<SelectionMarker>> m_sets;
};
