// Links: kestrova_designer
#include "InspectorFixture.h"

#include "designer/DesignMessages.h"
#include "designer/InspectorWindow.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// Stands in for the stage: answers RefreshSelection as a stage does, by
// updating the selection.
class RefreshingStage : public QWidget
{
public:
    SelectionList *selection = nullptr;
    int refreshes = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == DesignMessage::eventType(DesignMessage::RefreshSelection)) {
            ++refreshes;
            if (selection)
                selection->refreshTargets();
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

// The inspector window: rows, editors, gestures and writing values.
class TestInspector : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowOpensWithDesignMode();
    void gridRowsFollowTheSelection();
    void pressOnRowOpensTheFittingEditor_data();
    void pressOnRowOpensTheFittingEditor();
    void enterWritesTheTypedValue();
    void blanksAroundTheValueAreDropped_data();
    void blanksAroundTheValueAreDropped();
    void illegalValueIsReportedAndLeavesTheValue();
    void emptyValueLeavesNumbersAndEmptiesStrings();
    void pickedEnumerationIsWrittenAtOnce();
    void leavingTheEditBoxWrites();
    void openingTheChooserListIsNoLeaving();
    void keyInGridClosesEditorWithoutWriting();
    void escapeCancelsTheEdit_data();
    void escapeCancelsTheEdit();
    void movingTheEditorWritesNothingToTheNewRow();
    void buttonRowAsksTheOwner();
    void buttonWithoutHandlerDoesNothing();
    void editedRowStaysCurrentAcrossRefresh();
    void closedWindowComesBackAtNextUpdate();
    void headerSectionsShareTheWidth();
    void nameRefusedWhenTaken();

private:
    void select(const QList<QWidget *> &controls) { f->select(controls); }
    int rowOf(const QString &name) const;
    void pressRow(const QString &name);
    QString cell(const QString &name) const;
    InspectorWindow *window() const { return f->inspector.window(); }

    std::unique_ptr<InspectorFixture> f;
    std::unique_ptr<RefreshingStage> m_stage;
};

void TestInspector::init()
{
    f = std::make_unique<InspectorFixture>();
    m_stage = std::make_unique<RefreshingStage>();
    m_stage->selection = &f->selection;
    f->inspector.setStageWindow(m_stage.get());
    f->inspector.setDesigning(true);
}

void TestInspector::cleanup()
{
    f.reset();
    m_stage.reset();
}

int TestInspector::rowOf(const QString &name) const
{
    for (int row = 1; row < window()->grid()->rowCount(); ++row) {
        if (window()->rowName(row) == name)
            return row;
    }
    return -1;
}

void TestInspector::pressRow(const QString &name)
{
    QTableWidget *grid = window()->grid();
    const int row = rowOf(name);
    QVERIFY(row > 0);
    const QRect rect = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

QString TestInspector::cell(const QString &name) const
{
    const QTableWidgetItem *item = window()->grid()->item(rowOf(name), 2);
    return item ? item->text() : QString();
}

void TestInspector::windowOpensWithDesignMode()
{
    InspectorWindow *fm = window();
    QVERIFY(fm);
    QVERIFY(fm->isVisible());
    QCOMPARE(fm->windowTitle(), QStringLiteral("Object Inspector"));
    QCOMPARE(fm->pos(), QPoint(15, 50));
    // Wider than configured, so that every caption can be read.
    QCOMPARE(fm->height(), 300);
    QStringList names;
    QStringList captions;
    f->inspector.propertyLists(names, captions);
    QVERIFY(captions.contains(QStringLiteral("Print Break Value Always")));
    const QFontMetrics metrics(fm->grid()->font());
    for (const QString &caption : std::as_const(captions))
        QVERIFY2(fm->grid()->columnWidth(1) >= metrics.horizontalAdvance(caption),
                 qPrintable(caption));
    QVERIFY(fm->grid()->columnWidth(2) >= 100);
    QVERIFY(fm->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!fm->componentChooser()->isVisible());
    QCOMPARE(fm->header()->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Własność"));
    QCOMPARE(fm->header()->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Wartość"));
    QVERIFY(!fm->header()->sectionsClickable());
    QCOMPARE(fm->grid()->columnCount(), 3);
    QVERIFY(fm->grid()->isColumnHidden(0));
    QCOMPARE(fm->grid()->rowCount(), 0);
    QVERIFY(!fm->editBoxPlaced());

    f->inspector.setDesigning(true);
    QCOMPARE(window(), fm);
    const QPointer<InspectorWindow> closed(fm);
    f->inspector.setDesigning(false);
    QVERIFY(!closed);
    QVERIFY(!window());
}

void TestInspector::gridRowsFollowTheSelection()
{
    select({f->text});
    QTableWidget *grid = window()->grid();
    QCOMPARE(grid->rowCount(), 17);
    for (int column = 0; column < 3; ++column)
        QCOMPARE(grid->item(0, column)->text(), QString());
    QCOMPARE(window()->rowName(1), QStringLiteral("Color"));
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("Color"));
    QCOMPARE(cell(QStringLiteral("Font")), QStringLiteral("(TFont)"));
    QCOMPARE(cell(QStringLiteral("Left")), QStringLiteral("10"));
    QCOMPARE(cell(QStringLiteral("Alignment")), QStringLiteral("taLeftJustify"));

    select({f->text, f->band});
    QCOMPARE(grid->rowCount(), 10);
    QCOMPARE(cell(QStringLiteral("Left")), QString());
    QCOMPARE(cell(QStringLiteral("Name")), QStringLiteral("mText1"));

    select({});
    QCOMPARE(grid->rowCount(), 1);
}

void TestInspector::pressOnRowOpensTheFittingEditor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("chooser");
    QTest::addColumn<bool>("button");
    QTest::addColumn<QStringList>("choices");
    QTest::newRow("number") << "Width" << false << false << QStringList();
    QTest::newRow("string") << "Caption" << false << false << QStringList();
    QTest::newRow("enumeration") << "Alignment" << true << false
                                 << QStringList{"taLeftJustify", "taRightJustify", "taCenter"};
    QTest::newRow("boolean") << "AutoSize" << true << false << QStringList{"False", "True"};
    QTest::newRow("button") << "Font" << false << true << QStringList();
}

void TestInspector::pressOnRowOpensTheFittingEditor()
{
    QFETCH(QString, name);
    QFETCH(bool, chooser);
    QFETCH(bool, button);
    QFETCH(QStringList, choices);
    select({f->text});
    pressRow(name);
    InspectorWindow *fm = window();
    QCOMPARE(fm->editingName(), name);
    QVERIFY(fm->editBoxPlaced());
    QCOMPARE(fm->editBox()->text(), cell(name));
    QCOMPARE(fm->valueChooser()->isVisible(), chooser);
    QCOMPARE(fm->editBox()->isVisible(), !chooser);
    QCOMPARE(fm->valueButton()->isVisible(), button);
    QCOMPARE(fm->editBox()->isEnabled(), !button);
    if (chooser) {
        QStringList items;
        for (int i = 0; i < fm->valueChooser()->count(); ++i)
            items.append(fm->valueChooser()->itemText(i));
        QCOMPARE(items, choices);
        QCOMPARE(fm->valueChooser()->currentText(), cell(name));
    }
    // The editor lies over the value cell.
    const QTableWidget *grid = fm->grid();
    const QRect cellRect = grid->visualRect(grid->model()->index(rowOf(name), 2));
    const QPoint cellTop = grid->viewport()->mapTo(fm, cellRect.topLeft());
    QWidget *editor = chooser ? static_cast<QWidget *>(fm->valueChooser()) : fm->editBox();
    QCOMPARE(editor->geometry().topLeft(), cellTop);
}

void TestInspector::enterWritesTheTypedValue()
{
    select({f->text, f->text2});
    pressRow(QStringLiteral("Width"));
    QLineEdit *edit = window()->editBox();
    edit->setText(QStringLiteral("$50"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(f->text->width(), 80);
    QCOMPARE(f->text2->width(), 80);
    QVERIFY(f->errors.isEmpty());
    QCOMPARE(m_stage->refreshes, 0);
    QTRY_COMPARE(m_stage->refreshes, 1);
    QCOMPARE(cell(QStringLiteral("Width")), QStringLiteral("80"));
}

void TestInspector::blanksAroundTheValueAreDropped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("enumeration") << "Alignment"
                                 << " taCenter "
                                 << "taCenter";
    QTest::newRow("enumeration, tab") << "Alignment"
                                      << "\ttaRightJustify"
                                      << "taRightJustify";
    QTest::newRow("Boolean True") << "AlignToBand"
                                  << "True "
                                  << "True";
    QTest::newRow("Boolean True, blanks before") << "AutoSize"
                                                 << "  True"
                                                 << "True";
    QTest::newRow("integer") << "Width"
                             << " 50 "
                             << "50";
    QTest::newRow("hexadecimal integer") << "Width"
                                         << " $32 "
                                         << "50";
}

// Typed into the row's editor and entered: the value without the blanks
// around it is written.
void TestInspector::blanksAroundTheValueAreDropped()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    select({f->text});
    QVERIFY(cell(name) != shown);
    pressRow(name);
    if (window()->valueChooser()->isVisible()) {
        window()->valueChooser()->setEditText(typed);
        QTest::keyClick(window()->valueChooser(), Qt::Key_Return);
    } else {
        window()->editBox()->setText(typed);
        QTest::keyClick(window()->editBox(), Qt::Key_Return);
    }
    QCOMPARE(f->errors, QStringList());
    if (name == u"Alignment")
        QCOMPARE(f->text->alignment(), shown == u"taCenter" ? taCenter : taRightJustify);
    else if (name == u"AlignToBand")
        QVERIFY(f->text->alignToBand());
    else if (name == u"AutoSize")
        QVERIFY(f->text->autoSize);
    else
        QCOMPARE(f->text->width(), 50);
    // The grid shows the item's new value once the selection is updated.
    QTRY_COMPARE(cell(name), shown);
}

void TestInspector::illegalValueIsReportedAndLeavesTheValue()
{
    select({f->text});
    pressRow(QStringLiteral("Width"));
    window()->editBox()->setText(QStringLiteral("abc"));
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
    QCOMPARE(f->errors, QStringList{QStringLiteral("abc is illegal (Width)")});
    QCOMPARE(f->text->width(), 100);
    QCOMPARE(cell(QStringLiteral("Width")), QStringLiteral("100"));

    pressRow(QStringLiteral("Alignment"));
    window()->valueChooser()->setEditText(QStringLiteral("taMiddle"));
    QTest::keyClick(window()->valueChooser(), Qt::Key_Return);
    QCOMPARE(f->errors.size(), 2);
    QCOMPARE(f->errors.last(), QStringLiteral("taMiddle is illegal (Alignment)"));
    QCOMPARE(f->text->alignment(), taLeftJustify);
}

void TestInspector::emptyValueLeavesNumbersAndEmptiesStrings()
{
    f->text->setCaption(QStringLiteral("Total"));
    select({f->text});
    for (const char *name : {"Width", "Caption"}) {
        pressRow(QString::fromLatin1(name));
        window()->editBox()->clear();
        QTest::keyClick(window()->editBox(), Qt::Key_Return);
    }
    QVERIFY(f->errors.isEmpty());
    QCOMPARE(f->text->width(), 100);
    QCOMPARE(f->text->caption(), QString());
}

void TestInspector::pickedEnumerationIsWrittenAtOnce()
{
    select({f->text});
    pressRow(QStringLiteral("Alignment"));
    QComboBox *chooser = window()->valueChooser();
    const int center = chooser->findText(QStringLiteral("taCenter"));
    chooser->setCurrentIndex(center);
    emit chooser->activated(center);
    QCOMPARE(f->text->alignment(), taCenter);
    QVERIFY(!chooser->isVisible());
    QVERIFY(!window()->editBoxPlaced());
    QVERIFY(f->errors.isEmpty());
}

void TestInspector::leavingTheEditBoxWrites()
{
    select({f->text});
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    pressRow(QStringLiteral("Caption"));
    QLineEdit *edit = window()->editBox();
    QTRY_VERIFY(edit->hasFocus());
    edit->setText(QStringLiteral("Sum"));
    window()->grid()->setFocus();
    QCOMPARE(f->text->caption(), QStringLiteral("Sum"));
    QVERIFY(!edit->isVisible());
    QVERIFY(!window()->editBoxPlaced());
}

void TestInspector::openingTheChooserListIsNoLeaving()
{
    select({f->text});
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    pressRow(QStringLiteral("Alignment"));
    QComboBox *chooser = window()->valueChooser();
    chooser->setFocus();
    QTRY_VERIFY(chooser->hasFocus());
    chooser->showPopup();
    QTRY_VERIFY(chooser->view()->isVisible());
    QVERIFY(!chooser->hasFocus());
    QVERIFY(chooser->isVisible());
    QVERIFY(window()->editBoxPlaced());
    chooser->hidePopup();
    QVERIFY(f->errors.isEmpty());
}

void TestInspector::keyInGridClosesEditorWithoutWriting()
{
    select({f->text});
    pressRow(QStringLiteral("Width"));
    window()->editBox()->setText(QStringLiteral("55"));
    QTest::keyClick(window()->grid(), Qt::Key_Down);
    QVERIFY(!window()->editBox()->isVisible());
    QVERIFY(!window()->editBoxPlaced());
    QCOMPARE(f->text->width(), 100);
}

void TestInspector::escapeCancelsTheEdit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::newRow("edit box") << QStringLiteral("Caption") << QStringLiteral("Sum");
    QTest::newRow("enumeration chooser")
        << QStringLiteral("Alignment") << QStringLiteral("taCenter");
}

// Escape drops what was typed, as in every grid: neither leaving the box
// afterwards nor the window losing the focus writes it.
void TestInspector::escapeCancelsTheEdit()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    select({f->text});
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    const QString before = cell(name);
    pressRow(name);
    QWidget *editor = window()->valueChooser()->isVisible()
                          ? static_cast<QWidget *>(window()->valueChooser())
                          : window()->editBox();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!editor->isVisible());
    window()->grid()->setFocus();
    QTest::keyClick(window()->grid(), Qt::Key_Return);
    window()->close();
    f->props->refreshTargets(); // the grid shows the item's values again
    QCOMPARE(cell(name), before);
    QVERIFY(f->errors.isEmpty());
}

void TestInspector::movingTheEditorWritesNothingToTheNewRow()
{
    select({f->text});
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    pressRow(QStringLiteral("Width"));
    QTRY_VERIFY(window()->editBox()->hasFocus());
    window()->editBox()->setText(QStringLiteral("55"));
    window()->grid()->setCurrentCell(rowOf(QStringLiteral("Color")), 1);
    window()->startEdit(rowOf(QStringLiteral("Color")), true);
    QCOMPARE(f->text->color(), qint64(NamedValues::clWhite));
    QVERIFY(window()->editBox()->isVisible());
    QVERIFY(window()->valueButton()->isVisible());
    QCOMPARE(window()->editBox()->text(), QStringLiteral("16777215"));
}

void TestInspector::buttonRowAsksTheOwner()
{
    QList<QWidget *> seenTargets;
    QString seenName;
    QString seenValue;
    QObject::connect(
        &f->inspector, &ObjectInspector::buttonClicked, &f->inspector,
        [&](const SelectedComponents &targets, const QString &propName, QString &value) {
            seenTargets = targets.items();
            seenName = propName;
            seenValue = value;
            value = QStringLiteral("255");
        });
    select({f->text, f->text2});
    pressRow(QStringLiteral("Color"));
    QVERIFY(window()->valueButton()->isVisible());
    QVERIFY(!window()->editBox()->isEnabled());
    QTest::mouseClick(window()->valueButton(), Qt::LeftButton);
    QCOMPARE(seenTargets, (QList<QWidget *>{f->text, f->text2}));
    QCOMPARE(seenName, QStringLiteral("Color"));
    QCOMPARE(seenValue, QStringLiteral("16777215"));
    QCOMPARE(window()->editBox()->text(), QStringLiteral("255"));
    QCOMPARE(f->text->color(), 255);
    QCOMPARE(f->text2->color(), 255);
}

void TestInspector::buttonWithoutHandlerDoesNothing()
{
    select({f->text});
    pressRow(QStringLiteral("Color"));
    QTest::mouseClick(window()->valueButton(), Qt::LeftButton);
    QCOMPARE(f->text->color(), qint64(NamedValues::clWhite));
    QCOMPARE(m_stage->refreshes, 0);
    QTest::qWait(10);
    QCOMPARE(m_stage->refreshes, 0);
}

void TestInspector::editedRowStaysCurrentAcrossRefresh()
{
    select({f->text});
    pressRow(QStringLiteral("Top"));
    select({f->band});
    QCOMPARE(window()->editingName(), QStringLiteral("Top"));
    QCOMPARE(window()->grid()->currentRow(), rowOf(QStringLiteral("Top")));
    select({f->text});
    pressRow(QStringLiteral("Alignment"));
    select({f->band});
    QVERIFY(!window()->editBoxPlaced());
    QVERIFY(!window()->valueChooser()->isVisible());
}

void TestInspector::closedWindowComesBackAtNextUpdate()
{
    select({f->text});
    window()->close();
    QVERIFY(!window()->isVisible());
    f->selection.refreshTargets();
    QVERIFY(window()->isVisible());
}

void TestInspector::headerSectionsShareTheWidth()
{
    InspectorWindow *fm = window();
    fm->resize(260, 300);
    QTRY_COMPARE(fm->header()->width(), 260);
    QHeaderView *header = fm->header();
    QCOMPARE(header->sectionSize(0) + header->sectionSize(1), 260);
    QCOMPARE(fm->grid()->columnWidth(1), header->sectionSize(0) - 4);
    QCOMPARE(fm->grid()->columnWidth(2), header->sectionSize(1) - 4);

    header->resizeSection(0, 100);
    QCOMPARE(header->sectionSize(1), 160);
    QCOMPARE(fm->grid()->columnWidth(1), 96);
    QCOMPARE(fm->grid()->columnWidth(2), 156);
    header->resizeSection(1, 200);
    QCOMPARE(header->sectionSize(0), 60);
}

void TestInspector::nameRefusedWhenTaken()
{
    select({f->text});
    pressRow(QStringLiteral("Name"));
    window()->editBox()->setText(QStringLiteral("mText2"));
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
    QCOMPARE(f->errors, QStringList{QStringLiteral("A component named mText2 already exists")});
    QCOMPARE(f->text->objectName(), QStringLiteral("mText1"));
    window()->editBox()->setText(QStringLiteral("Total"));
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
    QCOMPARE(f->text->objectName(), QStringLiteral("Total"));
    QCOMPARE(f->errors.size(), 1);
}

QTEST_MAIN(TestInspector)
#include "tst_inspector.moc"
