// The Report-Writer check of large sources: 10,000 and 100,000 lines of a
// report with many break columns, each with a header and a footer full of
// the statements generated text and hand-written code hold (positions,
// prints with formats, conditionals, blocks, underlines, comments). Best
// time of a few runs, how it grows from 10k to 100k lines (linear is a
// ratio of about 10), lines per second, and the problems found (none).

#include "PeakMemory.h"

#include "check/ReportCheck.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Repeats = 5;

// The statements of one section on the column, 25 lines.
void appendSection(QByteArray &text, const QByteArray &heading, const QByteArray &column)
{
    text += heading + ' ' + column
            + "\n"
              "\t.NEED 3\n"
              "\t/* the group's title, underlined */\n"
              "\t.TAB 2\n"
              "\t.UNDERLINE\n"
              "\t.PRINT 'Group of ', "
            + column
            + "(c20)\n"
              "\t.NOUNDERLINE\n"
              "\t.NEWLINE 1\n"
              "\t.IF "
            + column
            + " > 0 .THEN\n"
              "\t\t.TAB 30 .PRINT "
            + column
            + "(f10.2)\n"
              "\t.ELSEIF "
            + column
            + " < 0 .THEN\n"
              "\t\t.RIGHT 60\n"
              "\t\t.PRINT 'below zero: ', -"
            + column
            + "(n10.2)\n"
              "\t.ELSE\n"
              "\t\t.CENTER\n"
              "\t\t.PRINTLN 'nothing'\n"
              "\t.ENDIF\n"
              "\t.BLOCK\n"
              "\t\t.TAB 10 .PRINT count("
            + column
            + ")(\"zzz,zz9\")\n"
              "\t\t.NEWLINE\n"
              "\t\t.TAB 10 .PRINT sum("
            + column
            + ")(f12.2)\n"
              "\t.ENDBLOCK\n"
              "\t.LET total = total + 1\n"
              "\t.NEWLINE 2\n"
              "\t.NEED 1\n";
}

QByteArray source(int lines)
{
    constexpr int SectionLines = 25;
    const int columns = lines / (2 * SectionLines);
    QByteArray text = "/* A report with one break per column. */\n"
                      ".NAME big\n"
                      ".SHORTREMARK generated for the check's benchmark\n"
                      ".LONGREMARK\nEvery column has a header and a footer.\n.ENDREMARK\n"
                      ".DECLARE total = integer not null\n"
                      ".QUERY\nselect s.*\nfrom owner.sales s\nwhere s.amount > 0.5\n"
                      ".SORT";
    for (int c = 1; c <= columns; ++c)
        text += (c % 10 == 1 ? "\n\t" : ", ") + QByteArray("c") + QByteArray::number(c);
    text += '\n';
    for (int c = 1; c <= columns; ++c) {
        const QByteArray column = "c" + QByteArray::number(c);
        appendSection(text, ".HEADER", column);
        appendSection(text, ".FOOTER", column);
    }
    return text;
}

struct Figures
{
    double milliseconds = 0;
    qsizetype lines = 0;
    qsizetype bytes = 0;
    qsizetype problems = 0;
};

Figures measure(int lines)
{
    const QByteArray text = source(lines);
    Figures figures;
    figures.lines = text.count('\n');
    figures.bytes = text.size();
    figures.milliseconds = 1e300;
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        figures.problems = ReportCheck::check(text).size();
        figures.milliseconds = std::min(figures.milliseconds, timer.nsecsElapsed() / 1e6);
    }
    return figures;
}

} // namespace

int main()
{
    const Figures small = measure(10000);
    const Figures large = measure(100000);
    std::printf("%-10s %14s %14s %8s\n", "", "10k lines", "100k lines", "ratio");
    std::printf("%-10s %11.1f ms %11.1f ms %8.2f\n", "check", small.milliseconds,
                large.milliseconds, large.milliseconds / small.milliseconds);
    std::printf("%-10s %11lld ln %11lld ln\n", "source", static_cast<long long>(small.lines),
                static_cast<long long>(large.lines));
    std::printf("%-10s %11lld B  %11lld B\n", "", static_cast<long long>(small.bytes),
                static_cast<long long>(large.bytes));
    std::printf("%-10s %14lld %14lld\n", "problems", static_cast<long long>(small.problems),
                static_cast<long long>(large.problems));
    std::printf("%.0f lines/s at 100k; peak memory %ld MiB\n",
                large.lines / (large.milliseconds / 1000), peakKilobytes() / 1024);
    return 0;
}
