#include "DesignFixture.h"
#include "FrameFixture.h"

#include "designer/DesignChangeRecorder.h"
#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/InspectorWindow.h"
#include "designer/ObjectInspector.h"
#include "windows/PageSetupDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>

// Every change of a design is one undoable step of its window: gestures,
// commands, inspector writes, keyboard moves and alignment; the caption
// and the Edit menu say where the history stands.
class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void moveOfSeveralItemsIsOneStep();
    void dragBackToTheStartPushesNothing();
    void commandsUndoAndRedo_data();
    void commandsUndoAndRedo();
    void inspectorWriteToSeveralIsOneStep();
    void captionShowsTheModifiedDesign();
    void keyboardMovesSizesAndSelects();
    void alignment_data();
    void alignment();
    void pageSetupIsOneStep();
    void historyIsBoundedAndClearedOnReopening();
    void stepLeavesWhatItDidNotTouch();
    void stepsGiveTheDesignBack_data();
    void stepsGiveTheDesignBack();
    void sourcePageKeepsTheEditorsUndo();

private:
    // A report with a band holding three texts, written and opened again.
    ReportWindow *reportWithTexts();
    QList<QWidget *> texts() const;
    void select(const QList<QWidget *> &controls) const;
    QByteArray design() const;
    QUndoStack *stack() const { return m_window->undoStack(); }

    FrameFixture *f = nullptr;
    ReportWindow *m_window = nullptr;
    Band *m_band = nullptr;
};

void TestUndo::init()
{
    f = new FrameFixture;
    m_window = reportWithTexts();
    QVERIFY(m_window);
}

void TestUndo::cleanup()
{
    delete f;
    f = nullptr;
}

ReportWindow *TestUndo::reportWithTexts()
{
    f->newReport(QStringLiteral("history"));
    if (!QTest::qWaitFor([this] { return f->active() != nullptr; }))
        return nullptr;
    ReportWindow *window = f->active();
    m_band = new Band(&window->owner(), window->mPage1());
    m_band->setName(QStringLiteral("mBand1"));
    m_band->setHeightPx(108);
    m_band->show();
    int left = 12;
    for (const char *name : {"mText1", "mText2", "mText3"}) {
        auto *text = new TextItem(&window->owner(), m_band);
        text->setName(QString::fromLatin1(name));
        text->setBounds(left, 18, 60, 18);
        text->setCaption(QStringLiteral("'") + text->objectName() + QStringLiteral("'"));
        text->show();
        left += 72;
    }
    // Opened from its file, as a user's design is.
    window->saveDesign();
    window->openReport(omDesign, window->designFileName());
    m_band = qobject_cast<Band *>(window->owner().findComponent(u"mBand1"));
    return window;
}

QList<QWidget *> TestUndo::texts() const
{
    QList<QWidget *> found;
    for (const char *name : {"mText1", "mText2", "mText3"})
        found.append(
            qobject_cast<QWidget *>(m_window->owner().findComponent(QString::fromLatin1(name))));
    return found;
}

void TestUndo::select(const QList<QWidget *> &controls) const
{
    SelectionList *selection = m_window->designRegister()->ensureSelectionList();
    selection->clearTargets();
    for (QWidget *control : controls)
        selection->addTarget(control);
    selection->refreshTargets();
}

// The design as its file would hold it; writing switches design mode off
// and on, which clears the selection.
QByteArray TestUndo::design() const
{
    const QString path = f->path(QStringLiteral("snapshot.kfx"));
    m_window->reportStage()->saveToFile(path);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestUndo::moveOfSeveralItemsIsOneStep()
{
    select(texts());
    QWidget *first = texts().at(0);
    Gesture::drag(first, {5, 5}, {5 + 12, 5 + 36});
    QCOMPARE(first->pos(), QPoint(24, 54));
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(f->action(QStringLiteral("UndoMenu"))->text(), QStringLiteral("Undo Move 3 Items"));

    f->action(QStringLiteral("UndoMenu"))->trigger();
    QList<QWidget *> restored = texts();
    QCOMPARE(restored.at(0)->pos(), QPoint(12, 18));
    QCOMPARE(restored.at(2)->pos(), QPoint(156, 18));
    // The selection shows what the step changed.
    QCOMPARE(m_window->designRegister()->targets()->items(), restored);
    QCOMPARE(f->action(QStringLiteral("RedoMenu"))->text(), QStringLiteral("Redo Move 3 Items"));
    QCOMPARE(f->action(QStringLiteral("RedoMenu"))->shortcuts(),
             (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                  QKeySequence(QStringLiteral("Ctrl+Y"))}));

    f->action(QStringLiteral("RedoMenu"))->trigger();
    QCOMPARE(texts().at(0)->pos(), QPoint(24, 54));
    QCOMPARE(texts().at(2)->pos(), QPoint(168, 54));
}

void TestUndo::dragBackToTheStartPushesNothing()
{
    QWidget *first = texts().at(0);
    Gesture::click(first, {5, 5});
    Gesture::press(first, {5, 5});
    Gesture::move(first, {40, 40});
    Gesture::release(first, {5, 5});
    QCOMPARE(first->pos(), QPoint(12, 18));
    QCOMPARE(stack()->count(), 0);
    QCOMPARE(f->action(QStringLiteral("UndoMenu"))->text(), QStringLiteral("Undo"));
}

void TestUndo::commandsUndoAndRedo_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("delete") << "DeleteMenu"
                            << "Undo Delete 2 Items";
    QTest::newRow("cut") << "CutMenu"
                         << "Undo Cut 2 Items";
    QTest::newRow("paste") << "PasteMenu"
                           << "Undo Paste 2 Items";
    QTest::newRow("create") << ""
                            << "Undo Create mText4";
}

void TestUndo::commandsUndoAndRedo()
{
    QFETCH(QString, command);
    QFETCH(QString, undoText);
    const QByteArray before = design();
    if (command.isEmpty()) {
        QVERIFY(f->create(QStringLiteral("Dpst_TmText"), m_band, {300, 60}, {400, 80}));
    } else {
        select(texts().mid(0, 2));
        if (command == u"PasteMenu") {
            m_window->reportStage()->copySelected();
            select({m_band});
        }
        f->action(command)->trigger();
    }
    const QByteArray after = design();
    QVERIFY(after != before);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(f->action(QStringLiteral("UndoMenu"))->text(), undoText);
    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(design(), before);
    f->action(QStringLiteral("RedoMenu"))->trigger();
    QCOMPARE(design(), after);
}

void TestUndo::inspectorWriteToSeveralIsOneStep()
{
    select(texts());
    InspectorWindow *inspector = m_window->inspector()->window();
    QVERIFY(inspector);
    QTableWidget *grid = inspector->grid();
    int row = -1;
    for (int r = 1; r < grid->rowCount(); ++r) {
        if (inspector->rowName(r) == u"Width")
            row = r;
    }
    QVERIFY(row > 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, 1)).center());
    inspector->editBox()->setText(QStringLiteral("90"));
    QTest::keyClick(inspector->editBox(), Qt::Key_Return);
    for (QWidget *text : texts())
        QCOMPARE(text->width(), 90);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Set Width"));
    stack()->undo();
    for (QWidget *text : texts())
        QCOMPARE(text->width(), 60);
}

void TestUndo::captionShowsTheModifiedDesign()
{
    const QString file = m_window->designFileName();
    QCOMPARE(m_window->windowTitle(), file);
    select({texts().at(0)});
    f->action(QStringLiteral("DeleteMenu"))->trigger();
    QCOMPARE(m_window->windowTitle(), file + QStringLiteral("*"));
    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(m_window->windowTitle(), file);
    f->action(QStringLiteral("RedoMenu"))->trigger();
    QCOMPARE(m_window->windowTitle(), file + QStringLiteral("*"));
    f->action(QStringLiteral("WriteReportMenu"))->trigger();
    QCOMPARE(m_window->windowTitle(), file);
    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(m_window->windowTitle(), file + QStringLiteral("*"));
}

void TestUndo::keyboardMovesSizesAndSelects()
{
    DesignStage *stage = m_window->reportStage();
    stage->setFocus();
    QTest::keyClick(stage, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_window->designRegister()->targets()->count(), 4);
    select({texts().at(1)});
    QTest::keyClick(stage, Qt::Key_Right);
    QTest::keyClick(stage, Qt::Key_Down);
    QCOMPARE(texts().at(1)->pos(), QPoint(84 + 6, 18 + 18));
    QTest::keyClick(stage, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(texts().at(1)->size(), QSize(66, 18));
    QCOMPARE(stack()->count(), 3);
    QCOMPARE(stack()->undoText(), QStringLiteral("Resize mText2"));
    stack()->undo();
    stack()->undo();
    QCOMPARE(texts().at(1)->geometry(), QRect(90, 18, 60, 18));
}

void TestUndo::alignment_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QRect>("second");
    QTest::newRow("left") << "AlignLeftMenu" << QRect(12, 36, 90, 36);
    QTest::newRow("right") << "AlignRightMenu" << QRect(-18, 36, 90, 36);
    QTest::newRow("top") << "AlignTopMenu" << QRect(84, 18, 90, 36);
    QTest::newRow("bottom") << "AlignBottomMenu" << QRect(84, 0, 90, 36);
    QTest::newRow("same width") << "SameWidthMenu" << QRect(84, 36, 60, 36);
    QTest::newRow("same height") << "SameHeightMenu" << QRect(84, 36, 90, 18);
}

void TestUndo::alignment()
{
    QFETCH(QString, command);
    QFETCH(QRect, second);
    qobject_cast<TextItem *>(texts().at(1))->setBounds(84, 36, 90, 36);
    // Writing the design ends the selection: written first.
    const QByteArray before = design();
    select({texts().at(0), texts().at(1)});
    f->action(command)->trigger();
    QCOMPARE(texts().at(1)->geometry(), second);
    QCOMPARE(texts().at(0)->geometry(), QRect(12, 18, 60, 18));
    QCOMPARE(stack()->count(), 1);
    stack()->undo();
    QCOMPARE(design(), before);
}

void TestUndo::pageSetupIsOneStep()
{
    const QByteArray before = design();
    ReportPage *page = m_window->mPage1();
    const QSize size = page->size();
    f->onModal<PageSetupDialog>([](PageSetupDialog *dialog) {
        QLineEdit *paper = dialog->paperSizeBox()->lineEdit();
        paper->selectAll();
        QTest::keyClicks(paper, QStringLiteral("A3"));
        dialog->leftEdit()->selectAll();
        QTest::keyClicks(dialog->leftEdit(), QStringLiteral("5"));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseDClick(page, Qt::LeftButton, {}, QPoint(300, 300));
    QVERIFY(m_window->mPage1()->size() != size);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Edit mPage1"));
    stack()->undo();
    QCOMPARE(design(), before);
    QCOMPARE(m_window->mPage1()->size(), size);
    QCOMPARE(m_window->reportStage()->size(), size);
}

void TestUndo::historyIsBoundedAndClearedOnReopening()
{
    select({texts().at(0)});
    DesignStage *stage = m_window->reportStage();
    for (int step = 0; step < 205; ++step)
        QTest::keyClick(stage, step % 2 ? Qt::Key_Left : Qt::Key_Right);
    QCOMPARE(stack()->count(), 200);
    m_window->saveDesign();
    m_window->openReport(omDesign, m_window->designFileName());
    QCOMPARE(stack()->count(), 0);
}

// A step takes back what its change did and nothing else: the components
// the change left alone (and those it moved) stay the same controls.
void TestUndo::stepLeavesWhatItDidNotTouch()
{
    QList<QPointer<QWidget>> controls{m_band};
    for (QWidget *text : texts())
        controls.append(text);
    select({texts().at(1)});
    QTest::keyClick(m_window->reportStage(), Qt::Key_Right);
    QCOMPARE(stack()->count(), 1);
    stack()->undo();
    QCOMPARE(texts().at(1)->pos(), QPoint(84, 18));
    stack()->redo();
    QCOMPARE(texts().at(1)->pos(), QPoint(90, 18));
    for (const QPointer<QWidget> &control : std::as_const(controls))
        QVERIFY(control);
}

void TestUndo::stepsGiveTheDesignBack_data()
{
    QTest::addColumn<QString>("change");
    // Freed components go back to their place among their siblings.
    QTest::newRow("delete the middle item") << "delete middle";
    QTest::newRow("delete a band with its items") << "delete band";
    // A value no longer stored goes back to what a new item has.
    QTest::newRow("caption emptied") << "empty caption";
    QTest::newRow("own font of a band") << "band font";
    QTest::newRow("paste into the band") << "paste";
}

void TestUndo::stepsGiveTheDesignBack()
{
    QFETCH(QString, change);
    const QByteArray before = design();
    DesignStage *stage = m_window->reportStage();
    if (change == u"delete middle") {
        select({texts().at(1)});
        stage->deleteSelected();
    } else if (change == u"delete band") {
        select({m_band});
        stage->deleteSelected();
    } else if (change == u"empty caption") {
        select({texts().at(2)});
        DesignChangeScope scope(stage, QStringLiteral("Set Caption"));
        qobject_cast<TextItem *>(texts().at(2))->setCaption(QString());
    } else if (change == u"band font") {
        DesignChangeScope scope(stage, QStringLiteral("Set Font"));
        FontRecord font = m_band->fontRecord();
        font.height = -20;
        font.style = FontRecord::Bold;
        m_band->setFontRecord(font);
    } else if (change == u"paste") {
        select(texts());
        stage->copySelected();
        select({m_band});
        stage->pasteFromClipboard();
        select({m_band});
        stage->pasteFromClipboard();
    }
    const QByteArray after = design();
    QVERIFY(after != before);
    QVERIFY(stack()->count() >= 1);
    while (stack()->canUndo())
        stack()->undo();
    QCOMPARE(design(), before);
    while (stack()->canRedo())
        stack()->redo();
    QCOMPARE(design(), after);
    stack()->undo();
    while (stack()->canUndo())
        stack()->undo();
    QCOMPARE(design(), before);
}

void TestUndo::sourcePageKeepsTheEditorsUndo()
{
    select({texts().at(0)});
    f->action(QStringLiteral("DeleteMenu"))->trigger();
    f->action(QStringLiteral("ToggleMenu"))->trigger();
    SourceEditor *editor = m_window->sourceEditor();
    editor->setText(QStringLiteral("typed"));
    editor->setCursorPosition(0, 5);
    editor->insert(QStringLiteral(" more"));
    QCOMPARE(f->action(QStringLiteral("UndoMenu"))->text(), QStringLiteral("Undo"));
    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(editor->text(), QStringLiteral("typed"));
    QCOMPARE(stack()->index(), 1);
    QVERIFY(!m_window->owner().findComponent(u"mText1"));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
