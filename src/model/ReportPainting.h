#pragma once

class QPainter;
class QWidget;
class TmPage;
class TBandBase;
class TmText;
class TMBlockCode;
class TmBlock;

// How each report component draws itself on the design surface.
namespace ReportPainting {

void paintPage(QPainter &painter, const TmPage &page);
void paintBand(QPainter &painter, const TBandBase &band);
void paintText(QPainter &painter, const TmText &text);
void paintCodeBlock(QPainter &painter, const TMBlockCode &block);
void paintBlock(QPainter &painter, const TmBlock &block);

// The ruler of the page's units across a control of the page, with the
// numbers only on the page itself.
void paintRuler(QPainter &painter, const TmPage &page, const QWidget &control, bool withNumbers);

} // namespace ReportPainting
