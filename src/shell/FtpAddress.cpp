#include "shell/FtpAddress.h"

#include <QRegularExpression>

#include <algorithm>

QString FtpEndpoint::toString() const
{
    const bool ipv6 = host.contains(u':');
    return (ipv6 ? u'[' + host + u']' : host) + u':' + QString::number(port);
}

namespace FtpAddress {

namespace {

std::optional<quint16> portNumber(QStringView text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    // toUInt takes a sign and blanks; a port is digits only.
    const bool digitsOnly =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!ok || !digitsOnly || port < 1 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

} // namespace

std::optional<FtpEndpoint> parseHostSetting(const QString &setting)
{
    const QString text = setting.trimmed();
    QString host = text;
    QStringView port;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        host = text.mid(1, close - 1);
        const QStringView rest = QStringView(text).sliced(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':'))
                return std::nullopt;
            port = rest.sliced(1);
            if (port.isEmpty())
                return std::nullopt;
        }
    } else if (text.count(u':') == 1) {
        const qsizetype colon = text.indexOf(u':');
        host = text.left(colon);
        port = QStringView(text).sliced(colon + 1);
        if (port.isEmpty())
            return std::nullopt;
    }
    if (host.isEmpty())
        return std::nullopt;
    if (port.isEmpty())
        return FtpEndpoint{host, DefaultPort};
    const std::optional<quint16> number = portNumber(port);
    if (!number)
        return std::nullopt;
    return FtpEndpoint{host, *number};
}

std::optional<FtpEndpoint> parsePassiveReply(const QString &text)
{
    static const QRegularExpression sixNumbers(QStringLiteral(
        "(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})"
        "\\s*,\\s*(\\d{1,3})"));
    const QRegularExpressionMatch match = sixNumbers.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    int numbers[6];
    for (int i = 0; i < 6; ++i) {
        numbers[i] = match.captured(i + 1).toInt();
        if (numbers[i] > 255)
            return std::nullopt;
    }
    const int port = numbers[4] * 256 + numbers[5];
    if (port == 0)
        return std::nullopt;
    const QString host = QStringLiteral("%1.%2.%3.%4")
                             .arg(numbers[0])
                             .arg(numbers[1])
                             .arg(numbers[2])
                             .arg(numbers[3]);
    return FtpEndpoint{host, quint16(port)};
}

QByteArray portArgument(const QHostAddress &address, quint16 port)
{
    bool ipv4 = false;
    const quint32 value = address.toIPv4Address(&ipv4);
    if (!ipv4)
        return QByteArray();
    return QByteArray::number(value >> 24) + ',' + QByteArray::number((value >> 16) & 0xFF) + ','
           + QByteArray::number((value >> 8) & 0xFF) + ',' + QByteArray::number(value & 0xFF) + ','
           + QByteArray::number(port >> 8) + ',' + QByteArray::number(port & 0xFF);
}

} // namespace FtpAddress
