#include "shell/FtpReply.h"

#include <utility>

namespace {

// The code that leads line, or 0 when it leads with none.
int leadingCode(QByteArrayView line)
{
    if (line.size() < 3)
        return 0;
    int code = 0;
    for (qsizetype i = 0; i < 3; ++i) {
        const char digit = line[i];
        if (digit < '0' || digit > '9')
            return 0;
        code = code * 10 + (digit - '0');
    }
    return code >= 100 && code < 600 ? code : 0;
}

// What follows the code: ' ' ends a reply, '-' begins a multi-line one;
// a line of the code alone ends one too.
char separatorOf(QByteArrayView line)
{
    return line.size() == 3 ? ' ' : line[3];
}

QString textAfterCode(QByteArrayView line)
{
    return QString::fromUtf8(line.size() > 4 ? line.sliced(4) : QByteArrayView());
}

} // namespace

std::optional<FtpReply> FtpReplyParser::takeReply()
{
    while (!m_malformed) {
        // A line too long is too long whether or not its end has come yet.
        const qsizetype end = m_buffer.indexOf('\n', m_start + m_searched);
        if ((end < 0 ? m_buffer.size() : end) - m_start > MaxReplySize) {
            m_malformed = true;
            return std::nullopt;
        }
        if (end < 0) {
            // The lines taken go at once, not one by one: a flood of short
            // lines would otherwise move the rest of the bytes per line.
            m_buffer.remove(0, m_start);
            m_start = 0;
            // A line that arrives a byte at a time is searched once.
            m_searched = m_buffer.size();
            return std::nullopt;
        }
        m_searched = 0;
        QByteArrayView line(m_buffer.constData() + m_start, end - m_start);
        if (line.endsWith('\r'))
            line.chop(1);
        std::optional<FtpReply> reply = takeLine(line);
        m_start = end + 1;
        if (reply)
            return reply;
    }
    return std::nullopt;
}

std::optional<FtpReply> FtpReplyParser::takeLine(QByteArrayView line)
{
    const int code = leadingCode(line);
    if (m_pending.code == 0) {
        // A blank line between replies says nothing; some servers send one.
        if (line.isEmpty())
            return std::nullopt;
        const char separator = code ? separatorOf(line) : '\0';
        if (separator == ' ')
            return FtpReply{code, {textAfterCode(line)}};
        if (separator != '-') {
            m_malformed = true;
            return std::nullopt;
        }
        m_pending = FtpReply{code, {textAfterCode(line)}};
        m_pendingSize = line.size();
        return std::nullopt;
    }

    m_pendingSize += line.size() + 1;
    if (m_pendingSize > MaxReplySize) {
        m_malformed = true;
        return std::nullopt;
    }
    // Some servers lead every line with "ddd-"; the text is what follows.
    const bool ownCode = code == m_pending.code;
    if (ownCode && separatorOf(line) == ' ') {
        m_pending.lines.append(textAfterCode(line));
        m_pendingSize = 0;
        return std::exchange(m_pending, FtpReply());
    }
    m_pending.lines.append(ownCode && separatorOf(line) == '-' ? textAfterCode(line)
                                                               : QString::fromUtf8(line));
    return std::nullopt;
}
