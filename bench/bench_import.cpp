// The import of large Report-Writer sources: reports of 1,000 and 10,000
// lines, generated from designs with a band per break column holding rows
// of text items and code, and one written by hand (no indentation,
// conditionals, line breaks standing alone). Best time of a few runs, how
// it grows from 1,000 to 10,000 lines (linear is a ratio of about 10), and
// how many items and code blocks came back.

#include "import/ReportImport.h"

#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int Repeats = 7;

// Generated text: a break header per column, nine lines to a row of three
// items, with before code on every third item.
QByteArray generatedReport(int lines)
{
    QByteArray text = ".NAME big\n.QUERY\nselect * from t\n.SORT a\n";
    int column = 0;
    while (text.count('\n') < lines) {
        const QByteArray name = "c" + QByteArray::number(column++);
        text += ".HEADER " + name + "\n\t.NEED 4\n";
        for (int row = 0; row < 4 && text.count('\n') < lines; ++row) {
            if (row > 0)
                text += "\t.NEWLINE 1\n";
            text += "\t.TAB 2\n\t.PRINT " + name + "(c10)\n";
            text += "\t.LET x = x + 1\n\t\t.TAB 22\n\t\t.PRINT 'value'\n";
            text += "\t.UNDERLINE\n\t.TAB 42\n\t.PRINT sum(" + name + ")(f10.2)\n\t.NOUNDERLINE\n";
        }
    }
    return text;
}

// Text as people write it: no TABs, conditionals, breaks on lines of their own.
QByteArray handWrittenReport(int lines)
{
    QByteArray text = ".NAME hand\n.QUERY select * from t\n.SORT a\n";
    int column = 0;
    while (text.count('\n') < lines) {
        const QByteArray name = "c" + QByteArray::number(column++);
        text += ".FOOTER " + name + "\n.TAB 0\n.PRINT 'Total ', " + name
                + "\n.IF x > 0 .THEN\n.TAB 30\n.PRINT x\n.ENDIF\n.NEWLINE\n.TAB 5\n.PRINT y(f8)\n"
                  ".NEWLINE 2\n";
    }
    return text;
}

// Text as older reports have it: abbreviated statements, several a line.
QByteArray severalPerLineReport(int lines)
{
    QByteArray text = ".name packed\n.query select * from t\n.sort a\n";
    int column = 0;
    while (text.count('\n') < lines) {
        const QByteArray name = "c" + QByteArray::number(column++);
        text += ".footer " + name + "\n\t.tab 0 .pr 'Total ', " + name + " .tab 30 .pr x(f8) .nl\n"
                + "\t.if x > 0 .then .tab 30 .pr x .endif .nl 2\n";
    }
    return text;
}

struct Run
{
    double seconds = 0;
    qsizetype items = 0;
    qsizetype blocks = 0;
    qsizetype kept = 0;
};

Run importOnce(const QByteArray &text)
{
    ComponentOwner owner;
    auto stage = std::make_unique<QWidget>();
    QElapsedTimer timer;
    timer.start();
    const ReportImport::Result result = ReportImport::importSource(text, owner, stage.get());
    Run run;
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    // The events the components posted are delivered, as the program's
    // event loop delivers them after an import.
    QCoreApplication::sendPostedEvents();
    run.items = result.page->findChildren<TextItem *>().size();
    run.blocks = result.page->findChildren<CodeBlock *>().size();
    run.kept = result.keptAsCode.size();
    stage.reset();
    return run;
}

Run best(const QByteArray &text)
{
    Run fastest = importOnce(text);
    for (int i = 1; i < Repeats; ++i) {
        const Run run = importOnce(text);
        if (run.seconds < fastest.seconds)
            fastest = run;
    }
    return fastest;
}

void measure(const char *what, QByteArray (*make)(int))
{
    const Run small = best(make(1000));
    const Run large = best(make(10000));
    std::printf("%s report\n", what);
    std::printf("  1,000 lines:  %.4f s  (%lld items, %lld code blocks, %lld lines kept as code)\n",
                small.seconds, static_cast<long long>(small.items),
                static_cast<long long>(small.blocks), static_cast<long long>(small.kept));
    std::printf("  10,000 lines: %.4f s  (%lld items, %lld code blocks, %lld lines kept as code)\n",
                large.seconds, static_cast<long long>(large.items),
                static_cast<long long>(large.blocks), static_cast<long long>(large.kept));
    std::printf("  ratio 10,000 / 1,000 lines: %.2f (target <= 11); 10,000 lines %s 0.5 s\n",
                large.seconds / small.seconds, large.seconds <= 0.5 ? "within" : "OVER");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    measure("Generated", generatedReport);
    measure("Hand-written", handWrittenReport);
    measure("Several statements a line", severalPerLineReport);
    return 0;
}
