// Links: kestrova_designer
#include "DesignFixture.h"

#include "designer/MarkerManager.h"
#include "designer/OutlineOverlay.h"
#include "designer/ResizeHandle.h"

#include <QImage>

// Handles and marks: where the handles of a selected control sit, how
// dragging one resizes the control on the grid, and the grey marks of
// several selected controls.
class TestDesignHandles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eightHandlesForOne();
    void marksForTwoAndHandlesBack();
    void aControlListedTwiceGetsOneSet();
    void marksArePainted();
    void handlesFollowAMove();
    void bottomMiddleHandle_data();
    void bottomMiddleHandle();
    void topLeftHandleFlipsThePastCorner();
    void everyHandleMovesItsOwnEdges_data();
    void everyHandleMovesItsOwnEdges();
    void resizeRecollectsTheInspector();

private:
    QList<ResizeHandle *> handlesIn(QWidget *parent) const;
    ResizeHandle *handle(HandlePlace place) const;
    DesignFixture *f = nullptr;
};

void TestDesignHandles::init()
{
    f = new DesignFixture;
    f->build();
}

void TestDesignHandles::cleanup()
{
    delete f;
    f = nullptr;
}

QList<ResizeHandle *> TestDesignHandles::handlesIn(QWidget *parent) const
{
    return parent->findChildren<ResizeHandle *>(Qt::FindDirectChildrenOnly);
}

ResizeHandle *TestDesignHandles::handle(HandlePlace place) const
{
    for (ResizeHandle *candidate : handlesIn(f->detail)) {
        if (candidate->place() == place)
            return candidate;
    }
    return nullptr;
}

void TestDesignHandles::eightHandlesForOne()
{
    Gesture::click(f->text2, {5, 5});
    const QList<ResizeHandle *> handles = handlesIn(f->detail);
    QCOMPARE(handles.size(), 8);
    // text2 is 84, 18, 60 x 18; handles are 6 x 6 and reach 2 pixels outside.
    struct Expected
    {
        HandlePlace place;
        QPoint position;
        Qt::CursorShape cursor;
    };
    const QList<Expected> expected{
        {HandlePlace::BottomRight, {140, 32}, Qt::SizeFDiagCursor},
        {HandlePlace::TopRight, {140, 16}, Qt::SizeBDiagCursor},
        {HandlePlace::TopLeft, {82, 16}, Qt::SizeFDiagCursor},
        {HandlePlace::BottomLeft, {82, 32}, Qt::SizeBDiagCursor},
        {HandlePlace::TopMiddle, {111, 16}, Qt::SizeVerCursor},
        {HandlePlace::BottomMiddle, {111, 32}, Qt::SizeVerCursor},
        {HandlePlace::MiddleRight, {140, 24}, Qt::SizeHorCursor},
        {HandlePlace::MiddleLeft, {82, 24}, Qt::SizeHorCursor},
    };
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(handles.at(i)->place(), expected.at(i).place);
        QCOMPARE(handles.at(i)->geometry(), QRect(expected.at(i).position, QSize(6, 6)));
        QCOMPARE(handles.at(i)->cursor().shape(), expected.at(i).cursor);
        QVERIFY(handles.at(i)->isVisible());
    }
    QVERIFY(!f->reg->paintsMarks());
}

void TestDesignHandles::marksForTwoAndHandlesBack()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->text2, {5, 5}, Qt::ShiftModifier);
    QVERIFY(handlesIn(f->detail).isEmpty());
    QVERIFY(f->reg->paintsMarks());
    Gesture::click(f->text1, {5, 5}, Qt::ShiftModifier);
    QCOMPARE(f->selection(), QList<QWidget *>{f->text2});
    const QList<ResizeHandle *> handles = handlesIn(f->detail);
    QCOMPARE(handles.size(), 8);
    QCOMPARE(handles.first()->control(), f->text2);
    QVERIFY(!f->reg->paintsMarks());
}

void TestDesignHandles::aControlListedTwiceGetsOneSet()
{
    SelectionList *selection = f->reg->ensureSelectionList();
    selection->clearTargets();
    selection->addTarget(f->text1);
    selection->addTarget(f->text2);
    selection->addTarget(f->text1);
    QCOMPARE(f->reg->handler()->count(), 2);
    // A cleared selection forgets its controls: they get sets again.
    selection->clearTargets();
    selection->addTarget(f->text2);
    selection->addTarget(f->text1);
    QCOMPARE(f->reg->handler()->count(), 2);
    QCOMPARE(f->reg->handler()->set(1)->control(), f->text1);
}

void TestDesignHandles::marksArePainted()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::click(f->code, {5, 5}, Qt::ShiftModifier);
    // The marks sit inside the corners, over what the control painted.
    const QImage text = f->text1->grab().toImage();
    const QColor grey(0x80, 0x80, 0x80);
    QCOMPARE(text.pixelColor(0, 0), grey);
    QCOMPARE(text.pixelColor(59, 17), grey);
    QCOMPARE(text.pixelColor(5, 5), grey);
    QVERIFY(text.pixelColor(6, 6) != grey);
    // A code block has no window: its parent paints its marks.
    const QImage band = f->detail->grab(f->code->geometry()).toImage();
    QCOMPARE(band.pixelColor(0, 0), grey);
    QCOMPARE(band.pixelColor(59, 0), grey);
    f->reg->clearSelection();
    QVERIFY(f->text1->grab().toImage().pixelColor(0, 0) != grey);
}

void TestDesignHandles::handlesFollowAMove()
{
    Gesture::click(f->text1, {5, 5});
    Gesture::drag(f->text1, {5, 5}, {17, 23});
    QCOMPARE(f->text1->pos(), QPoint(24, 36));
    QCOMPARE(handle(HandlePlace::TopLeft)->pos(), QPoint(22, 34));
    QCOMPARE(handle(HandlePlace::BottomRight)->pos(), QPoint(24 + 60 - 4, 36 + 18 - 4));
}

void TestDesignHandles::bottomMiddleHandle_data()
{
    QTest::addColumn<int>("releaseY");
    QTest::addColumn<int>("height");

    // Positions in the handle, whose top lies 4 pixels above the bottom edge.
    QTest::newRow("17 below: no change") << 17 << 18;
    QTest::newRow("18 below the top") << 18 << 36;
    QTest::newRow("37 below") << 37 << 54;
    QTest::newRow("17 above: no change") << -17 << 18;
    QTest::newRow("18 above") << -18 << 0;
}

void TestDesignHandles::bottomMiddleHandle()
{
    QFETCH(int, releaseY);
    QFETCH(int, height);
    Gesture::click(f->text2, {5, 5});
    ResizeHandle *bottom = handle(HandlePlace::BottomMiddle);
    QVERIFY(bottom);
    Gesture::drag(bottom, {3, 0}, {3, releaseY});
    QCOMPARE(f->text2->geometry(), QRect(84, 18, 60, height));
    QCOMPARE(f->text1->geometry(), QRect(12, 18, 60, 18));
    QVERIFY(!f->stage->outlineOverlay()->isVisible());
}

void TestDesignHandles::topLeftHandleFlipsThePastCorner()
{
    Gesture::click(f->text1, {5, 5});
    ResizeHandle *topLeft = handle(HandlePlace::TopLeft);
    QVERIFY(topLeft);
    // 72 right and 36 down: past the bottom-right corner (60 x 18).
    Gesture::press(topLeft, {3, 3});
    Gesture::move(topLeft, {40, 20});
    QVERIFY(f->stage->outlineOverlay()->isVisible());
    Gesture::move(topLeft, {75, 39});
    Gesture::release(topLeft, {75, 39});
    QCOMPARE(f->text1->geometry(), QRect(72, 36, 12, 18));
    // The set follows its control's new bounds.
    QCOMPARE(handle(HandlePlace::TopLeft)->pos(), QPoint(70, 34));
}

void TestDesignHandles::everyHandleMovesItsOwnEdges_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<QPoint>("pointerMove");
    QTest::addColumn<QRect>("bounds");

    // The item lies at 87, 41, 61 x 23 (right edge 148, bottom edge 64).
    // Each handle is pressed 3, 3 inside (grab point 0, 0 on the grid) and
    // released pointerMove away. With steps 6 and 18, truncating toward
    // zero: 3 + 20 = 23 gives 18, 3 - 20 = -17 gives -12; 3 + 25 = 28
    // gives 18, 3 - 25 = -22 gives -18. Only the handle's own edges
    // follow; the middle handles ignore the other component of the move.
    QTest::newRow("top left") << int(HandlePlace::TopLeft) << QPoint(-20, -25)
                              << QRect(75, 23, 73, 41);
    QTest::newRow("top right") << int(HandlePlace::TopRight) << QPoint(20, -25)
                               << QRect(87, 23, 79, 41);
    QTest::newRow("bottom right") << int(HandlePlace::BottomRight) << QPoint(20, 25)
                                  << QRect(87, 41, 79, 41);
    QTest::newRow("bottom left") << int(HandlePlace::BottomLeft) << QPoint(-20, 25)
                                 << QRect(75, 41, 73, 41);
    QTest::newRow("top middle") << int(HandlePlace::TopMiddle) << QPoint(20, -25)
                                << QRect(87, 23, 61, 41);
    QTest::newRow("bottom middle")
        << int(HandlePlace::BottomMiddle) << QPoint(-20, 25) << QRect(87, 41, 61, 41);
    QTest::newRow("middle right") << int(HandlePlace::MiddleRight) << QPoint(20, 25)
                                  << QRect(87, 41, 79, 23);
    QTest::newRow("middle left") << int(HandlePlace::MiddleLeft) << QPoint(-20, -25)
                                 << QRect(75, 41, 73, 23);
    // Inward past the opposite edges (-77 gives -72, -47 gives -36, 53 and
    // 43 give 36, 73 gives 72): the item flips over its fixed edges.
    QTest::newRow("bottom right past top left")
        << int(HandlePlace::BottomRight) << QPoint(-80, -50) << QRect(76, 28, 11, 13);
    QTest::newRow("top right past bottom left")
        << int(HandlePlace::TopRight) << QPoint(-80, 50) << QRect(76, 64, 11, 13);
    QTest::newRow("middle left past the right edge")
        << int(HandlePlace::MiddleLeft) << QPoint(70, 0) << QRect(148, 41, 11, 23);
    QTest::newRow("top middle past the bottom edge")
        << int(HandlePlace::TopMiddle) << QPoint(0, 40) << QRect(87, 64, 61, 13);
}

void TestDesignHandles::everyHandleMovesItsOwnEdges()
{
    QFETCH(int, place);
    QFETCH(QPoint, pointerMove);
    QFETCH(QRect, bounds);

    f->text2->setBounds(87, 41, 61, 23);
    Gesture::click(f->text2, {5, 5});
    ResizeHandle *grabbed = handle(static_cast<HandlePlace>(place));
    QVERIFY(grabbed);
    const QPoint press(3, 3);
    Gesture::drag(grabbed, press, press + pointerMove);
    QCOMPARE(f->text2->geometry(), bounds);
    // Nothing else moved, and the handles follow the new bounds.
    QCOMPARE(f->text1->geometry(), QRect(12, 18, 60, 18));
    QCOMPARE(f->text3->geometry(), QRect(156, 18, 60, 18));
    QCOMPARE(handle(HandlePlace::TopLeft)->pos(), bounds.topLeft() - QPoint(2, 2));
    QVERIFY(!f->stage->outlineOverlay()->isVisible());
}

void TestDesignHandles::resizeRecollectsTheInspector()
{
    CountingInspector inspector;
    f->reg->setDesigning(false);
    f->reg->setInspector(&inspector);
    f->reg->setDesigning(true);
    Gesture::click(f->text2, {5, 5});
    const int recollects = inspector.recollects;
    const int updates = inspector.updates;
    Gesture::drag(handle(HandlePlace::MiddleRight), {3, 3}, {15, 3});
    QCOMPARE(f->text2->width(), 72);
    QCOMPARE(inspector.recollects, recollects + 1);
    QCOMPARE(inspector.updates, updates + 1);
    f->reg->setDesigning(false);
}

QTEST_MAIN(TestDesignHandles)
#include "tst_designhandles.moc"
