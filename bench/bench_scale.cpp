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

struct Design : ComponentOwner
{
    ~Design() override { stage.reset(); }
    std::unique_ptr<QWidget> stage = std::make_unique<QWidget>();
    ReportPage *page = nullptr;
};

// n text items spread over the given number of bands, named by the clash
// rule unless one name is given for all of them.
std::unique_ptr<Design> buildDesign(int items, int bandCount, const QString &oneName = {})
{
    auto design = std::make_unique<Design>();
    design->page = new ReportPage(design.get(), design->stage.get());
    design->page->setName(QStringLiteral("mPage1"));
    design->page->setNewReportValues();
    const int perBand = items / bandCount;
    for (int b = 0; b < bandCount; ++b) {
        auto *band = new Band(design.get(), design->page);
        band->setName(QStringLiteral("mBand%1").arg(b + 1));
        band->setTypeOrdinal(b == 0 ? Header : Detail);
        band->setHeightPx(18 * 5);
        for (int i = 0; i < perBand; ++i) {
            auto *text = new TextItem(design.get(), band);
            text->setName(oneName.isEmpty() ? QStringLiteral("mText%1").arg(b * perBand + i + 1)
                                            : oneName);
            text->setBounds((i % 7) * 100, (i / 7 % 5) * 18, 100, 18);
            text->setCaption(QStringLiteral("column_%1").arg(i));
            text->setFontSize(8);
        }
    }
    QCoreApplication::sendPostedEvents();
    return design;
}

QString saved(const Design &design, const QString &file)
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
    std::unique_ptr<Design> loaded;
    return best(
        [&] {
            loaded = std::make_unique<Design>();
            ObjectStream::loadStageFile(loaded->stage.get(), file, *loaded, reportClasses());
        },
        {}, [&] { loaded.reset(); });
}

double teardownTime(const QString &file)
{
    std::unique_ptr<Design> loaded;
    return best([&] { loaded.reset(); },
                [&] {
                    loaded = std::make_unique<Design>();
                    ObjectStream::loadStageFile(loaded->stage.get(), file, *loaded,
                                                reportClasses());
                });
}

double generateTime(int items)
{
    const std::unique_ptr<Design> design = buildDesign(items, 1);
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
        [&](int n) { return loadTime(saved(*buildDesign(n, 100), file("items", n))); });
    row("teardown after load", 100000,
        [&](int n) { return teardownTime(saved(*buildDesign(n, 100), file("items", n))); });
    row("names alike, load", 20000, [&](int n) {
        return loadTime(saved(*buildDesign(n, 100, QStringLiteral("Same")), file("same", n)));
    });
    row("generate (one band)", 80000, generateTime);
    row("command line, one band", 80000,
        [&](int n) { return commandLineTime(saved(*buildDesign(n, 1), file("band", n))); });
    return 0;
}
