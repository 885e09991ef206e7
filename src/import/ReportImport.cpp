#include "import/ReportImport.h"

#include "import/PageLines.h"
#include "import/SectionImport.h"
#include "import/SourceLines.h"

#include "check/ReportCheck.h"
#include "generation/Generator.h"
#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "model/CodeBlock.h"
#include "model/ComponentOwner.h"
#include "model/InputFile.h"
#include "model/ReportClasses.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

constexpr int MostPageColumns = 1000;

// A heading whose argument holds a control character the report program
// reads names nothing a band can hold: it stays code.
bool isHeading(const SourceLine &line)
{
    return (line.is(StatementKind::Header) || line.is(StatementKind::Footer)
            || line.is(StatementKind::Detail))
           && !SourceLines::holdsReadControls(line.rest);
}

// The page format of the first report header, or, without one, a page as
// the report program lays it out by default: no margins, 132 columns (or
// the report's .PAGEWIDTH), 61 lines.
PageColumns setUpPage(const QList<SourceLine> &lines, const QList<int> &headings, ReportPage *page)
{
    static const StatementKind kinds[] = {StatementKind::LeftMargin, StatementKind::PageLength,
                                          StatementKind::RightMargin, StatementKind::PageWidth};
    int values[4] = {-1, -1, -1, -1};
    for (int heading : headings) {
        if (!lines[heading].is(StatementKind::Header)
            || !LineText::isWord(lines[heading].argument(), QLatin1StringView("REPORT")))
            continue;
        for (int i = 0; i < 4 && heading + 1 + i < lines.size(); ++i) {
            const SourceLine &line = lines[heading + 1 + i];
            if (line.is(kinds[i]))
                values[i] = SourceLines::wholeNumber(line.argument());
        }
        break;
    }
    const auto valid = [](int value) {
        return value >= 0 && value <= MostPageColumns;
    };
    const bool pageFormat = std::all_of(std::begin(values), std::end(values), valid)
                            && values[2] <= values[3] && values[0] < values[3];
    page->setPaperSize(PaperCustom);
    if (pageFormat) {
        page->setPageValue(Width, values[3]);
        page->setPageValue(Length, values[1]);
        page->setPageValue(LeftMargin, values[0]);
        page->setPageValue(RightMargin, values[3] - values[2]);
    } else {
        int width = 132;
        const int firstHeading = headings.isEmpty() ? int(lines.size()) : headings.first();
        for (int i = 0; i < firstHeading; ++i) {
            if (lines[i].is(StatementKind::PageWidth)) {
                const int value = SourceLines::wholeNumber(lines[i].argument());
                if (value > 0 && value <= MostPageColumns)
                    width = value;
            }
        }
        page->setPageValue(Width, width);
        page->setPageValue(Length, 61);
        page->setPageValue(LeftMargin, 0);
        page->setPageValue(RightMargin, 0);
    }
    PageColumns columns;
    columns.leftMargin = Geometry::roundAway(page->pageValue(LeftMargin));
    columns.pageWidth = Geometry::roundAway(page->pageValue(Width));
    columns.bandLeft = Geometry::roundEven(page->pageValuePixels(LeftMargin));
    columns.bandTop = Geometry::roundEven(page->pageValuePixels(TopMargin));
    columns.bandWidth = page->width()
                        - Geometry::roundEven(page->pageValuePixels(LeftMargin)
                                              + page->pageValuePixels(RightMargin));
    if (pageFormat) {
        const long double width = page->pageValue(Width);
        columns.pageFormat = {
            LineText::statement(Keywords::LeftMargin, columns.leftMargin),
            LineText::statement(Keywords::PageLength, Geometry::roundAway(page->pageValue(Length))),
            LineText::statement(Keywords::RightMargin,
                                Geometry::roundAway(width - page->pageValue(RightMargin))),
            LineText::statement(Keywords::PageWidth, columns.pageWidth)};
    }
    return columns;
}

void keepAsPageCode(const QList<SourceLine> &lines, const QList<int> &indices,
                    ComponentOwner &owner, ReportPage *page, QList<KeptLine> &kept)
{
    auto *block = new CodeBlock(&owner, page);
    block->setName(owner.uniqueName(QStringLiteral("TMBlockCode")));
    CodeLines code;
    for (int index : indices) {
        code.add(lines[index].text);
        kept.append({lines[index].number, block->objectName(), lines[index].text});
    }
    block->setCode(code);
}

// The lines of a source and where its sections begin.
struct PageSource
{
    const QList<SourceLine> &lines;
    const QList<int> &headings;
    bool endsOpen = false; // a string or comment left open runs to the end
};

// How freely the sections are read.
struct SectionChoices
{
    // Lines before a heading one TAB in become its band's before code.
    bool handOver = true;
    // The section of a sort column may be a plain band, which generation
    // writes ahead of the break bands.
    bool plainSortBands = true;
};

// Makes the page of the source on the stage; *handedOver tells whether any
// lines became the before code of the band after them.
ReportPage *importPage(const PageSource &source, ComponentOwner &owner, QWidget *stage,
                       const SectionChoices &choices, QList<KeptLine> &kept, bool &handedOver)
{
    const QList<SourceLine> &lines = source.lines;
    const QList<int> &headings = source.headings;
    auto *page = new ReportPage(&owner, stage);
    page->setName(QStringLiteral("mPage1"));
    page->setNewReportValues();
    const PageColumns columns = setUpPage(lines, headings, page);
    // One restack at the end: each band placed itself.
    page->beginLoading();
    const int pageEnd = headings.isEmpty() ? int(lines.size()) : headings.first();
    // A heading one TAB in follows the lines its band runs before it.
    const auto hasBefore = [&](qsizetype j) {
        return choices.handOver && j < headings.size() && lines[headings[j]].tabs == 1;
    };
    QList<int> before;
    int ownPageEnd = pageEnd;
    // The report's own statements stay the report's.
    if (hasBefore(0) && pageEnd > 0 && !Statements::isReportLevel(lines[pageEnd - 1].kind)) {
        before = {pageEnd - 1};
        ownPageEnd = pageEnd - 1;
    }
    importPageLines(lines, ownPageEnd, source.endsOpen, page, kept);
    SectionImport sections(lines, columns, owner, page, kept, choices.plainSortBands);
    // A string or comment left open runs to the end of the text; the last
    // section, which holds it, stays last: as code after every band.
    const qsizetype bands =
        source.endsOpen && !headings.isEmpty() ? headings.size() - 1 : headings.size();
    handedOver = false;
    for (qsizetype j = 0; j < bands; ++j) {
        const int end = j + 1 < headings.size() ? headings[j + 1] : int(lines.size());
        handedOver = handedOver || !before.isEmpty();
        before = sections.import(headings[j], end, before, j + 1 < bands && hasBefore(j + 1));
    }
    handedOver = handedOver || !before.isEmpty();
    if (bands < headings.size())
        keepAsPageCode(lines, before + SectionImport::range(headings.last(), int(lines.size())),
                       owner, page, kept);
    page->loaded();
    return page;
}

// Whether generation writes the page's sections in the order the import
// made them, which is the order of the source.
bool sectionsInOrder(const ReportPage *page)
{
    const QList<QWidget *> order = sectionOrder(page);
    const QSet<QWidget *> written(order.begin(), order.end());
    QList<QWidget *> made;
    for (QWidget *child : orderedChildren(page, reportClasses())) {
        if (written.contains(child))
            made.append(child);
    }
    return made == order;
}

} // namespace

namespace ReportImport {

std::optional<QByteArray> readSource(const QString &fileName, QString *error)
{
    const QFileInfo info(fileName);
    if (info.isFile() && info.size() > MaxSourceSize) {
        if (error)
            *error = QStringLiteral("the file is larger than %1 MiB").arg(MaxSourceSize >> 20);
        return std::nullopt;
    }
    std::optional<QByteArray> bytes = InputFile::read(fileName, error);
    if (bytes && bytes->size() > MaxSourceSize) {
        if (error)
            *error = QStringLiteral("the file is larger than %1 MiB").arg(MaxSourceSize >> 20);
        return std::nullopt;
    }
    return bytes;
}

Result importSource(QByteArrayView text, ComponentOwner &owner, QWidget *stage)
{
    Result result;
    ProblemList reading;
    bool endsOpen = false;
    const QList<SourceLine> lines = SourceLines::read(text, reading, &endsOpen);
    result.problems = ReportCheck::check(text) + reading.sorted();
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const CheckProblem &a, const CheckProblem &b) { return a.line < b.line; });

    QList<int> headings;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isHeading(lines[i]))
            headings.append(int(i));
    }
    const PageSource source{lines, headings, endsOpen};
    // Lines that run before a band are written before its heading, after
    // the band generation writes ahead of it: when that is not the band of
    // the section they came from, they would move to another section. The
    // sections are then read again as break bands, where generation keeps
    // the order of the source, and at last with those lines left where the
    // source has them.
    const SectionChoices attempts[] = {{true, true}, {true, false}, {false, false}};
    for (const SectionChoices &choices : attempts) {
        delete result.page;
        result.keptAsCode.clear();
        bool handedOver = false;
        result.page = importPage(source, owner, stage, choices, result.keptAsCode, handedOver);
        if (!handedOver || sectionsInOrder(result.page))
            break;
    }
    std::stable_sort(result.keptAsCode.begin(), result.keptAsCode.end(),
                     [](const KeptLine &a, const KeptLine &b) { return a.line < b.line; });
    return result;
}

QStringList describe(const Result &result)
{
    QStringList lines;
    for (const KeptLine &kept : result.keptAsCode)
        lines.append(
            QStringLiteral("%1: kept as code in %2: %3").arg(kept.line).arg(kept.where, kept.text));
    for (const CheckProblem &problem : result.problems)
        lines.append(QStringLiteral("%1: %2: %3")
                         .arg(problem.line)
                         .arg(problem.severityName(), problem.message));
    return lines;
}

} // namespace ReportImport
