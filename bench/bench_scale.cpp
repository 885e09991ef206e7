// Designs far larger than any report, as a crafted file or a generated
// design can make them: each case runs at n and at n / 10, so the ratio
// shows how the cost grows (linear is about 10, quadratic about 100).
//
// Cases can be named on the command line by their first word (load,
// teardown, names, generate, command); all run when none is named.
//
// - load and teardown of a design of n text items on 100 bands, torn down
//   at once, as the command line does after generating;
// - load of a design whose n text items all carry one stored name, so that
//   every one but the first is renamed by the clash rule;
// - generation of one band holding n text items, on its own and as the
//   command line does it: load, generate, tear down.

#include "BenchDesign.h"

#include "generation/Generator.h"
#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"
#include "shell/HeadlessReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int Repeats = 3;

QString saved(const BenchDesign &design, const QString &file)
{
    ObjectStream::saveStageFile(design.stage.get(), file, design, reportClasses());
    return file;
}

// The best of a few runs, in milliseconds; prepare and tidy are not timed.
double best(const std::function<void()> &run, const std::function<void()> &prepare = {},
            const std::function<void()> &tidy = {})
{
    double fastest = 1e300;
    for (int i = 0; i < Repeats; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        fastest = std::min(fastest, timer.nsecsElapsed() / 1e6);
        if (tidy)
            tidy();
    }
    return fastest;
}

double loadTime(const QString &file)
{
    std::unique_ptr<BenchDesign> loaded;
    return best(
        [&] {
            loaded = std::make_unique<BenchDesign>();
            ObjectStream::loadStageFile(loaded->stage.get(), file, *loaded, reportClasses());
        },
        {}, [&] { loaded.reset(); });
}

double teardownTime(const QString &file)
{
    std::unique_ptr<BenchDesign> loaded;
    return best([&] { loaded.reset(); },
                [&] {
                    loaded = std::make_unique<BenchDesign>();
                    ObjectStream::loadStageFile(loaded->stage.get(), file, *loaded,
                                                reportClasses());
                });
}

double generateTime(int items)
{
    const std::unique_ptr<BenchDesign> design = buildBenchDesign(items, 1);
    return best([&] {
        GenerationWindow window;
        window.page = design->page;
        generatePageCode(window, design->page);
    });
}

double commandLineTime(const QString &file)
{
    return best([&] {
        HeadlessReport report;
        report.load(file);
        report.generate();
    });
}

// Runs a case when no case is named on the command line, or this one is.
void row(const char *name, int n, const std::function<double(int)> &measure)
{
    const QStringList chosen = QCoreApplication::arguments().mid(1);
    if (!chosen.isEmpty() && !chosen.contains(QString::fromLatin1(name).section(u' ', 0, 0)))
        return;
    const double small = measure(n / 10);
    const double large = measure(n);
    std::printf("%-26s %7d %10.1f ms %7d %10.1f ms %7.1f\n", name, n / 10, small, n, large,
                large / small);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const auto file = [&](const char *name, int n) {
        return folder.path() + QStringLiteral("/%1%2.kfx").arg(QLatin1String(name)).arg(n);
    };

    std::printf("%-26s %7s %13s %7s %13s %7s\n", "", "n/10", "", "n", "", "ratio");
    row("load (100 bands)", 100000,
        [&](int n) { return loadTime(saved(*buildBenchDesign(n, 100), file("items", n))); });
    row("teardown after load", 100000,
        [&](int n) { return teardownTime(saved(*buildBenchDesign(n, 100), file("items", n))); });
    row("names alike, load", 20000, [&](int n) {
        return loadTime(saved(*buildBenchDesign(n, 100, QStringLiteral("Same")), file("same", n)));
    });
    row("generate (one band)", 80000, generateTime);
    row("command line, one band", 80000,
        [&](int n) { return commandLineTime(saved(*buildBenchDesign(n, 1), file("band", n))); });
    return 0;
}
