#include "designer/HandleFrame.h"

HandleFrame::HandleFrame(QWidget *control, const HandleSettings &settings)
    : SelectionMarker(control), m_settings(settings)
{
    // Made in this order, the edge-middle handles lie above the corners.
    for (HandlePlace place :
         {HandlePlace::BottomRight, HandlePlace::TopRight, HandlePlace::TopLeft,
          HandlePlace::BottomLeft, HandlePlace::TopMiddle, HandlePlace::BottomMiddle,
          HandlePlace::MiddleRight, HandlePlace::MiddleLeft})
        addHandle(place);
}

HandleFrame::~HandleFrame()
{
    for (const QPointer<ResizeHandle> &handle : std::as_const(m_handles))
        delete handle.data();
}

void HandleFrame::addHandle(HandlePlace place)
{
    auto *handle = new ResizeHandle(place, this, control(), m_settings);
    m_handles.append(handle);
    handle->setControl(control());
    handle->show();
    handle->raise();
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

void HandleFrame::forgetControl()
{
    SelectionMarker::forgetControl();
    for (ResizeHandle *handle : handles())
        handle->forgetControl();
}
