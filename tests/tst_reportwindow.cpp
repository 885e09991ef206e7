// Links: kestrova_windows
#include "ReportWindowFixture.h"
#include "WorkedExample.h"

#include "windows/ProgressPanel.h"

#include "editor/EditorCompletion.h"

#include "designer/DesignStage.h"

#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include <QProgressBar>
#include <QTabWidget>

// The report window as a document: the three ways of opening, the design
// file, the source text and its line ends, the UNIX writer, the editor
// settings, generation into the source page, closing, and the message of
// every failure.
class TestReportWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newReport();
    void openDesign();
    void openMissingDesign();
    void importText();
    void designModeOnAfterShowing_data();
    void designModeOnAfterShowing();
    void firstUseShowsNoMessages();
    void unreadableSettingsAndMissingWordListReported();
    void failureMessages_data();
    void failureMessages();
    void unreadableDesignKeepsOnePage();
    void designTooLargeToShowIsRefused_data();
    void designTooLargeToShowIsRefused();
    void sourceLineEnds_data();
    void sourceLineEnds();
    void importDecodesLegacyBytes();
    void unixFile_data();
    void unixFile();
    void unixFileShowsProgress();
    void generateFillsTheSourcePage();
    void closingWritesDesignAndEmptySettings();
    void closingWithUnwritableDesignStillCloses();
    void closingStepsRunOnce();
    void closingSettlesTheDesign_data();
    void closingSettlesTheDesign();
    void closeWhileWritingWaits();
    void editorSettingsCarryOver();

private:
    ReportWindowFixture *f = nullptr;
};

void TestReportWindow::init()
{
    f = new ReportWindowFixture;
}

void TestReportWindow::cleanup()
{
    delete f;
    f = nullptr;
}

namespace {

const QString SalesDesign = QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx");

QStringList bandNames(const ReportPage *page)
{
    QStringList names;
    for (BandBase *band : page->bands())
        names.append(band->objectName());
    return names;
}

QStringList topLevelPages(const ReportWindow &window)
{
    QStringList names;
    for (auto *page : window.reportStage()->findChildren<ReportPage *>(Qt::FindDirectChildrenOnly))
        names.append(page->objectName());
    return names;
}

} // namespace

void TestReportWindow::newReport()
{
    f->messages.clear();
    auto window = f->create(omNew, QStringLiteral("SALES.kfx"));
    QCOMPARE(window->designFileName(), QStringLiteral("SALES.kfx"));
    QCOMPARE(window->windowTitle(), QStringLiteral("SALES.kfx"));
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());
    QVERIFY(window->mPage1());
    QCOMPARE(window->mPage1()->objectName(), QStringLiteral("mPage1"));
    QCOMPARE(window->mPage1()->size(), QSize(794, 1123));
    QVERIFY(window->mPage1()->bands().isEmpty());
    QVERIFY(!window->progressPanel()->isVisible());
    QCOMPARE(f->messages, QStringList{});
}

void TestReportWindow::openDesign()
{
    auto window = f->create(omDesign, SalesDesign);
    QCOMPARE(window->designFileName(), SalesDesign);
    QCOMPARE(window->windowTitle(), SalesDesign);
    QCOMPARE(topLevelPages(*window), QStringList{"mPage1"});
    QCOMPARE(window->mPage1()->reportName, QStringLiteral("sales"));
    QCOMPARE(bandNames(window->mPage1()).size(), 4);
    QCOMPARE(window->reportStage()->size(), window->mPage1()->size());
    QVERIFY(window->designing());
    QCOMPARE(f->messages, QStringList{});
}

void TestReportWindow::openMissingDesign()
{
    const QString name = f->path(QStringLiteral("NEW.kfx"));
    auto window = f->create(omDesign, name);
    QCOMPARE(window->windowTitle(), name);
    QVERIFY(window->mPage1()->bands().isEmpty());
    QCOMPARE(f->messages, QStringList{});
    // Write Report then creates the file.
    QVERIFY(window->saveDesign());
    QVERIFY(QFile::exists(name));
}

void TestReportWindow::importText()
{
    const QString text = f->path(QStringLiteral("Sales.rw"));
    f->writeFile(text, ".NAME sales\n\t.PRINT x\n");
    auto window = f->create(omText, text);
    QCOMPARE(window->designFileName(), f->path(QStringLiteral("Sales.kfx")));
    QCOMPARE(window->windowTitle(), f->path(QStringLiteral("Sales.kfx")));
    QCOMPARE(window->sourceEditor()->lines().texts(), (QStringList{".NAME sales", "\t.PRINT x"}));
    QVERIFY(window->mPage1()->bands().isEmpty());
    QVERIFY(!window->designing());
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);

    // Closing writes the design beside the imported file once it was changed.
    ReportWindowFixture::addBand(*window);
    ReportWindowFixture::closeAndDestroy(std::move(window));
    QVERIFY(QFile::exists(f->path(QStringLiteral("Sales.kfx"))));
    QVERIFY(f->questions.isEmpty());
}

void TestReportWindow::designModeOnAfterShowing_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("page");
    QTest::newRow("new") << int(omNew) << "Report Form";
    QTest::newRow("design") << int(omDesign) << "Report Form";
    QTest::newRow("text") << int(omText) << "Source";
}

void TestReportWindow::designModeOnAfterShowing()
{
    QFETCH(int, mode);
    QFETCH(QString, page);
    const QString text = f->path(QStringLiteral("a.rw"));
    f->writeFile(text, "x\n");
    const QString name = mode == omNew      ? QStringLiteral("A.kfx")
                         : mode == omDesign ? SalesDesign
                                            : text;
    auto window = f->create(OpenMode(mode), name);
    ReportWindowFixture::show(*window);
    QVERIFY(window->designing());
    QCOMPARE(window->pageControl()->tabText(window->pageControl()->currentIndex()), page);
    QCOMPARE(window->reportStage()->size(), window->mPage1()->size());
}

void TestReportWindow::firstUseShowsNoMessages()
{
    CompletionFile.clear();
    QVERIFY(QFile::remove(ReportWindowFixture::settingsPath()));
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    QCOMPARE(f->messages, QStringList());
    QVERIFY(window->sourceEditor());
    QCOMPARE(window->sourceEditor()->objectName(), QStringLiteral("SourceEditor"));
}

void TestReportWindow::unreadableSettingsAndMissingWordListReported()
{
    const QString settings = ReportWindowFixture::settingsPath();
    f->writeFile(settings, "not a stream");
    CompletionFile = f->path(QStringLiteral("no-such-words.txt"));
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    QCOMPARE(f->messages, (QStringList{"ERROR. Cannot open setting file: " + settings,
                                       "ERROR: Cannot read from File: " + CompletionFile}));
    QCOMPARE(window->sourceEditor()->objectName(), QStringLiteral("SourceEditor"));
    CompletionFile.clear();
}

void TestReportWindow::failureMessages_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("expected");

    QTest::newRow("LoadDesign") << "LoadDesign"
                                << "ERROR. Cannot open file: ";
    QTest::newRow("SaveDesign") << "SaveDesign"
                                << "ERROR. Cannot save report to file: ";
    QTest::newRow("LoadSourceText") << "LoadSourceText"
                                    << "ERROR: Cannot load from file: ";
    QTest::newRow("SaveSourceText") << "SaveSourceText"
                                    << "ERROR. Cannot save to file: ";
    QTest::newRow("WriteUnixFile") << "WriteUnixFile"
                                   << "ERROR. Cannot save to file: ";
    QTest::newRow("LoadEditorSettings") << "LoadEditorSettings"
                                        << "ERROR. Cannot open setting file: ";
    QTest::newRow("SaveEditorSettings") << "SaveEditorSettings"
                                        << "ERROR. Cannot open setting file: ";
    QTest::newRow("LoadCompletionList") << "LoadCompletionList"
                                        << "ERROR: Cannot read from File: ";
}

void TestReportWindow::failureMessages()
{
    QFETCH(QString, operation);
    QFETCH(QString, expected);
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    window->sourceEditor()->setText(QStringLiteral("kept"));
    f->messages.clear();
    // A file in a folder that does not exist can be neither read nor written.
    const QString path = f->path(QStringLiteral("missing/file.x"));
    bool result = true;
    if (operation == "LoadDesign") {
        result = window->loadDesign(path);
    } else if (operation == "SaveDesign") {
        window->setDesignFileName(path);
        result = window->saveDesign();
    } else if (operation == "LoadSourceText") {
        result = window->loadSourceText(path);
    } else if (operation == "SaveSourceText") {
        result = window->saveSourceText(path);
    } else if (operation == "WriteUnixFile") {
        result = window->writeUnixFile(path);
        QVERIFY(!window->progressPanel()->isVisible());
    } else if (operation == "LoadEditorSettings") {
        result = window->loadEditorSettings(path);
    } else if (operation == "SaveEditorSettings") {
        result = window->saveEditorSettings(path);
    } else if (operation == "LoadCompletionList") {
        CompletionFile = path;
        result = window->loadCompletionList();
    }
    QVERIFY(!result);
    QCOMPARE(f->messages, QStringList{expected + path});
    QVERIFY(!QFile::exists(path));
    if (operation.startsWith(u"Load"))
        QCOMPARE(window->sourceEditor()->lines().texts(), QStringList{"kept"});
}

void TestReportWindow::unreadableDesignKeepsOnePage()
{
    const QString broken = f->path(QStringLiteral("broken.kfx"));
    QByteArray bytes = ReportWindowFixture::readFile(SalesDesign);
    bytes.truncate(bytes.size() / 2);
    f->writeFile(broken, bytes);
    auto window = f->create(omDesign, broken);
    QCOMPARE(f->messages, QStringList{"ERROR. Cannot open file: " + broken});
    QCOMPARE(topLevelPages(*window).size(), 1);
    QCOMPARE(window->reportStage()->size(), window->mPage1()->size());
    // The window is usable: design mode and saving work.
    QVERIFY(window->designing());
    QVERIFY(window->saveDesign());
}

namespace {

// A design file whose one band holds copies of one text item, and whose
// page holds copies of that band, made from the bytes of one of each so
// that no widget of the crafted design is ever made here.
QByteArray craftedDesign(int textsPerBand, int bands)
{
    ComponentOwner owner;
    QWidget stage;
    auto *page = new ReportPage(&owner, &stage);
    page->setName(QStringLiteral("mPage1"));
    auto *band = new Band(&owner, page);
    band->setName(QStringLiteral("mBand1"));
    auto *text = new TextItem(&owner, band);
    text->setName(QStringLiteral("mText1"));
    const ClassRegistry &registry = reportClasses();
    const QByteArray textBytes =
        ObjectStream::writeComponent(text, owner, registry).mid(ObjectStream::Signature.size());
    QByteArray bandBytes =
        ObjectStream::writeComponent(band, owner, registry).mid(ObjectStream::Signature.size());
    bandBytes.replace(textBytes, textBytes.repeated(textsPerBand));
    const QByteArray bandWithTexts =
        ObjectStream::writeComponent(band, owner, registry).mid(ObjectStream::Signature.size());
    QByteArray design = ObjectStream::writeComponent(page, owner, registry) + '\0';
    design.replace(bandWithTexts, bandBytes.repeated(bands));
    return design;
}

} // namespace

// A crafted design of tens of thousands of items would overflow the stack
// when painted: it is refused before any of it is made, with the reason.
void TestReportWindow::designTooLargeToShowIsRefused_data()
{
    QTest::addColumn<int>("textsPerBand");
    QTest::addColumn<int>("bands");
    QTest::addColumn<QString>("reason");
    QTest::newRow("in one band")
        << 10001 << 1
        << "The design is too large to show: 10001 components lie in one band, a report "
           "window shows at most 10000 there.";
    QTest::newRow("in all")
        << 1000 << 100
        << "The design is too large to show: it holds 100101 components, a report window "
           "shows at most 100000.";
}

void TestReportWindow::designTooLargeToShowIsRefused()
{
    QFETCH(int, textsPerBand);
    QFETCH(int, bands);
    QFETCH(QString, reason);
    const QString path = f->path(QStringLiteral("HUGE.kfx"));
    f->writeFile(path, craftedDesign(textsPerBand, bands));
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    f->messages.clear();
    QVERIFY(!window->loadDesign(path));
    QCOMPARE(f->messages,
             QStringList{QStringLiteral("ERROR. Cannot open file: ") + path + u'\n' + reason});
    QVERIFY(!window->owner().findComponent(u"mText1"));
    QVERIFY(!window->owner().findComponent(u"mBand1"));
    QVERIFY(window->mPage1());
}

void TestReportWindow::sourceLineEnds_data()
{
    QTest::addColumn<QByteArray>("imported");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("new window") << QByteArray() << QByteArray("A\r\n\tB\r\n");
    QTest::newRow("LF import") << QByteArray("A\n\tB\n") << QByteArray("A\n\tB\n");
    QTest::newRow("CR LF import") << QByteArray("A\r\n\tB\r\n") << QByteArray("A\r\n\tB\r\n");
    QTest::newRow("last line open") << QByteArray("A\n\tB") << QByteArray("A\n\tB\n");
    QTest::newRow("mixed keeps CR LF") << QByteArray("A\n\tB\r\n") << QByteArray("A\r\n\tB\r\n");
}

void TestReportWindow::sourceLineEnds()
{
    QFETCH(QByteArray, imported);
    QFETCH(QByteArray, written);
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    if (imported.isEmpty()) {
        window->sourceEditor()->setText(QStringLiteral("A\n\tB"));
    } else {
        f->writeFile(f->path(QStringLiteral("in.rw")), imported);
        QVERIFY(window->loadSourceText(f->path(QStringLiteral("in.rw"))));
    }
    QCOMPARE(window->sourceEditor()->lines().texts(), (QStringList{"A", "\tB"}));
    const QString out = f->path(QStringLiteral("out.rw"));
    QVERIFY(window->saveSourceText(out));
    QCOMPARE(ReportWindowFixture::readFile(out), written);

    window->sourceEditor()->clearLines();
    QVERIFY(window->saveSourceText(out));
    QCOMPARE(ReportWindowFixture::readFile(out), QByteArray());
    QCOMPARE(f->messages, QStringList{});
}

void TestReportWindow::importDecodesLegacyBytes()
{
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    // "źle" in UTF-8, then "č" as the one Windows-1250 byte 0xE8.
    f->writeFile(f->path(QStringLiteral("in.rw")), "\xc5\xbale\n\xe8\n");
    QVERIFY(window->loadSourceText(f->path(QStringLiteral("in.rw"))));
    QCOMPARE(window->sourceEditor()->lines().texts(),
             (QStringList{QStringLiteral(u"źle"), QStringLiteral(u"č")}));
    const QString out = f->path(QStringLiteral("out.rw"));
    QVERIFY(window->saveSourceText(out));
    QCOMPARE(ReportWindowFixture::readFile(out), QByteArray("\xc5\xbale\n\xc4\x8d\n"));
}

void TestReportWindow::unixFile_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("A and empty") << QStringList{"A", ""} << QByteArray("A\n\n");
    QTest::newRow("empty editor") << QStringList{} << QByteArray();
    QTest::newRow("two empty lines") << QStringList{"", ""} << QByteArray("\n\n");
    QTest::newRow("blanks inside")
        << QStringList{"\t.PRINT 'a b'", "c"} << QByteArray("\t.PRINT 'a b'\nc\n");
}

void TestReportWindow::unixFile()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, expected);
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    // Imported with CR LF: the UNIX writer still writes LF alone.
    f->writeFile(f->path(QStringLiteral("in.rw")), "x\r\n");
    QVERIFY(window->loadSourceText(f->path(QStringLiteral("in.rw"))));
    CodeLines code;
    code.setTexts(lines);
    window->sourceEditor()->setLines(code);
    QCOMPARE(window->sourceEditor()->lines().texts(), lines);
    const QString out = f->path(QStringLiteral("out.rw"));
    QVERIFY(window->writeUnixFile(out));
    QCOMPARE(ReportWindowFixture::readFile(out), expected);
}

void TestReportWindow::unixFileShowsProgress()
{
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    ReportWindowFixture::show(*window);
    CodeLines code;
    code.setTexts({"1", "2", "3"});
    window->sourceEditor()->setLines(code);
    QList<int> seen;
    bool shownWhileWriting = false;
    QProgressBar *bar = window->progressPanel()->progressBar();
    connect(bar, &QProgressBar::valueChanged, this, [&](int value) {
        seen.append(value);
        shownWhileWriting = window->progressPanel()->isVisible();
    });
    QVERIFY(window->writeUnixFile(f->path(QStringLiteral("out.rw"))));
    QCOMPARE(bar->maximum(), 3);
    QCOMPARE(seen.mid(seen.size() - 3), (QList<int>{1, 2, 3}));
    QVERIFY(shownWhileWriting);
    QVERIFY(!window->progressPanel()->isVisible());
}

void TestReportWindow::generateFillsTheSourcePage()
{
    auto window = f->create(omDesign, SalesDesign);
    window->sourceEditor()->setText(QStringLiteral("replaced"));
    QVERIFY(window->generateSource());
    // Lines keep their trailing blanks (".DETAIL "): they are written so.
    QVERIFY(WorkedExample::lines().contains(QStringLiteral(".DETAIL ")));
    QCOMPARE(window->sourceEditor()->lines().texts(), WorkedExample::lines());
    QCOMPARE(window->progressPanel()->progressBar()->maximum(), 4);
    QVERIFY(!window->progressPanel()->isVisible());
    QCOMPARE(f->messages, QStringList{});
}

void TestReportWindow::closingWritesDesignAndEmptySettings()
{
    auto window = f->create(omNew, QStringLiteral("CLOSED.kfx"));
    ReportWindowFixture::show(*window);
    auto *band = new Band(&window->owner(), window->mPage1());
    band->setName(QStringLiteral("mBand1"));
    window->sourceEditor()->setText(QStringLiteral(".PRINT 'held in the editor'"));
    ReportWindowFixture::closeAndDestroy(std::move(window));

    // A new report is written under its relative name into the current folder.
    const QString design = f->path(QStringLiteral("CLOSED.kfx"));
    QVERIFY(QFile::exists(design));
    const QString settings = ReportWindowFixture::settingsPath();
    QVERIFY(!ReportWindowFixture::readFile(settings).contains("held in the editor"));
    QCOMPARE(f->messages, QStringList{});

    auto reopened = f->create(omDesign, design);
    QCOMPARE(bandNames(reopened->mPage1()), QStringList{"mBand1"});
    QCOMPARE(reopened->sourceEditor()->lineCount(), 0);
    QCOMPARE(f->messages, QStringList{});
}

void TestReportWindow::closingWithUnwritableDesignStillCloses()
{
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    ReportWindowFixture::addBand(*window);
    const QString unwritable = f->path(QStringLiteral("missing/A.kfx"));
    window->setDesignFileName(unwritable);
    // The user, asked, discards the design.
    ReportWindowFixture::closeAndDestroy(std::move(window));
    QCOMPARE(f->messages, QStringList{"ERROR. Cannot save report to file: " + unwritable});
    QCOMPARE(f->questions, QList<UnsavedDesignReason>{UnsavedDesignReason::WriteFailed});
    QVERIFY(QFile::exists(ReportWindowFixture::settingsPath()));
}

void TestReportWindow::closingStepsRunOnce()
{
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    ReportWindowFixture::show(*window);
    ReportWindowFixture::addBand(*window);
    window->setDesignFileName(f->path(QStringLiteral("missing/A.kfx")));
    QVERIFY(window->closeReport());
    QVERIFY(!window->designing());
    QCOMPARE(f->messages.size(), 1);
    ReportWindowFixture::closeAndDestroy(std::move(window));
    QCOMPARE(f->messages.size(), 1);
}

void TestReportWindow::closingSettlesTheDesign_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<UnsavedDesignChoice>("choice");
    QTest::addColumn<QList<UnsavedDesignReason>>("questions");
    QTest::addColumn<bool>("fileKept");
    QTest::addColumn<bool>("writtenElsewhere");
    QTest::addColumn<bool>("closes");

    using C = UnsavedDesignChoice;
    const QList<UnsavedDesignReason> none;
    const QList<UnsavedDesignReason> notOurs{UnsavedDesignReason::FileNotOurs};
    const QList<UnsavedDesignReason> unreadable{UnsavedDesignReason::FileUnreadable};
    QTest::newRow("untouched design")
        << int(omDesign) << true << false << C::Discard << none << true << false << true;
    QTest::newRow("changed design")
        << int(omDesign) << true << true << C::Discard << none << false << false << true;
    QTest::newRow("untouched text")
        << int(omText) << true << false << C::Discard << none << true << false << true;
    QTest::newRow("changed text, discard")
        << int(omText) << true << true << C::Discard << notOurs << true << false << true;
    QTest::newRow("changed text, replace")
        << int(omText) << true << true << C::Replace << notOurs << false << false << true;
    QTest::newRow("changed text, elsewhere")
        << int(omText) << true << true << C::WriteElsewhere << notOurs << true << true << true;
    QTest::newRow("changed text, cancel")
        << int(omText) << true << true << C::Cancel << notOurs << true << false << false;
    QTest::newRow("unreadable design, discard")
        << int(omDesign) << false << true << C::Discard << unreadable << true << false << true;
    QTest::newRow("unreadable design, replace refused")
        << int(omDesign) << false << true << C::Replace << unreadable << true << false << false;
    QTest::newRow("unreadable design, elsewhere")
        << int(omDesign) << false << true << C::WriteElsewhere << unreadable << true << true
        << true;
}

void TestReportWindow::closingSettlesTheDesign()
{
    QFETCH(int, mode);
    QFETCH(bool, readable);
    QFETCH(bool, changed);
    QFETCH(UnsavedDesignChoice, choice);
    QFETCH(QList<UnsavedDesignReason>, questions);
    QFETCH(bool, fileKept);
    QFETCH(bool, writtenElsewhere);
    QFETCH(bool, closes);

    const QString design = f->path(QStringLiteral("SALES.kfx"));
    const QByteArray original =
        readable ? ReportWindowFixture::readFile(SalesDesign) : QByteArray("not a design");
    ReportWindowFixture::writeFile(design, original);
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    {
        QFile file(design);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    const QString text = f->path(QStringLiteral("SALES.rw"));
    ReportWindowFixture::writeFile(text, ".NAME sales\n");
    const QString elsewhere = f->path(QStringLiteral("COPY.kfx"));

    auto window = f->create(OpenMode(mode), mode == omText ? text : design);
    window->setDesignPathChooser([&elsewhere] { return elsewhere; });
    f->answer = choice;
    if (changed)
        ReportWindowFixture::addBand(*window);
    QCOMPARE(window->closeReport(), closes);

    QCOMPARE(f->questions, questions);
    const QFileInfo after(design);
    QCOMPARE(ReportWindowFixture::readFile(design) == original, fileKept);
    if (fileKept)
        QCOMPARE(after.lastModified().toUTC(), longAgo);
    QCOMPARE(QFile::exists(elsewhere), writtenElsewhere);
    if (writtenElsewhere)
        QCOMPARE(window->designFileName(), elsewhere);
}

void TestReportWindow::closeWhileWritingWaits()
{
    auto owned = f->create(omNew, QStringLiteral("WAITED.kfx"));
    ReportWindowFixture::show(*owned);
    CodeLines code;
    code.setTexts({"1", "2", "3"});
    owned->sourceEditor()->setLines(code);
    ReportWindowFixture::addBand(*owned);
    QPointer<ReportWindow> window = owned.release();
    // The close arrives while the writer lets events run.
    QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    QVERIFY(window->writeUnixFile(f->path(QStringLiteral("out.rw"))));
    QCOMPARE(ReportWindowFixture::readFile(f->path(QStringLiteral("out.rw"))),
             QByteArray("1\n2\n3\n"));
    QVERIFY(QFile::exists(f->path(QStringLiteral("WAITED.kfx"))));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
}

void TestReportWindow::editorSettingsCarryOver()
{
    auto window = f->create(omNew, QStringLiteral("A.kfx"));
    window->sourceEditor()->setRightEdge(80);
    ReportWindowFixture::closeAndDestroy(std::move(window));
    f->messages.clear();

    auto next = f->create(omNew, QStringLiteral("B.kfx"));
    QCOMPARE(f->messages, QStringList{});
    QCOMPARE(next->sourceEditor()->rightEdge(), 80);
    QCOMPARE(next->sourceEditor()->objectName(), QStringLiteral("SourceEditor"));
    QCOMPARE(next->sourceStage()->findChildren<SourceEditor *>().size(), 1);
    // The completion list and "Edit Property" reach the editor read from
    // the settings file.
    QCOMPARE(next->sourceEditor()->completion()->words(), (QStringList{".PRINT", ".TAB"}));
    SourceEditor *edited = nullptr;
    QObject::connect(next.get(), &ReportWindow::editProperty, next.get(),
                     [&](SourceEditor *editor) { edited = editor; });
    emit next->sourceEditor()->editPropertyRequested();
    QCOMPARE(edited, next->sourceEditor());
}

QTEST_MAIN(TestReportWindow)
#include "tst_reportwindow.moc"
