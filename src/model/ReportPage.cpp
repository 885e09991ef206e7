#include "model/ReportPage.h"

#include "model/BandBase.h"
#include "model/ReportPainting.h"

#include <QChildEvent>
#include <QPaintEvent>
#include <QPainter>

ReportPage::ReportPage(ComponentOwner *owner, QWidget *parent) : FramedControl(owner, parent)
{
    setParentFont(false);
    functionNames = {"PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE"};
    functionExpressions = {"0", "0", "''"};
    // Environment-dependent in principle, always overridden by a stored
    // design: start from the values of a new report.
    FontRecord font = fontRecord();
    font.height = -16;
    setFontRecord(font);
    m_page.values = {1430.11811023622L, 2970, 95.3412073490814L, 2100, 52.49343832021L,
                     26.246719160105L,  0};
    updatePixelSize();
}

void ReportPage::setNewReportValues()
{
    setGeometry(0, 0, width(), height());
    FrameRecord frameRecord;
    setFrame(frameRecord);
    FontRecord font;
    font.charset = NamedValues::EASTEUROPE_CHARSET;
    font.color = NamedValues::clWindowText;
    font.height = -16;
    font.name = QStringLiteral("Microsoft Sans Serif");
    font.pitch = 2;
    font.style = 0;
    setFontRecord(font);
    functionNames = {"PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE", "QRSTRINGSBAND1",
                     "QRSTRINGSBAND2"};
    functionExpressions = {"0", "0", "''", "''", "''"};
    options = FirstPageHeader | LastPageFooter;
    m_page.columns = 1;
    m_page.orientation = poPortrait;
    m_page.paperSize = PaperCustom;
    m_page.ruler = true;
    m_units = Characters;
    m_zoom = 100;
    // 30 lines, 297 mm, 2 lines, 210 mm, 2 columns, 1 column, none.
    const int points = fontPoints();
    m_page.values = {
        Geometry::unitsToStored(30, true, Characters, PixelsPerInch, 100, points),
        2970,
        Geometry::unitsToStored(2, true, Characters, PixelsPerInch, 100, points),
        2100,
        Geometry::unitsToStored(2, false, Characters, PixelsPerInch, 100, points),
        Geometry::unitsToStored(1, false, Characters, PixelsPerInch, 100, points),
        0,
    };
    printerSettings = {};
    printIfEmpty = true;
    snapToGrid = true;
    asciiPrinter = false;
    updatePixelSize();
    restackBands();
}

int ReportPage::fontPoints() const
{
    const int points = fontRecord().pointSize(PixelsPerInch);
    return points >= 1 ? points : 12;
}

long double ReportPage::toPixels(long double stored) const
{
    return Geometry::storedToPixels(stored, PixelsPerInch, m_zoom);
}

long double ReportPage::fromPixels(long double pixels) const
{
    return Geometry::pixelsToStored(pixels, PixelsPerInch, m_zoom);
}

long double ReportPage::toUnits(long double stored, bool vertical) const
{
    return Geometry::storedToUnits(stored, vertical, m_units, PixelsPerInch, m_zoom, fontPoints());
}

long double ReportPage::fromUnits(long double value, bool vertical) const
{
    return Geometry::unitsToStored(value, vertical, m_units, PixelsPerInch, m_zoom, fontPoints());
}

void ReportPage::setStoredValues(const std::array<long double, PageValueCount> &values)
{
    for (int i = 0; i < PageValueCount; ++i)
        m_page.values[i] = Geometry::clampStored(values[i]);
    if (isLoading()) {
        m_valuesLoaded = true;
        return;
    }
    updatePixelSize();
    restackBands();
    update();
}

long double ReportPage::pageValue(PageValue index) const
{
    return toUnits(m_page.values[index], Geometry::isVertical(index));
}

long double ReportPage::pageValuePixels(PageValue index) const
{
    return toPixels(m_page.values[index]);
}

void ReportPage::setPageValue(PageValue index, long double value)
{
    const long double stored = Geometry::clampStored(fromUnits(value, Geometry::isVertical(index)));
    if ((index == Length || index == Width) && m_page.paperSize != PaperCustom)
        return;
    m_page.values[index] = stored;
    if (isLoading())
        return;
    if (index == BottomMargin || index == Length || index == Width)
        updatePixelSize();
    restackBands();
    update();
}

void ReportPage::setPaperSize(int paperSize)
{
    if (paperSize < PaperDefault || paperSize > PaperCustom)
        return;
    m_page.paperSize = paperSize;
    applyPaperSize();
}

void ReportPage::applyPaperSize()
{
    const int paperSize = m_page.paperSize;
    const QSizeF mm = Geometry::paperSizeMM(paperSize);
    if (!mm.isValid() || isLoading())
        return;
    const bool landscape = m_page.orientation == poLandscape;
    m_page.paperSize = PaperCustom;
    const long double widthMM = landscape ? mm.height() : mm.width();
    const long double lengthMM = landscape ? mm.width() : mm.height();
    m_page.values[Width] = Geometry::unitsToStored(widthMM, false, MM, PixelsPerInch, m_zoom, 12);
    m_page.values[Length] = Geometry::unitsToStored(lengthMM, true, MM, PixelsPerInch, m_zoom, 12);
    updatePixelSize();
    restackBands();
    m_page.paperSize = paperSize;
    update();
}

void ReportPage::setOrientation(PageOrientation orientation)
{
    m_page.orientation = orientation;
    applyPaperSize();
}

void ReportPage::setColumns(int columns)
{
    m_page.columns = std::max(1, columns);
    if (!isLoading())
        restackBands();
}

void ReportPage::setRuler(bool ruler)
{
    m_page.ruler = ruler;
    update();
    for (BandBase *band : bands())
        band->update();
}

void ReportPage::setUnits(PageUnits units)
{
    m_units = units;
    update();
}

void ReportPage::setZoom(int zoom)
{
    if (zoom < 1 || zoom > 300)
        return;
    m_zoom = zoom;
    if (isLoading())
        return;
    updatePixelSize();
    restackBands();
}

void ReportPage::updatePixelSize()
{
    const int pixelWidth = Geometry::roundEven(toPixels(m_page.values[Width]));
    const int pixelHeight = Geometry::roundEven(toPixels(m_page.values[Length]));
    QWidget::setGeometry(x(), y(), pixelWidth, pixelHeight);
}

void ReportPage::setBounds(int left, int top, int width, int height)
{
    ReportControl::setBounds(left, top, width, height);
    if (m_page.paperSize != PaperCustom)
        return;
    m_page.values[Width] = fromPixels(this->width());
    m_page.values[Length] = fromPixels(this->height());
    if (!isLoading())
        restackBands();
}

QList<BandBase *> ReportPage::bands() const
{
    QList<BandBase *> result;
    for (QObject *child : children()) {
        if (auto *band = qobject_cast<BandBase *>(child))
            result.append(band);
    }
    return result;
}

void ReportPage::restackBands()
{
    if (isLoading() || m_restacking)
        return;
    m_restacking = true;
    const long double top = pageValuePixels(TopMargin);
    const long double left = pageValuePixels(LeftMargin);
    const long double right = pageValuePixels(RightMargin);
    const int bandWidth = width() - Geometry::roundEven(left + right);
    // Many tall bands sum up beyond an int: the stack ends at the bound.
    qint64 y = Geometry::roundEven(top);
    for (BandBase *band : bands()) {
        if (band->isLoading())
            continue;
        band->placeInStack(Geometry::roundEven(left), Geometry::clampPixels(y), bandWidth);
        y += band->height();
    }
    m_restacking = false;
}

void ReportPage::loaded()
{
    FramedControl::loaded();
    // A named paper size read without page values gives the page its
    // dimensions now; page values, where the design stores them, win.
    if (!m_valuesLoaded)
        applyPaperSize();
    updatePixelSize();
    restackBands();
}

void ReportPage::childEvent(QChildEvent *event)
{
    FramedControl::childEvent(event);
    if (event->type() == QEvent::ChildRemoved)
        restackBands();
}

void ReportPage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    ReportPainting::paintPage(painter, *this, event->rect());
}
