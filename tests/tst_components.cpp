// Links: kestrova_model
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include "FixtureDesign.h"
#include "PaintRecorder.h"

#include <QImage>
#include <QPaintEvent>
#include <QTest>

#include <cmath>
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
    void generatedNamesFillGaps_data();
    void generatedNamesFillGaps();
    void bandLabels_data();
    void bandLabels();
    void propertyLookupIgnoresCase();
    void propertyTableOrder();
    void registryKnowsTheSixClasses();
    void childOrderPutsCodeBlocksFirst();
    void fontInheritanceEndsWithOwnFont();
    void pagePaintsMarginFrame();
    void marginFrameLiesOnTheMargins();
    void rulerPaintsTheExposedAreaOnly();
    void craftedFontSizesAreClamped();
    void extremeValuesAreClamped();
    void captionLinesFollowTheFontHeight();
    void bandPaintsLabelOnWhite();
    void crowdedBandPaintsItsItemsItself();
    void itemChangesRepaintTheirPlaceOnTheBand_data();
    void itemChangesRepaintTheirPlaceOnTheBand();

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

void TestComponents::generatedNamesFillGaps_data()
{
    QTest::addColumn<QStringList>("names");   // given in order
    QTest::addColumn<QStringList>("changes"); // "old>new"; an empty new removes
    QTest::addColumn<QString>("expected");

    QTest::newRow("none yet") << QStringList{} << QStringList{} << "mText1";
    QTest::newRow("after three") << QStringList{"mText1", "mText2", "mText3"} << QStringList{}
                                 << "mText4";
    QTest::newRow("gap left by a removal")
        << QStringList{"mText1", "mText2", "mText3"} << QStringList{"mText2>"} << "mText2";
    QTest::newRow("gap left by a rename")
        << QStringList{"mText1", "mText2", "mText3"} << QStringList{"mText1>Total"} << "mText1";
    QTest::newRow("gap filled again") << QStringList{"mText1", "mText2", "mText3", "Total"}
                                      << QStringList{"mText2>", "Total>MTEXT2"} << "mText4";
    QTest::newRow("lowest of two gaps") << QStringList{"mText1", "mText2", "mText3", "mText4"}
                                        << QStringList{"mText4>", "mText2>", "mText3>"} << "mText2";
    QTest::newRow("other spellings take no number")
        << QStringList{"mText1", "mText02", "mText+3", "mText 4"} << QStringList{} << "mText2";
    QTest::newRow("a name of another stem")
        << QStringList{"mText1", "mTextile2", "mBand2"} << QStringList{} << "mText2";
    QTest::newRow("duplicate keeps the name")
        << QStringList{"mText1", "mText2", "mText2"} << QStringList{} << "mText3";
}

// The smallest free number, however names come and go.
void TestComponents::generatedNamesFillGaps()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, changes);
    QFETCH(QString, expected);
    // Asked once before the names come, so that every change is followed.
    QCOMPARE(m_owner->uniqueName(QStringLiteral("TmText")), QStringLiteral("mText1"));
    std::vector<std::unique_ptr<QObject>> components;
    for (const QString &name : names) {
        components.push_back(std::make_unique<QObject>());
        components.back()->setObjectName(name);
        m_owner->insertComponent(components.back().get());
        QVERIFY(!m_owner->uniqueName(QStringLiteral("TmText")).isEmpty());
    }
    for (const QString &change : changes) {
        const QString from = change.section(u'>', 0, 0);
        const QString to = change.section(u'>', 1);
        auto found = std::find_if(components.begin(), components.end(), [&](const auto &component) {
            return component && component->objectName() == from;
        });
        QVERIFY(found != components.end());
        if (to.isEmpty())
            found->reset();
        else
            (*found)->setObjectName(to);
        QVERIFY(!m_owner->uniqueName(QStringLiteral("TmText")).isEmpty());
    }
    QCOMPARE(m_owner->uniqueName(QStringLiteral("TmText")), expected);
    // Asking twice gives the same name: only taking it uses it up.
    QCOMPARE(m_owner->uniqueName(QStringLiteral("tmtext")).toLower(), expected.toLower());
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

// The frame outlines the pixels from the left and top margins up to the
// last ones inside the right and bottom margins: of the new report's page
// (794 × 1123) 20 and 36 pixels, 10 and 541 pixels.
void TestComponents::marginFrameLiesOnTheMargins()
{
    QImage image(m_page->size(), QImage::Format_RGB32);
    m_page->render(&image);
    QRect frame;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == QColor(128, 128, 255))
                frame |= QRect(x, y, 1, 1);
        }
    }
    QCOMPARE(frame, QRect(QPoint(20, 36), QPoint(794 - 10 - 1, 1123 - 541 - 1)));
}

void TestComponents::rulerPaintsTheExposedAreaOnly()
{
    PaintRecorder whole(m_page->size());
    m_page->render(&whole);
    // 8 lines across numbered 10 to 80, 62 down numbered 1 to 62.
    QCOMPARE(whole.lines.size(), 8 + 62);
    QCOMPARE(whole.texts.size(), 8 + 62);

    const QRect exposed(300, 300, 100, 100);
    PaintRecorder part(m_page->size());
    m_page->render(&part, exposed.topLeft(), QRegion(exposed));
    for (const QLineF &line : std::as_const(whole.lines)) {
        if (QRectF(exposed).intersects(QRectF(line.p1(), line.p2()).adjusted(0, 0, 1, 1)))
            QVERIFY2(part.lines.contains(line), "a line through the exposed area is missing");
    }
    // Besides those, only neighbours whose numbers may reach in.
    for (const QLineF &line : std::as_const(part.lines)) {
        const QRectF near = QRectF(exposed).adjusted(-64, -64, 64, 64);
        QVERIFY2(near.intersects(QRectF(line.p1(), line.p2()).adjusted(0, 0, 1, 1)),
                 "a line far from the exposed area");
    }
    QVERIFY2(part.lines.size() < whole.lines.size() / 3,
             qPrintable(QString::number(part.lines.size())));
}

// A page font of -2,000,000 pixels once made a character cell of almost
// nothing and a ruler of a million numbered lines, repainted on every paint.
void TestComponents::craftedFontSizesAreClamped()
{
    FixtureDesign design(QStringLiteral("huge-page-font.kfx"));
    ReportPage *page = design.page();
    QVERIFY(page);
    QCOMPARE(page->fontRecord().height, -FontRecord::MaxHeight);
    QCOMPARE(page->fontPoints(), 1000);
    auto *text = design.find<TextItem>(u"mText1");
    QVERIFY(text);
    QCOMPARE(text->fontRecord().height, -FontRecord::MaxHeight);
    QCOMPARE(text->fontSize(), 1000);

    PaintRecorder painted(page->size());
    page->render(&painted);
    QVERIFY2(painted.lines.size() < 20000, qPrintable(QString::number(painted.lines.size())));
}

// Values far outside any report come in clamped, and everything made of
// them paints: no position, extent or sum of them leaves an int (a
// sanitizer build tells).
void TestComponents::extremeValuesAreClamped()
{
    FixtureDesign design(QStringLiteral("extreme-values.kfx"));
    ReportPage *page = design.page();
    QVERIFY(page);
    // Painted first, so that a sanitizer build sees every paint whatever
    // the checks below find.
    for (QWidget *control : page->findChildren<QWidget *>()) {
        QImage image(64, 64, QImage::Format_RGB32);
        control->render(&image, {}, QRegion(0, 0, 64, 64));
    }
    QImage image(64, 64, QImage::Format_RGB32);
    page->render(&image, {}, QRegion(0, 0, 64, 64));

    for (int i = 0; i < PageValueCount; ++i) {
        const long double value = page->storedValue(static_cast<PageValue>(i));
        QVERIFY(!std::isnan(value));
        QVERIFY(std::abs(value) <= Geometry::MaxPixels * 254.0L / 96);
    }
    QCOMPARE(page->frame().width, FrameRecord::MaxWidth);
    QCOMPARE(page->fontRecord().height, -FontRecord::MaxHeight);
    // Eighty bands as tall as they can be, three of them holding items.
    const QList<BandBase *> bands = page->bands();
    QCOMPARE(bands.size(), 80);
    for (qsizetype i = 0; i < bands.size(); ++i) {
        // Size is clamped in stored units: at zoom 300 that is three times the pixels.
        QVERIFY(bands[i]->height() <= 3 * Geometry::MaxPixels);
        QVERIFY(std::abs(bands[i]->x()) <= 3 * Geometry::MaxPixels);
        // The stack keeps its order up to its bound, however tall the bands.
        QVERIFY(bands[i]->y() <= Geometry::MaxPixels);
        if (i > 0)
            QVERIFY(bands[i - 1]->y() <= bands[i]->y());
    }
    for (BandBase *band : bands.first(3)) {
        QCOMPARE(band->fontRecord().height, FontRecord::MaxHeight);
        const auto *text = band->findChild<TextItem *>();
        QVERIFY(text);
        QCOMPARE(text->frame().width, 0);
        QCOMPARE(text->fontRecord().height, -FontRecord::MaxHeight);
        QVERIFY(std::abs(text->x()) <= 3 * Geometry::MaxPixels);
        QVERIFY(std::abs(text->y()) <= 3 * Geometry::MaxPixels);
    }
}

// Line i of a caption is drawn i font heights below the first; the ink of
// a "W" is shorter than that, and lines spaced by it overlap.
void TestComponents::captionLinesFollowTheFontHeight()
{
    auto *band = new Band(m_owner.get(), m_page.get());
    band->setHeightPx(90);
    auto *text = new TextItem(m_owner.get(), band);
    text->setBounds(0, 0, 200, 150);
    text->setFontSize(20);
    text->setCaption(QStringLiteral("first\rsecond\rthird"));
    PaintRecorder painted(text->size());
    text->render(&painted);
    QCOMPARE(painted.texts.size(), 3);
    const int height = QFontMetrics(text->fontRecord().toQFont()).height();
    QVERIFY(height > QFontMetrics(text->fontRecord().toQFont()).boundingRect(u'W').height());
    QCOMPARE(painted.texts[0].text, QStringLiteral("first"));
    QCOMPARE(painted.texts[1].position.y() - painted.texts[0].position.y(), qreal(height));
    QCOMPARE(painted.texts[2].position.y() - painted.texts[1].position.y(), qreal(height));
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

void TestComponents::crowdedBandPaintsItsItemsItself()
{
    // Far more overlapping items than a stack holds levels of Qt's
    // painting of sibling widgets, which recurses once per sibling.
    constexpr int Crowd = 40000;
    auto *band = new Band(m_owner.get(), m_page.get());
    band->setHeightPx(60);
    auto *first = new TextItem(m_owner.get(), band);
    first->setBounds(0, 0, 60, 20);
    first->setCaption(QStringLiteral("first"));
    for (int i = 0; i < Crowd; ++i) {
        auto *text = new TextItem(m_owner.get(), band);
        text->setBounds(200, 10, 40, 20);
        text->setCaption(QStringLiteral("x"));
    }
    auto *last = new TextItem(m_owner.get(), band);
    last->setBounds(100, 30, 60, 20);
    last->setCaption(QStringLiteral("last"));
    m_page->show();
    QVERIFY(last->isPaintedByParent());
    QVERIFY(last->isHidden());

    PaintRecorder painted(band->size());
    band->render(&painted);
    int crowd = 0;
    QList<QPointF> named;
    for (const PaintRecorder::Text &text : std::as_const(painted.texts)) {
        if (text.text == u"x")
            ++crowd;
        else if (text.text == u"first" || text.text == u"last")
            named.append(text.position);
    }
    QCOMPARE(crowd, Crowd);
    QCOMPARE(named.size(), 2);
    QVERIFY(QRectF(first->geometry()).contains(named[0]));
    QVERIFY(QRectF(last->geometry()).contains(named[1]));
}

void TestComponents::itemChangesRepaintTheirPlaceOnTheBand_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QRect>("before");
    QTest::addColumn<QRect>("after");
    const QRect place(40, 10, 50, 20);
    const QRect moved(150, 20, 30, 10);
    QTest::newRow("caption") << "caption" << place << place;
    QTest::newRow("move") << "move" << place << moved;
    QTest::newRow("frame") << "frame" << place << place;
    QTest::newRow("font") << "font" << place << place;
    QTest::newRow("colour") << "colour" << place << place;
    QTest::newRow("restack") << "restack" << place << place;
    QTest::newRow("raise") << "raise" << place << place;
    QTest::newRow("delete") << "delete" << place << place;
}

namespace {

// Collects what a widget repaints.
class RepaintSpy : public QObject
{
public:
    QRegion painted;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

} // namespace

void TestComponents::itemChangesRepaintTheirPlaceOnTheBand()
{
    QFETCH(QString, change);
    QFETCH(QRect, before);
    QFETCH(QRect, after);
    auto *band = new Band(m_owner.get(), m_page.get());
    band->setHeightPx(60);
    auto *other = new TextItem(m_owner.get(), band);
    auto *text = new TextItem(m_owner.get(), band);
    text->setBounds(before.x(), before.y(), before.width(), before.height());
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    RepaintSpy spy;
    band->installEventFilter(&spy);
    QCoreApplication::processEvents();
    spy.painted = QRegion();

    if (change == u"caption") {
        text->setCaption(QStringLiteral("changed"));
    } else if (change == u"move") {
        text->setBounds(after.x(), after.y(), after.width(), after.height());
    } else if (change == u"frame") {
        FrameRecord frame = text->frame();
        frame.drawTop = true;
        text->setFrame(frame);
    } else if (change == u"font") {
        text->setFontSize(30);
    } else if (change == u"colour") {
        text->setColor(0x00FFFF);
    } else if (change == u"restack") {
        text->stackUnder(other);
    } else if (change == u"raise") {
        text->stackUnder(other);
        QCoreApplication::processEvents();
        spy.painted = QRegion();
        text->raise();
    } else if (change == u"delete") {
        delete text;
    }
    const QRegion expected = QRegion(before) + after;
    QTRY_VERIFY((expected - spy.painted).isEmpty());
    // Only the item's places, not the whole band.
    QVERIFY(!(QRegion(band->rect()) - spy.painted).isEmpty());
}

QTEST_MAIN(TestComponents)
#include "tst_components.moc"
