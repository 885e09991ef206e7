#include "model/ReportPainting.h"

#include "model/BandBase.h"
#include "model/BlockPanel.h"
#include "model/CodeBlock.h"
#include "model/ReportPage.h"
#include "model/TextItem.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace ReportPainting {
namespace {

constexpr int ppi = ReportControl::PixelsPerInch;

QFont rulerFont()
{
    // "Small Fonts" at 6 points; the closest face the platform has.
    QFont font(QStringLiteral("Small Fonts"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(8);
    return font;
}

QPen dottedPen(const QColor &colour)
{
    QPen pen(colour, 1, Qt::DotLine);
    pen.setCosmetic(true);
    return pen;
}

int roundEven(long double value)
{
    return Geometry::roundEven(value);
}

void paintCharacterRuler(QPainter &painter, const ReportPage &page, const QWidget &control,
                         bool withNumbers)
{
    const long double charWidth = Geometry::charWidthMM(page.fontPoints());
    const long double lineHeight = Geometry::lineHeightMM(page.fontPoints());
    const int w = control.width();
    const int h = control.height();
    painter.setFont(rulerFont());
    const int columns = roundEven(static_cast<long double>(w) / ppi * 25.4L / charWidth / 10);
    for (int i = 1; i <= columns; ++i) {
        const int x = roundEven(charWidth * i * ppi / 2.54L);
        painter.setPen(dottedPen(QColor(192, 192, 192)));
        painter.drawLine(x, 0, x, h);
        if (withNumbers) {
            painter.setPen(QColor(192, 192, 192));
            painter.drawText(x + 2, 2 + painter.fontMetrics().ascent(), QString::number(10 * i));
        }
    }
    const int lines = roundEven(static_cast<long double>(h) / ppi * 25.4L / lineHeight);
    for (int j = 1; j <= lines; ++j) {
        const int y = roundEven(lineHeight * j * ppi / 25.4L);
        painter.setPen(dottedPen(QColor(192, 192, 192)));
        painter.drawLine(0, y, w, y);
        if (withNumbers) {
            painter.setPen(QColor(192, 192, 192));
            painter.drawText(2, y + 2 + painter.fontMetrics().ascent(), QString::number(j));
        }
    }
}

void paintFrameStrips(QPainter &painter, const FrameRecord &frame, QSize size)
{
    const int strip = frame.stripPixels();
    const QColor colour = NamedValues::toQColor(frame.color);
    if (frame.drawTop)
        painter.fillRect(0, 0, size.width(), strip, colour);
    if (frame.drawBottom)
        painter.fillRect(0, size.height() - strip, size.width(), strip, colour);
    if (frame.drawLeft)
        painter.fillRect(0, 0, strip, size.height(), colour);
    if (frame.drawRight)
        painter.fillRect(size.width() - strip, 0, strip, size.height(), colour);
}

// MM and Inches: a minor line every step, every majorEvery-th line major
// and numbered on the page.
void paintMetricRuler(QPainter &painter, const QWidget &control, double step, int majorEvery,
                      bool minorLines, bool withNumbers)
{
    painter.setFont(rulerFont());
    const auto drawLines = [&](int extent, auto draw) {
        for (int index = 1; index * step <= extent; ++index) {
            const bool major = index % majorEvery == 0;
            if (!major && !minorLines)
                continue;
            painter.setPen(QPen(major ? QColor(240, 240, 240) : QColor(249, 249, 249), 1));
            draw(std::lround(index * step), major, index / majorEvery);
        }
    };
    drawLines(control.width(), [&](int x, bool major, int number) {
        painter.drawLine(x, 0, x, control.height());
        if (major && withNumbers)
            painter.drawText(x + 2, 2 + painter.fontMetrics().ascent(), QString::number(number));
    });
    drawLines(control.height(), [&](int y, bool major, int number) {
        painter.drawLine(0, y, control.width(), y);
        if (major && withNumbers)
            painter.drawText(2, y + 2 + painter.fontMetrics().ascent(), QString::number(number));
    });
}

// caption lines as the label breaks them: at carriage returns and line
// feeds, and at word boundaries within the width when wrapping.
QStringList displayLines(const QString &caption, const QFontMetrics &metrics, int width, bool wrap)
{
    QStringList result;
    QString normalised = caption;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QChar(13), QChar(10));
    for (const QString &paragraph : normalised.split(QChar(10))) {
        if (!wrap || metrics.horizontalAdvance(paragraph) <= width) {
            result.append(paragraph);
            continue;
        }
        QString line;
        for (const QString &word : paragraph.split(QChar(' '))) {
            const QString candidate = line.isEmpty() ? word : line + QChar(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                result.append(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        result.append(line);
    }
    return result;
}

} // namespace

void paintRuler(QPainter &painter, const ReportPage &page, const QWidget &control, bool withNumbers)
{
    if (!page.ruler())
        return;
    switch (page.units()) {
    case Characters:
        paintCharacterRuler(painter, page, control, withNumbers);
        break;
    case MM:
        paintMetricRuler(painter, control, ppi / 5.08 * page.zoom() / 100, 2, page.zoom() >= 60,
                         withNumbers);
        break;
    case Inches:
        paintMetricRuler(painter, control, ppi / 4.0 * page.zoom() / 100, 4, page.zoom() >= 50,
                         withNumbers);
        break;
    case Pixels:
    case Native:
        break;
    }
}

void paintPage(QPainter &painter, const ReportPage &page)
{
    painter.fillRect(page.rect(), NamedValues::toQColor(page.color()));
    paintRuler(painter, page, page, true);

    const int left = roundEven(page.pageValuePixels(LeftMargin));
    const int top = roundEven(page.pageValuePixels(TopMargin));
    const int right = roundEven(page.pageValuePixels(RightMargin));
    const int bottom = roundEven(page.pageValuePixels(BottomMargin));
    painter.setPen(dottedPen(QColor(128, 128, 255)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRect(QPoint(left, top), QPoint(page.width() - right, page.height() - bottom)));

    const FrameRecord &frame = page.frame();
    const int frameRight =
        roundEven(page.pageValuePixels(Width) - page.pageValuePixels(RightMargin)) - 1;
    const int frameBottom =
        roundEven(page.pageValuePixels(Length) - page.pageValuePixels(BottomMargin)) - 1;
    painter.setPen(QPen(NamedValues::toQColor(frame.color), frame.stripPixels()));
    if (frame.drawTop)
        painter.drawLine(left, top, frameRight, top);
    if (frame.drawBottom)
        painter.drawLine(left, frameBottom, frameRight, frameBottom);
    if (frame.drawLeft)
        painter.drawLine(left, top, left, frameBottom);
    if (frame.drawRight)
        painter.drawLine(frameRight, top, frameRight, frameBottom);
}

void paintBand(QPainter &painter, const BandBase &band)
{
    const int w = band.width();
    const int h = band.height();
    painter.fillRect(band.rect(), band.isEnabled() ? NamedValues::toQColor(band.color())
                                                   : QColor(192, 192, 192));
    if (const ReportPage *page = band.page())
        paintRuler(painter, *page, band, false);

    painter.setPen(dottedPen(QColor(96, 96, 96)));
    painter.drawLine(0, 0, w, 0);
    painter.drawLine(0, h - 1, w - 1, h - 1);
    painter.drawLine(0, 0, 0, h - 1);
    painter.drawLine(w - 1, 0, w - 1, h - 1);

    paintFrameStrips(painter, band.frame(), band.size());

    const QString label = band.typeWord() + QChar(' ') + band.typeField();
    painter.setFont(rulerFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect labelRect(3, h - 15, metrics.horizontalAdvance(label), metrics.height());
    painter.fillRect(labelRect, Qt::white);
    painter.setPen(QColor(112, 112, 112));
    painter.drawText(labelRect, Qt::AlignLeft | Qt::AlignTop, label);
}

void paintText(QPainter &painter, const TextItem &text)
{
    const ReportPage *page = text.page();
    const int zoom = page ? page->zoom() : 100;
    painter.setFont(text.fontRecord().toQFont(zoom));
    if (!text.transparent())
        painter.fillRect(text.rect(), NamedValues::toQColor(text.color()));

    const FrameRecord &frame = text.frame();
    paintFrameStrips(painter, frame, text.size());
    QRect area = text.rect();
    if (frame.drawTop)
        area.setTop(frame.stripPixels());
    if (frame.drawLeft)
        area.setLeft(frame.stripPixels());
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineStep = metrics.boundingRect(QChar('W')).height();
    const int flags = text.alignment() == taRightJustify ? Qt::AlignRight
                      : text.alignment() == taCenter     ? Qt::AlignHCenter
                                                         : Qt::AlignLeft;
    painter.setPen(NamedValues::toQColor(text.fontRecord().color));
    const QStringList lines = displayLines(text.caption(), metrics, area.width(), text.wordWrap());
    for (int i = 0; i < lines.size(); ++i) {
        const QRect lineRect(area.left(), area.top() + i * lineStep, area.width(),
                             metrics.height());
        painter.drawText(lineRect, flags | Qt::AlignTop, lines[i]);
    }
}

void paintCodeBlock(QPainter &painter, const CodeBlock &block)
{
    painter.setFont(block.fontRecord().toQFont());
    painter.setPen(NamedValues::toQColor(block.fontRecord().color));
    const QFontMetrics metrics = painter.fontMetrics();
    const QStringList lines = displayLines(block.caption(), metrics, block.width(), block.wordWrap);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(0, i * metrics.height() + metrics.ascent(), lines[i]);
    painter.setPen(dottedPen(QColor(0, 0, 128)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, block.width() - 1, block.height() - 1);
}

void paintBlock(QPainter &painter, const BlockPanel &block)
{
    const QRect area = block.rect();
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, NamedValues::toQColor(block.color()));
    gradient.setColorAt(block.semiPercent / 100.0, NamedValues::toQColor(block.color1));
    gradient.setColorAt(1, NamedValues::toQColor(block.color()));
    painter.fillRect(area, gradient);
    if (block.bevelOuter != 0) {
        const bool raised = block.bevelOuter == 2;
        painter.setPen(raised ? Qt::white : Qt::gray);
        painter.drawLine(0, 0, area.width() - 1, 0);
        painter.drawLine(0, 0, 0, area.height() - 1);
        painter.setPen(raised ? Qt::gray : Qt::white);
        painter.drawLine(area.width() - 1, 0, area.width() - 1, area.height() - 1);
        painter.drawLine(0, area.height() - 1, area.width() - 1, area.height() - 1);
    }
    painter.setFont(block.fontRecord().toQFont());
    painter.setPen(NamedValues::toQColor(block.fontRecord().color));
    painter.drawText(area.adjusted(block.captionLeft, block.captionTop, 0, 0), Qt::AlignCenter,
                     block.caption());
}

} // namespace ReportPainting
