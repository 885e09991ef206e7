#include "import/ReportImport.h"

#include "import/BandBuilder.h"
#include "import/BandParser.h"
#include "import/PageLines.h"
#include "import/SourceLines.h"
#include "import/StatementSequence.h"

#include "check/ReportCheck.h"
#include "generation/BandCode.h"
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

bool isHeading(const SourceLine &line)
{
    return line.is(StatementKind::Header) || line.is(StatementKind::Footer)
           || line.is(StatementKind::Detail);
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

QStringList generatedLines(ReportPage *page, BandBase *band)
{
    GenerationWindow window;
    window.page = page;
    if (auto *plain = qobject_cast<Band *>(band))
        generateBandCode(window, plain, true, 0);
    else if (auto *breakBand = qobject_cast<BreakBand *>(band))
        generateBreakBandCode(window, breakBand, true, 0);
    return band->bandCode.texts();
}

bool hasItems(const BandPlan &plan)
{
    return std::any_of(plan.entries.begin(), plan.entries.end(),
                       [](const EntryPlan &entry) { return !entry.isCode && entry.printable; });
}

QList<int> range(int first, int end)
{
    QList<int> indices;
    for (int i = first; i < end; ++i)
        indices.append(i);
    return indices;
}

// The lines with each that holds several statements split into one line
// per statement (see SourceLines::split); first: the index of each
// line's first piece, and the number of pieces at the end.
void splitLines(const QList<SourceLine> &lines, QList<SourceLine> &pieces, QList<int> &first)
{
    pieces.clear();
    first.clear();
    for (const SourceLine &line : lines) {
        first.append(int(pieces.size()));
        const QList<SourceLine> split = SourceLines::split(line);
        if (split.isEmpty())
            pieces.append(line);
        else
            pieces.append(split);
    }
    first.append(int(pieces.size()));
}

// Makes the bands of the sections, one after the other.
class SectionImport
{
public:
    SectionImport(const QList<SourceLine> &lines, const PageColumns &columns, ComponentOwner &owner,
                  ReportPage *page, QList<KeptLine> &kept, bool plainSortBands)
        : m_lines(lines),
          m_columns(columns),
          m_parser(lines, columns),
          m_pieces(lines),
          m_pieceParser(m_pieces, columns),
          m_owner(owner),
          m_page(page),
          m_kept(kept),
          m_nextTop(columns.bandTop),
          m_plainSortBands(plainSortBands)
    {
        if (std::any_of(lines.begin(), lines.end(),
                        [](const SourceLine &line) { return line.severalStatements; }))
            splitLines(lines, m_pieces, m_firstPiece);
    }

    // The section from first to end; before: the lines that run before
    // its heading. Returns the lines the next section takes as its own
    // before code when its heading says it has some (handOver).
    QList<int> import(int first, int end, const QList<int> &before, bool nextHasBefore);

private:
    QStringList texts(const QList<int> &indices) const
    {
        QStringList result;
        for (int index : indices)
            result.append(m_lines[index].text);
        return result;
    }
    // The index of a line's first piece (or of the piece after the last).
    int piece(int line) const { return m_firstPiece.isEmpty() ? line : m_firstPiece[line]; }
    bool tryExactly(int first, int end, const QList<int> &before, bool sortColumn,
                    bool onlyWithItems);
    bool tryLeniently(int first, int end, const QList<int> &before, bool onlyWithItems);
    BandBase *tryPlan(const std::optional<BandPlan> &plan, const QList<SourceLine> &lines,
                      const QStringList &expected, bool exact);
    void accept(const BandPlan &plan, const QList<SourceLine> &lines, const BandBase *band);
    QRect slot() const;

    const QList<SourceLine> &m_lines;
    const PageColumns &m_columns;
    BandParser m_parser;
    // Read statement by statement, a section's lines that hold several
    // statements are read one statement at a time.
    QList<SourceLine> m_pieces;
    QList<int> m_firstPiece; // empty: no line was split
    BandParser m_pieceParser;
    ComponentOwner &m_owner;
    ReportPage *m_page;
    QList<KeptLine> &m_kept;
    int m_nextTop;
    // A section of a sort column may be read as a plain band.
    bool m_plainSortBands;
};

BandBase *SectionImport::tryPlan(const std::optional<BandPlan> &plan,
                                 const QList<SourceLine> &lines, const QStringList &expected,
                                 bool exact)
{
    if (!plan)
        return nullptr;
    BandBase *band = buildBand(*plan, m_owner, m_page, slot());
    const QStringList generated = generatedLines(m_page, band);
    const bool same = exact ? generated == expected
                            : StatementSequence::withoutPositioning(generated)
                                  == StatementSequence::withoutPositioning(expected);
    if (same) {
        accept(*plan, lines, band);
        return band;
    }
    delete band;
    return nullptr;
}

// Where the next band goes in the page's stack.
QRect SectionImport::slot() const
{
    return {m_columns.bandLeft, m_nextTop, m_columns.bandWidth, 0};
}

void SectionImport::accept(const BandPlan &plan, const QList<SourceLine> &lines,
                           const BandBase *band)
{
    m_nextTop += band->height();
    const QString name = band->objectName();
    const auto keep = [&](const QList<int> &indices) {
        QList<int> numbers;
        const QStringList code = SourceLines::texts(lines, indices, &numbers);
        for (qsizetype i = 0; i < code.size(); ++i)
            m_kept.append({numbers[i], name, code[i]});
    };
    keep(plan.codeLines);
    for (const EntryPlan &entry : plan.entries)
        keep(entry.isCode ? entry.lines : entry.codeLines);
}

bool SectionImport::tryExactly(int first, int end, const QList<int> &before, bool sortColumn,
                               bool onlyWithItems)
{
    const QStringList expected = texts(before) + texts(range(first, end));
    const int stop = m_parser.structureEnd(first, end);
    const bool block = m_parser.opensBlock(first, stop);
    const bool within = m_parser.opensWithin(first, stop);
    for (const bool breakBand : {true, false}) {
        if (!breakBand && !sortColumn)
            break;
        for (const bool blockMode : {block, false}) {
            for (const bool fieldMode : {within, false}) {
                const BandReading reading{true, breakBand, blockMode, fieldMode};
                std::optional<BandPlan> plan = m_parser.parse(first, end, before, reading);
                if (plan && onlyWithItems && !hasItems(*plan))
                    plan.reset();
                if (tryPlan(plan, m_lines, expected, true))
                    return true;
                if (!fieldMode)
                    break;
            }
            if (!blockMode)
                break;
        }
    }
    return false;
}

bool SectionImport::tryLeniently(int first, int end, const QList<int> &before, bool onlyWithItems)
{
    const QStringList expected = texts(before) + texts(range(first, end));
    const int pieceFirst = piece(first);
    const int pieceEnd = piece(end);
    QList<int> pieceBefore;
    for (int index : before)
        pieceBefore += range(piece(index), piece(index + 1));
    const bool block = m_pieceParser.opensBlock(pieceFirst, pieceEnd);
    const bool within = m_pieceParser.opensWithin(pieceFirst, pieceEnd);
    for (const bool blockMode : {block, false}) {
        for (const bool fieldMode : {within, false}) {
            const BandReading reading{false, true, blockMode, fieldMode};
            std::optional<BandPlan> plan =
                m_pieceParser.parse(pieceFirst, pieceEnd, pieceBefore, reading);
            if (plan && onlyWithItems && !hasItems(*plan))
                plan.reset();
            if (tryPlan(plan, m_pieces, expected, false))
                return true;
            if (!fieldMode)
                break;
        }
        if (!blockMode)
            break;
    }
    return false;
}

QList<int> SectionImport::import(int first, int end, const QList<int> &before, bool nextHasBefore)
{
    const QString field = m_lines[first].argument();
    const bool sortColumn = m_plainSortBands && !m_lines[first].is(StatementKind::Detail)
                            && !LineText::isWord(field, QLatin1StringView("REPORT"))
                            && !LineText::isWord(field, QLatin1StringView("PAGE"));
    // A section with no line indented below its heading is written by hand,
    // unless it is all after code: its items come first.
    const int stop = m_parser.structureEnd(first, end);
    const bool unindented = stop == first + 1 && stop < end;
    if (unindented && tryLeniently(first, end, before, true))
        return {};
    // As generation wrote it: exactly. The lines the next band runs before
    // its heading follow this band's last indented line, or are at least
    // its last line.
    QList<int> ownEnds;
    if (!nextHasBefore)
        ownEnds = {end};
    else if (stop < end)
        ownEnds = {stop};
    if (nextHasBefore && end - 1 > first && end - 1 != stop)
        ownEnds.append(end - 1);
    // Generation writes one statement a line, but its code blocks may hold
    // lines of several: while either reading makes items of such a
    // section, the one that does is taken.
    const auto several = [](const SourceLine &line) {
        return line.severalStatements;
    };
    const bool split =
        std::any_of(m_lines.begin() + first, m_lines.begin() + end, several)
        || std::any_of(before.begin(), before.end(), [&](int i) { return several(m_lines[i]); });
    for (const bool onlyWithItems : {split, false}) {
        for (const int own : ownEnds) {
            if (tryExactly(first, own, before, sortColumn, onlyWithItems))
                return range(own, end);
        }
        // As written by hand: statement by statement.
        if (!unindented && tryLeniently(first, end, before, onlyWithItems))
            return {};
        if (!onlyWithItems)
            break;
    }
    const BandPlan code = m_parser.codeOnly(first, end, before);
    accept(code, m_lines, buildBand(code, m_owner, m_page, slot()));
    return {};
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
    importPageLines(lines, ownPageEnd, page, kept);
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
        keepAsPageCode(lines, before + range(headings.last(), int(lines.size())), owner, page,
                       kept);
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
