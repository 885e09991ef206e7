#pragma once

// An FTP server on 127.0.0.1 that follows a script, for what a real server
// will not do on request: log in without a password, say nothing, refuse
// QUIT, drop the connections in the middle of a file. It answers each
// command with the reply the test set for its verb, or with a usual one,
// and keeps the commands and the file's bytes it received. One client at a
// time.

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class ScriptedFtpServer
{
public:
    // Sent on connecting; empty: the server never says a word.
    QByteArray greeting = "220 Scripted server\r\n";
    // Replies by verb, in place of the usual ones; "%1" stands for the
    // command's argument, an empty reply says nothing. In a PASV reply "%p"
    // stands for the address and port the server listens on, "%P" for the
    // port alone (its two numbers).
    QHash<QByteArray, QByteArray> replies;
    // Once it has answered the verb waitAfter ("greeting": once it has
    // greeted), it sends waitLine every waitInterval milliseconds, for ever.
    QByteArray waitAfter;
    QByteArray waitLine;
    int waitInterval = 0;
    // The reply once the file has arrived; empty: none.
    QByteArray storeDone = "226 Transfer complete\r\n";
    // After this many bytes of the file it drops the file's connection,
    // and the control connection too unless told otherwise.
    qint64 dropAfterBytes = -1;
    bool dropsControl = true;
    // Above 0: until it has slowBytes of the file, it takes readChunk bytes
    // at a time, one take every readInterval milliseconds.
    qint64 slowBytes = 0;
    qint64 readChunk = 0;
    int readInterval = 0;
    // False: PORT is answered, but the server never connects.
    bool connectsBack = true;
    // False: the file's connection opens, but nothing is read from it.
    bool readsData = true;

    // The command lines received, without their line ends.
    QList<QByteArray> commands;
    // The bytes of the file.
    QByteArray received;
    int connections = 0;

    // On another address of the loopback range (127.0.0.3), a client that
    // connects to 127.0.0.1 instead finds nothing there.
    explicit ScriptedFtpServer(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost))
        : m_address(address)
    {
        m_listener.listen(m_address, 0);
        QObject::connect(&m_listener, &QTcpServer::newConnection, &m_context,
                         [this] { takeControl(); });
        QObject::connect(&m_passive, &QTcpServer::newConnection, &m_context, [this] {
            if (QTcpSocket *socket = m_passive.nextPendingConnection())
                takeData(socket);
        });
    }
    ScriptedFtpServer(const ScriptedFtpServer &) = delete;
    ScriptedFtpServer &operator=(const ScriptedFtpServer &) = delete;

    QString host() const
    {
        return QStringLiteral("%1:%2").arg(m_address.toString()).arg(m_listener.serverPort());
    }

    QList<QByteArray> verbs() const
    {
        QList<QByteArray> result;
        for (const QByteArray &command : commands)
            result.append(command.split(' ').constFirst());
        return result;
    }

private:
    void takeControl()
    {
        QTcpSocket *socket = m_listener.nextPendingConnection();
        if (!socket)
            return;
        ++connections;
        m_control = socket;
        QObject::connect(socket, &QTcpSocket::readyRead, &m_context, [this, socket] {
            if (socket == m_control)
                readCommands();
        });
        if (!greeting.isEmpty())
            socket->write(greeting);
        if (waitAfter == "greeting")
            startWaiting();
    }

    void startWaiting()
    {
        QObject::connect(&m_wait, &QTimer::timeout, &m_context, [this] {
            if (m_control)
                m_control->write(waitLine);
        });
        m_wait.start(waitInterval);
    }

    void readCommands()
    {
        m_buffer += m_control->readAll();
        qsizetype end;
        while (m_control && (end = m_buffer.indexOf("\r\n")) >= 0) {
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            commands.append(line);
            const qsizetype blank = line.indexOf(' ');
            const QByteArray verb = line.left(blank < 0 ? line.size() : blank).toUpper();
            const QByteArray argument = blank < 0 ? QByteArray() : line.mid(blank + 1);
            answer(verb, argument);
        }
    }

    void answer(const QByteArray &verb, const QByteArray &argument)
    {
        QByteArray reply = replies.value(verb, usualReply(verb));
        if (verb == "PORT" && connectsBack)
            openActive(argument);
        if (verb == "PASV") {
            m_passive.close();
            m_passive.listen(m_address, 0);
            const quint16 port = m_passive.serverPort();
            const QByteArray numbers =
                QByteArray::number(port >> 8) + ',' + QByteArray::number(port & 0xFF);
            reply.replace("%p", m_address.toString().toLatin1().replace('.', ',') + ',' + numbers);
            reply.replace("%P", numbers);
        }
        if (verb == "STOR")
            m_storing = reply.startsWith('1');
        reply.replace("%1", argument);
        if (!reply.isEmpty())
            m_control->write(reply);
        if (verb == "QUIT" && reply.startsWith("221"))
            m_control->disconnectFromHost();
        if (verb == waitAfter)
            startWaiting();
    }

    void drop(QTcpSocket *socket)
    {
        m_storing = false;
        socket->abort();
        if (m_control && dropsControl) {
            m_control->abort();
            m_control = nullptr;
        }
    }

    static QByteArray usualReply(const QByteArray &verb)
    {
        static const QHash<QByteArray, QByteArray> usual{
            {"USER", "331 Password please\r\n"},
            {"PASS", "230 Logged in\r\n"},
            {"CWD", "250 Folder changed\r\n"},
            {"PORT", "200 PORT done\r\n"},
            {"PASV", "227 Entering Passive Mode (%p)\r\n"},
            {"STOR", "150 Sending\r\n"},
            {"QUIT", "221 Goodbye\r\n"},
        };
        return usual.value(verb, "502 Not implemented\r\n");
    }

    void openActive(const QByteArray &argument)
    {
        const QList<QByteArray> numbers = argument.split(',');
        if (numbers.size() != 6)
            return;
        auto *socket = new QTcpSocket(&m_context);
        takeData(socket);
        socket->connectToHost(QHostAddress(QString::fromLatin1(numbers.mid(0, 4).join('.'))),
                              quint16(numbers[4].toInt() * 256 + numbers[5].toInt()));
    }

    void takeData(QTcpSocket *socket)
    {
        if (!readsData) {
            socket->setReadBufferSize(1);
            return;
        }
        const auto readAll = [this, socket] {
            received += socket->readAll();
            if (dropAfterBytes >= 0 && received.size() >= dropAfterBytes)
                drop(socket);
        };
        if (slowBytes > 0) {
            socket->setReadBufferSize(readChunk);
            auto *pace = new QTimer(socket);
            QObject::connect(pace, &QTimer::timeout, &m_context, [this, socket, pace, readAll] {
                received += socket->read(readChunk);
                if (received.size() < slowBytes)
                    return;
                pace->stop();
                QObject::connect(socket, &QTcpSocket::readyRead, &m_context, readAll);
                readAll();
            });
            pace->start(readInterval);
        } else {
            QObject::connect(socket, &QTcpSocket::readyRead, &m_context, readAll);
        }
        QObject::connect(socket, &QTcpSocket::disconnected, &m_context, [this, socket] {
            if (socket->isOpen())
                received += socket->readAll();
            if (m_storing && m_control && !storeDone.isEmpty())
                m_control->write(storeDone);
            m_storing = false;
        });
    }

    QHostAddress m_address;
    QTcpServer m_listener;
    QTcpServer m_passive;
    QTimer m_wait;
    QTcpSocket *m_control = nullptr;
    QByteArray m_buffer;
    bool m_storing = false;
    // Last, so that it goes first: no handler runs while the sockets go.
    QObject m_context;
};
