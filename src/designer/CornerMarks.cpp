#include "designer/CornerMarks.h"

#include "designer/DesignControls.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr int MarkSize = 6;

// A mark set shows through its control's (or, for a non-windowed control,
// its parent's) painting.
void repaintMarksOf(QWidget *control)
{
    if (!control || DesignControls::isGoingAway(control))
        return;
    if (DesignControls::isWindowed(control))
        DesignControls::repaint(control);
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
