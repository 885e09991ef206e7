// The cost of the undo history: one keyboard move of every text item of a
// design (the change recorded as a step, the design serialised before and
// after) and the undo and redo of that step (the design rebuilt), for
// designs of growing size.

#include "windows/ReportWindow.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QUndoStack>

#include <cstdio>

namespace {

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void measure(int textCount)
{
    ReportWindow window;
    window.openReport(omNew, QStringLiteral("BENCH.kfx"));
    window.show();
    auto *band = new Band(&window.owner(), window.mPage1());
    band->setName(QStringLiteral("mBand1"));
    band->setHeightPx(18 * (textCount / 10 + 1));
    band->show();
    QList<QWidget *> texts;
    for (int i = 0; i < textCount; ++i) {
        auto *text = new TextItem(&window.owner(), band);
        text->setName(QStringLiteral("mText%1").arg(i + 1));
        text->setCaption(QStringLiteral("'item %1'").arg(i + 1));
        text->setBounds(72 * (i % 10), 18 * (i / 10), 60, 18);
        texts.append(text);
    }
    window.switchOff();
    window.switchOn();
    DesignRegister *designer = window.designRegister();
    SelectionList *selection = designer->ensureSelectionList();
    for (QWidget *text : texts)
        selection->addTarget(text);
    const double move = millisecondsOf([&] { designer->nudgeSelection(1, 0, false); });
    const double undo = millisecondsOf([&] { window.undoStack()->undo(); });
    const double redo = millisecondsOf([&] { window.undoStack()->redo(); });
    std::printf("%6d texts: move recorded %8.1f ms, undo %8.1f ms, redo %8.1f ms\n", textCount,
                move, undo, redo);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int count : {10, 300, 3000})
        measure(count);
    return 0;
}
