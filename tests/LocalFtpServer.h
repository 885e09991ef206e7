#pragma once

// A real FTP server for the upload tests: pyftpdlib, started on 127.0.0.1
// and a free port, serving a temporary folder that holds an empty folder
// "reports", with one user who may write. It stops when it goes.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

// Report-Writer source of exactly size bytes, its lines ending in LF, as a
// report written as a UNIX file is.
inline QByteArray unixReportText(qsizetype size)
{
    QByteArray text;
    for (int line = 0; text.size() < size; ++line)
        text += "\t.TAB 12 .PRINT 'amount " + QByteArray::number(line) + "' (f10.2)\n";
    text.truncate(size);
    return text;
}

class LocalFtpServer
{
public:
    static constexpr char User[] = "kestrova";
    static constexpr char Password[] = "Pa55-w0rd-only-here";

    LocalFtpServer() { QDir(m_root.path()).mkdir(QStringLiteral("reports")); }
    ~LocalFtpServer() { stop(); }
    LocalFtpServer(const LocalFtpServer &) = delete;
    LocalFtpServer &operator=(const LocalFtpServer &) = delete;

    // False, with the reason in errorString(), when the server would not
    // start: a port taken between choosing and binding it is tried again.
    bool start()
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            m_port = freePort();
            // Debian's interpreter: one found earlier on PATH may not see
            // Debian's modules.
            m_process.setProgram(QStringLiteral("/usr/bin/python3"));
            m_process.setArguments(
                {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                 QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(m_port),
                 QStringLiteral("-w"), QStringLiteral("-d"), m_root.path(), QStringLiteral("-u"),
                 QString::fromLatin1(User), QStringLiteral("-P"), QString::fromLatin1(Password)});
            m_process.setProcessChannelMode(QProcess::MergedChannels);
            m_process.start();
            if (waitUntilListening())
                return true;
            stop();
        }
        return false;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
        m_output += m_process.readAll();
    }

    QString errorString() const
    {
        return QStringLiteral("the FTP server (Debian package python3-pyftpdlib) did not start: ")
               + QString::fromLocal8Bit(m_output);
    }

    quint16 port() const { return m_port; }
    // The Host setting that reaches it.
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    // The local path of a file on the server.
    QString filePath(const QString &remotePath) const { return m_root.filePath(remotePath); }
    QByteArray contents(const QString &remotePath) const
    {
        QFile file(filePath(remotePath));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // A port nobody listens on now.
    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

private:
    bool waitUntilListening()
    {
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            if (m_process.state() == QProcess::NotRunning || m_process.waitForFinished(50)) {
                m_output += m_process.readAll();
                return false;
            }
            QTcpSocket knock;
            knock.connectToHost(QHostAddress::LocalHost, m_port);
            if (knock.waitForConnected(500) && knock.waitForReadyRead(2000)
                && knock.readAll().startsWith("220"))
                return true;
        }
        m_output += m_process.readAll();
        return false;
    }

    QTemporaryDir m_root;
    QProcess m_process;
    quint16 m_port = 0;
    QByteArray m_output;
};
