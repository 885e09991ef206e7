#include "shell/FtpClient.h"

#include "shell/FtpDataConnection.h"

#include "model/InputFile.h"

#include <QBuffer>
#include <QTcpSocket>

FtpClient::FtpClient(QObject *parent) : QObject(parent), m_control(new QTcpSocket(this))
{
    m_timer.setSingleShot(true);
    // A coarse timer may end a wait up to 5 % early.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FtpClient::timedOut);
    connect(m_control, &QTcpSocket::connected, this, &FtpClient::controlConnected);
    connect(m_control, &QTcpSocket::readyRead, this, &FtpClient::readReplies);
    connect(m_control, &QTcpSocket::disconnected, this, &FtpClient::controlClosed);
    connect(m_control, &QTcpSocket::errorOccurred, this, &FtpClient::controlFailed);
}

FtpClient::~FtpClient()
{
    // The control socket's signals must not reach a half-destroyed client.
    m_control->disconnect(this);
}

bool FtpClient::isConnected() const
{
    switch (m_state) {
    case State::Unconnected:
    case State::Connecting:
    case State::Greeting:
    case State::User:
    case State::Password:
    case State::Quitting:
        return false;
    default:
        return true;
    }
}

bool FtpClient::isBusy() const
{
    return m_state != State::Unconnected && m_state != State::Ready;
}

bool FtpClient::mayStart(State required)
{
    if (m_state == required)
        return true;
    if (m_state == State::Unconnected)
        report(QStringLiteral("Not connected to an FTP server"));
    else if (m_state == State::Ready)
        report(QStringLiteral("Already connected to %1").arg(serverName()));
    else
        report(QStringLiteral("The FTP client is still busy"));
    return false;
}

bool FtpClient::isOneLine(const QString &argument, const QString &what)
{
    if (!argument.contains(u'\r') && !argument.contains(u'\n'))
        return true;
    report(QStringLiteral("The %1 holds a line break").arg(what));
    return false;
}

void FtpClient::connectToServer()
{
    if (!mayStart(State::Unconnected))
        return;
    const std::optional<FtpEndpoint> endpoint = FtpAddress::parseHostSetting(m_host);
    if (!endpoint) {
        report(QStringLiteral("No FTP server at \"%1\": give a host, or host:port").arg(m_host));
        return;
    }
    if (!isOneLine(m_user, QStringLiteral("FTP user name"))
        || !isOneLine(m_password, QStringLiteral("FTP password")))
        return;
    m_endpoint = *endpoint;
    m_parser = FtpReplyParser();
    m_state = State::Connecting;
    m_timer.start(m_timeout);
    m_control->connectToHost(m_endpoint.host, m_endpoint.port, QIODevice::ReadWrite,
                             QAbstractSocket::IPv4Protocol);
}

void FtpClient::controlConnected()
{
    m_state = State::Greeting;
    m_timer.start(m_timeout);
}

void FtpClient::changeDirectory(const QString &folder)
{
    if (!mayStart(State::Ready) || !isOneLine(folder, QStringLiteral("folder name")))
        return;
    const QString command = QStringLiteral("CWD ") + folder;
    sendCommand(command.toUtf8(), State::ChangingDirectory, command);
}

void FtpClient::upload(const QString &localPath, const QString &remoteName)
{
    if (!mayStart(State::Ready) || !isOneLine(remoteName, QStringLiteral("remote file name")))
        return;
    // Read through the program's one input path: a FIFO or a device in the
    // report's place must not hang or flood the upload.
    QString error;
    const std::optional<QByteArray> bytes = InputFile::read(localPath, &error);
    if (!bytes) {
        report(QStringLiteral("Cannot open %1: %2").arg(localPath, error));
        return;
    }
    m_file = std::make_unique<QBuffer>();
    m_file->setData(*bytes);
    m_file->open(QIODevice::ReadOnly);
    m_fileName = localPath;
    m_total = m_file->size();
    m_remoteName = remoteName;
    m_data = new FtpDataConnection(m_timeout, this);
    connect(m_data, &FtpDataConnection::started, this, &FtpClient::transferStarted);
    connect(m_data, &FtpDataConnection::packetSent, this, &FtpClient::packetSent);
    connect(m_data, &FtpDataConnection::finished, this, &FtpClient::transferFinished);
    connect(m_data, &FtpDataConnection::failed, this, &FtpClient::fail);
    if (m_passive) {
        sendCommand("PASV", State::Passive, QStringLiteral("PASV"));
        return;
    }
    // The server connects to the address it reached us on.
    const QHostAddress local = m_control->localAddress();
    const quint16 port = m_data->listen(local, m_control->peerAddress());
    if (port == 0) {
        const QString message =
            QStringLiteral("Cannot listen for the data connection: %1").arg(m_data->errorString());
        dropTransfer();
        report(message);
        return;
    }
    const QByteArray command = "PORT " + FtpAddress::portArgument(local, port);
    sendCommand(command, State::Port, QString::fromLatin1(command));
}

void FtpClient::sendStore()
{
    const QString command = QStringLiteral("STOR ") + m_remoteName;
    sendCommand(command.toUtf8(), State::Store, command);
}

void FtpClient::disconnectFromServer()
{
    if (!isConnected())
        return;
    // A command still waiting gets its final reply before QUIT gets one.
    m_repliesToSkip = m_state == State::Ready ? 0 : 1;
    dropTransfer();
    sendCommand("QUIT", State::Quitting, QStringLiteral("QUIT"));
}

void FtpClient::abort()
{
    dropConnections();
}

void FtpClient::sendCommand(const QByteArray &line, State next, const QString &shown)
{
    m_state = next;
    m_command = shown;
    m_timer.start(m_timeout);
    m_control->write(line + "\r\n");
}

void FtpClient::readReplies()
{
    m_parser.append(m_control->readAll());
    while (m_state != State::Unconnected) {
        const std::optional<FtpReply> reply = m_parser.takeReply();
        if (!reply)
            break;
        handleReply(*reply);
    }
    if (!m_parser.isMalformed() || m_state == State::Unconnected)
        return;
    if (isBusy())
        fail(QStringLiteral("%1 sent something that is not an FTP reply").arg(serverName()));
    else
        dropConnections();
}

void FtpClient::handleReply(const FtpReply &reply)
{
    switch (m_state) {
    case State::Greeting:
        // 120: the server will be ready in a while; its 220 follows. The
        // wait began with the connection and does not start again: a
        // server sending nothing but 1xx lines would hold the client for
        // ever.
        if (reply.isPreliminary())
            return;
        if (reply.code == 220) {
            const QString command = QStringLiteral("USER ") + m_user;
            sendCommand(command.toUtf8(), State::User, command);
        } else {
            fail(QStringLiteral("%1 refused the connection: %2").arg(serverName(), quoted(reply)));
        }
        return;
    case State::User:
    case State::Password:
        handleLoginReply(reply);
        return;
    case State::ChangingDirectory:
        if (reply.isPositive()) {
            m_state = State::Ready;
            m_timer.stop();
            emit directoryChanged();
        } else if (!reply.isPreliminary()) {
            refuse(reply);
        }
        return;
    case State::Port:
        if (reply.isPositive())
            sendStore();
        else if (!reply.isPreliminary())
            refuse(reply);
        return;
    case State::Passive:
        handlePassiveReply(reply);
        return;
    case State::Store:
        if (reply.isPreliminary()) {
            m_state = State::Transferring;
            m_timer.stop();
            m_data->send(m_file.get(), m_total, m_fileName);
        } else {
            refuse(reply);
        }
        return;
    case State::Transferring:
        // A final reply before the data has all gone ends the transfer.
        if (reply.isPositive())
            fail(QStringLiteral("%1 ended before the whole file was sent: %2")
                     .arg(m_command, quoted(reply)));
        else if (!reply.isPreliminary())
            refuse(reply);
        return;
    case State::StoreResult:
        if (reply.isPositive()) {
            dropTransfer();
            m_state = State::Ready;
            m_timer.stop();
            emit uploaded();
        } else if (!reply.isPreliminary()) {
            refuse(reply);
        }
        return;
    case State::Quitting:
        handleQuitReply(reply);
        return;
    case State::Unconnected:
    case State::Connecting:
    case State::Ready:
        // Nothing was asked; what the server means by it shows when the
        // connection closes.
        return;
    }
}

void FtpClient::handleLoginReply(const FtpReply &reply)
{
    if (m_state == State::User && reply.code == 331) {
        sendCommand("PASS " + m_password.toUtf8(), State::Password, QStringLiteral("PASS"));
        return;
    }
    if (reply.isPreliminary())
        return;
    if (!reply.isPositive()) {
        // The reply to PASS may repeat the password in any form (split over
        // lines, in other letter case, with controls inside): none of its
        // text is shown.
        const QString answer =
            m_state == State::Password ? QString::number(reply.code) : quoted(reply);
        fail(QStringLiteral("Login as %1 failed: %2").arg(m_user, answer));
        return;
    }
    m_state = State::Ready;
    m_timer.stop();
    emit connected();
}

void FtpClient::handlePassiveReply(const FtpReply &reply)
{
    if (reply.isPreliminary())
        return;
    if (reply.code != 227) {
        refuse(reply);
        return;
    }
    const std::optional<FtpEndpoint> endpoint = FtpAddress::parsePassiveReply(reply.text());
    if (!endpoint) {
        fail(QStringLiteral("PASV gave no address: %1").arg(quoted(reply)));
        return;
    }
    // The file goes only to the server the control connection reached: a
    // reply naming another host would send it anywhere (and let a server
    // aim the client at a third party). A server that does not know its
    // own address says 0.0.0.0, which is no other host.
    const QHostAddress server = m_control->peerAddress();
    const QHostAddress named(endpoint->host);
    if (named != QHostAddress::AnyIPv4
        && !named.isEqual(server, QHostAddress::ConvertV4MappedToIPv4)) {
        emit notice(QStringLiteral("PASV named %1, not the server's address: the data "
                                   "connection goes to %2 instead")
                        .arg(endpoint->host, server.toString()));
    }
    m_data->connectToServer(server, endpoint->port);
    sendStore();
}

void FtpClient::handleQuitReply(const FtpReply &reply)
{
    if (reply.isPreliminary())
        return;
    if (reply.code != 221 && m_repliesToSkip > 0) {
        --m_repliesToSkip;
        m_timer.start(m_timeout);
        return;
    }
    if (reply.code >= 301 && reply.code <= 599) {
        fail(QStringLiteral("QUIT failed: %1").arg(quoted(reply)));
        return;
    }
    dropConnections();
    emit disconnected();
}

void FtpClient::transferFinished()
{
    m_state = State::StoreResult;
    m_timer.start(m_timeout);
    emit transferStopped();
}

void FtpClient::controlClosed()
{
    // The last reply may have come with the end of the connection.
    if (m_control->bytesAvailable() > 0)
        readReplies();
    switch (m_state) {
    case State::Unconnected:
        return;
    case State::Ready:
        dropConnections();
        return;
    case State::Quitting:
        // The server went as asked, if without a word.
        dropConnections();
        emit disconnected();
        return;
    default:
        fail(QStringLiteral("%1 closed the connection").arg(serverName()));
        return;
    }
}

void FtpClient::controlFailed(QAbstractSocket::SocketError error)
{
    // The end of the connection comes as disconnected() too.
    if (error == QAbstractSocket::RemoteHostClosedError && m_state != State::Connecting)
        return;
    if (m_state == State::Unconnected)
        return;
    if (m_state == State::Ready) {
        dropConnections();
        return;
    }
    const QString reason = m_control->errorString();
    if (m_state == State::Connecting)
        fail(QStringLiteral("Cannot connect to %1: %2").arg(serverName(), reason));
    else
        fail(QStringLiteral("The connection to %1 failed: %2").arg(serverName(), reason));
}

void FtpClient::timedOut()
{
    const QString limit = ftpWaitLimitText(m_timeout);
    switch (m_state) {
    case State::Connecting:
        fail(QStringLiteral("%1 did not answer within %2").arg(serverName(), limit));
        return;
    case State::Greeting:
        fail(QStringLiteral("No greeting from %1 within %2").arg(serverName(), limit));
        return;
    default:
        fail(QStringLiteral("No reply to %1 within %2").arg(m_command, limit));
        return;
    }
}

QString FtpClient::quoted(const FtpReply &reply) const
{
    return QString::number(reply.code) + u' ' + reply.text();
}

void FtpClient::fail(const QString &message)
{
    dropConnections();
    report(message);
}

void FtpClient::refuse(const FtpReply &reply)
{
    const QString message = QStringLiteral("%1 failed: %2").arg(m_command, quoted(reply));
    dropTransfer();
    m_state = State::Ready;
    m_timer.stop();
    report(message);
}

void FtpClient::report(const QString &message)
{
    // A server may quote what it was sent, a path may hold anything: the
    // password is cut from every message, whatever its source.
    emit failed(masked(message));
}

QString FtpClient::masked(const QString &message) const
{
    QString text = message;
    if (!m_password.isEmpty())
        text.replace(m_password, QStringLiteral("****"), Qt::CaseInsensitive);
    return text;
}

void FtpClient::dropConnections()
{
    m_timer.stop();
    dropTransfer();
    m_state = State::Unconnected;
    m_parser = FtpReplyParser();
    m_repliesToSkip = 0;
    m_control->abort();
}

void FtpClient::dropTransfer()
{
    if (m_data) {
        // It may be in the middle of giving a signal.
        m_data->disconnect(this);
        m_data->abort();
        m_data->deleteLater();
        m_data = nullptr;
    }
    m_file.reset();
}
