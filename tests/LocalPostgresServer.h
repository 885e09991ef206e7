#pragma once

// A PostgreSQL server of the test's own: a cluster made by initdb in a
// temporary folder, served by postgres on a Unix socket in that folder and
// on no TCP address. The server refuses to run as root, so a test running
// as root runs initdb and postgres as "nobody", owner of the folder. It
// stops, and its folder goes, when the object goes.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QVersionNumber>

#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

class LocalPostgresServer
{
public:
    static constexpr char User[] = "kestrova";
    // Only names the socket file: the folder is the server's own.
    static constexpr int Port = 5432;

    LocalPostgresServer() = default;
    ~LocalPostgresServer() { stop(); }
    LocalPostgresServer(const LocalPostgresServer &) = delete;
    LocalPostgresServer &operator=(const LocalPostgresServer &) = delete;

    // False, with the reason in errorString(), when no server could be made.
    bool start()
    {
        const QString binaries = binaryFolder();
        if (binaries.isEmpty())
            return fail(QStringLiteral("no PostgreSQL server programs (initdb, postgres) were "
                                       "found; scripts/setup.sh installs the package postgresql"));
        if (!m_folder.isValid())
            return fail(QStringLiteral("no temporary folder"));
        if (!prepareUser())
            return false;
        const QString data = m_folder.filePath(QStringLiteral("data"));
        if (!run(binaries + QStringLiteral("/initdb"),
                 {QStringLiteral("-D"), data, QStringLiteral("-U"), QString::fromLatin1(User),
                  QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                  QStringLiteral("--no-locale")}))
            return false;
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        setCommand(m_server, binaries + QStringLiteral("/postgres"),
                   {QStringLiteral("-D"), data, QStringLiteral("-k"), socketFolder(),
                    QStringLiteral("-p"), QString::number(Port), QStringLiteral("-c"),
                    QStringLiteral("listen_addresses="), QStringLiteral("-c"),
                    QStringLiteral("fsync=off")});
        m_server.start();
        // The socket is there before the server takes connections; its log
        // says when it does.
        const QDeadlineTimer deadline(30000);
        while (!m_output.contains("ready to accept connections")) {
            if (m_server.state() == QProcess::NotRunning || deadline.hasExpired()) {
                stop();
                return fail(QStringLiteral("postgres did not start: ")
                            + QString::fromLocal8Bit(m_output));
            }
            m_server.waitForReadyRead(100);
            m_output += m_server.readAll();
        }
        return true;
    }

    void stop()
    {
        if (m_server.state() == QProcess::NotRunning)
            return;
        // The fast shutdown: no waiting for clients.
        ::kill(pid_t(m_server.processId()), SIGINT);
        if (!m_server.waitForFinished(10000)) {
            m_server.kill();
            m_server.waitForFinished(3000);
        }
        m_output += m_server.readAll();
    }

    QString errorString() const { return m_error; }
    // The host the QPSQL driver takes for a Unix socket: its folder.
    QString socketFolder() const { return m_folder.path(); }

private:
    // pg_config names the folder of the newest server installed; without it
    // the newest of Debian's versioned folders.
    static QString binaryFolder()
    {
        QProcess config;
        config.start(QStringLiteral("pg_config"), {QStringLiteral("--bindir")});
        if (config.waitForFinished(5000) && config.exitCode() == 0) {
            const QString folder = QString::fromLocal8Bit(config.readAllStandardOutput()).trimmed();
            if (QFileInfo::exists(folder + QStringLiteral("/initdb"))
                && QFileInfo::exists(folder + QStringLiteral("/postgres")))
                return folder;
        }
        QString best;
        QVersionNumber bestVersion;
        const QDir versions(QStringLiteral("/usr/lib/postgresql"));
        for (const QString &name : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString folder = versions.filePath(name) + QStringLiteral("/bin");
            const QVersionNumber version = QVersionNumber::fromString(name);
            if (QFileInfo::exists(folder + QStringLiteral("/initdb")) && version > bestVersion) {
                best = folder;
                bestVersion = version;
            }
        }
        return best;
    }

    // As root: the programs run as "nobody", who owns the folder.
    bool prepareUser()
    {
        if (::geteuid() != 0)
            return true;
        const passwd *nobody = ::getpwnam("nobody");
        if (!nobody)
            return fail(QStringLiteral("running as root, and there is no user \"nobody\" to run "
                                       "the server as"));
        m_uid = nobody->pw_uid;
        m_gid = nobody->pw_gid;
        m_switchUser = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (m_switchUser.isEmpty())
            return fail(QStringLiteral("running as root, and setpriv (util-linux) is missing "
                                       "to run the server as \"nobody\""));
        if (::chown(QFile::encodeName(m_folder.path()).constData(), m_uid, m_gid) != 0)
            return fail(QStringLiteral("the server's folder cannot be given to \"nobody\""));
        return true;
    }

    // setpriv replaces itself by the program: the process is the server's.
    void setCommand(QProcess &process, const QString &program, const QStringList &arguments) const
    {
        if (m_switchUser.isEmpty()) {
            process.setProgram(program);
            process.setArguments(arguments);
            return;
        }
        process.setProgram(m_switchUser);
        process.setArguments(QStringList{QStringLiteral("--reuid=%1").arg(m_uid),
                                         QStringLiteral("--regid=%1").arg(m_gid),
                                         QStringLiteral("--clear-groups"), program}
                             + arguments);
        // The programs look for their home and may not read root's.
        process.setWorkingDirectory(m_folder.path());
    }

    bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        setCommand(process, program, arguments);
        process.start();
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return fail(QFileInfo(program).fileName() + QStringLiteral(" failed: ")
                        + QString::fromLocal8Bit(process.readAll()));
        return true;
    }

    bool fail(const QString &error)
    {
        m_error = error;
        return false;
    }

    QTemporaryDir m_folder;
    QProcess m_server;
    QByteArray m_output;
    QString m_error;
    QString m_switchUser;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
};
