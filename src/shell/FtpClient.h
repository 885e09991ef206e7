#pragma once

#include "shell/FtpAddress.h"
#include "shell/FtpReply.h"

#include <QAbstractSocket>
#include <QObject>
#include <QTimer>

#include <memory>

class FtpDataConnection;
class QBuffer;
class QTcpSocket;

// An FTP client for uploads: it logs in, changes the directory, stores one
// file and quits. Every operation returns at once and ends in a signal:
// its own on success, failed() with a message on failure. A wait for the
// server never lasts longer than the time-out, and no message names the
// password.
//
// Data connections are active by default: the client listens and announces
// its address with PORT; in passive mode it asks with PASV where the server
// listens, and connects to that port on the server's own address whatever
// host the reply names. Both carry IPv4 addresses only, so the client talks
// IPv4. No TYPE is sent: the server's default representation type applies.
class FtpClient : public QObject
{
    Q_OBJECT

public:
    explicit FtpClient(QObject *parent = nullptr);
    ~FtpClient() override;

    // "host" or "host:port"; port 21 when none is given.
    void setHost(const QString &host) { m_host = host; }
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    void setUserName(const QString &user) { m_user = user; }
    void setPassword(const QString &password) { m_password = password; }
    void setPassive(bool passive) { m_passive = passive; }

    // Logged in on an open control connection.
    bool isConnected() const;
    // An operation waits for the server.
    bool isBusy() const;

    // Opens the control connection and logs in: "USER", and "PASS" when
    // the server asks for a password (331). Ends in connected().
    void connectToServer();
    // "CWD folder". Ends in directoryChanged().
    void changeDirectory(const QString &folder);
    // Stores the local file under remoteName: the file's size is the total,
    // its bytes go unchanged. Ends in uploaded(); on the way it gives
    // transferStarted(), packetSent() after each block and transferStopped().
    void upload(const QString &localPath, const QString &remoteName);
    // "QUIT", then the connection closes; an error reply (301 to 599) fails.
    // Ends in disconnected(). An operation still waiting is given up. No
    // effect while not logged in.
    void disconnectFromServer();
    // Drops every connection at once, sending nothing and signalling nothing.
    void abort();

signals:
    void connected();
    void directoryChanged();
    void transferStarted(qint64 total);
    void packetSent(qint64 sent, qint64 total);
    void transferStopped();
    void uploaded();
    void disconnected();
    void failed(const QString &message);
    // Something the user should know that does not stop the upload.
    void notice(const QString &message);

private:
    enum class State {
        Unconnected,
        Connecting,
        Greeting,
        User,
        Password,
        Ready,
        ChangingDirectory,
        Port,
        Passive,
        Store,
        Transferring,
        StoreResult,
        Quitting,
    };

    // False, after failing, when the client cannot start an operation now.
    bool mayStart(State required);
    // False, after failing, when a command argument holds a line break,
    // which would end the command early and start another.
    bool isOneLine(const QString &argument, const QString &what);
    void sendCommand(const QByteArray &line, State next, const QString &shown);
    void sendStore();
    void controlConnected();
    void readReplies();
    void handleReply(const FtpReply &reply);
    void handleLoginReply(const FtpReply &reply);
    void handleQuitReply(const FtpReply &reply);
    void handlePassiveReply(const FtpReply &reply);
    void transferFinished();
    void controlClosed();
    void controlFailed(QAbstractSocket::SocketError error);
    void timedOut();
    QString serverName() const { return m_endpoint.toString(); }
    QString quoted(const FtpReply &reply) const;

    // The operation failed and the session goes with it.
    void fail(const QString &message);
    // The server refused the command; the session stays usable.
    void refuse(const FtpReply &reply);
    void report(const QString &message);
    // The message with the password cut out, in any letter case.
    QString masked(const QString &message) const;
    void dropConnections();
    void dropTransfer();

    QTcpSocket *m_control;
    FtpDataConnection *m_data = nullptr;
    // The file being sent, read whole before the transfer starts.
    std::unique_ptr<QBuffer> m_file;
    QString m_fileName;
    FtpReplyParser m_parser;
    QTimer m_timer;
    State m_state = State::Unconnected;
    // What messages call the command waiting for its reply: "CWD /", "PASS".
    QString m_command;
    QString m_host;
    FtpEndpoint m_endpoint;
    QString m_user;
    QString m_password;
    bool m_passive = false;
    int m_timeout = 5000;
    QString m_remoteName;
    qint64 m_total = 0;
    // Final replies still owed to commands that QUIT overtook.
    int m_repliesToSkip = 0;
};
