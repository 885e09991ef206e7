#include "ModalWatch.h"

#include "editor/SettingsFiles.h"
#include "shell/IniFile.h"
#include "shell/Settings.h"
#include "shell/SetupDialog.h"

#include "NonRegularFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QLineEdit *field(const QWidget &dialog, const char *name)
{
    return dialog.findChild<QLineEdit *>(QLatin1StringView(name));
}

QPushButton *button(const QWidget &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QLatin1StringView(name));
}

// Answers every message box the code under test opens, keeping its text.
class MessageCatcher
{
public:
    const QStringList &texts() const { return m_texts; }

private:
    QStringList m_texts;
    ModalWatch<QMessageBox> m_watch{[this](QMessageBox *box) {
        m_texts.append(box->text());
        box->accept();
    }};
};

} // namespace

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void iniRead_data();
    void iniRead();
    void iniWrite_data();
    void iniWrite();
    void valuesReadBackAsWritten_data();
    void valuesReadBackAsWritten();
    void longValueIsCutWhenRead();
    void newFileIsPrivate();
    void everyWriteLeavesTheFilePrivate_data();
    void everyWriteLeavesTheFilePrivate();
    void concurrentWritersLoseNoKey();
    void settingsFileThatIsNoRegularFile_data();
    void settingsFileThatIsNoRegularFile();

    void setupShowsDefaultsWithoutFile();
    void readersUseTheirDefaults();
    void okWritesEightKeysInOrder();
    void okKeepsTheRestOfTheFile();
    void emptyFieldIsWrittenEmpty();
    void cancelWritesNothing();
    void unwritableFileKeepsDialogOpen();
    void writeFailureTellsWhy_data();
    void writeFailureTellsWhy();
    void browseReplacesField();
    void completionSettingIsReadOnce();
    void settingsBesideTheProgram();
    void installedProgramKeepsSettingsWithTheUser_data();
    void installedProgramKeepsSettingsWithTheUser();

private:
    QString iniPath() const { return m_dir->filePath(QStringLiteral("KFX.ini")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    const QString m_startDirectory = QDir::currentPath();
};

void tst_Settings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("KESTROVA_CONFIG_DIR", m_dir->path().toLocal8Bit());
    QCOMPARE(SettingsFiles::iniPath(), iniPath());
}

void tst_Settings::cleanup()
{
    QDir::setCurrent(m_startDirectory);
}

void tst_Settings::iniRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray file = "; settings\r\n"
                            "[ftp]\r\n"
                            "  USER =  bob  \r\n"
                            "host=10.0.0.1\r\n"
                            "Pass=\r\n"
                            "\r\n"
                            "[Telnet]\r\n"
                            "TelnetProg=\"C:\\Program Files\\t.exe\"\r\n"
                            "[FTP]\r\n"
                            "Extra=second section\r\n";
    QTest::newRow("case of section and key") << file << "FTP"
                                             << "User"
                                             << "bob";
    QTest::newRow("key of the section only") << file << "Telnet"
                                             << "Host"
                                             << "default";
    QTest::newRow("empty value") << file << "FTP"
                                 << "Pass"
                                 << "";
    QTest::newRow("quotes dropped") << file << "telnet"
                                    << "telnetprog"
                                    << "C:\\Program Files\\t.exe";
    QTest::newRow("first section wins") << file << "FTP"
                                        << "Extra"
                                        << "default";
    QTest::newRow("missing section") << file << "RunReport"
                                     << "Program"
                                     << "default";
    QTest::newRow("comment is no key") << QByteArray(";User=x\n[FTP]\n;User=y\n") << "FTP"
                                       << "User"
                                       << "default";
    QTest::newRow("LF and no final newline") << QByteArray("[A]\nk=v") << "a"
                                             << "K"
                                             << "v";
    QTest::newRow("Windows-1250 value") << QByteArray("[A]\nk=\xb9l\xb9ski\n") << "A"
                                        << "k" << QString::fromUtf8("ąląski");
    QTest::newRow("UTF-8 value") << QByteArray("[A]\nk=\xc5\x82\xc3\xb3\x64\xc5\xba\n") << "A"
                                 << "k" << QString::fromUtf8("łódź");
}

void tst_Settings::iniRead()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeFile(iniPath(), content);
    QCOMPARE(IniFile(iniPath()).readString(section, key, QStringLiteral("default")), expected);
}

void tst_Settings::iniWrite_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray() << "FTP"
                              << "User"
                              << "bob" << QByteArray("[FTP]\nUser=bob\n");
    QTest::newRow("value replaced in place, spelling kept")
        << QByteArray("; c\r\n[ftp]\r\n  USER =  old  \r\nHost=h\r\n") << "FTP"
        << "User"
        << "new" << QByteArray("; c\r\n[ftp]\r\n  USER =  new\r\nHost=h\r\n");
    QTest::newRow("key added after the section's last entry")
        << QByteArray("[FTP]\nUser=u\n\n; next\n[Telnet]\nTelnetProg=t\n") << "ftp"
        << "Pass"
        << "p" << QByteArray("[FTP]\nUser=u\nPass=p\n\n; next\n[Telnet]\nTelnetProg=t\n");
    QTest::newRow("key added to an empty section") << QByteArray("[A]\r\n[B]\r\n") << "A"
                                                   << "k"
                                                   << "v" << QByteArray("[A]\r\nk=v\r\n[B]\r\n");
    QTest::newRow("section appended to an unterminated file")
        << QByteArray("[A]\r\nk=v") << "B"
        << "k"
        << "w" << QByteArray("[A]\r\nk=v\r\n[B]\r\nk=w\r\n");
    QTest::newRow("only the first section changes") << QByteArray("[A]\nk=1\n[a]\nk=2\n") << "A"
                                                    << "K"
                                                    << "3" << QByteArray("[A]\nk=3\n[a]\nk=2\n");
    QTest::newRow("line breaks in a value become blanks")
        << QByteArray() << "A"
        << "k"
        << "x\r\ny\nz" << QByteArray("[A]\nk=x y z\n");
    QTest::newRow("Windows-1250 lines around kept") << QByteArray("[A]\nn=\xb9\nk=1\n") << "A"
                                                    << "k"
                                                    << "2" << QByteArray("[A]\nn=\xb9\nk=2\n");
}

void tst_Settings::iniWrite()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    if (!before.isEmpty())
        writeFile(iniPath(), before);
    IniFile file(iniPath());
    QVERIFY2(file.writeString(section, key, value), qPrintable(file.errorString()));
    QCOMPARE(readFile(iniPath()), after);
}

void tst_Settings::valuesReadBackAsWritten_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "report.exe";
    QTest::newRow("leading and trailing blanks") << "  pass word ";
    QTest::newRow("double quotes around") << "\"quoted\"";
    QTest::newRow("single quotes around") << "'quoted'";
    QTest::newRow("one quote") << "\"";
    QTest::newRow("equals sign") << "a=b";
    QTest::newRow("non-Latin-1") << QString::fromUtf8("Zażółć gęślą");
}

void tst_Settings::valuesReadBackAsWritten()
{
    QFETCH(QString, value);
    IniFile file(iniPath());
    QVERIFY(file.writeString(QStringLiteral("S"), QStringLiteral("K"), value));
    QCOMPARE(file.readString(u"S", u"K", QStringLiteral("default")), value);
}

void tst_Settings::longValueIsCutWhenRead()
{
    IniFile file(iniPath());
    const QString value = QString(2047, u'x') + QStringLiteral("tail");
    QVERIFY(file.writeString(QStringLiteral("S"), QStringLiteral("K"), value));
    QCOMPARE(file.readString(u"S", u"K", QString()), QString(2047, u'x'));
    QVERIFY(readFile(iniPath()).contains("xtail\n"));
}

void tst_Settings::newFileIsPrivate()
{
    IniFile file(iniPath());
    QVERIFY(file.writeString(QStringLiteral("FTP"), QStringLiteral("Pass"), QStringLiteral("pw")));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                            | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                            | QFileDevice::WriteOther | QFileDevice::ExeOther
                                            | QFileDevice::ExeOwner;
    const QFileDevice::Permissions permissions = QFile::permissions(iniPath());
    QVERIFY(permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(permissions & others, QFileDevice::Permissions());
    // A second write goes through a new temporary file: it stays private.
    QVERIFY(file.writeString(QStringLiteral("FTP"), QStringLiteral("User"), QStringLiteral("u")));
    QCOMPARE(QFile::permissions(iniPath()) & others, QFileDevice::Permissions());
}

void tst_Settings::everyWriteLeavesTheFilePrivate_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("made by hand, readable by all") << 0644;
    QTest::newRow("writable by all") << 0666;
    QTest::newRow("already private") << 0600;
}

void tst_Settings::everyWriteLeavesTheFilePrivate()
{
    QFETCH(int, mode);
    writeFile(iniPath(), "[FTP]\nUser=bob\n");
    QCOMPARE(::chmod(QFile::encodeName(iniPath()).constData(), mode_t(mode)), 0);
    IniFile file(iniPath());
    QVERIFY(file.writeString(QStringLiteral("FTP"), QStringLiteral("Pass"), QStringLiteral("pw")));
    QCOMPARE(readFile(iniPath()), QByteArray("[FTP]\nUser=bob\nPass=pw\n"));
    // The user's flags tell what the one running the test may do.
    const QFileDevice::Permissions userFlags =
        QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    QCOMPARE(QFile::permissions(iniPath()) & ~userFlags,
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Two programs changing settings at once, as two threads: each writes keys
// of its own, and every key of both must be in the file afterwards.
void tst_Settings::concurrentWritersLoseNoKey()
{
    constexpr int KeysEach = 50;
    const auto writer = [this](QChar prefix, int *failures) {
        IniFile file(iniPath());
        for (int i = 0; i < KeysEach; ++i) {
            const QString key = prefix + QString::number(i);
            if (!file.writeString(QStringLiteral("Race"), key, QStringLiteral("v") + key))
                ++*failures;
        }
    };
    int failuresA = 0;
    int failuresB = 0;
    std::thread first(writer, u'A', &failuresA);
    std::thread second(writer, u'B', &failuresB);
    first.join();
    second.join();
    QCOMPARE(failuresA + failuresB, 0);

    const IniFile file(iniPath());
    QStringList lost;
    for (const QChar prefix : {u'A', u'B'}) {
        for (int i = 0; i < KeysEach; ++i) {
            const QString key = prefix + QString::number(i);
            if (file.readString(u"Race", key, QString()) != QStringLiteral("v") + key)
                lost << key;
        }
    }
    QCOMPARE(lost, QStringList());
    QVERIFY(!QFile::exists(iniPath() + QStringLiteral(".lock")));
}

void tst_Settings::settingsFileThatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "FIFO";
    QTest::newRow("folder") << "folder";
    QTest::newRow("too large") << "too large";
}

// At start-up, too: reading the word list's name from a FIFO hung the
// program before its window showed.
void tst_Settings::settingsFileThatIsNoRegularFile()
{
    QFETCH(QString, kind);
    const SpecialFile settings(kind, iniPath(), "[COMPLETETION]\nFile=words.txt\n");
    QVERIFY(settings.isValid());
    readCompletionSettings();
    QCOMPARE(CompletionFile, QString());

    IniFile file(iniPath());
    QVERIFY(!file.writeString(QStringLiteral("FTP"), QStringLiteral("User"), QStringLiteral("u")));
    QVERIFY(!file.errorString().isEmpty());
    QVERIFY(!QFileInfo(iniPath()).isFile() || QFileInfo(iniPath()).size() > InputFile::MaxSize);
}

void tst_Settings::setupShowsDefaultsWithoutFile()
{
    SetupDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Setup"));
    const QList<QPair<const char *, QString>> expected = {
        {"UserEdit", "ftpguest"},
        {"PassEdit", ""},
        {"HostEdit", "127.0.0.1"},
        {"RemDirEdit", "/"},
        {"TelnetProgEdit", "x-terminal-emulator"},
        {"EditorEdit", "x-terminal-emulator -e editor"},
        {"ReportProgEdit", "report"},
        {"RepUserEdit", "ingres"},
    };
    for (const auto &[name, text] : expected) {
        QLineEdit *edit = field(dialog, name);
        QVERIFY2(edit, name);
        QCOMPARE(edit->text(), text);
    }
    QLineEdit *password = field(dialog, "PassEdit");
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
             int('#'));
    QVERIFY(button(dialog, "OkButton")->isDefault());
    QCOMPARE(button(dialog, "OkButton")->text(), QStringLiteral("Ok"));
    QCOMPARE(button(dialog, "AnulujButton")->text(), QStringLiteral("Cancel"));
    for (const char *name : {"BrowseButton1", "BrowseButton2", "BrowseButton3"})
        QCOMPARE(button(dialog, name)->text(), QStringLiteral("Browse"));
    QVERIFY(!QFile::exists(iniPath()));
}

void tst_Settings::readersUseTheirDefaults()
{
    const Settings::FtpAccount account = Settings::ftpAccount();
    QCOMPARE(account.user, QStringLiteral("ftpguest"));
    QCOMPARE(account.password, QStringLiteral("ftpguest"));
    QCOMPARE(account.host, QStringLiteral("127.0.0.1"));
    QCOMPARE(account.remoteDirectory, QStringLiteral("/"));
    QVERIFY(!account.passive);
    QCOMPARE(Settings::telnetProgram(), QStringLiteral("x-terminal-emulator"));
    QCOMPARE(Settings::textEditorProgram(), QStringLiteral("x-terminal-emulator -e editor"));
    QCOMPARE(Settings::reportProgram(), QStringLiteral("report"));
    QCOMPARE(Settings::reportUser(), QStringLiteral("ingres"));
}

void tst_Settings::okWritesEightKeysInOrder()
{
    SetupDialog dialog;
    dialog.show();
    button(dialog, "OkButton")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(readFile(iniPath()),
             QByteArray("[FTP]\nUser=ftpguest\nPass=\nHost=127.0.0.1\nRemoteDirectory=/\n"
                        "[Telnet]\nTelnetProg=x-terminal-emulator\n"
                        "[TxtEdit]\nTxtEditProg=x-terminal-emulator -e editor\n"
                        "[RunReport]\nProgram=report\nUser=ingres\n"));
    // The empty password now counts: the upload no longer uses its default.
    QCOMPARE(Settings::ftpAccount().password, QString());
    QCOMPARE(QFile::permissions(iniPath()) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
             QFileDevice::Permissions());
}

void tst_Settings::okKeepsTheRestOfTheFile()
{
    writeFile(iniPath(), "; Kestrova settings\r\n"
                         "[COMPLETETION]\r\n"
                         "File=words.txt\r\n"
                         "\r\n"
                         "[ftp]\r\n"
                         "user   =   old user\r\n"
                         "HOST=1.2.3.4\r\n"
                         "; keep me\r\n"
                         "[Other]\r\n"
                         "Pass=not the ftp one\r\n"
                         "[runreport]\r\n"
                         "PROGRAM = /opt/ingres/report\r\n");
    SetupDialog dialog;
    QCOMPARE(field(dialog, "UserEdit")->text(), QStringLiteral("old user"));
    QCOMPARE(field(dialog, "HostEdit")->text(), QStringLiteral("1.2.3.4"));
    QCOMPARE(field(dialog, "ReportProgEdit")->text(), QStringLiteral("/opt/ingres/report"));
    field(dialog, "UserEdit")->setText(QStringLiteral("new user"));
    field(dialog, "PassEdit")->setText(QStringLiteral("secret"));
    field(dialog, "RepUserEdit")->setText(QStringLiteral("dba"));
    button(dialog, "OkButton")->click();
    QCOMPARE(readFile(iniPath()), QByteArray("; Kestrova settings\r\n"
                                             "[COMPLETETION]\r\n"
                                             "File=words.txt\r\n"
                                             "\r\n"
                                             "[ftp]\r\n"
                                             "user   =   new user\r\n"
                                             "HOST=1.2.3.4\r\n"
                                             "Pass=secret\r\n"
                                             "RemoteDirectory=/\r\n"
                                             "; keep me\r\n"
                                             "[Other]\r\n"
                                             "Pass=not the ftp one\r\n"
                                             "[runreport]\r\n"
                                             "PROGRAM = /opt/ingres/report\r\n"
                                             "User=dba\r\n"
                                             "[Telnet]\r\n"
                                             "TelnetProg=x-terminal-emulator\r\n"
                                             "[TxtEdit]\r\n"
                                             "TxtEditProg=x-terminal-emulator -e editor\r\n"));
}

void tst_Settings::emptyFieldIsWrittenEmpty()
{
    SetupDialog dialog;
    field(dialog, "ReportProgEdit")->clear();
    button(dialog, "OkButton")->click();
    QCOMPARE(Settings::reportProgram(), QString());
    QCOMPARE(SetupDialog().findChild<QLineEdit *>(QStringLiteral("ReportProgEdit"))->text(),
             QString());
}

void tst_Settings::cancelWritesNothing()
{
    SetupDialog dialog;
    dialog.show();
    field(dialog, "UserEdit")->setText(QStringLiteral("changed"));
    button(dialog, "AnulujButton")->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(iniPath()));
}

void tst_Settings::unwritableFileKeepsDialogOpen()
{
    // A folder below a plain file cannot exist, whoever runs the test.
    const QString plainFile = m_dir->filePath(QStringLiteral("plain"));
    writeFile(plainFile, "not a folder");
    qputenv("KESTROVA_CONFIG_DIR", (plainFile + QStringLiteral("/settings")).toLocal8Bit());
    const QString unwritable = SettingsFiles::iniPath();

    SetupDialog dialog;
    dialog.show();
    MessageCatcher catcher;
    button(dialog, "OkButton")->click();
    QCOMPARE(catcher.texts(), QStringList{QStringLiteral("Unable to write to ") + unwritable
                                          + QStringLiteral(": its folder does not exist")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
}

void tst_Settings::writeFailureTellsWhy_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");

    QTest::newRow("lock held by another writer") << "lock"
                                                 << "another program is writing it";
    QTest::newRow("folder missing") << "folder"
                                    << "its folder does not exist";
    // As a full disk does: the write itself fails, whoever runs the test.
    QTest::newRow("write refused") << "size"
                                   << "File too large";
}

// The reason a write failed reaches the user: in the setup dialog's
// message, and on standard error where there is no window.
void tst_Settings::writeFailureTellsWhy()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);

    std::optional<QLockFile> lock;
    if (fault == QLatin1String("lock")) {
        lock.emplace(iniPath() + QStringLiteral(".lock"));
        QVERIFY(lock->tryLock(0));
    } else if (fault == QLatin1String("folder")) {
        const QString plainFile = m_dir->filePath(QStringLiteral("plain"));
        writeFile(plainFile, "not a folder");
        qputenv("KESTROVA_CONFIG_DIR", (plainFile + QStringLiteral("/settings")).toLocal8Bit());
    }
    SetupDialog dialog;
    dialog.show();
    // Too long to be written under the limit on file sizes.
    field(dialog, "TelnetProgEdit")->setText(QString(4000, u'x'));
    rlimit previousLimit{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    if (fault == QLatin1String("size")) {
        rlimit limit = previousLimit;
        limit.rlim_cur = 2000;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    MessageCatcher catcher;
    button(dialog, "OkButton")->click();
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousSignal);
    const QString expected =
        QStringLiteral("Unable to write to %1: %2").arg(SettingsFiles::iniPath(), reason);
    QCOMPARE(catcher.texts(), QStringList{expected});
    QVERIFY(dialog.isVisible());

    // Without a window the same line goes to standard error.
    QTemporaryFile capture;
    QVERIFY(capture.open());
    std::fflush(stderr);
    const int standardError = ::dup(STDERR_FILENO);
    ::dup2(capture.handle(), STDERR_FILENO);
    Settings::showWriteFailure(nullptr, reason);
    std::fflush(stderr);
    ::dup2(standardError, STDERR_FILENO);
    ::close(standardError);
    QVERIFY(capture.seek(0));
    QCOMPARE(QString::fromLocal8Bit(capture.readAll()), expected + u'\n');
}

void tst_Settings::browseReplacesField()
{
    SetupDialog dialog;
    QString offered;
    QString answer = m_dir->filePath(QStringLiteral("xterm"));
    dialog.setProgramChooser([&](QWidget *, const QString &current) {
        offered = current;
        return answer;
    });
    button(dialog, "BrowseButton3")->click();
    QCOMPARE(offered, QStringLiteral("report"));
    QCOMPARE(field(dialog, "ReportProgEdit")->text(), answer);
    QCOMPARE(QDir::currentPath(), QDir(m_dir->path()).canonicalPath());
    QCOMPARE(field(dialog, "TelnetProgEdit")->text(), QStringLiteral("x-terminal-emulator"));

    answer.clear(); // the user cancels the file dialog
    button(dialog, "BrowseButton1")->click();
    QCOMPARE(field(dialog, "TelnetProgEdit")->text(), QStringLiteral("x-terminal-emulator"));
}

void tst_Settings::completionSettingIsReadOnce()
{
    readCompletionSettings();
    QCOMPARE(CompletionFile, QString());
    writeFile(iniPath(), "[completetion]\nfile=/data/words.txt\n");
    QCOMPARE(CompletionFile, QString());
    readCompletionSettings();
    QCOMPARE(CompletionFile, QStringLiteral("/data/words.txt"));
}

void tst_Settings::settingsBesideTheProgram()
{
    qunsetenv("KESTROVA_CONFIG_DIR");
    // The test program's folder is its build folder, which may be written.
    QCOMPARE(SettingsFiles::folder(), QCoreApplication::applicationDirPath());
    QCOMPARE(SettingsFiles::sourceEditorSettingsPath(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/SRC.dat"));
    QCOMPARE(SettingsFiles::codeEditorSettingsPath(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/BF.dat"));
}

void tst_Settings::installedProgramKeepsSettingsWithTheUser_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("chosen");
    QTest::newRow("build folder") << QStringLiteral("build") << true << false;
    QTest::newRow("unpacked copy") << QStringLiteral("opt/kestrova") << true << false;
    // Writable here, as /usr/bin is for root.
    QTest::newRow("installed, usr") << QStringLiteral("usr/bin") << false << false;
    QTest::newRow("installed, user") << QStringLiteral("home/.local/bin") << false << false;
    // Below a plain file nothing can be written, whoever runs the test.
    QTest::newRow("not writable") << QStringLiteral("plain/build") << false << false;
    QTest::newRow("variable over build folder") << QStringLiteral("build") << false << true;
    QTest::newRow("variable over bin folder") << QStringLiteral("usr/bin") << false << true;
}

void tst_Settings::installedProgramKeepsSettingsWithTheUser()
{
    QFETCH(QString, programFolder);
    QFETCH(bool, beside);
    QFETCH(bool, chosen);
    const QDir root(m_dir->path());
    writeFile(root.filePath(QStringLiteral("plain")), "not a folder");
    if (!programFolder.startsWith(QLatin1String("plain/")))
        QVERIFY(root.mkpath(programFolder));
    const QString programPath = root.filePath(programFolder);
    const QString chosenFolder = root.filePath(QStringLiteral("chosen"));
    const QString configHome = root.filePath(QStringLiteral("config"));
    const std::optional<QByteArray> oldConfigHome =
        qEnvironmentVariableIsSet("XDG_CONFIG_HOME")
            ? std::optional<QByteArray>(qgetenv("XDG_CONFIG_HOME"))
            : std::nullopt;
    qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());
    if (chosen)
        qputenv("KESTROVA_CONFIG_DIR", chosenFolder.toLocal8Bit());
    else
        qunsetenv("KESTROVA_CONFIG_DIR");

    const QString folder = SettingsFiles::folderFor(programPath);
    if (oldConfigHome)
        qputenv("XDG_CONFIG_HOME", *oldConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
    const QString expected = chosen   ? chosenFolder
                             : beside ? programPath
                                      : configHome + u'/' + QCoreApplication::applicationName();
    QCOMPARE(folder, expected);
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
