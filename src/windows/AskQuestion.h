#pragma once

#include <QString>

#include <functional>

class QWidget;

// A question with Yes and No, No the default. Tests install a handler that
// answers instead, so no modal box waits for a user.
using QuestionHandler = std::function<bool(QWidget *parent, const QString &text)>;

// True for Yes.
bool askQuestion(QWidget *parent, const QString &text);

// Installs handler (none restores the question box) and returns the one it
// replaces.
QuestionHandler setQuestionHandler(QuestionHandler handler);
