// Links: kestrova_designer
#include "designer/DsnInspector.h"
#include "designer/DsnMessages.h"
#include "designer/DsnMultiProps.h"
#include "designer/DsnReportInspector.h"
#include "designer/DsnTargets.h"
#include "designer/InspectorFm.h"
#include "model/ComponentOwner.h"
#include "model/mKomponents.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// Stands in for the stage: answers notification 1602 as a stage does, by
// updating the selection.
class RefreshingStage : public QWidget
{
public:
    TTargetList *selection = nullptr;
    int refreshes = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == DsnMessage::eventType(DsnMessage::RefreshSelection)) {
            ++refreshes;
            if (selection)
                selection->Update();
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
    void illegalValueIsReportedAndLeavesTheValue();
    void emptyValueLeavesNumbersAndEmptiesStrings();
    void pickedEnumerationIsWrittenAtOnce();
    void leavingTheEditBoxWrites();
    void openingTheChooserListIsNoLeaving();
    void keyInGridClosesEditorWithoutWriting();
    void buttonRowAsksTheOwner();
    void buttonWithoutHandlerDoesNothing();
    void editedRowStaysCurrentAcrossRefresh();
    void closedWindowComesBackAtNextUpdate();
    void headerSectionsShareTheWidth();
    void nameRefusedWhenTaken();

private:
    void select(const QList<QWidget *> &controls);
    int rowOf(const QString &name) const;
    void pressRow(const QString &name);
    QString cell(const QString &name) const;
    TInspectorFm *window() const { return m_inspector->window(); }

    std::unique_ptr<ComponentOwner> m_owner;
    std::unique_ptr<TmPage> m_page;
    std::unique_ptr<RefreshingStage> m_stage;
    std::unique_ptr<TDsnInspector> m_inspector;
    std::unique_ptr<TTargetList> m_selection;
    std::unique_ptr<TPropertyCollector> m_collector;
    TmBand *m_band = nullptr;
    TmText *m_text = nullptr;
    TmText *m_text2 = nullptr;
    QStringList m_errors;
};

void TestInspector::init()
{
    m_owner = std::make_unique<ComponentOwner>();
    m_page = std::make_unique<TmPage>(m_owner.get(), nullptr);
    m_page->setNewReportValues();
    m_page->setName(QStringLiteral("mPage1"));
    m_band = new TmBand(m_owner.get(), m_page.get());
    m_band->setName(QStringLiteral("mBand1"));
    m_text = new TmText(m_owner.get(), m_band);
    m_text->setName(QStringLiteral("mText1"));
    m_text->setBounds(10, 0, 100, 18);
    m_text2 = new TmText(m_owner.get(), m_band);
    m_text2->setName(QStringLiteral("mText2"));

    m_stage = std::make_unique<RefreshingStage>();
    m_inspector = std::make_unique<TDsnInspector>();
    ReportInspector::configure(*m_inspector);
    m_errors.clear();
    m_inspector->setErrorHandler([this](const QString &message) { m_errors.append(message); });
    m_inspector->setStageWindow(m_stage.get());
    m_inspector->SetDesigning(true);

    m_selection = std::make_unique<TTargetList>();
    m_stage->selection = m_selection.get();
    m_collector = m_inspector->CreateCollector();
    m_selection->ReceiverAdded(m_collector.get());
    m_collector->Bind(m_inspector.get());
    QStringList names;
    QStringList captions;
    m_inspector->GetPropLists(names, captions);
    m_collector->Load(names, captions, m_inspector->OutProps());
}

void TestInspector::cleanup()
{
    m_collector.reset();
    m_selection.reset();
    m_inspector.reset();
    m_stage.reset();
    m_page.reset();
    m_owner.reset();
}

void TestInspector::select(const QList<QWidget *> &controls)
{
    m_selection->Clear();
    for (QWidget *control : controls)
        m_selection->Add(control);
    m_selection->Update();
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
    TInspectorFm *fm = window();
    QVERIFY(fm);
    QVERIFY(fm->isVisible());
    QCOMPARE(fm->windowTitle(), QStringLiteral("Object Inspector"));
    QCOMPARE(fm->pos(), QPoint(15, 50));
    QCOMPARE(fm->size(), QSize(200, 300));
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

    m_inspector->SetDesigning(true);
    QCOMPARE(window(), fm);
    const QPointer<TInspectorFm> closed(fm);
    m_inspector->SetDesigning(false);
    QVERIFY(!closed);
    QVERIFY(!window());
}

void TestInspector::gridRowsFollowTheSelection()
{
    select({m_text});
    QTableWidget *grid = window()->grid();
    QCOMPARE(grid->rowCount(), 17);
    for (int column = 0; column < 3; ++column)
        QCOMPARE(grid->item(0, column)->text(), QString());
    QCOMPARE(window()->rowName(1), QStringLiteral("Color"));
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("Color"));
    QCOMPARE(cell(QStringLiteral("Font")), QStringLiteral("(TFont)"));
    QCOMPARE(cell(QStringLiteral("Left")), QStringLiteral("10"));
    QCOMPARE(cell(QStringLiteral("Alignment")), QStringLiteral("taLeftJustify"));

    select({m_text, m_band});
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
    select({m_text});
    pressRow(name);
    TInspectorFm *fm = window();
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
    select({m_text, m_text2});
    pressRow(QStringLiteral("Width"));
    QLineEdit *edit = window()->editBox();
    edit->setText(QStringLiteral("$50"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_text->width(), 80);
    QCOMPARE(m_text2->width(), 80);
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(m_stage->refreshes, 0);
    QTRY_COMPARE(m_stage->refreshes, 1);
    QCOMPARE(cell(QStringLiteral("Width")), QStringLiteral("80"));
}

void TestInspector::illegalValueIsReportedAndLeavesTheValue()
{
    select({m_text});
    pressRow(QStringLiteral("Width"));
    window()->editBox()->setText(QStringLiteral("abc"));
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
    QCOMPARE(m_errors, QStringList{QStringLiteral("abc is illegal (Width)")});
    QCOMPARE(m_text->width(), 100);
    QCOMPARE(cell(QStringLiteral("Width")), QStringLiteral("100"));

    pressRow(QStringLiteral("Alignment"));
    window()->valueChooser()->setEditText(QStringLiteral("taMiddle"));
    QTest::keyClick(window()->valueChooser(), Qt::Key_Return);
    QCOMPARE(m_errors.size(), 2);
    QCOMPARE(m_errors.last(), QStringLiteral("taMiddle is illegal (Alignment)"));
    QCOMPARE(m_text->alignment(), taLeftJustify);
}

void TestInspector::emptyValueLeavesNumbersAndEmptiesStrings()
{
    m_text->setCaption(QStringLiteral("Total"));
    select({m_text});
    for (const char *name : {"Width", "Caption"}) {
        pressRow(QString::fromLatin1(name));
        window()->editBox()->clear();
        QTest::keyClick(window()->editBox(), Qt::Key_Return);
    }
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(m_text->width(), 100);
    QCOMPARE(m_text->caption(), QString());
}

void TestInspector::pickedEnumerationIsWrittenAtOnce()
{
    select({m_text});
    pressRow(QStringLiteral("Alignment"));
    QComboBox *chooser = window()->valueChooser();
    const int center = chooser->findText(QStringLiteral("taCenter"));
    chooser->setCurrentIndex(center);
    emit chooser->activated(center);
    QCOMPARE(m_text->alignment(), taCenter);
    QVERIFY(!chooser->isVisible());
    QVERIFY(!window()->editBoxPlaced());
    QVERIFY(m_errors.isEmpty());
}

void TestInspector::leavingTheEditBoxWrites()
{
    select({m_text});
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    pressRow(QStringLiteral("Caption"));
    QLineEdit *edit = window()->editBox();
    QTRY_VERIFY(edit->hasFocus());
    edit->setText(QStringLiteral("Sum"));
    window()->grid()->setFocus();
    QCOMPARE(m_text->caption(), QStringLiteral("Sum"));
    QVERIFY(!edit->isVisible());
    QVERIFY(!window()->editBoxPlaced());
}

void TestInspector::openingTheChooserListIsNoLeaving()
{
    select({m_text});
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
    QVERIFY(m_errors.isEmpty());
}

void TestInspector::keyInGridClosesEditorWithoutWriting()
{
    select({m_text});
    pressRow(QStringLiteral("Width"));
    window()->editBox()->setText(QStringLiteral("55"));
    QTest::keyClick(window()->grid(), Qt::Key_Down);
    QVERIFY(!window()->editBox()->isVisible());
    QVERIFY(!window()->editBoxPlaced());
    QCOMPARE(m_text->width(), 100);
}

void TestInspector::buttonRowAsksTheOwner()
{
    QList<QWidget *> seenTargets;
    QString seenName;
    QString seenValue;
    QObject *seenSender = nullptr;
    m_inspector->OnBtnClick = [&](QObject *sender, const TSelectedComponents &targets,
                                  const QString &propName, QString &value) {
        seenSender = sender;
        seenTargets = targets.items();
        seenName = propName;
        seenValue = value;
        value = QStringLiteral("255");
    };
    select({m_text, m_text2});
    pressRow(QStringLiteral("Color"));
    QVERIFY(window()->valueButton()->isVisible());
    QVERIFY(!window()->editBox()->isEnabled());
    QTest::mouseClick(window()->valueButton(), Qt::LeftButton);
    QCOMPARE(seenSender, m_inspector.get());
    QCOMPARE(seenTargets, (QList<QWidget *>{m_text, m_text2}));
    QCOMPARE(seenName, QStringLiteral("Color"));
    QCOMPARE(seenValue, QStringLiteral("16777215"));
    QCOMPARE(window()->editBox()->text(), QStringLiteral("255"));
    QCOMPARE(m_text->color(), 255);
    QCOMPARE(m_text2->color(), 255);
}

void TestInspector::buttonWithoutHandlerDoesNothing()
{
    select({m_text});
    pressRow(QStringLiteral("Color"));
    QTest::mouseClick(window()->valueButton(), Qt::LeftButton);
    QCOMPARE(m_text->color(), qint64(NamedValues::clWhite));
    QCOMPARE(m_stage->refreshes, 0);
    QTest::qWait(10);
    QCOMPARE(m_stage->refreshes, 0);
}

void TestInspector::editedRowStaysCurrentAcrossRefresh()
{
    select({m_text});
    pressRow(QStringLiteral("Top"));
    select({m_band});
    QCOMPARE(window()->editingName(), QStringLiteral("Top"));
    QCOMPARE(window()->grid()->currentRow(), rowOf(QStringLiteral("Top")));
    select({m_text});
    pressRow(QStringLiteral("Alignment"));
    select({m_band});
    QVERIFY(!window()->editBoxPlaced());
    QVERIFY(!window()->valueChooser()->isVisible());
}

void TestInspector::closedWindowComesBackAtNextUpdate()
{
    select({m_text});
    window()->close();
    QVERIFY(!window()->isVisible());
    m_selection->Update();
    QVERIFY(window()->isVisible());
}

void TestInspector::headerSectionsShareTheWidth()
{
    TInspectorFm *fm = window();
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
    select({m_text});
    pressRow(QStringLiteral("Name"));
    window()->editBox()->setText(QStringLiteral("mText2"));
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
    QCOMPARE(m_errors, QStringList{QStringLiteral("A component named mText2 already exists")});
    QCOMPARE(m_text->objectName(), QStringLiteral("mText1"));
    window()->editBox()->setText(QStringLiteral("Total"));
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
    QCOMPARE(m_text->objectName(), QStringLiteral("Total"));
    QCOMPARE(m_errors.size(), 1);
}

QTEST_MAIN(TestInspector)
#include "tst_inspector.moc"
