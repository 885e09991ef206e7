#include "check/SourceScanner.h"

namespace {

// A stored statement row holds 100 bytes; a longer string or group does
// not fit, and the report program refuses it.
constexpr qsizetype LongestToken = 100;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '_';
}

// Words also carry the characters of parameters and names, and the bytes
// of letters beyond ASCII.
bool isWordChar(char c)
{
    return isNameChar(c) || c == '$' || c == '#' || c == '@'
           || static_cast<unsigned char>(c) >= 0x80;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// The bytes of the text without its line ends: the report program joins
// the lines of a string without them.
qsizetype lengthWithoutLineEnds(QByteArrayView text)
{
    qsizetype length = text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            length -= i > 0 && text[i - 1] == '\r' ? 2 : 1;
    }
    return length;
}

bool startsEndRemark(QByteArrayView text, qsizetype dot)
{
    for (const QByteArrayView name : {QByteArrayView("endremark"), QByteArrayView("endrem")}) {
        const qsizetype end = dot + 1 + name.size();
        if (end <= text.size()
            && text.sliced(dot + 1, name.size()).compare(name, Qt::CaseInsensitive) == 0
            && (end == text.size() || !isNameChar(text[end])))
            return true;
    }
    return false;
}

} // namespace

SourceScanner::SourceScanner(QByteArrayView text, ProblemList &problems, QList<qsizetype> cuts)
    : m_text(text), m_problems(problems), m_cuts(std::move(cuts)), m_splits(m_cuts.size(), false)
{
}

bool SourceScanner::next(SourceStatement &statement)
{
    statement.arguments.clear();
    if (!m_started) {
        m_started = true;
        statement.kind = StatementKind::None;
        statement.name = {};
        scanArguments(statement, false);
        if (!statement.arguments.isEmpty()) {
            statement.line = statement.arguments.first().line;
            return true;
        }
    }
    if (m_endRemarkPending) {
        m_endRemarkPending = false;
        statement.kind = StatementKind::EndRemark;
        statement.name = m_endRemarkName;
        statement.line = m_endRemarkLine;
        scanArguments(statement, false);
        return true;
    }
    if (m_position >= m_text.size())
        return false;

    readHead(statement);
    switch (statement.kind) {
    case StatementKind::LongRemark:
        skipLongRemark(statement);
        return true;
    case StatementKind::ShortRemark:
        skipShortRemark();
        break;
    default:
        break;
    }
    scanArguments(statement, Statements::readsWholeTokens(statement.kind));

    if (!statement.arguments.isEmpty() && statement.arguments.first().type == SourceToken::Word) {
        const StatementKind paired =
            Statements::pairedKind(statement.kind, text(statement.arguments.first()));
        if (paired != statement.kind) {
            statement.kind = paired;
            statement.arguments.removeFirst();
        }
    }
    if (statement.kind == StatementKind::DelimId)
        m_delimitedIdentifiers = true;
    return true;
}

// The report program takes blanks between the dot and the name.
void SourceScanner::readHead(SourceStatement &statement)
{
    const qsizetype dot = m_position++;
    statement.line = m_line;
    while (at(m_position) == ' ' || at(m_position) == '\t')
        ++m_position;
    const qsizetype nameStart = m_position;
    while (m_position < m_text.size() && isNameChar(m_text[m_position]))
        ++m_position;
    statement.name = m_text.sliced(nameStart, m_position - nameStart);
    statement.kind = Statements::kindOf(statement.name);
    noteSpan(dot, m_position, false);
}

void SourceScanner::scanArguments(SourceStatement &statement, bool wholeTokens)
{
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        if (c == '\n') {
            ++m_line;
            ++m_position;
        } else if (isSpace(c)) {
            ++m_position;
        } else if (c == '/' && at(m_position + 1) == '*') {
            skipComment();
        } else if (c == '.' && !isDigit(at(m_position + 1))) {
            return;
        } else if (c == '\'' || c == '"') {
            readString(statement);
        } else if (c == '(') {
            readGroup(statement);
        } else if (isWordChar(c) || c == '.') {
            readWord(statement, wholeTokens);
        } else {
            statement.arguments.append({SourceToken::Symbol, m_position, m_position + 1, m_line});
            ++m_position;
        }
    }
}

// A dot inside a word continues it before a digit ("1.5"), and after a
// name where tokens are read whole ("owner.table").
void SourceScanner::readWord(SourceStatement &statement, bool wholeTokens)
{
    const qsizetype start = m_position;
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        const bool dotInside =
            c == '.' && (isDigit(at(m_position + 1)) || (wholeTokens && m_position > start));
        if (!isWordChar(c) && !dotInside)
            break;
        ++m_position;
    }
    statement.arguments.append({SourceToken::Word, start, m_position, m_line});
    noteSpan(start, m_position, false);
}

void SourceScanner::readString(SourceStatement &statement)
{
    const SourceToken::Type type = SourceToken::String;
    const qsizetype start = m_position;
    const int line = m_line;
    const bool closed = skipString();
    statement.arguments.append({type, start, m_position, line});
    if (!closed)
        m_problems.error(line, QStringLiteral("unterminated string (E_RW13A2)"));
    else
        checkLength(statement.arguments.last(), "string");
}

// A group runs to its matching parenthesis and may hold strings.
void SourceScanner::readGroup(SourceStatement &statement)
{
    const qsizetype start = m_position;
    const int line = m_line;
    int depth = 0;
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        if (c == '\'' || c == '"') {
            const int stringLine = m_line;
            if (!skipString()) {
                m_problems.error(stringLine, QStringLiteral("unterminated string (E_RW13A2)"));
                statement.arguments.append({SourceToken::Group, start, m_position, line});
                return;
            }
            continue;
        }
        ++m_position;
        if (c == '\n') {
            ++m_line;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            statement.arguments.append({SourceToken::Group, start, m_position, line});
            noteSpan(start, m_position, true);
            checkLength(statement.arguments.last(), "text in parentheses");
            return;
        }
    }
    statement.arguments.append({SourceToken::Group, start, m_position, line});
    m_problems.error(line, QStringLiteral("'(' without its ')' (E_RW13A2)"));
}

// Single quotes double a quote inside; double quotes escape with a
// backslash, or double the quote once .DELIMID made them identifiers.
bool SourceScanner::skipString()
{
    const char quote = m_text[m_position++];
    const bool backslash = quote == '"' && !m_delimitedIdentifiers;
    while (m_position < m_text.size()) {
        const char c = m_text[m_position++];
        if (c == '\n') {
            ++m_line;
        } else if (backslash && c == '\\' && m_position < m_text.size()) {
            if (m_text[m_position++] == '\n')
                ++m_line;
        } else if (c == quote) {
            if (backslash || at(m_position) != quote)
                return true;
            ++m_position;
        }
    }
    return false;
}

// Comments nest.
void SourceScanner::skipComment()
{
    const int line = m_line;
    int depth = 0;
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        if (c == '/' && at(m_position + 1) == '*') {
            ++depth;
            m_position += 2;
        } else if (c == '*' && at(m_position + 1) == '/') {
            m_position += 2;
            if (--depth == 0)
                return;
        } else {
            if (c == '\n')
                ++m_line;
            ++m_position;
        }
    }
    m_problems.error(line, QStringLiteral("unterminated comment (E_RW13D9)"));
}

// The rest of the line is the remark; if a long line is cut there, the
// report program reads what follows the cut as statement text.
void SourceScanner::skipShortRemark()
{
    const qsizetype start = m_position;
    while (m_position < m_text.size() && m_text[m_position] != '\n')
        ++m_position;
    noteSpan(start, m_position, false);
}

// The remark runs to .ENDREMARK, which the report program finds anywhere,
// even in the middle of a line; nothing inside is read as statements.
void SourceScanner::skipLongRemark(const SourceStatement &statement)
{
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        if (c == '\n') {
            ++m_line;
        } else if (c == '.' && startsEndRemark(m_text, m_position)) {
            m_endRemarkPending = true;
            m_endRemarkLine = m_line;
            const qsizetype nameStart = m_position + 1;
            m_position = nameStart;
            while (m_position < m_text.size() && isNameChar(m_text[m_position]))
                ++m_position;
            m_endRemarkName = m_text.sliced(nameStart, m_position - nameStart);
            return;
        }
        ++m_position;
    }
    m_problems.error(statement.line, QStringLiteral(".LONGREMARK without .ENDREMARK (E_RW13A3)"));
}

void SourceScanner::checkLength(const SourceToken &token, const char *what)
{
    const qsizetype length = lengthWithoutLineEnds(text(token));
    if (length > LongestToken) {
        m_problems.error(token.line,
                         QStringLiteral("%1 is %2 bytes long; a statement row holds %3 (E_RW138B)")
                             .arg(QLatin1StringView(what))
                             .arg(length)
                             .arg(LongestToken));
    }
}

// Inside a group only a cut between two characters of one word splits it.
void SourceScanner::noteSpan(qsizetype start, qsizetype end, bool inGroup)
{
    while (m_nextCut < m_cuts.size() && m_cuts[m_nextCut] <= start)
        ++m_nextCut;
    for (qsizetype i = m_nextCut; i < m_cuts.size() && m_cuts[i] < end; ++i) {
        const qsizetype cut = m_cuts[i];
        const auto blank = [](char c) {
            return c == '\n' || isSpace(c);
        };
        if (!inGroup || (!blank(m_text[cut - 1]) && !blank(m_text[cut])))
            m_splits[i] = true;
    }
}
