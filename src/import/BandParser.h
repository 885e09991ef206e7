#pragma once

#include "import/BandPlan.h"
#include "import/SourceLines.h"

#include <optional>

// The page values a band's tab positions and page format lines depend on.
struct PageColumns
{
    int leftMargin = 0; // whole columns, as generation rounds it
    int pageWidth = 132;
    int bandLeft = 0; // pixels, where the page stacks its bands
    int bandTop = 0;
    int bandWidth = 0;
    QStringList pageFormat; // the report header's page format statements, without TABs
};

// How a section's lines are read.
struct BandReading
{
    // Exact: every line must be where generation would put it, TABs
    // included, so that the band generates these lines again. Otherwise
    // statements are read whatever their layout, and what is no item stays
    // code.
    bool exact = true;
    bool breakBand = true; // for headers and footers of sort columns
    bool blockMode = false;
    bool fieldMode = false;
};

// Reads one section: the heading at lines[first], its body up to end, and
// the lines before the heading that run before it (before, as indices).
class BandParser
{
public:
    BandParser(const QList<SourceLine> &lines, const PageColumns &page)
        : m_lines(lines), m_page(page)
    {
    }

    std::optional<BandPlan> parse(int first, int end, const QList<int> &before,
                                  const BandReading &reading);

    // The section with everything after its heading kept as one code block.
    BandPlan codeOnly(int first, int end, const QList<int> &before);

    // The end of the section's own lines: after them come lines that run
    // after the band (its after code), found by their indentation.
    int structureEnd(int first, int end) const;

    // Whether the lines right after a heading begin with ".BLOCK" and
    // ".WITHIN" brackets that the section's last lines close.
    bool opensBlock(int first, int end) const;
    bool opensWithin(int first, int end) const;

private:
    struct BodyState;

    bool parseHeading(int first, const BandReading &reading, BandPlan &plan, int &level) const;
    bool parsePageFormat(int &at, int end, int level, const BandReading &reading,
                         bool &matched) const;
    std::optional<EntryPlan> parseItem(int at, int end, int level, bool exact, int &next) const;
    bool parseBody(int at, int end, int level, const BandReading &reading, BandPlan &plan);
    bool takeItem(int &at, int end, int level, bool exact, BandPlan &plan, BodyState &state) const;
    void finishBody(BandPlan &plan, BodyState &state, int trailingLine, bool exact) const;

    bool matchBare(const SourceLine &line, int level, QLatin1StringView keyword, StatementKind kind,
                   bool exact) const;
    bool matchArgument(const SourceLine &line, int level, QLatin1StringView keyword,
                       StatementKind kind, bool exact, QString &argument) const;

    const QList<SourceLine> &m_lines;
    const PageColumns &m_page;
};
