#pragma once

#include "designer/ResizeHandle.h"
#include "designer/SelectionMarker.h"

#include <QList>
#include <QPointer>
#include <QRect>

// Four corner handles; the set remembers the control's bounds at the last
// handle press.
class HandleFrame : public SelectionMarker
{
public:
    HandleFrame(QWidget *control, const HandleSettings &settings);
    ~HandleFrame() override;

    // Made by the manager right after construction.
    virtual void createHandles();
    void reposition() override;
    void setInactive() override;
    void forgetControl() override;
    bool hasHandleWindows() const override { return true; }

    QRect storedBounds() const { return m_bounds; }
    void storeBounds(const QRect &bounds) { m_bounds = bounds; }
    QList<ResizeHandle *> handles() const;

protected:
    void addHandle(HandlePlace place)
    {
        auto *handle = new ResizeHandle(place, this, control(), m_settings);
        m_handles.append(handle);
        handle->setActive(true);
        handle->setControl(control());
        handle->show();
        handle->raise();
    }

private:
    HandleSettings m_settings;
    QList<QPointer<ResizeHandle>> m_handles;
    QRect m_bounds;
};
