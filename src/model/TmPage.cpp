#include "model/TmPage.h"

#include "model/TBandBase.h"
#include "model/ReportPainting.h"

#include <QChildEvent>
#include <QPainter>

TmPage::TmPage(ComponentOwner *owner, QWidget *parent)
    : TFramedControl(owner, parent)
{
    setParentFont(false);
    functionNames = {"PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE"};
    functionExpressions = {"0", "0", "''"};
    // Environment-dependent in principle, always overridden by a stored
    // design: start from the values of a new report.
    TFontRecord font = fontRecord();
    font.height = -16;
    setFontRecord(font);
    m_page.values = {1430.11811023622L, 2970, 95.3412073490814L, 2100, 52.49343832021L,
                     26.246719160105L, 0};
    updatePixelSize();
}

void TmPage::setNewReportValues()
{
    setGeometry(0, 0, width(), height());
    TFrameRecord frameRecord;
    setFrame(frameRecord);
    TFontRecord font;
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
    AsciiPrinter = false;
    updatePixelSize();
    restackBands();
}

int TmPage::fontPoints() const
{
    const int points = fontRecord().pointSize(PixelsPerInch);
    return points >= 1 ? points : 12;
}

long double TmPage::toPixels(long double stored) const
{
    return Geometry::storedToPixels(stored, PixelsPerInch, m_zoom);
}

long double TmPage::fromPixels(long double pixels) const
{
    return Geometry::pixelsToStored(pixels, PixelsPerInch, m_zoom);
}

long double TmPage::toUnits(long double stored, bool vertical) const
{
    return Geometry::storedToUnits(stored, vertical, m_units, PixelsPerInch, m_zoom, fontPoints());
}

long double TmPage::fromUnits(long double value, bool vertical) const
{
    return Geometry::unitsToStored(value, vertical, m_units, PixelsPerInch, m_zoom, fontPoints());
}

void TmPage::setStoredValues(const std::array<long double, PageValueCount> &values)
{
    m_page.values = values;
    if (isLoading())
        return;
    updatePixelSize();
    restackBands();
    update();
}

long double TmPage::pageValue(TPageValue index) const
{
    return toUnits(m_page.values[index], Geometry::isVertical(index));
}

long double TmPage::pageValuePixels(TPageValue index) const
{
    return toPixels(m_page.values[index]);
}

void TmPage::setPageValue(TPageValue index, long double value)
{
    const long double stored = fromUnits(value, Geometry::isVertical(index));
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

void TmPage::setPaperSize(int paperSize)
{
    if (paperSize < PaperDefault || paperSize > PaperCustom)
        return;
    m_page.paperSize = paperSize;
    applyPaperSize();
}

void TmPage::applyPaperSize()
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

void TmPage::setOrientation(TPageOrientation orientation)
{
    m_page.orientation = orientation;
    applyPaperSize();
}

void TmPage::setColumns(int columns)
{
    m_page.columns = std::max(1, columns);
    if (!isLoading())
        restackBands();
}

void TmPage::setRuler(bool ruler)
{
    m_page.ruler = ruler;
    update();
    for (TBandBase *band : bands())
        band->update();
}

void TmPage::setUnits(TUnits units)
{
    m_units = units;
    update();
}

void TmPage::setZoom(int zoom)
{
    if (zoom < 1 || zoom > 300)
        return;
    m_zoom = zoom;
    if (isLoading())
        return;
    updatePixelSize();
    restackBands();
}

void TmPage::updatePixelSize()
{
    const int pixelWidth = Geometry::roundEven(toPixels(m_page.values[Width]));
    const int pixelHeight = Geometry::roundEven(toPixels(m_page.values[Length]));
    QWidget::setGeometry(x(), y(), pixelWidth, pixelHeight);
}

void TmPage::setBounds(int left, int top, int width, int height)
{
    TReportControl::setBounds(left, top, width, height);
    if (m_page.paperSize != PaperCustom)
        return;
    m_page.values[Width] = fromPixels(this->width());
    m_page.values[Length] = fromPixels(this->height());
    if (!isLoading())
        restackBands();
}

QList<TBandBase *> TmPage::bands() const
{
    QList<TBandBase *> result;
    for (QObject *child : children()) {
        if (auto *band = qobject_cast<TBandBase *>(child))
            result.append(band);
    }
    return result;
}

void TmPage::restackBands()
{
    if (isLoading() || m_restacking)
        return;
    m_restacking = true;
    const long double top = pageValuePixels(TopMargin);
    const long double left = pageValuePixels(LeftMargin);
    const long double right = pageValuePixels(RightMargin);
    const int bandWidth = width() - Geometry::roundEven(left + right);
    int y = Geometry::roundEven(top);
    for (TBandBase *band : bands()) {
        if (band->isLoading())
            continue;
        band->placeInStack(Geometry::roundEven(left), y, bandWidth);
        y += band->height();
    }
    m_restacking = false;
}

void TmPage::loaded()
{
    TFramedControl::loaded();
    updatePixelSize();
    restackBands();
}

void TmPage::childEvent(QChildEvent *event)
{
    TFramedControl::childEvent(event);
    if (event->type() == QEvent::ChildRemoved)
        restackBands();
}

void TmPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ReportPainting::paintPage(painter, *this);
}
