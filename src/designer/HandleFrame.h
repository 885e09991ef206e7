#pragma once

#include "designer/ResizeHandle.h"
#include "designer/SelectionMarker.h"

#include <QList>
#include <QPointer>
#include <QRect>

// The eight handles of the one selected control, on its corners and edge
// middles; the set remembers the control's bounds at the last handle press.
class HandleFrame : public SelectionMarker
{
public:
    HandleFrame(QWidget *control, const HandleSettings &settings);
    ~HandleFrame() override;

    void reposition() override;
    void forgetControl() override;
    bool hasHandleWindows() const override { return true; }

    QRect storedBounds() const { return m_bounds; }
    void storeBounds(const QRect &bounds) { m_bounds = bounds; }
    QList<ResizeHandle *> handles() const;

private:
    void addHandle(HandlePlace place);

    HandleSettings m_settings;
    QList<QPointer<ResizeHandle>> m_handles;
    QRect m_bounds;
};
