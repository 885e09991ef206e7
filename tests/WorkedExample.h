#pragma once

// The sales report that serves as the worked example of generation: built
// in code, with the Report-Writer text it must give.

#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QStringList>

namespace WorkedExample {

inline CodeLines codeLines(const QStringList &texts)
{
    CodeLines lines;
    lines.setTexts(texts);
    return lines;
}

template<class BandClass, class Type>
BandClass *addBand(ComponentOwner &owner, ReportPage *page, Type type, const QString &field,
                   int height)
{
    auto *band = new BandClass(&owner, page);
    band->setName(owner.uniqueName(reportClasses().storedClassName(band)));
    band->setTypeBand(type);
    band->setTypeField(field);
    band->setHeightPx(height);
    return band;
}

inline TextItem *addText(ComponentOwner &owner, QWidget *band, const QString &caption, int left,
                         int top)
{
    auto *text = new TextItem(&owner, band);
    text->setName(owner.uniqueName(QStringLiteral("TmText")));
    text->setCaption(caption);
    text->setBounds(left, top, 100, 18);
    text->setFontSize(8);
    return text;
}

// The page with its bands and items, on the given stage.
inline ReportPage *build(ComponentOwner &owner, QWidget *stage)
{
    auto *page = new ReportPage(&owner, stage);
    page->setName(QStringLiteral("mPage1"));
    page->setNewReportValues();
    page->comments = codeLines({"Sales by region"});
    page->reportName = QStringLiteral("sales");
    page->output = QStringLiteral("sales.out");
    page->shortRemark = QStringLiteral("Regional sales");
    page->query = codeLines({".QUERY", "select region, name, amount from sales"});
    page->sort = codeLines({".SORT region"});
    page->setPageValue(LeftMargin, 2);
    page->setPageValue(Length, 66);
    page->setPageValue(Width, 80);
    page->setPageValue(RightMargin, 2);

    addText(owner, addBand<Band>(owner, page, Header, "report", 36), "'Sales report'", 200, 0);
    Band *detail = addBand<Band>(owner, page, Detail, QString(), 18);
    addText(owner, detail, "name", 0, 0);
    addText(owner, detail, "amount", 300, 0)->format = QStringLiteral("f10.2");
    auto *breakHeader = addBand<BreakBand>(owner, page, BreakHeader, "region", 18);
    addText(owner, breakHeader, "region", 0, 0)->format = QStringLiteral("c10");
    auto *footer = addBand<Band>(owner, page, Footer, "report", 36);
    TextItem *end = addText(owner, footer, "'End of report'", 0, 18);
    end->setAlignToBand(true);
    end->setAlignment(taCenter);
    FontRecord font = end->fontRecord();
    font.style = FontRecord::Underline;
    end->setFontRecord(font);
    return page;
}

// The generated text, one entry per line; '>' stands for a TAB.
inline QStringList lines()
{
    const QStringList written{
        "/*# Sales by region",
        "# Sales by region*/",
        ".NAME sales",
        ".OUTPUT sales.out",
        ".SHORTREMARK Regional sales",
        ".QUERY",
        "select region, name, amount from sales",
        ".SORT region",
        ".HEADER report",
        ">.LEFTMARGIN 2",
        ">.PAGELENGTH 66",
        ">.RIGHTMARGIN 78",
        ">.PAGEWIDTH 80",
        ">.NEED 2",
        ">.TAB 22",
        ">.PRINT 'Sales report'",
        ".HEADER region",
        ">.NEED 1",
        ">.TAB 2",
        ">.PRINT region(c10)",
        ".DETAIL ",
        ">.NEED 1",
        ">.TAB 2",
        ">.PRINT name",
        ">.TAB 32",
        ">.PRINT amount(f10.2)",
        ".FOOTER report",
        ">.NEED 2",
        ">.NEWLINE 1",
        ">.UNDERLINE",
        ">.CENTER",
        ">.PRINT 'End of report'",
        ">.NOUNDERLINE",
    };
    QStringList result;
    for (QString line : written) {
        if (line.startsWith(u'>'))
            line.replace(0, 1, u'\t');
        result.append(line);
    }
    return result;
}

} // namespace WorkedExample
