#pragma once

class QPainter;
class QRect;
class QWidget;
class ReportPage;
class BandBase;
class TextItem;
class CodeBlock;
class BlockPanel;

// How each report component draws itself on the design surface.
namespace ReportPainting {

// Page and bands draw what falls within the exposed part of them.
void paintPage(QPainter &painter, const ReportPage &page, const QRect &exposed);
void paintBand(QPainter &painter, const BandBase &band, const QRect &exposed);
void paintText(QPainter &painter, const TextItem &text);
void paintCodeBlock(QPainter &painter, const CodeBlock &block);
void paintBlock(QPainter &painter, const BlockPanel &block);

// The ruler of the page's units across the exposed part of a control of
// the page, with the numbers only on the page itself.
void paintRuler(QPainter &painter, const ReportPage &page, const QWidget &control,
                const QRect &exposed, bool withNumbers);

} // namespace ReportPainting
