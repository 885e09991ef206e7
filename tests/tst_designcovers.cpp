// Links: kestrova_designer
#include "DesignFixture.h"

#include "designer/Cover.h"

#include <QLabel>
#include <QMenu>

// Covers: which controls design mode covers, foreign child widgets that
// let the pointer through, double clicks, focus, controls that still take
// their presses, and covers of controls that go away.
class TestDesignCovers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void designModeCoversOwnedWindowedControls();
    void coverQueryAnswers();
    void foreignChildLetsThePointerThrough();
    void laterForeignChildIsMadeTransparent();
    void doubleClickNamesThePressedControl();
    void focusStaysOnTheStage();
    void designHitTestKeepsTheControlsPress();
    void coverOfADestroyedControlIsFreed();
    void coverMenuBorrowsTheStagesItems();

private:
    DesignFixture *f = nullptr;
};

void TestDesignCovers::init()
{
    f = new DesignFixture;
    f->build();
}

void TestDesignCovers::cleanup()
{
    delete f;
    f = nullptr;
}

void TestDesignCovers::designModeCoversOwnedWindowedControls()
{
    QList<const QObject *> covered;
    for (Cover *cover : f->reg->covers())
        covered.append(cover->control());
    QCOMPARE(covered, (QList<const QObject *>{f->stage, f->page, f->detail, f->text3, f->text2,
                                              f->text1, f->header}));
    QVERIFY(f->text1->hasMouseTracking());
    f->reg->setDesigning(false);
    QVERIFY(f->reg->covers().isEmpty());
    QVERIFY(!f->text1->hasMouseTracking());
    QVERIFY(!f->text1->testAttribute(Qt::WA_SetCursor));
}

void TestDesignCovers::coverQueryAnswers()
{
    f->reg->setDesigning(false);
    QList<QWidget *> asked;
    f->policy->coverQuery = [&](QWidget *component, CoverAnswer &answer) {
        asked.append(component);
        if (component == f->page)
            answer = caChildren;
        else if (component == f->header)
            answer = caSkip;
    };
    f->reg->setDesigning(true);
    QVERIFY(!f->reg->coverOf(f->page));
    QVERIFY(!f->reg->coverOf(f->header));
    QVERIFY(f->reg->coverOf(f->detail));
    QVERIFY(f->reg->coverOf(f->text1));
    QCOMPARE(asked.first(), f->stage);
    // A control the query will not cover cannot be selected by a program.
    QVERIFY(!f->reg->canSelectControl(f->page));
    QVERIFY(f->reg->canSelectControl(f->code));
}

void TestDesignCovers::foreignChildLetsThePointerThrough()
{
    f->reg->setDesigning(false);
    auto *label = new QLabel(QStringLiteral("inner"), f->detail);
    label->setGeometry(400, 40, 80, 30);
    label->show();
    f->reg->setDesigning(true);
    QVERIFY(label->testAttribute(Qt::WA_TransparentForMouseEvents));
    Gesture::click(label, {10, 10});
    QCOMPARE(f->selection(), QList<QWidget *>{f->detail});
    f->reg->setDesigning(false);
    QVERIFY(!label->testAttribute(Qt::WA_TransparentForMouseEvents));
}

void TestDesignCovers::laterForeignChildIsMadeTransparent()
{
    auto *label = new QLabel(QStringLiteral("late"), f->text1);
    label->setGeometry(0, 0, 20, 10);
    label->show();
    QVERIFY(!label->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCoreApplication::processEvents();
    QVERIFY(label->testAttribute(Qt::WA_TransparentForMouseEvents));
    Gesture::click(label, {5, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{f->text1});
}

void TestDesignCovers::doubleClickNamesThePressedControl()
{
    QList<QWidget *> opened;
    QObject::connect(f->stage, &DesignStage::coverDoubleClicked, f->stage,
                     [&](QWidget *component) { opened.append(component); });
    QTest::mouseDClick(f->code, Qt::LeftButton, {}, {5, 5});
    QTest::mouseDClick(f->text2, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(opened, (QList<QWidget *>{f->code, f->text2}));
}

void TestDesignCovers::focusStaysOnTheStage()
{
    f->text1->setFocusPolicy(Qt::StrongFocus);
    f->text1->setFocus();
    QVERIFY(f->stage->hasFocus());
    Gesture::click(f->text2, {5, 5});
    QVERIFY(f->stage->hasFocus());
}

namespace {

class PressedText : public TextItem
{
public:
    using TextItem::TextItem;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

} // namespace

void TestDesignCovers::designHitTestKeepsTheControlsPress()
{
    f->reg->setDesigning(false);
    auto *plain = new PressedText(&f->owner, f->detail);
    plain->setBounds(400, 18, 40, 18);
    auto *reacting = new PressedText(&f->owner, f->detail);
    reacting->setBounds(500, 18, 40, 18);
    reacting->setProperty("designHitTest", true);
    plain->show();
    reacting->show();
    f->reg->setDesigning(true);
    Gesture::click(plain, {5, 5});
    QCOMPARE(plain->presses, 0);
    QCOMPARE(f->selection(), QList<QWidget *>{plain});
    Gesture::click(reacting, {5, 5});
    QCOMPARE(reacting->presses, 1);
    QCOMPARE(f->selection(), QList<QWidget *>{reacting});
}

void TestDesignCovers::coverOfADestroyedControlIsFreed()
{
    QPointer<Cover> cover = f->reg->coverOf(f->text2);
    QVERIFY(cover);
    delete f->text2;
    f->text2 = nullptr;
    QVERIFY(cover);
    QVERIFY(cover->isReleased());
    QVERIFY(!f->reg->covers().contains(cover));
    QCoreApplication::processEvents();
    QVERIFY(!cover);
}

void TestDesignCovers::coverMenuBorrowsTheStagesItems()
{
    f->reg->setDesigning(false);
    QMenu stageMenu;
    QAction *first = stageMenu.addAction(QStringLiteral("First"));
    QAction *second = stageMenu.addAction(QStringLiteral("Second"));
    f->stage->coverMenu = &stageMenu;
    QMenu *popped = nullptr;
    QObject::connect(f->stage, &DesignStage::coverMenuAboutToPopup, f->stage,
                     [&](QMenu *menu) { popped = menu; });
    f->reg->setDesigning(true);
    QVERIFY(stageMenu.actions().isEmpty());
    Gesture::press(f->text1, {5, 5}, {}, Qt::RightButton);
    Gesture::release(f->text1, {5, 5}, {}, Qt::RightButton);
    QVERIFY(popped);
    QCOMPARE(popped->actions().mid(0, 2), (QList<QAction *>{first, second}));
    QCOMPARE(f->selection(), QList<QWidget *>{f->text1});
    popped->close();
    f->reg->setDesigning(false);
    QCOMPARE(stageMenu.actions(), (QList<QAction *>{first, second}));
}

QTEST_MAIN(TestDesignCovers)
#include "tst_designcovers.moc"
