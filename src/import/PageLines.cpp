#include "import/PageLines.h"

#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "model/ReportPage.h"

#include <algorithm>
#include <array>

namespace {

// The section lists in the order generation writes them.
enum Section {
    LongRemark,
    Include,
    Data,
    Setup,
    Cleanup,
    Query,
    Sort,
    BreakSection,
    Declare,
    SectionCount,
    AnySection = -1
};

constexpr std::array<const char *, SectionCount> SectionNames = {
    "LongRemark", "Include", "Data", "Setup", "Cleanup", "Query", "Sort", "Break", "Declare"};

CodeLines &sectionList(ReportPage *page, int section)
{
    CodeLines *lists[] = {&page->longRemark, &page->include,      &page->data,
                          &page->setup,      &page->cleanup,      &page->query,
                          &page->sort,       &page->breakSection, &page->declare};
    return *lists[section];
}

int naturalSection(StatementKind kind)
{
    switch (kind) {
    case StatementKind::LongRemark:
        return LongRemark;
    case StatementKind::Include:
        return Include;
    case StatementKind::Data:
        return Data;
    case StatementKind::Setup:
        return Setup;
    case StatementKind::Cleanup:
        return Cleanup;
    case StatementKind::Query:
        return Query;
    case StatementKind::Sort:
        return Sort;
    case StatementKind::Break:
        return BreakSection;
    case StatementKind::Declare:
        return Declare;
    default:
        return AnySection;
    }
}

// The comment block generation opens the source with: "/*# " and the
// first line, "# " and each further line, "*/" after the last; at least
// two lines.
int readComments(const QList<SourceLine> &lines, int end, ReportPage *page)
{
    if (end < 2 || lines[0].hasStatement || !lines[0].text.startsWith(QLatin1String("/*# ")))
        return 0;
    for (int last = 1; last < end; ++last) {
        const QString &text = lines[last].text;
        if (lines[last].hasStatement || !text.startsWith(QLatin1String("# ")))
            return 0;
        if (!text.endsWith(QLatin1String("*/")))
            continue;
        QStringList comments{lines[0].text.mid(4)};
        for (int i = 1; i < last; ++i)
            comments.append(lines[i].text.mid(2));
        comments.append(text.mid(2, text.size() - 4));
        page->comments.setTexts(comments);
        return last + 1;
    }
    return 0;
}

// ".NAME", ".OUTPUT" and ".SHORTREMARK" in this order, each at most once.
int readHeaderLines(const QList<SourceLine> &lines, int at, int end, ReportPage *page)
{
    const struct
    {
        StatementKind kind;
        QLatin1StringView keyword;
        QString *value;
    } headers[] = {{StatementKind::Name, Keywords::Name, &page->reportName},
                   {StatementKind::Output, Keywords::Output, &page->output},
                   {StatementKind::ShortRemark, Keywords::ShortRemark, &page->shortRemark}};
    for (const auto &header : headers) {
        if (at >= end || !lines[at].is(header.kind))
            continue;
        QString value;
        if (!lines[at].startsWith(0, header.keyword, &value) || LineText::isBlank(value))
            value = lines[at].argument();
        if (value.isEmpty() || LineText::blankControls(value) != value
            || SourceLines::holdsReadControls(lines[at].rest))
            return at;
        *header.value = value;
        ++at;
    }
    return at;
}

struct Group
{
    QList<int> lines;
    int natural = AnySection;
    bool statement = false;
};

// Groups of lines, each beginning with a statement that begins its line.
QList<Group> groupLines(const QList<SourceLine> &lines, const QList<int> &indices)
{
    QList<Group> groups;
    for (int i : indices) {
        const SourceLine &line = lines[i];
        const bool begins = line.hasStatement && line.text.trimmed().startsWith(u'.');
        if (groups.isEmpty() || begins)
            groups.append({{}, begins ? naturalSection(line.kind) : AnySection, begins});
        groups.last().lines.append(i);
    }
    return groups;
}

// Each group's list: never an earlier one than the group before it took,
// and its own wherever the order allows (the most groups in their own
// lists).
QList<int> assignSections(const QList<Group> &groups)
{
    const qsizetype count = groups.size();
    QList<std::array<int, SectionCount>> best(count);
    QList<std::array<int, SectionCount>> from(count);
    for (qsizetype g = 0; g < count; ++g) {
        for (int s = 0; s < SectionCount; ++s) {
            const int own = groups[g].natural == s ? 1 : 0;
            int previous = 0;
            int previousSection = s;
            if (g > 0) {
                previous = -1;
                for (int p = 0; p <= s; ++p) {
                    if (best[g - 1][p] > previous) {
                        previous = best[g - 1][p];
                        previousSection = p;
                    }
                }
            }
            best[g][s] = previous + own;
            from[g][s] = previousSection;
        }
    }
    QList<int> sections(count);
    if (count == 0)
        return sections;
    int section = 0;
    for (int s = 1; s < SectionCount; ++s) {
        if (best[count - 1][s] > best[count - 1][section])
            section = s;
    }
    for (qsizetype g = count - 1; g >= 0; --g) {
        sections[g] = section;
        section = from[g][section];
    }
    return sections;
}

} // namespace

void importPageLines(const QList<SourceLine> &lines, int end, bool endsOpen, ReportPage *page,
                     QList<KeptLine> &kept)
{
    int at = readComments(lines, end, page);
    // Comments and blank lines written above .NAME follow the header lines.
    QList<int> rest;
    int name = at;
    while (name < end && !lines[name].hasTokens)
        ++name;
    if (name < end && lines[name].is(StatementKind::Name)) {
        for (int i = at; i < name; ++i)
            rest.append(i);
        at = name;
    }
    const int lastOpen = endsOpen && !lines.isEmpty() ? int(lines.size()) - 1 : end;
    at = readHeaderLines(lines, at, std::min(end, lastOpen), page);
    for (int i = at; i < end; ++i)
        rest.append(i);
    const QList<Group> groups = groupLines(lines, rest);
    const QList<int> sections = assignSections(groups);
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const Group &group = groups[g];
        CodeLines &list = sectionList(page, sections[g]);
        for (int i : group.lines) {
            list.add(lines[i].text);
            if (group.statement && group.natural != sections[g])
                kept.append(
                    {lines[i].number, QLatin1String(SectionNames[sections[g]]), lines[i].text});
        }
    }
}
