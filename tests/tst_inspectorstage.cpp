// Links: kestrova_designer
#include "designer/DsnCoverMenu.h"
#include "designer/DsnHandle.h"
#include "designer/DsnInspector.h"
#include "designer/DsnPropInfo.h"
#include "designer/DsnReportInspector.h"
#include "designer/DsnStage.h"
#include "designer/DsnSubDp.h"
#include "designer/InspectorFm.h"
#include "designer/ReportStageAnswers.h"
#include "model/ComponentOwner.h"
#include "model/mKomponents.h"

#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

// The inspector attached to a register and its stage: design mode opens
// and closes its window, written values reach the handles after the
// deferred update, and the cover menu lists and writes properties.
class TestInspectorStage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void designModeOpensAndClosesTheWindow();
    void selectingShowsTheProperties();
    void writtenBoundsMoveTheHandlesAfterTheUpdate();
    void closedWindowComesBackAtTheNextUpdate();
    void buttonRowHandsTheSelectionToTheOwner();
    void selectControlSelectsOnlyThatControl();
    void coverMenuListsTheStageProperties();
    void coverMenuClickWritesTheReturnedValue();
    void coverMenuClickRefusesIllegalValues();

private:
    int rowOf(const QString &name) const;
    void typeInto(const QString &name, const QString &value);
    QRect bottomRightHandle() const;
    // Selects control and presses the right button on it; the menu shown.
    QMenu *popUpOn(QWidget *control);
    static QStringList texts(const QMenu *menu);
    TInspectorFm *window() const { return m_inspector->window(); }

    std::unique_ptr<ComponentOwner> m_owner;
    std::unique_ptr<QWidget> m_form;
    TDsnStage *m_stage = nullptr;
    TDsnDpRegister *m_register = nullptr;
    TDsnInspector *m_inspector = nullptr;
    TmPage *m_page = nullptr;
    TmBand *m_band = nullptr;
    TmText *m_text = nullptr;
    TmText *m_text2 = nullptr;
    QStringList m_errors;
    QMenu *m_popup = nullptr;
};

void TestInspectorStage::init()
{
    m_owner = std::make_unique<ComponentOwner>();
    m_form = std::make_unique<QWidget>();
    m_form->resize(900, 700);
    m_stage = new TDsnStage(m_owner.get(), m_form.get());
    m_stage->setGeometry(0, 0, 850, 650);
    ReportStageAnswers::install(*m_stage);
    m_popup = nullptr;
    m_stage->OnPopup = [this](QMenu *menu) { m_popup = menu; };
    m_page = new TmPage(m_owner.get(), m_stage);
    m_page->setNewReportValues();
    m_page->setName(QStringLiteral("mPage1"));
    m_band = new TmBand(m_owner.get(), m_page);
    m_band->setName(QStringLiteral("mBand1"));
    m_text = new TmText(m_owner.get(), m_band);
    m_text->setName(QStringLiteral("mText1"));
    m_text->setBounds(60, 0, 100, 18);
    m_text2 = new TmText(m_owner.get(), m_band);
    m_text2->setName(QStringLiteral("mText2"));
    m_text2->setBounds(200, 18, 100, 18);

    m_register = new TDsnDpRegister(m_owner.get(), m_form.get());
    m_inspector = new TDsnInspector(m_form.get());
    ReportInspector::configure(*m_inspector);
    m_errors.clear();
    m_inspector->setErrorHandler([this](const QString &message) { m_errors.append(message); });
    m_register->setDsnStage(m_stage);
    m_register->setDsnInspector(m_inspector);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_register->SetDesigning(true);
}

void TestInspectorStage::cleanup()
{
    m_register->SetDesigning(false);
    m_form.reset();
    m_owner.reset();
}

int TestInspectorStage::rowOf(const QString &name) const
{
    for (int row = 1; row < window()->grid()->rowCount(); ++row) {
        if (window()->rowName(row) == name)
            return row;
    }
    return -1;
}

void TestInspectorStage::typeInto(const QString &name, const QString &value)
{
    QTableWidget *grid = window()->grid();
    const int row = rowOf(name);
    QVERIFY(row > 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, 1)).center());
    QCOMPARE(window()->editingName(), name);
    window()->editBox()->setText(value);
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
}

QRect TestInspectorStage::bottomRightHandle() const
{
    auto *set = dynamic_cast<THandlerRect *>(m_register->handler()->set(0));
    for (TSmallRect *handle : set->handles()) {
        if (handle->place() == THandlePlace::BottomRight)
            return handle->geometry();
    }
    return {};
}

QMenu *TestInspectorStage::popUpOn(QWidget *control)
{
    m_popup = nullptr;
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(control, Qt::RightButton, {}, QPoint(5, 5));
    return m_popup;
}

QStringList TestInspectorStage::texts(const QMenu *menu)
{
    QStringList result;
    for (QAction *action : menu->actions())
        result.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return result;
}

void TestInspectorStage::designModeOpensAndClosesTheWindow()
{
    QVERIFY(window());
    QVERIFY(window()->isVisible());
    QCOMPARE(m_inspector->stageWindow(), m_stage);
    // A tool window of the form, above it.
    QCOMPARE(window()->parentWidget(), m_form.get());
    QVERIFY(window()->isWindow());
    m_register->SetDesigning(false);
    QVERIFY(!window());
    m_register->SetDesigning(true);
    QVERIFY(window());
}

void TestInspectorStage::selectingShowsTheProperties()
{
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_register->targets()->items(), QList<QWidget *>{m_text});
    QCOMPARE(window()->grid()->rowCount(), 17);
    QCOMPARE(window()->grid()->item(rowOf(QStringLiteral("Left")), 2)->text(),
             QStringLiteral("60"));
    QTest::mouseClick(m_band, Qt::LeftButton, {}, QPoint(400, 30));
    QCOMPARE(window()->grid()->item(rowOf(QStringLiteral("TypeBand")), 2)->text(),
             QStringLiteral("Header"));
}

void TestInspectorStage::writtenBoundsMoveTheHandlesAfterTheUpdate()
{
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(5, 5));
    const QRect before = bottomRightHandle();
    QVERIFY(before.isValid());
    typeInto(QStringLiteral("Width"), QStringLiteral("160"));
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(m_text->width(), 160);
    // The handles follow once the current event has finished.
    QCOMPARE(bottomRightHandle(), before);
    QTRY_COMPARE(bottomRightHandle(), before.translated(60, 0));
}

void TestInspectorStage::closedWindowComesBackAtTheNextUpdate()
{
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(5, 5));
    window()->close();
    QVERIFY(!window()->isVisible());
    QTest::mouseClick(m_text2, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(window()->isVisible());
    QCOMPARE(window()->grid()->item(rowOf(QStringLiteral("Name")), 2)->text(),
             QStringLiteral("mText2"));
}

void TestInspectorStage::buttonRowHandsTheSelectionToTheOwner()
{
    QList<QWidget *> seen;
    QString seenName;
    m_inspector->OnBtnClick = [&](QObject *, const TSelectedComponents &targets,
                                  const QString &propName, QString &value) {
        seen = targets.items();
        seenName = propName;
        value = QStringLiteral("$FF");
    };
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(m_text2, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QCOMPARE(m_register->targets()->Count(), 2);
    QTableWidget *grid = window()->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(rowOf("Color"), 1)).center());
    QVERIFY(window()->valueButton()->isVisible());
    QVERIFY(!window()->editBox()->isEnabled());
    QTest::mouseClick(window()->valueButton(), Qt::LeftButton);
    QCOMPARE(seen, (QList<QWidget *>{m_text, m_text2}));
    QCOMPARE(seenName, QStringLiteral("Color"));
    QCOMPARE(m_text->color(), 255);
    QCOMPARE(m_text2->color(), 255);
    QTRY_COMPARE(grid->item(rowOf(QStringLiteral("Color")), 2)->text(), QStringLiteral("255"));
}

void TestInspectorStage::selectControlSelectsOnlyThatControl()
{
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(5, 5));
    m_inspector->SelectControl(m_band);
    QCOMPARE(m_register->targets()->items(), QList<QWidget *>{m_band});
    QVERIFY(rowOf(QStringLiteral("TypeBand")) > 0);
}

void TestInspectorStage::coverMenuListsTheStageProperties()
{
    m_register->SetDesigning(false);
    QMenu own;
    own.addAction(QStringLiteral("Own entry"));
    m_stage->CoverMenu = &own;
    m_stage->SelfProps = {"Caption|Te&xt", "Alignment", "Name", "TypeBand"};
    m_stage->OutProps = {"Name"};
    m_register->SetDesigning(true);

    QMenu *shown = popUpOn(m_text);
    QVERIFY(shown);
    QCOMPARE(texts(shown), (QStringList{"Own entry", "-", "Te&&xt", "Alignment", "Name"}));
    auto *caption = qobject_cast<TDsnMenuItem *>(shown->actions().at(2));
    QVERIFY(caption);
    QCOMPARE(caption->propName(), QStringLiteral("Caption"));
    QCOMPARE(caption->value(), QStringLiteral("mText1"));
    shown->hide();

    // Two selected: the out names leave; a new popup replaces the old items.
    QTest::mouseClick(m_text2, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    m_popup = nullptr;
    QTest::mousePress(m_text2, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(m_popup, shown);
    QCOMPARE(texts(shown), (QStringList{"Own entry", "-", "Te&&xt", "Alignment"}));
    shown->hide();

    m_register->SetDesigning(false);
    QCOMPARE(own.actions().size(), 1);
    m_stage->CoverMenu = nullptr;
}

void TestInspectorStage::coverMenuClickWritesTheReturnedValue()
{
    m_register->SetDesigning(false);
    m_stage->SelfProps = {"Alignment"};
    QList<QWidget *> seen;
    QString seenValue;
    m_stage->OnMenuClick = [&](QObject *, const TSelectedComponents &targets,
                               const QString &, QString &value) {
        seen = targets.items();
        seenValue = value;
        value = QStringLiteral("taCenter");
    };
    m_register->SetDesigning(true);
    QMenu *shown = popUpOn(m_text);
    QVERIFY(shown);
    QCOMPARE(texts(shown), QStringList{"Alignment"});
    shown->actions().first()->trigger();
    QCOMPARE(seen, QList<QWidget *>{m_text});
    QCOMPARE(seenValue, QStringLiteral("taLeftJustify"));
    QCOMPARE(m_text->alignment(), taCenter);
    QCOMPARE(window()->grid()->item(rowOf(QStringLiteral("Alignment")), 2)->text(),
             QStringLiteral("taCenter"));
}

void TestInspectorStage::coverMenuClickRefusesIllegalValues()
{
    m_stage->OnMenuClick = [](QObject *, const TSelectedComponents &, const QString &,
                              QString &value) { value = QStringLiteral("wide"); };
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(5, 5));
    const TDsnMenuItem item(QStringLiteral("Width"), QStringLiteral("Width"),
                            QStringLiteral("100"), nullptr);
    try {
        DsnCoverMenu::CoverMenuClick(m_stage, m_register->targets(), &item);
        QFAIL("no error raised");
    } catch (const PropertyError &error) {
        QCOMPARE(error.message(), QStringLiteral("wide is illegal (Width)"));
    }
    QCOMPARE(m_text->width(), 100);
}

QTEST_MAIN(TestInspectorStage)
#include "tst_inspectorstage.moc"
