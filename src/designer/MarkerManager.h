#pragma once

#include "designer/ResizeHandle.h"
#include "designer/SelectionList.h"
#include "designer/SelectionMarker.h"

#include <QSet>

#include <memory>
#include <vector>

class QWidget;

// The handle manager: a selection receiver that gives one selected control
// eight handles and each of several selected controls grey corner marks.
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

private:
    std::unique_ptr<SelectionMarker> createHandles(QWidget *control) const;
    // Whether control gets no set: none, a handle, or already has one.
    bool ignores(const QWidget *control) const;
    // Tells the control's window, so that its covers repaint the marks.
    static void announceAdded(QWidget *control);

    HandleSettings m_settings;
    std::vector<std::unique_ptr<SelectionMarker>> m_sets;
    // The controls of the sets, so that selecting thousands stays linear.
    QSet<const QWidget *> m_marked;
};
