// Opening a design in a report window, as a user does: read, covered for
// design mode, shown and painted once. 5,000 text items in one band are
// measured against 5,000 spread over 100 bands, and the most one band may
// hold, 10,000. The files are kept in a folder when one is named:
// bench_open [folder]
//
// The items of the one-band design lie on top of each other, seven to a
// row and five rows deep, as a crafted file makes them.

#include "BenchDesign.h"

#include "windows/ReportWindow.h"

#include "model/ObjectStream.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

struct Times
{
    double open = 0;
    double paint = 0;
};

Times openAndPaint(const QString &file)
{
    Times times;
    QElapsedTimer timer;
    timer.start();
    auto *window = new ReportWindow;
    window->openReport(omDesign, file);
    window->resize(1000, 800);
    window->show();
    QCoreApplication::processEvents();
    times.open = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    window->grab();
    times.paint = double(timer.nsecsElapsed()) / 1e6;
    delete window;
    QCoreApplication::processEvents();
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    std::printf("%-30s %12s %12s\n", "design", "open ms", "paint ms");
    const struct
    {
        const char *name;
        int items;
        int bands;
    } cases[] = {{"5000 items on 100 bands", 5000, 100},
                 {"5000 items in one band", 5000, 1},
                 {"10000 items in one band", 10000, 1}};
    for (const auto &design : cases) {
        const QString file =
            folder + QStringLiteral("/ITEMS%1BANDS%2.kfx").arg(design.items).arg(design.bands);
        const std::unique_ptr<BenchDesign> built = buildBenchDesign(design.items, design.bands);
        ObjectStream::saveStageFile(built->stage.get(), file, *built, reportClasses());
        const Times times = openAndPaint(file);
        std::printf("%-30s %12.1f %12.1f\n", design.name, times.open, times.paint);
        std::fflush(stdout);
    }
    return 0;
}
