#include "shell/FtpDataConnection.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

namespace {

// Bytes read from the file at a time; about two of them wait in the
// socket, so the connection never runs dry while the next is read.
constexpr qint64 BlockSize = 32 * 1024;

} // namespace

QString ftpWaitLimitText(int milliseconds)
{
    const QString seconds = QString::number(milliseconds / 1000.0);
    return milliseconds == 1000 ? QStringLiteral("1 second") : seconds + QStringLiteral(" seconds");
}

FtpDataConnection::FtpDataConnection(int timeout, QObject *parent)
    : QObject(parent), m_timeout(timeout)
{
    m_timer.setSingleShot(true);
    // A coarse timer may end a wait up to 5 % early.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FtpDataConnection::timedOut);
}

FtpDataConnection::~FtpDataConnection() = default;

quint16 FtpDataConnection::listen(const QHostAddress &localAddress, const QHostAddress &server)
{
    m_server = server;
    m_listener = std::make_unique<QTcpServer>();
    if (!m_listener->listen(localAddress, 0)) {
        m_error = m_listener->errorString();
        m_listener.reset();
        return 0;
    }
    connect(m_listener.get(), &QTcpServer::newConnection, this, &FtpDataConnection::takeConnection);
    m_state = State::Waiting;
    return m_listener->serverPort();
}

void FtpDataConnection::takeConnection()
{
    while (QTcpSocket *socket = m_listener->nextPendingConnection()) {
        // Anyone may knock on a listening port; the file goes to the server.
        const bool fromServer =
            socket->peerAddress().isEqual(m_server, QHostAddress::ConvertV4MappedToIPv4);
        if (m_socket || m_state != State::Waiting || !fromServer) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setParent(this);
        adopt(socket);
        opened();
    }
}

void FtpDataConnection::connectToServer(const QHostAddress &address, quint16 port)
{
    auto *socket = new QTcpSocket(this);
    adopt(socket);
    connect(socket, &QTcpSocket::connected, this, &FtpDataConnection::opened);
    m_state = State::Waiting;
    socket->connectToHost(address, port);
}

void FtpDataConnection::adopt(QTcpSocket *socket)
{
    m_socket = socket;
    connect(socket, &QTcpSocket::bytesWritten, this, &FtpDataConnection::written);
    connect(socket, &QTcpSocket::disconnected, this, &FtpDataConnection::lost);
    connect(socket, &QTcpSocket::errorOccurred, this, &FtpDataConnection::lost);
}

void FtpDataConnection::opened()
{
    if (m_state != State::Waiting)
        return;
    m_state = State::Open;
    if (m_listener)
        m_listener->close();
    if (m_file)
        begin();
}

void FtpDataConnection::send(QIODevice *file, qint64 total, const QString &name)
{
    m_file = file;
    m_total = total;
    m_name = name;
    if (m_state == State::Open)
        begin();
    else if (m_state == State::Waiting)
        m_timer.start(m_timeout);
}

void FtpDataConnection::begin()
{
    m_state = State::Sending;
    m_timer.start(m_timeout);
    emit started(m_total);
    if (m_state == State::Sending)
        fill();
}

void FtpDataConnection::fill()
{
    while (m_read < m_total && m_socket->bytesToWrite() < BlockSize) {
        const QByteArray block = m_file->read(std::min(BlockSize, m_total - m_read));
        if (block.isEmpty()) {
            fail(QStringLiteral("Cannot read %1 after %2 of %3 bytes: %4")
                     .arg(m_name)
                     .arg(m_read)
                     .arg(m_total)
                     .arg(m_file->errorString()));
            return;
        }
        m_read += block.size();
        m_socket->write(block);
    }
    if (m_sent < m_total)
        return;
    m_state = State::Done;
    m_timer.stop();
    m_socket->disconnectFromHost();
    emit finished();
}

void FtpDataConnection::written(qint64 bytes)
{
    if (m_state != State::Sending)
        return;
    m_sent += bytes;
    m_timer.start(m_timeout);
    emit packetSent(m_sent, m_total);
    if (m_state == State::Sending)
        fill();
}

void FtpDataConnection::lost()
{
    // The socket gives both an error and the end of the connection: the
    // first one counts.
    if (m_state == State::Idle || m_state == State::Done || m_state == State::Failed)
        return;
    if (m_state == State::Waiting) {
        fail(QStringLiteral("Cannot open the data connection: %1").arg(m_socket->errorString()));
        return;
    }
    if (m_state == State::Open) {
        fail(QStringLiteral("The server closed the data connection before the transfer"));
        return;
    }
    fail(
        QStringLiteral("The data connection closed after %1 of %2 bytes").arg(m_sent).arg(m_total));
}

void FtpDataConnection::timedOut()
{
    if (m_state == State::Waiting) {
        fail(QStringLiteral("No data connection within %1").arg(ftpWaitLimitText(m_timeout)));
        return;
    }
    fail(QStringLiteral("The upload stalled after %1 of %2 bytes: nothing went out for %3")
             .arg(m_sent)
             .arg(m_total)
             .arg(ftpWaitLimitText(m_timeout)));
}

void FtpDataConnection::fail(const QString &message)
{
    abort();
    emit failed(message);
}

void FtpDataConnection::abort()
{
    m_state = State::Failed;
    m_timer.stop();
    if (m_listener)
        m_listener->close();
    if (m_socket)
        m_socket->abort();
}
