#pragma once

#include "check/CheckProblem.h"

#include <QByteArrayView>
#include <QList>

// What the report program does to the lines of a file before it reads any
// statement: it reads at most 255 bytes of a line and takes the rest as a
// new line, and it drops a last line that has no line end.
class LineRules
{
public:
    // Reports control characters and a dropped last line at once.
    LineRules(QByteArrayView text, ProblemList &problems);

    // The text the report program reads statements from: without a last
    // line that has no line end.
    QByteArrayView readText() const { return m_readText; }
    // Offsets, ascending, at which overlong lines are cut.
    const QList<qsizetype> &cuts() const { return m_cuts; }

    // Reports the overlong lines: errors where a cut splits a token
    // (splits(i) for cut i), warnings elsewhere.
    template<class Splits>
    void reportLongLines(Splits splits) const
    {
        for (const LongLine &line : m_longLines) {
            bool split = false;
            for (qsizetype cut = line.firstCut; cut < line.firstCut + line.cutCount; ++cut)
                split = split || splits(cut);
            reportLongLine(line, split);
        }
    }

private:
    struct LongLine
    {
        int line;
        qsizetype length;
        qsizetype firstCut; // index into m_cuts
        qsizetype cutCount;
    };

    void checkLine(int line, qsizetype start, qsizetype end);
    void reportLongLine(const LongLine &line, bool split) const;

    QByteArrayView m_text;
    ProblemList &m_problems;
    QByteArrayView m_readText;
    QList<qsizetype> m_cuts;
    QList<LongLine> m_longLines;
};
