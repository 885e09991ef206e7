#pragma once

#include "generation/GenerationOutlet.h"
#include "model/TBandBase.h"

#include <QList>
#include <QString>

class QWidget;

// Rebuild the band's BandCode: its before code, heading, page format (for
// the report header), brackets, ".NEED", items with their line breaks,
// closing lines and after code. indent is the level of the first line.
void GenerateBandCode(const GenerationWindow &window, TmBand *band, bool withPrintCode,
                      int indent);
void GenerateBreakBandCode(const GenerationWindow &window, TmBreakBand *band, bool withPrintCode,
                           int indent);

// The section word of a heading: "HEADER", "DETAIL" or "FOOTER".
QString BandTypeKeyword(TTypeBand type);
QString BreakBandTypeKeyword(TBreakBand type);

// Appends the report's margins and page size, in the page's units, to the
// band's BandCode.
void GeneratePageFormat(const GenerationWindow &window, TBandBase *band, int level);

// The band's text items and code blocks in emission order: by Top, then by
// Left, then in child order.
QList<QWidget *> SortBandItems(const TBandBase *band);

// Tells the window's open code dialog, if any, where an item's lines begin
// or end (line counted from 1 within BandCode).
void MarkItemLines(const GenerationWindow &window, QObject *item, int line, ItemMark mark);
