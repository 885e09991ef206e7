#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <optional>

// Where an FTP server listens: a host name or address and a port.
struct FtpEndpoint
{
    QString host;
    quint16 port = 0;

    // "host:port", as messages name the server.
    QString toString() const;
};

namespace FtpAddress {

inline constexpr quint16 DefaultPort = 21;

// The server a Host setting names: "host", "host:port" or "[IPv6]:port";
// a bare IPv6 address keeps its colons. Blanks around it are ignored.
// None when the host is empty or the port is not a number from 1 to 65535.
std::optional<FtpEndpoint> parseHostSetting(const QString &setting);

// The IPv4 address and port of a PASV reply's text, given as six numbers
// "h1,h2,h3,h4,p1,p2" (usually in parentheses); none when the text holds
// no such group.
std::optional<FtpEndpoint> parsePassiveReply(const QString &text);

// The argument of PORT for an IPv4 address and a port: "h1,h2,h3,h4,p1,p2".
// Empty for an address that is not IPv4.
QByteArray portArgument(const QHostAddress &address, quint16 port);

} // namespace FtpAddress
