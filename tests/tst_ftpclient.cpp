#include "LocalFtpServer.h"
#include "ScriptedFtpServer.h"
#include "shell/FtpClient.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The FTP client against a real server (pyftpdlib) and, for what a real
// server does not do, a scripted one: what it sends, what arrives, and how
// each failure ends.
class TestFtpClient : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void uploadsToRealServer_data();
    void uploadsToRealServer();
    void sendsTheCommandsInOrder_data();
    void sendsTheCommandsInOrder();
    void sendsNoPasswordUnlessAsked();
    void sendsOnlyARegularFile_data();
    void sendsOnlyARegularFile();
    void realServerFaults_data();
    void realServerFaults();
    void scriptedFaults_data();
    void scriptedFaults();
    void slowUploadIsNoStall();
    void hostThatDoesNotAnswer();
    void preliminaryRepliesDoNotExtendTheWait_data();
    void preliminaryRepliesDoNotExtendTheWait();
    void passiveGoesOnlyToTheServer_data();
    void passiveGoesOnlyToTheServer();
    void lineBreaksAreNotSent_data();
    void lineBreaksAreNotSent();
    void quitOvertakesAWaitingCommand_data();
    void quitOvertakesAWaitingCommand();

private:
    QTemporaryDir m_local;
};

namespace {

// The FTP window's limit, for a real server; a shorter one where the
// server is made to keep silent.
constexpr int ServerWait = 5000;
constexpr int ShortWait = 1000;

// An upload as the FTP window runs it: connect, change directory, upload,
// quit, each step started by the end of the one before. What the client
// signals is kept in order, the progress apart.
struct Session
{
    FtpClient client;
    QString folder = QStringLiteral("/reports");
    QString localPath;
    QString remoteName = QStringLiteral("SALES.RW");
    bool quitAfterUpload = true;
    QStringList events;
    QList<qint64> sent;
    QStringList failures;
    QStringList notices;
    bool ended = false;
    qint64 elapsed = 0; // milliseconds from connecting to the end

    Session(const QString &host, const QString &user, const QString &password, int timeout)
    {
        client.setHost(host);
        client.setTimeout(timeout);
        client.setUserName(user);
        client.setPassword(password);
        QObject::connect(&client, &FtpClient::connected, &client, [this] {
            events << QStringLiteral("connected");
            client.changeDirectory(folder);
        });
        QObject::connect(&client, &FtpClient::directoryChanged, &client, [this] {
            events << QStringLiteral("directory changed");
            client.upload(localPath, remoteName);
        });
        QObject::connect(&client, &FtpClient::transferStarted, &client, [this](qint64 total) {
            events << QStringLiteral("started %1").arg(total);
        });
        QObject::connect(&client, &FtpClient::packetSent, &client,
                         [this](qint64 bytes, qint64 total) {
                             if (sent.isEmpty())
                                 events << QStringLiteral("sending %1").arg(total);
                             sent << bytes;
                         });
        QObject::connect(&client, &FtpClient::transferStopped, &client,
                         [this] { events << QStringLiteral("stopped"); });
        QObject::connect(&client, &FtpClient::uploaded, &client, [this] {
            events << QStringLiteral("uploaded");
            if (quitAfterUpload)
                client.disconnectFromServer();
            else
                ended = true;
        });
        QObject::connect(&client, &FtpClient::disconnected, &client, [this] {
            events << QStringLiteral("disconnected");
            ended = true;
        });
        QObject::connect(&client, &FtpClient::notice, &client,
                         [this](const QString &message) { notices << message; });
        QObject::connect(&client, &FtpClient::failed, &client, [this](const QString &message) {
            events << QStringLiteral("failed");
            failures << message;
            ended = true;
        });
    }

    void run(int limit = 15000)
    {
        QElapsedTimer clock;
        clock.start();
        client.connectToServer();
        QTRY_VERIFY_WITH_TIMEOUT(ended, limit);
        elapsed = clock.elapsed();
    }
};

QString writeLocal(const QTemporaryDir &folder, const QByteArray &bytes)
{
    const QString path = folder.filePath(QStringLiteral("SALES.RW"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace

void TestFtpClient::init()
{
    QVERIFY(m_local.isValid());
}

void TestFtpClient::uploadsToRealServer_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("passive");

    QTest::newRow("empty file") << 0 << false;
    QTest::newRow("one line") << 31 << false;
    QTest::newRow("1 MB") << (1 << 20) << false;
    QTest::newRow("empty file, passive") << 0 << true;
    QTest::newRow("1 MB, passive") << (1 << 20) << true;
}

void TestFtpClient::uploadsToRealServer()
{
    QFETCH(int, size);
    QFETCH(bool, passive);

    LocalFtpServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    const QByteArray bytes = unixReportText(size);
    Session session(server.host(), QString::fromLatin1(LocalFtpServer::User),
                    QString::fromLatin1(LocalFtpServer::Password), ServerWait);
    session.client.setPassive(passive);
    session.localPath = writeLocal(m_local, bytes);
    session.run();
    if (QTest::currentTestFailed())
        return;

    QStringList expected{QStringLiteral("connected"), QStringLiteral("directory changed"),
                         QStringLiteral("started %1").arg(size)};
    if (size > 0)
        expected << QStringLiteral("sending %1").arg(size);
    expected << QStringLiteral("stopped") << QStringLiteral("uploaded")
             << QStringLiteral("disconnected");
    QCOMPARE(session.events, expected);
    QCOMPARE(server.contents(QStringLiteral("reports/SALES.RW")), bytes);
    // Progress only grows, and ends at the total.
    QVERIFY(std::is_sorted(session.sent.begin(), session.sent.end()));
    QCOMPARE(session.sent.isEmpty() ? 0 : session.sent.constLast(), qint64(size));
    QVERIFY(!session.client.isConnected());
}

void TestFtpClient::sendsTheCommandsInOrder_data()
{
    QTest::addColumn<bool>("passive");

    QTest::newRow("active") << false;
    QTest::newRow("passive") << true;
}

void TestFtpClient::sendsTheCommandsInOrder()
{
    QFETCH(bool, passive);

    ScriptedFtpServer server;
    // Every byte value, and CR LF pairs a text conversion would change.
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += char(i % 256);
    bytes += "\r\n\r\n";
    Session session(server.host(), QStringLiteral("anna"), QStringLiteral("secret"), ShortWait);
    session.client.setPassive(passive);
    session.folder = QStringLiteral("/");
    session.localPath = writeLocal(m_local, bytes);
    session.run();
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(session.events.constLast(), QStringLiteral("disconnected"));
    QCOMPARE(server.commands.size(), 6);
    QCOMPARE(server.commands.mid(0, 3), (QList<QByteArray>{"USER anna", "PASS secret", "CWD /"}));
    const QRegularExpression portCommand(QStringLiteral("^PORT 127,0,0,1,\\d{1,3},\\d{1,3}$"));
    if (passive)
        QCOMPARE(server.commands[3], QByteArray("PASV"));
    else
        QVERIFY2(portCommand.match(QString::fromLatin1(server.commands[3])).hasMatch(),
                 server.commands[3].constData());
    QCOMPARE(server.commands.mid(4), (QList<QByteArray>{"STOR SALES.RW", "QUIT"}));
    QCOMPARE(server.received, bytes);
}

void TestFtpClient::sendsNoPasswordUnlessAsked()
{
    ScriptedFtpServer server;
    server.replies["USER"] = "230 Come in\r\n";
    Session session(server.host(), QStringLiteral("anna"), QStringLiteral("secret"), ShortWait);
    session.localPath = writeLocal(m_local, "text\n");
    session.run();
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(session.events.constLast(), QStringLiteral("disconnected"));
    QCOMPARE(server.verbs(), (QList<QByteArray>{"USER", "CWD", "PORT", "STOR", "QUIT"}));
    QCOMPARE(server.received, QByteArray("text\n"));
}

void TestFtpClient::sendsOnlyARegularFile_data()
{
    QTest::addColumn<QString>("offered");
    QTest::newRow("empty device") << "/dev/null";
    QTest::newRow("endless device") << "/dev/zero";
    QTest::newRow("folder") << "folder";
}

// The report to send is read like every other file: a device or a folder in
// its place is refused before anything is stored on the server.
void TestFtpClient::sendsOnlyARegularFile()
{
    QFETCH(QString, offered);
    ScriptedFtpServer server;
    Session session(server.host(), QStringLiteral("anna"), QStringLiteral("secret"), ShortWait);
    session.localPath = offered.startsWith(u'/') ? offered : m_local.path();
    session.run();
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(
        session.failures,
        QStringList{QStringLiteral("Cannot open %1: not a regular file").arg(session.localPath)});
    QVERIFY(!server.verbs().contains("STOR"));
}

void TestFtpClient::realServerFaults_data()
{
    QTest::addColumn<bool>("serverRuns");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message"); // a pattern
    QTest::addColumn<QStringList>("before");

    const QString password = QString::fromLatin1(LocalFtpServer::Password);
    QTest::newRow("connection refused")
        << false << password << "/reports"
        << "^Cannot connect to 127\\.0\\.0\\.1:\\d+: Connection refused$" << QStringList();
    QTest::newRow("wrong password") << true << "wrong"
                                    << "/reports"
                                    << "^Login as kestrova failed: 530$" << QStringList();
    QTest::newRow("missing folder") << true << password << "/missing"
                                    << "^CWD /missing failed: 550 .+" << QStringList{"connected"};
}

void TestFtpClient::realServerFaults()
{
    QFETCH(bool, serverRuns);
    QFETCH(QString, password);
    QFETCH(QString, folder);
    QFETCH(QString, message);
    QFETCH(QStringList, before);

    LocalFtpServer server;
    QString host = QStringLiteral("127.0.0.1:%1").arg(LocalFtpServer::freePort());
    if (serverRuns) {
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        host = server.host();
    }
    Session session(host, QString::fromLatin1(LocalFtpServer::User), password, ServerWait);
    session.folder = folder;
    session.localPath = writeLocal(m_local, "text\n");
    session.run();
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(session.events, before + QStringList{QStringLiteral("failed")});
    QCOMPARE(session.failures.size(), 1);
    QVERIFY2(QRegularExpression(message).match(session.failures[0]).hasMatch(),
             qPrintable(session.failures[0]));
    QVERIFY(!QFile::exists(server.filePath(QStringLiteral("reports/SALES.RW"))));
    // A refused command leaves the login standing, and QUIT still works.
    QCOMPARE(session.client.isConnected(), !before.isEmpty());
    if (session.client.isConnected()) {
        session.ended = false;
        session.client.disconnectFromServer();
        QTRY_VERIFY(session.ended);
        QCOMPARE(session.events.constLast(), QStringLiteral("disconnected"));
    }
}

void TestFtpClient::scriptedFaults_data()
{
    // Also "greeting", "stored", and "no connection", "not read" and "data
    // only" for a server that never opens the file's connection, never
    // reads from it, or drops it alone.
    QTest::addColumn<QByteArray>("verb");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint64>("dropAfter");
    QTest::addColumn<QString>("message"); // a pattern
    QTest::addColumn<bool>("timesOut");

    const QByteArray silent;
    QTest::newRow("no greeting") << QByteArray("greeting") << silent << qint64(-1)
                                 << "^No greeting from 127\\.0\\.0\\.1:\\d+ within 1 second$"
                                 << true;
    QTest::newRow("greeting refuses")
        << QByteArray("greeting") << QByteArray("421 Too many users\r\n") << qint64(-1)
        << "^127\\.0\\.0\\.1:\\d+ refused the connection: 421 Too many users$" << false;
    QTest::newRow("not an FTP server")
        << QByteArray("greeting") << QByteArray("SSH-2.0-OpenSSH_9.2\r\n") << qint64(-1)
        << "^127\\.0\\.0\\.1:\\d+ sent something that is not an FTP reply$" << false;
    QTest::newRow("USER unanswered") << QByteArray("USER") << silent << qint64(-1)
                                     << "^No reply to USER anna within 1 second$" << true;
    QTest::newRow("PASS unanswered") << QByteArray("PASS") << silent << qint64(-1)
                                     << "^No reply to PASS within 1 second$" << true;
    QTest::newRow("account asked for") << QByteArray("PASS") << QByteArray("332 Need account\r\n")
                                       << qint64(-1) << "^Login as anna failed: 332$" << false;
    // The password never shows: the reply to PASS is shown by its code
    // alone, however it repeats the password.
    QTest::newRow("password quoted")
        << QByteArray("PASS") << QByteArray("530-Wrong password %1\r\n530 Try again\r\n")
        << qint64(-1) << "^Login as anna failed: 530$" << false;
    QTest::newRow("password split over lines")
        << QByteArray("PASS") << QByteArray("530-Wrong password s3c\r\n530 ret\r\n") << qint64(-1)
        << "^Login as anna failed: 530$" << false;
    QTest::newRow("password in capitals")
        << QByteArray("PASS") << QByteArray("530 Wrong password S3CRET\r\n") << qint64(-1)
        << "^Login as anna failed: 530$" << false;
    QTest::newRow("password with a control inside")
        << QByteArray("PASS")
        << QByteArray("530 Wrong password s3\x7f"
                      "cret\r\n")
        << qint64(-1) << "^Login as anna failed: 530$" << false;
    // Other replies are shown with the password cut out, in any case.
    QTest::newRow("password quoted by CWD")
        << QByteArray("CWD") << QByteArray("550 No folder for S3cRet\r\n") << qint64(-1)
        << "^CWD /reports failed: 550 No folder for \\*\\*\\*\\*$" << false;
    QTest::newRow("CWD unanswered") << QByteArray("CWD") << silent << qint64(-1)
                                    << "^No reply to CWD /reports within 1 second$" << true;
    QTest::newRow("CWD refused") << QByteArray("CWD") << QByteArray("550 No such folder\r\n")
                                 << qint64(-1) << "^CWD /reports failed: 550 No such folder$"
                                 << false;
    QTest::newRow("PORT refused") << QByteArray("PORT") << QByteArray("500 Illegal PORT\r\n")
                                  << qint64(-1)
                                  << "^PORT 127,0,0,1,\\d+,\\d+ failed: 500 Illegal PORT$" << false;
    QTest::newRow("STOR refused") << QByteArray("STOR") << QByteArray("553 Not allowed\r\n")
                                  << qint64(-1) << "^STOR SALES\\.RW failed: 553 Not allowed$"
                                  << false;
    QTest::newRow("STOR unanswered") << QByteArray("STOR") << silent << qint64(-1)
                                     << "^No reply to STOR SALES\\.RW within 1 second$" << true;
    QTest::newRow("no data connection") << QByteArray("no connection") << silent << qint64(-1)
                                        << "^No data connection within 1 second$" << true;
    QTest::newRow("file not read")
        << QByteArray("not read") << silent << qint64(-1)
        << "^The upload stalled after \\d+ of 16777216 bytes: nothing went out for 1 second$"
        << true;
    QTest::newRow("file ended early")
        << QByteArray("STOR") << QByteArray("150 Go\r\n226 Done\r\n") << qint64(-1)
        << "^STOR SALES\\.RW ended before the whole file was sent: 226 Done$" << false;
    QTest::newRow("file never confirmed")
        << QByteArray("stored") << silent << qint64(-1)
        << "^No reply to STOR SALES\\.RW within 1 second$" << true;
    QTest::newRow("file refused at its end")
        << QByteArray("stored") << QByteArray("452 Disk full\r\n") << qint64(-1)
        << "^STOR SALES\\.RW failed: 452 Disk full$" << false;
    QTest::newRow("file's connection dropped")
        << QByteArray("data only") << QByteArray() << qint64(64 * 1024)
        << "^The data connection closed after \\d+ of 1048576 bytes$" << false;
    QTest::newRow("connections dropped mid-file")
        << QByteArray() << QByteArray() << qint64(64 * 1024)
        << "^(127\\.0\\.0\\.1:\\d+ closed the connection|The data connection closed after \\d+ "
           "of 1048576 bytes|The connection to 127\\.0\\.0\\.1:\\d+ failed: .+)$"
        << false;
    QTest::newRow("QUIT refused") << QByteArray("QUIT") << QByteArray("500 Not now\r\n")
                                  << qint64(-1) << "^QUIT failed: 500 Not now$" << false;
    QTest::newRow("QUIT unanswered") << QByteArray("QUIT") << silent << qint64(-1)
                                     << "^No reply to QUIT within 1 second$" << true;
}

void TestFtpClient::scriptedFaults()
{
    QFETCH(QByteArray, verb);
    QFETCH(QByteArray, reply);
    QFETCH(qint64, dropAfter);
    QFETCH(QString, message);
    QFETCH(bool, timesOut);

    ScriptedFtpServer server;
    server.connectsBack = verb != "no connection";
    server.readsData = verb != "not read";
    server.dropsControl = verb != "data only";
    if (verb == "greeting")
        server.greeting = reply;
    else if (verb == "stored")
        server.storeDone = reply;
    else if (!verb.isEmpty() && server.connectsBack && server.readsData && server.dropsControl)
        server.replies[verb] = reply;
    server.dropAfterBytes = dropAfter;
    const QString password = QStringLiteral("s3cret");
    Session session(server.host(), QStringLiteral("anna"), password, ShortWait);
    // Enough that the socket buffers cannot take it all.
    const qsizetype size = server.readsData ? 1 << 20 : 16 << 20;
    session.localPath = writeLocal(m_local, unixReportText(size));
    session.run();
    if (QTest::currentTestFailed())
        return;

    const qint64 elapsed = session.elapsed;
    QCOMPARE(session.failures.size(), 1);
    const QString failure = session.failures[0];
    QVERIFY2(QRegularExpression(message).match(failure).hasMatch(), qPrintable(failure));
    QVERIFY(!failure.contains(password));
    // A wait ends at its limit, and nothing else waits for one.
    QVERIFY2(timesOut ? elapsed >= ShortWait - 50 : elapsed < ShortWait, qPrintable(failure));
    QVERIFY2(elapsed < ShortWait + 3000, qPrintable(failure));
    // One failure, and nothing after it.
    const QStringList events = session.events;
    QTest::qWait(ShortWait + 200);
    QCOMPARE(session.events, events);
    QCOMPARE(session.events.constLast(), QStringLiteral("failed"));
}

void TestFtpClient::slowUploadIsNoStall()
{
    // The limit is on each wait: an upload may take many times as long
    // while the server keeps taking the file.
    // Slowly at first, then at full speed: the file is large enough that
    // the client is still sending when the server speeds up, so that the
    // server's last answer comes without delay.
    ScriptedFtpServer server;
    server.slowBytes = 3 << 20;
    server.readChunk = 128 * 1024;
    server.readInterval = 50;
    const int limit = 400;
    Session session(server.host(), QStringLiteral("anna"), QStringLiteral("secret"), limit);
    const QByteArray bytes = unixReportText(16 << 20);
    session.localPath = writeLocal(m_local, bytes);
    session.run(60000);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(session.failures.isEmpty(), qPrintable(session.failures.join(u'\n')));
    QVERIFY2(session.elapsed > 2 * limit, qPrintable(QString::number(session.elapsed)));
    QCOMPARE(server.received.size(), bytes.size());
    QVERIFY(server.received == bytes);
}

void TestFtpClient::hostThatDoesNotAnswer()
{
    // A listener whose queue of connections is full lets a new one's
    // handshake go unanswered, as a host that drops packets does.
    QTcpServer full;
    full.setListenBacklogSize(0);
    QVERIFY(full.listen(QHostAddress::LocalHost, 0));
    full.pauseAccepting();
    std::vector<std::unique_ptr<QTcpSocket>> queued;
    bool queueFull = false;
    for (int i = 0; i < 16 && !queueFull; ++i) {
        auto knock = std::make_unique<QTcpSocket>();
        knock->connectToHost(QHostAddress::LocalHost, full.serverPort());
        queueFull = !knock->waitForConnected(300);
        queued.push_back(std::move(knock));
    }
    QVERIFY2(queueFull, "the listener's queue never filled");

    Session session(QStringLiteral("127.0.0.1:%1").arg(full.serverPort()), QStringLiteral("anna"),
                    QStringLiteral("secret"), ShortWait);
    session.localPath = writeLocal(m_local, "text\n");
    session.run();
    if (QTest::currentTestFailed())
        return;
    const qint64 elapsed = session.elapsed;
    QCOMPARE(
        session.failures,
        QStringList{
            QStringLiteral("127.0.0.1:%1 did not answer within 1 second").arg(full.serverPort())});
    QVERIFY(elapsed >= ShortWait - 50);
    QVERIFY(elapsed < ShortWait + 3000);
}

void TestFtpClient::preliminaryRepliesDoNotExtendTheWait_data()
{
    // After the verb the server answers at most with 1xx lines, for ever.
    QTest::addColumn<QByteArray>("verb");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("message");

    const QByteArray wait = "120 Ready in a while\r\n";
    QTest::newRow("greeting, a line in a while")
        << QByteArray("greeting") << wait << 300 << "No greeting from %1 within 1 second";
    QTest::newRow("greeting, a flood") << QByteArray("greeting") << wait.repeated(500) << 0
                                       << "No greeting from %1 within 1 second";
    QTest::newRow("USER") << QByteArray("USER") << wait << 300
                          << "No reply to USER anna within 1 second";
    QTest::newRow("CWD") << QByteArray("CWD") << QByteArray("150 Working\r\n") << 300
                         << "No reply to CWD /reports within 1 second";
    QTest::newRow("file stored") << QByteArray("STOR") << QByteArray("150 Still writing\r\n") << 300
                                 << "No reply to STOR SALES.RW within 1 second";
}

void TestFtpClient::preliminaryRepliesDoNotExtendTheWait()
{
    QFETCH(QByteArray, verb);
    QFETCH(QByteArray, line);
    QFETCH(int, interval);
    QFETCH(QString, message);

    ScriptedFtpServer server;
    if (verb == "greeting")
        server.greeting = line;
    else if (verb == "STOR")
        server.storeDone.clear();
    else
        server.replies[verb] = QByteArray();
    server.waitAfter = verb;
    server.waitLine = line;
    server.waitInterval = interval;
    Session session(server.host(), QStringLiteral("anna"), QStringLiteral("secret"), ShortWait);
    session.localPath = writeLocal(m_local, "text\n");
    session.run();
    if (QTest::currentTestFailed())
        return;
    if (message.contains(u'%'))
        message = message.arg(server.host());
    QCOMPARE(session.failures, QStringList{message});
    QVERIFY2(session.elapsed >= ShortWait - 50, qPrintable(QString::number(session.elapsed)));
    QVERIFY2(session.elapsed < ShortWait + 1500, qPrintable(QString::number(session.elapsed)));
}

void TestFtpClient::passiveGoesOnlyToTheServer_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("notices");

    QTest::newRow("its own address")
        << QByteArray("227 Entering Passive Mode (%p)\r\n") << QStringList();
    // A server that does not know its own address.
    QTest::newRow("0.0.0.0") << QByteArray("227 Entering Passive Mode (0,0,0,0,%P)\r\n")
                             << QStringList();
    QTest::newRow("another address")
        << QByteArray("227 Entering Passive Mode (127,0,0,2,%P)\r\n")
        << QStringList{QStringLiteral("PASV named 127.0.0.2, not the server's address: the data "
                                      "connection goes to 127.0.0.3 instead")};
}

void TestFtpClient::passiveGoesOnlyToTheServer()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, notices);

    // Not on 127.0.0.1, where a connection to 0.0.0.0 would arrive too.
    ScriptedFtpServer server(QHostAddress(QStringLiteral("127.0.0.3")));
    server.replies["PASV"] = reply;
    Session session(server.host(), QStringLiteral("anna"), QStringLiteral("secret"), ShortWait);
    session.client.setPassive(true);
    session.localPath = writeLocal(m_local, "text\n");
    session.run();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(session.failures, QStringList());
    QCOMPARE(session.notices, notices);
    QCOMPARE(server.received, QByteArray("text\n"));
}

void TestFtpClient::lineBreaksAreNotSent_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("remoteName");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("connections");

    const QString user = QStringLiteral("anna");
    const QString password = QStringLiteral("secret");
    const QString folder = QStringLiteral("/");
    const QString name = QStringLiteral("SALES.RW");
    QTest::newRow("user name") << "anna\r\nDELE x" << password << folder << name
                               << "The FTP user name holds a line break" << 0;
    QTest::newRow("password") << user << "se\ncret" << folder << name
                              << "The FTP password holds a line break" << 0;
    QTest::newRow("folder") << user << password << "/a\r\nDELE x" << name
                            << "The folder name holds a line break" << 1;
    QTest::newRow("file name") << user << password << folder << "SALES\nDELE x"
                               << "The remote file name holds a line break" << 1;
    // A bare carriage return ends a command for many servers too.
    QTest::newRow("user name, CR") << "anna\rDELE x" << password << folder << name
                                   << "The FTP user name holds a line break" << 0;
    QTest::newRow("password, CR") << user << "se\rcret" << folder << name
                                  << "The FTP password holds a line break" << 0;
    QTest::newRow("folder, CR") << user << password << "/a\rDELE x" << name
                                << "The folder name holds a line break" << 1;
    QTest::newRow("file name, CR") << user << password << folder << "SALES\rDELE x"
                                   << "The remote file name holds a line break" << 1;
}

void TestFtpClient::lineBreaksAreNotSent()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, folder);
    QFETCH(QString, remoteName);
    QFETCH(QString, message);
    QFETCH(int, connections);

    ScriptedFtpServer server;
    Session session(server.host(), user, password, ShortWait);
    session.folder = folder;
    session.remoteName = remoteName;
    session.localPath = writeLocal(m_local, "text\n");
    session.run();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(session.failures, QStringList{message});
    QTest::qWait(100);
    QCOMPARE(server.connections, connections);
    QVERIFY(!server.verbs().contains("DELE"));
    QVERIFY(!server.verbs().contains("STOR"));
}

void TestFtpClient::quitOvertakesAWaitingCommand_data()
{
    QTest::addColumn<QByteArray>("quitReply");

    QTest::newRow("QUIT answered") << QByteArray("221 Goodbye\r\n");
    // The command QUIT overtook gets its reply first: it is not QUIT's.
    QTest::newRow("waiting command answered first")
        << QByteArray("550 Too late\r\n221 Goodbye\r\n");
}

void TestFtpClient::quitOvertakesAWaitingCommand()
{
    QFETCH(QByteArray, quitReply);

    ScriptedFtpServer server;
    server.replies["CWD"] = QByteArray();
    server.replies["QUIT"] = quitReply;
    Session session(server.host(), QStringLiteral("anna"), QStringLiteral("secret"), 3000);
    session.client.connectToServer();
    QTRY_VERIFY(server.verbs().contains("CWD"));
    QVERIFY(session.client.isBusy());
    session.client.disconnectFromServer();
    QTRY_VERIFY(session.ended);
    QCOMPARE(session.events,
             (QStringList{QStringLiteral("connected"), QStringLiteral("disconnected")}));
    QCOMPARE(server.verbs(), (QList<QByteArray>{"USER", "PASS", "CWD", "QUIT"}));
}

QTEST_GUILESS_MAIN(TestFtpClient)
#include "tst_ftpclient.moc"
