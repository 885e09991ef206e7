// The preview over many rows. A tabular report of 8 columns with two break
// levels and sums per break reads 10,000, 100,000 and 1,000,000 rows of an
// SQLite database that the sqlite3 shell builds (outside this process, so
// that it counts in no figure of ours). Printed:
//  - the time of 100,000 rows beside the time the sqlite3 shell takes to
//    print the same query in the same order (best of a few runs each, the
//    two taking turns so that both meet the same load of the machine);
//  - how the time grows from 10,000 to 100,000 rows (linear: about 10);
//  - the time to the first page of the 1,000,000-row report, in the
//    engine and on the Preview page of a window (offscreen);
//  - the memory the 1,000,000-row run took beside the size of what it
//    printed: the growth of the peak, and the heap the kept pages still
//    hold after the run;
//  - a report that would never end, stopped by the page limit.
// Usage: bench_preview [folder for the databases [rows]]; without a folder
// a temporary one. With rows, only the preview of that many rows is timed
// (once), for a profiler.

#include "PeakMemory.h"

#include "preview/PreviewRun.h"
#include "windows/PreviewPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int Repeats = 5;

// The query of the report and of the sqlite3 shell: 8 columns, in the
// order of the two break columns, rows that tie on them in the order of
// their other columns, last first, as the preview orders them.
const char *const Query =
    "select region, district, salesman, product, sold, quantity, price, amount "
    "from sales order by region, district, 8, 7, 6, 5, 4, 3, 2, 1";

QByteArray report()
{
    return QByteArray(".NAME bench\n"
                      ".QUERY select region, district, salesman, product, sold, quantity, "
                      "price, amount from sales\n"
                      ".SORT region, district\n"
                      ".HEADER report\n"
                      "\t.PAGELENGTH 66\n"
                      "\t.PAGEWIDTH 132\n"
                      "\t.PRINT 'Sales by region and district'\n"
                      "\t.NEWLINE 2\n"
                      ".HEADER page\n"
                      "\t.PRINT 'Sales', .TAB 100 .PRINT 'Page ', page_number(f4)\n"
                      "\t.NEWLINE 2\n"
                      ".HEADER region\n"
                      "\t.NEED 4\n"
                      "\t.PRINT 'Region ', region\n"
                      "\t.NEWLINE\n"
                      ".HEADER district\n"
                      "\t.TAB 2 .PRINT 'District ', district\n"
                      "\t.NEWLINE\n"
                      ".DETAIL\n"
                      "\t.TAB 4 .PRINT region(c8)\n"
                      "\t.TAB 14 .PRINT district(c10)\n"
                      "\t.TAB 26 .PRINT salesman(c12)\n"
                      "\t.TAB 40 .PRINT product(c10)\n"
                      "\t.TAB 52 .PRINT sold(c10)\n"
                      "\t.TAB 64 .PRINT quantity(f8)\n"
                      "\t.TAB 74 .PRINT price(f10.2)\n"
                      "\t.TAB 86 .PRINT amount(f12.2)\n"
                      "\t.NEWLINE\n"
                      ".FOOTER district\n"
                      "\t.TAB 40 .PRINT 'District total'\n"
                      "\t.TAB 62 .PRINT sum(quantity)(f10)\n"
                      "\t.TAB 86 .PRINT sum(amount)(f14.2)\n"
                      "\t.NEWLINE 2\n"
                      ".FOOTER region\n"
                      "\t.TAB 40 .PRINT 'Region total'\n"
                      "\t.TAB 62 .PRINT sum(quantity)(f10)\n"
                      "\t.TAB 86 .PRINT sum(amount)(f14.2)\n"
                      "\t.NEWLINE 2\n"
                      ".FOOTER report\n"
                      "\t.TAB 40 .PRINT 'Total'\n"
                      "\t.TAB 62 .PRINT sum(quantity)(f10)\n"
                      "\t.TAB 86 .PRINT sum(amount)(f14.2)\n"
                      "\t.NEWLINE\n");
}

// Rows that repeat their break values: 4 regions, 25 districts in each.
QByteArray databaseScript(int rows)
{
    return QByteArray("create table sales (region char(8), district char(10), "
                      "salesman varchar(20), product varchar(20), sold date, "
                      "quantity integer, price float, amount float);\n"
                      "begin;\n"
                      "with recursive n(i) as (select 0 union all select i + 1 from n where i < ")
           + QByteArray::number(rows - 1)
           + ")\n"
             "insert into sales select\n"
             "  'R' || (i * 4 / "
           + QByteArray::number(rows)
           + "),\n"
             "  'D' || (i * 100 / "
           + QByteArray::number(rows)
           + "),\n"
             "  'Salesman ' || (i % 37),\n"
             "  'Product ' || (i % 11),\n"
             "  '2024-' || printf('%02d', 1 + i % 12) || '-' || printf('%02d', 1 + i % 28),\n"
             "  1 + i % 50,\n"
             "  (i % 997) / 10.0,\n"
             "  (1 + i % 50) * ((i % 997) / 10.0)\n"
             "from n;\n"
             "commit;\n"
             "create index sales_breaks on sales (region, district);\n";
}

bool makeDatabase(const QString &sqlite3, const QString &file, int rows)
{
    QFile::remove(file);
    QProcess shell;
    shell.start(sqlite3, {QStringLiteral("-bail"), file});
    shell.write(databaseScript(rows));
    shell.closeWriteChannel();
    return shell.waitForFinished(600000) && shell.exitCode() == 0;
}

// Counts what is printed and keeps it, as the Preview page does.
struct Keeping : PreviewObserver
{
    QList<PrintedPage> pages;
    qint64 printedBytes = 0;
    qint64 rows = 0;
    QStringList messages;
    QElapsedTimer sinceStart;
    qint64 firstPageMs = -1;

    void pagePrinted(const PrintedPage &page) override
    {
        if (firstPageMs < 0)
            firstPageMs = sinceStart.elapsed();
        for (qsizetype line = 0; line < page.lineCount(); ++line)
            printedBytes += page.lineLength(line) + 1;
        pages.append(page);
    }
    void message(const PreviewMessage &message) override { messages.append(message.text); }
    void rowsRead(qint64 count) override { rows = count; }
};

// Counts and forgets: the engine's own cost.
struct Counting : Keeping
{
    bool stopAfterFirstPage = false;
    bool stop = false;

    void pagePrinted(const PrintedPage &page) override
    {
        if (firstPageMs < 0)
            firstPageMs = sinceStart.elapsed();
        for (qsizetype line = 0; line < page.lineCount(); ++line)
            printedBytes += page.lineLength(line) + 1;
        ++pageCount;
        stop = stopAfterFirstPage;
    }
    bool cancelRequested() const override { return stop; }

    qint64 pageCount = 0;
};

DataSource sqlite(const QString &file)
{
    DataSource data;
    data.kind = DataSource::Kind::SQLite;
    data.path = file;
    return data;
}

struct Timing
{
    qint64 bestMs = 0;
    qint64 pages = 0;
    qint64 rows = 0;
    PreviewOutcome outcome = PreviewOutcome::Finished;
    QStringList messages;
};

Timing timePreview(const QString &file, int repeats = Repeats)
{
    Timing timing;
    timing.bestMs = std::numeric_limits<qint64>::max();
    for (int repeat = 0; repeat < repeats; ++repeat) {
        Counting counting;
        QElapsedTimer timer;
        timer.start();
        counting.sinceStart.start();
        timing.outcome = runPreview(report(), sqlite(file), {}, counting);
        timing.bestMs = std::min(timing.bestMs, timer.elapsed());
        timing.pages = counting.pageCount;
        timing.rows = counting.rows;
        timing.messages = counting.messages;
    }
    return timing;
}

qint64 timeShell(const QString &sqlite3, const QString &file, int repeats = Repeats)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int repeat = 0; repeat < repeats; ++repeat) {
        QProcess shell;
        shell.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        shell.start(sqlite3, {file, QString::fromLatin1(Query)});
        shell.waitForFinished(600000);
        best = std::min(best, timer.elapsed());
    }
    return best;
}

const char *outcomeName(PreviewOutcome outcome)
{
    switch (outcome) {
    case PreviewOutcome::Finished:
        return "finished";
    case PreviewOutcome::Failed:
        return "failed";
    case PreviewOutcome::Cancelled:
        return "cancelled";
    }
    return "?";
}

void printMessages(const QStringList &messages)
{
    for (const QString &message : messages.mid(0, 3))
        std::printf("    message: %s\n", qPrintable(message));
}

// The Preview page of a window: from the start of the run until the first
// page is there to be painted.
qint64 firstPageOnScreen(const QString &file)
{
    PreviewPage page;
    page.resize(800, 600);
    page.show();
    QElapsedTimer timer;
    qint64 shown = -1;
    QObject::connect(&page, &PreviewPage::firstPagePrinted, &page, [&] {
        shown = timer.elapsed();
        page.cancel();
    });
    timer.start();
    page.run(report(), sqlite(file), {});
    while (shown < 0 && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    page.cancel();
    return shown;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty()) {
        std::fprintf(stderr, "bench_preview: the sqlite3 shell is missing (package sqlite3)\n");
        return 1;
    }
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const auto file = [&folder](int rows) {
        return folder + QStringLiteral("/sales-%1.db").arg(rows);
    };
    for (int rows : {10000, 100000, 1000000}) {
        if (!QFileInfo::exists(file(rows)) && !makeDatabase(sqlite3, file(rows), rows)) {
            std::fprintf(stderr, "bench_preview: cannot build the database of %d rows\n", rows);
            return 1;
        }
    }

    if (argc > 2) {
        const int rows = QString::fromLocal8Bit(argv[2]).toInt();
        Counting once;
        QElapsedTimer timer;
        timer.start();
        const PreviewOutcome outcome = runPreview(report(), sqlite(file(rows)), {}, once);
        std::printf("%d rows: %lld ms (%s, %lld pages)\n", rows, timer.elapsed(),
                    outcomeName(outcome), once.pageCount);
        return 0;
    }

    const Timing small = timePreview(file(10000));
    Timing large;
    large.bestMs = std::numeric_limits<qint64>::max();
    qint64 shell = std::numeric_limits<qint64>::max();
    for (int repeat = 0; repeat < Repeats; ++repeat) {
        Timing once = timePreview(file(100000), 1);
        once.bestMs = std::min(once.bestMs, large.bestMs);
        large = once;
        shell = std::min(shell, timeShell(sqlite3, file(100000), 1));
    }
    std::printf("10,000 rows: %lld ms (%s, %lld pages)\n", small.bestMs, outcomeName(small.outcome),
                small.pages);
    printMessages(small.messages);
    std::printf("100,000 rows: %lld ms (%s, %lld pages); sqlite3 shell printing the same query: "
                "%lld ms; preview / shell = %.2f (target <= 2)\n",
                large.bestMs, outcomeName(large.outcome), large.pages, shell,
                shell > 0 ? double(large.bestMs) / double(shell) : 0.0);
    std::printf("100,000 / 10,000 rows: %.2f (target <= 11)\n",
                small.bestMs > 0 ? double(large.bestMs) / double(small.bestMs) : 0.0);

    // Memory after the timings, so that its heap does not slow them; the
    // growth of the peak is this run's, the largest of all.
    const long before = peakKilobytes();
    const long long heapBefore = heapInUseBytes();
    Keeping kept;
    kept.sinceStart.start();
    QElapsedTimer whole;
    whole.start();
    const PreviewOutcome million = runPreview(report(), sqlite(file(1000000)), {}, kept);
    const qint64 millionMs = whole.elapsed();
    const long after = peakKilobytes();
    const long long heapKept = heapInUseBytes() - heapBefore;
    std::printf("1,000,000 rows, pages kept as the window keeps them: %s, %lld rows, %lld pages "
                "in %lld ms\n",
                outcomeName(million), qint64(kept.rows), qint64(kept.pages.size()), millionMs);
    printMessages(kept.messages);
    std::printf("  printed text %.1f MiB; peak memory grew by %.1f MiB (%.2f x the printed "
                "text)\n",
                kept.printedBytes / 1048576.0, (after - before) / 1024.0,
                kept.printedBytes > 0 ? (after - before) * 1024.0 / kept.printedBytes : 0.0);
    if (heapBefore >= 0)
        std::printf("  the kept pages hold %.1f MiB of heap after the run (%.2f x the printed "
                    "text)\n",
                    heapKept / 1048576.0,
                    kept.printedBytes > 0 ? double(heapKept) / double(kept.printedBytes) : 0.0);
    kept.pages.clear();
    kept.pages.squeeze();

    Counting first;
    first.stopAfterFirstPage = true;
    first.sinceStart.start();
    runPreview(report(), sqlite(file(1000000)), {}, first);
    std::printf("1,000,000 rows: first page from the engine after %lld ms\n", first.firstPageMs);
    std::printf("1,000,000 rows: first page on the Preview page after %lld ms\n",
                firstPageOnScreen(file(1000000)));

    // A report that would print for ever: blank lines without end.
    Counting endless;
    endless.sinceStart.start();
    QElapsedTimer endlessTimer;
    endlessTimer.start();
    const PreviewOutcome stopped =
        runPreview(".NAME endless\n.QUERY select name from people\n.HEADER report\n"
                   ".PRINT 'top'\n.NEWLINE 2000000000\n",
                   DataSource{}, {}, endless);
    std::printf("never-ending report: %s after %lld pages in %lld ms\n", outcomeName(stopped),
                endless.pageCount, endlessTimer.elapsed());
    printMessages(endless.messages);
    return 0;
}
