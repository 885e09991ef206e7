#include "FrameFixture.h"
#include "shell/Settings.h"

#include "shell/HeadlessReport.h"
#include "shell/NameOnlyIconProvider.h"
#include "shell/StartUp.h"

#include "windows/DesignFileName.h"

#include "model/ReportClasses.h"

#include <QMimeDatabase>
#include <QStatusBar>

// The File menu's ways into and out of report windows: Open and Import by
// the file's kind, Write As, Close Window and Exit, and files named on the
// command line.
class TestReportFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openByExtension_data();
    void openByExtension();
    void openMakesTheFileFolderCurrent();
    void cancelledDialogsDoNothing();
    void importReadsADesignAsText();
    void writeAsKeepsTheChosenPath();
    void writingSaysWhatItDid();
    void failedWriteAsChangesNothing();
    void openingAnOpenFileActivatesItsWindow();
    void fileDialogTypesEntriesByName();
    void closeWindowThatCannotSaveStaysOpen();
    void exitWritesEveryChangedDesign();
    void closingAsksAboutEditedSource_data();
    void closingAsksAboutEditedSource();
    void commandLineOpensEachFile();
    void reportOpensAsDesignOnceAsked();
    void openReportAsDesignMakesANewDesign();

private:
    // The worked example's design copied to name in the work folder.
    QString copyOfExample(const QString &name) const;
    static int bandCount(ReportWindow *window);

    FrameFixture *f = nullptr;
};

void TestReportFiles::init()
{
    f = new FrameFixture;
}

void TestReportFiles::cleanup()
{
    delete f;
    f = nullptr;
}

QString TestReportFiles::copyOfExample(const QString &name) const
{
    const QString target = f->path(name);
    QFile::copy(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"), target);
    return target;
}

int TestReportFiles::bandCount(ReportWindow *window)
{
    return int(window->mPage1()->findChildren<BandBase *>(Qt::FindDirectChildrenOnly).size());
}

void TestReportFiles::openByExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("design");

    QTest::newRow("kfx") << "sales.kfx" << true;
    QTest::newRow("KFX") << "Sales.KFX" << true;
    QTest::newRow("Kfx") << "SALES.Kfx" << true;
    QTest::newRow("rw") << "sales.rw" << false;
    QTest::newRow("other") << "notes.txt" << false;
    QTest::newRow("kfx in folder name") << "old.kfx/sales" << false;
}

void TestReportFiles::openByExtension()
{
    QFETCH(QString, name);
    QFETCH(bool, design);

    QDir(f->workDir.path()).mkpath(QFileInfo(f->path(name)).path());
    QString path = f->path(name);
    if (design) {
        copyOfExample(name);
    } else {
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(".NAME sales\n.QUERY\n");
    }
    f->answers = {path};
    f->yesNoAnswer = false; // a Report-Writer file opens as text
    f->action(QStringLiteral("Otwrz1"))->trigger();
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QCOMPARE(f->askedDialogs, QStringList({"OpenDialog"}));
    // Only a Report-Writer file asks how it opens.
    QCOMPARE(f->yesNoQuestions.size(), name.endsWith(QLatin1String(".rw")) ? 1 : 0);
    if (design) {
        QCOMPARE(window->windowTitle(), path);
        QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
        QCOMPARE(bandCount(window), 4);
    } else {
        QCOMPARE(window->windowTitle(), designFileNameFor(path));
        QCOMPARE(window->activePage(), ReportWindow::Page::Source);
        QCOMPARE(FrameFixture::editorLines(window), QStringList({".NAME sales", ".QUERY"}));
        QCOMPARE(bandCount(window), 0);
    }
    QVERIFY(window->designing());
    QCOMPARE(f->failures(), QStringList());
}

void TestReportFiles::openMakesTheFileFolderCurrent()
{
    QDir(f->workDir.path()).mkdir(QStringLiteral("reports"));
    const QString path = copyOfExample(QStringLiteral("reports/a.kfx"));
    f->answers = {path};
    f->action(QStringLiteral("Otwrz1"))->trigger();
    QTRY_VERIFY(f->active());
    QCOMPARE(QDir::currentPath(), QFileInfo(path).absolutePath());
}

void TestReportFiles::cancelledDialogsDoNothing()
{
    f->action(QStringLiteral("Otwrz1"))->trigger();
    f->action(QStringLiteral("ImportReportFromFilerw1"))->trigger();
    QVERIFY(f->frame->reportWindows().isEmpty());

    f->newReport(QStringLiteral("kept"));
    QTRY_VERIFY(f->active());
    f->action(QStringLiteral("WriteReportAsMenu"))->trigger();
    QCOMPARE(f->active()->designFileName(), QStringLiteral("KEPT.kfx"));
    QCOMPARE(f->active()->windowTitle(), QStringLiteral("KEPT.kfx"));
    QCOMPARE(QDir::currentPath(), QDir(f->workDir.path()).absolutePath());
    QCOMPARE(f->askedDialogs, QStringList({"OpenDialog", "OpenDialog", "SaveDialog_kfx"}));
}

void TestReportFiles::importReadsADesignAsText()
{
    const QString path = copyOfExample(QStringLiteral("sales.kfx"));
    f->answers = {path};
    f->action(QStringLiteral("ImportReportFromFilerw1"))->trigger();
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    QCOMPARE(bandCount(window), 0);
    QVERIFY(window->sourceEditor()->lineCount() > 0);
    QVERIFY(window->sourceEditor()->lineText(0).startsWith(QLatin1String("TPF0")));
}

void TestReportFiles::writeAsKeepsTheChosenPath()
{
    f->newReport(QStringLiteral("draft"));
    QTRY_VERIFY(f->active());
    QDir(f->workDir.path()).mkdir(QStringLiteral("Final Reports"));
    const QString path = f->path(QStringLiteral("Final Reports/Quarterly Sales.kfx"));
    f->answers = {path};
    f->action(QStringLiteral("WriteReportAsMenu"))->trigger();
    QCOMPARE(f->active()->designFileName(), path);
    QCOMPARE(f->active()->windowTitle(), path);
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(f->path(QStringLiteral("DRAFT.kfx"))));
}

// Each write command says in the status bar what it wrote, and where; a
// cancelled one leaves what the last one said.
void TestReportFiles::writingSaysWhatItDid()
{
    f->newReport(QStringLiteral("told"));
    QTRY_VERIFY(f->active());
    QStatusBar *status = f->frame->statusBar();
    const auto said = [status] {
        return status->currentMessage();
    };
    const QString design = QFileInfo(f->path(QStringLiteral("TOLD.kfx"))).absoluteFilePath();

    f->action(QStringLiteral("WriteReportMenu"))->trigger();
    QCOMPARE(said(), QStringLiteral("Design written to ") + QDir::toNativeSeparators(design));
    const QString text = f->path(QStringLiteral("told.rw"));
    f->answers = {text};
    f->action(QStringLiteral("WriteTextFileMenu"))->trigger();
    QCOMPARE(said(), QStringLiteral("Source written to ") + QDir::toNativeSeparators(text));
    const QString unixFile = f->path(QStringLiteral("told-unixFile.rw"));
    f->answers = {unixFile};
    f->action(QStringLiteral("WriteUNIXFileMenu"))->trigger();
    QCOMPARE(said(), QStringLiteral("Source written with UNIX line ends to ")
                         + QDir::toNativeSeparators(unixFile));
    f->action(QStringLiteral("WriteTextFileMenu"))->trigger(); // cancelled
    QCOMPARE(said(), QStringLiteral("Source written with UNIX line ends to ")
                         + QDir::toNativeSeparators(unixFile));
    const QString renamed = f->path(QStringLiteral("RENAMED.kfx"));
    f->answers = {renamed};
    f->action(QStringLiteral("WriteReportAsMenu"))->trigger();
    QCOMPARE(said(), QStringLiteral("Design written to ") + QDir::toNativeSeparators(renamed));
}

void TestReportFiles::failedWriteAsChangesNothing()
{
    f->newReport(QStringLiteral("draft"));
    QTRY_VERIFY(f->active());
    const QString unwritable = f->path(QStringLiteral("missing/FINAL.kfx"));
    f->answers = {unwritable};
    f->action(QStringLiteral("WriteReportAsMenu"))->trigger();
    QCOMPARE(f->failures(), QStringList({"ERROR. Cannot save report to file: " + unwritable}));
    QCOMPARE(f->active()->designFileName(), QStringLiteral("DRAFT.kfx"));
    QCOMPARE(f->active()->windowTitle(), QStringLiteral("DRAFT.kfx"));
    QCOMPARE(QDir::currentPath(), QDir(f->workDir.path()).absolutePath());
}

void TestReportFiles::openingAnOpenFileActivatesItsWindow()
{
    const QString design = copyOfExample(QStringLiteral("sales.kfx"));
    const QString text = f->path(QStringLiteral("sales.rw"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(".NAME sales\r\n");
    file.close();

    f->yesNoAnswer = false; // the Report-Writer file opens as text
    f->answers = {design, text};
    f->action(QStringLiteral("Otwrz1"))->trigger();
    f->action(QStringLiteral("Otwrz1"))->trigger();
    QTRY_COMPARE(f->frame->reportWindows().size(), 2);
    ReportWindow *designWindow = f->frame->reportWindows().at(0);
    ReportWindow *textWindow = f->frame->reportWindows().at(1);
    QCOMPARE(f->active(), textWindow);

    // The same files again, one by another spelling of its path.
    f->answers = {f->path(QStringLiteral("./sales.kfx")), text};
    f->action(QStringLiteral("Otwrz1"))->trigger();
    QCOMPARE(f->active(), designWindow);
    f->action(QStringLiteral("ImportReportFromFilerw1"))->trigger();
    QCOMPARE(f->active(), textWindow);
    QCOMPARE(f->frame->reportWindows().size(), 2);
}

void TestReportFiles::fileDialogTypesEntriesByName()
{
    // Content that says PDF under a name that says nothing: only a
    // provider that reads the file would call it a PDF document.
    const QString path = f->path(QStringLiteral("notes"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n");
    file.close();
    const QMimeType byContent = QMimeDatabase().mimeTypeForFile(path);
    QCOMPARE(byContent.name(), QStringLiteral("application/pdf"));

    const NameOnlyIconProvider provider;
    QVERIFY(provider.type(QFileInfo(path)) != byContent.comment());
    QCOMPARE(provider.type(QFileInfo(f->path(QStringLiteral("a.kfx")))),
             QMimeDatabase()
                 .mimeTypeForFile(QStringLiteral("a.kfx"), QMimeDatabase::MatchExtension)
                 .comment());
}

void TestReportFiles::closeWindowThatCannotSaveStaysOpen()
{
    f->newReport(QStringLiteral("lost"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QVERIFY(f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(), QPoint(60, 10),
                      QPoint(400, 30)));
    const QString unwritable = f->path(QStringLiteral("missing/LOST.kfx"));
    window->setDesignFileName(unwritable);

    // Asked what becomes of the design, the user cancels.
    f->answer = UnsavedDesignChoice::Cancel;
    f->action(QStringLiteral("CloseWindowMenu"))->trigger();
    QCOMPARE(f->failures(), QStringList({"ERROR. Cannot save report to file: " + unwritable}));
    QCOMPARE(f->questions, QList<UnsavedDesignReason>{UnsavedDesignReason::WriteFailed});
    QCOMPARE(f->frame->reportWindows(), QList<ReportWindow *>({window}));
    QVERIFY(window->designing());

    // Once the folder is there the window closes.
    QDir(f->workDir.path()).mkdir(QStringLiteral("missing"));
    f->action(QStringLiteral("CloseWindowMenu"))->trigger();
    QTRY_VERIFY(f->frame->reportWindows().isEmpty());
    QVERIFY(QFile::exists(unwritable));
}

void TestReportFiles::exitWritesEveryChangedDesign()
{
    f->newReport(QStringLiteral("one"));
    QTRY_VERIFY(f->active());
    QVERIFY(f->create(QStringLiteral("Dpst_TmBand"), f->active()->mPage1(), QPoint(60, 10),
                      QPoint(400, 30)));
    f->newReport(QStringLiteral("two"));
    QTRY_COMPARE(f->frame->reportWindows().size(), 2);

    f->action(QStringLiteral("Zakocz1"))->trigger();
    QVERIFY(!f->frame->isVisible());
    QTRY_VERIFY(f->frame->reportWindows().isEmpty());

    HeadlessReport one;
    one.load(f->path(QStringLiteral("ONE.kfx")));
    QCOMPARE(one.page()->findChildren<Band *>().size(), 1);
    // The untouched report wrote nothing.
    QVERIFY(!QFile::exists(f->path(QStringLiteral("TWO.kfx"))));
    QVERIFY(f->questions.isEmpty());
}

void TestReportFiles::closingAsksAboutEditedSource_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<UnsavedDesignChoice>("answer");
    QTest::addColumn<QString>("chosenFile");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("read and left alone")
        << false << UnsavedDesignChoice::Cancel << QString() << true << QByteArray();
    QTest::newRow("edited, cancelled")
        << true << UnsavedDesignChoice::Cancel << QString() << false << QByteArray();
    QTest::newRow("edited, discarded")
        << true << UnsavedDesignChoice::Discard << QString() << true << QByteArray();
    QTest::newRow("edited, written")
        << true << UnsavedDesignChoice::WriteElsewhere << QStringLiteral("kept.rw") << true
        << QByteArray(".NAME typeds\n");
    QTest::newRow("edited, no file chosen")
        << true << UnsavedDesignChoice::WriteElsewhere << QString() << false << QByteArray();
}

void TestReportFiles::closingAsksAboutEditedSource()
{
    QFETCH(bool, edited);
    QFETCH(UnsavedDesignChoice, answer);
    QFETCH(QString, chosenFile);
    QFETCH(bool, closes);
    QFETCH(QByteArray, written);

    const QString source = f->path(QStringLiteral("typed.rw"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(".NAME typed\n");
    file.close();
    QVERIFY(Settings::write(SettingKeys::OpenReportAs, QStringLiteral("text")));
    f->frame->openFile(source);
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    if (edited) {
        f->activateFrame();
        window->sourceEditor()->setFocus();
        window->sourceEditor()->setCursorPosition(0, 11);
        QTest::keyClicks(window->sourceEditor(), "s");
    }

    f->answer = answer;
    if (!chosenFile.isEmpty())
        f->answers = {f->path(chosenFile)};
    f->action(QStringLiteral("CloseWindowMenu"))->trigger();

    const QList<UnsavedDesignReason> asked =
        edited ? QList<UnsavedDesignReason>{UnsavedDesignReason::SourceEdited}
               : QList<UnsavedDesignReason>{};
    QCOMPARE(f->questions, asked);
    if (closes)
        QTRY_VERIFY(f->frame->reportWindows().isEmpty());
    else
        QCOMPARE(f->frame->reportWindows(), QList<ReportWindow *>({window}));
    if (!closes)
        QCOMPARE(FrameFixture::editorLines(window), QStringList({".NAME typeds"}));
    if (!written.isEmpty())
        QCOMPARE(FrameFixture::contents(f->path(chosenFile)), written);
    // The file the text came from is never written behind the user's back.
    QCOMPARE(FrameFixture::contents(source), QByteArray(".NAME typed\n"));
}

void TestReportFiles::commandLineOpensEachFile()
{
    copyOfExample(QStringLiteral("Sales.kfx"));
    QFile text(f->path(QStringLiteral("notes.rw")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(".NAME notes\r\n");
    text.close();

    f->yesNoAnswer = false;
    StartUp::openFiles(*f->frame, {QStringLiteral("Sales.kfx"), QStringLiteral("notes.rw")});
    const QList<ReportWindow *> windows = f->frame->reportWindows();
    QCOMPARE(windows.size(), 2);
    QCOMPARE(windows[0]->windowTitle(), f->path(QStringLiteral("Sales.kfx")));
    QCOMPARE(bandCount(windows[0]), 4);
    QCOMPARE(windows[1]->windowTitle(), f->path(QStringLiteral("notes.kfx")));
    QCOMPARE(FrameFixture::editorLines(windows[1]), QStringList({".NAME notes"}));
    QCOMPARE(f->failures(), QStringList());
}

// The answer to "as a design?" is asked once and kept in the settings.
void TestReportFiles::reportOpensAsDesignOnceAsked()
{
    for (const char *name : {"first.rw", "second.rw"}) {
        QFile text(f->path(QLatin1String(name)));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(".NAME n\n.DETAIL\n\t.TAB 2\n\t.PRINT name\n");
        text.close();
        f->answers = {text.fileName()};
        f->action(QStringLiteral("Otwrz1"))->trigger();
        QTRY_VERIFY(f->active());
        QCOMPARE(bandCount(f->active()), 1);
        QCOMPARE(f->active()->activePage(), ReportWindow::Page::ReportForm);
    }
    QCOMPARE(f->yesNoQuestions.size(), 1);
    QCOMPARE(Settings::read(SettingKeys::OpenReportAs, QString()), QStringLiteral("design"));
}

// File > Open Report as Design: a new design, changed and with no file;
// Write Report asks for its name and leaves the report as it was.
void TestReportFiles::openReportAsDesignMakesANewDesign()
{
    const QByteArray source = ".NAME n\n.DETAIL\n\t.NEED 1\n\t.TAB 2\n\t.PRINT name\n";
    QFile text(f->path(QStringLiteral("report.rw")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(source);
    text.close();
    f->answers = {text.fileName()};
    f->action(QStringLiteral("OpenReportAsDesignMenu"))->trigger();
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QCOMPARE(f->yesNoQuestions.size(), 0);
    QCOMPARE(bandCount(window), 1);
    QCOMPARE(window->mPage1()->findChildren<TextItem *>().size(), 1);
    QVERIFY(window->designModified());
    QCOMPARE(FrameFixture::editorLines(window), QString::fromUtf8(source).split(u'\n').mid(0, 5));

    const QString design = f->path(QStringLiteral("chosen.kfx"));
    f->answers = {design};
    f->action(QStringLiteral("WriteReportMenu"))->trigger();
    QCOMPARE(f->askedDialogs.last(), QStringLiteral("SaveDialog_kfx"));
    QVERIFY(QFile::exists(design));
    QVERIFY(!window->designModified());
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll(), source);
    QCOMPARE(f->failures(), QStringList());
}

QTEST_MAIN(TestReportFiles)
#include "tst_reportfiles.moc"
