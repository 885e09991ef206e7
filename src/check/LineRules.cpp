#include "check/LineRules.h"

namespace {

// The report program's line buffer.
constexpr qsizetype LongestLine = 255;

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

bool isBlankLine(QByteArrayView text)
{
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r')
            return false;
    }
    return true;
}

} // namespace

LineRules::LineRules(QByteArrayView text, ProblemList &problems)
    : m_text(text), m_problems(problems), m_readText(text)
{
    qsizetype start = 0;
    int line = 1;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf('\n', start);
        if (newline < 0) {
            checkLine(line, start, text.size());
            if (!isBlankLine(text.sliced(start))) {
                m_problems.warning(line, QStringLiteral("last line has no line end: the report "
                                                        "program drops it"));
            }
            m_readText = text.first(start);
            return;
        }
        // A CR before the LF is part of the line end, as Windows writes it.
        checkLine(line, start,
                  newline > start && text[newline - 1] == '\r' ? newline - 1 : newline);
        start = newline + 1;
        ++line;
    }
}

void LineRules::checkLine(int line, qsizetype start, qsizetype end)
{
    const qsizetype length = end - start;
    if (length > LongestLine) {
        const qsizetype firstCut = m_cuts.size();
        for (qsizetype cut = start + LongestLine; cut < end; cut += LongestLine)
            m_cuts.append(cut);
        m_longLines.append({line, length, firstCut, m_cuts.size() - firstCut});
    }
    bool nulSeen = false;
    bool controlSeen = false;
    for (qsizetype i = start; i < end; ++i) {
        const char c = m_text[i];
        if (c == '\0' && !nulSeen) {
            nulSeen = true;
            m_problems.error(line, QStringLiteral("NUL byte in the text"));
        } else if (c != '\0' && isControl(c) && !controlSeen) {
            controlSeen = true;
            m_problems.warning(
                line, QStringLiteral("control character 0x%1 in the text")
                          .arg(int(static_cast<unsigned char>(c)), 2, 16, QLatin1Char('0')));
        }
    }
}

void LineRules::reportLongLine(const LongLine &line, bool split) const
{
    const QString message =
        QStringLiteral("line is %1 bytes long; the report program reads %2 and starts a new line "
                       "with the rest")
            .arg(line.length)
            .arg(LongestLine);
    if (split)
        m_problems.error(line.line, message + QStringLiteral(", splitting a word"));
    else
        m_problems.warning(line.line, message);
}
