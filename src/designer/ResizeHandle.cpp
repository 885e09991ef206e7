#include "designer/ResizeHandle.h"

#include "designer/DesignControls.h"
#include "designer/DesignMessages.h"
#include "designer/HandleFrame.h"
#include "designer/Outline.h"
#include "designer/OutlineOverlay.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

int snap(int value, int step)
{
    return step > 0 ? step * (value / step) : value;
}

} // namespace

ResizeHandle::ResizeHandle(HandlePlace place, HandleFrame *set, QWidget *control,
                           const HandleSettings &settings)
    : QWidget(control->parentWidget()),
      m_place(place),
      m_set(set),
      m_control(control),
      m_settings(settings)
{
    resize(m_settings.size, m_settings.size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setCursor(cursorShape());
}

ResizeHandle::~ResizeHandle() = default;

void ResizeHandle::setControl(QWidget *control)
{
    if (!control)
        return;
    const QRect b = control->geometry();
    const int s = m_settings.size;
    const int left = b.x() - 2;
    const int middle = b.x() + b.width() / 2 - s / 2;
    const int right = b.x() + b.width() - s + 2;
    const int top = b.y() - 2;
    const int centre = b.y() + b.height() / 2 - s / 2;
    const int bottom = b.y() + b.height() - s + 2;
    switch (m_place) {
    case HandlePlace::TopLeft:
        move(left, top);
        break;
    case HandlePlace::TopRight:
        move(right, top);
        break;
    case HandlePlace::BottomRight:
        move(right, bottom);
        break;
    case HandlePlace::BottomLeft:
        move(left, bottom);
        break;
    case HandlePlace::TopMiddle:
        move(middle, top);
        break;
    case HandlePlace::BottomMiddle:
        move(middle, bottom);
        break;
    case HandlePlace::MiddleRight:
        move(right, centre);
        break;
    case HandlePlace::MiddleLeft:
        move(left, centre);
        break;
    }
}

int ResizeHandle::edges() const
{
    switch (m_place) {
    case HandlePlace::TopLeft:
        return LeftEdge | TopEdge;
    case HandlePlace::TopRight:
        return RightEdge | TopEdge;
    case HandlePlace::BottomRight:
        return RightEdge | BottomEdge;
    case HandlePlace::BottomLeft:
        return LeftEdge | BottomEdge;
    case HandlePlace::TopMiddle:
        return TopEdge;
    case HandlePlace::BottomMiddle:
        return BottomEdge;
    case HandlePlace::MiddleRight:
        return RightEdge;
    case HandlePlace::MiddleLeft:
        return LeftEdge;
    }
    return 0;
}

Qt::CursorShape ResizeHandle::cursorShape() const
{
    switch (m_place) {
    case HandlePlace::TopLeft:
    case HandlePlace::BottomRight:
        return Qt::SizeFDiagCursor;
    case HandlePlace::TopRight:
    case HandlePlace::BottomLeft:
        return Qt::SizeBDiagCursor;
    case HandlePlace::TopMiddle:
    case HandlePlace::BottomMiddle:
        return Qt::SizeVerCursor;
    case HandlePlace::MiddleRight:
    case HandlePlace::MiddleLeft:
        return Qt::SizeHorCursor;
    }
    return Qt::ArrowCursor;
}

void ResizeHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_settings.color);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QPoint ResizeHandle::snapped(const QPoint &position) const
{
    return {snap(position.x(), m_settings.stepX), snap(position.y(), m_settings.stepY)};
}

void ResizeHandle::mousePressEvent(QMouseEvent *event)
{
    // Taken in any case, so that the press never reaches the control
    // beneath as a press of its own.
    event->accept();
    if (!m_control || event->button() != Qt::LeftButton)
        return;
    m_set->storeBounds(m_control->geometry());
    m_grab = snapped(event->position().toPoint());
    createShape();
    m_shape->clipTo(m_control->parentWidget());
    DesignMessageEvent pressed(DesignMessage::HandlePressed, m_control);
    if (QWidget *window = DesignMessage::windowOf(m_control))
        QCoreApplication::sendEvent(window, &pressed);
}

void ResizeHandle::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void ResizeHandle::createShape()
{
    m_shape = std::make_unique<OutlineGroup>(m_settings.overlay.data(), m_settings.outlineColor,
                                             m_settings.outlinePenWidth);
    m_shape->setOrigin(mapToGlobal(QPoint(0, 0)));
    m_shape->addOutline(m_control);
}

void ResizeHandle::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_shape || !m_control)
        return;
    drawOutline(resizedBounds(PointerClip::clampLocal(this, event->position().toPoint())));
}

void ResizeHandle::drawOutline(const QRect &bounds)
{
    const QWidget *parent = m_control->parentWidget();
    const QPoint topLeft = parent ? parent->mapToGlobal(bounds.topLeft()) : bounds.topLeft();
    m_shape->setOutlineRect(QRect(topLeft, bounds.size()));
    m_shape->moveTo(m_shape->origin());
}

QRect ResizeHandle::resizedBounds(const QPoint &position) const
{
    const QPoint d = snapped(position) - m_grab;
    const QRect old = m_set->storedBounds();
    const int edge = edges();
    int left = old.x() + (edge & LeftEdge ? d.x() : 0);
    int right = old.x() + old.width() + (edge & RightEdge ? d.x() : 0);
    int top = old.y() + (edge & TopEdge ? d.y() : 0);
    int bottom = old.y() + old.height() + (edge & BottomEdge ? d.y() : 0);
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    return QRect(left, top, right - left, bottom - top);
}

void ResizeHandle::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_shape || event->button() != Qt::LeftButton)
        return;
    endDrag(PointerClip::clampLocal(this, event->position().toPoint()));
}

void ResizeHandle::endDrag(const QPoint &position)
{
    std::unique_ptr<OutlineGroup> shape = std::move(m_shape);
    if (!m_control)
        return;
    const QRect old = m_set->storedBounds();
    const QRect bounds = resizedBounds(position);
    DesignControls::setBounds(m_control, bounds);
    shape.reset();
    QPointer<ResizeHandle> self(this);
    DesignMessageEvent released(DesignMessage::HandleReleased, m_control, old);
    if (QWidget *window = DesignMessage::windowOf(m_control))
        QCoreApplication::sendEvent(window, &released);
    if (!self || !m_control)
        return;
    m_set->reposition();
    m_set->storeBounds(m_control->geometry());
}
