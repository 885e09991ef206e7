#pragma once

class QPainter;
class QWidget;
class ReportPage;
class BandBase;
class TextItem;
class CodeBlock;
class BlockPanel;

// How each report component draws itself on the design surface.
namespace ReportPainting {

void paintPage(QPainter &painter, const ReportPage &page);
void paintBand(QPainter &painter, const BandBase &band);
void paintText(QPainter &painter, const TextItem &text);
void paintCodeBlock(QPainter &painter, const CodeBlock &block);
void paintBlock(QPainter &painter, const BlockPanel &block);

// The ruler of the page's units across a control of the page, with the
// numbers only on the page itself.
void paintRuler(QPainter &painter, const ReportPage &page, const QWidget &control,
                bool withNumbers);

} // namespace ReportPainting
