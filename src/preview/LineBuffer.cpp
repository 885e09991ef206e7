#include "preview/LineBuffer.h"

namespace {

// Underlining marks the characters of names and numbers, not blanks or
// punctuation between them.
bool isUnderlined(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#')
           || c == QLatin1Char('@') || c == QLatin1Char('$');
}

qsizetype trimmedLength(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return end;
}

} // namespace

void LineBuffer::setCurrentLine(int line)
{
    // A line moved to is started only by what is written on it.
    m_current = std::max(line, 0);
}

LineBuffer::Line &LineBuffer::line(int index)
{
    while (m_started <= index) {
        if (m_started == m_lines.size()) {
            m_lines.append(Line());
        } else {
            m_lines[m_started].text.resize(0);
            m_lines[m_started].underlines.resize(0);
        }
        ++m_started;
    }
    return m_lines[index];
}

// Lays text over the line from column on: the line grows once, and blanks
// leave what is under them.
void LineBuffer::put(Line &target, int column, QStringView text, QChar underline)
{
    const qsizetype end = column + text.size();
    if (target.text.size() < end)
        target.text.resize(end, QLatin1Char(' '));
    const bool marking = !underline.isNull();
    if (marking && target.underlines.size() < end)
        target.underlines.resize(end, QChar());
    QChar *out = target.text.data() + column;
    QChar *marks = marking ? target.underlines.data() + column : nullptr;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' '))
            continue;
        out[i] = c;
        if (marking && isUnderlined(c))
            marks[i] = underline;
    }
}

void LineBuffer::write(const QString &text, QChar underline, int leftMargin, int rightMargin)
{
    line(m_current);
    const bool wraps = rightMargin > leftMargin;
    QStringView rest(text);
    while (!rest.isEmpty()) {
        if (wraps && m_position >= rightMargin) {
            ++m_current;
            m_position = leftMargin;
        }
        const qsizetype room = wraps ? rightMargin - m_position : rest.size();
        const QStringView piece = rest.first(std::min(room, rest.size()));
        put(line(m_current), m_position, piece, underline);
        m_position += int(piece.size());
        rest = rest.sliced(piece.size());
    }
}

void LineBuffer::writeAt(int lineOffset, int column, const QString &text, QChar underline)
{
    put(line(m_current + lineOffset), column, text, underline);
}

int LineBuffer::lineEnd() const
{
    if (m_current >= m_started)
        return 0;
    return int(trimmedLength(m_lines[m_current].text));
}

QList<PrintedLine> LineBuffer::take()
{
    QList<PrintedLine> printed;
    printed.reserve(m_started);
    for (int index = 0; index < m_started; ++index) {
        const Line &source = m_lines[index];
        PrintedLine out;
        const qsizetype end = trimmedLength(source.text);
        const qsizetype marked = std::min(end, source.underlines.size());
        for (qsizetype i = 0; i < marked; ++i) {
            const QChar mark = source.underlines[i];
            if (mark.isNull())
                continue;
            UnderlineSpan *last = out.underlines.isEmpty() ? nullptr : &out.underlines.last();
            if (last && last->start + last->length == i && last->character == mark)
                ++last->length;
            else
                out.underlines.append({int(i), 1, mark});
        }
        // The printed line keeps no room beyond its text.
        if (end > 0)
            out.text = QString(source.text.constData(), end);
        printed.append(std::move(out));
    }
    m_started = 0;
    m_current = 0;
    return printed;
}
