#pragma once

#include <QString>

#include <functional>

class QWidget;

// A message box with one text and an OK button. Tests and headless callers
// install a handler instead, so no modal box waits for a user.
using MessageHandler = std::function<void(QWidget *parent, const QString &text)>;

void showMessage(QWidget *parent, const QString &text);

// Installs handler (none restores the message box) and returns the one it
// replaces.
MessageHandler setMessageHandler(MessageHandler handler);

// A question with Yes and No, No the default; true for Yes. The buttons
// may be captioned otherwise. A handler installed instead answers it.
using QuestionHandler = std::function<bool(QWidget *parent, const QString &text)>;

bool askQuestion(QWidget *parent, const QString &text, const QString &yesCaption = {},
                 const QString &noCaption = {});

QuestionHandler setQuestionHandler(QuestionHandler handler);
