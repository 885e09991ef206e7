// Links: kestrova_designer
#include "DesignFixture.h"

#include "designer/OutlineOverlay.h"

#include <QApplication>

// Moving selected controls on the grid: snapped displacement, move
// queries, outlines that repaint no control, positions kept inside the
// container, and outlines a lost release leaves behind.
class TestDesignMove : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void threeSiblingsMoveTogether_data();
    void threeSiblingsMoveTogether();
    void releaseAtPressRecollectsNothing();
    void moveRefusedForThePageOnly();
    void dragRepaintsNoComponent();
    void dragStaysInsideTheContainer();
    void leftoverOutlineGoesAtNextMove();
    void severalParentsDoNotMove();

private:
    void selectThree();
    DesignFixture *f = nullptr;
    CountingInspector *inspector = nullptr;
};

void TestDesignMove::init()
{
    f = new DesignFixture;
    f->build();
    inspector = new CountingInspector;
    f->reg->setDesigning(false);
    f->reg->setInspector(inspector);
    f->reg->setDesigning(true);
}

void TestDesignMove::cleanup()
{
    delete f;
    delete inspector;
    f = nullptr;
}

void TestDesignMove::selectThree()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    Gesture::click(f->text3, {5, 5}, Qt::ShiftModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->text1, f->text2, f->text3}));
}

void TestDesignMove::threeSiblingsMoveTogether_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QPoint>("displacement");

    // The difference of two snapped points, not a snapped difference.
    QTest::newRow("press at 5, release at 6") << QPoint(5, 5) << QPoint(6, 5) << QPoint(6, 0);
    QTest::newRow("within one cell") << QPoint(1, 1) << QPoint(5, 17) << QPoint(0, 0);
    QTest::newRow("one line down") << QPoint(5, 5) << QPoint(11, 18) << QPoint(6, 18);
    QTest::newRow("left across zero") << QPoint(10, 5) << QPoint(-2, 5) << QPoint(-6, 0);
    QTest::newRow("up two lines") << QPoint(5, 17) << QPoint(5, -19) << QPoint(0, -18);
}

void TestDesignMove::threeSiblingsMoveTogether()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QPoint, displacement);
    selectThree();
    const QList<QPoint> before{f->text1->pos(), f->text2->pos(), f->text3->pos()};
    Gesture::drag(f->text2, from, to);
    QCOMPARE(f->text1->pos(), before[0] + displacement);
    QCOMPARE(f->text2->pos(), before[1] + displacement);
    QCOMPARE(f->text3->pos(), before[2] + displacement);
    QCOMPARE(f->selection().size(), 3);
    QVERIFY(!f->reg->hasShape());
}

void TestDesignMove::releaseAtPressRecollectsNothing()
{
    Gesture::click(f->text1, {5, 5});
    const int recollects = inspector->recollects;
    const int updates = inspector->updates;
    Gesture::drag(f->text1, {7, 3}, {11, 17});
    QCOMPARE(f->text1->pos(), QPoint(12, 18));
    QCOMPARE(inspector->recollects, recollects);
    QCOMPARE(inspector->updates, updates + 1);
    Gesture::drag(f->text1, {7, 3}, {13, 3});
    QCOMPARE(f->text1->pos(), QPoint(18, 18));
    QCOMPARE(inspector->recollects, recollects + 1);
}

void TestDesignMove::moveRefusedForThePageOnly()
{
    // A control beside the page on the stage moves; the page stays put.
    TextItem *beside = f->addText(QStringLiteral("mText9"), QRect(600, 1000, 30, 18), f->stage);
    beside->show();
    f->reg->setDesigning(false);
    f->reg->setDesigning(true);
    Gesture::click(f->page, {5, 5});
    Gesture::click(beside, {5, 5}, Qt::ShiftModifier);
    QCOMPARE(f->selection(), (QList<QWidget *>{f->page, beside}));
    Gesture::drag(beside, {5, 5}, {17, 41});
    QCOMPARE(f->page->pos(), QPoint(0, 0));
    QCOMPARE(beside->pos(), QPoint(612, 1036));
}

namespace {

// Counts paint events of report components anywhere in the program.
class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<ReportControl *>(watched))
            ++paints;
        return false;
    }
    int paints = 0;
};

} // namespace

void TestDesignMove::dragRepaintsNoComponent()
{
    QList<TextItem *> items{f->text1, f->text2, f->text3};
    for (int i = 0; i < 60; ++i) {
        TextItem *text = f->addText(QStringLiteral("many%1").arg(i),
                                    QRect(12 + (i % 10) * 60, 40 + (i / 10) * 10, 50, 10));
        text->show();
    }
    f->reg->setDesigning(false);
    f->reg->setDesigning(true);
    Gesture::drag(f->detail, {2, 2}, {f->detail->width() - 2, f->detail->height() - 2},
                  Qt::ControlModifier);
    QCOMPARE(f->selection().size(), 64);
    QApplication::processEvents();

    PaintCounter counter;
    qApp->installEventFilter(&counter);
    Gesture::press(f->text2, {5, 5});
    for (int step = 1; step <= 10; ++step)
        Gesture::move(f->text2, {5 + step * 7, 5 + step * 3});
    OutlineOverlay *overlay = f->stage->outlineOverlay();
    QVERIFY(overlay->isVisible());
    QCOMPARE(counter.paints, 0);
    const QPoint before = f->text1->pos();
    Gesture::release(f->text2, {75, 35});
    qApp->removeEventFilter(&counter);
    QVERIFY(!overlay->isVisible());
    QCOMPARE(f->text1->pos(), before + QPoint(72, 18));
}

void TestDesignMove::dragStaysInsideTheContainer()
{
    Gesture::click(f->text1, {5, 5});
    const QPoint outside =
        f->text1->mapFrom(f->window.get(), QPoint(f->window->width() - 1, f->window->height() - 1));
    Gesture::drag(f->text1, {5, 5}, outside);
    // The pointer counts as held at the band's last pixel, 763, 107 (the
    // band is 764 x 108), which is 751, 89 in the item at 12, 18: snapped
    // with steps 6 and 18 that is 750, 72 from the press at 5, 5 (snapped
    // 0, 0), so the item lands at 12 + 750, 18 + 72.
    QCOMPARE(f->detail->size(), QSize(764, 108));
    QCOMPARE(f->text1->pos(), QPoint(762, 90));
    QVERIFY(f->detail->rect().contains(f->text1->pos()));
}

void TestDesignMove::leftoverOutlineGoesAtNextMove()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::press(f->text1, {5, 5});
    Gesture::move(f->text1, {30, 30});
    Gesture::release(f->text1, {30, 30}, Qt::ShiftModifier);
    QCOMPARE(f->text1->pos(), QPoint(12, 18));
    QVERIFY(f->reg->hasShape());
    QTest::mouseMove(f->text1, {31, 10});
    QVERIFY(!f->reg->hasShape());
    QVERIFY(!f->stage->outlineOverlay()->isVisible());
}

void TestDesignMove::severalParentsDoNotMove()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->header, {300, 10}, Qt::ShiftModifier);
    // A press on a selected control of a mixed selection selects it alone
    // and moves it.
    Gesture::drag(f->text1, {5, 5}, {17, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{f->text1});
    QCOMPARE(f->text1->pos(), QPoint(24, 18));
}

QTEST_MAIN(TestDesignMove)
#include "tst_designmove.moc"
