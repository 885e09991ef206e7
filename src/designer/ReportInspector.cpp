#include "designer/ReportInspector.h"

#include "designer/ObjectInspector.h"

namespace ReportInspector {

void configure(ObjectInspector &inspector)
{
    inspector.setSelfProperties({
        "Alignment",
        "AlignToBand",
        "AutoSize",
        "Caption",
        "Font",
        "Code",
        "Color",
        "Color1",
        "Units",
        "Page",
        "TypeBand",
        "TypeField",
        "Break",
        "Cleanup",
        "Data",
        "Declare",
        "Include",
        "Longremark",
        "Nam|Name",
        "Output",
        "Query",
        "Setup",
        "Shortremark",
        "Sort",
        "DataBase",
        "Table",
        "Format",
        "Comments",
        "PrintCode",
        "BandCode",
        "PrintBreakAlways|Print Break Value Always",
        "PrintValueOnBreaks|Print Value On Breaks",
        "PrintValueOnPage|Print Value On Page Breaks",
        "NewPageOnBreak",
        "BlockMode",
        "FieldMode",
        "Name",
        "TabPosition",
        "Vnode",
    });
    inspector.setButtonProperties({
        "Page",     "Font",  "Code",    "Color", "Color1",   "Lines",     "PageCode",
        "BandCode", "Break", "Cleanup", "Data",  "Declare",  "Include",   "LongRemark",
        "Query",    "Setup", "Sort",    "Table", "Comments", "PrintCode",
    });

    StandardRows rows;
    rows.showColor = rows.showTop = rows.showLeft = rows.showWidth = rows.showHeight =
        rows.showFont = true;
    rows.captionCaption = QStringLiteral("Text");
    rows.colorCaption = QStringLiteral("Color");
    rows.fontCaption = QStringLiteral("Font");
    inspector.setStandardRows(rows);

    inspector.setShowsCombo(false);
    inspector.setStaysOnTop(true);
    inspector.setHelpButton({});
    inspector.setPosition({15, 50, 200, 300});
    inspector.setCaption(QStringLiteral("Object Inspector"));
    GridCaptions grid;
    grid.propertyWidth = 60;
    grid.valueWidth = 50;
    inspector.setGridCaptions(grid);
}

} // namespace ReportInspector
