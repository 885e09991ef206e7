// Reads arbitrary bytes as what an FTP server sends on the control
// connection, and checks what must hold for any input:
// - however the network cuts the bytes, the same replies come out, and
//   the same bytes break the reply form;
// - every reply has a code from 100 to 599 and no line holds a line end;
// - an address read from a reply is IPv4 with a port that is not 0, and
//   reads back as it was written for PORT;
// - a Host setting read from the bytes names a host and a port above 0.
// Byte 0 gives the size of the pieces the rest arrives in.

#include "shell/FtpAddress.h"
#include "shell/FtpReply.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

struct Result
{
    QList<FtpReply> replies;
    bool malformed = false;
};

Result parse(QByteArrayView bytes, qsizetype piece)
{
    Result result;
    FtpReplyParser parser;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        parser.append(bytes.sliced(at, std::min(piece, bytes.size() - at)));
        while (std::optional<FtpReply> reply = parser.takeReply())
            result.replies.append(*reply);
    }
    result.malformed = parser.isMalformed();
    return result;
}

bool sameReplies(const QList<FtpReply> &a, const QList<FtpReply> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].code != b[i].code || a[i].lines != b[i].lines)
            return false;
    }
    return true;
}

void checkPassiveAddress(const QString &text)
{
    const std::optional<FtpEndpoint> endpoint = FtpAddress::parsePassiveReply(text);
    if (!endpoint)
        return;
    check(endpoint->port != 0, "a passive port is not 0");
    const QHostAddress address(endpoint->host);
    check(address.protocol() == QAbstractSocket::IPv4Protocol, "a passive address is IPv4");
    const QByteArray argument = FtpAddress::portArgument(address, endpoint->port);
    const std::optional<FtpEndpoint> again =
        FtpAddress::parsePassiveReply(QString::fromLatin1(argument));
    check(again && again->host == endpoint->host && again->port == endpoint->port,
          "an address reads back as PORT gives it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView bytes(data + 1, qsizetype(size - 1));
    const qsizetype piece = data[0] % 16 + 1;

    const Result whole = parse(bytes, std::max<qsizetype>(bytes.size(), 1));
    const Result pieces = parse(bytes, piece);
    check(sameReplies(whole.replies, pieces.replies), "pieces give the same replies");
    check(whole.malformed == pieces.malformed, "pieces break the form at the same place");

    for (const FtpReply &reply : whole.replies) {
        check(reply.code >= 100 && reply.code <= 599, "a reply code is from 100 to 599");
        for (const QString &line : reply.lines)
            check(!line.contains(u'\n'), "no line holds a line end");
        checkPassiveAddress(reply.text());
    }

    const QString setting = QString::fromUtf8(bytes);
    if (const std::optional<FtpEndpoint> endpoint = FtpAddress::parseHostSetting(setting)) {
        check(!endpoint->host.isEmpty(), "a host setting names a host");
        check(endpoint->port > 0, "a host setting's port is above 0");
    }
    return 0;
}
