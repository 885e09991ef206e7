#include "designer/DsnMessages.h"

#include "designer/DsnControls.h"

#include <QCoreApplication>
#include <QWidget>

namespace DsnMessage {

QWidget *windowOf(QWidget *control)
{
    if (!control)
        return nullptr;
    return DsnControls::isWindowed(control) ? control : control->parentWidget();
}

void sendSelectOne(QWidget *control)
{
    if (QWidget *window = windowOf(control)) {
        TDsnMessageEvent event(SelectOne, control);
        QCoreApplication::sendEvent(window, &event);
    }
}

void postRefreshSelection(QWidget *stage)
{
    if (stage)
        QCoreApplication::postEvent(stage, new TDsnMessageEvent(RefreshSelection));
}

} // namespace DsnMessage

bool TDsnMessageEvent::isDsnMessage(const QEvent *event)
{
    const int type = event->type();
    return type >= DsnMessage::eventType(DsnMessage::HandlePressed)
        && type <= DsnMessage::eventType(DsnMessage::ControlLoaded);
}
