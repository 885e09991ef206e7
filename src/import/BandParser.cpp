#include "import/BandParser.h"

#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "model/BandBase.h"
#include "model/CharacterGrid.h"

#include <QRegularExpression>

namespace {

// Positions beyond these are kept as code: no paper is that large, and the
// design surface could not show them.
constexpr int MostRows = 1000;
constexpr int MostColumns = 1000;

bool hasControls(QStringView text)
{
    for (QChar c : text) {
        const char16_t code = c.unicode();
        if (code < u' ' || (code >= 0x7F && code <= 0x9F))
            return true;
    }
    return false;
}

// A display format such as c10, f10.2 or -e12.3, or a template such as
// d'03/02/1901'.
bool looksLikeFormat(const QString &text)
{
    static const QRegularExpression format(
        QStringLiteral("^(?:[-+]?[A-Za-z]{1,2}[0-9]+(?:\\.[0-9]+)?|[A-Za-z]{1,2}'.*'|"
                       "[A-Za-z]{1,2}\".*\")$"));
    return format.match(text).hasMatch();
}

// The expression and its format: "amount(f10.2)" prints amount as f10.2.
void splitPrint(const QString &rest, QString &caption, QString &format)
{
    caption = rest;
    format.clear();
    if (!rest.endsWith(u')'))
        return;
    int depth = 0;
    qsizetype open = -1;
    for (qsizetype i = rest.size() - 1; i >= 0 && open < 0; --i) {
        if (rest[i] == u')')
            ++depth;
        else if (rest[i] == u'(' && --depth == 0)
            open = i;
    }
    if (open <= 0)
        return;
    const QString inner = rest.mid(open + 1, rest.size() - open - 2);
    if (!looksLikeFormat(inner))
        return;
    caption = rest.left(open);
    format = inner;
}

QLatin1StringView headingKeyword(StatementKind kind)
{
    switch (kind) {
    case StatementKind::Header:
        return Keywords::Header;
    case StatementKind::Footer:
        return Keywords::Footer;
    default:
        return Keywords::Detail;
    }
}

} // namespace

bool BandParser::matchBare(const SourceLine &line, int level, QLatin1StringView keyword,
                           StatementKind kind, bool exact) const
{
    if (!line.single)
        return false;
    if (exact)
        return line.equals(level, keyword);
    return line.kind == kind && line.argument().isEmpty();
}

bool BandParser::matchArgument(const SourceLine &line, int level, QLatin1StringView keyword,
                               StatementKind kind, bool exact, QString &argument) const
{
    if (!line.single)
        return false;
    if (exact)
        return line.startsWith(level, keyword, &argument);
    if (line.kind != kind)
        return false;
    argument = line.argument();
    return true;
}

int BandParser::structureEnd(int first, int end) const
{
    const int level = m_lines[first].tabs;
    for (int i = end - 1; i > first; --i) {
        if (m_lines[i].tabs > level)
            return i + 1;
    }
    return first + 1;
}

namespace {

int firstBodyLine(const QList<SourceLine> &lines, int first, int end)
{
    int at = first + 1;
    while (at < end
           && (lines[at].is(StatementKind::LeftMargin) || lines[at].is(StatementKind::PageLength)
               || lines[at].is(StatementKind::RightMargin)
               || lines[at].is(StatementKind::PageWidth)))
        ++at;
    return at;
}

} // namespace

bool BandParser::opensBlock(int first, int end) const
{
    const int at = firstBodyLine(m_lines, first, end);
    return at < end - 1 && m_lines[at].is(StatementKind::Block)
           && m_lines[end - 1].is(StatementKind::EndBlock);
}

bool BandParser::opensWithin(int first, int end) const
{
    int at = firstBodyLine(m_lines, first, end);
    int last = end - 1;
    if (opensBlock(first, end)) {
        ++at;
        --last;
    }
    return at < last && m_lines[at].is(StatementKind::Within)
           && m_lines[last].is(StatementKind::EndWithin);
}

bool BandParser::parseHeading(int first, const BandReading &reading, BandPlan &plan,
                              int &level) const
{
    const SourceLine &line = m_lines[first];
    if (!line.single)
        return false;
    const StatementKind kind = line.kind;
    if (reading.exact) {
        if (line.tabs > 1 || !line.startsWith(line.tabs, headingKeyword(kind), &plan.typeField))
            return false;
        level = line.tabs;
    } else {
        plan.typeField = line.argument();
        level = 0;
    }
    const bool reportOrPage = LineText::isWord(plan.typeField, QLatin1StringView("REPORT"))
                              || LineText::isWord(plan.typeField, QLatin1StringView("PAGE"));
    if (kind == StatementKind::Detail) {
        plan.type = Detail;
    } else if (reportOrPage || !reading.breakBand) {
        plan.type = kind == StatementKind::Header ? Header : Footer;
    } else {
        plan.breakBand = true;
        plan.type = kind == StatementKind::Header ? BreakHeader : BreakFooter;
    }
    return true;
}

bool BandParser::parsePageFormat(int &at, int end, int level, const BandReading &reading,
                                 bool &matched) const
{
    static const StatementKind kinds[] = {StatementKind::LeftMargin, StatementKind::PageLength,
                                          StatementKind::RightMargin, StatementKind::PageWidth};
    matched = false;
    if (m_page.pageFormat.size() != 4 || at + 4 > end)
        return false;
    for (int i = 0; i < 4; ++i) {
        const SourceLine &line = m_lines[at + i];
        const QString &expected = m_page.pageFormat[i];
        if (reading.exact ? !(line.single && line.equals(level, expected))
                          : !(line.is(kinds[i]) && line.argument() == expected.section(u' ', 1)))
            return false;
    }
    at += 4;
    matched = true;
    return true;
}

std::optional<BandPlan> BandParser::parse(int first, int end, const QList<int> &before,
                                          const BandReading &reading)
{
    BandPlan plan;
    int level = 0;
    if (!parseHeading(first, reading, plan, level))
        return std::nullopt;
    const bool exact = reading.exact;
    if (exact && (level == 1) == before.isEmpty())
        return std::nullopt;
    plan.before = SourceLines::texts(m_lines, before);
    plan.codeLines = before;
    const int headingLevel = level++;
    int at = first + 1;
    int stop = end;
    if (exact) {
        stop = structureEnd(first, end);
        const int afterTabs = plan.breakBand ? headingLevel : 0;
        for (int i = stop; i < end; ++i) {
            if (m_lines[i].tabs < afterTabs)
                return std::nullopt;
            plan.after.append(m_lines[i].text.mid(afterTabs));
            plan.codeLines.append(i);
        }
    }
    if (!plan.breakBand && plan.type == Header
        && LineText::isWord(plan.typeField, QLatin1StringView("REPORT"))) {
        bool matched = false;
        parsePageFormat(at, stop, level, reading, matched);
        if (!matched) {
            if (exact)
                return std::nullopt;
            // A report header that sets no margins gets none: a blank after
            // the word keeps generation from adding them.
            plan.typeField += u' ';
        }
    }
    QString argument;
    if (reading.blockMode) {
        if (at >= stop
            || !matchBare(m_lines[at], level, Keywords::Block, StatementKind::Block, exact))
            return std::nullopt;
        plan.blockMode = true;
        ++at;
        ++level;
    }
    if (reading.fieldMode) {
        if (at >= stop)
            return std::nullopt;
        const SourceLine &line = m_lines[at];
        // A bare .WITHIN names no field; read exactly, it is known before
        // its argument is looked for.
        const bool bare = exact && line.single && line.equals(level, Keywords::Within);
        if (!bare
            && matchArgument(line, level, Keywords::Within, StatementKind::Within, exact, argument)
            && !LineText::isBlank(argument)) {
            plan.field = argument;
        } else if (bare || (!exact && line.is(StatementKind::Within))) {
            plan.field.clear();
        } else {
            return std::nullopt;
        }
        plan.fieldMode = true;
        ++at;
        ++level;
    }
    int last = stop;
    if (reading.blockMode) {
        if (last - 1 < at
            || !matchBare(m_lines[last - 1], headingLevel + 1, Keywords::EndBlock,
                          StatementKind::EndBlock, exact))
            return std::nullopt;
        --last;
    }
    if (reading.fieldMode) {
        if (last - 1 < at
            || !matchBare(m_lines[last - 1], level - 1, Keywords::EndWithin,
                          StatementKind::EndWithin, exact))
            return std::nullopt;
        --last;
    }
    if (!parseBody(at, last, level, reading, plan))
        return std::nullopt;
    return plan;
}

BandPlan BandParser::codeOnly(int first, int end, const QList<int> &before)
{
    BandPlan plan;
    int level = 0;
    BandReading reading;
    reading.exact = false;
    parseHeading(first, reading, plan, level);
    if (!plan.breakBand && plan.type == Header
        && LineText::isWord(plan.typeField, QLatin1StringView("REPORT")))
        plan.typeField += u' ';
    plan.before = SourceLines::texts(m_lines, before);
    plan.codeLines = before;
    if (first + 1 < end) {
        EntryPlan block;
        block.isCode = true;
        for (int i = first + 1; i < end; ++i)
            block.lines.append(i);
        block.code = SourceLines::texts(m_lines, block.lines);
        plan.entries.append(block);
    }
    return plan;
}

std::optional<EntryPlan> BandParser::parseItem(int at, int end, int level, bool exact,
                                               int &next) const
{
    EntryPlan entry;
    int i = at;
    QString argument;
    const auto take = [&](auto &&matches) {
        if (i < end && matches(m_lines[i])) {
            entry.lines.append(i++);
            return true;
        }
        return false;
    };
    const auto bare = [&](QLatin1StringView keyword, StatementKind kind) {
        return take(
            [&](const SourceLine &line) { return matchBare(line, level, keyword, kind, exact); });
    };
    const auto withArgument = [&](QLatin1StringView keyword, StatementKind kind) {
        return take([&](const SourceLine &line) {
            return matchArgument(line, level, keyword, kind, exact, argument);
        });
    };
    if (bare(Keywords::Block, StatementKind::Block)) {
        entry.blockMode = true;
        ++level;
    }
    if (withArgument(Keywords::Within, StatementKind::Within)) {
        entry.fieldMode = true;
        entry.field = argument;
        ++level;
    }
    if (exact && i < end && m_lines[i].startsWith(level, Keywords::NewLine, &argument)
        && m_lines[i].single && SourceLines::wholeNumber(argument) > 0) {
        entry.lineBreaks = SourceLines::wholeNumber(argument);
        entry.lines.append(i++);
    }
    entry.underline = bare(Keywords::Underline, StatementKind::Underline);
    const qsizetype beforePosition = entry.lines.size();
    if (withArgument(Keywords::Tab, StatementKind::Tab)) {
        entry.column = SourceLines::wholeNumber(argument);
        if (entry.column < 0)
            return std::nullopt;
        entry.position = EntryPlan::TabColumn;
    } else if (bare(Keywords::Left, StatementKind::Left)) {
        entry.position = EntryPlan::AlignToBand;
        entry.alignment = taLeftJustify;
    } else if (bare(Keywords::Center, StatementKind::Center)) {
        entry.position = EntryPlan::AlignToBand;
        entry.alignment = taCenter;
    } else if (bare(Keywords::Right, StatementKind::Right)) {
        entry.position = EntryPlan::AlignToBand;
        entry.alignment = taRightJustify;
    }
    // Written by hand, underlining may also begin after the position.
    if (!exact && !entry.underline && entry.lines.size() > beforePosition)
        entry.underline = bare(Keywords::Underline, StatementKind::Underline);
    if (!withArgument(Keywords::Print, StatementKind::Print) || hasControls(argument))
        return std::nullopt;
    splitPrint(argument, entry.caption, entry.format);
    if (entry.underline && !bare(Keywords::NoUnderline, StatementKind::NoUnderline))
        return std::nullopt;
    if (entry.fieldMode) {
        --level;
        if (!bare(Keywords::EndWithin, StatementKind::EndWithin))
            return std::nullopt;
    }
    if (entry.blockMode) {
        --level;
        if (!bare(Keywords::EndBlock, StatementKind::EndBlock))
            return std::nullopt;
    }
    next = i;
    return entry;
}

namespace {

// Where generation will find an entry: its Top and Left in pixels, so
// that sorting by them keeps the order of the source.
class EntryPlacer
{
public:
    EntryPlacer(const PageColumns &page) : m_page(page) {}

    // Places a text item that prints after breaks line breaks; false when
    // it cannot sort after what came earlier.
    bool placeText(EntryPlan &entry, int breaks)
    {
        const int row = m_row + breaks;
        // Without a position, an item prints where the line has got to:
        // at its start after a line break.
        int left = row > m_row ? 0 : m_left;
        if (entry.position == EntryPlan::TabColumn) {
            if (entry.column < m_page.leftMargin || entry.column >= m_page.pageWidth
                || entry.column > MostColumns)
                return false;
            left = (entry.column - m_page.leftMargin) * GridColumnWidth;
        } else if (entry.position == EntryPlan::AlignToBand) {
            const int width = itemWidth(entry);
            left = entry.alignment == taLeftJustify ? 0
                   : entry.alignment == taCenter    ? (m_page.bandWidth - width) / 2
                                                    : m_page.bandWidth - width;
            if (left < 0)
                return false;
        }
        if (row > MostRows)
            return false;
        if (m_any && row == m_row && left < m_left && !lowerByOnePixel())
            return false;
        entry.top = row * GridLineHeight + m_offset;
        entry.left = left;
        m_row = row;
        m_left = left;
        m_lastText = true;
        m_any = true;
        return true;
    }

    void placeCode(EntryPlan &entry, int breaks)
    {
        m_row = std::min(m_row + breaks, MostRows);
        // Code blocks come before text items at one place: one pixel on.
        if (m_lastText)
            ++m_left;
        entry.top = m_row * GridLineHeight + m_offset;
        entry.left = m_left;
        m_lastText = false;
        m_any = true;
    }

    bool any() const { return m_any; }
    bool lastIsText() const { return m_lastText; }
    int row() const { return m_row; }

private:
    // Entries sort by Top before Left: an entry left of the one before it
    // on its line still comes after it one pixel lower, and so does every
    // later one, so that line breaks, counted in whole lines between Tops,
    // stay as they are.
    bool lowerByOnePixel()
    {
        if (m_offset + 1 >= GridLineHeight)
            return false;
        ++m_offset;
        return true;
    }

    const PageColumns &m_page;
    int m_row = 0;
    int m_left = 0;
    int m_offset = 0;
    bool m_lastText = false;
    bool m_any = false;
};

} // namespace

// What reading a band's body has gathered so far.
struct BandParser::BodyState
{
    explicit BodyState(const PageColumns &page) : placer(page) {}

    // Breaks standing alone become code when code follows them.
    void breaksToCode()
    {
        code.append(newlines);
        newlines.clear();
        codeBreaks += pending;
        pending = 0;
    }

    void flushCode(const QList<SourceLine> &lines, BandPlan &plan)
    {
        if (code.isEmpty())
            return;
        EntryPlan block;
        block.isCode = true;
        block.lines = code;
        block.code = SourceLines::texts(lines, code);
        placer.placeCode(block, codeBreaks);
        plan.entries.append(block);
        code.clear();
        codeBreaks = 0;
    }

    EntryPlacer placer;
    QList<int> code;     // lines waiting to become a code block
    QList<int> newlines; // line breaks standing alone, waiting for the next item
    int pending = 0;     // the lines they break
    int codeBreaks = 0;  // the lines the breaks in the waiting code break
};

bool BandParser::parseBody(int at, int end, int level, const BandReading &reading, BandPlan &plan)
{
    const bool exact = reading.exact;
    QString argument;
    if (at < end
        && matchArgument(m_lines[at], level, Keywords::Need, StatementKind::Need, exact,
                         argument)) {
        const int rows = SourceLines::wholeNumber(argument);
        if (rows > 0 && rows <= MostRows) {
            plan.rows = rows;
            ++at;
        }
    }
    if (plan.breakBand && plan.type == BreakFooter && end - at >= 2
        && matchArgument(m_lines[end - 2], level, Keywords::NewLine, StatementKind::NewLine, exact,
                         argument)
        && argument == QLatin1String("1")
        && matchBare(m_lines[end - 1], level, Keywords::NewPage, StatementKind::NewPage, exact)) {
        plan.newPageOnBreak = true;
        end -= 2;
    }
    int trailingLine = -1;
    if (exact && end > at
        && matchArgument(m_lines[end - 1], level, Keywords::NewLine, StatementKind::NewLine, true,
                         argument)
        && SourceLines::wholeNumber(argument) > 0)
        trailingLine = --end;

    BodyState state(m_page);
    const int bodyStart = at;
    while (at < end) {
        if (takeItem(at, end, level, exact, plan, state))
            continue;
        const SourceLine &line = m_lines[at];
        int count = 0;
        if (exact) {
            // Generated text breaks lines alone only before its first item.
            if (at == bodyStart && line.single
                && line.startsWith(plan.breakBand ? 1 : level, Keywords::NewLine, &argument))
                count = SourceLines::wholeNumber(argument);
        } else if (line.is(StatementKind::NewLine)) {
            count = line.argument().isEmpty() ? 1 : SourceLines::wholeNumber(line.argument());
        }
        if (count > 0 && state.code.isEmpty()) {
            state.pending += count;
            state.newlines.append(at++);
            continue;
        }
        state.breaksToCode();
        state.code.append(at++);
    }
    finishBody(plan, state, trailingLine, exact);
    return true;
}

bool BandParser::takeItem(int &at, int end, int level, bool exact, BandPlan &plan,
                          BodyState &state) const
{
    int next = at;
    int itemLevel = level;
    std::optional<EntryPlan> item = parseItem(at, end, level, exact, next);
    if (!item && exact) {
        itemLevel = level + 1;
        item = parseItem(at, end, itemLevel, exact, next);
    }
    if (!item)
        return false;
    // Breaks waiting behind code stay code: the item cannot move them.
    if (!state.code.isEmpty() && !state.newlines.isEmpty())
        return false;
    QList<int> beforeLines;
    if (exact && itemLevel > level) {
        // The lines just before it, one level up, are its before code.
        qsizetype keep = state.code.size();
        while (keep > 0 && m_lines[state.code[keep - 1]].tabs >= level
               && !LineText::isBlank(m_lines[state.code[keep - 1]].text))
            --keep;
        beforeLines = state.code.mid(keep);
        state.code.resize(keep);
        item->hasBefore = true;
        for (int index : std::as_const(beforeLines))
            item->before.append(m_lines[index].text.mid(level));
        item->codeLines = beforeLines;
    }
    state.flushCode(m_lines, plan);
    if (item->lineBreaks > 0 && !state.placer.any()) {
        // Generation breaks lines before an item only after some entry: an
        // item that prints nothing, on the line the leading breaks lead to.
        EntryPlan silent;
        silent.printable = false;
        state.placer.placeText(silent, state.pending);
        silent.lines = state.newlines;
        state.newlines.clear();
        state.pending = 0;
        plan.entries.append(silent);
    }
    if (!state.placer.placeText(*item, state.pending + item->lineBreaks)) {
        state.code.append(beforeLines);
        state.breaksToCode();
        for (int i = at; i < next; ++i)
            state.code.append(i);
        at = next;
        return true;
    }
    item->lines = state.newlines + beforeLines + item->lines;
    state.newlines.clear();
    state.pending = 0;
    at = next;
    if (exact) {
        // Lines after it, down to its level less one, are its after code.
        const int afterTabs = itemLevel - 1;
        int ignored = 0;
        while (at < end && m_lines[at].tabs >= afterTabs
               && !parseItem(at, end, level, true, ignored)
               && !parseItem(at, end, level + 1, true, ignored)) {
            item->after.append(m_lines[at].text.mid(afterTabs));
            item->codeLines.append(at);
            item->lines.append(at++);
        }
    }
    plan.entries.append(*item);
    return true;
}

namespace {

// Bands in which .NEED changes nothing (the page's own header and footer,
// and the report header at the top of the first page) are made as high
// as their lines; elsewhere the height keeps the source's .NEED.
bool heightFollowsLines(const BandPlan &plan)
{
    if (plan.breakBand)
        return false;
    const QStringView field = LineText::trimmed(plan.typeField);
    const bool page = LineText::isWord(field, QLatin1StringView("PAGE"));
    const bool report = LineText::isWord(field, QLatin1StringView("REPORT"));
    return page || (plan.type == Header && report);
}

} // namespace

void BandParser::finishBody(BandPlan &plan, BodyState &state, int trailingLine, bool exact) const
{
    const bool textLast = state.code.isEmpty() && state.placer.lastIsText();
    const int lastRow = state.placer.row();
    bool trailingBreaks = false;
    if (exact) {
        const int trailing =
            trailingLine >= 0 ? SourceLines::wholeNumber(m_lines[trailingLine].argument()) : 0;
        trailingBreaks =
            textLast && lastRow > 0 && trailing > 0 && plan.rows == lastRow + 1 + trailing;
        if (trailingLine >= 0 && !trailingBreaks)
            state.code.append(trailingLine);
    } else {
        const bool followLines = heightFollowsLines(plan);
        if (followLines && !plan.entries.isEmpty())
            plan.rows = std::max(plan.rows, std::min(state.placer.row() + 1, MostRows));
        if (state.pending > 0 && textLast && lastRow > 0) {
            if (followLines && plan.rows == lastRow + 1)
                plan.rows = lastRow + 1 + state.pending;
            trailingBreaks = plan.rows == lastRow + 1 + state.pending;
        }
        if (trailingBreaks) {
            state.newlines.clear();
            state.pending = 0;
        }
        state.breaksToCode();
    }
    const bool spareRows = textLast && state.code.isEmpty() && lastRow > 0 && !trailingBreaks
                           && plan.rows > lastRow + 1;
    state.flushCode(m_lines, plan);
    if (spareRows) {
        // An empty code block last keeps generation from filling the band's
        // remaining lines with a line break the source does not have.
        EntryPlan block;
        block.isCode = true;
        state.placer.placeCode(block, 0);
        plan.entries.append(block);
    }
}
