#pragma once

#include "generation/GenerationOutlet.h"
#include "model/BandBase.h"

#include <QList>
#include <QString>

class QWidget;

// Rebuild the band's bandCode: its before code, heading, page format (for
// the report header), brackets, ".NEED", items with their line breaks,
// closing lines and after code. indent is the level of the first line.
void generateBandCode(const GenerationWindow &window, Band *band, bool withPrintCode, int indent);
void generateBreakBandCode(const GenerationWindow &window, BreakBand *band, bool withPrintCode,
                           int indent);

// The section word of a heading: "HEADER", "DETAIL" or "FOOTER".
QString bandTypeKeyword(BandType type);
QString breakBandTypeKeyword(BreakBandType type);

// Appends the report's margins and page size, in the page's units, to the
// band's bandCode.
void generatePageFormat(const GenerationWindow &window, BandBase *band, int level);

// The band's text items and code blocks in emission order: by Top, then by
// Left, then in child order.
QList<QWidget *> sortBandItems(const BandBase *band);

// Tells the window's open code dialog, if any, where an item's lines begin
// or end (line counted from 1 within bandCode).
void markItemLines(const GenerationWindow &window, QObject *item, int line, ItemMark mark);
