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
    HandlePressed,    // immediate, payload: the control
    HandleReleased,   // immediate, payload: the control's bounds before the drag
    TargetAdded,      // immediate, no payload
    CoverRecreated,   // deferred to the stage, payload: the cover
    SelectOne,        // immediate, payload: the control
    RefreshSelection, // deferred to the stage, no payload
    ControlCreated,   // deferred to the stage, payload: the component
    ControlLoaded,    // deferred to the stage, payload: the component
    LastMessage = ControlLoaded
};

// The first event type of the range, well clear of other user events.
inline constexpr int FirstEventType = int(QEvent::User) + 1597;

constexpr QEvent::Type eventType(Id id)
{
    return static_cast<QEvent::Type>(FirstEventType + int(id));
}

// The widget whose cover hears about control: the control itself, or its
// parent for a non-windowed control.
QWidget *windowOf(QWidget *control);

// SelectOne: make control the only selected one (sent to its window's cover).
void sendSelectOne(QWidget *control);
// RefreshSelection: the selection's values changed; refresh handles and inspector later.
void postRefreshSelection(QWidget *stage);

} // namespace DesignMessage

class DesignMessageEvent : public QEvent
{
public:
    DesignMessageEvent(DesignMessage::Id id, QObject *object = nullptr, const QRect &bounds = {})
        : QEvent(DesignMessage::eventType(id)), m_id(id), m_object(object), m_bounds(bounds)
    {
    }

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
