#include "windows/PreviewPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// Paper holds at least a report program's default page: 80 characters
// across, 66 lines down.
constexpr int MinimumColumns = 80;
constexpr int MinimumLines = 66;

struct Extent
{
    int columns = MinimumColumns;
    int lines = MinimumLines;
};

Extent extentOf(const QList<PrintedPage> &pages)
{
    Extent extent;
    for (const PrintedPage &page : pages) {
        extent.lines = std::max(extent.lines, int(page.lineCount()));
        extent.columns = std::max(extent.columns, int(page.widestLine()));
    }
    return extent;
}

// The fixed-pitch font whose characters fit extent into the device.
QFont fittingFont(const QPagedPaintDevice &device, const Extent &extent)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(10);
    const QFontMetricsF metrics(font, &device);
    const qreal across = device.width() / (metrics.horizontalAdvance(u'M') * extent.columns);
    const qreal down = device.height() / (metrics.lineSpacing() * extent.lines);
    font.setPointSizeF(std::clamp(10 * std::min(across, down), 4.0, 12.0));
    return font;
}

} // namespace

bool printPreviewPages(QPagedPaintDevice &device, const QList<PrintedPage> &pages,
                       const std::function<bool()> &afterPage)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(QFont(fittingFont(device, extentOf(pages)), &device));
    const QFontMetricsF metrics = painter.fontMetrics();
    const qreal lineHeight = std::max<qreal>(1, metrics.lineSpacing());
    const qreal width = metrics.horizontalAdvance(u'M');
    const qreal underline = std::max<qreal>(1, metrics.underlinePos());
    bool firstSheet = true;
    for (const PrintedPage &page : pages) {
        if (!firstSheet)
            device.newPage();
        firstSheet = false;
        qreal top = 0;
        for (qsizetype index = 0; index < page.lineCount(); ++index) {
            const PrintedLine line = page.line(index);
            if (top > 0 && top + lineHeight > device.height()) {
                device.newPage();
                top = 0;
            }
            const qreal baseline = top + metrics.ascent();
            painter.drawText(QPointF(0, baseline), line.text);
            for (const UnderlineSpan &span : line.underlines)
                painter.drawLine(QPointF(span.start * width, baseline + underline),
                                 QPointF((span.start + span.length) * width, baseline + underline));
            top += lineHeight;
        }
        if (afterPage && !afterPage())
            break;
    }
    painter.end();
    return true;
}
