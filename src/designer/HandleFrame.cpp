#include "designer/HandleFrame.h"

HandleFrame::HandleFrame(QWidget *control, const HandleSettings &settings)
    : SelectionMarker(control), m_settings(settings)
{
}

HandleFrame::~HandleFrame()
{
    for (const QPointer<ResizeHandle> &handle : std::as_const(m_handles))
        delete handle.data();
}

void HandleFrame::createHandles()
{
    addHandle(HandlePlace::BottomRight);
    addHandle(HandlePlace::TopRight);
    addHandle(HandlePlace::TopLeft);
    addHandle(HandlePlace::BottomLeft);
}

QList<ResizeHandle *> HandleFrame::handles() const
{
    QList<ResizeHandle *> result;
    for (const QPointer<ResizeHandle> &handle : m_handles) {
        if (handle)
            result.append(handle);
    }
    return result;
}

void HandleFrame::reposition()
{
    for (ResizeHandle *handle : handles()) {
        handle->setControl(control());
        handle->raise();
    }
}

void HandleFrame::setInactive()
{
    for (ResizeHandle *handle : handles())
        handle->setActive(false);
}

void HandleFrame::forgetControl()
{
    SelectionMarker::forgetControl();
    for (ResizeHandle *handle : handles())
        handle->forgetControl();
}
