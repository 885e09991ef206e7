#include "model/ReportPainting.h"

#include "model/BandBase.h"
#include "model/BlockPanel.h"
#include "model/CodeBlock.h"
#include "model/ReportPage.h"
#include "model/TextItem.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
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

struct IndexRange
{
    qint64 first;
    qint64 last;
};

// The indices from 1 to count of lines at round(step × index) that fall
// within [low, high]; a small font or a large control can put far more
// lines on a control than it has pixels, so only the exposed ones are
// visited.
IndexRange linesWithin(long double step, qint64 count, long double low, long double high)
{
    if (!(step > 0) || count < 1 || high < low)
        return {1, 0};
    // A pixel more on either side covers the rounding of the positions.
    const long double first = std::ceil((low - 1) / step);
    const long double last = std::floor((high + 1) / step);
    const auto index = [count](long double value) {
        return qint64(std::clamp<long double>(value, 0, count));
    };
    return {std::max<qint64>(1, index(first)), index(last)};
}

// How far a number drawn beside a line reaches from it: lines that lie
// just outside the exposed area still show their numbers.
QSize numberReach(const QFontMetrics &metrics, bool withNumbers)
{
    if (!withNumbers)
        return {};
    return {2 + metrics.horizontalAdvance(QStringLiteral("00000000")), 2 + metrics.height()};
}

void paintCharacterRuler(QPainter &painter, const ReportPage &page, const QWidget &control,
                         const QRect &exposed, bool withNumbers)
{
    const long double charWidth = Geometry::charWidthMM(page.fontPoints());
    const long double lineHeight = Geometry::lineHeightMM(page.fontPoints());
    const int w = control.width();
    const int h = control.height();
    painter.setFont(rulerFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const QSize reach = numberReach(metrics, withNumbers);
    const int columns = roundEven(static_cast<long double>(w) / ppi * 25.4L / charWidth / 10);
    const IndexRange across = linesWithin(charWidth * ppi / 2.54L, columns,
                                          exposed.left() - reach.width(), exposed.right());
    for (qint64 i = across.first; i <= across.last; ++i) {
        const int x = roundEven(charWidth * i * ppi / 2.54L);
        painter.setPen(dottedPen(QColor(192, 192, 192)));
        painter.drawLine(x, 0, x, h);
        if (withNumbers) {
            painter.setPen(QColor(192, 192, 192));
            painter.drawText(x + 2, 2 + metrics.ascent(), QString::number(10 * i));
        }
    }
    const int lines = roundEven(static_cast<long double>(h) / ppi * 25.4L / lineHeight);
    const IndexRange down = linesWithin(lineHeight * ppi / 25.4L, lines,
                                        exposed.top() - reach.height(), exposed.bottom());
    for (qint64 j = down.first; j <= down.last; ++j) {
        const int y = roundEven(lineHeight * j * ppi / 25.4L);
        painter.setPen(dottedPen(QColor(192, 192, 192)));
        painter.drawLine(0, y, w, y);
        if (withNumbers) {
            painter.setPen(QColor(192, 192, 192));
            painter.drawText(2, y + 2 + metrics.ascent(), QString::number(j));
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
void paintMetricRuler(QPainter &painter, const QWidget &control, const QRect &exposed, double step,
                      int majorEvery, bool minorLines, bool withNumbers)
{
    painter.setFont(rulerFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const QSize reach = numberReach(metrics, withNumbers);
    const auto drawLines = [&](int extent, int low, int high, auto draw) {
        const IndexRange range = linesWithin(step, qint64(std::floor(extent / step)), low, high);
        for (qint64 index = range.first; index <= range.last; ++index) {
            const bool major = index % majorEvery == 0;
            if (!major && !minorLines)
                continue;
            painter.setPen(QPen(major ? QColor(240, 240, 240) : QColor(249, 249, 249), 1));
            draw(int(std::lround(index * step)), major, index / majorEvery);
        }
    };
    drawLines(control.width(), exposed.left() - reach.width(), exposed.right(),
              [&](int x, bool major, qint64 number) {
                  painter.drawLine(x, 0, x, control.height());
                  if (major && withNumbers)
                      painter.drawText(x + 2, 2 + metrics.ascent(), QString::number(number));
              });
    drawLines(control.height(), exposed.top() - reach.height(), exposed.bottom(),
              [&](int y, bool major, qint64 number) {
                  painter.drawLine(0, y, control.width(), y);
                  if (major && withNumbers)
                      painter.drawText(2, y + 2 + metrics.ascent(), QString::number(number));
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

void paintRuler(QPainter &painter, const ReportPage &page, const QWidget &control,
                const QRect &exposed, bool withNumbers)
{
    if (!page.ruler())
        return;
    switch (page.units()) {
    case Characters:
        paintCharacterRuler(painter, page, control, exposed, withNumbers);
        break;
    case MM:
        paintMetricRuler(painter, control, exposed, ppi / 5.08 * page.zoom() / 100, 2,
                         page.zoom() >= 60, withNumbers);
        break;
    case Inches:
        paintMetricRuler(painter, control, exposed, ppi / 4.0 * page.zoom() / 100, 4,
                         page.zoom() >= 50, withNumbers);
        break;
    case Pixels:
    case Native:
        break;
    }
}

void paintPage(QPainter &painter, const ReportPage &page, const QRect &exposed)
{
    painter.fillRect(exposed, NamedValues::toQColor(page.color()));
    paintRuler(painter, page, page, exposed, true);

    const int left = roundEven(page.pageValuePixels(LeftMargin));
    const int top = roundEven(page.pageValuePixels(TopMargin));
    const int right = roundEven(page.pageValuePixels(RightMargin));
    const int bottom = roundEven(page.pageValuePixels(BottomMargin));
    // The frame's far edges lie on the last pixels inside the margins: a
    // rectangle to (x, y) outlines the pixels up to x - 1 and y - 1, and a
    // drawn QRect grows by the pen's width beyond its size.
    painter.setPen(dottedPen(QColor(128, 128, 255)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, top, page.width() - right - left - 1, page.height() - bottom - top - 1);

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

void paintBand(QPainter &painter, const BandBase &band, const QRect &exposed)
{
    const int w = band.width();
    const int h = band.height();
    painter.fillRect(exposed, band.isEnabled() ? NamedValues::toQColor(band.color())
                                               : QColor(192, 192, 192));
    if (const ReportPage *page = band.page())
        paintRuler(painter, *page, band, exposed, false);

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
    // Lines follow each other at the font's height, as the label's text
    // drawing spaces them; the ink of a letter is shorter and lines overlap.
    const int lineStep = metrics.height();
    const int flags = text.alignment() == taRightJustify ? Qt::AlignRight
                      : text.alignment() == taCenter     ? Qt::AlignHCenter
                                                         : Qt::AlignLeft;
    painter.setPen(NamedValues::toQColor(text.fontRecord().color));
    const QStringList lines = displayLines(text.caption(), metrics, area.width(), text.wordWrap());
    // Lines below the item are cut off anyway; however many there are,
    // their positions then stay small.
    int top = area.top();
    for (const QString &line : lines) {
        if (top > area.bottom())
            break;
        painter.drawText(QRect(area.left(), top, area.width(), metrics.height()),
                         flags | Qt::AlignTop, line);
        top += lineStep;
    }
}

void paintCodeBlock(QPainter &painter, const CodeBlock &block)
{
    painter.setFont(block.fontRecord().toQFont());
    painter.setPen(NamedValues::toQColor(block.fontRecord().color));
    const QFontMetrics metrics = painter.fontMetrics();
    const QStringList lines = displayLines(block.caption(), metrics, block.width(), block.wordWrap);
    for (int i = 0; i < lines.size() && i * metrics.height() < block.height(); ++i)
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
    gradient.setColorAt(std::clamp(block.semiPercent, 0, 100) / 100.0,
                        NamedValues::toQColor(block.color1));
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
    const int captionLeft = Geometry::clampPixels(block.captionLeft);
    const int captionTop = Geometry::clampPixels(block.captionTop);
    painter.drawText(area.adjusted(captionLeft, captionTop, 0, 0), Qt::AlignCenter,
                     block.caption());
}

} // namespace ReportPainting
