#include "FrameFixture.h"

#include "shell/CheckBeforeSending.h"
#include "windows/ReportCheckList.h"
#include "windows/ShowMessage.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/SelectionList.h"
#include "designer/SelectionPartner.h"
#include "editor/SourceEditor.h"
#include "model/ReportClasses.h"

#include <QListWidget>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QUndoStack>

// Project > Check Report in the designer: the list of problems and where a
// double click on one of them leads.
class TestCheckReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void breakBandWithoutColumnIsFoundAndSelected();
    void problemOfAPageLineGoesToTheSource();
    void cleanReportSaysSo();
    void sendingAsksOnlyWhenThereAreErrors();
    void listStandsBesideTheReportOnScreen();
    void listFollowsTheDesignWhileShown();
    void freeCodeProblemSelectsItsLine();
    void problemSelectsTheComponentOfItsVeryLine_data();
    void problemSelectsTheComponentOfItsVeryLine();

private:
    // A new report named and given a query, so that only what a case adds
    // is wrong with it.
    ReportWindow *newReport(bool withQuery = true);
    ReportCheckList *checkReport(ReportWindow *window);
    void doubleClick(ReportCheckList *list, int row);
    static QStringList rows(const ReportCheckList *list);

    FrameFixture *f = nullptr;
};

void TestCheckReport::init()
{
    f = new FrameFixture;
}

void TestCheckReport::cleanup()
{
    delete f;
    f = nullptr;
}

ReportWindow *TestCheckReport::newReport(bool withQuery)
{
    f->newReport(QStringLiteral("faults"));
    if (!QTest::qWaitFor([this] { return f->active() != nullptr; }))
        return nullptr;
    ReportPage *page = f->active()->mPage1();
    page->reportName = QStringLiteral("faults");
    if (withQuery) {
        CodeLines query;
        query.add(QStringLiteral(".QUERY"));
        query.add(QStringLiteral("select region, amount from sales"));
        page->query = query;
    }
    return f->active();
}

// Ctrl+F9, as a user asks for it.
ReportCheckList *TestCheckReport::checkReport(ReportWindow *window)
{
    f->activateFrame();
    QTest::keyClick(window->activePage() == ReportWindow::Page::Source
                        ? static_cast<QWidget *>(window->sourceEditor())
                        : window->reportStage(),
                    Qt::Key_F9, Qt::ControlModifier);
    return window->findChild<ReportCheckList *>();
}

void TestCheckReport::doubleClick(ReportCheckList *list, int row)
{
    QListWidget *problems = list->problemList();
    const QPoint where = problems->visualItemRect(problems->item(row)).center();
    QTest::mouseDClick(problems->viewport(), Qt::LeftButton, {}, where);
}

QStringList TestCheckReport::rows(const ReportCheckList *list)
{
    QStringList texts;
    for (int row = 0; row < list->problemList()->count(); ++row)
        texts.append(list->problemList()->item(row)->text());
    return texts;
}

void TestCheckReport::breakBandWithoutColumnIsFoundAndSelected()
{
    ReportWindow *window = newReport();
    QVERIFY(window);
    QWidget *text = f->create(QStringLiteral("Dpst_TmText"), window->mPage1(), QPoint(20, 200),
                              QPoint(90, 214));
    QVERIFY(text);
    auto *band = qobject_cast<BreakBand *>(f->create(
        QStringLiteral("Dpst_TmBreakBand"), window->mPage1(), QPoint(60, 10), QPoint(400, 30)));
    QVERIFY(band);
    QCOMPARE(band->typeField(), QString());
    window->selectionPartner()->selectComponent(text);

    ReportCheckList *list = checkReport(window);
    QVERIFY(list);
    QVERIFY(list->isVisible());
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    QCOMPARE(FrameFixture::editorLines(window).value(3), QStringLiteral(".HEADER "));
    QCOMPARE(rows(list), QStringList({"4: error: .HEADER without a break name (E_RW138D) "
                                      "[mBreakBand1]"}));

    doubleClick(list, 0);
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());
    SelectionList *selection = window->designRegister()->targets();
    QVERIFY(selection);
    QCOMPARE(selection->items(), QList<QWidget *>({band}));
    int line = -1;
    int column = -1;
    window->sourceEditor()->getCursorPosition(&line, &column);
    QCOMPARE(line, 3);

    // Checked again, the same window lists the problems of the new text.
    band->setTypeField(QStringLiteral("region"));
    QCOMPARE(checkReport(window), list);
    QCOMPARE(window->findChildren<ReportCheckList *>().size(), 1);
    QCOMPARE(rows(list), QStringList({"4: error: .HEADER region: no .SORT or .BREAK before it "
                                      "(E_RW139B) [mBreakBand1]"}));
    QCOMPARE(f->failures(), QStringList());
}

// A line of the page itself selects nothing: the double click shows the
// line on the Source page.
void TestCheckReport::problemOfAPageLineGoesToTheSource()
{
    ReportWindow *window = newReport(false);
    QVERIFY(window);
    ReportCheckList *list = checkReport(window);
    QVERIFY(list);
    QCOMPARE(rows(list),
             QStringList({"1: error: no data source: neither .QUERY nor .DATA (E_RW1019)"}));
    QVERIFY(!list->problems().first().component);

    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    window->sourceEditor()->setCursorPosition(0, 5);
    doubleClick(list, 0);
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    QVERIFY(!window->designing());
    int line = -1;
    int column = -1;
    window->sourceEditor()->getCursorPosition(&line, &column);
    QCOMPARE(line, 0);
    QCOMPARE(column, 0);
}

void TestCheckReport::cleanReportSaysSo()
{
    ReportWindow *window = newReport();
    QVERIFY(window);
    ReportCheckList *list = checkReport(window);
    QVERIFY(list);
    QCOMPARE(rows(list), QStringList({"No problems found."}));
    QCOMPARE(list->problemList()->item(0)->flags(), Qt::NoItemFlags);
    doubleClick(list, 0);
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
}

void TestCheckReport::sendingAsksOnlyWhenThereAreErrors()
{
    QStringList questions;
    bool answer = false;
    const QuestionHandler previous = setQuestionHandler([&](QWidget *, const QString &text) {
        questions.append(text);
        return answer;
    });
    ReportWindow *window = newReport();
    QVERIFY(window);
    QVERIFY(f->frame->generateActiveReport());
    QVERIFY(checkBeforeSending(window));
    QCOMPARE(questions, QStringList());
    QVERIFY(!window->findChild<ReportCheckList *>());

    window->switchOn();
    QVERIFY(f->create(QStringLiteral("Dpst_TmBreakBand"), window->mPage1(), QPoint(60, 10),
                      QPoint(400, 30)));
    QVERIFY(f->frame->generateActiveReport());
    QVERIFY(!checkBeforeSending(window));
    const QString question = QStringLiteral("Check Report found 1 error(s) for which the report "
                                            "program rejects the report. Go on?");
    QCOMPARE(questions, QStringList({question}));
    ReportCheckList *list = window->findChild<ReportCheckList *>();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->problems().size(), 1);
    answer = true;
    QVERIFY(checkBeforeSending(window));
    setQuestionHandler(previous);
}

// The list is wholly on the screen and covers neither the report's page
// tabs nor, where the screen has room beside it, the report itself.
void TestCheckReport::listStandsBesideTheReportOnScreen()
{
    ReportWindow *window = newReport(false);
    QVERIFY(window);
    ReportCheckList *list = checkReport(window);
    QVERIFY(list && list->isVisible());
    const QRect available = window->screen()->availableGeometry();
    const QRect place = list->frameGeometry();
    QVERIFY2(available.contains(place), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(place.x())
                                                       .arg(place.y())
                                                       .arg(place.width())
                                                       .arg(place.height())));
    QWidget *report = window->parentWidget();
    const QRect reportRect(report->mapToGlobal(QPoint(0, 0)), report->size());
    QTabBar *tabs = window->pageControl()->tabBar();
    QVERIFY(!place.intersects(QRect(tabs->mapToGlobal(QPoint(0, 0)), tabs->size())));
    const bool roomBeside = reportRect.right() + place.width() <= available.right()
                            || reportRect.left() - place.width() >= available.left();
    if (roomBeside)
        QVERIFY(!place.intersects(reportRect));
}

// Undoing the change that made a problem takes it off the list at once;
// the Source page keeps its text meanwhile.
void TestCheckReport::listFollowsTheDesignWhileShown()
{
    ReportWindow *window = newReport();
    QVERIFY(window);
    QVERIFY(f->create(QStringLiteral("Dpst_TmBreakBand"), window->mPage1(), QPoint(60, 10),
                      QPoint(400, 30)));
    ReportCheckList *list = checkReport(window);
    QVERIFY(list);
    QCOMPARE(list->problems().size(), 1);
    const QStringList source = FrameFixture::editorLines(window);

    window->undoStack()->undo();
    QTRY_COMPARE(rows(list), QStringList({"No problems found."}));
    QCOMPARE(FrameFixture::editorLines(window), source);
    window->undoStack()->redo();
    QTRY_COMPARE(list->problems().size(), 1);

    // Hidden, it checks nothing.
    list->close();
    window->undoStack()->undo();
    QTest::qWait(20);
    QCOMPARE(list->problems().size(), 1);
    QCOMPARE(f->failures(), QStringList());
}

// Free code is the user's own text: its problem shows and selects its line
// on the Source page, where it can be mended.
void TestCheckReport::freeCodeProblemSelectsItsLine()
{
    ReportWindow *window = newReport();
    QVERIFY(window);
    auto *band = qobject_cast<Band *>(f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(),
                                                QPoint(60, 10), QPoint(400, 30)));
    QVERIFY(band);
    band->setTypeField(QStringLiteral("REPORT"));
    auto *block = qobject_cast<CodeBlock *>(
        f->create(QStringLiteral("Dpst_TMBlockCode"), band, QPoint(150, 2), QPoint(200, 14)));
    QVERIFY(block);
    CodeLines code;
    code.add(QStringLiteral(".PRINTX amount"));
    block->setCode(code);
    ReportCheckList *list = checkReport(window);
    QVERIFY(list);
    QCOMPARE(list->problems().size(), 1);

    f->action(QStringLiteral("ToggleMenu"))->trigger();
    doubleClick(list, 0);
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    SourceEditor *editor = window->sourceEditor();
    const int line = list->problems().first().problem.line - 1;
    QCOMPARE(editor->lineText(line), QStringLiteral(".PRINTX amount"));
    QCOMPARE(editor->selectedText(), QStringLiteral(".PRINTX amount"));
    int caretLine = -1;
    int column = -1;
    editor->getCursorPosition(&caretLine, &column);
    QCOMPARE(caretLine, line);
}

void TestCheckReport::problemSelectsTheComponentOfItsVeryLine_data()
{
    QTest::addColumn<bool>("firstItemFaulty");
    QTest::newRow("the first item's line, the second item's next") << true;
    QTest::newRow("the second item's line, the first item's before") << false;
}

// Two items on one line of a band write neighbouring lines: a problem on
// one item's line selects that item, not its neighbour.
void TestCheckReport::problemSelectsTheComponentOfItsVeryLine()
{
    QFETCH(bool, firstItemFaulty);
    ReportWindow *window = newReport();
    QVERIFY(window);
    auto *band = qobject_cast<Band *>(f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(),
                                                QPoint(60, 10), QPoint(400, 40)));
    QVERIFY(band);
    auto *first = qobject_cast<TextItem *>(
        f->create(QStringLiteral("Dpst_TmText"), band, QPoint(10, 2), QPoint(80, 14)));
    auto *second = qobject_cast<TextItem *>(
        f->create(QStringLiteral("Dpst_TmText"), band, QPoint(200, 2), QPoint(280, 14)));
    QVERIFY(first && second);
    band->setTypeField(QStringLiteral("REPORT"));
    // A caption that makes its line longer than the report program reads.
    TextItem *faulty = firstItemFaulty ? first : second;
    faulty->setCaption(QString(300, u'x'));
    ReportCheckList *list = checkReport(window);
    QVERIFY(list);
    QCOMPARE(list->problems().size(), 1);
    const int line = list->problems().first().problem.line - 1;
    QVERIFY(FrameFixture::editorLines(window).value(line).contains(faulty->caption()));

    doubleClick(list, 0);
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QCOMPARE(window->designRegister()->targets()->items(), QList<QWidget *>({faulty}));
}

QTEST_MAIN(TestCheckReport)
#include "tst_checkreport.moc"
