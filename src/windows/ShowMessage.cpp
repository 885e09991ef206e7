#include "windows/ShowMessage.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace {

MessageHandler &installedHandler()
{
    static MessageHandler handler;
    return handler;
}

} // namespace

void showMessage(QWidget *parent, const QString &text)
{
    if (const MessageHandler &handler = installedHandler()) {
        handler(parent, text);
        return;
    }
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}
