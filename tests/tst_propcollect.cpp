// Links: kestrova_designer
#include "InspectorFixture.h"

#include <QTest>

#include <memory>

// The property collector: which properties a selection lists, in which
// order and with which values, as the selection changes.
class TestPropCollect : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void propListsOfTheReportWindow();
    void singleComponentLists_data();
    void singleComponentLists();
    void textAndBandShareTheirCommonProperties();
    void caseOfTheAllowedNameDoesNotMatter();
    void outNamesLeaveWithTheSecondTarget();
    void deleteGivesTheSameAsAddingTheRest();
    void destroyedTargetWaitsForItsDelete();
    void clearKeepsTheLists();
    void addingTwiceChangesNothing();
    void recollectFollowsChangedValues();
    void contextPropsCollectFromStageLines();

private:
    QStringList rows() const;
    QStringList captions() const;

    std::unique_ptr<InspectorFixture> f;
    MultiProperties *m_props = nullptr;
};

void TestPropCollect::init()
{
    f = std::make_unique<InspectorFixture>();
    f->inspector.setExcludedProperties({QStringLiteral("Name")});
    f->reload();
    m_props = f->props;
    QVERIFY(m_props);
}

void TestPropCollect::cleanup()
{
    f.reset();
}

QStringList TestPropCollect::rows() const
{
    return m_props->shownNames();
}

QStringList TestPropCollect::captions() const
{
    QStringList result;
    for (const QString &name : m_props->shownNames())
        result.append(m_props->captionOf(name));
    return result;
}

void TestPropCollect::propListsOfTheReportWindow()
{
    QStringList names;
    QStringList captions;
    f->inspector.propertyLists(names, captions);
    QCOMPARE(names.size(), 6 + 39);
    QCOMPARE(names.mid(0, 6), (QStringList{"Color", "Font", "Height", "Left", "Top", "Width"}));
    QCOMPARE(captions.mid(0, 6), names.mid(0, 6));
    QCOMPARE(names.at(6 + 18), QStringLiteral("Nam"));
    QCOMPARE(captions.at(6 + 18), QStringLiteral("Name"));
    QCOMPARE(names.last(), QStringLiteral("Vnode"));
    QCOMPARE(f->inspector.buttonProperties().size(), 20);

    // Standard rows come in a fixed order, each with its caption if any.
    StandardRows all;
    all.showName = all.showCaption = all.showColor = all.showTop = all.showLeft = all.showWidth =
        all.showHeight = all.showFont = true;
    all.captionCaption = QStringLiteral("Text");
    QCOMPARE(all.lines(), (QStringList{"Caption|Text", "Color", "Font", "Height", "Left", "Name",
                                       "Top", "Width"}));
}

void TestPropCollect::singleComponentLists_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    const QStringList textNames{"Color",     "Font",      "Height",    "Left",
                                "Top",       "Width",     "Alignment", "AlignToBand",
                                "AutoSize",  "Caption",   "Format",    "PrintCode",
                                "BlockMode", "FieldMode", "Name",      "TabPosition"};
    QTest::newRow("text item") << "text" << textNames << textNames;
    const QStringList breakNames{"Color",
                                 "Font",
                                 "Height",
                                 "Left",
                                 "Top",
                                 "Width",
                                 "TypeBand",
                                 "TypeField",
                                 "BandCode",
                                 "PrintBreakAlways",
                                 "PrintValueOnBreaks",
                                 "PrintValueOnPage",
                                 "NewPageOnBreak",
                                 "BlockMode",
                                 "FieldMode",
                                 "Name"};
    QStringList breakCaptions = breakNames;
    breakCaptions[9] = QStringLiteral("Print Break Value Always");
    breakCaptions[10] = QStringLiteral("Print Value On Breaks");
    breakCaptions[11] = QStringLiteral("Print Value On Page Breaks");
    QTest::newRow("break band") << "break" << breakNames << breakCaptions;
}

void TestPropCollect::singleComponentLists()
{
    QFETCH(QString, component);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);
    f->selection.addTarget(component == u"text" ? static_cast<QWidget *>(f->text) : f->breakBand);
    QCOMPARE(rows(), names);
    QCOMPARE(this->captions(), captions);
    QCOMPARE(m_props->shownValues().size(), names.size());
}

void TestPropCollect::textAndBandShareTheirCommonProperties()
{
    f->text->setLeft(30);
    f->inspector.setExcludedProperties({});
    QStringList names;
    QStringList captions;
    f->inspector.propertyLists(names, captions);
    f->collector->load(names, captions, {});
    f->selection.addTarget(f->text);
    f->selection.addTarget(f->band);
    QCOMPARE(rows(), (QStringList{"Color", "Font", "Height", "Left", "Top", "Width", "BlockMode",
                                  "FieldMode", "Name"}));
    const QStringList values = m_props->shownValues();
    QCOMPARE(values.at(rows().indexOf("Left")), QString());
    QCOMPARE(values.at(rows().indexOf("Name")), QStringLiteral("mText1"));
    QCOMPARE(values.at(rows().indexOf("BlockMode")), QStringLiteral("False"));
    QCOMPARE(values.at(rows().indexOf("Font")), QString());
    // The text is white like a new band: equal numbers stay.
    QCOMPARE(f->text->color(), f->band->color());
    QCOMPARE(values.at(rows().indexOf("Color")), QStringLiteral("16777215"));
}

void TestPropCollect::caseOfTheAllowedNameDoesNotMatter()
{
    f->page->vnode = QStringLiteral("node1");
    f->selection.addTarget(f->page.get());
    const QStringList names = rows();
    QVERIFY(names.contains(QStringLiteral("VNode")));
    QVERIFY(names.contains(QStringLiteral("Database")));
    QVERIFY(names.contains(QStringLiteral("LongRemark")));
    QCOMPARE(m_props->captionOf(u"VNode"), QStringLiteral("Vnode"));
    QCOMPARE(m_props->shownValues().at(names.indexOf("VNode")), QStringLiteral("node1"));
    QCOMPARE(m_props->captionOf(u"Nam"), QStringLiteral("Name"));
    QVERIFY(names.indexOf("Nam") < names.indexOf("Name"));
}

void TestPropCollect::outNamesLeaveWithTheSecondTarget()
{
    f->selection.addTarget(f->text);
    QVERIFY(rows().contains(QStringLiteral("Name")));
    f->selection.addTarget(f->text2);
    QVERIFY(!rows().contains(QStringLiteral("Name")));
    f->selection.removeTarget(0);
    QVERIFY(rows().contains(QStringLiteral("Name")));
    QCOMPARE(m_props->shownValues().at(rows().indexOf("Name")), QStringLiteral("mText2"));
}

void TestPropCollect::deleteGivesTheSameAsAddingTheRest()
{
    f->text->setLeft(20);
    f->text2->setLeft(20);
    f->text2->setCaption(QStringLiteral("Other"));
    for (QWidget *control : {static_cast<QWidget *>(f->text), static_cast<QWidget *>(f->band),
                             static_cast<QWidget *>(f->text2)})
        f->selection.addTarget(control);
    QVERIFY(!rows().contains(QStringLiteral("Alignment")));
    f->selection.removeTarget(1);
    const QStringList names = rows();
    const QStringList values = m_props->shownValues();

    SelectionList fresh;
    auto collector = f->inspector.createCollector();
    auto *props = dynamic_cast<MultiProperties *>(collector.get());
    props->setPropLists(m_props->allowedNames(), {}, m_props->outNames());
    collector->listenTo(&fresh);
    fresh.addTarget(f->text);
    fresh.addTarget(f->text2);
    QCOMPARE(names, props->shownNames());
    QCOMPARE(values, props->shownValues());
    QVERIFY(names.contains(QStringLiteral("Alignment")));
    QCOMPARE(values.at(names.indexOf("Left")), QStringLiteral("20"));
    QCOMPARE(values.at(names.indexOf("Caption")), QStringLiteral("mText1"));

    f->selection.removeTarget(1);
    f->selection.removeTarget(0);
    QCOMPARE(m_props->targetCount(), 0);
    QVERIFY(rows().isEmpty());
}

void TestPropCollect::destroyedTargetWaitsForItsDelete()
{
    f->selection.addTarget(f->text);
    f->selection.addTarget(f->text2);
    f->selection.forgetTarget(0);
    delete f->text;
    m_props->recollect();
    QCOMPARE(m_props->targetCount(), 2);
    f->selection.removeTarget(0);
    QCOMPARE(m_props->targets(), QList<QWidget *>{f->text2});
    QCOMPARE(m_props->shownValues().at(rows().indexOf("Name")), QStringLiteral("mText2"));
}

void TestPropCollect::clearKeepsTheLists()
{
    f->selection.addTarget(f->text);
    f->selection.clearTargets();
    QCOMPARE(m_props->targetCount(), 0);
    QVERIFY(rows().isEmpty());
    QVERIFY(m_props->shownValues().isEmpty());
    QCOMPARE(m_props->allowedNames().size(), 45);
    f->selection.addTarget(f->band);
    QVERIFY(rows().contains(QStringLiteral("TypeBand")));
}

void TestPropCollect::addingTwiceChangesNothing()
{
    m_props->addTarget(f->text);
    const QStringList names = rows();
    m_props->addTarget(f->text);
    QCOMPARE(m_props->targetCount(), 1);
    QCOMPARE(rows(), names);
}

void TestPropCollect::recollectFollowsChangedValues()
{
    f->selection.addTarget(f->text);
    f->selection.addTarget(f->text2);
    const int width = int(rows().indexOf("Width"));
    f->text->setWidthPx(50);
    f->text2->setWidthPx(60);
    m_props->recollect();
    QCOMPARE(m_props->shownValues().at(width), QString());
    f->text2->setWidthPx(50);
    m_props->recollect();
    QCOMPARE(m_props->shownValues().at(width), QStringLiteral("50"));
}

void TestPropCollect::contextPropsCollectFromStageLines()
{
    f->selection.addTarget(f->text);
    f->selection.addTarget(f->text2);
    const ContextProperties menu({"Caption|Text", "Alignment", "Name", "TypeBand"}, {"Name"},
                                 f->selection, reportClasses());
    QCOMPARE(menu.shownNames(), (QStringList{"Caption", "Alignment"}));
    QCOMPARE(menu.captionOf(u"caption"), QStringLiteral("Text"));
    QCOMPARE(menu.shownValues(), (QStringList{"mText1", "taLeftJustify"}));
}

QTEST_MAIN(TestPropCollect)
#include "tst_propcollect.moc"
