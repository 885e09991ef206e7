#pragma once

#include "model/TextItem.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the import makes of one section before any component exists: the
// band with its options and the entries it holds, in emission order.
struct EntryPlan
{
    enum Position { NoPosition, TabColumn, AlignToBand };

    bool isCode = false;
    QList<int> lines; // indices of the source lines the entry came from
    int top = 0;      // pixels within the band
    int left = 0;

    // A code block: the source lines as they stand.
    QStringList code;

    // A text item.
    QString caption;
    QString format;
    QString field;
    bool blockMode = false;
    bool fieldMode = false;
    bool underline = false;
    bool printable = true;
    Position position = NoPosition;
    int column = 0;
    int lineBreaks = 0; // the item's own .NEWLINE
    TextAlignment alignment = taLeftJustify;
    bool hasBefore = false; // beforePrint has lines, maybe only a blank one
    QStringList before;
    QStringList after;
    QList<int> codeLines; // the source lines of before and after
};

struct BandPlan
{
    bool breakBand = false;
    int type = 0; // BandType or BreakBandType
    QString typeField;
    bool blockMode = false;
    bool fieldMode = false;
    QString field;
    int rows = 0; // 0: less than one line high
    bool newPageOnBreak = false;
    QStringList before;
    QStringList after;
    QList<int> codeLines; // the source lines of before and after
    QList<EntryPlan> entries;
};

// The width a text item is given: its caption's or its format's columns.
int itemWidth(const EntryPlan &entry);
