#include "shell/ShellGlyphs.h"

#include "designer/PaletteGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>

#include <functional>

namespace ShellGlyphs {

namespace {

constexpr int ToolSize = 24;
constexpr int LargeSize = 48;

QIcon painted(int size, const std::function<void(QPainter &)> &draw)
{
    return PaletteGlyphs::paintedIcon(size, draw);
}

// A sheet of paper with a folded corner.
void drawSheet(QPainter &p, const QColor &fill = Qt::white)
{
    QPainterPath sheet;
    sheet.moveTo(5.5, 2.5);
    sheet.lineTo(15.5, 2.5);
    sheet.lineTo(19.5, 6.5);
    sheet.lineTo(19.5, 21.5);
    sheet.lineTo(5.5, 21.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(fill);
    p.drawPath(sheet);
    p.drawLine(QPointF(15.5, 2.5), QPointF(15.5, 6.5));
    p.drawLine(QPointF(15.5, 6.5), QPointF(19.5, 6.5));
}

void drawTextLines(QPainter &p, double top, int count, double left = 8, double right = 17)
{
    p.setPen(QPen(QColor(0, 0, 128), 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + 3 * i), QPointF(right, top + 3 * i));
}

void drawStar(QPainter &p, QPointF centre)
{
    p.setPen(QPen(QColor(200, 140, 0), 1.5));
    p.drawLine(centre + QPointF(-3, 0), centre + QPointF(3, 0));
    p.drawLine(centre + QPointF(0, -3), centre + QPointF(0, 3));
    p.drawLine(centre + QPointF(-2, -2), centre + QPointF(2, 2));
    p.drawLine(centre + QPointF(-2, 2), centre + QPointF(2, -2));
}

void drawFolder(QPainter &p)
{
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath back;
    back.moveTo(2.5, 6.5);
    back.lineTo(8.5, 6.5);
    back.lineTo(10.5, 8.5);
    back.lineTo(20.5, 8.5);
    back.lineTo(20.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 220, 130));
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(5.5, 11.5);
    front.lineTo(22.5, 11.5);
    front.lineTo(20.5, 19.5);
    front.closeSubpath();
    p.drawPath(front);
}

void drawDoor(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(6.5, 3.5, 11, 17));
    p.setPen(QPen(QColor(180, 0, 0), 2));
    p.drawLine(QPointF(9, 9), QPointF(15, 15));
    p.drawLine(QPointF(15, 9), QPointF(9, 15));
}

void drawDisk(QPainter &p)
{
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(3.5, 3.5, 17, 17));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 3.5, 11, 7));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7.5, 14.5, 9, 6));
}

void drawPrinter(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 2.5, 9, 7));
    p.setBrush(QColor(190, 190, 190));
    p.drawRoundedRect(QRectF(3.5, 9.5, 17, 8), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 14.5, 9, 7));
    drawTextLines(p, 17, 2, 9, 15);
}

void drawMagnifier(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(210, 230, 250));
    p.drawEllipse(QPointF(10, 10), 6, 6);
    p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
}

void drawGear(QPainter &p)
{
    drawSheet(p);
    drawTextLines(p, 9, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 140, 60));
    QPainterPath arrow;
    arrow.moveTo(12, 13);
    arrow.lineTo(22, 18);
    arrow.lineTo(12, 23);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

void drawToggle(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 4.5, 9, 12));
    p.setBrush(QColor(255, 255, 220));
    p.drawRect(QRectF(12.5, 7.5, 9, 12));
    drawTextLines(p, 10.5, 3, 14, 20);
}

void drawTable(QPainter &p)
{
    drawSheet(p);
    p.setPen(QPen(QColor(90, 90, 90), 0.7));
    for (int row = 0; row < 5; ++row) {
        const double y = 8 + row * 2.75;
        p.drawLine(QPointF(7, y), QPointF(18, y));
    }
    p.drawLine(QPointF(11, 8), QPointF(11, 19));
    p.drawLine(QPointF(15, 8), QPointF(15, 19));
}

void drawLabels(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column) {
            const QRectF label(3.5 + column * 9, 3.5 + row * 6.5, 8, 5);
            p.setBrush(QColor(255, 250, 220));
            p.drawRoundedRect(label, 1, 1);
        }
    }
}

} // namespace

QIcon newReport()
{
    return painted(ToolSize, [](QPainter &p) {
        drawSheet(p);
        drawStar(p, QPointF(17, 17));
    });
}

QIcon openReport()
{
    return painted(ToolSize, drawFolder);
}
QIcon closeApplication()
{
    return painted(ToolSize, drawDoor);
}
QIcon saveSource()
{
    return painted(ToolSize, drawDisk);
}
QIcon printSource()
{
    return painted(ToolSize, drawPrinter);
}
QIcon find()
{
    return painted(ToolSize, drawMagnifier);
}
QIcon generate()
{
    return painted(ToolSize, drawGear);
}
QIcon toggle()
{
    return painted(ToolSize, drawToggle);
}

QIcon alignment(const QString &edge)
{
    return painted(ToolSize, [edge](QPainter &p) {
        const bool horizontal = edge == u"left" || edge == u"right" || edge == u"width";
        // A long and a short box, in rows (or columns), and the guide line.
        QRect longBox = horizontal ? QRect(4, 5, 16, 5) : QRect(5, 4, 5, 16);
        QRect shortBox = horizontal ? QRect(4, 14, 9, 5) : QRect(14, 4, 5, 9);
        if (edge == u"right")
            shortBox.moveRight(longBox.right());
        if (edge == u"bottom")
            shortBox.moveBottom(longBox.bottom());
        if (edge == u"width" || edge == u"height")
            shortBox = horizontal ? QRect(4, 14, 16, 5) : QRect(14, 4, 5, 16);
        p.fillRect(longBox, QColor(0x30, 0x60, 0xb0));
        p.fillRect(shortBox, QColor(0x80, 0xa0, 0xd0));
        p.setPen(QPen(Qt::black, 1));
        if (edge == u"left")
            p.drawLine(3, 2, 3, 21);
        else if (edge == u"right")
            p.drawLine(20, 2, 20, 21);
        else if (edge == u"top")
            p.drawLine(2, 3, 21, 3);
        else if (edge == u"bottom")
            p.drawLine(2, 20, 21, 20);
    });
}

QIcon emptyReport()
{
    return painted(LargeSize, [](QPainter &p) { drawSheet(p); });
}
QIcon tabularReport()
{
    return painted(LargeSize, drawTable);
}
QIcon mailingLabels()
{
    return painted(LargeSize, drawLabels);
}
QIcon program()
{
    // Drawn at each size a window system asks for, so that small ones stay
    // sharp; the picture is the one installed for the desktop.
    QSvgRenderer picture(QStringLiteral(":/icons/kestrova.svg"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        picture.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace ShellGlyphs
