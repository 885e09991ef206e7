#include "editor/EditorGlyphs.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace EditorGlyphs {

QImage glyph(int index)
{
    QImage image(GlyphWidth, GlyphHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // A ribbon with a notch at the bottom, as bookmarks are drawn.
    QPainterPath ribbon;
    ribbon.moveTo(0.5, 0.5);
    ribbon.lineTo(GlyphWidth - 0.5, 0.5);
    ribbon.lineTo(GlyphWidth - 0.5, GlyphHeight - 0.5);
    ribbon.lineTo(GlyphWidth / 2.0, GlyphHeight - 4.0);
    ribbon.lineTo(0.5, GlyphHeight - 0.5);
    ribbon.closeSubpath();
    painter.setPen(QColor(0, 0, 96));
    painter.setBrush(QColor(64, 96, 200));
    painter.drawPath(ribbon);

    QFont font;
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, GlyphWidth, GlyphHeight - 3), Qt::AlignCenter,
                     QString::number(index % GlyphCount));
    return image;
}

} // namespace EditorGlyphs
