// Dragging 500 selected text items on a design stage: the cost of one
// pointer move (outline update and the overlay's repaint, no component
// repaint), of the first move (the picture of the stage) and of the
// release (500 moves and the repaint that follows).

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/OutlineOverlay.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <cstdio>
#include <memory>

namespace {

constexpr int at = 500;
constexpr int Columns = 10;
constexpr int Moves = 300;

class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            if (qobject_cast<ReportControl *>(watched))
                ++components;
            else if (qobject_cast<OutlineOverlay *>(watched))
                ++overlay;
        }
        return false;
    }
    int components = 0;
    int overlay = 0;
};

void send(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    QApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    ComponentOwner owner;
    auto window = std::make_unique<QWidget>();
    auto *stage = new DesignStage(&owner, window.get());
    stage->rubberBand = {0x808080, 2, 6, 18};
    auto *page = new ReportPage(&owner, stage);
    page->setNewReportValues();
    page->setName(QStringLiteral("mPage1"));
    stage->setGeometry(0, 0, page->width(), page->height());
    auto *band = new Band(&owner, page);
    band->setName(QStringLiteral("mBand1"));
    band->setTypeBand(Detail);
    band->setHeightPx(18 * (at / Columns) + 36);
    QList<TextItem *> texts;
    for (int i = 0; i < at; ++i) {
        auto *text = new TextItem(&owner, band);
        text->setName(QStringLiteral("mText%1").arg(i + 1));
        text->setBounds(12 + (i % Columns) * 72, (i / Columns) * 18, 60, 18);
        texts.append(text);
    }
    auto *designer = new DesignRegister(&owner, window.get());
    designer->setStage(stage);
    window->resize(stage->size());
    window->show();
    QApplication::processEvents();
    designer->setDesigning(true);

    SelectionList *selection = designer->ensureSelectionList();
    for (TextItem *text : std::as_const(texts))
        selection->addTarget(text);
    selection->refreshTargets();
    QApplication::processEvents();

    TextItem *grabbed = texts.at(at / 2);
    PaintCounter counter;
    app.installEventFilter(&counter);
    QElapsedTimer timer;
    send(grabbed, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    timer.start();
    send(grabbed, QEvent::MouseMove, {12, 6}, Qt::LeftButton);
    const double firstMove = timer.nsecsElapsed() / 1e6;
    timer.restart();
    for (int i = 1; i <= Moves; ++i)
        send(grabbed, QEvent::MouseMove, {5 + (i % 40) * 3, 5 + (i % 20) * 2}, Qt::LeftButton);
    const double perMove = timer.nsecsElapsed() / 1e6 / Moves;
    const int componentPaints = counter.components;
    const int overlayPaints = counter.overlay;
    timer.restart();
    send(grabbed, QEvent::MouseButtonRelease, {29, 23}, Qt::NoButton);
    const double release = timer.nsecsElapsed() / 1e6;
    app.removeEventFilter(&counter);

    std::printf("drag of %d selected items, %d moves (%s platform)\n", at, Moves,
                qPrintable(QGuiApplication::platformName()));
    std::printf("  first move (picture of the stage): %8.3f ms\n", firstMove);
    std::printf("  per move:                          %8.3f ms\n", perMove);
    std::printf("  release (500 moves and repaint):   %8.3f ms\n", release);
    std::printf("  component paints during the moves: %d, overlay paints: %d\n", componentPaints,
                overlayPaints);
    std::printf("  moved by: %d, %d\n", texts.first()->x() - 12, texts.first()->y());
    designer->setDesigning(false);
    return componentPaints == 0 ? 0 : 1;
}
