// The cost of the undo history on a design of 10,000 text items (25
// bands of 400): each case is one change on some of them, recorded as a
// step, then undone and redone; the figures are milliseconds, and the
// memory the history holds after 50 steps. Events are let run after each
// operation, so what a deferred notification costs counts too.

#include "PeakMemory.h"

#include "windows/ReportWindow.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {

constexpr int Bands = 25;
constexpr int ItemsPerBand = 400;

// The processor time of the last millisecondsOf: on a shared machine the
// wall clock counts others' work too.
double lastProcessorMs = 0;

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    const std::clock_t start = std::clock();
    timer.start();
    work();
    QCoreApplication::processEvents();
    lastProcessorMs = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
    return double(timer.nsecsElapsed()) / 1e6;
}

// A report window holding the design, in design mode, its events delivered.
std::unique_ptr<ReportWindow> openWindow()
{
    auto window = std::make_unique<ReportWindow>();
    window->openReport(omNew, QStringLiteral("BENCH.kfx"));
    window->resize(1000, 800);
    window->show();
    window->switchOff();
    ReportPage *page = window->mPage1();
    for (int b = 0; b < Bands; ++b) {
        auto *band = new Band(&window->owner(), page);
        band->setName(QStringLiteral("mBand%1").arg(b + 1));
        band->setTypeOrdinal(b == 0 ? Header : Detail);
        band->setHeightPx(18 * ItemsPerBand / 10);
        for (int i = 0; i < ItemsPerBand; ++i) {
            auto *text = new TextItem(&window->owner(), band);
            text->setName(QStringLiteral("mText%1").arg(b * ItemsPerBand + i + 1));
            text->setCaption(QStringLiteral("'item %1'").arg(i + 1));
            text->setBounds(72 * (i % 10), 18 * (i / 10), 60, 18);
        }
        band->show();
    }
    QCoreApplication::processEvents();
    window->switchOn();
    QCoreApplication::processEvents();
    window->undoStack()->clear();
    return window;
}

// The first count text items of the design, all in its first band, as
// moves and alignment need one parent.
void selectTexts(ReportWindow &window, int count)
{
    SelectionList *selection = window.designRegister()->ensureSelectionList();
    selection->clearTargets();
    for (int i = 0; i < count; ++i) {
        if (auto *text = qobject_cast<QWidget *>(
                window.owner().findComponent(QStringLiteral("mText%1").arg(i + 1))))
            selection->addTarget(text);
    }
    selection->refreshTargets();
    // What selecting them leaves to events is not part of the change.
    QCoreApplication::processEvents();
}

void row(const char *name, double record, double undo, double redo, const double processor[3])
{
    std::printf("%-34s %10.1f %10.1f %10.1f   (processor %.1f / %.1f / %.1f ms)\n", name, record,
                undo, redo, processor[0], processor[1], processor[2]);
    std::fflush(stdout);
}

void change(const char *name, int count, const std::function<void(ReportWindow &)> &work)
{
    const std::unique_ptr<ReportWindow> window = openWindow();
    selectTexts(*window, count);
    double processor[3];
    const double record = millisecondsOf([&] { work(*window); });
    processor[0] = lastProcessorMs;
    const double undo = millisecondsOf([&] { window->undoStack()->undo(); });
    processor[1] = lastProcessorMs;
    const double redo = millisecondsOf([&] { window->undoStack()->redo(); });
    processor[2] = lastProcessorMs;
    row(name, record, undo, redo, processor);
}

void deleteAll()
{
    const std::unique_ptr<ReportWindow> window = openWindow();
    DesignRegister *designer = window->designRegister();
    double processor = 0;
    const double select = millisecondsOf([&] { designer->selectAll(); });
    processor += lastProcessorMs;
    const double remove = millisecondsOf([&] { designer->deleteSelected(); });
    processor += lastProcessorMs;
    const double undo = millisecondsOf([&] { window->undoStack()->undo(); });
    processor += lastProcessorMs;
    const double redo = millisecondsOf([&] { window->undoStack()->redo(); });
    std::printf("%-34s %10.1f %10.1f %10.1f   (Ctrl+A %.1f ms; Ctrl+A, Delete, Ctrl+Z %.1f ms, "
                "%.1f ms processor time)\n",
                "select all, delete (all items)", remove, undo, redo, select,
                select + remove + undo, processor);
}

void history(int steps, int count)
{
    const std::unique_ptr<ReportWindow> window = openWindow();
    selectTexts(*window, count);
    DesignRegister *designer = window->designRegister();
    const long before = peakKilobytes();
    const double moves = millisecondsOf([&] {
        for (int step = 0; step < steps; ++step)
            designer->nudgeSelection(step % 2 ? -1 : 1, 0, false);
    });
    const long after = peakKilobytes();
    const double undos = millisecondsOf([&] {
        for (int step = 0; step < steps; ++step)
            window->undoStack()->undo();
    });
    std::printf("%d moves of %d items: %.1f ms, peak memory +%ld KiB (%.1f KiB a step); "
                "%d undos %.1f ms\n",
                steps, count, moves, after - before, double(after - before) / steps, steps, undos);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("design of %d text items on %d bands\n", Bands * ItemsPerBand, Bands);
    std::printf("%-34s %10s %10s %10s\n", "change", "record ms", "undo ms", "redo ms");
    change("move 300 items (keyboard)", 300,
           [](ReportWindow &window) { window.designRegister()->nudgeSelection(1, 0, false); });
    change("align 300 items", 300, [](ReportWindow &window) {
        window.designRegister()->alignSelection(DesignRegister::Alignment::Top);
    });
    change("delete 300 items", 300,
           [](ReportWindow &window) { window.designRegister()->deleteSelected(); });
    deleteAll();
    // Steps of the history; fewer when the undos take minutes.
    const int steps = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;
    history(steps, 300);
    return 0;
}
