#include "windows/ShowMessage.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

bool askQuestion(QWidget *parent, const QString &text, const QString &yesCaption,
                 const QString &noCaption)
{
    if (const auto &handler = installedHandler<QuestionHandler>())
        return handler(parent, text);
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    if (!yesCaption.isEmpty())
        box.button(QMessageBox::Yes)->setText(yesCaption);
    if (!noCaption.isEmpty())
        box.button(QMessageBox::No)->setText(noCaption);
    return box.exec() == QMessageBox::Yes;
}

QuestionHandler setQuestionHandler(QuestionHandler handler)
{
    return std::exchange(installedHandler<QuestionHandler>(), std::move(handler));
}
