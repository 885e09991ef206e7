// Links: kestrova_designer
#include "designer/DsnInspector.h"
#include "designer/DsnMultiProps.h"
#include "designer/DsnReportInspector.h"
#include "designer/DsnTargets.h"
#include "model/ComponentOwner.h"
#include "model/mKomponents.h"

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

    std::unique_ptr<ComponentOwner> m_owner;
    std::unique_ptr<TmPage> m_page;
    std::unique_ptr<TDsnInspector> m_inspector;
    std::unique_ptr<TTargetList> m_selection;
    std::unique_ptr<TPropertyCollector> m_collector;
    TMultiProps *m_props = nullptr;
    TmBand *m_band = nullptr;
    TmBreakBand *m_breakBand = nullptr;
    TmText *m_text = nullptr;
    TmText *m_text2 = nullptr;
};

void TestPropCollect::init()
{
    m_owner = std::make_unique<ComponentOwner>();
    m_page = std::make_unique<TmPage>(m_owner.get(), nullptr);
    m_page->setNewReportValues();
    m_page->setName(QStringLiteral("mPage1"));
    m_band = new TmBand(m_owner.get(), m_page.get());
    m_band->setName(QStringLiteral("mBand1"));
    m_breakBand = new TmBreakBand(m_owner.get(), m_page.get());
    m_breakBand->setName(QStringLiteral("mBreakBand1"));
    m_text = new TmText(m_owner.get(), m_band);
    m_text->setName(QStringLiteral("mText1"));
    m_text2 = new TmText(m_owner.get(), m_band);
    m_text2->setName(QStringLiteral("mText2"));

    m_inspector = std::make_unique<TDsnInspector>();
    ReportInspector::configure(*m_inspector);
    m_inspector->setOutProps({QStringLiteral("Name")});
    m_selection = std::make_unique<TTargetList>();
    m_collector = m_inspector->CreateCollector();
    m_props = dynamic_cast<TMultiProps *>(m_collector.get());
    QVERIFY(m_props);
    m_selection->ReceiverAdded(m_collector.get());
    m_collector->Bind(m_inspector.get());
    QStringList names;
    QStringList captions;
    m_inspector->GetPropLists(names, captions);
    m_collector->Load(names, captions, m_inspector->OutProps());
}

void TestPropCollect::cleanup()
{
    m_collector.reset();
    m_selection.reset();
    m_inspector.reset();
    m_page.reset();
    m_owner.reset();
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
    m_inspector->GetPropLists(names, captions);
    QCOMPARE(names.size(), 6 + 39);
    QCOMPARE(names.mid(0, 6), (QStringList{"Color", "Font", "Height", "Left", "Top", "Width"}));
    QCOMPARE(captions.mid(0, 6), names.mid(0, 6));
    QCOMPARE(names.at(6 + 18), QStringLiteral("Nam"));
    QCOMPARE(captions.at(6 + 18), QStringLiteral("Name"));
    QCOMPARE(names.last(), QStringLiteral("Vnode"));
    QCOMPARE(m_inspector->BtnProps().size(), 20);

    // Standard rows come in a fixed order, each with its caption if any.
    TShowProps all;
    all.aName = all.aCaption = all.aColor = all.aTop = all.aLeft = all.aWidth = all.aHeight =
        all.aFont = true;
    all.aCaptionCp = QStringLiteral("Text");
    QCOMPARE(all.lines(), (QStringList{"Caption|Text", "Color", "Font", "Height", "Left", "Name",
                                       "Top", "Width"}));
}

void TestPropCollect::singleComponentLists_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    const QStringList textNames{"Color", "Font", "Height", "Left", "Top", "Width",
                                "Alignment", "AlignToBand", "AutoSize", "Caption", "Format",
                                "PrintCode", "BlockMode", "FieldMode", "Name", "TabPosition"};
    QTest::newRow("text item") << "text" << textNames << textNames;
    const QStringList breakNames{"Color", "Font", "Height", "Left", "Top", "Width",
                                 "TypeBand", "TypeField", "BandCode", "PrintBreakAlways",
                                 "PrintValueOnBreaks", "PrintValueOnPage", "NewPageOnBreak",
                                 "BlockMode", "FieldMode", "Name"};
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
    m_selection->Add(component == u"text" ? static_cast<QWidget *>(m_text) : m_breakBand);
    QCOMPARE(rows(), names);
    QCOMPARE(this->captions(), captions);
    QCOMPARE(m_props->shownValues().size(), names.size());
}

void TestPropCollect::textAndBandShareTheirCommonProperties()
{
    m_text->setLeft(30);
    m_inspector->setOutProps({});
    QStringList names;
    QStringList captions;
    m_inspector->GetPropLists(names, captions);
    m_collector->Load(names, captions, {});
    m_selection->Add(m_text);
    m_selection->Add(m_band);
    QCOMPARE(rows(), (QStringList{"Color", "Font", "Height", "Left", "Top", "Width", "BlockMode",
                                  "FieldMode", "Name"}));
    const QStringList values = m_props->shownValues();
    QCOMPARE(values.at(rows().indexOf("Left")), QString());
    QCOMPARE(values.at(rows().indexOf("Name")), QStringLiteral("mText1"));
    QCOMPARE(values.at(rows().indexOf("BlockMode")), QStringLiteral("False"));
    QCOMPARE(values.at(rows().indexOf("Font")), QString());
    // The text is white like a new band: equal numbers stay.
    QCOMPARE(m_text->color(), m_band->color());
    QCOMPARE(values.at(rows().indexOf("Color")), QStringLiteral("16777215"));
}

void TestPropCollect::caseOfTheAllowedNameDoesNotMatter()
{
    m_page->VNode = QStringLiteral("node1");
    m_selection->Add(m_page.get());
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
    m_selection->Add(m_text);
    QVERIFY(rows().contains(QStringLiteral("Name")));
    m_selection->Add(m_text2);
    QVERIFY(!rows().contains(QStringLiteral("Name")));
    m_selection->Delete(0);
    QVERIFY(rows().contains(QStringLiteral("Name")));
    QCOMPARE(m_props->shownValues().at(rows().indexOf("Name")), QStringLiteral("mText2"));
}

void TestPropCollect::deleteGivesTheSameAsAddingTheRest()
{
    m_text->setLeft(20);
    m_text2->setLeft(20);
    m_text2->setCaption(QStringLiteral("Other"));
    for (QWidget *control : {static_cast<QWidget *>(m_text), static_cast<QWidget *>(m_band),
                             static_cast<QWidget *>(m_text2)})
        m_selection->Add(control);
    QVERIFY(!rows().contains(QStringLiteral("Alignment")));
    m_selection->Delete(1);
    const QStringList names = rows();
    const QStringList values = m_props->shownValues();

    TTargetList fresh;
    auto collector = m_inspector->CreateCollector();
    auto *props = dynamic_cast<TMultiProps *>(collector.get());
    props->setPropLists(m_props->allowedNames(), {}, m_props->outNames());
    fresh.ReceiverAdded(collector.get());
    fresh.Add(m_text);
    fresh.Add(m_text2);
    QCOMPARE(names, props->shownNames());
    QCOMPARE(values, props->shownValues());
    QVERIFY(names.contains(QStringLiteral("Alignment")));
    QCOMPARE(values.at(names.indexOf("Left")), QStringLiteral("20"));
    QCOMPARE(values.at(names.indexOf("Caption")), QStringLiteral("mText1"));

    m_selection->Delete(1);
    m_selection->Delete(0);
    QCOMPARE(m_props->targetCount(), 0);
    QVERIFY(rows().isEmpty());
}

void TestPropCollect::destroyedTargetWaitsForItsDelete()
{
    m_selection->Add(m_text);
    m_selection->Add(m_text2);
    m_selection->TargetNil(0);
    delete m_text;
    m_props->Recollect();
    QCOMPARE(m_props->targetCount(), 2);
    m_selection->Delete(0);
    QCOMPARE(m_props->targets(), QList<QWidget *>{m_text2});
    QCOMPARE(m_props->shownValues().at(rows().indexOf("Name")), QStringLiteral("mText2"));
}

void TestPropCollect::clearKeepsTheLists()
{
    m_selection->Add(m_text);
    m_selection->Clear();
    QCOMPARE(m_props->targetCount(), 0);
    QVERIFY(rows().isEmpty());
    QVERIFY(m_props->shownValues().isEmpty());
    QCOMPARE(m_props->allowedNames().size(), 45);
    m_selection->Add(m_band);
    QVERIFY(rows().contains(QStringLiteral("TypeBand")));
}

void TestPropCollect::addingTwiceChangesNothing()
{
    m_props->Add(m_text);
    const QStringList names = rows();
    m_props->Add(m_text);
    QCOMPARE(m_props->targetCount(), 1);
    QCOMPARE(rows(), names);
}

void TestPropCollect::recollectFollowsChangedValues()
{
    m_selection->Add(m_text);
    m_selection->Add(m_text2);
    const int width = int(rows().indexOf("Width"));
    m_text->setWidthPx(50);
    m_text2->setWidthPx(60);
    m_props->Recollect();
    QCOMPARE(m_props->shownValues().at(width), QString());
    m_text2->setWidthPx(50);
    m_props->Recollect();
    QCOMPARE(m_props->shownValues().at(width), QStringLiteral("50"));
}

void TestPropCollect::contextPropsCollectFromStageLines()
{
    m_selection->Add(m_text);
    m_selection->Add(m_text2);
    const TContextProps menu({"Caption|Text", "Alignment", "Name", "TypeBand"}, {"Name"},
                             *m_selection, reportClasses());
    QCOMPARE(menu.shownNames(), (QStringList{"Caption", "Alignment"}));
    QCOMPARE(menu.captionOf(u"caption"), QStringLiteral("Text"));
    QCOMPARE(menu.shownValues(), (QStringList{"mText1", "taLeftJustify"}));
}

QTEST_MAIN(TestPropCollect)
#include "tst_propcollect.moc"
