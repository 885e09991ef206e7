// Save, load and generation of designs with 1,000 and 10,000 text items on
// 100 bands: times, how they grow from 1k to 10k (linear is a ratio of
// about 10), generated lines per second and peak memory.

#include "BenchDesign.h"
#include "BestOf.h"
#include "PeakMemory.h"

#include "generation/Generator.h"
#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int BandCount = 100;
constexpr int Repeats = 10;

double best(const std::function<void()> &run, const std::function<void()> &tidy = {})
{
    return bestOf(Repeats, run, tidy);
}

struct Figures
{
    double save = 0;
    double load = 0;
    double generate = 0;
    qsizetype lines = 0;
    qint64 fileBytes = 0;
};

Figures measure(int items, const QString &folder)
{
    Figures figures;
    const QString file = folder + QStringLiteral("/bench%1.kfx").arg(items);
    auto design = buildBenchDesign(items, BandCount);
    figures.save = best(
        [&] { ObjectStream::saveStageFile(design->stage.get(), file, *design, reportClasses()); });
    figures.fileBytes = QFileInfo(file).size();
    figures.generate = best([&] {
        GenerationWindow window;
        window.page = design->page;
        generatePageCode(window, design->page);
    });
    figures.lines = design->page->pageCode.size();
    design.reset();
    std::unique_ptr<BenchDesign> loaded;
    figures.load = best(
        [&] {
            loaded = std::make_unique<BenchDesign>();
            ObjectStream::loadStageFile(loaded->stage.get(), file, *loaded, reportClasses());
        },
        [&] { loaded.reset(); });
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;

    const Figures small = measure(1000, folder.path());
    const Figures large = measure(10000, folder.path());

    std::printf("%-10s %12s %12s %8s\n", "", "1k items", "10k items", "ratio");
    const auto row = [](const char *name, double a, double b) {
        std::printf("%-10s %9.1f ms %9.1f ms %8.2f\n", name, a, b, b / a);
    };
    row("save", small.save, large.save);
    row("load", small.load, large.load);
    row("generate", small.generate, large.generate);
    std::printf("file size   %9lld B  %9lld B\n", static_cast<long long>(small.fileBytes),
                static_cast<long long>(large.fileBytes));
    std::printf("generated  %9lld ln  %9lld ln; %.0f lines/s at 10k\n",
                static_cast<long long>(small.lines), static_cast<long long>(large.lines),
                large.lines / (large.generate / 1000));
    std::printf("peak memory %ld MiB\n", peakKilobytes() / 1024);
    return 0;
}
