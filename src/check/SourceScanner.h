#pragma once

#include "check/CheckProblem.h"
#include "check/Statements.h"

#include <QByteArrayView>
#include <QList>

// A token of a statement's arguments. Comments are not tokens; a string or
// a parenthesised group is one token, whatever it spans.
struct SourceToken
{
    enum Type { Word, String, Group, Symbol };

    Type type = Word;
    qsizetype start = 0; // byte offsets in the text, end excluded
    qsizetype end = 0;
    int line = 1;
};

// A statement with the tokens that follow it up to the next statement.
struct SourceStatement
{
    StatementKind kind = StatementKind::None;
    QByteArrayView name; // as written, without the dot
    int line = 1;
    QList<SourceToken> arguments;
};

// Splits Report-Writer text into statements the way the report program
// reads it: a statement begins at any dot not followed by a digit, whether
// or not it starts a line, and runs to the next one; dots inside strings,
// parentheses, comments and remarks, and inside the dotted names of queries
// and file names, begin nothing. Strings, groups and comments left open,
// and strings or groups too long for a stored row, are reported as they are
// met.
class SourceScanner
{
public:
    // cuts: ascending offsets at which the report program breaks lines too
    // long for it; the scanner notes which of them fall inside a token.
    SourceScanner(QByteArrayView text, ProblemList &problems, QList<qsizetype> cuts = {});

    // The next statement; the first may be of kind None, holding the text
    // that comes before any statement. False at the end of the text.
    bool next(SourceStatement &statement);

    QByteArrayView text(const SourceToken &token) const
    {
        return m_text.sliced(token.start, token.end - token.start);
    }

    // Whether the cut of that index splits a name, word or number (a cut
    // inside a string does not: the report program joins a string's lines).
    bool splitsToken(qsizetype cutIndex) const { return m_splits.value(cutIndex); }

private:
    char at(qsizetype position) const { return position < m_text.size() ? m_text[position] : 0; }

    void readHead(SourceStatement &statement);
    void scanArguments(SourceStatement &statement, bool wholeTokens);
    void readWord(SourceStatement &statement, bool wholeTokens);
    void readString(SourceStatement &statement);
    void readGroup(SourceStatement &statement);
    bool skipString();
    void skipComment();
    void skipShortRemark();
    void skipLongRemark(const SourceStatement &statement);
    void checkLength(const SourceToken &token, const char *what);
    void noteSpan(qsizetype start, qsizetype end, bool inGroup);

    QByteArrayView m_text;
    ProblemList &m_problems;
    QList<qsizetype> m_cuts;
    QList<bool> m_splits;
    qsizetype m_nextCut = 0;
    qsizetype m_position = 0;
    int m_line = 1;
    bool m_started = false;
    bool m_delimitedIdentifiers = false; // after .DELIMID, "..." names an identifier
    // The .ENDREMARK found by a .LONGREMARK, returned as the next statement.
    bool m_endRemarkPending = false;
    QByteArrayView m_endRemarkName;
    int m_endRemarkLine = 0;
};
