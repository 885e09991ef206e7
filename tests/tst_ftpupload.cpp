#include "FrameFixture.h"
#include "LocalFtpServer.h"
#include "ScriptedFtpServer.h"

#include "shell/FtpClient.h"
#include "shell/FtpWindow.h"
#include "shell/Settings.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryFile>

#include <unistd.h>

#include <cstdio>

// Send Report to FTP Server and its "FTP" window: the report written with
// UNIX line ends and uploaded with progress, and how each failure ends.
class TestFtpUpload : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shiftF9UploadsTheReport_data();
    void shiftF9UploadsTheReport();
    void cancelledDialogUploadsNothing();
    void unwritableFileIsReportedAndStillSent();
    void realServerFaults_data();
    void realServerFaults();
    void passiveSetting_data();
    void passiveSetting();
    void quitErrorKeepsTheWindowOpen();
    void silentServerGetsFiveSeconds();
    void serverDropsMidFile();
    void closingDuringUploadQuits();
    void failureLineGoesToStandardOutput();

private:
    void writeAccount(const QString &host, const QString &user, const QString &password,
                      const QString &folder);
    // A window uploading path, with what its label showed after each
    // packet and at the transfer's end.
    FtpWindow *startUpload(const QString &path);
    QString writeLocal(const QString &name, const QByteArray &bytes);

    FrameFixture *f = nullptr;
    UploadFailureHandler m_previousOutput;
    QStringList m_lines; // written by failed uploads
    QStringList m_shown;
};

namespace {

const QString Blanks = QStringLiteral("        ");

} // namespace

void TestFtpUpload::init()
{
    f = new FrameFixture;
    m_lines.clear();
    m_shown.clear();
    m_previousOutput = setUploadFailureHandler([this](const QString &line) { m_lines << line; });
}

void TestFtpUpload::cleanup()
{
    delete f;
    f = nullptr;
    setUploadFailureHandler(m_previousOutput);
}

void TestFtpUpload::writeAccount(const QString &host, const QString &user, const QString &password,
                                 const QString &folder)
{
    QVERIFY(Settings::write(SettingKeys::FtpHost, host));
    QVERIFY(Settings::write(SettingKeys::FtpUser, user));
    QVERIFY(Settings::write(SettingKeys::FtpPass, password));
    QVERIFY(Settings::write(SettingKeys::FtpRemoteDirectory, folder));
}

FtpWindow *TestFtpUpload::startUpload(const QString &path)
{
    auto *window = new FtpWindow(f->frame.get());
    const auto record = [this, window] {
        m_shown << window->statusLabel()->text();
    };
    connect(window->client(), &FtpClient::packetSent, window, record);
    connect(window->client(), &FtpClient::transferStopped, window, record);
    window->show();
    window->uploadReport(path);
    return window;
}

QString TestFtpUpload::writeLocal(const QString &name, const QByteArray &bytes)
{
    QFile file(f->path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return file.fileName();
}

void TestFtpUpload::shiftF9UploadsTheReport_data()
{
    QTest::addColumn<bool>("design");

    QTest::newRow("sales design") << true;
    // A new report has no bands yet: its source is empty.
    QTest::newRow("empty report") << false;
}

void TestFtpUpload::shiftF9UploadsTheReport()
{
    QFETCH(bool, design);

    LocalFtpServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    writeAccount(server.host(), QString::fromLatin1(LocalFtpServer::User),
                 QString::fromLatin1(LocalFtpServer::Password), QStringLiteral("/reports"));
    QAction *command = f->action(QStringLiteral("SendReportToFTPServer1"));
    QVERIFY(!command->isEnabled());
    if (design) {
        const QString copy = f->path(QStringLiteral("sales.kfx"));
        QVERIFY(QFile::copy(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"), copy));
        f->frame->openFile(copy);
    } else {
        f->newReport(QStringLiteral("sales"));
    }
    QTRY_VERIFY(f->active());
    QCOMPARE(f->active()->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(QDir(f->workDir.path()).mkdir(QStringLiteral("OUT")));
    const QString path = f->path(QStringLiteral("OUT/SALES.RW"));
    f->answers << path;

    QVERIFY(command->isEnabled());
    QCOMPARE(command->shortcut(), QKeySequence(QStringLiteral("Shift+F9")));
    command->trigger();
    QCOMPARE(f->askedDialogs, QStringList{QStringLiteral("SaveDialog")});
    QCOMPARE(f->active()->activePage(), ReportWindow::Page::Source);

    QPointer<FtpWindow> window = f->frame->findChild<FtpWindow *>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QVERIFY(!window->isModal());
    QCOMPARE(window->parentWidget(), f->frame.get());
    QCOMPARE(window->windowTitle(), QStringLiteral("FTP"));
    QCOMPARE(window->size(), QSize(159, 30));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->geometry().center(), f->frame->geometry().center());
    QCOMPARE(window->statusLabel()->text(), Blanks);
    QCOMPARE(window->progressBar()->maximum(), 100);
    QCOMPARE(window->progressBar()->width(), 150);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    const auto record = [this, window] {
        m_shown << window->statusLabel()->text();
    };
    connect(window->client(), &FtpClient::packetSent, window, record);
    connect(window->client(), &FtpClient::transferStopped, window, record);

    QTRY_VERIFY_WITH_TIMEOUT(!window, 15000);
    const QByteArray written = FrameFixture::contents(path);
    QCOMPARE(server.contents(QStringLiteral("reports/SALES.RW")), written);
    if (design) {
        QVERIFY2(written.startsWith("/*# Sales by region\n"), written.left(40).constData());
        QCOMPARE(written, FrameFixture::editorLines(f->active()).join(u'\n').toUtf8() + '\n');
        const QString total = QString::number(written.size());
        QCOMPARE(
            m_shown.mid(m_shown.size() - 2),
            (QStringList{total + QStringLiteral(" of ") + total, QStringLiteral("Disconnect")}));
    } else {
        QCOMPARE(written, QByteArray());
        QCOMPARE(m_shown, QStringList{QStringLiteral("Disconnect")});
    }
    QCOMPARE(QDir::currentPath(), QFileInfo(path).absolutePath());
    QCOMPARE(f->failures(), QStringList());
    QCOMPARE(m_lines, QStringList());
    QCOMPARE(f->frame->statusBar()->currentMessage(),
             QStringLiteral("SALES.RW uploaded to /reports on ") + server.host());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestFtpUpload::cancelledDialogUploadsNothing()
{
    ScriptedFtpServer server;
    writeAccount(server.host(), QStringLiteral("anna"), QStringLiteral("secret"),
                 QStringLiteral("/"));
    f->newReport(QStringLiteral("sales"));
    QTRY_VERIFY(f->active());
    f->action(QStringLiteral("SendReportToFTPServer1"))->trigger();
    QCOMPARE(f->askedDialogs, QStringList{QStringLiteral("SaveDialog")});
    QVERIFY(!f->frame->findChild<FtpWindow *>());
    QTest::qWait(100);
    QCOMPARE(server.connections, 0);
}

void TestFtpUpload::unwritableFileIsReportedAndStillSent()
{
    ScriptedFtpServer server;
    writeAccount(server.host(), QStringLiteral("anna"), QStringLiteral("secret"),
                 QStringLiteral("/"));
    f->newReport(QStringLiteral("sales"));
    QTRY_VERIFY(f->active());
    const QString path = f->path(QStringLiteral("missing/SALES.RW"));
    f->answers << path;
    f->action(QStringLiteral("SendReportToFTPServer1"))->trigger();
    QCOMPARE(f->failures(), QStringList{QStringLiteral("ERROR. Cannot save to file: ") + path});

    QPointer<FtpWindow> window = f->frame->findChild<FtpWindow *>();
    QVERIFY(window);
    QTRY_COMPARE(m_lines.size(), 1);
    QVERIFY2(m_lines[0].startsWith(QStringLiteral("Cannot open ") + path + u':'),
             qPrintable(m_lines[0]));
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->statusLabel()->text(), QStringLiteral("Connect OK"));
    QVERIFY(!server.verbs().contains("STOR"));
}

void TestFtpUpload::realServerFaults_data()
{
    QTest::addColumn<bool>("serverRuns");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("line"); // how it begins
    QTest::addColumn<QString>("shown");

    const QString password = QString::fromLatin1(LocalFtpServer::Password);
    QTest::newRow("connection refused") << false << password << "/reports"
                                        << "Cannot connect to 127.0.0.1:" << Blanks;
    QTest::newRow("wrong password") << true << "Wrong-Pa55"
                                    << "/reports"
                                    << "Login as kestrova failed: 530" << Blanks;
    QTest::newRow("missing folder") << true << password << "/missing"
                                    << "CWD /missing failed: 550 "
                                    << "Connect OK";
}

void TestFtpUpload::realServerFaults()
{
    QFETCH(bool, serverRuns);
    QFETCH(QString, password);
    QFETCH(QString, folder);
    QFETCH(QString, line);
    QFETCH(QString, shown);

    LocalFtpServer server;
    QString host = QStringLiteral("127.0.0.1:%1").arg(LocalFtpServer::freePort());
    if (serverRuns) {
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        host = server.host();
    }
    writeAccount(host, QString::fromLatin1(LocalFtpServer::User), password, folder);
    // An earlier upload's success does not stay in the status bar.
    f->frame->statusBar()->showMessage(QStringLiteral("OLD.RW uploaded to / on ") + host);
    QPointer<FtpWindow> window = startUpload(writeLocal(QStringLiteral("SALES.RW"), "text\n"));
    QTRY_COMPARE_WITH_TIMEOUT(m_lines.size(), 1, 10000);
    QVERIFY2(m_lines[0].startsWith(line), qPrintable(m_lines[0]));
    QVERIFY(!m_lines[0].contains(password));
    QVERIFY(!QGuiApplication::overrideCursor());

    // The window stays as the failure left it until the user closes it.
    QTest::qWait(300);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->statusLabel()->text(), shown);
    QCOMPARE(window->progressBar()->value(), 0);
    // The reason shows in the window too, whole.
    QVERIFY(window->messageLabel()->isVisible());
    QCOMPARE(window->messageLabel()->text(), m_lines[0]);
    QVERIFY(window->messageLabel()->geometry().bottom() < window->height());
    QVERIFY(window->messageLabel()->height()
            >= window->messageLabel()->heightForWidth(window->messageLabel()->width()));
    QCOMPARE(f->frame->statusBar()->currentMessage(), QString());
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(m_lines.size(), 1);
    QCOMPARE(f->failures(), QStringList());
}

void TestFtpUpload::passiveSetting_data()
{
    QTest::addColumn<QString>("setting"); // empty: none
    QTest::addColumn<QByteArray>("pasvReply");
    QTest::addColumn<QByteArray>("verb");
    QTest::addColumn<QStringList>("lines");

    const QByteArray usual = "227 Entering Passive Mode (%p)\r\n";
    QTest::newRow("none") << QString() << usual << QByteArray("PORT") << QStringList();
    QTest::newRow("0") << "0" << usual << QByteArray("PORT") << QStringList();
    QTest::newRow("1") << "1" << usual << QByteArray("PASV") << QStringList();
    QTest::newRow("1, PASV naming another host")
        << "1" << QByteArray("227 Entering Passive Mode (127,0,0,2,%P)\r\n") << QByteArray("PASV")
        << QStringList{QStringLiteral("PASV named 127.0.0.2, not the server's address: the data "
                                      "connection goes to 127.0.0.1 instead")};
}

void TestFtpUpload::passiveSetting()
{
    QFETCH(QString, setting);
    QFETCH(QByteArray, pasvReply);
    QFETCH(QByteArray, verb);
    QFETCH(QStringList, lines);

    ScriptedFtpServer server;
    server.replies["PASV"] = pasvReply;
    writeAccount(server.host(), QStringLiteral("anna"), QStringLiteral("secret"),
                 QStringLiteral("/"));
    if (!setting.isEmpty())
        QVERIFY(Settings::write(SettingKeys::FtpPassive, setting));
    const QByteArray bytes = unixReportText(100000);
    QPointer<FtpWindow> window = startUpload(writeLocal(QStringLiteral("SALES.RW"), bytes));
    QTRY_VERIFY(!window);
    QCOMPARE(m_lines, lines);
    QCOMPARE(server.verbs(), (QList<QByteArray>{"USER", "PASS", "CWD", verb, "STOR", "QUIT"}));
    QCOMPARE(server.received, bytes);
    QCOMPARE(f->frame->statusBar()->currentMessage(),
             QStringLiteral("SALES.RW uploaded to / on ") + server.host());
}

void TestFtpUpload::quitErrorKeepsTheWindowOpen()
{
    ScriptedFtpServer server;
    server.replies["QUIT"] = "500 Not now\r\n";
    writeAccount(server.host(), QStringLiteral("anna"), QStringLiteral("secret"),
                 QStringLiteral("/"));
    QPointer<FtpWindow> window = startUpload(writeLocal(QStringLiteral("SALES.RW"), "text\n"));
    QTRY_COMPARE(m_lines, QStringList{QStringLiteral("QUIT failed: 500 Not now")});
    QCOMPARE(server.received, QByteArray("text\n"));
    QTest::qWait(300);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->statusLabel()->text(), QStringLiteral("Disconnect"));
    QCOMPARE(window->progressBar()->value(), window->progressBar()->maximum());
    QCOMPARE(f->failures(), QStringList());
    QVERIFY(!QGuiApplication::overrideCursor());

    // Closed by the user, it shows the error once and goes.
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(f->failures(), QStringList{QStringLiteral("QUIT failed: 500 Not now")});
    QCOMPARE(server.verbs().count("QUIT"), 1);
    QCOMPARE(m_lines.size(), 1);
}

void TestFtpUpload::silentServerGetsFiveSeconds()
{
    ScriptedFtpServer server;
    server.greeting.clear();
    writeAccount(server.host(), QStringLiteral("anna"), QStringLiteral("secret"),
                 QStringLiteral("/"));
    QElapsedTimer clock;
    clock.start();
    QPointer<FtpWindow> window = startUpload(writeLocal(QStringLiteral("SALES.RW"), "text\n"));
    QTRY_COMPARE_WITH_TIMEOUT(m_lines.size(), 1, 15000);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(m_lines[0], QStringLiteral("No greeting from %1 within 5 seconds").arg(server.host()));
    QVERIFY2(elapsed >= 4900 && elapsed < 8000, qPrintable(QString::number(elapsed)));
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->statusLabel()->text(), Blanks);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestFtpUpload::serverDropsMidFile()
{
    ScriptedFtpServer server;
    server.dropAfterBytes = 64 * 1024;
    writeAccount(server.host(), QStringLiteral("anna"), QStringLiteral("secret"),
                 QStringLiteral("/"));
    const qsizetype size = 1 << 20;
    QPointer<FtpWindow> window =
        startUpload(writeLocal(QStringLiteral("SALES.RW"), unixReportText(size)));
    QTRY_COMPARE_WITH_TIMEOUT(m_lines.size(), 1, 10000);
    QTest::qWait(300);
    QCOMPARE(m_lines.size(), 1);
    QVERIFY(window && window->isVisible());
    // The last progress stays: some of the file, not all of it.
    const QString shown = window->statusLabel()->text();
    QVERIFY2(shown.endsWith(QStringLiteral(" of %1").arg(size)), qPrintable(shown));
    QVERIFY2(shown.section(u' ', 0, 0).toLongLong() < size, qPrintable(shown));
    QVERIFY(window->progressBar()->value() < window->progressBar()->maximum());
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(f->failures(), QStringList());
}

void TestFtpUpload::closingDuringUploadQuits()
{
    ScriptedFtpServer server;
    server.replies["STOR"] = QByteArray();
    writeAccount(server.host(), QStringLiteral("anna"), QStringLiteral("secret"),
                 QStringLiteral("/"));
    QPointer<FtpWindow> window = startUpload(writeLocal(QStringLiteral("SALES.RW"), "text\n"));
    QTRY_VERIFY(server.verbs().contains("STOR"));
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(server.verbs().constLast(), QByteArray("QUIT"));
    QCOMPARE(m_lines, QStringList{QStringLiteral("Upload cancelled")});
    QCOMPARE(f->failures(), QStringList());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestFtpUpload::failureLineGoesToStandardOutput()
{
    QTemporaryFile capture;
    QVERIFY(capture.open());
    const UploadFailureHandler tests = setUploadFailureHandler(nullptr);
    std::fflush(stdout);
    const int standardOutput = ::dup(STDOUT_FILENO);
    ::dup2(capture.handle(), STDOUT_FILENO);
    // A server's reply may carry line breaks; the line stays one.
    writeUploadFailure(QStringLiteral("CWD /x failed: 550 a\rb\x0b") + QChar(0x2028) + u'c');
    std::fflush(stdout);
    ::dup2(standardOutput, STDOUT_FILENO);
    ::close(standardOutput);
    setUploadFailureHandler(tests);
    QVERIFY(capture.seek(0));
    QCOMPARE(capture.readAll(), QByteArray("CWD /x failed: 550 a b  c\n"));
}

QTEST_MAIN(TestFtpUpload)
#include "tst_ftpupload.moc"
