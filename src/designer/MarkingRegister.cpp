#include "designer/MarkingRegister.h"

#include "designer/Cover.h"
#include "designer/DesignControls.h"
#include "designer/DesignMessages.h"

#include <QPainter>

namespace {

constexpr int MarkSize = 6;

// A mark set shows through its control's (or, for a non-windowed control,
// its parent's) painting.
void repaintMarksOf(QWidget *control)
{
    if (!control || DesignControls::isGoingAway(control))
        return;
    if (DesignControls::isWindowed(control))
        control->update();
    else if (QWidget *parent = control->parentWidget())
        parent->update(control->geometry());
}

} // namespace

void paintMarks(QPainter &painter, const QPoint &origin, const QSize &size)
{
    const QColor grey(0x80, 0x80, 0x80);
    const int x = origin.x();
    const int y = origin.y();
    const int w = size.width();
    const int h = size.height();
    for (const QPoint &corner :
         {QPoint(x, y), QPoint(x + w - MarkSize, y), QPoint(x, y + h - MarkSize),
          QPoint(x + w - MarkSize, y + h - MarkSize)})
        painter.fillRect(QRect(corner, QSize(MarkSize, MarkSize)), grey);
}

CornerMarks::CornerMarks(QWidget *control) : SelectionMarker(control)
{
    repaintMarksOf(control);
}

CornerMarks::~CornerMarks()
{
    repaintMarksOf(control());
}

void CornerMarks::reposition()
{
    repaintMarksOf(control());
}

void MarkingMarkerManager::addTarget(QWidget *control)
{
    if (ignores(control))
        return;
    if (count() >= 2) {
        appendSet(std::make_unique<CornerMarks>(control));
    } else if (count() == 1) {
        replaceSet(0, std::make_unique<CornerMarks>(set(0)->control()));
        appendSet(std::make_unique<CornerMarks>(control));
    } else {
        appendSet(createMarker(control));
    }
    announceAdded(control, false);
}

void MarkingRegister::setDesigning(bool value)
{
    m_markPainter = false;
    RubberBandRegister::setDesigning(value);
}

void MarkingRegister::targetAdded()
{
    m_markPainter = targets() && targets()->count() >= 2;
}

std::unique_ptr<MarkerManager> MarkingRegister::createMarkerManager()
{
    return std::make_unique<MarkingMarkerManager>();
}

Cover *MarkingRegister::createCover(QWidget *control)
{
    return new MarkingCover(control, this);
}

void MarkingCover::afterPaint()
{
    SelectionList *selection = dsnRegister() ? dsnRegister()->targets() : nullptr;
    QWidget *covered = control();
    if (!selection || !covered)
        return;
    QPainter painter(covered);
    for (QObject *child : covered->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !DesignControls::isWindowed(widget) && selection->indexOf(widget) >= 0)
            paintMarks(painter, widget->pos(), widget->size());
    }
    if (selection->indexOf(covered) >= 0)
        paintMarks(painter, QPoint(0, 0), covered->size());
}
