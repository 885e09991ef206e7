#include "windows/SourcePrinter.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

bool printLines(QPagedPaintDevice &device, const QStringList &lines, const QFont &font,
                const std::function<bool()> &afterLine)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(QFont(font, &device));
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = std::max(1, metrics.lineSpacing());
    const int pageHeight = device.height();
    int top = 0;
    for (const QString &line : lines) {
        if (top > 0 && top + lineHeight > pageHeight) {
            device.newPage();
            top = 0;
        }
        painter.drawText(0, top + metrics.ascent(), line);
        top += lineHeight;
        if (afterLine && !afterLine())
            break;
    }
    painter.end();
    return true;
}
