#include "designer/DsnReportInspector.h"

#include "designer/DsnInspector.h"

namespace ReportInspector {

void configure(TDsnInspector &inspector)
{
    inspector.setSelfProps({
        "Alignment", "AlignToBand", "AutoSize", "Caption", "Font", "Code", "Color", "Color1",
        "Units", "Page", "TypeBand", "TypeField", "Break", "Cleanup", "Data", "Declare",
        "Include", "Longremark", "Nam|Name", "Output", "Query", "Setup", "Shortremark", "Sort",
        "DataBase", "Table", "Format", "Comments", "PrintCode", "BandCode",
        "PrintBreakAlways|Print Break Value Always", "PrintValueOnBreaks|Print Value On Breaks",
        "PrintValueOnPage|Print Value On Page Breaks", "NewPageOnBreak", "BlockMode",
        "FieldMode", "Name", "TabPosition", "Vnode",
    });
    inspector.setBtnProps({
        "Page", "Font", "Code", "Color", "Color1", "Lines", "PageCode", "BandCode", "Break",
        "Cleanup", "Data", "Declare", "Include", "LongRemark", "Query", "Setup", "Sort",
        "Table", "Comments", "PrintCode",
    });

    TShowProps rows;
    rows.aColor = rows.aTop = rows.aLeft = rows.aWidth = rows.aHeight = rows.aFont = true;
    rows.aCaptionCp = QStringLiteral("Text");
    rows.aColorCp = QStringLiteral("Color");
    rows.aFontCp = QStringLiteral("Font");
    inspector.setShowProps(rows);

    inspector.setShowCombo(false);
    inspector.setStayOnTop(true);
    inspector.setHelpButton({});
    inspector.setPosition({15, 50, 200, 300});
    inspector.setCaption(QStringLiteral("Object Inspector"));
    TGridCp grid;
    grid.PropWid = 60;
    grid.ValueWid = 50;
    inspector.setGrid(grid);
}

} // namespace ReportInspector
