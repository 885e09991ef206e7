// Links: kestrova_designer
#include "DesignFixture.h"

#include "designer/DesignMessages.h"
#include "designer/DesignSwitch.h"
#include "designer/InspectorBase.h"
#include "designer/SelectionPartner.h"

// Selection on the design stage: presses, Shift toggling, the rubber band,
// right presses, the select query, programmatic selection and the
// selection partner.
class TestDesignSelect : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void destroyedReceiverStopsListening();
    void pressSelectsOnlyTheControl();
    void shiftTogglesWithoutMoving();
    void pressOnSelectedKeepsSelection();
    void refusedPressChangesNothing();
    void rubberBand_data();
    void rubberBand();
    void ctrlPressOnItemBandsItsSiblings();
    void rightPress();
    void codeBlockIsFoundUnderThePointer();
    void partnerMirrorsTheSelection();
    void partnerSelectsOnlyOnStage();
    void inspectorSelectsThroughTheCover();
    void designModeTwiceFiresNothing();
    void switchTogglesDesignMode();
    void destroyedControlLeavesTheSelection();

private:
    DesignFixture *f = nullptr;
};

void TestDesignSelect::init()
{
    f = new DesignFixture;
    f->build();
}

void TestDesignSelect::cleanup()
{
    delete f;
    f = nullptr;
}

namespace {

// A receiver that records what it is told.
class Recorder : public SelectionReceiver
{
public:
    void forgetTarget(int index) override { log << QStringLiteral("nil%1").arg(index); }
    void addTarget(QWidget *control) override
    {
        log << QStringLiteral("add ") + control->objectName();
    }
    void clearTargets() override { log << QStringLiteral("clear"); }
    void removeTarget(int index) override { log << QStringLiteral("delete%1").arg(index); }
    void refreshTargets() override { log << QStringLiteral("update"); }
    QStringList log;
};

} // namespace

void TestDesignSelect::destroyedReceiverStopsListening()
{
    SelectionList list;
    Recorder first;
    {
        Recorder second;
        first.listenTo(&list);
        second.listenTo(&list);
        list.addTarget(f->text1);
        QCOMPARE(second.log, QStringList{"add mText1"});
    }
    // The destroyed receiver was disconnected; the list goes on with the rest.
    list.addTarget(f->text2);
    list.forgetTarget(0);
    QCOMPARE(list.at(0), nullptr);
    list.removeTarget(0);
    list.refreshTargets();
    list.clearTargets();
    QCOMPARE(first.log,
             (QStringList{"add mText1", "add mText2", "nil0", "delete0", "update", "clear"}));
    QCOMPARE(list.at(5), nullptr);
    QCOMPARE(list.indexOf(f->text1), -1);
}

void TestDesignSelect::pressSelectsOnlyTheControl()
{
    Gesture::click(f->text1, {5, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{f->text1});
    Gesture::click(f->text2, {5, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{f->text2});
    Gesture::click(f->detail, {400, 90});
    QCOMPARE(f->selection(), QList<QWidget *>{f->detail});
    QVERIFY(f->stage->hasFocus());
}

void TestDesignSelect::shiftTogglesWithoutMoving()
{
    const QRect before = f->text3->geometry();
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    // Another parent joins as well: Shift adds whatever is pressed.
    Gesture::click(f->header, {300, 10}, Qt::ShiftModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2, f->header}));
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->header}));
    Gesture::press(f->text3, {5, 5}, Qt::ShiftModifier);
    Gesture::move(f->text3, {40, 30});
    Gesture::release(f->text3, {40, 30}, Qt::ShiftModifier);
    QCOMPARE(f->text3->geometry(), before);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->header, f->text3}));
}

void TestDesignSelect::pressOnSelectedKeepsSelection()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    Gesture::click(f->text2, {5, 5});
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2}));
    // Selected controls of different parents: a press starts afresh.
    Gesture::click(f->header, {300, 10}, Qt::ShiftModifier);
    Gesture::click(f->text1, {5, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{f->text1});
}

void TestDesignSelect::refusedPressChangesNothing()
{
    Gesture::click(f->text1, {5, 5});
    f->policy->selectQuery = [this](QObject *, QWidget *component, SelectAnswer &answer) {
        if (component == f->text2)
            answer = saPlace;
    };
    const QRect before = f->text2->geometry();
    Gesture::drag(f->text2, {5, 5}, {40, 40});
    QCOMPARE(f->selection(), QList<QWidget *>{f->text1});
    QCOMPARE(f->text2->geometry(), before);
}

void TestDesignSelect::rubberBand_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QStringList>("selected");

    // In stage coordinates; the page covers the stage, so a band drawn on
    // the stage's area starts on the page: Ctrl runs the band there.
    QTest::newRow("zero width empties") << QPoint(10, 300) << QPoint(10, 400) << QStringList();
    QTest::newRow("zero height empties") << QPoint(10, 300) << QPoint(600, 300) << QStringList();
}

void TestDesignSelect::rubberBand()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QStringList, selected);
    Gesture::click(f->text1, {5, 5});
    Gesture::drag(f->page, from, to, Qt::ControlModifier);
    QStringList names;
    for (QWidget *control : f->selection())
        names << control->objectName();
    QCOMPARE(names, selected);
}

void TestDesignSelect::ctrlPressOnItemBandsItsSiblings()
{
    // From inside text1 across text2 and into text3's columns: the band runs
    // in the detail band, in band coordinates, and takes direct children only.
    Gesture::drag(f->text1, {20, 2}, {20 + 150, 2 + 40}, Qt::ControlModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2, f->text3}));

    // Drawn on the page over both bands, it selects the bands, not their items.
    const QPoint onPage(5, f->header->y() + 5);
    Gesture::drag(f->page, onPage, onPage + QPoint(100, f->header->height() + 20),
                  Qt::ControlModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->header, f->detail}));

    // A code block counts, before windowed controls (child order).
    Gesture::drag(f->detail, {150, 20}, {320, 80}, Qt::ControlModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->code, f->text3}));
}

void TestDesignSelect::rightPress()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    Gesture::press(f->text2, {5, 5}, {}, Qt::RightButton);
    Gesture::release(f->text2, {5, 5}, {}, Qt::RightButton);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2}));
    Gesture::press(f->text3, {5, 5}, {}, Qt::RightButton);
    Gesture::release(f->text3, {5, 5}, {}, Qt::RightButton);
    QCOMPARE(f->selection(), QList<QWidget *>{f->text3});
    // The stage is never selected by a right press; a left press on its
    // empty area is a rubber band of no size, which empties the selection.
    f->window->resize(f->window->width() + 60, f->window->height());
    f->stage->resize(f->stage->width() + 40, f->stage->height());
    const QPoint empty(f->page->width() + 20, 10);
    Gesture::press(f->stage, empty, {}, Qt::RightButton);
    Gesture::release(f->stage, empty, {}, Qt::RightButton);
    QCOMPARE(f->selection(), QList<QWidget *>{f->text3});
    Gesture::click(f->stage, empty);
    QVERIFY(f->selection().isEmpty());
}

void TestDesignSelect::codeBlockIsFoundUnderThePointer()
{
    Gesture::click(f->code, {5, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{f->code});
    // A non-windowed control of another owner selects its windowed parent.
    ComponentOwner stranger;
    auto *foreign = new CodeBlock(&stranger, f->detail);
    foreign->setBounds(400, 54, 60, 18);
    foreign->show();
    Gesture::click(foreign, {5, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{f->detail});
    delete foreign;
}

void TestDesignSelect::partnerMirrorsTheSelection()
{
    f->reg->setDesigning(false);
    SelectionPartner partner;
    partner.setDesignRegister(f->reg);
    QList<QPair<int, int>> changes;
    QObject::connect(&partner, &SelectionPartner::selectionChanged, &partner,
                     [&](const SelectedComponents &targets, SelectOperation operation) {
                         changes.append({operation, targets.count()});
                     });
    f->reg->setDesigning(true);
    QVERIFY(partner.designing());
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    Gesture::click(f->text1, {5, 5}, Qt::ShiftModifier);
    QCOMPARE(changes, (QList<QPair<int, int>>{{soAdded, 1}, {soAdded, 2}, {soDeleted, 1}}));
    changes.clear();
    delete f->text2;
    f->text2 = nullptr;
    QCOMPARE(changes, (QList<QPair<int, int>>{{soReleased, 1}, {soDeleted, 0}}));
    f->reg->setDesigning(false);
    QVERIFY(!partner.designing());
}

void TestDesignSelect::partnerSelectsOnlyOnStage()
{
    SelectionPartner partner;
    partner.setDesignRegister(f->reg);
    partner.selectComponent(f->text2);
    QVERIFY(f->selection().isEmpty()); // the partner joined after design mode started
    f->reg->setDesigning(false);
    f->reg->setDesigning(true);
    partner.selectComponent(f->text2);
    QCOMPARE(f->selection(), QList<QWidget *>{f->text2});
    TextItem offStage(&f->owner, nullptr);
    partner.selectComponent(&offStage);
    QCOMPARE(f->selection(), QList<QWidget *>{f->text2});
    // A list is selected whole once one entry may be selected.
    partner.selectComponents({&offStage, f->text1, f->text3});
    QCOMPARE(f->selection(), (QList<QWidget *>{&offStage, f->text1, f->text3}));
    f->reg->clearSelection();
    f->policy->selectQuery = [](QObject *sender, QWidget *, SelectAnswer &answer) {
        QVERIFY(qobject_cast<DesignRegister *>(sender));
        answer = saPlace;
    };
    partner.selectComponents({f->text1, f->text3});
    QVERIFY(f->selection().isEmpty());
}

void TestDesignSelect::inspectorSelectsThroughTheCover()
{
    CountingInspector inspector;
    f->reg->setDesigning(false);
    f->reg->setInspector(&inspector);
    f->reg->setDesigning(true);
    QCOMPARE(inspector.opened, 1);
    QCOMPARE(inspector.stageWindow(), f->stage);
    inspector.selectControl(f->code);
    QCOMPARE(f->selection(), QList<QWidget *>{f->code});
    inspector.selectControl(f->text3);
    QCOMPARE(f->selection(), QList<QWidget *>{f->text3});
    f->reg->setDesigning(false);
    QCOMPARE(inspector.closed, 1);
    QVERIFY(!f->reg->targets());
}

void TestDesignSelect::designModeTwiceFiresNothing()
{
    CountingInspector inspector;
    int designChanges = 0;
    struct Counter : DesignPartner
    {
        int *count;
        void designChanged(bool value) override
        {
            DesignPartner::designChanged(value);
            ++*count;
        }
    } partner;
    partner.count = &designChanges;
    f->reg->setInspector(&inspector);
    partner.setDesignRegister(f->reg);
    const int covers = int(f->reg->covers().size());
    f->reg->setDesigning(true);
    QCOMPARE(designChanges, 0);
    QCOMPARE(inspector.opened, 0);
    QCOMPARE(int(f->reg->covers().size()), covers);
    f->reg->setDesigning(false);
    f->reg->setDesigning(false);
    QCOMPARE(designChanges, 1);
    QCOMPARE(inspector.closed, 0); // its own flag was never set
    QVERIFY(f->reg->covers().isEmpty());
    QVERIFY(!f->palette->arrowButton()->isEnabled());
}

void TestDesignSelect::switchTogglesDesignMode()
{
    f->reg->setDesigning(false);
    DesignSwitch button;
    button.setDesignRegister(f->reg);
    QList<bool> switched;
    connect(&button, &DesignSwitch::switched, this, [&](bool on) { switched.append(on); });
    button.switchOn();
    QVERIFY(button.isChecked() && f->reg->designing());
    button.switchOn();
    button.click();
    QVERIFY(!button.isChecked() && !f->reg->designing());
    button.switchOff();
    QCOMPARE(switched, (QList<bool>{true, false}));
    QCOMPARE(button.startMessage, QStringLiteral("Now, Starting Design"));
}

void TestDesignSelect::destroyedControlLeavesTheSelection()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->header, {300, 10}, Qt::ShiftModifier);
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    delete f->header;
    f->header = nullptr;
    // What remains has two parents no more: text1 and text2 stay.
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2}));
    Gesture::click(f->detail, {400, 90}, Qt::ShiftModifier);
    delete f->text1;
    f->text1 = nullptr;
    // text2 and the detail band have different parents: the selection empties.
    QVERIFY(f->selection().isEmpty());
}

QTEST_MAIN(TestDesignSelect)
#include "tst_designselect.moc"
