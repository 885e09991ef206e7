#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <memory>

class QIODevice;
class QTcpServer;
class QTcpSocket;

// "5 seconds": how messages name a limit on a wait for the server.
QString ftpWaitLimitText(int milliseconds);

// The data connection of one upload. The client either listens and the
// server connects (active mode) or connects to where the server listens
// (passive mode); then it sends the file's bytes and closes the
// connection, which tells the server that the file has ended. No wait for
// the server, for the connection or for room to send, lasts longer than
// the time-out.
class FtpDataConnection : public QObject
{
    Q_OBJECT

public:
    explicit FtpDataConnection(int timeout, QObject *parent = nullptr);
    ~FtpDataConnection() override;

    // Active mode: listens on localAddress for the one connection, which
    // only server may make. The port listened on, or 0 when none could be
    // opened (errorString() tells why).
    quint16 listen(const QHostAddress &localAddress, const QHostAddress &server);
    QString errorString() const { return m_error; }

    // Passive mode: connects to where the server listens.
    void connectToServer(const QHostAddress &address, quint16 port);

    // Sends total bytes of file, named name in messages, as soon as the
    // connection is open, then closes it.
    void send(QIODevice *file, qint64 total, const QString &name);

    // Drops the connection at once and gives no more signals.
    void abort();

signals:
    // The connection is open and the first bytes go out.
    void started(qint64 total);
    void packetSent(qint64 sent, qint64 total);
    // Every byte went out and the connection is closing.
    void finished();
    void failed(const QString &message);

private:
    enum class State { Idle, Waiting, Open, Sending, Done, Failed };

    void takeConnection();
    void adopt(QTcpSocket *socket);
    void opened();
    void begin();
    void fill();
    void written(qint64 bytes);
    void lost();
    void timedOut();
    void fail(const QString &message);

    int m_timeout;
    QTimer m_timer;
    State m_state = State::Idle;
    std::unique_ptr<QTcpServer> m_listener;
    QHostAddress m_server;
    QTcpSocket *m_socket = nullptr;
    QIODevice *m_file = nullptr;
    QString m_name;
    QString m_error;
    qint64 m_total = 0;
    qint64 m_read = 0;
    qint64 m_sent = 0;
};
