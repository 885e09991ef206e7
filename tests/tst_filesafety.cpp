#include "NonRegularFiles.h"
#include "ReportWindowFixture.h"

#include "shell/Settings.h"

#include <QElapsedTimer>
#include <QProcess>

#include <cerrno>
#include <cstring>

#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>

// Every file the program writes is replaced whole or left as it was, on a
// full disk and in a folder it may not write; every file it reads must be a
// regular file of sane size, and anything else is refused with the reader's
// message instead of blocking or filling the memory.
class TestFileSafety : public QObject
{
    Q_OBJECT

public:
    static void initMain();

private slots:
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void unwritableFolderKeepsTheOldFile_data();
    void unwritableFolderKeepsTheOldFile();
    void inputThatIsNoRegularFile_data();
    void inputThatIsNoRegularFile();
    void inputPathRefusesWhatIsNoRegularFile_data();
    void inputPathRefusesWhatIsNoRegularFile();

private:
    struct Attempt
    {
        bool done = false;
        QStringList messages;
    };
    static Attempt save(ReportWindowFixture &f, const QString &writer, const QString &path);
    static Attempt load(ReportWindowFixture &f, const QString &reader, const QString &path);
    static void savingRows();
    // The names in folder other than the filler of a full disk.
    static QStringList entries(const QString &folder);
};

namespace {

QString systemError(const char *call)
{
    return QStringLiteral("%1: %2").arg(QLatin1StringView(call),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

bool writeProcFile(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return written;
}

// Why the test has no mount namespace of its own; empty when it has one.
QString mountNamespaceProblem;

// A file system mounted for a test must stay the test's: the process gets
// a mount namespace of its own (anyone but root within a user namespace of
// their own, where the kernel allows it), whose mounts go with it.
QString enterPrivateMountNamespace()
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (uid == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return systemError("unshare");
    } else {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return systemError("unshare");
        if (!writeProcFile("/proc/self/setgroups", "deny")
            || !writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
            || !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return systemError("mapping the user");
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return systemError("mount");
    return {};
}

// A file system of 64 KiB on a folder while the object lives, which fill()
// fills up but for a number of 4 KiB pages.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &folder) : m_folder(folder)
    {
        QDir().mkpath(folder);
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=64k")
            != 0)
            m_problem = systemError("mount");
    }
    ~SmallDisk()
    {
        if (m_problem.isEmpty())
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    QString problem() const { return m_problem; }

    // Files of one page each until no more fit, then as many removed as
    // pages are to stay free.
    bool fill(int pagesLeft)
    {
        const QByteArray page(4096, 'f');
        int count = 0;
        for (;; ++count) {
            QFile filler(fillerName(count));
            if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                return false;
            if (filler.write(page) != page.size()) {
                filler.close();
                filler.remove();
                break;
            }
        }
        for (int i = 1; i <= pagesLeft; ++i) {
            if (!QFile::remove(fillerName(count - i)))
                return false;
        }
        return count > pagesLeft;
    }

    static bool isFiller(const QString &name) { return name.startsWith(QLatin1String("filler")); }

private:
    QString fillerName(int index) const
    {
        return m_folder + QStringLiteral("/filler%1").arg(index);
    }

    QString m_folder;
    QString m_problem;
};

// Root may write into any folder: for a while the thread gives up the
// capabilities that allow it, so that permissions count as for anybody.
class WithoutOverridingPermissions
{
public:
    WithoutOverridingPermissions()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0; // this thread
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[capability / 32].effective &= ~(1u << (capability % 32));
        m_reduced = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutOverridingPermissions()
    {
        if (m_reduced)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutOverridingPermissions(const WithoutOverridingPermissions &) = delete;
    WithoutOverridingPermissions &operator=(const WithoutOverridingPermissions &) = delete;

private:
    __user_cap_header_struct m_header = {};
    __user_cap_data_struct m_saved[2] = {};
    bool m_reduced = false;
};

bool canCreateIn(const QString &folder)
{
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/probe"));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

QByteArray exampleDesign()
{
    return ReportWindowFixture::readFile(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
}

// The settings name the reason after the path.
QString reasonAfterPath(const QString &writer, const char *reason)
{
    return writer == QLatin1String("settings") ? QStringLiteral(": ") + QLatin1String(reason)
                                               : QString();
}

} // namespace

// Before the application starts threads, which would keep the process out
// of a user namespace.
void TestFileSafety::initMain()
{
    mountNamespaceProblem = enterPrivateMountNamespace();
}

TestFileSafety::Attempt TestFileSafety::save(ReportWindowFixture &f, const QString &writer,
                                             const QString &path)
{
    Attempt attempt;
    if (writer == QLatin1String("settings")) {
        qputenv("KESTROVA_CONFIG_DIR", QFile::encodeName(QFileInfo(path).path()));
        QString reason;
        attempt.done = Settings::write(SettingKeys::FtpPass, QStringLiteral("secret"), &reason);
        if (!attempt.done)
            attempt.messages << Settings::writeErrorMessage(reason);
        return attempt;
    }
    if (writer == QLatin1String("generated source")) {
        const QString design = f.path(QStringLiteral("sales.kfx"));
        QFile::copy(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"), design);
        QProcess process;
        process.start(QStringLiteral(KESTROVA_BINARY), {"--generate", design, "--output", path});
        attempt.done = process.waitForFinished(60000)
                       && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        const QString err = QString::fromUtf8(process.readAllStandardError());
        attempt.messages = err.split(u'\n', Qt::SkipEmptyParts);
        return attempt;
    }
    const QString source = f.path(QStringLiteral("new.rw"));
    ReportWindowFixture::writeFile(source, "new line\nand another\n");
    const bool text = writer.contains(QLatin1String("text"));
    const std::unique_ptr<ReportWindow> window =
        text ? f.create(omText, source) : f.create(omNew, f.path(QStringLiteral("NEW.kfx")));
    f.messages.clear();
    if (writer == QLatin1String("design")) {
        window->setDesignFileName(path);
        attempt.done = window->saveDesign();
    } else if (writer == QLatin1String("editor settings")) {
        attempt.done = window->saveEditorSettings(path);
    } else if (writer == QLatin1String("text file")) {
        attempt.done = window->saveSourceText(path);
    } else if (writer == QLatin1String("UNIX text file")) {
        attempt.done = window->writeUnixFile(path);
    }
    attempt.messages = f.messages;
    return attempt;
}

QStringList TestFileSafety::entries(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    names.removeIf(&SmallDisk::isFiller);
    return names;
}

void TestFileSafety::savingRows()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("message");
    QTest::newRow("design") << "design"
                            << "OLD.kfx"
                            << "ERROR. Cannot save report to file: ";
    QTest::newRow("editor settings") << "editor settings"
                                     << "SRC.dat"
                                     << "ERROR. Cannot open setting file: ";
    QTest::newRow("text file") << "text file"
                               << "OLD.rw"
                               << "ERROR. Cannot save to file: ";
    QTest::newRow("UNIX text file") << "UNIX text file"
                                    << "OLD.rw"
                                    << "ERROR. Cannot save to file: ";
    QTest::newRow("settings") << "settings"
                              << "KFX.ini"
                              << "Unable to write to ";
}

void TestFileSafety::fullDiskKeepsTheOldFile_data()
{
    savingRows();
    QTest::newRow("generated source") << "generated source"
                                      << "OLD.rw"
                                      << "ERROR. Cannot save to file: ";
}

// Everything written is less than Qt's buffer of 16 KiB, which used to
// take it all and fail only when commit() flushed it, after which the
// temporary file, empty, replaced the old one all the same.
void TestFileSafety::fullDiskKeepsTheOldFile()
{
    QFETCH(QString, writer);
    QFETCH(QString, fileName);
    QFETCH(QString, message);
    if (!mountNamespaceProblem.isEmpty())
        QSKIP(qPrintable("no mount namespace of the test's own to mount a small disk in ("
                         + mountNamespaceProblem + ")"));
    ReportWindowFixture f;
    const QString folder = f.path(QStringLiteral("disk"));
    SmallDisk disk(folder);
    if (!disk.problem().isEmpty())
        QSKIP(qPrintable("a small disk cannot be mounted here (" + disk.problem() + ")"));
    const QString path = folder + u'/' + fileName;
    const QByteArray old = exampleDesign();
    ReportWindowFixture::writeFile(path, old);
    // The settings take a lock file first, which must fit.
    QVERIFY(disk.fill(writer == QLatin1String("settings") ? 1 : 0));

    const Attempt attempt = save(f, writer, path);
    QVERIFY(!attempt.done);
    QCOMPARE(attempt.messages,
             QStringList{message + path + reasonAfterPath(writer, "No space left on device")});
    QCOMPARE(ReportWindowFixture::readFile(path), old);
    QCOMPARE(entries(folder), QStringList{fileName});
}

void TestFileSafety::unwritableFolderKeepsTheOldFile_data()
{
    savingRows();
}

// The file itself may be written: only a file made beside it may not,
// which is how a save that cannot fail half way begins.
void TestFileSafety::unwritableFolderKeepsTheOldFile()
{
    QFETCH(QString, writer);
    QFETCH(QString, fileName);
    QFETCH(QString, message);
    ReportWindowFixture f;
    const QString folder = f.path(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + u'/' + fileName;
    const QByteArray old = exampleDesign();
    ReportWindowFixture::writeFile(path, old);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther));
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(folder, readOnly));

    Attempt attempt;
    bool mayCreate = false;
    {
        const WithoutOverridingPermissions asAnybody;
        mayCreate = canCreateIn(folder);
        if (!mayCreate)
            attempt = save(f, writer, path);
    }
    QVERIFY(QFile::setPermissions(folder, readOnly | QFileDevice::WriteOwner));
    if (mayCreate)
        QSKIP("this test's user may create files in a read-only folder");
    QVERIFY(!attempt.done);
    QCOMPARE(
        attempt.messages,
        QStringList{message + path + reasonAfterPath(writer, "its folder may not be written")});
    QCOMPARE(ReportWindowFixture::readFile(path), old);
    QCOMPARE(entries(folder), QStringList{fileName});
}

TestFileSafety::Attempt TestFileSafety::load(ReportWindowFixture &f, const QString &reader,
                                             const QString &path)
{
    const std::unique_ptr<ReportWindow> window = f.create(omNew, f.path(QStringLiteral("NEW.kfx")));
    f.messages.clear();
    Attempt attempt;
    if (reader == QLatin1String("design")) {
        attempt.done = window->loadDesign(path);
    } else if (reader == QLatin1String("text file")) {
        attempt.done = window->loadSourceText(path);
    } else if (reader == QLatin1String("editor settings")) {
        attempt.done = window->loadEditorSettings(path);
    } else if (reader == QLatin1String("word list")) {
        CompletionFile = path;
        attempt.done = window->loadCompletionList();
    }
    attempt.messages = f.messages;
    // The window is whole whatever it was offered.
    if (!window->mPage1() || !window->sourceEditor())
        attempt.messages << QStringLiteral("the window lost its page or its editor");
    return attempt;
}

void TestFileSafety::inputThatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("kind");
    const QByteArray design = exampleDesign();
    const struct
    {
        const char *reader;
        const char *message;
        QByteArray content;
    } readers[] = {
        {"design", "ERROR. Cannot open file: ", design},
        {"text file", "ERROR: Cannot load from file: ", ".NAME sales\n"},
        {"editor settings", "ERROR. Cannot open setting file: ", {}}, // the fixture's
        {"word list", "ERROR: Cannot read from File: ", ".PRINT\n"},
    };
    for (const auto &reader : readers) {
        for (const QString &kind : SpecialFile::kinds()) {
            QTest::addRow("%s, %s", reader.reader, qPrintable(kind))
                << reader.reader << reader.message << reader.content << kind;
        }
    }
}

// Each offers what its reader would take, by a way it must not be taken.
void TestFileSafety::inputThatIsNoRegularFile()
{
    QFETCH(QString, reader);
    QFETCH(QString, message);
    QFETCH(QByteArray, content);
    QFETCH(QString, kind);
    ReportWindowFixture f;
    if (content.isEmpty())
        content = ReportWindowFixture::readFile(ReportWindowFixture::settingsPath());
    const SpecialFile offered(kind, f.path(QStringLiteral("offered")), content);
    QVERIFY(offered.isValid());
    const Attempt attempt = load(f, reader, offered.path());
    QVERIFY(!attempt.done);
    QCOMPARE(attempt.messages, QStringList{message + offered.path()});
}

void TestFileSafety::inputPathRefusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("offered");
    QTest::newRow("FIFO without a writer") << "no writer";
    QTest::newRow("FIFO whose writer has finished") << "writer finished";
    QTest::newRow("empty device") << "/dev/null";
    QTest::newRow("endless device") << "/dev/zero";
}

// The one input path itself: each is refused for what it is, before a byte
// is read and without waiting for a writer.
void TestFileSafety::inputPathRefusesWhatIsNoRegularFile()
{
    QFETCH(QString, offered);
    QTemporaryDir folder;
    QString path = offered;
    std::unique_ptr<WriterlessFifo> fifo;
    if (!offered.startsWith(u'/')) {
        path = QDir(folder.path()).filePath(QStringLiteral("fifo"));
        fifo = std::make_unique<WriterlessFifo>(path,
                                                offered == QLatin1String("no writer")
                                                    ? WriterlessFifo::Writer::None
                                                    : WriterlessFifo::Writer::Finished,
                                                ".NAME sales\n");
        QVERIFY(fifo->isValid());
    }
    QVERIFY(QFile::exists(path));
    QString error;
    QElapsedTimer clock;
    clock.start();
    const std::optional<QByteArray> bytes = InputFile::read(path, &error);
    // A reader waiting for a writer would be released only after two seconds.
    QVERIFY2(clock.elapsed() < 1500, "the reader waited for a writer");
    QVERIFY2(!bytes, bytes ? bytes->left(40).constData() : "");
    QCOMPARE(error, QStringLiteral("not a regular file"));
}

QTEST_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
