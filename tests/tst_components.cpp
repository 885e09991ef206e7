// Links: kestrova_model
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QImage>
#include <QTest>

#include <memory>

// Report components: bare values, names and captions, labels, property
// tables and what they paint.
class TestComponents : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void bareConstructionValues();
    void codeBlockCaptionMirrorsCode();
    void newNameBecomesCaption();
    void bandLabels_data();
    void bandLabels();
    void propertyLookupIgnoresCase();
    void propertyTableOrder();
    void registryKnowsTheSixClasses();
    void childOrderPutsCodeBlocksFirst();
    void fontInheritanceEndsWithOwnFont();
    void pagePaintsMarginFrame();
    void bandPaintsLabelOnWhite();

private:
    std::unique_ptr<ComponentOwner> m_owner;
    std::unique_ptr<ReportPage> m_page;
};

void TestComponents::init()
{
    m_owner = std::make_unique<ComponentOwner>();
    m_page = std::make_unique<ReportPage>(m_owner.get(), nullptr);
    m_page->setNewReportValues();
}

void TestComponents::cleanup()
{
    m_page.reset();
    m_owner.reset();
}

void TestComponents::bareConstructionValues()
{
    auto *band = new Band(m_owner.get(), m_page.get());
    QCOMPARE(band->height(), 40);
    QCOMPARE(band->typeBand(), Header);
    QCOMPARE(band->color(), qint64(NamedValues::clWhite));

    auto *text = new TextItem(m_owner.get(), band);
    QCOMPARE(text->size(), QSize(10, 10));
    QVERIFY(text->transparent());
    QVERIFY(text->printable);
    QVERIFY(text->tabPosition);
    QVERIFY(text->wordWrap());
    QCOMPARE(text->alignment(), taLeftJustify);

    auto *breakBand = new BreakBand(m_owner.get(), m_page.get());
    QCOMPARE(breakBand->typeBand(), BreakHeader);
    QVERIFY(!breakBand->newPageOnBreak);

    auto *block = new BlockPanel(m_owner.get(), m_page.get());
    QCOMPARE(block->caption(), QStringLiteral(" "));
    QCOMPARE(block->semiPercent, 70);

    ReportPage bare(m_owner.get(), nullptr);
    QCOMPARE(bare.functionNames.size(), 3);
    QCOMPARE(bare.options, ReportPage::FirstPageHeader | ReportPage::LastPageFooter);
    QCOMPARE(m_page->functionNames.size(), 5);
}

void TestComponents::codeBlockCaptionMirrorsCode()
{
    auto *block = new CodeBlock(m_owner.get(), m_page.get());
    QVERIFY(!block->isWindowed());
    QVERIFY(block->testAttribute(Qt::WA_TransparentForMouseEvents));
    const PropertyInfo *code = findProperty(blockCodePropertyTable(), u"Code");
    QVERIFY(code);
    code->set(block, QStringList{"a", "b"});
    QCOMPARE(block->caption(), QStringLiteral("\ra\rb"));
    code->set(block, QStringList{});
    QCOMPARE(block->caption(), QString());
}

void TestComponents::newNameBecomesCaption()
{
    auto *band = new Band(m_owner.get(), m_page.get());
    auto *text = new TextItem(m_owner.get(), band);
    text->setName(QStringLiteral("mText1"));
    QCOMPARE(text->caption(), QStringLiteral("mText1"));
    text->setName(QStringLiteral("mText2"));
    QCOMPARE(text->caption(), QStringLiteral("mText2"));
    text->setCaption(QStringLiteral("'Total'"));
    text->setName(QStringLiteral("mText3"));
    QCOMPARE(text->caption(), QStringLiteral("'Total'"));
    QCOMPARE(m_owner->findComponent(u"MTEXT3"), text);
    QCOMPARE(m_owner->uniqueName(QStringLiteral("TmText")), QStringLiteral("mText1"));
}

void TestComponents::bandLabels_data()
{
    QTest::addColumn<bool>("breakBand");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::newRow("page header") << false << int(Header) << "PAGE"
                                 << "Header PAGE";
    QTest::newRow("detail") << false << int(Detail) << ""
                            << "Detail ";
    QTest::newRow("report footer") << false << int(Footer) << "REPORT"
                                   << "Footer REPORT";
    QTest::newRow("break header") << true << int(BreakHeader) << "dept"
                                  << "Break Header dept";
    QTest::newRow("break footer") << true << int(BreakFooter) << "dept"
                                  << "Break Footer dept";
}

void TestComponents::bandLabels()
{
    QFETCH(bool, breakBand);
    QFETCH(int, type);
    QFETCH(QString, field);
    QFETCH(QString, label);
    BandBase *band = breakBand ? static_cast<BandBase *>(new BreakBand(m_owner.get(), m_page.get()))
                               : new Band(m_owner.get(), m_page.get());
    band->setTypeOrdinal(type);
    band->setTypeField(field);
    QCOMPARE(band->typeWord() + QChar(' ') + band->typeField(), label);
}

void TestComponents::propertyLookupIgnoresCase()
{
    QVERIFY(findPropertyPath(pagePropertyTable(), u"vnode"));
    QCOMPARE(findPropertyPath(pagePropertyTable(), u"VNODE")->name, QStringLiteral("VNode"));
    QCOMPARE(findPropertyPath(textPropertyTable(), u"frame.color")->name, QStringLiteral("Color"));
    QCOMPARE(findPropertyPath(bandPropertyTable(), u"BeforePrint.Strings")->kind,
             PropKind::Strings);
    QCOMPARE(findPropertyPath(pagePropertyTable(), u"Page.Values")->kind, PropKind::Floats);
    QVERIFY(!findPropertyPath(textPropertyTable(), u"Caption.Strings"));
    QVERIFY(!findPropertyPath(textPropertyTable(), u"Nonsense"));
}

void TestComponents::propertyTableOrder()
{
    const auto names = [](const PropertyTable &table) {
        QStringList result;
        for (const PropertyInfo &info : table)
            result.append(info.name);
        return result;
    };
    const QStringList band = names(bandPropertyTable());
    QVERIFY(band.indexOf("Frame") < band.indexOf("AfterPrint"));
    QVERIFY(band.indexOf("AfterPrint") < band.indexOf("AlignToBottom"));
    QVERIFY(band.indexOf("BeforePrint") < band.indexOf("Color"));
    QVERIFY(!band.contains("NewPageOnBreak"));
    const QStringList breakBand = names(breakBandPropertyTable());
    QVERIFY(breakBand.indexOf("SubBandCode") < breakBand.indexOf("PrintBreakAlways"));
    QVERIFY(breakBand.indexOf("NewPageOnBreak") < breakBand.indexOf("BlockMode"));
    QCOMPARE(names(textPropertyTable()).last(), QStringLiteral("FontSize"));
}

void TestComponents::registryKnowsTheSixClasses()
{
    for (const char *name : {"TmPage", "TmBand", "TmBreakBand", "TmText", "TMBlockCode", "TmBlock"})
        QVERIFY2(reportClasses().byName(QString::fromLatin1(name).toLower()), name);
    auto *breakBand = new BreakBand(m_owner.get(), m_page.get());
    QCOMPARE(reportClasses().of(breakBand)->name, QStringLiteral("TmBreakBand"));
    QVERIFY(!reportClasses().byName(u"TButton"));
}

void TestComponents::childOrderPutsCodeBlocksFirst()
{
    auto *band = new Band(m_owner.get(), m_page.get());
    auto *text = new TextItem(m_owner.get(), band);
    auto *code = new CodeBlock(m_owner.get(), band);
    auto *later = new TextItem(m_owner.get(), band);
    QCOMPARE(orderedChildren(band, reportClasses()), (QList<QWidget *>{code, text, later}));
}

void TestComponents::fontInheritanceEndsWithOwnFont()
{
    auto *band = new Band(m_owner.get(), m_page.get());
    auto *text = new TextItem(m_owner.get(), band);
    QVERIFY(text->parentFont());
    QCOMPARE(text->fontRecord().name, QStringLiteral("Microsoft Sans Serif"));
    text->setFontSize(8);
    QVERIFY(!text->parentFont());
    QCOMPARE(text->fontRecord().name, QStringLiteral("Microsoft Sans Serif"));
    QCOMPARE(text->fontRecord().height, -11);
    QCOMPARE(text->fontSize(), 8);
}

void TestComponents::pagePaintsMarginFrame()
{
    QImage image(m_page->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    m_page->render(&image);
    // A dotted line: some of the first pixels along the top margin are lit.
    int lit = 0;
    for (int x = 20; x < 30; ++x)
        lit += image.pixelColor(x, 36) == QColor(128, 128, 255);
    QVERIFY(lit >= 3);
    QCOMPARE(image.pixelColor(400, 500), QColor(Qt::white));
}

void TestComponents::bandPaintsLabelOnWhite()
{
    auto *band = new Band(m_owner.get(), m_page.get());
    band->setColor(0x00FFFF); // yellow
    QImage image(band->size(), QImage::Format_RGB32);
    band->render(&image);
    // The label's box is opaque white over the band's colour.
    int white = 0;
    int yellow = 0;
    for (int y = band->height() - 15; y < band->height() - 8; ++y) {
        for (int x = 3; x < 20; ++x) {
            white += image.pixelColor(x, y) == QColor(Qt::white);
            yellow += image.pixelColor(x, y) == QColor(255, 255, 0);
        }
    }
    QVERIFY(white > 20);
    QCOMPARE(yellow, 0);
    QCOMPARE(image.pixelColor(band->width() / 2, band->height() / 2), QColor(255, 255, 0));
}

QTEST_MAIN(TestComponents)
#include "tst_components.moc"
