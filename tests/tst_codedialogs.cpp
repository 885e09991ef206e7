#include "FrameFixture.h"
#include "ModalWatch.h"
#include "PropertyGridInput.h"

#include "dialogs/CodeDialogHost.h"
#include "dialogs/CodeEditorWindow.h"
#include "dialogs/InspectorButtons.h"
#include "dialogs/ObjectCodeDialog.h"
#include "dialogs/PropertyEditWindow.h"

#include "designer/DesignStage.h"
#include "designer/InspectorWindow.h"
#include "designer/ObjectInspector.h"
#include "designer/SelectionList.h"
#include "designer/SelectionPartner.h"

#include "model/ComponentOwner.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QMenu>
#include <QTableWidget>

#include <memory>
#include <stdexcept>

namespace {

using Mark = CodeEditorWindow::Mark;

CodeLines codeLines(const QStringList &texts)
{
    CodeLines lines;
    lines.setTexts(texts);
    return lines;
}

// The texts without the blanks at their ends, for comparisons that leave
// those out.
QStringList trimmedTexts(const CodeLines &code)
{
    QStringList texts;
    for (const CodeLine &line : code) {
        QString text = line.text;
        while (text.endsWith(u' ') || text.endsWith(u'\t'))
            text.chop(1);
        texts.append(text);
    }
    return texts;
}

// What a test saw of a code dialog while it was open.
struct SeenDialog
{
    QString caption;
    QStringList lines;
    QList<Mark> marks;
    bool shown = false;
};

// Generation whose progress fails between two sections, as it does when
// the page goes while events run.
class FailingProgress : public GenerationProgress
{
public:
    void showProgressPanel() override {}
    void hideProgressPanel() override {}
    void setProgressLabel(const QString &) override {}
    void setProgressMaximum(int) override {}
    void setProgressStep(int) override {}
    void stepProgress() override {}
    void processPendingEvents() override
    {
        if (failing)
            throw std::runtime_error("generation broke");
    }
    bool failing = true;
};

// A window of its own for the dialogs, whose generation can fail.
class TestHost : public CodeDialogHost
{
public:
    TestHost()
    {
        page->setNewReportValues();
        page->setName(QStringLiteral("mPage1"));
        band->setName(QStringLiteral("mBand1"));
        text->setName(QStringLiteral("mText1"));
    }

    QWidget *dialogOwner() override { return &owner; }
    ItemMarkOutlet *codeDialog() const override { return dialog; }
    void setCodeDialog(ItemMarkOutlet *outlet) override
    {
        dialog = outlet;
        codeDialogs.append(outlet);
    }
    void generateForDialog(const std::function<void(const GenerationWindow &)> &work) override
    {
        GenerationWindow window;
        window.page = page;
        window.progress = &progress;
        window.itemMarks = dialog;
        work(window);
    }
    void showDialogMessage(const QString &text) override { messages.append(text); }

    ComponentOwner components; // goes after the components it knows
    QWidget owner;
    ReportPage *page = new ReportPage(&components, &owner);
    Band *band = new Band(&components, page);
    TextItem *text = new TextItem(&components, band);
    FailingProgress progress;
    ItemMarkOutlet *dialog = nullptr;
    QList<ItemMarkOutlet *> codeDialogs; // every setting, in order
    QStringList messages;
};

// Rejects every modal dialog that shows while it lives, keeping its title.
struct ModalRecorder
{
    QStringList opened;
    ModalWatch<QDialog> watch{[this](QDialog *dialog) {
        opened.append(dialog->windowTitle());
        dialog->reject();
    }};
};

} // namespace

class tst_CodeDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sourcePageEditProperty();

    void bandDialogStoresBeforeAndAfter();
    void bandDialogMarksItems();
    void textDialog();
    void captionTypedSurvivesCancel();
    void keysAroundTheGeneratedBlock_data();
    void keysAroundTheGeneratedBlock();
    void captionLineIsNeitherSplitNorJoined();
    void captionTypedShowsInTheInspector();
    void pageDialog();
    void codeBlockDialog();
    void buttons_data();
    void buttons();
    void colourButton_data();
    void colourButton();
    void fontButtonGoesToEverySelected();
    void failedFillLeavesNoDialog();
    void oneCodeDialogAtATime();

    void sectionEditors_data();
    void sectionEditors();
    void tableAndQueryEditOneList();
    void emptiedSectionGeneratesNothing();

private:
    // A band and a text item on it, drawn from the palette.
    void drawBandWithText();
    // Once the code dialog shows, records it, runs act on it and closes it
    // with OK or Cancel.
    void onCodeDialog(SeenDialog &seen, bool ok,
                      const std::function<void(CodeEditorWindow *)> &act = {});
    void pressInspectorButton(const QString &propName);
    static QStringList lines(const CodeLines &code) { return code.texts(); }
    static CodeLines ReportPage::*sectionList(const QString &name);
    QStringList generate();

    std::unique_ptr<FrameFixture> f;
    ReportWindow *window = nullptr;
    Band *band = nullptr;
    TextItem *text = nullptr;
};

void tst_CodeDialogs::init()
{
    f = std::make_unique<FrameFixture>();
    window = f->frame->createReportWindow(QStringLiteral("A.kfx"), omNew);
    QVERIFY(window);
    f->activateFrame();
}

void tst_CodeDialogs::cleanup()
{
    f.reset();
    band = nullptr;
    text = nullptr;
}

void tst_CodeDialogs::drawBandWithText()
{
    band = qobject_cast<Band *>(f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(),
                                          QPoint(60, 10), QPoint(400, 30)));
    QVERIFY(band);
    text = qobject_cast<TextItem *>(
        f->create(QStringLiteral("Dpst_TmText"), band, QPoint(20, 2), QPoint(90, 14)));
    QVERIFY(text);
    QCOMPARE(text->objectName(), QStringLiteral("mText1"));
    // Without a .TAB line the item's code is its .PRINT line alone.
    text->tabPosition = false;
}

void tst_CodeDialogs::onCodeDialog(SeenDialog &seen, bool ok,
                                   const std::function<void(CodeEditorWindow *)> &act)
{
    f->onModal<CodeEditorWindow>([&seen, ok, act](CodeEditorWindow *dialog) {
        seen.shown = true;
        seen.caption = dialog->windowTitle();
        seen.lines = dialog->allLines().texts();
        seen.marks = dialog->marks();
        if (act)
            act(dialog);
        QTest::mouseClick(ok ? dialog->okButton() : dialog->cancelButton(), Qt::LeftButton);
    });
}

void tst_CodeDialogs::pressInspectorButton(const QString &propName)
{
    InspectorWindow *inspector = window->inspector()->window();
    QVERIFY(inspector);
    QTableWidget *grid = inspector->grid();
    int row = -1;
    for (int candidate = 1; candidate < grid->rowCount(); ++candidate) {
        if (inspector->rowName(candidate) == propName)
            row = candidate;
    }
    QVERIFY2(row > 0, qPrintable(propName));
    const QModelIndex index = grid->model()->index(row, 1);
    grid->scrollTo(index);
    const QRect cell = grid->visualRect(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(inspector->valueButton()->isVisible());
    QTest::mouseClick(inspector->valueButton(), Qt::LeftButton);
}

void tst_CodeDialogs::sourcePageEditProperty()
{
    SourceEditor *editor = window->sourceEditor();
    editor->contextMenu()->actions().first()->trigger();
    auto *properties = window->findChild<PropertyEditWindow *>();
    QVERIFY(properties);
    QVERIFY(properties->isVisible());
    QCOMPARE(properties->grid()->object(), editor);
    typeIntoGrid(properties->grid(), QStringLiteral("RightEdge"), QStringLiteral("90"));
    QCOMPARE(editor->rightEdge(), 90);

    // Each time a new window.
    editor->contextMenu()->actions().first()->trigger();
    QCOMPARE(window->findChildren<PropertyEditWindow *>().size(), 2);
}

// Two lines typed above the generated block and one below are the band's
// before and after code; the generated lines are kept nowhere.
void tst_CodeDialogs::bandDialogStoresBeforeAndAfter()
{
    drawBandWithText();
    band->setTypeField(QStringLiteral("REPORT"));
    SeenDialog seen;
    onCodeDialog(seen, true, [](CodeEditorWindow *dialog) {
        // Lines opened above the block, then typed into.
        SourceEditor *editor = dialog->textEdit();
        editor->setCursorPosition(0, 0);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClick(editor, Qt::Key_Return);
        editor->setCursorPosition(0, 0);
        QTest::keyClicks(editor, "B1");
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClicks(editor, "B2");
        const int last = editor->lineCount() - 1;
        editor->setCursorPosition(last, int(editor->lineText(last).size()));
        QTest::keyClick(editor, Qt::Key_Return);
        // Over the indentation the editor gave the new line.
        QTest::keyClick(editor, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClicks(editor, "A1");
    });
    QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(300, 30));
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, QStringLiteral("Section: Header REPORT"));
    QCOMPARE(seen.lines.first(), QStringLiteral(".HEADER REPORT"));
    QCOMPARE(lines(band->beforePrint), (QStringList{"B1", "B2"}));
    QCOMPARE(lines(band->afterPrint), QStringList{"A1"});
    QVERIFY(window->findChildren<CodeEditorWindow *>().isEmpty());
    QCOMPARE(window->codeDialog(), nullptr);

    // F9 shows them around the band's section.
    f->activateFrame();
    QTest::keyClick(window->reportStage(), Qt::Key_F9);
    const QStringList source = FrameFixture::editorLines(window);
    const qsizetype heading = source.indexOf(QStringLiteral("\t.HEADER REPORT"));
    QVERIFY(heading >= 2);
    QCOMPARE(source.mid(heading - 2, 2), (QStringList{"B1", "B2"}));
    QVERIFY(source.contains(QStringLiteral("A1")));
}

void tst_CodeDialogs::bandDialogMarksItems()
{
    drawBandWithText();
    // A second item on the next line, and two lines of before code.
    auto *second = qobject_cast<TextItem *>(
        f->create(QStringLiteral("Dpst_TmText"), band, QPoint(20, 20), QPoint(90, 34)));
    QVERIFY(second);
    second->tabPosition = false;
    band->beforePrint = codeLines({"b1", "b2"});
    band->afterPrint = codeLines({"a1"});
    SeenDialog seen;
    onCodeDialog(seen, false);
    QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(300, 30));
    QVERIFY(seen.shown);
    // b1 b2 | .HEADER, .NEED 2, .PRINT mText1, .NEWLINE 1, .PRINT mText2 | a1; the
    // heading keeps its trailing blank, as generated.
    QCOMPARE(seen.lines, (QStringList{"b1", "b2", ".HEADER ", "\t.NEED 2", "\t.PRINT mText1",
                                      "\t.NEWLINE 1", "\t.PRINT mText2", "a1"}));
    const QList<Mark> expected = {
        {3, 1, QString()},
        {5, 0, QStringLiteral("mText1_p")},
        {5, 0, QStringLiteral("mText1_k")},
        {6, 0, QStringLiteral("mText2_p")},
        {7, 0, QStringLiteral("mText2_k")},
        {7, 1, QString()},
    };
    QCOMPARE(seen.marks, expected);
    // Cancel keeps the code the band had.
    QCOMPARE(lines(band->beforePrint), (QStringList{"b1", "b2"}));
    QCOMPARE(lines(band->afterPrint), QStringList{"a1"});
}

void tst_CodeDialogs::textDialog()
{
    drawBandWithText();
    text->beforePrint = codeLines({"x1", "x2", "x3"});
    SeenDialog seen;
    onCodeDialog(seen, true, [](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        editor->setSelection(0, 0, 1, 0);
        QTest::keyClick(editor, Qt::Key_Delete);
    });
    QTest::mouseDClick(text, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, QStringLiteral("Text"));
    QCOMPARE(seen.lines, (QStringList{"x1", "x2", "x3", ".PRINT mText1"}));
    QCOMPARE(seen.marks, (QList<Mark>{{4, 1, QString()}, {4, 1, QString()}}));
    QCOMPARE(lines(text->beforePrint), (QStringList{"x2", "x3"}));
    QCOMPARE(lines(text->afterPrint), QStringList{});
    QCOMPARE(lines(text->subTextCode), QStringList{".PRINT mText1"});
}

// Typing on the line that prints the caption renames the item at once;
// Cancel does not undo it, and the next generation prints the new caption
// once, with the item's format.
void tst_CodeDialogs::captionTypedSurvivesCancel()
{
    drawBandWithText();
    text->format = QStringLiteral("c10");
    QStringList captions;
    SeenDialog seen;
    onCodeDialog(seen, false, [this, &captions](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        const int line =
            int(dialog->allLines().texts().indexOf(QStringLiteral("\t.PRINT mText1(c10)")));
        QVERIFY(line > 0);
        editor->setCursorPosition(line, 8);
        QTest::keyClick(editor, Qt::Key_Delete);
        captions.append(text->caption());
        QTest::keyClicks(editor, "T");
        captions.append(text->caption());
    });
    QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(300, 30));
    QVERIFY(seen.shown);
    QCOMPARE(captions, (QStringList{"Text1", "TText1"}));
    QCOMPARE(text->caption(), QStringLiteral("TText1"));

    f->activateFrame();
    QTest::keyClick(window->reportStage(), Qt::Key_F9);
    QVERIFY(FrameFixture::editorLines(window).contains(QStringLiteral("\t.PRINT TText1(c10)")));
}

void tst_CodeDialogs::keysAroundTheGeneratedBlock_data()
{
    QTest::addColumn<QStringList>("beforeCode");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("toViewport");
    struct Row
    {
        const char *name;
        QStringList beforeCode;
        QTestEventList keys;
        QStringList before;
        QStringList after;
    };
    QList<Row> rows;

    QTestEventList top;
    top.addKeyClick(Qt::Key_Home, Qt::ControlModifier);
    top.addKeyClicks("/* before detail */");
    top.addKeyClick(Qt::Key_Return);
    rows.append({"typed at the top, then Enter", QStringList(), top,
                 QStringList{"/* before detail */", ""}, QStringList()});

    QTestEventList enterAtTop;
    enterAtTop.addKeyClick(Qt::Key_Home, Qt::ControlModifier);
    enterAtTop.addKeyClick(Qt::Key_Return);
    enterAtTop.addKeyClick(Qt::Key_Up);
    enterAtTop.addKeyClicks("b");
    rows.append({"Enter at the top opens a line above", QStringList(), enterAtTop, QStringList{"b"},
                 QStringList()});

    QTestEventList end;
    end.addKeyClick(Qt::Key_End, Qt::ControlModifier);
    end.addKeyClicks("/* after */");
    rows.append(
        {"typed at the end", QStringList(), end, QStringList(), QStringList{"/* after */"}});

    QTestEventList enterAtEnd;
    enterAtEnd.addKeyClick(Qt::Key_End, Qt::ControlModifier);
    enterAtEnd.addKeyClick(Qt::Key_Return);
    enterAtEnd.addKeyClicks("a");
    rows.append({"Enter at the end opens a line below", QStringList(), enterAtEnd, QStringList(),
                 QStringList{"a"}});

    QTestEventList inside;
    inside.addKeyClick(Qt::Key_Home, Qt::ControlModifier);
    inside.addKeyClick(Qt::Key_Right);
    inside.addKeyClick(Qt::Key_Right);
    inside.addKeyClicks("X");
    inside.addKeyClick(Qt::Key_Delete);
    inside.addKeyClick(Qt::Key_Backspace);
    inside.addKeyClick(Qt::Key_Return);
    inside.addKeyClick(Qt::Key_Tab);
    inside.addKeyClick(Qt::Key_A, Qt::ControlModifier);
    inside.addKeyClick(Qt::Key_Delete);
    inside.addKeyClicks("z");
    rows.append({"keys inside the block change nothing", QStringList(), inside, QStringList(),
                 QStringList()});

    QTestEventList join;
    join.addKeyClick(Qt::Key_Home, Qt::ControlModifier);
    join.addKeyClick(Qt::Key_End);
    join.addKeyClick(Qt::Key_Delete);
    join.addKeyClick(Qt::Key_Down);
    join.addKeyClick(Qt::Key_Home);
    join.addKeyClick(Qt::Key_Backspace);
    join.addKeyClicks("c");
    rows.append({"no line joins the block", QStringList{"b1"}, join, QStringList{"b1", "c"},
                 QStringList()});

    QTestEventList emptyLine;
    emptyLine.addKeyClick(Qt::Key_Home, Qt::ControlModifier);
    emptyLine.addKeyClick(Qt::Key_Down);
    emptyLine.addKeyClick(Qt::Key_Down);
    emptyLine.addKeyClick(Qt::Key_Home);
    emptyLine.addKeyClick(Qt::Key_Backspace);
    rows.append({"Backspace at the top takes an empty line away", QStringList{"b1", ""}, emptyLine,
                 QStringList{"b1"}, QStringList()});

    // Under a window system the keys reach the editor's viewport, which has
    // the focus; the guard must see them there too.
    for (const Row &row : rows) {
        for (const bool toViewport : {false, true}) {
            QTest::addRow("%s%s", row.name, toViewport ? ", viewport" : "")
                << row.beforeCode << row.keys << row.before << row.after << toViewport;
        }
    }
}

// Nothing typed in a band's dialog is lost: the generated lines cannot be
// changed, and typing or Enter where they begin or end goes on a line of
// its own before or after them, which OK stores.
void tst_CodeDialogs::keysAroundTheGeneratedBlock()
{
    QFETCH(QStringList, beforeCode);
    QFETCH(QTestEventList, keys);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(bool, toViewport);
    band = qobject_cast<Band *>(f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(),
                                          QPoint(60, 10), QPoint(400, 30)));
    QVERIFY(band);
    band->beforePrint = codeLines(beforeCode);
    SeenDialog seen;
    QStringList shown;
    onCodeDialog(seen, true, [&keys, &shown, toViewport](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        keys.simulate(toViewport ? editor->viewport() : static_cast<QWidget *>(editor));
        shown = trimmedTexts(dialog->allLines());
    });
    QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(300, 30));
    QVERIFY(seen.shown);
    QCOMPARE(lines(band->beforePrint), before);
    QCOMPARE(lines(band->afterPrint), after);
    // The generated lines as they opened, between what was typed.
    const QStringList generated = trimmedTexts(codeLines(seen.lines)).mid(beforeCode.size());
    QCOMPARE(shown, before + generated + after);
}

// A caption line can be typed on, but not split into two lines or joined
// with its neighbours, whose lines would then be lost.
void tst_CodeDialogs::captionLineIsNeitherSplitNorJoined()
{
    drawBandWithText();
    SeenDialog seen;
    QStringList shown;
    onCodeDialog(seen, true, [&shown](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        const int line = int(dialog->allLines().texts().indexOf(QStringLiteral("\t.PRINT mText1")));
        QVERIFY(line > 0);
        editor->setCursorPosition(line, 8);
        QTest::keyClick(editor, Qt::Key_Return);
        editor->setCursorPosition(line, 0);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, "2");
        shown = trimmedTexts(dialog->allLines());
    });
    QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(300, 30));
    QVERIFY(seen.shown);
    QStringList expected = trimmedTexts(codeLines(seen.lines));
    expected.replace(expected.indexOf(QStringLiteral("\t.PRINT mText1")),
                     QStringLiteral("\t.PRINT mText12"));
    QCOMPARE(shown, expected);
    QCOMPARE(text->caption(), QStringLiteral("mText12"));
    QCOMPARE(lines(band->beforePrint), QStringList());
    QCOMPARE(lines(band->afterPrint), QStringList());
}

// The inspector shows a caption typed on its line in the dialog at once.
void tst_CodeDialogs::captionTypedShowsInTheInspector()
{
    drawBandWithText();
    InspectorWindow *inspector = window->inspector()->window();
    QVERIFY(inspector);
    const auto captionCell = [inspector] {
        for (int row = 1; row < inspector->grid()->rowCount(); ++row) {
            if (inspector->rowName(row) == u"Caption")
                return inspector->grid()->item(row, 2)->text();
        }
        return QStringLiteral("(no row)");
    };
    QString shownWhileOpen;
    SeenDialog seen;
    onCodeDialog(seen, false, [&shownWhileOpen, &captionCell](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        const int line = int(dialog->allLines().texts().indexOf(QStringLiteral(".PRINT mText1")));
        QVERIFY(line >= 0);
        editor->setCursorPosition(line, int(editor->lineText(line).size()));
        QTest::keyClicks(editor, "X");
        shownWhileOpen = captionCell();
    });
    QTest::mouseDClick(text, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(seen.shown);
    QCOMPARE(shownWhileOpen, QStringLiteral("mText1X"));
}

// The page's dialog shows the whole report, freshly generated, with item
// marks where each item's lines stand in it.
void tst_CodeDialogs::pageDialog()
{
    drawBandWithText();
    ReportPage *page = window->mPage1();
    page->query = codeLines({".QUERY", "select * from t"});
    page->pageCode = codeLines({"stale"});
    // The inspector lists no PageCode row; the window's answer to the
    // button is what a row would reach.
    const auto pressPageCode = [this, page] {
        QString value;
        emit window->inspectorButton(SelectedComponents({page}), QStringLiteral("PageCode"), value);
    };
    SeenDialog seen;
    onCodeDialog(seen, false);
    pressPageCode();
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, QStringLiteral("Report"));
    // The report as the generation rules make it, written out here: a
    // header band two printed lines high with its item on row 0. Blanks at
    // line ends are left out of the comparison.
    QCOMPARE(band->height() / 18, 2);
    const QStringList generated{".QUERY", "select * from t", ".HEADER", "\t.NEED 2",
                                "\t.PRINT mText1"};
    QCOMPARE(trimmedTexts(codeLines(seen.lines)), generated);
    QCOMPARE(trimmedTexts(page->pageCode), generated);
    const int printLine = 5;
    QVERIFY(seen.marks.contains(Mark{printLine, 0, QStringLiteral("mText1_p")}));
    QVERIFY(seen.marks.contains(Mark{printLine, 0, QStringLiteral("mText1_k")}));

    // OK keeps what the user typed, with the lines' objects.
    onCodeDialog(seen, true, [](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        const int last = editor->lineCount() - 1;
        editor->setCursorPosition(last, int(editor->lineText(last).size()));
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClick(editor, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClicks(editor, ".NEWPAGE");
    });
    pressPageCode();
    QCOMPARE(trimmedTexts(page->pageCode), generated + QStringList{".NEWPAGE"});
    QCOMPARE(page->pageCode.first().object.component.data(), page);
}

void tst_CodeDialogs::codeBlockDialog()
{
    drawBandWithText();
    auto *block = qobject_cast<CodeBlock *>(
        f->create(QStringLiteral("Dpst_TMBlockCode"), band, QPoint(150, 2), QPoint(200, 14)));
    QVERIFY(block);
    block->setCode(codeLines({"old"}));
    SeenDialog seen;
    onCodeDialog(seen, true, [](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        editor->selectAll();
        QTest::keyClicks(editor, "A");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "B");
    });
    // The block takes no mouse input itself: its band's cover finds it.
    QTest::mouseDClick(band, Qt::LeftButton, {}, block->geometry().center());
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, QStringLiteral("Block Code"));
    QCOMPARE(seen.lines, QStringList{"old"});
    QCOMPARE(seen.marks, QList<Mark>{});
    QCOMPARE(lines(block->code()), (QStringList{"A", "B"}));
    QCOMPARE(block->caption(), QStringLiteral("\rA\rB"));
}

void tst_CodeDialogs::buttons_data()
{
    QTest::addColumn<QString>("propName");
    QTest::addColumn<QStringList>("opened");

    // The dialog depends on the component, not on the button.
    const QStringList bandDialog{QStringLiteral("Section: Header ")};
    QTest::newRow("PrintCode") << "PrintCode" << bandDialog;
    QTest::newRow("BandCode") << "BandCode" << bandDialog;
    QTest::newRow("PageCode") << "PageCode" << bandDialog;
    QTest::newRow("Code") << "Code" << bandDialog;
    QTest::newRow("Page") << "Page" << QStringList{};
    QTest::newRow("Lines") << "Lines" << QStringList{};
    QTest::newRow("letter case differs") << "bandcode" << QStringList{};
    QTest::newRow("section on a band") << "Sort" << QStringList{};
}

// The inspector's buttons with a band and a text item selected.
void tst_CodeDialogs::buttons()
{
    QFETCH(QString, propName);
    QFETCH(QStringList, opened);
    drawBandWithText();
    ModalRecorder modal;
    QString value = QStringLiteral("7");
    emit window->inspectorButton(SelectedComponents({band, text}), propName, value);
    QCOMPARE(modal.opened, opened);
    QCOMPARE(value, QStringLiteral("7"));
    QCOMPARE(window->codeDialog(), nullptr);
}

void tst_CodeDialogs::colourButton_data()
{
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("colour");

    QTest::newRow("pure red") << QColor(255, 0, 0) << true << qint64(255);
    QTest::newRow("blue, green and red")
        << QColor(1, 2, 3) << true << qint64(3 * 65536 + 2 * 256 + 1);
    QTest::newRow("cancelled") << QColor(255, 0, 0) << false << qint64(NamedValues::clWhite);
}

void tst_CodeDialogs::colourButton()
{
    QFETCH(QColor, chosen);
    QFETCH(bool, ok);
    QFETCH(qint64, colour);
    drawBandWithText();
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(5, 5));
    QColor shownFirst;
    f->onModal<QColorDialog>([&](QColorDialog *dialog) {
        shownFirst = dialog->currentColor();
        dialog->setCurrentColor(chosen);
        if (ok)
            dialog->accept();
        else
            dialog->reject();
    });
    pressInspectorButton(QStringLiteral("Color"));
    QCOMPARE(shownFirst, QColor(Qt::white));
    QCOMPARE(text->color(), colour);
}

void tst_CodeDialogs::fontButtonGoesToEverySelected()
{
    drawBandWithText();
    auto *second = qobject_cast<TextItem *>(
        f->create(QStringLiteral("Dpst_TmText"), band, QPoint(150, 2), QPoint(200, 14)));
    QVERIFY(second);
    FontRecord start = text->fontRecord();
    start.color = 0x0000FF;
    text->setFontRecord(start);
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(second, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QFont shown;
    f->onModal<QFontDialog>([&shown](QFontDialog *dialog) {
        shown = dialog->currentFont();
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(12);
        font.setBold(true);
        dialog->setCurrentFont(font);
        dialog->accept();
    });
    pressInspectorButton(QStringLiteral("Font"));
    QCOMPARE(shown.pointSize(), start.pointSize(ReportControl::PixelsPerInch));
    for (TextItem *item : {text, second}) {
        const FontRecord font = item->fontRecord();
        QCOMPARE(font.name, QStringLiteral("DejaVu Sans"));
        QCOMPARE(font.height, -16);
        QCOMPARE(font.style, int(FontRecord::Bold));
        QCOMPARE(font.color, qint64(0x0000FF));
        QVERIFY(!item->parentFont());
    }
}

// Generation failing while the dialog is filled: the dialog is gone and the
// window's code dialog cleared, so the next dialog starts afresh and no
// generation marks a dialog nobody sees.
void tst_CodeDialogs::failedFillLeavesNoDialog()
{
    TestHost host;
    {
        ModalRecorder modal;
        openCodeDialog(host, host.page);
        QCOMPARE(modal.opened, QStringList{});
    }
    QCOMPARE(host.messages, QStringList{"generation broke"});
    QCOMPARE(host.codeDialog(), nullptr);
    QCOMPARE(host.codeDialogs.size(), 2);
    QVERIFY(host.owner.findChildren<CodeEditorWindow *>().isEmpty());

    host.progress.failing = false;
    SeenDialog seen;
    onCodeDialog(seen, false);
    openCodeDialog(host, host.band);
    QVERIFY(seen.shown);
    QCOMPARE(seen.lines, (QStringList{".HEADER ", "\t.NEED 2", "\t.TAB 2", "\t.PRINT mText1"}));
    QCOMPARE(seen.marks, (QList<Mark>{{1, 1, QString()},
                                      {3, 0, QStringLiteral("mText1_p")},
                                      {4, 0, QStringLiteral("mText1_k")},
                                      {4, 1, QString()}}));
}

// While the window's code dialog is being filled, generation lets events
// run: a second request then must not take over the dialog in use.
void tst_CodeDialogs::oneCodeDialogAtATime()
{
    TestHost host;
    CodeEditorWindow inUse;
    host.dialog = &inUse;
    ModalRecorder modal;
    openCodeDialog(host, host.band);
    QCOMPARE(modal.opened, QStringList{});
    QCOMPARE(host.codeDialog(), &inUse);
    QCOMPARE(inUse.allLines().size(), 0);
}

CodeLines ReportPage::*tst_CodeDialogs::sectionList(const QString &name)
{
    static const QHash<QString, CodeLines ReportPage::*> lists = {
        {QStringLiteral("Break"), &ReportPage::breakSection},
        {QStringLiteral("Cleanup"), &ReportPage::cleanup},
        {QStringLiteral("Comments"), &ReportPage::comments},
        {QStringLiteral("Data"), &ReportPage::data},
        {QStringLiteral("Declare"), &ReportPage::declare},
        {QStringLiteral("Include"), &ReportPage::include},
        {QStringLiteral("LongRemark"), &ReportPage::longRemark},
        {QStringLiteral("Query"), &ReportPage::query},
        {QStringLiteral("Setup"), &ReportPage::setup},
        {QStringLiteral("Sort"), &ReportPage::sort},
    };
    return lists.value(name);
}

// Generate (F9) as the user presses it; the source's lines.
QStringList tst_CodeDialogs::generate()
{
    f->activateFrame();
    QTest::keyClick(window->reportStage(), Qt::Key_F9);
    return FrameFixture::editorLines(window);
}

void tst_CodeDialogs::sectionEditors_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("held");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("kept");

    const QStringList none;
    // An empty section starts with its keyword, which Cancel leaves there.
    QTest::newRow("Sort, cancelled") << "Sort" << none << "Report Sort Section"
                                     << QStringList{".SORT"} << "" << QStringList{".SORT"};
    QTest::newRow("Long Remark") << "LongRemark" << none << "Report Long Remark Section"
                                 << QStringList{".LONGREMARK", "", ".ENDREMARK"} << ""
                                 << QStringList{".LONGREMARK", "", ".ENDREMARK"};
    QTest::newRow("Break") << "Break" << none << "Report Break Section" << QStringList{".BREAK"}
                           << "" << QStringList{".BREAK"};
    QTest::newRow("Cleanup") << "Cleanup" << none << "Report Cleanup Section"
                             << QStringList{".CLEANUP"} << "" << QStringList{".CLEANUP"};
    QTest::newRow("Data") << "Data" << none << "Report Data Section" << QStringList{".DATA"} << ""
                          << QStringList{".DATA"};
    QTest::newRow("Declare") << "Declare" << none << "Report Declare Section"
                             << QStringList{".DECLARE"} << "" << QStringList{".DECLARE"};
    QTest::newRow("Include") << "Include" << none << "Report Include Section"
                             << QStringList{".INCLUDE"} << "" << QStringList{".INCLUDE"};
    QTest::newRow("Setup") << "Setup" << none << "Report Setup Section" << QStringList{".SETUP"}
                           << "" << QStringList{".SETUP"};
    // OK keeps what was typed after the keyword.
    QTest::newRow("Query, typed") << "Query" << none << "Report Query Section"
                                  << QStringList{".QUERY"} << "select a from t"
                                  << QStringList{".QUERY", "select a from t"};
    QTest::newRow("section with lines")
        << "Sort" << QStringList{".SORT", "a"} << "Report Sort Section" << QStringList{".SORT", "a"}
        << "" << QStringList{".SORT", "a"};
    // A blank line is a line: no keyword put before it.
    QTest::newRow("Break holding a blank line")
        << "Break" << QStringList{""} << "Report Break Section" << QStringList{} << ""
        << QStringList{""};
    // Comments are never primed; generation adds the comment marks.
    QTest::newRow("Comments") << "Comments" << none << "Report Comments Section" << none
                              << "made by hand" << QStringList{"made by hand"};
}

void tst_CodeDialogs::sectionEditors()
{
    QFETCH(QString, button);
    QFETCH(QStringList, held);
    QFETCH(QString, caption);
    QFETCH(QStringList, shown);
    QFETCH(QString, typed);
    QFETCH(QStringList, kept);

    ReportPage *page = window->mPage1();
    CodeLines &list = page->*sectionList(button);
    list = codeLines(held);
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(300, 200));
    SeenDialog seen;
    onCodeDialog(seen, !typed.isEmpty(), [&typed](CodeEditorWindow *dialog) {
        if (typed.isEmpty())
            return;
        SourceEditor *editor = dialog->textEdit();
        if (editor->lineCount() > 0) {
            const int last = editor->lineCount() - 1;
            editor->setCursorPosition(last, int(editor->lineText(last).size()));
            QTest::keyClick(editor, Qt::Key_Return);
        }
        QTest::keyClicks(editor, typed);
    });
    pressInspectorButton(button);
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.lines, shown);
    QCOMPARE(seen.marks, QList<Mark>{});
    QCOMPARE(lines(list), kept);
    QCOMPARE(window->codeDialog(), nullptr);
    // The keyword lines put in carry the page.
    if (held.isEmpty() && !shown.isEmpty())
        QCOMPARE(list.first().object.component.data(), page);

    const QStringList source = generate();
    if (button == u"Comments") {
        QCOMPARE(source.first(), QStringLiteral("/*# made by hand"));
    } else {
        for (const QString &line : kept) {
            if (!line.isEmpty())
                QVERIFY2(source.contains(line), qPrintable(line));
        }
    }
}

// "Table" and "Query" edit the page's Query, with one caption; the Table
// list is not touched.
void tst_CodeDialogs::tableAndQueryEditOneList()
{
    ReportPage *page = window->mPage1();
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(300, 200));
    SeenDialog seen;
    onCodeDialog(seen, true, [](CodeEditorWindow *dialog) {
        SourceEditor *editor = dialog->textEdit();
        editor->setCursorPosition(0, int(editor->lineText(0).size()));
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "retrieve (t.all)");
    });
    pressInspectorButton(QStringLiteral("Table"));
    QCOMPARE(seen.caption, QStringLiteral("Report Query Section"));
    QCOMPARE(seen.lines, QStringList{".QUERY"});
    QCOMPARE(lines(page->query), (QStringList{".QUERY", "retrieve (t.all)"}));
    QCOMPARE(lines(page->table), QStringList{});

    onCodeDialog(seen, false);
    pressInspectorButton(QStringLiteral("Query"));
    QCOMPARE(seen.caption, QStringLiteral("Report Query Section"));
    QCOMPARE(seen.lines, (QStringList{".QUERY", "retrieve (t.all)"}));
}

void tst_CodeDialogs::emptiedSectionGeneratesNothing()
{
    ReportPage *page = window->mPage1();
    page->sort = codeLines({".SORT", "a"});
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(300, 200));
    SeenDialog seen;
    onCodeDialog(seen, true, [](CodeEditorWindow *dialog) {
        dialog->textEdit()->selectAll();
        QTest::keyClick(dialog->textEdit(), Qt::Key_Delete);
    });
    pressInspectorButton(QStringLiteral("Sort"));
    QVERIFY(seen.shown);
    QCOMPARE(lines(page->sort), QStringList{});
    const QStringList source = generate();
    QVERIFY(!source.contains(QStringLiteral(".SORT")));
    QVERIFY(!source.contains(QStringLiteral("a")));
}

QTEST_MAIN(tst_CodeDialogs)
#include "tst_codedialogs.moc"
