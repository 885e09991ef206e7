#include "FrameFixture.h"
#include "WorkedExample.h"

#include "shell/ExternalPrograms.h"
#include "shell/Settings.h"
#include "windows/FindDialog.h"
#include "windows/ObjectListDialog.h"
#include "windows/PrintingWindow.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/SelectionList.h"

#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>

// The commands beyond drawing: the object list, find and replace in the
// source, Run Report with a stand-in report program, and the external tools.
class TestProjectCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void objectListNamesEveryComponent();
    void objectListSelectsTheChosenComponent_data();
    void objectListSelectsTheChosenComponent();
    void findAndReplaceInTheSource();
    void printSourceToPdf_data();
    void printSourceToPdf();
    void printedPagesAndColumns();
    void cancelStopsPrinting();
    void reportArguments_data();
    void reportArguments();
    void commandWordsAreSplitAsAShellWould();
    void runReportStartsTheProgram_data();
    void runReportStartsTheProgram();
    void runReportRefusesValuesThatSplit_data();
    void runReportRefusesValuesThatSplit();
    void runReportReplacesALinkNotItsTarget();
    void everyWayOutWritesTheSameText();
    void runReportStopsWhenTheUserSaysNo();
    void runReportFailures_data();
    void runReportFailures();
    void toolsStartWithoutAFile();

private:
    // A design with a page, a band, two texts (the second on top of the
    // first) and a code block.
    ReportWindow *openDesign();
    // A script that records its arguments and folder in a file of the same
    // name with ".args".
    QString standInProgram(const QString &name) const;
    static QStringList recordedLines(const QString &program);

    FrameFixture *f = nullptr;
};

void TestProjectCommands::init()
{
    f = new FrameFixture;
}

void TestProjectCommands::cleanup()
{
    delete f;
    f = nullptr;
}

ReportWindow *TestProjectCommands::openDesign()
{
    f->newReport(QStringLiteral("objects"));
    if (!f->active())
        return nullptr;
    ReportWindow *window = f->active();
    auto *band = new Band(&window->owner(), window->mPage1());
    band->setName(QStringLiteral("mBand1"));
    band->setHeightPx(108);
    for (const char *name : {"mText1", "mText2"}) {
        auto *text = new TextItem(&window->owner(), band);
        text->setName(QString::fromLatin1(name));
        text->setBounds(60, 18, 100, 18);
    }
    auto *code = new CodeBlock(&window->owner(), band);
    code->setName(QStringLiteral("MBlockCode1"));
    window->switchOff();
    window->switchOn();
    return window;
}

QString TestProjectCommands::standInProgram(const QString &name) const
{
    const QString path = f->path(name);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    script.write("#!/bin/sh\n"
                 "{ pwd; for argument in \"$@\"; do echo \"$argument\"; done; } > \"$0.part\"\n"
                 "mv \"$0.part\" \"$0.args\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return path;
}

QStringList TestProjectCommands::recordedLines(const QString &program)
{
    QFile file(program + QStringLiteral(".args"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestProjectCommands::objectListNamesEveryComponent()
{
    ReportWindow *window = openDesign();
    QVERIFY(window);
    QStringList shown;
    f->onModal<ObjectListDialog>([&shown](ObjectListDialog *dialog) {
        for (int row = 0; row < dialog->list()->count(); ++row)
            shown.append(dialog->list()->item(row)->text());
        dialog->reject();
    });
    f->action(QStringLiteral("ViewObjectList1"))->trigger();
    QCOMPARE(shown, (QStringList{"MBlockCode1: TMBlockCode", "mBand1: TmBand", "mPage1: TmPage",
                                 "mText1: TmText", "mText2: TmText"}));
}

void TestProjectCommands::objectListSelectsTheChosenComponent_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("fromSource");
    QTest::addColumn<QString>("selected");
    QTest::newRow("hidden text") << "mText1: TmText" << false << "mText1";
    QTest::newRow("from the source page") << "mBand1: TmBand" << true << "mBand1";
    QTest::newRow("nothing highlighted") << "" << false << "";
}

void TestProjectCommands::objectListSelectsTheChosenComponent()
{
    QFETCH(QString, entry);
    QFETCH(bool, fromSource);
    QFETCH(QString, selected);
    ReportWindow *window = openDesign();
    QVERIFY(window);
    window->designRegister()->clearSelection();
    if (fromSource)
        f->action(QStringLiteral("ToggleMenu"))->trigger();
    f->onModal<ObjectListDialog>([entry](ObjectListDialog *dialog) {
        const QList<QListWidgetItem *> found = dialog->list()->findItems(entry, Qt::MatchExactly);
        if (!entry.isEmpty() && found.size() == 1)
            QTest::mouseDClick(dialog->list()->viewport(), Qt::LeftButton, {},
                               dialog->list()->visualItemRect(found.first()).center());
        else
            dialog->findChild<QPushButton *>(QStringLiteral("SelectButton"))->click();
    });
    f->action(QStringLiteral("ViewObjectList1"))->trigger();
    QStringList names;
    if (SelectionList *list = window->designRegister()->targets()) {
        for (QWidget *control : list->items())
            names.append(control->objectName());
    }
    QCOMPARE(names, selected.isEmpty() ? QStringList() : QStringList{selected});
    if (!selected.isEmpty()) {
        QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
        QVERIFY(window->designing());
    }
}

void TestProjectCommands::findAndReplaceInTheSource()
{
    f->newReport(QStringLiteral("find"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    // On the form, the commands leave the source alone.
    f->action(QStringLiteral("FindMenu"))->trigger();
    f->action(QStringLiteral("ReplaceMenu"))->trigger();
    QVERIFY(!window->findChild<FindDialog *>());

    f->action(QStringLiteral("ToggleMenu"))->trigger();
    SourceEditor *editor = window->sourceEditor();
    editor->setText(QStringLiteral(".PRINT one\n.PRINT two\n.PRINT one\n"));
    editor->setCursorPosition(0, 0);
    f->action(QStringLiteral("FindMenu"))->trigger();
    FindDialog *dialog = window->findChild<FindDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    QTest::keyClicks(dialog->findField(), QStringLiteral("one"));
    f->action(QStringLiteral("FindNextMenu"))->trigger();
    f->action(QStringLiteral("FindNextMenu"))->trigger();
    int line = -1;
    int index = -1;
    editor->getCursorPosition(&line, &index);
    QCOMPARE(line, 2);
    QCOMPARE(editor->selectedText(), QStringLiteral("one"));
    f->action(QStringLiteral("FindNextMenu"))->trigger();
    QCOMPARE(dialog->statusLabel()->text(),
             QStringLiteral("Search went round the end of the text."));

    f->action(QStringLiteral("ReplaceMenu"))->trigger();
    dialog->replaceField()->setText(QStringLiteral("three"));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("ReplaceAllButton")),
                      Qt::LeftButton);
    QCOMPARE(editor->text(), QStringLiteral(".PRINT three\n.PRINT two\n.PRINT three\n"));
    QCOMPARE(dialog->statusLabel()->text(), QStringLiteral("2 replaced."));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("FindPreviousButton")),
                      Qt::LeftButton);
    QCOMPARE(dialog->statusLabel()->text(), QStringLiteral("\"one\" was not found."));
}

void TestProjectCommands::printSourceToPdf_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<bool>("severalPages");
    QTest::newRow("empty source") << 0 << false;
    QTest::newRow("three lines") << 3 << false;
    QTest::newRow("more than a page") << 150 << true;
}

void TestProjectCommands::printSourceToPdf()
{
    QFETCH(int, lineCount);
    QFETCH(bool, severalPages);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; scripts/setup.sh installs it");
    f->newReport(QStringLiteral("printed"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QStringList lines;
    for (int line = 1; line <= lineCount; ++line)
        lines.append(line % 2 ? QStringLiteral("\t.PRINT line%1").arg(line)
                              : QStringLiteral(".TAB %1").arg(line));
    CodeLines code;
    code.setTexts(lines);
    window->sourceEditor()->setLines(code);

    // On the form, Print Source does nothing.
    f->action(QStringLiteral("PrintSourceMenu"))->trigger();
    f->action(QStringLiteral("ToggleMenu"))->trigger();
    const QString pdf = f->path(QStringLiteral("source.pdf"));
    f->onModal<QPrintDialog>([&pdf](QPrintDialog *dialog) {
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        dialog->done(QDialog::Accepted);
    });
    f->action(QStringLiteral("PrintSourceMenu"))->trigger();
    QCOMPARE(f->failures(), QStringList());
    QVERIFY(!window->findChild<PrintingWindow *>());

    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(20000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    QCOMPARE(text.count(u'\f') > 1, severalPages);
    QStringList printed;
    for (const QString &line : text.split(u'\n')) {
        const QString words = line.trimmed().remove(u'\f');
        if (!words.isEmpty())
            printed.append(words);
    }
    QStringList expected;
    for (const QString &line : std::as_const(lines))
        expected.append(line.trimmed());
    QCOMPARE(printed, expected);
}

// Each page holds as many whole lines as fit, the last moves whole to the
// next page, and a tab anywhere in a line reaches the next tab stop.
void TestProjectCommands::printedPagesAndColumns()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; scripts/setup.sh installs it");
    f->newReport(QStringLiteral("columns"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QCOMPARE(window->sourceEditor()->tabWidth(), 8);
    // Lines of four kinds, each with a letter that must stand at a tab stop.
    const QStringList kinds{QStringLiteral("%1\tA"), QStringLiteral("\t%1\tB"),
                            QStringLiteral("%1 abcdefg\tC"), QStringLiteral("%1\t\tD")};
    const QList<int> letterColumns{8, 16, 16, 16};
    QStringList lines;
    for (int line = 0; line < 200; ++line)
        lines.append(kinds[line % 4].arg(line));
    CodeLines code;
    code.setTexts(lines);
    window->sourceEditor()->setLines(code);

    f->action(QStringLiteral("ToggleMenu"))->trigger();
    const QString pdf = f->path(QStringLiteral("columns.pdf"));
    int linesPerPage = 0;
    double pitch = 0; // of a character, in points
    const QFont font = window->sourceEditor()->editorFont();
    f->onModal<QPrintDialog>([&pdf, &linesPerPage, &pitch, &font](QPrintDialog *dialog) {
        QPrinter *printer = dialog->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        // Whole lines that fit the printable height.
        const QFont printed(font, printer);
        linesPerPage = printer->height() / QFontMetrics(printed).lineSpacing();
        pitch = QFontMetricsF(printed).horizontalAdvance(u'x') * 72 / printer->resolution();
        dialog->done(QDialog::Accepted);
    });
    f->action(QStringLiteral("PrintSourceMenu"))->trigger();
    QCOMPARE(f->failures(), QStringList());
    QVERIFY2(linesPerPage > 10 && linesPerPage < 100, qPrintable(QString::number(linesPerPage)));

    QProcess reader;
    // Columns of the character pitch, not guessed from the gaps.
    reader.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-fixed"),
                             QString::number(pitch), pdf, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(20000));
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\f');
    if (pages.constLast().trimmed().isEmpty())
        pages.removeLast();
    const int pageCount = (int(lines.size()) + linesPerPage - 1) / linesPerPage;
    QCOMPARE(pages.size(), pageCount);
    QStringList printed;
    for (qsizetype page = 0; page < pages.size(); ++page) {
        QStringList onPage = pages[page].split(u'\n');
        onPage.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
        const int expected = page + 1 < pageCount
                                 ? linesPerPage
                                 : int(lines.size()) - linesPerPage * (pageCount - 1);
        QCOMPARE(onPage.size(), expected);
        printed += onPage;
    }
    // Columns counted from the page's left edge: where the lines that do
    // not begin with a tab begin.
    qsizetype edge = printed.constFirst().size();
    for (qsizetype line = 0; line < printed.size(); ++line) {
        if (line % 4 != 1)
            edge = std::min(edge, printed[line].size() - printed[line].trimmed().size());
    }
    for (qsizetype line = 0; line < printed.size(); ++line) {
        const int kind = int(line % 4);
        const QString text = printed[line].mid(edge);
        const QString letter = kinds[kind].right(1);
        QVERIFY2(text.trimmed().startsWith(QString::number(line)), qPrintable(text));
        QVERIFY2(text.indexOf(letter) == letterColumns[kind],
                 qPrintable(printed.mid(0, 8).join(u'\n')));
        if (kind == 1)
            QVERIFY2(text.indexOf(QString::number(line)) == 8, qPrintable(text));
    }
}

void TestProjectCommands::cancelStopsPrinting()
{
    f->newReport(QStringLiteral("cancelled"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    CodeLines code;
    QStringList lines;
    for (int line = 0; line < 500; ++line)
        lines.append(QStringLiteral(".PRINT %1").arg(line));
    code.setTexts(lines);
    window->sourceEditor()->setLines(code);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(f->path(QStringLiteral("cancelled.pdf")));
    int printedLines = -1;
    // Cancel is pressed while the tenth line is printed.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&printedLines] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *progress = qobject_cast<PrintingWindow *>(top);
            if (!progress || !progress->isVisible() || progress->progressBar()->value() < 10)
                continue;
            printedLines = progress->progressBar()->value();
            progress->findChild<QPushButton *>(QStringLiteral("PrzerwijButton"))->click();
        }
    });
    poll.start(0);
    QVERIFY(window->printSource(printer));
    poll.stop();
    QCOMPARE(printedLines, 10);
    QVERIFY(QFileInfo(f->path(QStringLiteral("cancelled.pdf"))).size() > 0);
}

void TestProjectCommands::reportArguments_data()
{
    QTest::addColumn<QString>("vnode");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("with node") << "ORANGE"
                               << "SALESDB"
                               << "ingres"
                               << QStringList{"ORANGE::SALESDB", "-i~tmp.rw", "-uingres"};
    QTest::newRow("without node") << ""
                                  << "SALESDB"
                                  << "ingres" << QStringList{"SALESDB", "-i~tmp.rw", "-uingres"};
    QTest::newRow("blank node") << " \t "
                                << "SALESDB"
                                << "ingres" << QStringList{"SALESDB", "-i~tmp.rw", "-uingres"};
    QTest::newRow("empty user") << ""
                                << "SALESDB"
                                << "" << QStringList{"SALESDB", "-i~tmp.rw", "-u"};
}

void TestProjectCommands::reportArguments()
{
    QFETCH(QString, vnode);
    QFETCH(QString, database);
    QFETCH(QString, user);
    QFETCH(QStringList, arguments);
    QCOMPARE(ExternalPrograms::reportArguments(vnode, database, user), arguments);
}

void TestProjectCommands::commandWordsAreSplitAsAShellWould()
{
    QCOMPARE(
        ExternalPrograms::commandWords(QStringLiteral("\"/opt/my tools/report\" -v"),
                                       {"ORANGE::SALESDB", "-i~tmp.rw", "-uingres"}),
        (QStringList{"/opt/my tools/report", "-v", "ORANGE::SALESDB", "-i~tmp.rw", "-uingres"}));
    QVERIFY(ExternalPrograms::commandWords(QStringLiteral("  ")).isEmpty());
    QVERIFY(!ExternalPrograms::start(QString()));
}

void TestProjectCommands::runReportStartsTheProgram_data()
{
    QTest::addColumn<QString>("vnode");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("with node") << "ORANGE" << QStringList{"ORANGE::SALESDB", "-i~tmp.rw", "-udba"};
    QTest::newRow("without node") << "" << QStringList{"SALESDB", "-i~tmp.rw", "-udba"};
}

void TestProjectCommands::runReportStartsTheProgram()
{
    QFETCH(QString, vnode);
    QFETCH(QStringList, arguments);
    const QString program = standInProgram(QStringLiteral("stand in report"));
    QVERIFY(Settings::write(SettingKeys::ReportProgram, QLatin1Char('"') + program + "\" --quiet"));
    QVERIFY(Settings::write(SettingKeys::ReportUser, QStringLiteral("dba")));
    ReportWindow *window = openDesign();
    QVERIFY(window);
    window->mPage1()->database = QStringLiteral("SALESDB");
    window->mPage1()->vnode = vnode;
    window->mPage1()->reportName = QStringLiteral("sales");

    // Without a query the report program would reject the report: asked
    // first, the user goes on.
    f->action(QStringLiteral("RunReport1"))->trigger();
    QCOMPARE(f->yesNoQuestions.size(), 1);
    QTRY_VERIFY(QFile::exists(program + QStringLiteral(".args")));
    QCOMPARE(recordedLines(program),
             (QStringList{QDir(f->workDir.path()).canonicalPath(), "--quiet"} + arguments));
    // The report program reads lines as the platform ends them.
    const QByteArray written = FrameFixture::contents(f->path(QStringLiteral("~tmp.rw")));
    QVERIFY(written.startsWith(".NAME sales\n"));
    QVERIFY(!written.contains('\r'));
    QCOMPARE(QString::fromUtf8(written).split(u'\n', Qt::SkipEmptyParts),
             window->sourceEditor()->lines().texts());
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());
    QVERIFY(f->frame->statusBar()->currentMessage().startsWith(
        QStringLiteral("Report program started: ")));
}

void TestProjectCommands::runReportRefusesValuesThatSplit_data()
{
    QTest::addColumn<QString>("vnode");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("message");
    const QString refused = QStringLiteral("ERROR. %1 cannot hold blanks, line breaks or a "
                                           "leading '-': %2");
    const QString evil = QStringLiteral("db1 -xEVIL \"two words\"");
    QTest::newRow("database with options")
        << "" << evil << "dba" << refused.arg(QStringLiteral("Database"), evil);
    QTest::newRow("database with a line break")
        << ""
        << "db1\n-xEVIL"
        << "dba" << refused.arg(QStringLiteral("Database"), QStringLiteral("db1\n-xEVIL"));
    QTest::newRow("database with a tab")
        << ""
        << "db1\tdb2"
        << "dba" << refused.arg(QStringLiteral("Database"), QStringLiteral("db1\tdb2"));
    QTest::newRow("database as an option")
        << ""
        << "-xEVIL"
        << "dba" << refused.arg(QStringLiteral("Database"), QStringLiteral("-xEVIL"));
    QTest::newRow("node with a blank")
        << "ORANGE -xEVIL"
        << "SALESDB"
        << "dba" << refused.arg(QStringLiteral("VNode"), QStringLiteral("ORANGE -xEVIL"));
    QTest::newRow("node as an option")
        << "-xEVIL"
        << "SALESDB"
        << "dba" << refused.arg(QStringLiteral("VNode"), QStringLiteral("-xEVIL"));
    QTest::newRow("user with a blank")
        << ""
        << "SALESDB"
        << "in gres"
        << refused.arg(QStringLiteral("User for REPORT Ingres Program"), QStringLiteral("in gres"));
    QTest::newRow("user as an option")
        << ""
        << "SALESDB"
        << "-xEVIL"
        << refused.arg(QStringLiteral("User for REPORT Ingres Program"), QStringLiteral("-xEVIL"));
}

// Values of a design (anyone may have written it) and the user setting
// each go to the report program as one word or not at all: a value that
// would split or pass for an option is refused, naming its property, and
// the program does not start.
void TestProjectCommands::runReportRefusesValuesThatSplit()
{
    QFETCH(QString, vnode);
    QFETCH(QString, database);
    QFETCH(QString, user);
    QFETCH(QString, message);
    const QString program = standInProgram(QStringLiteral("report"));
    QVERIFY(Settings::write(SettingKeys::ReportProgram, program));
    QVERIFY(Settings::write(SettingKeys::ReportUser, user));
    ReportWindow *window = openDesign();
    QVERIFY(window);
    window->mPage1()->vnode = vnode;
    window->mPage1()->database = database;
    f->messages.clear();
    f->action(QStringLiteral("RunReport1"))->trigger();
    QCOMPARE(f->failures(), QStringList{message});
    QTest::qWait(300);
    QVERIFY2(!QFile::exists(program + QStringLiteral(".args")),
             qPrintable(recordedLines(program).join(u'|')));
}

// "~tmp.rw" lies in a folder others may write: a link of that name, to
// a file of the user's, is replaced by the report source, and the file it
// led to stays as it was.
void TestProjectCommands::runReportReplacesALinkNotItsTarget()
{
    const QString program = standInProgram(QStringLiteral("report"));
    QVERIFY(Settings::write(SettingKeys::ReportProgram, program));
    QTemporaryDir elsewhere;
    const QString precious = QDir(elsewhere.path()).filePath(QStringLiteral("precious.txt"));
    QFile target(precious);
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write("the user's own file\n");
    target.close();
    const QString link = f->path(QStringLiteral("~tmp.rw"));
    QVERIFY(QFile::link(precious, link));

    ReportWindow *window = openDesign();
    QVERIFY(window);
    window->mPage1()->database = QStringLiteral("SALESDB");
    window->mPage1()->reportName = QStringLiteral("sales");
    f->action(QStringLiteral("RunReport1"))->trigger();
    QTRY_VERIFY(QFile::exists(program + QStringLiteral(".args")));
    QCOMPARE(FrameFixture::contents(precious), QByteArray("the user's own file\n"));
    QVERIFY(!QFileInfo(link).isSymLink());
    QVERIFY(FrameFixture::contents(link).startsWith(".NAME sales\n"));
    QCOMPARE(f->failures(), QStringList{});
}

// The Source page, Write Text File (Ctrl+T), Write As UNIX File (Ctrl+U)
// and Run Report give the text that --generate writes (the worked
// example, whose detail heading ends in a blank), apart from the line ends.
void TestProjectCommands::everyWayOutWritesTheSameText()
{
    const QString design = f->path(QStringLiteral("sales.kfx"));
    QVERIFY(QFile::copy(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"), design));
    const QString program = standInProgram(QStringLiteral("report"));
    QVERIFY(Settings::write(SettingKeys::ReportProgram, program));
    f->frame->openFile(design);
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    window->mPage1()->database = QStringLiteral("SALESDB");
    const QStringList expected = WorkedExample::lines();
    QVERIFY(expected.contains(QStringLiteral(".DETAIL ")));

    f->action(QStringLiteral("GenerateTextMenu"))->trigger();
    QCOMPARE(window->sourceEditor()->lines().texts(), expected);
    f->answers = {f->path(QStringLiteral("windows.rw")), f->path(QStringLiteral("unix.rw"))};
    f->action(QStringLiteral("WriteTextFileMenu"))->trigger();
    f->action(QStringLiteral("WriteUNIXFileMenu"))->trigger();
    f->action(QStringLiteral("RunReport1"))->trigger();
    QTRY_VERIFY(QFile::exists(program + QStringLiteral(".args")));

    QCOMPARE(FrameFixture::contents(f->path(QStringLiteral("windows.rw"))),
             (expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    const QByteArray lfText = (expected.join(u'\n') + u'\n').toUtf8();
    QCOMPARE(FrameFixture::contents(f->path(QStringLiteral("unix.rw"))), lfText);
    QCOMPARE(FrameFixture::contents(f->path(QStringLiteral("~tmp.rw"))), lfText);
    QCOMPARE(f->failures(), QStringList{});
    QCOMPARE(f->yesNoQuestions, QStringList{});
}

void TestProjectCommands::runReportStopsWhenTheUserSaysNo()
{
    const QString program = standInProgram(QStringLiteral("unwanted"));
    QVERIFY(Settings::write(SettingKeys::ReportProgram, program));
    ReportWindow *window = openDesign();
    QVERIFY(window);
    window->mPage1()->database = QStringLiteral("SALESDB");
    f->yesNoAnswer = false;
    f->action(QStringLiteral("RunReport1"))->trigger();
    QCOMPARE(f->yesNoQuestions.size(), 1);
    QTest::qWait(300);
    QVERIFY(!QFile::exists(program + QStringLiteral(".args")));
}

void TestProjectCommands::runReportFailures_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("blank database")
        << "  "
        << "true" << QStringList{"ERROR. Data Base Name cannot to be empty."};
    QTest::newRow("missing program")
        << "SALESDB"
        << "no-such-report-program" << QStringList{"ERROR. Cannot run report program."};
}

void TestProjectCommands::runReportFailures()
{
    QFETCH(QString, database);
    QFETCH(QString, program);
    QFETCH(QStringList, messages);
    QVERIFY(Settings::write(SettingKeys::ReportProgram, program));
    ReportWindow *window = openDesign();
    QVERIFY(window);
    window->mPage1()->database = database;
    f->action(QStringLiteral("RunReport1"))->trigger();
    QCOMPARE(f->failures(), messages);
    // The source was written before the check.
    QVERIFY(QFile::exists(f->path(QStringLiteral("~tmp.rw"))));
}

void TestProjectCommands::toolsStartWithoutAFile()
{
    const QString editor = standInProgram(QStringLiteral("editor"));
    const QString terminal = standInProgram(QStringLiteral("terminal"));
    QVERIFY(Settings::write(SettingKeys::TxtEditProg, editor));
    QVERIFY(Settings::write(SettingKeys::TelnetProg, terminal));
    QVERIFY(f->frame->reportWindows().isEmpty());
    f->action(QStringLiteral("TextEditorMenu"))->trigger();
    f->action(QStringLiteral("TerminalEmulatorMenu"))->trigger();
    QTRY_VERIFY(QFile::exists(editor + QStringLiteral(".args")));
    QTRY_VERIFY(QFile::exists(terminal + QStringLiteral(".args")));
    QCOMPARE(recordedLines(editor).size(), 1);
    QCOMPARE(recordedLines(terminal).size(), 1);

    QVERIFY(Settings::write(SettingKeys::TxtEditProg, QStringLiteral("no-such-editor")));
    QVERIFY(Settings::write(SettingKeys::TelnetProg, QStringLiteral("no-such-terminal")));
    f->action(QStringLiteral("TextEditorMenu"))->trigger();
    f->action(QStringLiteral("TerminalEmulatorMenu"))->trigger();
    QCOMPARE(f->failures(), (QStringList{"ERROR. Cannot open Editor Program.",
                                         "ERROR. Cannot open Telnet Program."}));
}

QTEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
