#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// One reply of an FTP server: its three-digit code and its lines of text,
// without the codes that lead them.
struct FtpReply
{
    int code = 0;
    QStringList lines;

    // 1yz: more replies to the same command follow.
    bool isPreliminary() const { return code >= 100 && code < 200; }
    bool isPositive() const { return code >= 200 && code < 300; }
    // The lines joined by blanks.
    QString text() const { return lines.join(u' '); }
};

// Cuts what a server sends on the control connection into replies. A reply
// is one line "ddd text", or several lines from "ddd-text" to the first
// line that begins with the same code and a blank. Lines end in CR LF or
// in LF alone.
class FtpReplyParser
{
public:
    // A longer reply, or a line that leads nowhere for this long, is not
    // FTP: nothing a client needs is so long.
    static constexpr qsizetype MaxReplySize = 64 * 1024;

    void append(QByteArrayView bytes) { m_buffer.append(bytes); }

    // The next reply once all its lines have arrived; none while it has
    // not, or once the bytes broke the reply form (see isMalformed()).
    std::optional<FtpReply> takeReply();

    // The bytes are not FTP replies; nothing more will be taken from them.
    bool isMalformed() const { return m_malformed; }

private:
    std::optional<FtpReply> takeLine(QByteArrayView line);

    QByteArray m_buffer;
    qsizetype m_start = 0;    // where the next line begins in m_buffer
    qsizetype m_searched = 0; // bytes from m_start known to hold no line end
    FtpReply m_pending;       // a multi-line reply begun; code 0 when none
    qsizetype m_pendingSize = 0;
    bool m_malformed = false;
};
