// Links: kestrova_designer
#include "DesignFixture.h"

#include "designer/OutlineOverlay.h"
#include "designer/ResizeHandle.h"

// Creation from the palette: the drag and its rectangle, the container a
// new control lands in, names, the return to the arrow, controlCreated
// after the gesture, and buttons whose template is missing.
class TestDesignPalette : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void templatesInTheHolder();
    void paletteFollowsDesignMode();
    void dragGivesTheRectangle_data();
    void dragGivesTheRectangle();
    void controlCreateComesAfterTheGesture();
    void clickCreatesBeforeTheOwnerSizes();
    void creationOnATextLandsInItsParent();
    void namesFillTheGaps();
    void everyCreationNeedsItsButton();
    void missingTemplateLeavesTheArrow();
    void refusedPlaceCreatesNothing();
    void layoutOfARuntimePalette();

private:
    void choose(const QString &templateName);
    DesignFixture *f = nullptr;
};

void TestDesignPalette::init()
{
    f = new DesignFixture;
    f->build();
}

void TestDesignPalette::cleanup()
{
    delete f;
    f = nullptr;
}

void TestDesignPalette::choose(const QString &templateName)
{
    PaletteButton *button = f->button(templateName);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isChecked());
}

void TestDesignPalette::templatesInTheHolder()
{
    QCOMPARE(f->holder->objectName(), QStringLiteral("DsnDpstPanel"));
    QCOMPARE(f->holder->geometry(), QRect(-100, -100, 50, 50));
    const QStringList names{"Dpst_TmText", "Dpst_TMBlockCode", "Dpst_TmBand", "Dpst_TmBreakBand",
                            "Dpst_TmBlock"};
    for (const QString &name : names) {
        auto *found = qobject_cast<QWidget *>(f->frameOwner.findComponent(name));
        QVERIFY2(found, qPrintable(name));
        QCOMPARE(found->parentWidget(), f->holder);
        QCOMPARE(found->pos(), QPoint(0, 0));
    }
    auto *text = qobject_cast<TextItem *>(f->frameOwner.findComponent(u"Dpst_TmText"));
    QCOMPARE(text->caption(), QStringLiteral("Dpst_TmText"));
    QCOMPARE(text->size(), QSize(50, 50));
    QCOMPARE(text->tabPosition, true);
    QCOMPARE(text->fontSize(), 8);
    auto *breakBand = qobject_cast<BreakBand *>(f->frameOwner.findComponent(u"dpst_tmbreakband"));
    QCOMPARE(breakBand->typeBand(), BreakHeader);
    // The hidden block panel button, and hints on two lines.
    QVERIFY(!f->button("Dpst_TmBlock")->isVisibleTo(f->palette));
    QCOMPARE(f->button("Dpst_TmText")->toolTip(), QStringLiteral("Text\nField"));
    QCOMPARE(f->button("Dpst_TmText")->objectName(), QStringLiteral("DsnButton1"));
    QCOMPARE(f->button("Dpst_TMBlockCode")->geometry(), QRect(60, 1, 27, 27));
}

void TestDesignPalette::paletteFollowsDesignMode()
{
    ArrowButton *arrow = f->palette->arrowButton();
    QVERIFY(arrow->isEnabled() && arrow->isChecked());
    QCOMPARE(f->button("Dpst_TmBand")->templateControl(),
             f->frameOwner.findComponent(u"Dpst_TmBand"));
    choose("Dpst_TmText");
    QVERIFY(f->palette->currentTemplate());
    f->reg->setDesigning(false);
    QVERIFY(!arrow->isEnabled());
    QVERIFY(!f->button("Dpst_TmText")->isEnabled());
    QCOMPARE(f->palette->currentTemplate(), nullptr);
}

void TestDesignPalette::dragGivesTheRectangle_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("bounds");

    QTest::newRow("down right") << QPoint(13, 40) << QPoint(70, 61) << QRect(12, 36, 54, 18);
    QTest::newRow("up left") << QPoint(70, 61) << QPoint(13, 40) << QRect(12, 36, 54, 18);
}

void TestDesignPalette::dragGivesTheRectangle()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, bounds);
    f->dropCreationSizing();
    choose("Dpst_TmText");
    Gesture::press(f->detail, from);
    Gesture::move(f->detail, (from + to) / 2);
    QVERIFY(f->stage->outlineOverlay()->isVisible());
    Gesture::move(f->detail, to);
    Gesture::release(f->detail, to);
    auto *created = qobject_cast<TextItem *>(f->owner.findComponent(u"mText4"));
    QVERIFY(created);
    QCOMPARE(created->parentWidget(), f->detail);
    QCOMPARE(created->geometry(), bounds);
    QCOMPARE(created->caption(), QStringLiteral("mText4"));
    QCOMPARE(f->selection(), QList<QWidget *>{created});
    QVERIFY(f->reg->coverOf(created));
    QVERIFY(!f->stage->outlineOverlay()->isVisible());
    QVERIFY(f->palette->arrowButton()->isChecked());
    QCOMPARE(f->palette->currentTemplate(), nullptr);
}

void TestDesignPalette::controlCreateComesAfterTheGesture()
{
    QList<QRect> seen;
    bool selectedThen = false;
    f->dropCreationSizing();
    QObject::connect(f->stage, &DesignStage::controlCreated, f->stage, [&](QWidget *component) {
        seen.append(component->geometry());
        selectedThen = f->selection() == QList<QWidget *>{component};
        ReportStageAnswers::controlCreated(component);
    });
    choose("Dpst_TmText");
    Gesture::press(f->detail, {13, 40});
    Gesture::move(f->detail, {70, 61});
    QTest::mouseRelease(f->detail, Qt::LeftButton, {}, {70, 61});
    // Seen once, after the gesture: with the dragged bounds, name, cover
    // and selection already in place; the window then sizes it.
    QCOMPARE(seen, QList<QRect>{QRect(12, 36, 54, 18)});
    QVERIFY(selectedThen);
    auto *created = qobject_cast<QWidget *>(f->owner.findComponent(u"mText4"));
    QCOMPARE(created->size(), QSize(100, 18));
    // Its handles follow the size the window gave it.
    int bottomRight = 0;
    for (ResizeHandle *handle : f->detail->findChildren<ResizeHandle *>()) {
        if (handle->place() != HandlePlace::BottomRight)
            continue;
        QCOMPARE(handle->pos(), QPoint(12 + 100 - 4, 36 + 18 - 4));
        ++bottomRight;
    }
    QCOMPARE(bottomRight, 1);
}

void TestDesignPalette::clickCreatesBeforeTheOwnerSizes()
{
    QList<QSize> seen;
    f->dropCreationSizing();
    QObject::connect(f->stage, &DesignStage::controlCreated, f->stage, [&](QWidget *component) {
        seen.append(component->size());
        ReportStageAnswers::controlCreated(component);
    });
    choose("Dpst_TMBlockCode");
    Gesture::click(f->detail, {20, 70});
    auto *code = qobject_cast<CodeBlock *>(f->owner.findComponent(u"MBlockCode2"));
    QVERIFY(code);
    QCOMPARE(seen, QList<QSize>{QSize(0, 0)});
    QCOMPARE(code->geometry(), QRect(18, 54, 60, 18));
    QCOMPARE(code->caption(), QStringLiteral("MBlockCode2"));
    // A non-windowed control gets no cover: its band finds it.
    QVERIFY(!f->reg->coverOf(code));

    seen.clear();
    choose("Dpst_TmBand");
    Gesture::click(f->page, {5, 5});
    auto *band = qobject_cast<Band *>(f->owner.findComponent(u"mBand3"));
    QVERIFY(band);
    QCOMPARE(band->height(), 40);
    QCOMPARE(band->width(), 764);
}

void TestDesignPalette::creationOnATextLandsInItsParent()
{
    f->dropCreationSizing();
    choose("Dpst_TmText");
    // From inside text1 (at 12, 18 on the detail band): snapped in the item,
    // then taken into the band.
    Gesture::drag(f->text1, {7, 5}, {31, 20});
    auto *created = qobject_cast<TextItem *>(f->owner.findComponent(u"mText4"));
    QVERIFY(created);
    QCOMPARE(created->parentWidget(), f->detail);
    QCOMPARE(created->geometry(), QRect(18, 18, 24, 18));
}

void TestDesignPalette::namesFillTheGaps()
{
    delete f->text2;
    f->text2 = nullptr;
    choose("Dpst_TmText");
    Gesture::click(f->detail, {300, 20});
    QVERIFY(qobject_cast<TextItem *>(f->owner.findComponent(u"mText2")));
    choose("Dpst_TmText");
    Gesture::click(f->detail, {500, 20});
    QVERIFY(qobject_cast<TextItem *>(f->owner.findComponent(u"mText4")));
}

void TestDesignPalette::everyCreationNeedsItsButton()
{
    choose("Dpst_TmText");
    Gesture::click(f->detail, {300, 20});
    QVERIFY(f->palette->arrowButton()->isChecked());
    const int count = int(f->owner.components().size());
    Gesture::click(f->detail, {500, 20});
    QCOMPARE(int(f->owner.components().size()), count);
    QCOMPARE(f->selection(), QList<QWidget *>{f->detail});
}

void TestDesignPalette::missingTemplateLeavesTheArrow()
{
    f->reg->setDesigning(false);
    f->frameOwner.findComponent(u"Dpst_TmBreakBand")->setObjectName(QStringLiteral("Gone"));
    f->reg->setDesigning(true);
    PaletteButton *button = f->button("Dpst_TmBreakBand");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(f->palette->arrowButton()->isChecked());
    QCOMPARE(f->palette->currentTemplate(), nullptr);
}

void TestDesignPalette::refusedPlaceCreatesNothing()
{
    f->policy->selectQuery = [](QObject *, QWidget *, SelectAnswer &answer) {
        answer = saSelect;
    };
    const int count = int(f->owner.components().size());
    choose("Dpst_TmText");
    Gesture::drag(f->detail, {13, 40}, {70, 61});
    QCOMPARE(int(f->owner.components().size()), count);
    QVERIFY(f->palette->arrowButton()->isChecked());
}

void TestDesignPalette::layoutOfARuntimePalette()
{
    ComponentOwner owner;
    ComponentPalette palette(&owner);
    palette.resize(200, 100);
    ArrowButton *arrow = palette.createArrowButton();
    QCOMPARE(arrow->objectName(), QStringLiteral("ArrowButton1"));
    QCOMPARE(arrow->geometry(), QRect(8, 8, 90, 50));
    PaletteButton *first = palette.addTemplateButton("Dpst_TmText", "TmText");
    PaletteButton *second = palette.addTemplateButton("Dpst_TmBand", "TmBand");
    QCOMPARE(first->objectName(), QStringLiteral("DsnButton1"));
    QCOMPARE(first->text(), QStringLiteral("MTEXT"));
    // Two buttons a row: the third one starts the second row.
    QCOMPARE(first->geometry(), QRect(98, 8, 90, 50));
    QCOMPARE(second->geometry(), QRect(8, 58, 90, 50));
    QVERIFY(!first->isEnabled());
    QVERIFY(!first->icon().isNull());
}

QTEST_MAIN(TestDesignPalette)
#include "tst_designpalette.moc"
