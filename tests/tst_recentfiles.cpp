#include "FrameFixture.h"

#include "editor/SettingsFiles.h"
#include "shell/IniFile.h"
#include "shell/RecentFiles.h"

#include <QFileInfo>
#include <QMenu>

#include <thread>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

// The frame window closed and started again, in the fixture's settings and
// working folders, as a user restarts the program.
void restart(FrameFixture &fixture)
{
    fixture.frame.reset();
    fixture.frame = std::make_unique<MainWindow>();
    fixture.frame->setFileChooser([&fixture](QWidget *, const FileDialogOptions &options) {
        fixture.askedDialogs.append(options.name);
        return fixture.answers.isEmpty() ? QString() : fixture.answers.takeFirst();
    });
    fixture.frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.frame.get()));
    fixture.activateFrame();
}

// A frame window started with paths in its list, the first the most recent.
void startWith(FrameFixture &fixture, const QStringList &paths)
{
    for (qsizetype index = paths.size() - 1; index >= 0; --index)
        QVERIFY(RecentFiles::add(paths[index]));
    restart(fixture);
}

} // namespace

class tst_RecentFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mostRecentFirst();
    void eightAtMost();
    void oneEntryPerFile_data();
    void oneEntryPerFile();
    void fileThatIsNotThereIsNotAdded();
    void goneFilesAreDropped();
    void listKeepsToItsSection();
    void programsAddingAtOnceLoseNoEntry();

    void menuShowsTheList();
    void openedAndWrittenFilesAreListed();
    void listOutlivesTheProgram();
    void goneFilesLeaveWhenTheMenuOpens();
    void altNumberOpens_data();
    void altNumberOpens();
    void chosenGoneFileIsReported();
    void listThatCannotBeWrittenIsReported();

private:
    QString file(const QString &name, const QByteArray &bytes = "x") const
    {
        const QString path = m_work->filePath(name);
        writeFile(path, bytes);
        return canonical(path);
    }
    QString iniPath() const { return SettingsFiles::iniPath(); }

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_work;
    const QString m_startDirectory = QDir::currentPath();
};

void tst_RecentFiles::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid() && m_work->isValid());
    qputenv("KESTROVA_CONFIG_DIR", m_config->path().toLocal8Bit());
    QDir::setCurrent(m_work->path());
}

void tst_RecentFiles::cleanup()
{
    QDir::setCurrent(m_startDirectory);
}

void tst_RecentFiles::mostRecentFirst()
{
    const QString a = file(QStringLiteral("a.kfx"));
    const QString b = file(QStringLiteral("b.rw"));
    const QString c = file(QStringLiteral("c.kfx"));
    for (const QString &path : {a, b, c, a})
        QVERIFY(RecentFiles::add(path));
    QCOMPARE(RecentFiles::read(), (QStringList{a, c, b}));
}

void tst_RecentFiles::eightAtMost()
{
    QStringList added;
    for (int i = 1; i <= 10; ++i) {
        added.prepend(file(QStringLiteral("report%1.kfx").arg(i)));
        QVERIFY(RecentFiles::add(added.first()));
    }
    QCOMPARE(RecentFiles::read(), added.mid(0, 8));
    QVERIFY(!readFile(iniPath()).contains("report2.kfx"));
    QVERIFY(!readFile(iniPath()).contains("File9"));
}

void tst_RecentFiles::oneEntryPerFile_data()
{
    QTest::addColumn<QString>("otherName");
    QTest::newRow("relative") << QStringLiteral("sales.kfx");
    QTest::newRow("dot") << QStringLiteral("./sales.kfx");
    QTest::newRow("dot dot") << QStringLiteral("sub/../sales.kfx");
    QTest::newRow("double slash") << QStringLiteral("sub//..//sales.kfx");
    QTest::newRow("link") << QStringLiteral("link.kfx");
    QTest::newRow("linked folder") << QStringLiteral("folderlink/sales.kfx");
}

void tst_RecentFiles::oneEntryPerFile()
{
    QFETCH(QString, otherName);
    const QString sales = file(QStringLiteral("sales.kfx"));
    const QString other = file(QStringLiteral("other.kfx"));
    QVERIFY(QDir(m_work->path()).mkdir(QStringLiteral("sub")));
    QVERIFY(QFile::link(sales, m_work->filePath(QStringLiteral("link.kfx"))));
    QVERIFY(QFile::link(m_work->path(), m_work->filePath(QStringLiteral("folderlink"))));

    // Named one way first, the other way next, and back.
    QVERIFY(RecentFiles::add(m_work->filePath(otherName)));
    QVERIFY(RecentFiles::add(other));
    QVERIFY(RecentFiles::add(sales));
    QCOMPARE(RecentFiles::read(), (QStringList{sales, other}));
    QVERIFY(RecentFiles::add(other));
    QVERIFY(RecentFiles::add(otherName));
    QCOMPARE(RecentFiles::read(), (QStringList{sales, other}));

    // An entry written by hand under the other name is the same file too.
    IniFile ini(iniPath());
    QVERIFY(ini.writeString(QStringLiteral("RecentFiles"), QStringLiteral("File1"),
                            m_work->filePath(otherName)));
    QCOMPARE(RecentFiles::read().value(1), other);
    QVERIFY(RecentFiles::add(sales));
    QCOMPARE(RecentFiles::read(), (QStringList{sales, other}));
}

void tst_RecentFiles::fileThatIsNotThereIsNotAdded()
{
    const QString a = file(QStringLiteral("a.kfx"));
    QVERIFY(RecentFiles::add(a));
    QVERIFY(RecentFiles::add(m_work->filePath(QStringLiteral("missing.kfx"))));
    QCOMPARE(RecentFiles::read(), QStringList{a});
}

void tst_RecentFiles::goneFilesAreDropped()
{
    const QString a = file(QStringLiteral("a.kfx"));
    const QString b = file(QStringLiteral("b.kfx"));
    const QString c = file(QStringLiteral("c.rw"));
    for (const QString &path : {a, b, c})
        QVERIFY(RecentFiles::add(path));
    QVERIFY(QFile::remove(b));
    // A folder of the name is no file to open either.
    QVERIFY(QFile::remove(a));
    QVERIFY(QDir().mkdir(a));

    QCOMPARE(RecentFiles::dropGone(), QStringList{c});
    QCOMPARE(RecentFiles::read(), QStringList{c});
}

void tst_RecentFiles::listKeepsToItsSection()
{
    const QByteArray before =
        "; settings\r\n[FTP]\r\nUser=bob\r\n\r\n[Telnet]\r\nTelnetProg=xterm\r\n";
    writeFile(iniPath(), before);
    QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther
                                                 | QFile::ReadGroup));
    const QString a = file(QStringLiteral("a.kfx"));
    const QString b = file(QStringLiteral("b.kfx"));
    QVERIFY(RecentFiles::add(a));
    QVERIFY(RecentFiles::add(b));

    const QByteArray after = readFile(iniPath());
    QVERIFY2(after.startsWith(before + "[RecentFiles]\r\nFile1=" + b.toUtf8()
                              + "\r\nFile2=" + a.toUtf8() + "\r\nFile3=\r\n"),
             after.constData());
    QCOMPARE(QFile::permissions(iniPath()) & (QFile::ReadOther | QFile::ReadGroup),
             QFile::Permissions());
    QCOMPARE(IniFile(iniPath()).readString(u"ftp", u"user", QString()), QStringLiteral("bob"));
    QVERIFY(!QFile::exists(iniPath() + QStringLiteral(".lock")));
}

void tst_RecentFiles::programsAddingAtOnceLoseNoEntry()
{
    // Each adds its four files and the other's entries must survive: a
    // list read outside the lock would be written back without them.
    QStringList first;
    QStringList second;
    for (int i = 0; i < 4; ++i) {
        first << file(QStringLiteral("first%1.kfx").arg(i));
        second << file(QStringLiteral("second%1.kfx").arg(i));
    }
    int failures = 0;
    const auto adder = [&failures](const QStringList &paths) {
        for (int round = 0; round < 20; ++round) {
            for (const QString &path : paths)
                failures += RecentFiles::add(path) ? 0 : 1;
        }
    };
    std::thread one(adder, first);
    std::thread two(adder, second);
    one.join();
    two.join();
    QCOMPARE(failures, 0);
    QStringList listed = RecentFiles::read();
    listed.sort();
    QStringList expected = first + second;
    expected.sort();
    QCOMPARE(listed, expected);
}

void tst_RecentFiles::menuShowsTheList()
{
    const QString design = file(QStringLiteral("sales.kfx"));
    QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("R&D")));
    const QString text = file(QStringLiteral("R&D/notes.rw"));
    FrameFixture fixture;
    startWith(fixture, {text, design});
    QAction *first = fixture.action(QStringLiteral("RecentFile1"));
    QAction *second = fixture.action(QStringLiteral("RecentFile2"));
    QVERIFY(first && second);
    QVERIFY(first->isVisible() && second->isVisible());
    QCOMPARE(first->text(), QStringLiteral("&1 ")
                                + QString(text).replace(QStringLiteral("&"), QStringLiteral("&&")));
    QCOMPARE(second->text(), QStringLiteral("&2 ") + design);
    QCOMPARE(first->shortcut(), QKeySequence(QStringLiteral("Alt+1")));
    QCOMPARE(second->shortcut(), QKeySequence(QStringLiteral("Alt+2")));
    for (int number = 3; number <= 8; ++number) {
        QAction *unused = fixture.action(QStringLiteral("RecentFile%1").arg(number));
        QVERIFY(unused && !unused->isVisible());
        QCOMPARE(unused->shortcut(), QKeySequence(QStringLiteral("Alt+%1").arg(number)));
    }
    QVERIFY(fixture.action(QStringLiteral("RecentFilesSeparator"))->isVisible());

    // Between Import Report File and Exit.
    const QList<QAction *> items = fixture.frame->findChild<QMenu *>("File1")->actions();
    const qsizetype at = items.indexOf(first);
    QCOMPARE(items[at - 2], fixture.action(QStringLiteral("ImportReportFromFilerw1")));
    QCOMPARE(items[at + 8], fixture.action(QStringLiteral("RecentFilesSeparator")));
    QCOMPARE(items[at + 9], fixture.action(QStringLiteral("Zakocz1")));
}

void tst_RecentFiles::openedAndWrittenFilesAreListed()
{
    FrameFixture fixture;
    QVERIFY(!fixture.action(QStringLiteral("RecentFilesSeparator"))->isVisible());
    const QString design = canonical(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
    const QString text = file(QStringLiteral("old.rw"), ".NAME old\n");

    fixture.answers << design;
    fixture.action(QStringLiteral("Otwrz1"))->trigger();
    QCOMPARE(RecentFiles::read(), QStringList{design});

    fixture.answers << text;
    fixture.action(QStringLiteral("ImportReportFromFilerw1"))->trigger();
    QCOMPARE(RecentFiles::read(), (QStringList{text, design}));

    const QString written = m_work->filePath(QStringLiteral("sales.rw"));
    fixture.answers << written;
    fixture.action(QStringLiteral("WriteTextFileMenu"))->trigger();
    const QString unixText = m_work->filePath(QStringLiteral("sales-unix.rw"));
    fixture.answers << unixText;
    fixture.action(QStringLiteral("WriteUNIXFileMenu"))->trigger();
    QCOMPARE(RecentFiles::read(), (QStringList{unixText, written, text, design}));

    // A new report's design, written with Write Report into the folder of
    // the files last chosen.
    fixture.newReport(QStringLiteral("fresh"));
    QVERIFY(fixture.active());
    fixture.action(QStringLiteral("WriteReportMenu"))->trigger();
    const QString fresh = canonical(m_work->filePath(QStringLiteral("FRESH.kfx")));
    QVERIFY(!fresh.isEmpty());
    QCOMPARE(RecentFiles::read().value(0), fresh);
    QCOMPARE(fixture.action(QStringLiteral("RecentFile1"))->text(), QStringLiteral("&1 ") + fresh);
    QCOMPARE(fixture.failures(), QStringList());
}

void tst_RecentFiles::listOutlivesTheProgram()
{
    const QString design = canonical(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
    FrameFixture fixture;
    fixture.frame->openFile(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
    QVERIFY(fixture.active());
    restart(fixture);
    QCOMPARE(fixture.action(QStringLiteral("RecentFile1"))->text(), QStringLiteral("&1 ") + design);
    QVERIFY(!fixture.action(QStringLiteral("RecentFile2"))->isVisible());
}

void tst_RecentFiles::goneFilesLeaveWhenTheMenuOpens()
{
    const QString a = file(QStringLiteral("a.kfx"));
    const QString b = file(QStringLiteral("b.kfx"));
    FrameFixture fixture;
    startWith(fixture, {b, a});
    QVERIFY(QFile::remove(b));
    QCOMPARE(fixture.action(QStringLiteral("RecentFile2"))->text(), QStringLiteral("&2 ") + a);

    auto *menu = fixture.frame->findChild<QMenu *>(QStringLiteral("File1"));
    menu->popup(fixture.frame->mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QCOMPARE(fixture.action(QStringLiteral("RecentFile1"))->text(), QStringLiteral("&1 ") + a);
    QVERIFY(!fixture.action(QStringLiteral("RecentFile2"))->isVisible());
    menu->close();
    QCOMPARE(RecentFiles::read(), QStringList{a});
}

void tst_RecentFiles::altNumberOpens_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("design");
    QTest::newRow("Alt+1, a text file") << 1 << false;
    QTest::newRow("Alt+2, a design") << 2 << true;
}

void tst_RecentFiles::altNumberOpens()
{
    QFETCH(int, number);
    QFETCH(bool, design);
    const QString sales = canonical(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
    const QString text = file(QStringLiteral("notes.rw"), ".NAME notes\n");
    FrameFixture fixture;
    startWith(fixture, {text, sales});
    QVERIFY(!fixture.active());
    QTest::keyClick(fixture.frame.get(), Qt::Key(Qt::Key_0 + number), Qt::AltModifier);
    ReportWindow *window = fixture.active();
    QVERIFY(window);
    if (design) {
        QCOMPARE(canonical(window->designFileName()), sales);
        QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    } else {
        QCOMPARE(window->sourceFileName(), text);
        QCOMPARE(FrameFixture::editorLines(window), QStringList{QStringLiteral(".NAME notes")});
    }
    QCOMPARE(fixture.frame->reportWindows().size(), 1);
    // Opening moves it to the top.
    QCOMPARE(RecentFiles::read().value(0), design ? sales : text);
    QCOMPARE(fixture.failures(), QStringList());
}

void tst_RecentFiles::chosenGoneFileIsReported()
{
    const QString a = file(QStringLiteral("a.kfx"));
    const QString b = file(QStringLiteral("b.kfx"));
    FrameFixture fixture;
    startWith(fixture, {b, a});
    QVERIFY(QFile::remove(b));

    QTest::keyClick(fixture.frame.get(), Qt::Key_1, Qt::AltModifier);
    QCOMPARE(fixture.failures(), QStringList{QStringLiteral("ERROR. Cannot open file: ") + b});
    QVERIFY(fixture.frame->reportWindows().isEmpty());
    QVERIFY(!QFile::exists(b));
    QCOMPARE(RecentFiles::read(), QStringList{a});
    QCOMPARE(fixture.action(QStringLiteral("RecentFile1"))->text(), QStringLiteral("&1 ") + a);
}

void tst_RecentFiles::listThatCannotBeWrittenIsReported()
{
    FrameFixture fixture;
    // A folder below a plain file cannot exist, whoever runs the test.
    const QString plainFile = file(QStringLiteral("plain"), "not a folder");
    qputenv("KESTROVA_CONFIG_DIR", (plainFile + QStringLiteral("/settings")).toLocal8Bit());
    const QString design = canonical(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
    fixture.answers << design;
    fixture.action(QStringLiteral("Otwrz1"))->trigger();
    QVERIFY(fixture.active());
    QCOMPARE(fixture.failures(),
             QStringList{QStringLiteral("Unable to write to ") + SettingsFiles::iniPath()
                         + QStringLiteral(": its folder does not exist")});
}

QTEST_MAIN(tst_RecentFiles)
#include "tst_recentfiles.moc"
