#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

// The pieces generated lines are made of.
namespace LineText {

// One TAB per indentation level; none for zero or less.
QString tabs(int level);

// The text without leading and trailing blanks and control characters
// (every character up to the space).
QStringView trimmed(QStringView text);
inline bool isBlank(QStringView text)
{
    return trimmed(text).isEmpty();
}

// The text with each control character (C0, DEL and C1) replaced by a
// blank, for text that lands inside one line of the source as it stands:
// a line end would split the statement, a NUL ends it for many readers.
QString blankControls(QString text);

// A statement: the keyword, one blank and the argument.
QString statement(QLatin1StringView keyword, QStringView argument);
QString statement(QLatin1StringView keyword, int argument);

// Whether the text, with its ASCII letters upper-cased, is the word.
bool isWord(QStringView text, QLatin1StringView word);

} // namespace LineText
