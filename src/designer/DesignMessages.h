#pragma once

#include <QEvent>
#include <QPointer>
#include <QRect>

class QWidget;

// The design surface's own notifications. Immediate ones are sent to a
// control's widget, where its cover (an event filter) acts on them before
// the sender continues; deferred ones are posted to the stage and run once
// the current input event or command has finished.
namespace DesignMessage {

enum Id : int {
    HandlePressed = 1597,    // immediate, payload: the control
    HandleReleased = 1598,   // immediate, payload: the control's bounds before the drag
    TargetAdded = 1599,      // immediate, no payload
    CoverRecreated = 1600,   // deferred to the stage, payload: the cover
    SelectOne = 1601,        // immediate, payload: the control
    RefreshSelection = 1602, // deferred to the stage, no payload
    ControlCreated = 1604,   // deferred to the stage, payload: the component
    ControlLoaded = 1605,    // deferred to the stage, payload: the component
};

constexpr QEvent::Type eventType(Id id)
{
    return static_cast<QEvent::Type>(int(QEvent::User) + int(id));
}

// The widget whose cover hears about control: the control itself, or its
// parent for a non-windowed control.
QWidget *windowOf(QWidget *control);

// 1601: make control the only selected one (sent to its window's cover).
void sendSelectOne(QWidget *control);
// 1602: the selection's values changed; refresh handles and inspector later.
void postRefreshSelection(QWidget *stage);

} // namespace DesignMessage

class DesignMessageEvent : public QEvent
{
public:
    DesignMessageEvent(DesignMessage::Id id, QObject *object = nullptr, const QRect &bounds = {})
        : QEvent(DesignMessage::eventType(id)), m_id(id), m_object(object), m_bounds(bounds) {}

    DesignMessage::Id id() const { return m_id; }
    // None once the object carried has been destroyed.
    QObject *object() const { return m_object.data(); }
    QRect bounds() const { return m_bounds; }

    static bool isDesignMessage(const QEvent *event);

private:
    DesignMessage::Id m_id;
    QPointer<QObject> m_object;
    QRect m_bounds;
};
