#include "designer/PaletteGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace PaletteGlyphs {

namespace {

constexpr int Size = 24;

QIcon painted(const std::function<void(QPainter &)> &draw)
{
    return paintedIcon(Size, draw);
}

// A sheet with text lines: a text item.
void drawText(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 7.5, 17, 10));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(3, 7, 18, 11), Qt::AlignCenter, QStringLiteral("Ab"));
}

// Braces around lines: free code.
void drawCode(QPainter &p)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRectF(0, 0, Size, Size), Qt::AlignCenter, QStringLiteral("{}"));
}

// A page strip with one band marked: a section.
void drawBand(QPainter &p, const QColor &fill)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    p.setBrush(fill);
    p.drawRect(QRectF(2.5, 8.5, 19, 6));
}

void drawBreakBand(QPainter &p)
{
    drawBand(p, QColor(255, 220, 120));
    p.setPen(QPen(QColor(160, 0, 0), 1.5));
    p.drawLine(QPointF(6, 11.5), QPointF(18, 11.5));
}

// A raised panel: a block panel.
void drawBlock(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(3, 5, 18, 14));
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(3, 5), QPointF(21, 5));
    p.drawLine(QPointF(3, 5), QPointF(3, 19));
    p.setPen(QPen(Qt::darkGray, 1.5));
    p.drawLine(QPointF(21, 5), QPointF(21, 19));
    p.drawLine(QPointF(3, 19), QPointF(21, 19));
}

void drawGeneric(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(5.5, 5.5, 13, 13));
}

} // namespace

QIcon paintedIcon(int size, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    draw(painter);
    return QIcon(pixmap);
}

QIcon arrow()
{
    return painted([](QPainter &p) {
        QPainterPath path;
        path.moveTo(7, 3);
        path.lineTo(7, 19);
        path.lineTo(11, 15);
        path.lineTo(14, 21);
        path.lineTo(16.5, 20);
        path.lineTo(13.5, 14);
        path.lineTo(19, 14);
        path.closeSubpath();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawPath(path);
    });
}

QIcon forClass(const QString &className)
{
    const QString name = className.toLower();
    if (name == QLatin1String("tmtext"))
        return painted(drawText);
    if (name == QLatin1String("tmblockcode"))
        return painted(drawCode);
    if (name == QLatin1String("tmband"))
        return painted([](QPainter &p) { drawBand(p, QColor(170, 200, 255)); });
    if (name == QLatin1String("tmbreakband"))
        return painted(drawBreakBand);
    if (name == QLatin1String("tmblock"))
        return painted(drawBlock);
    return painted(drawGeneric);
}

} // namespace PaletteGlyphs
