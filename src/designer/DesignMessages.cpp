#include "designer/DesignMessages.h"

#include "designer/DesignControls.h"

#include <QCoreApplication>
#include <QWidget>

namespace DesignMessage {

QWidget *windowOf(QWidget *control)
{
    if (!control)
        return nullptr;
    return DesignControls::isWindowed(control) ? control : control->parentWidget();
}

void sendSelectOne(QWidget *control)
{
    if (QWidget *window = windowOf(control)) {
        DesignMessageEvent event(SelectOne, control);
        QCoreApplication::sendEvent(window, &event);
    }
}

void postRefreshSelection(QWidget *stage)
{
    if (stage)
        QCoreApplication::postEvent(stage, new DesignMessageEvent(RefreshSelection));
}

} // namespace DesignMessage

bool DesignMessageEvent::isDesignMessage(const QEvent *event)
{
    const int type = event->type();
    return type >= DesignMessage::eventType(DesignMessage::HandlePressed)
           && type <= DesignMessage::eventType(DesignMessage::LastMessage);
}
