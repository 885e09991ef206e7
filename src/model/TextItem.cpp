#include "model/TextItem.h"

#include "model/BandBase.h"
#include "model/ReportPage.h"
#include "model/ReportPainting.h"

#include <QPainter>

namespace {
constexpr int BareTextSize = 10;
}

TextItem::TextItem(ComponentOwner *owner, QWidget *parent) : FramedControl(owner, parent)
{
    // Qualified: a constructor reaches only this class's version anyway.
    TextItem::setBounds(0, 0, BareTextSize, BareTextSize);
    letParentPaint();
}

void TextItem::setCaption(const QString &caption)
{
    m_caption = caption;
    refresh();
}

void TextItem::setName(const QString &name)
{
    if (m_caption.isEmpty() || m_caption == objectName())
        setCaption(name);
    setObjectName(name);
}

void TextItem::setAlignment(TextAlignment alignment)
{
    m_alignment = alignment;
    applyAlignToBand();
    refresh();
}

void TextItem::setAlignToBand(bool alignToBand)
{
    m_alignToBand = alignToBand;
    applyAlignToBand();
}

void TextItem::setTransparent(bool transparent)
{
    m_transparent = transparent;
    refresh();
}

void TextItem::setWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    refresh();
}

int TextItem::pixelsOf(long double stored) const
{
    return Geometry::roundEven(Geometry::storedToPixels(stored, PixelsPerInch, zoom()));
}

void TextItem::setBounds(int left, int top, int width, int height)
{
    if (isLoading())
        m_storedPixels = QRect(left, top, width, height);
    const int zoomPercent = zoom();
    const auto stored = [zoomPercent](int pixels) {
        return Geometry::pixelsToStored(pixels, PixelsPerInch, zoomPercent);
    };
    m_size = {stored(std::max(0, height)), stored(left), stored(top), stored(std::max(0, width))};
    applyExtentFromSize({});
    applyAlignToBand();
}

void TextItem::setSizeValues(const QList<long double> &values)
{
    for (int i = 0; i < std::min<qsizetype>(values.size(), m_size.size()); ++i)
        m_size[i] = Geometry::clampStored(values[i]);
    if (isLoading())
        return;
    applyExtentFromSize({});
    applyAlignToBand();
}

long double TextItem::sizeValue(SizeIndex index) const
{
    const bool vertical = index == SizeHeight || index == SizeTop;
    const ReportPage *owningPage = page();
    return Geometry::storedToUnits(m_size[index], vertical,
                                   owningPage ? owningPage->units() : Native, PixelsPerInch, zoom(),
                                   pageFontPoints());
}

void TextItem::setSizeValue(SizeIndex index, long double value)
{
    const bool vertical = index == SizeHeight || index == SizeTop;
    const ReportPage *owningPage = page();
    QList<long double> values = m_size;
    values[index] =
        Geometry::unitsToStored(value, vertical, owningPage ? owningPage->units() : Native,
                                PixelsPerInch, zoom(), pageFontPoints());
    setSizeValues(values);
}

void TextItem::applyExtentFromSize(const QRect &fallback)
{
    const auto pick = [](int fromSize, int stored) {
        return fromSize == 0 ? stored : fromSize;
    };
    setWidgetGeometry(QRect(pick(pixelsOf(m_size[SizeLeft]), fallback.x()),
                            pick(pixelsOf(m_size[SizeTop]), fallback.y()),
                            pick(pixelsOf(m_size[SizeWidth]), fallback.width()),
                            pick(pixelsOf(m_size[SizeHeight]), fallback.height())));
}

void TextItem::loaded()
{
    FramedControl::loaded();
    applyExtentFromSize(m_storedPixels);
    if (m_storedFontSize > 0)
        setFontSize(m_storedFontSize);
    applyAlignToBand();
}

void TextItem::setFontSize(int points)
{
    FontRecord font = fontRecord();
    font.setPointSize(points, PixelsPerInch);
    setFontRecord(font);
}

void TextItem::applyAlignToBand()
{
    auto *band = qobject_cast<BandBase *>(parentWidget());
    if (!m_alignToBand || !band || isLoading())
        return;
    int left = 0;
    if (m_alignment == taRightJustify)
        left = band->width() - width();
    else if (m_alignment == taCenter)
        left = (band->width() - width()) / 2;
    if (left == x())
        return;
    m_size[SizeLeft] = Geometry::pixelsToStored(left, PixelsPerInch, zoom());
    setWidgetGeometry(QRect(QPoint(pixelsOf(m_size[SizeLeft]), y()), size()));
}

void TextItem::paintFace(QPainter &painter) const
{
    ReportPainting::paintText(painter, *this);
}
