#include "editor/ReportWriterLexer.h"

#include "model/NamedValues.h"

#include <Qsci/qsciscintilla.h>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isQuote(char c)
{
    return c == '\'' || c == '"';
}

bool opensComment(const QByteArray &line, int at)
{
    return at + 1 < line.size() && line[at + 1] == '*' && (line[at] == '(' || line[at] == '/');
}

} // namespace

ReportWriterLexer::ReportWriterLexer(QObject *parent) : QsciLexerCustom(parent) {}

const char *ReportWriterLexer::language() const
{
    return "Report-Writer";
}

QString ReportWriterLexer::description(int style) const
{
    switch (style) {
    case Default:
        return QStringLiteral("Default");
    case DotCommand:
        return QStringLiteral("Dot-command");
    case ParenComment:
        return QStringLiteral("Comment (* *)");
    case SlashComment:
        return QStringLiteral("Comment /* */");
    case String:
        return QStringLiteral("String");
    case Keyword:
        return QStringLiteral("Keyword");
    }
    return {};
}

QColor ReportWriterLexer::defaultColor(int style) const
{
    switch (style) {
    case DotCommand:
        return NamedValues::toQColor(0x000080); // clMaroon
    case ParenComment:
    case SlashComment:
        return NamedValues::toQColor(NamedValues::clNavy);
    case String:
        return NamedValues::toQColor(0x808000); // clTeal
    case Keyword:
        return defaultPaper(style);
    }
    return QsciLexerCustom::defaultColor(style);
}

QFont ReportWriterLexer::defaultFont(int style) const
{
    QFont font = QsciLexerCustom::defaultFont(style);
    if (style == ParenComment || style == SlashComment)
        font.setItalic(true);
    return font;
}

void ReportWriterLexer::setEditorFont(const QFont &font)
{
    setDefaultFont(font);
    for (int style = Default; style <= Keyword; ++style) {
        QFont styleFont = font;
        if (style == ParenComment || style == SlashComment)
            styleFont.setItalic(true);
        setFont(styleFont, style);
    }
}

void ReportWriterLexer::setBackground(const QColor &colour)
{
    setDefaultPaper(colour);
    setPaper(colour, -1);
    setColor(colour, Keyword);
}

void ReportWriterLexer::styleText(int start, int end)
{
    QsciScintilla *scintilla = editor();
    if (!scintilla)
        return;
    const auto send = [scintilla](unsigned int message, unsigned long value = 0) {
        return int(scintilla->SendScintilla(message, value));
    };
    const int firstLine = send(QsciScintilla::SCI_LINEFROMPOSITION, start);
    const int lastLine = send(QsciScintilla::SCI_LINEFROMPOSITION, std::max(start, end - 1));
    const int lineCount = send(QsciScintilla::SCI_GETLINECOUNT);
    auto open = OpenComment(firstLine > 0 ? send(QsciScintilla::SCI_GETLINESTATE, firstLine - 1)
                                          : NoComment);
    startStyling(send(QsciScintilla::SCI_POSITIONFROMLINE, firstLine));
    for (int line = firstLine; line <= lastLine; ++line) {
        const int from = send(QsciScintilla::SCI_POSITIONFROMLINE, line);
        const int to = line + 1 < lineCount ? send(QsciScintilla::SCI_POSITIONFROMLINE, line + 1)
                                            : send(QsciScintilla::SCI_GETLENGTH);
        QByteArray text = scintilla->bytes(from, to);
        text.truncate(to - from); // the copy ends in a NUL
        open = styleLine(text, open);
        scintilla->SendScintilla(QsciScintilla::SCI_SETLINESTATE, line, long(open));
    }
}

// Styles one line (with its line end) and returns the comment left open at
// its end.
ReportWriterLexer::OpenComment ReportWriterLexer::styleLine(const QByteArray &line,
                                                            OpenComment open)
{
    const int size = int(line.size());
    int at = 0;
    if (open != NoComment) {
        const int close = closingEnd(line, 0, open);
        at = close < 0 ? size : close;
        setStyling(at, commentStyle(open));
        if (close >= 0)
            open = NoComment;
    }
    while (at < size) {
        int next = at + 1;
        Style style = Default;
        if (isBlank(line[at])) {
            while (next < size && isBlank(line[next]))
                ++next;
        } else if (opensComment(line, at)) {
            const OpenComment kind = line[at] == '(' ? OpenParen : OpenSlash;
            const int close = closingEnd(line, at + 2, kind);
            next = close < 0 ? size : close;
            if (close < 0)
                open = kind;
            style = commentStyle(kind);
        } else if (isQuote(line[at])) {
            const int close = int(line.indexOf(line[at], at + 1));
            next = close < 0 ? size : close + 1;
            while (close < 0 && next > at + 1 && isBlank(line[next - 1]))
                --next; // the line end is no part of an unterminated string
            style = String;
        } else {
            while (next < size && !isBlank(line[next]) && !isQuote(line[next])
                   && !opensComment(line, next))
                ++next;
            style = wordStyle(line.mid(at, next - at));
        }
        setStyling(next - at, style);
        at = next;
    }
    return open;
}

// Just after the pair that closes a comment of the given kind, searching
// from `from`; -1 when the comment goes on past the line.
int ReportWriterLexer::closingEnd(const QByteArray &line, int from, OpenComment kind)
{
    const int close = int(line.indexOf(kind == OpenParen ? "*)" : "*/", from));
    return close < 0 ? -1 : close + 2;
}

ReportWriterLexer::Style ReportWriterLexer::commentStyle(OpenComment kind)
{
    return kind == OpenParen ? ParenComment : SlashComment;
}

ReportWriterLexer::Style ReportWriterLexer::wordStyle(const QByteArray &word)
{
    if (word.startsWith('.'))
        return DotCommand;
    if (word.compare("#--<", Qt::CaseInsensitive) == 0)
        return Keyword;
    return Default;
}
