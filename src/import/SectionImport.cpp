#include "import/SectionImport.h"

#include "import/BandBuilder.h"
#include "import/StatementSequence.h"

#include "generation/BandCode.h"
#include "generation/LineText.h"
#include "model/ReportClasses.h"

#include <algorithm>

namespace {

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

} // namespace

SectionImport::SectionImport(const QList<SourceLine> &lines, const PageColumns &columns,
                             ComponentOwner &owner, ReportPage *page, QList<KeptLine> &kept,
                             bool plainSortBands)
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

QStringList SectionImport::texts(const QList<int> &indices) const
{
    QStringList result;
    for (int index : indices)
        result.append(m_lines[index].text);
    return result;
}

QList<int> SectionImport::range(int first, int end)
{
    QList<int> indices;
    for (int i = first; i < end; ++i)
        indices.append(i);
    return indices;
}

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
    const Attempt attempt{m_parser, m_lines, first, end, before, expected, onlyWithItems};
    for (const bool breakBand : {true, false}) {
        if (!breakBand && !sortColumn)
            break;
        if (tryModes(attempt, {true, breakBand, false, false}, block, within))
            return true;
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
    const Attempt attempt{m_pieceParser, m_pieces, pieceFirst,   pieceEnd,
                          pieceBefore,   expected, onlyWithItems};
    return tryModes(attempt, {false, true, false, false}, block, within);
}

// The reading in block and field mode where the section's first and last
// lines suggest them, then without.
bool SectionImport::tryModes(const Attempt &attempt, BandReading reading, bool block, bool within)
{
    for (const bool blockMode : {block, false}) {
        for (const bool fieldMode : {within, false}) {
            reading.blockMode = blockMode;
            reading.fieldMode = fieldMode;
            std::optional<BandPlan> plan =
                attempt.parser.parse(attempt.first, attempt.end, attempt.before, reading);
            if (plan && attempt.onlyWithItems && !hasItems(*plan))
                plan.reset();
            if (tryPlan(plan, attempt.lines, attempt.expected, reading.exact))
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
