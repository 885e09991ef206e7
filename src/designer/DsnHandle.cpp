#include "designer/DsnHandle.h"

#include "designer/DsnControls.h"
#include "designer/DsnMessages.h"
#include "designer/DsnOverlay.h"
#include "designer/DsnShape.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

int snap(int value, int step)
{
    return step > 0 ? step * (value / step) : value;
}

} // namespace

TSmallRect::TSmallRect(THandlePlace place, THandlerRect *set, QWidget *control,
                       const THandleSettings &settings)
    : QWidget(control->parentWidget()), m_place(place), m_set(set), m_control(control),
      m_settings(settings)
{
    resize(m_settings.size, m_settings.size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

TSmallRect::~TSmallRect() = default;

void TSmallRect::setActive(bool active)
{
    m_active = active;
    if (active)
        setCursor(activeCursor());
    else
        unsetCursor();
    update();
}

void TSmallRect::SetControl(QWidget *control)
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
    case THandlePlace::TopLeft: move(left, top); break;
    case THandlePlace::TopRight: move(right, top); break;
    case THandlePlace::BottomRight: move(right, bottom); break;
    case THandlePlace::BottomLeft: move(left, bottom); break;
    case THandlePlace::TopMiddle: move(middle, top); break;
    case THandlePlace::BottomMiddle: move(middle, bottom); break;
    case THandlePlace::MiddleRight: move(right, centre); break;
    case THandlePlace::MiddleLeft: move(left, centre); break;
    }
}

int TSmallRect::edges() const
{
    switch (m_place) {
    case THandlePlace::TopLeft: return LeftEdge | TopEdge;
    case THandlePlace::TopRight: return RightEdge | TopEdge;
    case THandlePlace::BottomRight: return RightEdge | BottomEdge;
    case THandlePlace::BottomLeft: return LeftEdge | BottomEdge;
    case THandlePlace::TopMiddle: return TopEdge;
    case THandlePlace::BottomMiddle: return BottomEdge;
    case THandlePlace::MiddleRight: return RightEdge;
    case THandlePlace::MiddleLeft: return LeftEdge;
    }
    return 0;
}

Qt::CursorShape TSmallRect::activeCursor() const
{
    switch (m_place) {
    case THandlePlace::TopLeft:
    case THandlePlace::BottomRight: return Qt::SizeFDiagCursor;
    case THandlePlace::TopRight:
    case THandlePlace::BottomLeft: return Qt::SizeBDiagCursor;
    case THandlePlace::TopMiddle:
    case THandlePlace::BottomMiddle: return Qt::SizeVerCursor;
    case THandlePlace::MiddleRight:
    case THandlePlace::MiddleLeft: return Qt::SizeHorCursor;
    }
    return Qt::ArrowCursor;
}

void TSmallRect::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_active ? m_settings.activeColor : m_settings.inactiveColor);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QPoint TSmallRect::snapped(const QPoint &position) const
{
    return {snap(position.x(), m_settings.stepX), snap(position.y(), m_settings.stepY)};
}

void TSmallRect::mousePressEvent(QMouseEvent *event)
{
    // Taken even when inactive, so that the press never reaches the
    // control beneath as a press of its own.
    event->accept();
    if (!m_active || !m_control || event->button() != Qt::LeftButton)
        return;
    m_set->storeBounds(m_control->geometry());
    m_grab = snapped(event->position().toPoint());
    CreateShape();
    m_shape->ClipTo(m_control->parentWidget());
    TDsnMessageEvent pressed(DsnMessage::HandlePressed, m_control);
    if (QWidget *window = DsnMessage::windowOf(m_control))
        QCoreApplication::sendEvent(window, &pressed);
}

void TSmallRect::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void TSmallRect::CreateShape()
{
    m_shape = std::make_unique<TMultiShape>(m_settings.overlay.data(), m_settings.outlineColor,
                                            m_settings.outlinePenWidth);
    m_shape->setOrigin(mapToGlobal(QPoint(0, 0)));
    m_shape->AddOutline(m_control);
}

void TSmallRect::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_active)
        return;
    setCursor(activeCursor());
    if (!m_shape || !m_control)
        return;
    drawOutline(resizedBounds(TPointerClip::clampLocal(this, event->position().toPoint())));
}

void TSmallRect::drawOutline(const QRect &bounds)
{
    const QWidget *parent = m_control->parentWidget();
    const QPoint topLeft = parent ? parent->mapToGlobal(bounds.topLeft()) : bounds.topLeft();
    m_shape->SetOutlineRect(QRect(topLeft, bounds.size()));
    m_shape->MoveTo(m_shape->origin());
}

QRect TSmallRect::resizedBounds(const QPoint &position) const
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

void TSmallRect::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_active || !m_shape || event->button() != Qt::LeftButton)
        return;
    endDrag(TPointerClip::clampLocal(this, event->position().toPoint()));
}

void TSmallRect::endDrag(const QPoint &position)
{
    std::unique_ptr<TMultiShape> shape = std::move(m_shape);
    if (!m_control)
        return;
    const QRect old = m_set->storedBounds();
    const QRect bounds = resizedBounds(position);
    DsnControls::setBounds(m_control, bounds);
    shape.reset();
    QPointer<TSmallRect> self(this);
    TDsnMessageEvent released(DsnMessage::HandleReleased, m_control, old);
    if (QWidget *window = DsnMessage::windowOf(m_control))
        QCoreApplication::sendEvent(window, &released);
    if (!self || !m_control)
        return;
    m_set->Reposition();
    m_set->storeBounds(m_control->geometry());
}

THandlerRect::THandlerRect(QWidget *control, const THandleSettings &settings)
    : THandlerSet(control), m_settings(settings)
{
}

THandlerRect::~THandlerRect()
{
    for (const QPointer<TSmallRect> &handle : std::as_const(m_handles))
        delete handle.data();
}

void THandlerRect::CreateHandles()
{
    addHandle<TMigishitaRect>();
    addHandle<TMigiueRect>();
    addHandle<THidariueRect>();
    addHandle<THidarishitaRect>();
}

QList<TSmallRect *> THandlerRect::handles() const
{
    QList<TSmallRect *> result;
    for (const QPointer<TSmallRect> &handle : m_handles) {
        if (handle)
            result.append(handle);
    }
    return result;
}

void THandlerRect::Reposition()
{
    for (TSmallRect *handle : handles()) {
        handle->SetControl(control());
        handle->raise();
    }
}

void THandlerRect::SetInactive()
{
    for (TSmallRect *handle : handles())
        handle->setActive(false);
}

void THandlerRect::forgetControl()
{
    THandlerSet::forgetControl();
    for (TSmallRect *handle : handles())
        handle->forgetControl();
}

TMultiHandler::TMultiHandler(const THandleSettings &settings) : m_settings(settings) {}

TMultiHandler::~TMultiHandler() = default;

THandlerSet *TMultiHandler::set(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_sets[size_t(index)].get();
}

bool TMultiHandler::ignores(const QWidget *control) const
{
    if (!control || !control->parentWidget() || qobject_cast<const TSmallRect *>(control))
        return true;
    for (const auto &set : m_sets) {
        if (set->control() == control)
            return true;
    }
    return false;
}

std::unique_ptr<THandlerSet> TMultiHandler::CreateHandleSet(QWidget *control)
{
    auto set = std::make_unique<THandlerRect>(control, m_settings);
    set->CreateHandles();
    return set;
}

void TMultiHandler::replaceSet(int index, std::unique_ptr<THandlerSet> set)
{
    m_sets[size_t(index)] = std::move(set);
}

void TMultiHandler::announceAdded(QWidget *control, bool withPayload)
{
    if (QWidget *window = DsnMessage::windowOf(control)) {
        TDsnMessageEvent added(DsnMessage::TargetAdded, withPayload ? control : nullptr);
        QCoreApplication::sendEvent(window, &added);
    }
}

void TMultiHandler::Add(QWidget *control)
{
    if (ignores(control))
        return;
    appendSet(CreateHandleSet(control));
    if (count() == 2)
        m_sets.front()->SetInactive();
    if (count() > 1)
        m_sets.back()->SetInactive();
    announceAdded(control, true);
}

void TMultiHandler::TargetNil(int index)
{
    if (THandlerSet *handlerSet = set(index))
        handlerSet->forgetControl();
}

void TMultiHandler::Delete(int index)
{
    if (index < 0 || index >= count())
        return;
    m_sets.erase(m_sets.begin() + index);
    if (count() != 1)
        return;
    QWidget *remaining = m_sets.front()->control();
    if (!remaining || !DsnMessage::windowOf(remaining))
        return;
    // The one control left gets a fresh, active set.
    m_sets.clear();
    Add(remaining);
}

void TMultiHandler::Clear()
{
    m_sets.clear();
}

void TMultiHandler::Update()
{
    for (const auto &set : m_sets)
        set->Reposition();
}
