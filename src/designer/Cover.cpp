#include "designer/Cover.h"

#include "designer/CornerMarks.h"
#include "designer/DesignControls.h"
#include "designer/DesignMessages.h"
#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/Outline.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include <stdexcept>

InputAgent::InputAgent(QWidget *window, QObject *parent)
    : QObject(parent), m_window(window), m_identity(window)
{
}

InputAgent::~InputAgent()
{
    remove();
}

void InputAgent::install()
{
    if (m_installed)
        return;
    if (!m_window || m_window->thread() != thread())
        throw std::runtime_error("Subclassing is failure.");
    m_window->installEventFilter(this);
    m_installed = true;
}

void InputAgent::remove()
{
    if (!m_installed)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_installed = false;
}

ChildInputAgent::ChildInputAgent(QWidget *window)
    : InputAgent(window), m_wasTransparent(window->testAttribute(Qt::WA_TransparentForMouseEvents))
{
    window->setAttribute(Qt::WA_TransparentForMouseEvents);
}

ChildInputAgent::~ChildInputAgent()
{
    if (window())
        window()->setAttribute(Qt::WA_TransparentForMouseEvents, m_wasTransparent);
}

ClientInputAgent::~ClientInputAgent()
{
    freeChildAgents();
}

void ClientInputAgent::makeTransparent(QWidget *widget)
{
    m_childAgents.push_back(std::make_unique<ChildInputAgent>(widget));
    for (QObject *child : widget->children()) {
        auto *childWidget = qobject_cast<QWidget *>(child);
        if (childWidget && !childWidget->isWindow())
            makeTransparent(childWidget);
    }
}

void ClientInputAgent::makeForeignChildrenTransparent(const ComponentOwner *owner)
{
    if (!window())
        return;
    for (QObject *child : window()->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow() || DesignControls::isDesignerPart(widget))
            continue;
        if (!owner || DesignControls::ownerOf(widget) != owner)
            makeTransparent(widget);
    }
}

Cover::Cover(QWidget *control, DesignRegister *dsnRegister)
    : ClientInputAgent(control, dsnRegister), m_register(dsnRegister)
{
    m_wasTracking = control->hasMouseTracking();
    control->setCursor(Qt::ArrowCursor);
    // Moves without a button finish outlines a lost release left behind.
    control->setMouseTracking(true);
    DesignControls::repaint(control);
    install();
}

Cover::~Cover()
{
    freeChildAgents();
    remove();
    if (!m_released && control()) {
        control()->unsetCursor();
        control()->setMouseTracking(m_wasTracking);
        DesignControls::repaint(control());
    }
}

void Cover::scheduleRelease(QWidget *stage)
{
    if (stage)
        QCoreApplication::postEvent(stage,
                                    new DesignMessageEvent(DesignMessage::CoverRecreated, this));
}

void Cover::reattach()
{
    m_reattachPending = false;
    freeChildAgents();
    makeForeignChildrenTransparent(DesignControls::ownerOf(control()));
}

void Cover::scheduleReattach()
{
    DesignStage *stage = m_register ? m_register->stage() : nullptr;
    if (m_reattachPending || !stage)
        return;
    m_reattachPending = true;
    QCoreApplication::postEvent(stage, new DesignMessageEvent(DesignMessage::CoverRecreated, this));
}

namespace {

// The topmost child of parent at position that shows through the parent's
// own window: a non-windowed one, or one the parent paints.
QWidget *childShownAt(const QWidget *parent, const QPoint &position)
{
    const QObjectList &children = parent->children();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        auto *widget = qobject_cast<QWidget *>(*child);
        if (!widget || !widget->geometry().contains(position))
            continue;
        if (DesignControls::isPaintedByParent(widget)
            || (!widget->isHidden() && !DesignControls::isWindowed(widget)))
            return widget;
    }
    return nullptr;
}

} // namespace

QWidget *Cover::hitControlAt(const QPoint &position) const
{
    QWidget *covered = control();
    QWidget *hit = childShownAt(covered, position);
    if (!hit || DesignControls::isWindowed(hit)
        || DesignControls::ownerOf(hit) != DesignControls::ownerOf(covered))
        return covered;
    return hit;
}

QWidget *Cover::paintedCoveredControlAt(const QPoint &position) const
{
    QWidget *shown = childShownAt(control(), position);
    if (shown && DesignControls::isWindowed(shown) && m_register->coverOf(shown))
        return shown;
    return nullptr;
}

bool Cover::forwardToPaintedControl(QMouseEvent *event)
{
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    // Moves without a button go where the pointer is, as to any widget.
    const bool hover = type == QEvent::MouseMove && event->buttons() == Qt::NoButton;
    if (press || (hover && !m_pointerReceiver))
        m_pointerReceiver = paintedCoveredControlAt(event->position().toPoint());
    QWidget *receiver = m_pointerReceiver;
    if (!receiver)
        return false;
    if (event->buttons() == Qt::NoButton)
        m_pointerReceiver = nullptr;
    QMouseEvent moved(type, event->position() - QPointF(receiver->pos()), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    // The device's pointer remembers the time of each event it makes; a
    // forwarded press without it would end the double click it begins.
    moved.setTimestamp(event->timestamp());
    QCoreApplication::sendEvent(receiver, &moved);
    event->accept();
    return true;
}

void Cover::focusStage()
{
    if (DesignStage *stage = m_register ? m_register->stage() : nullptr)
        stage->setFocus(Qt::MouseFocusReason);
}

bool Cover::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != control() || !m_register)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return forwardToPaintedControl(static_cast<QMouseEvent *>(event))
               || pressEvent(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return forwardToPaintedControl(static_cast<QMouseEvent *>(event))
               || mouseEvent(static_cast<QMouseEvent *>(event));
    case QEvent::ContextMenu:
        return true;
    case QEvent::FocusIn:
        if (!DesignControls::isStage(control()))
            focusStage();
        return false;
    case QEvent::Paint:
        if (!m_register->paintsMarks())
            return false;
        // The control paints itself first; the marks go on top.
        static_cast<QObject *>(control())->event(event);
        paintSelectionMarks();
        return true;
    case QEvent::ChildAdded:
        scheduleReattach();
        return false;
    default:
        if (DesignMessageEvent::isDesignMessage(event))
            return notification(event);
        return false;
    }
}

bool Cover::pressEvent(QMouseEvent *event)
{
    event->accept();
    QWidget *covered = control();
    // A control that must react while designed says so; it gets the press too.
    if (covered->property("designHitTest").toBool())
        static_cast<QObject *>(covered)->event(event);
    const QPoint position = event->position().toPoint();
    const ShiftState shift = shiftStateOf(event->modifiers(), event->buttons());
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    QPointer<Cover> self(this);
    if (event->button() == Qt::LeftButton && doubleClick) {
        m_register->coverDoubleClicked(m_hitControl);
    } else if (event->button() == Qt::LeftButton) {
        m_hitControl = hitControlAt(position);
        m_pressed = true;
        m_lastPosition = position;
        m_register->controlMouseDown(covered, m_hitControl, position, shift);
    } else if (event->button() == Qt::RightButton) {
        m_hitControl = hitControlAt(position);
        m_pressed = true;
        m_register->coverRightClicked(covered, m_hitControl, position.x(), position.y());
    } else {
        return true;
    }
    if (self)
        focusStage();
    return true;
}

bool Cover::mouseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->type() == QEvent::MouseButtonRelease && event->button() != Qt::LeftButton)
        return true;
    const QPoint position = PointerClip::clampLocal(control(), event->position().toPoint());
    const ShiftState shift = shiftStateOf(event->modifiers(), event->buttons());
    m_lastPosition = position;
    if (!m_pressed)
        return true;
    if (event->type() == QEvent::MouseMove)
        m_register->controlMouseMove(control(), position, shift);
    else
        m_register->controlMouseUp(control(), position, shift);
    return true;
}

bool Cover::notification(QEvent *event)
{
    auto *message = static_cast<DesignMessageEvent *>(event);
    switch (message->id()) {
    case DesignMessage::HandlePressed:
        m_hitControl = qobject_cast<QWidget *>(message->object());
        m_pressed = true;
        m_register->beginResize();
        return true;
    case DesignMessage::HandleReleased:
        m_register->targetsResized(message->bounds());
        return true;
    case DesignMessage::TargetAdded:
        m_register->targetAdded();
        return true;
    case DesignMessage::SelectOne:
        if (auto *selected = qobject_cast<QWidget *>(message->object()))
            m_register->selectOnly(selected);
        return true;
    default:
        return false;
    }
}

void Cover::paintSelectionMarks()
{
    SelectionList *selection = m_register ? m_register->targets() : nullptr;
    QWidget *covered = control();
    if (!selection || !covered)
        return;
    QPainter painter(covered);
    for (QObject *child : covered->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget
            && (!DesignControls::isWindowed(widget) || DesignControls::isPaintedByParent(widget))
            && selection->indexOf(widget) >= 0)
            paintMarks(painter, widget->pos(), widget->size());
    }
    if (selection->indexOf(covered) >= 0)
        paintMarks(painter, QPoint(0, 0), covered->size());
}
