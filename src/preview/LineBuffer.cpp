#include "preview/LineBuffer.h"

namespace {

// Underlining marks the characters of names and numbers, not blanks or
// punctuation between them.
bool isUnderlined(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#')
           || c == QLatin1Char('@') || c == QLatin1Char('$');
}

} // namespace

void LineBuffer::setCurrentLine(int line)
{
    // A line moved to is started only by what is written on it.
    m_current = std::max(line, 0);
}

LineBuffer::Line &LineBuffer::line(int index)
{
    while (m_lines.size() <= index)
        m_lines.append(Line());
    return m_lines[index];
}

void LineBuffer::put(Line &target, int column, QChar c, bool underline)
{
    if (target.text.size() <= column) {
        target.text.append(QString(column + 1 - target.text.size(), QLatin1Char(' ')));
        target.underlined.append(QByteArray(column + 1 - target.underlined.size(), '\0'));
    }
    if (c != QLatin1Char(' ')) {
        target.text[column] = c;
        if (underline && isUnderlined(c))
            target.underlined[column] = 1;
    }
}

void LineBuffer::write(const QString &text, bool underline, int leftMargin, int rightMargin)
{
    line(m_current);
    for (const QChar c : text) {
        if (rightMargin > leftMargin && m_position >= rightMargin) {
            ++m_current;
            m_position = leftMargin;
        }
        put(line(m_current), m_position, c, underline);
        ++m_position;
    }
}

void LineBuffer::writeAt(int lineOffset, int column, const QString &text, bool underline)
{
    Line &target = line(m_current + lineOffset);
    for (int i = 0; i < text.size(); ++i)
        put(target, column + i, text[i], underline);
}

int LineBuffer::lineEnd() const
{
    if (m_current >= m_lines.size())
        return 0;
    const QString &text = m_lines[m_current].text;
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return int(end);
}

QList<PrintedLine> LineBuffer::take()
{
    QList<PrintedLine> printed;
    printed.reserve(m_lines.size());
    for (const Line &source : std::as_const(m_lines)) {
        PrintedLine out;
        qsizetype end = source.text.size();
        while (end > 0 && source.text[end - 1] == QLatin1Char(' '))
            --end;
        out.text = source.text.left(end);
        for (qsizetype i = 0; i < end; ++i) {
            if (!source.underlined[i])
                continue;
            if (!out.underlines.isEmpty()
                && out.underlines.last().start + out.underlines.last().length == i)
                ++out.underlines.last().length;
            else
                out.underlines.append({int(i), 1});
        }
        printed.append(out);
    }
    m_lines.clear();
    m_current = 0;
    return printed;
}
