#include "import/SourceLines.h"

#include "check/SourceScanner.h"
#include "generation/LineText.h"
#include "model/Cp1250.h"

#include <QStringDecoder>

#include <algorithm>

QString SourceLine::argument() const
{
    return LineText::trimmed(rest).toString();
}

bool SourceLine::equals(int level, QStringView textAfterTabs) const
{
    return tabs == level && QStringView(text).sliced(tabs) == textAfterTabs;
}

bool SourceLine::equals(int level, QLatin1StringView textAfterTabs) const
{
    return tabs == level && QStringView(text).sliced(tabs) == textAfterTabs;
}

bool SourceLine::startsWith(int level, QLatin1StringView keyword, QString *restAfterBlank) const
{
    if (tabs != level)
        return false;
    const QStringView body = QStringView(text).sliced(tabs);
    if (!body.startsWith(keyword) || body.size() <= keyword.size() || body[keyword.size()] != u' ')
        return false;
    *restAfterBlank = body.sliced(keyword.size() + 1).toString();
    return true;
}

namespace {

QString decodeLine(QByteArrayView bytes, int number, ProblemList &problems)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    problems.warning(number, QStringLiteral("the line is no UTF-8 text; read as Windows-1250"));
    return Cp1250::decode(bytes);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// What the report program reads as space between statements.
bool isSpace(QChar c)
{
    return isBlank(c) || c == u'\r' || c == u'\f' || c == u'\v';
}

// The statement's name as written and what follows it on the line.
void splitStatement(SourceLine &line)
{
    const QString &text = line.text;
    qsizetype at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    if (at >= text.size() || text[at] != u'.') {
        line.single = false;
        return;
    }
    ++at;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    while (at < text.size() && (text[at].isLetterOrNumber() || text[at] == u'_')
           && text[at].unicode() < 0x80)
        ++at;
    line.rest = text.sliced(at);
}

} // namespace

namespace SourceLines {

QList<SourceLine> read(QByteArrayView text, ProblemList &problems, bool *endsOpen)
{
    QList<qsizetype> starts;
    QList<SourceLine> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        // CRs end the line before an LF, and at the end of the text: no
        // line could keep them, as generation ends every line.
        qsizetype contentEnd = end;
        while (contentEnd > start && text[contentEnd - 1] == '\r')
            --contentEnd;
        SourceLine line;
        line.number = int(lines.size()) + 1;
        line.text = decodeLine(text.sliced(start, contentEnd - start), line.number, problems);
        while (line.tabs < line.text.size() && line.text[line.tabs] == u'\t')
            ++line.tabs;
        starts.append(start);
        lines.append(line);
        start = next;
    }
    starts.append(text.size());

    // What the scanner says of each line: how many statements begin on it
    // and whether the one that does ends on it.
    ProblemList scanning;
    SourceScanner scanner(text, scanning);
    QList<int> begun(lines.size(), 0);
    QList<bool> confined(lines.size(), true);
    QList<StatementKind> kinds(lines.size(), StatementKind::None);
    QList<bool> tokens(lines.size(), false);
    const auto noteTokens = [&](const SourceToken &token) {
        for (int l = token.line; l <= int(lines.size()) && starts[l - 1] < token.end; ++l)
            tokens[l - 1] = true;
    };
    SourceStatement statement;
    while (scanner.next(statement)) {
        const qsizetype index = statement.line - 1;
        if (index < 0 || index >= lines.size())
            continue;
        for (const SourceToken &token : std::as_const(statement.arguments))
            noteTokens(token);
        if (statement.kind == StatementKind::None) {
            for (const SourceToken &token : std::as_const(statement.arguments)) {
                if (token.line - 1 < lines.size())
                    confined[token.line - 1] = false;
            }
            continue;
        }
        if (begun[index]++ == 0)
            kinds[index] = statement.kind;
        const qsizetype lineEnd = starts[index + 1];
        for (const SourceToken &token : std::as_const(statement.arguments)) {
            if (token.line != statement.line || token.end > lineEnd) {
                confined[index] = false;
                for (int l = token.line; l <= int(lines.size()) && starts[l - 1] < token.end; ++l)
                    confined[l - 1] = false;
            }
        }
    }
    if (endsOpen) {
        *endsOpen = false;
        for (const CheckProblem &problem : scanning.sorted()) {
            for (const char *code : {"E_RW13A2", "E_RW13D9", "E_RW13A3"}) {
                if (problem.message.contains(QLatin1String(code)))
                    *endsOpen = true;
            }
        }
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SourceLine &line = lines[i];
        line.hasStatement = begun[i] > 0;
        line.hasTokens = tokens[i] || line.hasStatement;
        line.single = begun[i] == 1 && confined[i];
        line.kind = kinds[i];
        if (line.single)
            splitStatement(line);
        line.severalStatements =
            begun[i] > 1 && confined[i] && LineText::trimmed(line.text).startsWith(u'.');
    }
    return lines;
}

QList<SourceLine> split(const SourceLine &line)
{
    if (!line.severalStatements)
        return {};
    // Read alone, the line splits as in the whole text: each of its
    // statements ends on it.
    const QByteArray bytes = line.text.toUtf8();
    ProblemList ignored;
    SourceScanner scanner(bytes, ignored);
    SourceStatement statement;
    QList<qsizetype> dots;
    QList<StatementKind> kinds;
    while (scanner.next(statement)) {
        if (statement.kind == StatementKind::None) {
            if (!statement.arguments.isEmpty())
                return {};
            continue;
        }
        qsizetype dot = statement.name.data() - bytes.constData() - 1;
        while (dot > 0 && (bytes[dot] == ' ' || bytes[dot] == '\t'))
            --dot;
        if (dot < 0 || bytes[dot] != '.')
            return {};
        dots.append(dot);
        kinds.append(statement.kind);
    }
    // A heading on a line of its own would begin a section of its own.
    const auto heading = [](StatementKind kind) {
        return kind == StatementKind::Header || kind == StatementKind::Footer
               || kind == StatementKind::Detail;
    };
    if (dots.size() < 2 || std::any_of(kinds.begin(), kinds.end(), heading))
        return {};
    // Statements begin at dots, which UTF-8 keeps whole: a dot's character
    // offset is the length of the text before it.
    const auto offset = [&](qsizetype byte) {
        return int(QString::fromUtf8(bytes.left(byte)).size());
    };
    const int first = offset(dots.first());
    const QString indent = line.text.left(first);
    if (!std::all_of(indent.begin(), indent.end(), isBlank))
        return {};
    QList<SourceLine> pieces;
    for (qsizetype k = 0; k < dots.size(); ++k) {
        const int from = k == 0 ? 0 : offset(dots[k]);
        int to = int(line.text.size());
        if (k + 1 < dots.size()) {
            to = offset(dots[k + 1]);
            while (to > from && isSpace(line.text[to - 1]))
                --to;
        }
        SourceLine piece;
        piece.text = k == 0 ? line.text.left(to) : indent + line.text.mid(from, to - from);
        piece.number = line.number;
        piece.tabs = line.tabs;
        piece.single = true;
        piece.hasStatement = true;
        piece.hasTokens = true;
        piece.kind = kinds[k];
        piece.from = from;
        piece.to = to;
        piece.whole = line.text;
        splitStatement(piece);
        pieces.append(piece);
    }
    return pieces;
}

QStringList texts(const QList<SourceLine> &lines, const QList<int> &indices, QList<int> *numbers)
{
    QStringList result;
    for (qsizetype i = 0; i < indices.size(); ++i) {
        const SourceLine &first = lines[indices[i]];
        if (numbers)
            numbers->append(first.number);
        if (first.from < 0) {
            result.append(first.text);
            continue;
        }
        // The pieces that follow it in the same line.
        while (i + 1 < indices.size() && indices[i + 1] == indices[i] + 1
               && lines[indices[i + 1]].from > 0 && lines[indices[i + 1]].number == first.number)
            ++i;
        const SourceLine &last = lines[indices[i]];
        const QString indent = first.text.left(first.text.size() - (first.to - first.from));
        result.append(first.from == 0 ? first.whole.left(last.to)
                                      : indent + first.whole.mid(first.from, last.to - first.from));
    }
    return result;
}

bool holdsReadControls(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t code = c.unicode();
        const bool blank = code == u'\t' || code == u'\r' || code == u'\f' || code == u'\v';
        return (code < u' ' && !blank) || code == 0x7F;
    });
}

int wholeNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 6)
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace SourceLines
