// Links: kestrova_designer
#include "DesignFixture.h"

#include "designer/DsnCoverMenu.h"
#include "designer/DsnHandle.h"
#include "designer/DsnInspector.h"
#include "designer/DsnPropInfo.h"
#include "designer/DsnReportInspector.h"
#include "designer/InspectorFm.h"

#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>

#include <memory>

namespace {

// A press point inside a control that no handle covers.
QPoint inside(const QWidget *control)
{
    return control->rect().center();
}

} // namespace

// The inspector attached, with the report window's configuration, to the
// register of a design stage: design mode opens and closes its window,
// written values reach the handles after the deferred update, and the
// cover menu lists and writes properties.
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
    void click(QWidget *control, Qt::KeyboardModifiers modifiers = {});
    int rowOf(const QString &name) const;
    void pressRow(const QString &name);
    void typeInto(const QString &name, const QString &value);
    QRect bottomRightHandle() const;
    // Selects control and presses the right button on it; the menu shown.
    QMenu *popUpOn(QWidget *control);
    void rightClick(QWidget *control);
    static QStringList texts(const QMenu *menu);
    TInspectorFm *window() const { return m_inspector->window(); }

    std::unique_ptr<DesignFixture> f;
    TDsnInspector *m_inspector = nullptr;
    QStringList m_errors;
    QMenu *m_popup = nullptr;
};

void TestInspectorStage::init()
{
    f = std::make_unique<DesignFixture>();
    f->build();
    f->reg->SetDesigning(false);
    m_inspector = new TDsnInspector(f->window.get());
    ReportInspector::configure(*m_inspector);
    m_errors.clear();
    m_inspector->setErrorHandler([this](const QString &message) { m_errors.append(message); });
    f->reg->setDsnInspector(m_inspector);
    m_popup = nullptr;
    f->stage->OnPopup = [this](QMenu *menu) { m_popup = menu; };
    f->reg->SetDesigning(true);
}

void TestInspectorStage::cleanup()
{
    if (m_popup)
        m_popup->hide();
    f.reset();
}

void TestInspectorStage::click(QWidget *control, Qt::KeyboardModifiers modifiers)
{
    Gesture::click(control, inside(control), modifiers);
}

int TestInspectorStage::rowOf(const QString &name) const
{
    for (int row = 1; row < window()->grid()->rowCount(); ++row) {
        if (window()->rowName(row) == name)
            return row;
    }
    return -1;
}

void TestInspectorStage::pressRow(const QString &name)
{
    QTableWidget *grid = window()->grid();
    const int row = rowOf(name);
    QVERIFY(row > 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, 1)).center());
    QCOMPARE(window()->editingName(), name);
}

void TestInspectorStage::typeInto(const QString &name, const QString &value)
{
    pressRow(name);
    window()->editBox()->setText(value);
    QTest::keyClick(window()->editBox(), Qt::Key_Return);
}

QRect TestInspectorStage::bottomRightHandle() const
{
    auto *set = dynamic_cast<THandlerRect *>(f->reg->handler()->set(0));
    for (TSmallRect *handle : set->handles()) {
        if (handle->place() == THandlePlace::BottomRight)
            return handle->geometry();
    }
    return {};
}

QMenu *TestInspectorStage::popUpOn(QWidget *control)
{
    if (m_popup)
        m_popup->hide();
    m_popup = nullptr;
    click(control);
    rightClick(control);
    return m_popup;
}

void TestInspectorStage::rightClick(QWidget *control)
{
    Gesture::press(control, inside(control), {}, Qt::RightButton);
    Gesture::release(control, inside(control), {}, Qt::RightButton);
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
    QCOMPARE(m_inspector->stageWindow(), f->stage);
    // A tool window of the form, above it.
    QCOMPARE(window()->parentWidget(), f->window.get());
    QVERIFY(window()->isWindow());
    f->reg->SetDesigning(false);
    QVERIFY(!window());
    f->reg->SetDesigning(true);
    QVERIFY(window());
}

void TestInspectorStage::selectingShowsTheProperties()
{
    click(f->text1);
    QCOMPARE(f->selection(), QList<QWidget *>{f->text1});
    QCOMPARE(window()->grid()->rowCount(), 17);
    QCOMPARE(window()->grid()->item(rowOf(QStringLiteral("Left")), 2)->text(),
             QStringLiteral("12"));
    Gesture::click(f->detail, QPoint(400, 80));
    QCOMPARE(f->selection(), QList<QWidget *>{f->detail});
    QCOMPARE(window()->grid()->item(rowOf(QStringLiteral("TypeBand")), 2)->text(),
             QStringLiteral("Detail"));
}

void TestInspectorStage::writtenBoundsMoveTheHandlesAfterTheUpdate()
{
    click(f->text1);
    const QRect before = bottomRightHandle();
    QVERIFY(before.isValid());
    typeInto(QStringLiteral("Width"), QStringLiteral("160"));
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(f->text1->width(), 160);
    // The handles follow once the current event has finished.
    QCOMPARE(bottomRightHandle(), before);
    QTRY_COMPARE(bottomRightHandle(), before.translated(100, 0));
}

void TestInspectorStage::closedWindowComesBackAtTheNextUpdate()
{
    click(f->text1);
    window()->close();
    QVERIFY(!window()->isVisible());
    click(f->text2);
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
    click(f->text1);
    click(f->text2, Qt::ShiftModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2}));
    pressRow(QStringLiteral("Color"));
    QVERIFY(window()->valueButton()->isVisible());
    QVERIFY(!window()->editBox()->isEnabled());
    QTest::mouseClick(window()->valueButton(), Qt::LeftButton);
    QCOMPARE(seen, (QList<QWidget *>{f->text1, f->text2}));
    QCOMPARE(seenName, QStringLiteral("Color"));
    QCOMPARE(f->text1->color(), 255);
    QCOMPARE(f->text2->color(), 255);
    QTRY_COMPARE(window()->grid()->item(rowOf(QStringLiteral("Color")), 2)->text(),
                 QStringLiteral("255"));
}

void TestInspectorStage::selectControlSelectsOnlyThatControl()
{
    click(f->text1);
    m_inspector->SelectControl(f->code);
    QCOMPARE(f->selection(), QList<QWidget *>{f->code});
    QVERIFY(rowOf(QStringLiteral("Code")) > 0);
}

void TestInspectorStage::coverMenuListsTheStageProperties()
{
    f->reg->SetDesigning(false);
    QMenu own;
    own.addAction(QStringLiteral("Own entry"));
    f->stage->CoverMenu = &own;
    f->stage->SelfProps = {"Caption|Te&xt", "Alignment", "Name", "TypeBand"};
    f->stage->OutProps = {"Name"};
    f->reg->SetDesigning(true);

    QMenu *shown = popUpOn(f->text1);
    QVERIFY(shown);
    QCOMPARE(texts(shown), (QStringList{"Own entry", "-", "Te&&xt", "Alignment", "Name"}));
    auto *caption = qobject_cast<TDsnMenuItem *>(shown->actions().at(2));
    QVERIFY(caption);
    QCOMPARE(caption->propName(), QStringLiteral("Caption"));
    QCOMPARE(caption->value(), QStringLiteral("mText1"));
    shown->hide();

    // Two selected: the out names leave; a new popup replaces the old items.
    click(f->text2, Qt::ShiftModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2}));
    m_popup = nullptr;
    rightClick(f->text2);
    QCOMPARE(m_popup, shown);
    QCOMPARE(texts(shown), (QStringList{"Own entry", "-", "Te&&xt", "Alignment"}));
    shown->hide();
    m_popup = nullptr;

    f->reg->SetDesigning(false);
    QCOMPARE(own.actions().size(), 1);
    f->stage->CoverMenu = nullptr;
}

void TestInspectorStage::coverMenuClickWritesTheReturnedValue()
{
    f->reg->SetDesigning(false);
    f->stage->SelfProps = {"Alignment"};
    QList<QWidget *> seen;
    QString seenValue;
    f->stage->OnMenuClick = [&](QObject *, const TSelectedComponents &targets,
                                const QString &, QString &value) {
        seen = targets.items();
        seenValue = value;
        value = QStringLiteral("taCenter");
    };
    f->reg->SetDesigning(true);
    QMenu *shown = popUpOn(f->text1);
    QVERIFY(shown);
    QCOMPARE(texts(shown), QStringList{"Alignment"});
    shown->actions().first()->trigger();
    QCOMPARE(seen, QList<QWidget *>{f->text1});
    QCOMPARE(seenValue, QStringLiteral("taLeftJustify"));
    QCOMPARE(f->text1->alignment(), taCenter);
    QCOMPARE(window()->grid()->item(rowOf(QStringLiteral("Alignment")), 2)->text(),
             QStringLiteral("taCenter"));
}

void TestInspectorStage::coverMenuClickRefusesIllegalValues()
{
    f->stage->OnMenuClick = [](QObject *, const TSelectedComponents &, const QString &,
                               QString &value) { value = QStringLiteral("wide"); };
    click(f->text1);
    const TDsnMenuItem item(QStringLiteral("Width"), QStringLiteral("Width"),
                            QStringLiteral("60"), nullptr);
    try {
        DsnCoverMenu::CoverMenuClick(f->stage, f->reg->targets(), &item);
        QFAIL("no error raised");
    } catch (const PropertyError &error) {
        QCOMPARE(error.message(), QStringLiteral("wide is illegal (Width)"));
    }
    QCOMPARE(f->text1->width(), 60);
}

QTEST_MAIN(TestInspectorStage)
#include "tst_inspectorstage.moc"
