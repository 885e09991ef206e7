#include "windows/ShowMessage.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace {

template<class Handler>
Handler &installedHandler()
{
    static Handler handler;
    return handler;
}

} // namespace

void showMessage(QWidget *parent, const QString &text)
{
    if (const auto &handler = installedHandler<MessageHandler>()) {
        handler(parent, text);
        return;
    }
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    return std::exchange(installedHandler<MessageHandler>(), std::move(handler));
}

bool askQuestion(QWidget *parent, const QString &text)
{
    if (const auto &handler = installedHandler<QuestionHandler>())
        return handler(parent, text);
    return QMessageBox::question(parent, QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

QuestionHandler setQuestionHandler(QuestionHandler handler)
{
    return std::exchange(installedHandler<QuestionHandler>(), std::move(handler));
}
