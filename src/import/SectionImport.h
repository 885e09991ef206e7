#pragma once

#include "import/BandParser.h"
#include "import/KeptLine.h"

#include <QRect>

class BandBase;
class ComponentOwner;
class ReportPage;

// Makes the bands of a source's sections, one after the other, each
// proved by generating it again: read exactly as generation writes it, or
// statement by statement as written by hand, or else kept as code.
class SectionImport
{
public:
    SectionImport(const QList<SourceLine> &lines, const PageColumns &columns, ComponentOwner &owner,
                  ReportPage *page, QList<KeptLine> &kept, bool plainSortBands);

    // The section from first to end; before: the lines that run before
    // its heading. Returns the lines the next section takes as its own
    // before code when its heading says it has some (handOver).
    QList<int> import(int first, int end, const QList<int> &before, bool nextHasBefore);

    // The indices from first up to end.
    static QList<int> range(int first, int end);

private:
    QStringList texts(const QList<int> &indices) const;
    // The index of a line's first piece (or of the piece after the last).
    int piece(int line) const { return m_firstPiece.isEmpty() ? line : m_firstPiece[line]; }
    bool tryExactly(int first, int end, const QList<int> &before, bool sortColumn,
                    bool onlyWithItems);
    bool tryLeniently(int first, int end, const QList<int> &before, bool onlyWithItems);
    // A section read by one parser over its lines.
    struct Attempt
    {
        BandParser &parser;
        const QList<SourceLine> &lines;
        int first;
        int end;
        const QList<int> &before;
        const QStringList &expected;
        bool onlyWithItems;
    };
    bool tryModes(const Attempt &attempt, BandReading reading, bool block, bool within);
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
