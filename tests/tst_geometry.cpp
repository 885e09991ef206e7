// Links: kestrova_model
#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include "FixtureDesign.h"

#include <QTest>

#include <cstring>
#include <memory>

namespace {

// An 80-bit value from its ten stored bytes, written as hexadecimal.
long double extendedFromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    long double value = 0;
    std::memcpy(&value, bytes.constData(), 10);
    return value;
}

QByteArray extendedHex(long double value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), 10).toHex(' ');
}

// 132.29166666666666: 50 pixels at 96 pixels per inch and zoom 100.
constexpr const char *FiftyPixelsHex = "aa aa aa aa aa aa 4a 84 06 40";

} // namespace

// Page values, units, paper sizes, band stacking and the extents of bands
// and text items.
class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newReportPageValues_data();
    void newReportPageValues();
    void newReportPixelSize();
    void paperSizesAndOrientation();
    void namedPaperSizeAppliedAfterLoading_data();
    void namedPaperSizeAppliedAfterLoading();
    void lengthAndWidthIgnoredUnlessCustom();
    void fontSizeChangesCharacterCell();
    void zoomOutsideRangeIgnored();
    void bandsStackBelowTopMargin();
    void draggedBandReturnsToItsPlace();
    void bandHeightChangeMovesBandsBelow();
    void bandDroppedOnBandGoesToPage();
    void removingBandRestacks();
    void textExtentFollowsPixels();
    void storedSizeDecidesAfterLoading();
    void storedBandHeightAfterLoading_data();
    void storedBandHeightAfterLoading();
    void alignToBandGluesLeft_data();
    void alignToBandGluesLeft();
    void movingTextLeavesColRowWidth();
    void textExtentStoredAtZoom_data();
    void textExtentStoredAtZoom();
    void bandExtentStoredAtZoom();
    void resizedPageStoredAtZoom();
    void pageValueInPixelsAtZoom();

private:
    Band *addBand(int height = 40);

    std::unique_ptr<ComponentOwner> m_owner;
    std::unique_ptr<ReportPage> m_page;
};

void TestGeometry::init()
{
    m_owner = std::make_unique<ComponentOwner>();
    m_page = std::make_unique<ReportPage>(m_owner.get(), nullptr);
    m_page->setObjectName(QStringLiteral("mPage1"));
    m_page->setNewReportValues();
}

void TestGeometry::cleanup()
{
    m_page.reset();
    m_owner.reset();
}

Band *TestGeometry::addBand(int height)
{
    auto *band = new Band(m_owner.get(), m_page.get());
    band->setHeightPx(height);
    return band;
}

void TestGeometry::newReportPageValues_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("left margin, characters") << int(Characters) << int(LeftMargin) << 2.0 << 1e-9;
    QTest::newRow("right margin, characters") << int(Characters) << int(RightMargin) << 1.0 << 1e-9;
    QTest::newRow("top margin, characters") << int(Characters) << int(TopMargin) << 2.0 << 1e-9;
    QTest::newRow("bottom margin, characters")
        << int(Characters) << int(BottomMargin) << 30.0 << 1e-9;
    QTest::newRow("width, characters") << int(Characters) << int(Width) << 80.01 << 0.005;
    QTest::newRow("length, characters") << int(Characters) << int(Length) << 62.30 << 0.005;
    QTest::newRow("width, millimetres") << int(MM) << int(Width) << 210.0 << 1e-9;
    QTest::newRow("length, millimetres") << int(MM) << int(Length) << 297.0 << 1e-9;
    QTest::newRow("width, inches") << int(Inches) << int(Width) << 2100.0 / 254 << 1e-9;
    QTest::newRow("width, pixels") << int(Pixels) << int(Width) << 2100.0 / (254.0 / 96) << 1e-9;
    QTest::newRow("length, native") << int(Native) << int(Length) << 2970.0 << 1e-9;
}

void TestGeometry::newReportPageValues()
{
    QFETCH(int, units);
    QFETCH(int, index);
    QFETCH(double, expected);
    QFETCH(double, tolerance);

    m_page->setUnits(static_cast<PageUnits>(units));
    const double value = double(m_page->pageValue(static_cast<PageValue>(index)));
    QVERIFY2(std::abs(value - expected) <= tolerance, qPrintable(QString::number(value, 'g', 17)));
}

void TestGeometry::newReportPixelSize()
{
    QCOMPARE(m_page->size(), QSize(794, 1123));
    QCOMPARE(m_page->fontPoints(), 12);
}

void TestGeometry::paperSizesAndOrientation()
{
    m_page->setPaperSize(PaperA4);
    QCOMPARE(double(m_page->storedValue(Width)), 2100.0);
    QCOMPARE(double(m_page->storedValue(Length)), 2970.0);
    QCOMPARE(m_page->paperSize(), int(PaperA4));

    m_page->setOrientation(poLandscape);
    QCOMPARE(double(m_page->storedValue(Width)), 2970.0);
    QCOMPARE(double(m_page->storedValue(Length)), 2100.0);
    QCOMPARE(m_page->size(), QSize(1123, 794));

    m_page->setPaperSize(PaperCustom);
    QCOMPARE(double(m_page->storedValue(Width)), 2970.0);
    m_page->setUnits(MM);
    m_page->setPageValue(Width, 100);
    QCOMPARE(double(m_page->storedValue(Width)), 1000.0);
}

void TestGeometry::namedPaperSizeAppliedAfterLoading_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("paperSize");
    QTest::addColumn<double>("width");  // stored units
    QTest::addColumn<double>("length"); // stored units
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("Letter, no page values")
        << "letter-paper.kfx" << int(PaperLetter) << 2159.0 << 2794.0 << QSize(816, 1056);
    QTest::newRow("A4 landscape, no page values")
        << "a4-landscape.kfx" << int(PaperA4) << 2970.0 << 2100.0 << QSize(1123, 794);
    // Stored page values win over the named size, as they do when read
    // after it.
    QTest::newRow("Letter with A4 page values")
        << "letter-paper-a4-values.kfx" << int(PaperLetter) << 2100.0 << 2970.0 << QSize(794, 1123);
}

void TestGeometry::namedPaperSizeAppliedAfterLoading()
{
    QFETCH(QString, file);
    QFETCH(int, paperSize);
    QFETCH(double, width);
    QFETCH(double, length);
    QFETCH(QSize, pixels);
    FixtureDesign design(file);
    ReportPage *page = design.page();
    QVERIFY(page);
    QCOMPARE(page->paperSize(), paperSize);
    QCOMPARE(double(page->storedValue(Width)), width);
    QCOMPARE(double(page->storedValue(Length)), length);
    QCOMPARE(page->size(), pixels);
}

void TestGeometry::lengthAndWidthIgnoredUnlessCustom()
{
    m_page->setPaperSize(PaperLetter);
    const long double width = m_page->storedValue(Width);
    m_page->setPageValue(Width, 100);
    m_page->setPageValue(Length, 100);
    QCOMPARE(double(m_page->storedValue(Width)), double(width));
    QCOMPARE(double(m_page->storedValue(Width)), 2159.0);
    QCOMPARE(double(m_page->storedValue(Length)), 2794.0);
}

void TestGeometry::fontSizeChangesCharacterCell()
{
    QVERIFY(std::abs(double(Geometry::charWidthMM(10)) - 3.1496) < 1e-4);
    QVERIFY(std::abs(double(Geometry::lineHeightMM(10)) - 5.7205) < 1e-4);
    FontRecord font = m_page->fontRecord();
    font.setPointSize(10, ReportControl::PixelsPerInch);
    m_page->setFontRecord(font);
    QCOMPARE(m_page->fontPoints(), 10);
    QVERIFY(std::abs(double(m_page->pageValue(Width)) - 66.68) < 0.01);
    QCOMPARE(double(m_page->storedValue(Width)), 2100.0);
}

void TestGeometry::zoomOutsideRangeIgnored()
{
    m_page->setZoom(0);
    m_page->setZoom(301);
    QCOMPARE(m_page->zoom(), 100);
    m_page->setZoom(50);
    QCOMPARE(m_page->size(), QSize(397, 561));
}

void TestGeometry::bandsStackBelowTopMargin()
{
    Band *first = addBand();
    Band *second = addBand(54);
    QCOMPARE(first->geometry(), QRect(20, 36, 764, 40));
    QCOMPARE(second->geometry(), QRect(20, 76, 764, 54));
    // 764 pixels × 254 / 96 stored units.
    QCOMPARE(double(first->sizeValues()[BandBase::SizeWidth]), 2021.4166666666667);
}

void TestGeometry::draggedBandReturnsToItsPlace()
{
    Band *first = addBand();
    Band *second = addBand();
    second->setBounds(100, 5, 764, 40);
    first->setBounds(0, 500, 764, 40);
    QCOMPARE(first->pos(), QPoint(20, 36));
    QCOMPARE(second->pos(), QPoint(20, 76));
}

void TestGeometry::bandHeightChangeMovesBandsBelow()
{
    Band *first = addBand();
    Band *second = addBand();
    first->setBounds(first->x(), first->y(), first->width(), 72);
    QCOMPARE(second->y(), 36 + 72);
    // 72 pixels are three quarters of an inch: 190.5 stored units.
    QCOMPARE(double(first->sizeValues()[BandBase::SizeHeight]), 190.5);
}

void TestGeometry::bandDroppedOnBandGoesToPage()
{
    Band *first = addBand();
    auto *dropped = new Band(m_owner.get(), m_page.get());
    dropped->setParent(first);
    QCOMPARE(dropped->parentWidget(), m_page.get());
    QCOMPARE(dropped->pos(), QPoint(20, 76));
}

void TestGeometry::removingBandRestacks()
{
    Band *first = addBand();
    Band *second = addBand();
    delete first;
    QCOMPARE(second->pos(), QPoint(20, 36));
}

void TestGeometry::textExtentFollowsPixels()
{
    Band *band = addBand();
    auto *text = new TextItem(m_owner.get(), band);
    text->setBounds(0, 0, 50, 50);
    const QList<long double> size = text->sizeValues();
    QCOMPARE(size.size(), 4);
    // 132.29166666666666 as the 80-bit value the band template stores.
    QCOMPARE(extendedHex(size[TextItem::SizeHeight]), QByteArray(FiftyPixelsHex));
    QCOMPARE(double(size[TextItem::SizeLeft]), 0.0);
    QCOMPARE(double(size[TextItem::SizeTop]), 0.0);
    QCOMPARE(extendedHex(size[TextItem::SizeWidth]), QByteArray(FiftyPixelsHex));
}

void TestGeometry::storedSizeDecidesAfterLoading()
{
    Band *band = addBand();
    auto *text = new TextItem(m_owner.get(), band);
    text->beginLoading();
    text->setBounds(7, 9, 80, 0);
    const long double fifty = extendedFromHex(FiftyPixelsHex);
    text->setSizeValues({0, fifty, 0, fifty});
    text->loaded();
    // Width from Size; Top and Height come out 0 and take the stored pixels.
    QCOMPARE(text->geometry(), QRect(50, 9, 50, 0));
}

void TestGeometry::storedBandHeightAfterLoading_data()
{
    QTest::addColumn<int>("storedHeight"); // the pixel Height beside Size
    QTest::addColumn<int>("sizeHeight");   // Size.Height, in pixels
    QTest::addColumn<int>("height");

    QTest::newRow("Size decides") << 54 << 36 << 36;
    QTest::newRow("Size decides over 0") << 0 << 36 << 36;
    QTest::newRow("40 from Size gives way to 54") << 54 << 40 << 54;
    QTest::newRow("40 from Size gives way to 0") << 0 << 40 << 0;
    QTest::newRow("40 from both") << 40 << 40 << 40;
}

// A band's height comes from its stored Size, unless that gives exactly
// the bare 40 pixels while the pixel Height stored beside it differs.
void TestGeometry::storedBandHeightAfterLoading()
{
    QFETCH(int, storedHeight);
    QFETCH(int, sizeHeight);
    QFETCH(int, height);
    // A band whose Height and Size disagree, as a file can hold them.
    auto *stored = addBand();
    stored->setName(QStringLiteral("mBand1"));
    stored->beginLoading();
    stored->setHeightPx(storedHeight);
    stored->setSizeValues({Geometry::pixelsToStored(sizeHeight, 96, 100), stored->sizeValues()[1]});
    const QByteArray stream = ObjectStream::writeComponent(m_page.get(), *m_owner, reportClasses());

    ComponentOwner owner;
    QWidget stage;
    const QList<QWidget *> read =
        ObjectStream::readStreams(stream + '\0', owner, &stage, reportClasses());
    QCOMPARE(read.size(), 1);
    auto *band = qobject_cast<Band *>(owner.findComponent(u"mBand1"));
    QVERIFY(band);
    QCOMPARE(band->height(), height);
}

void TestGeometry::alignToBandGluesLeft_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("left");
    QTest::newRow("left") << int(taLeftJustify) << 0;
    QTest::newRow("right") << int(taRightJustify) << 618;
    QTest::newRow("centre") << int(taCenter) << 309;
}

void TestGeometry::alignToBandGluesLeft()
{
    QFETCH(int, alignment);
    QFETCH(int, left);

    Band *band = addBand();
    band->setBounds(0, 0, 718, 40);
    QCOMPARE(band->width(), 764);           // the stack decides the width
    m_page->setPageValue(RightMargin, 5.7); // 718 pixels for bands
    QCOMPARE(band->width(), 718);

    auto *text = new TextItem(m_owner.get(), band);
    text->setBounds(40, 0, 100, 18);
    text->setAlignment(static_cast<TextAlignment>(alignment));
    text->setAlignToBand(true);
    QCOMPARE(text->x(), left);
    text->setBounds(3, 0, 100, 18);
    QCOMPARE(text->x(), left);
}

void TestGeometry::movingTextLeavesColRowWidth()
{
    Band *band = addBand();
    auto *text = new TextItem(m_owner.get(), band);
    text->setBounds(30, 18, 100, 18);
    text->setBounds(60, 0, 120, 36);
    QCOMPARE(text->column, 0);
    QCOMPARE(text->row, 0);
    QCOMPARE(text->nWidth, 0);
}

// Pixels become stored units through the zoom: p pixels at zoom z are
// p × 100 / z pixels at 96 pixels per inch, 254 / 96 stored units each.
void TestGeometry::textExtentStoredAtZoom_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QList<double>>("stored"); // Height, Left, Top, Width

    // The item is moved to 30, 18 and sized 100 × 36 pixels.
    QTest::newRow("50 %") << 50 << QList<double>{190.5, 158.75, 95.25, 529.16666666666667};
    QTest::newRow("150 %") << 150
                           << QList<double>{63.5, 52.916666666666667, 31.75, 176.38888888888889};
    QTest::newRow("200 %") << 200 << QList<double>{47.625, 39.6875, 23.8125, 132.29166666666667};
    QTest::newRow("37 %") << 37
                          << QList<double>{257.43243243243243, 214.52702702702703,
                                           128.71621621621622, 715.09009009009009};
}

void TestGeometry::textExtentStoredAtZoom()
{
    QFETCH(int, zoom);
    QFETCH(QList<double>, stored);

    m_page->setZoom(zoom);
    auto *text = new TextItem(m_owner.get(), addBand());
    text->setBounds(30, 18, 100, 36);
    const QList<long double> size = text->sizeValues();
    QCOMPARE(size.size(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(double(size[i]), stored[i]);
    QCOMPARE(text->geometry(), QRect(30, 18, 100, 36));
    // Read in millimetres, the width is what was stored.
    m_page->setUnits(MM);
    QCOMPARE(double(text->sizeValue(TextItem::SizeWidth)), stored[3] / 10);
}

void TestGeometry::bandExtentStoredAtZoom()
{
    m_page->setZoom(50);
    Band *band = addBand(40);
    // Margins at 50 %: left 9.92, right 4.96, top 18.02 pixels; the page
    // is 397 pixels wide, so bands are 397 - 15 = 382 wide.
    QCOMPARE(band->geometry(), QRect(10, 18, 382, 40));
    QCOMPARE(double(band->sizeValues()[BandBase::SizeHeight]), 211.66666666666667);
    QCOMPARE(double(band->sizeValues()[BandBase::SizeWidth]), 2021.4166666666667);

    m_page->setZoom(200);
    band->setHeightPx(45);
    QCOMPARE(double(band->sizeValues()[BandBase::SizeHeight]), 59.53125);
}

void TestGeometry::resizedPageStoredAtZoom()
{
    m_page->setZoom(50);
    m_page->setBounds(0, 0, 400, 600);
    QCOMPARE(double(m_page->storedValue(Width)), 2116.6666666666667);
    QCOMPARE(double(m_page->storedValue(Length)), 3175.0);
}

void TestGeometry::pageValueInPixelsAtZoom()
{
    m_page->setZoom(150);
    m_page->setUnits(Pixels);
    m_page->setPageValue(LeftMargin, 30);
    QCOMPARE(double(m_page->storedValue(LeftMargin)), 52.916666666666667);
    QCOMPARE(double(m_page->pageValue(LeftMargin)), 30.0);
    // The new report's right margin, 26.2467 stored units, at 150 %.
    QCOMPARE(double(m_page->pageValue(RightMargin)), 14.880029760059524);
}

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
