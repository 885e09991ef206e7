#include "FrameFixture.h"

#include "preview/FileOutput.h"
#include "shell/DataSourceDialog.h"
#include "shell/ParametersDialog.h"
#include "shell/PreviewSettings.h"
#include "shell/Settings.h"
#include "windows/PreviewPage.h"
#include "windows/PrintedPagesView.h"

#include "editor/SettingsFiles.h"
#include "model/BandBase.h"
#include "model/TextItem.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolButton>

#include <unistd.h>

// The Preview page of a report window, as the user drives it: F5, the
// pages and their navigation, Cancel, the messages, the data source and
// the parameters asked for, printing and saving the pages.
class TestPreviewPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void thirdPageIsThePreview();
    void f5PreviewsTheDesignAndLeavesTheSource();
    void f5PreviewsTheTextOfATextWindow();
    void pagesAreTurned_data();
    void pagesAreTurned();
    void allPagesScrollOneBelowTheOther();
    void cancelStopsAtOnce();
    void showingThePageRunsOnlyAfterAChange();
    void messageDoubleClickShowsTheSourceLine();
    void dataSourceIsRememberedPerReport();
    void dataSourcePasswordIsKeptOwnerOnlyAndNeverShown();
    void sqliteDataSourceGivesItsRows();
    void parametersAreAskedWithTheLastValues();
    void cancelledParametersRunNothing();
    void savePreviewAsWritesTheFile();
    void savePreviewAsFailureKeepsTheOldFile();
    void printPreviewToPdf();

private:
    // A window on the Source page of a text file holding source.
    ReportWindow *openText(const QString &name, const QByteArray &source);
    void runWithF5(ReportWindow *window);
    static QString pageText(const PrintedPage &page);
    static QString allText(ReportWindow *window);
    QString makeDatabase(const QString &name);

    FrameFixture *f = nullptr;
};

namespace {

// Pages of ten lines, 35 lines printed: four pages.
const QByteArray FourPages = ".NAME pages\n"
                             ".QUERY select name from people\n"
                             ".HEADER report\n"
                             ".PAGELENGTH 10\n"
                             ".PRINT 'first line'\n"
                             ".NEWLINE 35\n"
                             ".PRINT 'last line'\n"
                             ".NEWLINE\n";

// Blank lines for ever: only the page limit, or Cancel, ends it.
const QByteArray Endless = ".NAME endless\n"
                           ".QUERY select name from people\n"
                           ".HEADER report\n"
                           ".PRINT 'top'\n"
                           ".NEWLINE 100000000\n";

PreviewPage *previewOf(ReportWindow *window)
{
    return window->previewPage();
}

} // namespace

void TestPreviewPage::init()
{
    f = new FrameFixture;
}

void TestPreviewPage::cleanup()
{
    delete f;
    f = nullptr;
}

ReportWindow *TestPreviewPage::openText(const QString &name, const QByteArray &source)
{
    const QString path = f->path(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(source) != source.size())
        return nullptr;
    file.close();
    // Opened as text, on the Source page.
    if (!Settings::write(SettingKeys::OpenReportAs, QStringLiteral("text")))
        return nullptr;
    ReportWindow *window = f->frame->openFile(path);
    if (!QTest::qWaitFor([this] { return f->active() != nullptr; }))
        return nullptr;
    return window;
}

void TestPreviewPage::runWithF5(ReportWindow *window)
{
    f->activateFrame();
    QTest::keyClick(window->sourceEditor(), Qt::Key_F5);
}

QString TestPreviewPage::pageText(const PrintedPage &page)
{
    QStringList lines;
    for (qsizetype line = 0; line < page.lineCount(); ++line)
        lines.append(page.lineText(line));
    return lines.join(u'\n');
}

QString TestPreviewPage::allText(ReportWindow *window)
{
    QStringList pages;
    for (const PrintedPage &page : previewOf(window)->pages())
        pages.append(pageText(page));
    return pages.join(u'\n');
}

QString TestPreviewPage::makeDatabase(const QString &name)
{
    const QString path = f->path(name);
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "make");
        database.setDatabaseName(path);
        if (!database.open())
            return QString();
        QSqlQuery query(database);
        query.exec(QStringLiteral("create table people (name varchar(20), age integer)"));
        for (const char *row : {"('Alice', 31)", "('Bob', 45)", "('Carol', 27)"})
            query.exec(QStringLiteral("insert into people values ") + QLatin1String(row));
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    return path;
}

void TestPreviewPage::thirdPageIsThePreview()
{
    f->newReport(QStringLiteral("pages"));
    QTRY_VERIFY(f->active());
    QTabWidget *tabs = f->active()->pageControl();
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(2), QStringLiteral("Preview"));
    QCOMPARE(tabs->widget(2), previewOf(f->active()));
    QCOMPARE(f->action(QStringLiteral("PreviewReportMenu"))->shortcut(), QKeySequence(Qt::Key_F5));
}

void TestPreviewPage::f5PreviewsTheDesignAndLeavesTheSource()
{
    f->newReport(QStringLiteral("hello"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    window->mPage1()->query.setTexts(
        {QStringLiteral(".QUERY"), QStringLiteral("select name from people")});
    auto *band = new Band(&window->owner(), window->mPage1());
    band->setName(QStringLiteral("mBand1"));
    band->setTypeBand(Detail);
    band->setHeightPx(18);
    auto *text = new TextItem(&window->owner(), band);
    text->setName(QStringLiteral("mText1"));
    text->setCaption(QStringLiteral("'Hello'"));
    text->setBounds(0, 0, 100, 18);
    window->mPage1()->reportName = QStringLiteral("hello");
    window->mPage1()->query.setTexts(
        {QStringLiteral(".QUERY"), QStringLiteral("select name from people")});
    CodeLines mine;
    mine.setTexts({QStringLiteral("my own text")});
    window->sourceEditor()->setLines(mine);

    f->activateFrame();
    QTest::keyClick(f->frame.get(), Qt::Key_F5);
    QCOMPARE(window->activePage(), ReportWindow::Page::Preview);
    QTRY_VERIFY(!previewOf(window)->running());
    QStringList said;
    for (const PreviewMessage &message : previewOf(window)->messages())
        said.append(message.text);
    QVERIFY2(allText(window).contains(QLatin1String("Hello")), qPrintable(said.join(u'\n')));
    // Sample data: no data source was chosen.
    QVERIFY(previewOf(window)->progressLabel()->text().contains(QLatin1String("sample")));
    QCOMPARE(FrameFixture::editorLines(window), QStringList{"my own text"});
    QVERIFY(f->failures().isEmpty());
}

void TestPreviewPage::f5PreviewsTheTextOfATextWindow()
{
    ReportWindow *window = openText(QStringLiteral("text.rw"), FourPages);
    QVERIFY(window);
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    runWithF5(window);
    QCOMPARE(window->activePage(), ReportWindow::Page::Preview);
    QTRY_VERIFY(!previewOf(window)->running());
    const QList<PrintedPage> pages = previewOf(window)->pages();
    QCOMPARE(pages.size(), 4);
    QCOMPARE(pages.first().lineText(0), QStringLiteral("first line"));
    QVERIFY(allText(window).contains(QLatin1String("last line")));
    QCOMPARE(previewOf(window)->pageLabel()->text(), QStringLiteral("Page 1 of 4"));
}

void TestPreviewPage::pagesAreTurned_data()
{
    QTest::addColumn<QStringList>("steps"); // keys or button names
    QTest::addColumn<int>("page");          // shown afterwards, from 1
    QTest::newRow("next key") << QStringList{"Ctrl+PgDown"} << 2;
    QTest::newRow("next key twice") << QStringList{"Ctrl+PgDown", "Ctrl+PgDown"} << 3;
    QTest::newRow("last key") << QStringList{"Ctrl+End"} << 4;
    QTest::newRow("not beyond the last") << QStringList{"Ctrl+End", "Ctrl+PgDown"} << 4;
    QTest::newRow("previous key") << QStringList{"Ctrl+End", "Ctrl+PgUp"} << 3;
    QTest::newRow("first key") << QStringList{"Ctrl+End", "Ctrl+Home"} << 1;
    QTest::newRow("not before the first") << QStringList{"Ctrl+PgUp"} << 1;
    QTest::newRow("buttons") << QStringList{"PreviewLastButton", "PreviewPreviousButton",
                                            "PreviewPreviousButton", "PreviewNextButton"}
                             << 3;
    QTest::newRow("first button") << QStringList{"PreviewNextButton", "PreviewFirstButton"} << 1;
}

void TestPreviewPage::pagesAreTurned()
{
    QFETCH(QStringList, steps);
    QFETCH(int, page);
    ReportWindow *window = openText(QStringLiteral("turn.rw"), FourPages);
    QVERIFY(window);
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    QCOMPARE(previewOf(window)->pages().size(), 4);
    PrintedPagesView *view = previewOf(window)->view();
    view->setFocus();
    for (const QString &step : std::as_const(steps)) {
        if (step.startsWith(QLatin1String("Preview"))) {
            auto *button = previewOf(window)->findChild<QToolButton *>(step);
            QVERIFY2(button, qPrintable(step));
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            const QKeySequence keys(step);
            QTest::keySequence(view, keys);
        }
    }
    QCOMPARE(view->currentPage(), page - 1);
    QCOMPARE(previewOf(window)->pageLabel()->text(), QStringLiteral("Page %1 of 4").arg(page));
    // The page shown is still the Preview page: the keys did not switch tabs.
    QCOMPARE(window->activePage(), ReportWindow::Page::Preview);
}

void TestPreviewPage::allPagesScrollOneBelowTheOther()
{
    ReportWindow *window = openText(QStringLiteral("scroll.rw"), FourPages);
    QVERIFY(window);
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    PreviewPage *preview = previewOf(window);
    auto *all = preview->findChild<QCheckBox *>(QStringLiteral("PreviewAllPages"));
    QVERIFY(all);
    QTest::mouseClick(all, Qt::LeftButton);
    QVERIFY(preview->view()->allPages());
    QTest::keySequence(preview->view(), QKeySequence(QStringLiteral("Ctrl+End")));
    QCOMPARE(preview->pageLabel()->text(), QStringLiteral("Page 4 of 4"));
    // Scrolling to the top brings the first page back into the label.
    preview->view()->verticalScrollBar()->setValue(0);
    QCOMPARE(preview->pageLabel()->text(), QStringLiteral("Page 1 of 4"));
    auto *zoom = preview->findChild<QSpinBox *>(QStringLiteral("PreviewZoom"));
    QVERIFY(zoom);
    zoom->setValue(200);
    QCOMPARE(preview->view()->zoom(), 200);
}

void TestPreviewPage::cancelStopsAtOnce()
{
    ReportWindow *window = openText(QStringLiteral("endless.rw"), Endless);
    QVERIFY(window);
    runWithF5(window);
    PreviewPage *preview = previewOf(window);
    // The first page shows while the run goes on, and the window answers.
    QTRY_VERIFY(!preview->pages().isEmpty());
    QVERIFY(preview->running());
    QVERIFY(preview->cancelButton()->isEnabled());
    QTest::mouseClick(preview->cancelButton(), Qt::LeftButton);
    QVERIFY(!preview->running());
    QVERIFY(!preview->cancelButton()->isEnabled());
    QVERIFY(preview->progressLabel()->text().startsWith(QLatin1String("Cancelled")));
    const qsizetype shown = preview->pages().size();
    QTest::qWait(300);
    QCOMPARE(preview->pages().size(), shown);
    QVERIFY(shown < 100000);
}

void TestPreviewPage::showingThePageRunsOnlyAfterAChange()
{
    ReportWindow *window = openText(QStringLiteral("again.rw"), FourPages);
    QVERIFY(window);
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    QSignalSpy runs(previewOf(window), &PreviewPage::firstPagePrinted);

    window->setActivePage(ReportWindow::Page::Source);
    window->setActivePage(ReportWindow::Page::Preview);
    QTest::qWait(100);
    QCOMPARE(runs.size(), 0);

    window->setActivePage(ReportWindow::Page::Source);
    CodeLines changed;
    changed.setTexts({".NAME again", ".QUERY select name from people", ".HEADER report",
                      ".PRINT 'changed'", ".NEWLINE"});
    window->sourceEditor()->setLines(changed);
    window->setActivePage(ReportWindow::Page::Preview);
    QTRY_COMPARE(runs.size(), 1);
    QTRY_VERIFY(!previewOf(window)->running());
    QVERIFY(allText(window).contains(QLatin1String("changed")));
}

void TestPreviewPage::messageDoubleClickShowsTheSourceLine()
{
    // Line 5 holds a statement the preview does not know.
    ReportWindow *window =
        openText(QStringLiteral("message.rw"),
                 ".NAME message\n.QUERY select name from people\n.HEADER report\n.PRINT 'before'\n"
                 ".NOSUCHTHING 12\n.NEWLINE\n.PRINT 'after'\n.NEWLINE\n");
    QVERIFY(window);
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    QListWidget *messages = previewOf(window)->messageList();
    QVERIFY(messages->isVisibleTo(previewOf(window)));
    QCOMPARE(messages->count(), 1);
    QCOMPARE(previewOf(window)->messages().value(0).line, 5);
    QVERIFY2(messages->item(0)->text().startsWith(QLatin1String("Line 5: ")),
             qPrintable(messages->item(0)->text()));
    // The rest still prints.
    QVERIFY(allText(window).contains(QLatin1String("after")));

    const QRect row = messages->visualItemRect(messages->item(0));
    QTest::mouseDClick(messages->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    int line = -1;
    int index = -1;
    window->sourceEditor()->getCursorPosition(&line, &index);
    QCOMPARE(line, 4);
}

void TestPreviewPage::dataSourceIsRememberedPerReport()
{
    ReportWindow *first = openText(QStringLiteral("first.rw"), FourPages);
    QVERIFY(first);
    const QString csv = f->path(QStringLiteral("csv"));
    QDir().mkpath(csv);
    f->onModal<DataSourceDialog>([&csv](DataSourceDialog *dialog) {
        QVERIFY(dialog->kindButton(DataSource::Kind::Sample)->isChecked());
        dialog->kindButton(DataSource::Kind::CsvFolder)->click();
        QTest::keyClicks(dialog->csvEdit(), csv);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkButton")),
                          Qt::LeftButton);
    });
    f->action(QStringLiteral("DataSourceMenu"))->trigger();
    QTRY_COMPARE(PreviewSettings::dataSource(first->previewKey()).kind,
                 DataSource::Kind::CsvFolder);

    const QByteArray ini = FrameFixture::contents(SettingsFiles::iniPath());
    QVERIFY2(ini.contains("[Preview " + QFile::encodeName(first->previewKey()) + "]"), ini);
    QVERIFY2(ini.contains("Kind=CSV"), ini);
    QVERIFY2(ini.contains("Path=" + QFile::encodeName(csv)), ini);

    // Another report keeps sample data; the first shows its choice again.
    ReportWindow *second = openText(QStringLiteral("second.rw"), FourPages);
    QVERIFY(second && second != first);
    QCOMPARE(PreviewSettings::dataSource(second->previewKey()).kind, DataSource::Kind::Sample);
    f->frame->mdiArea()->setActiveSubWindow(f->frame->subWindowOf(first));
    bool shown = false;
    f->onModal<DataSourceDialog>([&](DataSourceDialog *dialog) {
        shown = dialog->kindButton(DataSource::Kind::CsvFolder)->isChecked()
                && dialog->csvEdit()->text() == csv;
        dialog->reject();
    });
    f->action(QStringLiteral("DataSourceMenu"))->trigger();
    QVERIFY(shown);
}

void TestPreviewPage::dataSourcePasswordIsKeptOwnerOnlyAndNeverShown()
{
    ReportWindow *window = openText(QStringLiteral("server.rw"), FourPages);
    QVERIFY(window);
    const QString password = QStringLiteral("Pa55-only-in-ini");
    f->onModal<DataSourceDialog>([&password](DataSourceDialog *dialog) {
        dialog->kindButton(DataSource::Kind::PostgreSQL)->click();
        QCOMPARE(dialog->passwordEdit()->echoMode(), QLineEdit::Password);
        // Nothing listens there: the run fails, and says so.
        QTest::keyClicks(dialog->hostEdit(), QStringLiteral("/nonexistent-socket-folder"));
        dialog->portEdit()->setValue(5999);
        QTest::keyClicks(dialog->databaseEdit(), QStringLiteral("sales"));
        QTest::keyClicks(dialog->userEdit(), QStringLiteral("clerk"));
        QTest::keyClicks(dialog->passwordEdit(), password);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkButton")),
                          Qt::LeftButton);
    });
    f->action(QStringLiteral("DataSourceMenu"))->trigger();
    QTRY_COMPARE(PreviewSettings::dataSource(window->previewKey()).password, password);
    // Readable and writable by its owner, by nobody else.
    QCOMPARE(QFile::permissions(SettingsFiles::iniPath()) & 0x0FFF,
             QFile::ReadUser | QFile::WriteUser);

    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    QVERIFY(!previewOf(window)->messages().isEmpty());
    for (const PreviewMessage &message : previewOf(window)->messages())
        QVERIFY2(!message.text.contains(password), qPrintable(message.text));
    QVERIFY(!previewOf(window)->progressLabel()->text().contains(password));
    for (const QString &message : std::as_const(f->messages))
        QVERIFY(!message.contains(password));
}

void TestPreviewPage::sqliteDataSourceGivesItsRows()
{
    const QString database = makeDatabase(QStringLiteral("people.db"));
    QVERIFY(!database.isEmpty());
    ReportWindow *window = openText(QStringLiteral("people.rw"),
                                    ".NAME people\n.QUERY select name, age from people\n"
                                    ".SORT name\n.DETAIL\n.PRINT name(c10), age(f4)\n.NEWLINE\n");
    QVERIFY(window);
    window->setActivePage(ReportWindow::Page::Preview);
    QTRY_VERIFY(!previewOf(window)->running());
    f->onModal<DataSourceDialog>([&database](DataSourceDialog *dialog) {
        dialog->kindButton(DataSource::Kind::SQLite)->click();
        QTest::keyClicks(dialog->sqliteEdit(), database);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkButton")),
                          Qt::LeftButton);
    });
    // The page in view runs again over the new source at once.
    f->action(QStringLiteral("DataSourceMenu"))->trigger();
    QTRY_VERIFY(previewOf(window)->progressLabel()->text().contains(QLatin1String("people.db")));
    QTRY_VERIFY(!previewOf(window)->running());
    const QString text = allText(window);
    QVERIFY2(text.contains(QLatin1String("Alice       31")), qPrintable(text));
    QVERIFY(text.indexOf(QLatin1String("Bob")) < text.indexOf(QLatin1String("Carol")));
}

void TestPreviewPage::parametersAreAskedWithTheLastValues()
{
    const QString database = makeDatabase(QStringLiteral("ages.db"));
    QVERIFY(!database.isEmpty());
    ReportWindow *window =
        openText(QStringLiteral("ages.rw"),
                 ".NAME ages\n.QUERY select name from people where age >= $least\n"
                 ".SORT name\n.DETAIL\n.PRINT name\n.NEWLINE\n");
    QVERIFY(window);
    DataSource data;
    data.kind = DataSource::Kind::SQLite;
    data.path = database;
    QVERIFY(PreviewSettings::setDataSource(window->previewKey(), data));

    QStringList asked;
    const auto answer = [this, &asked](const QString &value) {
        f->onModal<ParametersDialog>([&asked, value](ParametersDialog *dialog) {
            QLineEdit *field = dialog->field(QStringLiteral("least"));
            QVERIFY(field);
            asked.append(field->text());
            field->selectAll();
            QTest::keyClicks(field, value);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkButton")),
                              Qt::LeftButton);
        });
    };
    answer(QStringLiteral("30"));
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    QVERIFY(allText(window).contains(QLatin1String("Alice")));
    QVERIFY(!allText(window).contains(QLatin1String("Carol")));

    answer(QStringLiteral("40"));
    runWithF5(window);
    QTRY_COMPARE(asked.size(), 2);
    QTRY_VERIFY(!previewOf(window)->running());
    QCOMPARE(asked, (QStringList{QString(), QStringLiteral("30")}));
    QVERIFY(!allText(window).contains(QLatin1String("Alice")));
    QVERIFY(allText(window).contains(QLatin1String("Bob")));
}

void TestPreviewPage::cancelledParametersRunNothing()
{
    ReportWindow *window = openText(
        QStringLiteral("asked.rw"),
        ".NAME asked\n.QUERY select name from people\n.HEADER report\n.PRINT $title\n.NEWLINE\n");
    QVERIFY(window);
    QSignalSpy runs(previewOf(window), &PreviewPage::firstPagePrinted);
    f->onModal<ParametersDialog>([](ParametersDialog *dialog) { dialog->reject(); });
    runWithF5(window);
    QTest::qWait(200);
    QCOMPARE(runs.size(), 0);
    QVERIFY(previewOf(window)->pages().isEmpty());
}

void TestPreviewPage::savePreviewAsWritesTheFile()
{
    ReportWindow *window = openText(
        QStringLiteral("saved.rw"),
        ".NAME saved\n.QUERY select name from people\n.HEADER report\n.PAGELENGTH 0\n.UNDERLINE\n"
        ".PRINT 'Title'\n.NOUNDERLINE\n.NEWLINE\n.PRINT 'body'\n"
        ".NEWLINE\n");
    QVERIFY(window);
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    const QString path = f->path(QStringLiteral("saved.txt"));
    f->answers << path;
    f->action(QStringLiteral("SavePreviewAsMenu"))->trigger();
    QCOMPARE(f->askedDialogs, QStringList{"SavePreviewDialog"});
    const QByteArray written = FrameFixture::contents(path);
    QByteArray expected;
    for (const PrintedPage &page : previewOf(window)->pages())
        expected += FileOutput::pageBytes(page);
    QCOMPARE(written, expected);
    // Underlined by overstrike, as the report program writes a file.
    QVERIFY2(written.startsWith("_____\rTitle\nbody\n"), written);
    QVERIFY(f->failures().isEmpty());
}

void TestPreviewPage::savePreviewAsFailureKeepsTheOldFile()
{
    ReportWindow *window = openText(QStringLiteral("kept.rw"), FourPages);
    QVERIFY(window);
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    const QString folder = f->path(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/kept.txt");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old text\n");
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    f->answers << path;
    f->action(QStringLiteral("SavePreviewAsMenu"))->trigger();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::geteuid() == 0 && f->failures().isEmpty())
        QSKIP("running as root, which writes into any folder");
    QCOMPARE(f->failures(), QStringList{QStringLiteral("ERROR. Cannot save to file: ") + path});
    QCOMPARE(FrameFixture::contents(path), QByteArray("old text\n"));
}

void TestPreviewPage::printPreviewToPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; scripts/setup.sh installs it");
    ReportWindow *window = openText(QStringLiteral("printed.rw"), FourPages);
    QVERIFY(window);
    runWithF5(window);
    QTRY_VERIFY(!previewOf(window)->running());
    const QString pdf = f->path(QStringLiteral("preview.pdf"));
    f->onModal<QPrintDialog>([&pdf](QPrintDialog *dialog) {
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        dialog->done(QDialog::Accepted);
    });
    f->action(QStringLiteral("PrintSourceMenu"))->trigger();
    QTRY_VERIFY(QFileInfo::exists(pdf));
    QProcess text;
    text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(10000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(printed.contains(QLatin1String("first line")), qPrintable(printed));
    QVERIFY(printed.contains(QLatin1String("last line")));
    // One sheet for each printed page.
    QCOMPARE(printed.count(u'\f'), 4);
}

QTEST_MAIN(TestPreviewPage)
#include "tst_previewpage.moc"
