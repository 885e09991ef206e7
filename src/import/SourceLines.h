#pragma once

#include "check/CheckProblem.h"
#include "check/Statements.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// One line of a Report-Writer source as the import reads it: its text and
// what the scanner found on it.
struct SourceLine
{
    QString text; // without its LF or CR LF
    int number = 1;
    int tabs = 0; // leading TAB characters
    // The line holds exactly one statement, which begins the line (after
    // blanks) and ends on it.
    bool single = false;
    // Some statement begins on the line.
    bool hasStatement = false;
    // Several statements begin on the line, each ends on it, and the first
    // begins the line: SourceLines::split can make a line of each.
    bool severalStatements = false;
    // Some statement, or text before the first, has a token on the line:
    // a line without is blank, or holds comments only.
    bool hasTokens = false;
    StatementKind kind = StatementKind::None; // of the single statement
    QString rest;                             // single: the text after the statement's name
    // A statement split from a line that holds several: where it stands in
    // that line's text (from, up to to), the line itself in whole.
    int from = -1;
    int to = -1;
    QString whole;

    // The rest without its leading and trailing blanks and control
    // characters (a no-break space is part of the text).
    QString argument() const;
    bool is(StatementKind wanted) const { return single && kind == wanted; }
    // The line is exactly this: level TABs, the text and nothing more.
    bool equals(int level, QStringView textAfterTabs) const;
    bool equals(int level, QLatin1StringView textAfterTabs) const;
    // The line is level TABs and the keyword, a blank and the rest (returned).
    bool startsWith(int level, QLatin1StringView keyword, QString *restAfterBlank) const;
};

namespace SourceLines {

// The lines of the text, split at LF (CRs before it, or at the end of
// the text, belong to the line end), with each line's statement found by
// the check's scanner. A line that is no UTF-8 text is read as
// Windows-1250 and noted in problems. *endsOpen tells whether a string,
// comment, parenthesis or long remark is left open at the end of the text.
QList<SourceLine> read(QByteArrayView text, ProblemList &problems, bool *endsOpen = nullptr);

// The statements of a line that holds several, each as a line of its own:
// the line's indentation, then the statement as written up to the next one
// without the blanks in between. Empty when the line holds fewer than two
// statements, is not made of them alone, or holds a section heading.
QList<SourceLine> split(const SourceLine &line);

// The texts of the lines at these indices, the adjacent pieces of one
// split line joined again as that line has them (the whole line when all
// of its pieces are there); *numbers gets each text's line number.
QStringList texts(const QList<SourceLine> &lines, const QList<int> &indices,
                  QList<int> *numbers = nullptr);

// Whether the text holds a control character that the report program
// reads as part of a statement rather than as a blank: trimmed off an
// argument, it would be lost.
bool holdsReadControls(QStringView text);

// A whole number of at most six digits, or -1.
int wholeNumber(QStringView text);

} // namespace SourceLines
