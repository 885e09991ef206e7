#include "windows/AskQuestion.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace {

QuestionHandler &installedHandler()
{
    static QuestionHandler handler;
    return handler;
}

} // namespace

bool askQuestion(QWidget *parent, const QString &text)
{
    if (const QuestionHandler &handler = installedHandler())
        return handler(parent, text);
    return QMessageBox::question(parent, QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

QuestionHandler setQuestionHandler(QuestionHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}
