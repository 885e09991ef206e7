#include "designer/DsnCover.h"

#include "designer/DsnControls.h"
#include "designer/DsnMessages.h"
#include "designer/DsnShape.h"
#include "designer/DsnStage.h"
#include "designer/DsnUnit.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <stdexcept>

TAgent::TAgent(QWidget *window, QObject *parent)
    : QObject(parent), m_window(window), m_identity(window)
{
}

TAgent::~TAgent()
{
    remove();
}

void TAgent::install()
{
    if (m_installed)
        return;
    if (!m_window || m_window->thread() != thread())
        throw std::runtime_error("Subclassing is failure.");
    m_window->installEventFilter(this);
    m_installed = true;
}

void TAgent::remove()
{
    if (!m_installed)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_installed = false;
}

TChildAgent::TChildAgent(QWidget *window)
    : TAgent(window), m_wasTransparent(window->testAttribute(Qt::WA_TransparentForMouseEvents))
{
    window->setAttribute(Qt::WA_TransparentForMouseEvents);
}

TChildAgent::~TChildAgent()
{
    if (window())
        window()->setAttribute(Qt::WA_TransparentForMouseEvents, m_wasTransparent);
}

TClientAgent::~TClientAgent()
{
    freeChildAgents();
}

void TClientAgent::makeTransparent(QWidget *widget)
{
    m_childAgents.push_back(std::make_unique<TChildAgent>(widget));
    for (QObject *child : widget->children()) {
        auto *childWidget = qobject_cast<QWidget *>(child);
        if (childWidget && !childWidget->isWindow())
            makeTransparent(childWidget);
    }
}

void TClientAgent::makeForeignChildrenTransparent(const ComponentOwner *owner)
{
    if (!window())
        return;
    for (QObject *child : window()->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow() || DsnControls::isDesignerPart(widget))
            continue;
        if (!owner || DsnControls::ownerOf(widget) != owner)
            makeTransparent(widget);
    }
}

TDsnCtrl::TDsnCtrl(QWidget *control, TDsnRegister *dsnRegister)
    : TClientAgent(control, dsnRegister), m_register(dsnRegister)
{
    m_wasTracking = control->hasMouseTracking();
    control->setCursor(Qt::ArrowCursor);
    // Moves without a button finish outlines a lost release left behind.
    control->setMouseTracking(true);
    control->update();
    install();
}

TDsnCtrl::~TDsnCtrl()
{
    freeChildAgents();
    remove();
    if (!m_released && control()) {
        control()->unsetCursor();
        control()->setMouseTracking(m_wasTracking);
        control()->update();
    }
}

void TDsnCtrl::scheduleRelease(QWidget *stage)
{
    if (stage)
        QCoreApplication::postEvent(stage, new TDsnMessageEvent(DsnMessage::CoverRecreated, this));
}

void TDsnCtrl::reattach()
{
    m_reattachPending = false;
    freeChildAgents();
    makeForeignChildrenTransparent(DsnControls::ownerOf(control()));
}

void TDsnCtrl::scheduleReattach()
{
    TDsnStage *stage = m_register ? m_register->DsnStage() : nullptr;
    if (m_reattachPending || !stage)
        return;
    m_reattachPending = true;
    QCoreApplication::postEvent(stage, new TDsnMessageEvent(DsnMessage::CoverRecreated, this));
}

QWidget *TDsnCtrl::hitControlAt(const QPoint &position) const
{
    QWidget *covered = control();
    QWidget *hit = covered;
    const QObjectList &children = covered->children();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        auto *widget = qobject_cast<QWidget *>(*child);
        if (widget && !widget->isHidden() && !DsnControls::isWindowed(widget)
            && widget->geometry().contains(position)) {
            hit = widget;
            break;
        }
    }
    if (DsnControls::ownerOf(hit) != DsnControls::ownerOf(covered))
        return covered;
    return hit;
}

void TDsnCtrl::focusStage()
{
    if (TDsnStage *stage = m_register ? m_register->DsnStage() : nullptr)
        stage->setFocus(Qt::MouseFocusReason);
}

bool TDsnCtrl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != control() || !m_register)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return pressEvent(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return mouseEvent(static_cast<QMouseEvent *>(event));
    case QEvent::ContextMenu:
        return true;
    case QEvent::FocusIn:
        if (!DsnControls::isStage(control()))
            focusStage();
        return false;
    case QEvent::Paint:
        if (!m_register->paintsMarks())
            return false;
        // The control paints itself first; the marks go on top.
        static_cast<QObject *>(control())->event(event);
        afterPaint();
        return true;
    case QEvent::ChildAdded:
        scheduleReattach();
        return false;
    default:
        if (TDsnMessageEvent::isDsnMessage(event))
            return notification(event);
        return false;
    }
}

bool TDsnCtrl::pressEvent(QMouseEvent *event)
{
    event->accept();
    QWidget *covered = control();
    // A control that must react while designed says so; it gets the press too.
    if (covered->property("designHitTest").toBool())
        static_cast<QObject *>(covered)->event(event);
    const QPoint position = event->position().toPoint();
    const TShiftState shift = shiftStateOf(event->modifiers(), event->buttons());
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    QPointer<TDsnCtrl> self(this);
    if (event->button() == Qt::LeftButton && doubleClick) {
        m_register->CoverDblClick(m_hitControl);
    } else if (event->button() == Qt::LeftButton) {
        m_hitControl = hitControlAt(position);
        m_pressed = true;
        m_lastPosition = position;
        m_register->ControlMouseDown(covered, m_hitControl, position, shift);
    } else if (event->button() == Qt::RightButton) {
        m_hitControl = hitControlAt(position);
        m_pressed = true;
        m_register->CoverRightClick(covered, m_hitControl, position.x(), position.y());
    } else {
        return true;
    }
    if (self)
        focusStage();
    return true;
}

bool TDsnCtrl::mouseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->type() == QEvent::MouseButtonRelease && event->button() != Qt::LeftButton)
        return true;
    const QPoint position = TPointerClip::clampLocal(control(), event->position().toPoint());
    const TShiftState shift = shiftStateOf(event->modifiers(), event->buttons());
    m_lastPosition = position;
    if (!m_pressed)
        return true;
    if (event->type() == QEvent::MouseMove)
        m_register->ControlMouseMove(control(), position, shift);
    else
        m_register->ControlMouseUp(control(), position, shift);
    return true;
}

bool TDsnCtrl::notification(QEvent *event)
{
    auto *message = static_cast<TDsnMessageEvent *>(event);
    switch (message->id()) {
    case DsnMessage::HandlePressed:
        m_hitControl = qobject_cast<QWidget *>(message->object());
        m_pressed = true;
        return true;
    case DsnMessage::HandleReleased:
        m_register->TargetsResized(message->bounds());
        return true;
    case DsnMessage::TargetAdded:
        m_register->TargetAdded();
        return true;
    case DsnMessage::SelectOne:
        if (auto *selected = qobject_cast<QWidget *>(message->object()))
            m_register->SelectOnly(selected);
        return true;
    default:
        return false;
    }
}
