#include "model/BandBase.h"

#include "model/ReportPage.h"
#include "model/ReportPainting.h"
#include "model/TextItem.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr int BareBandHeight = 40;

// Bands never nest: a band made on a band is made on that band's page.
QWidget *bandParent(QWidget *parent)
{
    if (auto *band = qobject_cast<BandBase *>(parent))
        return band->parentWidget();
    return parent;
}
} // namespace

BandBase::BandBase(ComponentOwner *owner, QWidget *parent)
    : FramedControl(owner, bandParent(parent))
{
    // Qualified: a constructor reaches only this class's version anyway.
    BandBase::setBounds(0, 0, width(), BareBandHeight);
    restackPage();
}

void BandBase::setTypeOrdinal(int typeBand)
{
    m_typeBand = typeBand;
    update();
    restackPage();
}

void BandBase::setTypeField(const QString &typeField)
{
    m_typeField = typeField;
    update();
}

void BandBase::setSizeValues(const QList<long double> &values)
{
    for (int i = 0; i < std::min<qsizetype>(values.size(), m_size.size()); ++i)
        m_size[i] = Geometry::clampStored(values[i]);
    if (isLoading())
        return;
    QWidget::setGeometry(x(), y(), pixelsOf(m_size[SizeWidth]), pixelsOf(m_size[SizeHeight]));
    restackPage();
}

long double BandBase::sizeValue(SizeIndex index) const
{
    const bool vertical = index == SizeHeight;
    return Geometry::storedToUnits(m_size[index], vertical, page() ? page()->units() : Native,
                                   PixelsPerInch, zoom(), pageFontPoints());
}

void BandBase::setSizeValue(SizeIndex index, long double value)
{
    const bool vertical = index == SizeHeight;
    QList<long double> values = m_size;
    values[index] = Geometry::unitsToStored(value, vertical, page() ? page()->units() : Native,
                                            PixelsPerInch, zoom(), pageFontPoints());
    setSizeValues(values);
}

void BandBase::applyPixelExtent(int left, int top, int width, int height)
{
    m_size[SizeWidth] = Geometry::pixelsToStored(std::max(0, width), PixelsPerInch, zoom());
    m_size[SizeHeight] = Geometry::pixelsToStored(std::max(0, height), PixelsPerInch, zoom());
    const int oldWidth = this->width();
    QWidget::setGeometry(left, top, pixelsOf(m_size[SizeWidth]), pixelsOf(m_size[SizeHeight]));
    if (oldWidth != this->width()) {
        for (QObject *child : children()) {
            if (auto *text = qobject_cast<TextItem *>(child))
                text->applyAlignToBand();
        }
    }
}

void BandBase::setBounds(int left, int top, int width, int height)
{
    if (isLoading())
        m_storedPixelHeight = std::max(0, height);
    applyPixelExtent(left, top, width, height);
    restackPage();
}

void BandBase::placeInStack(int left, int top, int width)
{
    const QList<long double> size = m_size;
    applyPixelExtent(left, top, width, this->height());
    m_size[SizeHeight] = size[SizeHeight]; // the stack never changes a band's height
}

void BandBase::loaded()
{
    FramedControl::loaded();
    int pixelHeight = pixelsOf(m_size[SizeHeight]);
    // An extent that gives exactly the bare height gives way to a different
    // pixel height stored beside it, 0 included.
    if (pixelHeight == BareBandHeight && m_storedPixelHeight
        && *m_storedPixelHeight != BareBandHeight) {
        pixelHeight = *m_storedPixelHeight;
        m_size[SizeHeight] = Geometry::pixelsToStored(pixelHeight, PixelsPerInch, zoom());
    }
    QWidget::setGeometry(x(), y(), pixelsOf(m_size[SizeWidth]), pixelHeight);
}

int BandBase::pixelsOf(long double stored) const
{
    return Geometry::roundEven(Geometry::storedToPixels(stored, PixelsPerInch, zoom()));
}

void BandBase::restackPage()
{
    if (isLoading())
        return;
    if (ReportPage *owningPage = qobject_cast<ReportPage *>(parentWidget()))
        owningPage->restackBands();
}

bool BandBase::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange) {
        // Bands never nest: a band given a band as parent goes to its page.
        if (auto *band = qobject_cast<BandBase *>(parentWidget())) {
            setParent(band->parentWidget());
            show();
        }
        restackPage();
    }
    return FramedControl::event(event);
}

void BandBase::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    ReportPainting::paintBand(painter, *this, event->rect());
}

QString Band::typeWord() const
{
    static const char *const words[] = {"Header", "Detail", "Footer"};
    const int type = typeOrdinal();
    return QString::fromLatin1(words[type >= 0 && type < 3 ? type : 0]);
}

QString BreakBand::typeWord() const
{
    return typeOrdinal() == BreakFooter ? QStringLiteral("Break Footer")
                                        : QStringLiteral("Break Header");
}
