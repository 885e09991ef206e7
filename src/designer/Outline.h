#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>

class QPainter;
class QWidget;
class OutlineOverlay;

// Where the pointer of a running gesture may go, in screen coordinates.
// The platform cannot confine the pointer, so the covers and handles clamp
// the positions they hand on instead.
namespace PointerClip {
void clip(const QRect &screenRect);
void release();
bool active();
QPoint clamp(const QPoint &screenPos);
// position (in widget's coordinates) clamped to the clip rectangle.
QPoint clampLocal(const QWidget *widget, const QPoint &position);
} // namespace PointerClip

// One outline rectangle of a set: an offset from the set's origin and a
// size that may be negative (the rectangle then runs leftwards or upwards).
struct Outline
{
    enum State { NotDrawn, Drawn, Finished };

    QPoint offset;
    int width = 0;
    int height = 0;
    QRect last;
    State state = NotDrawn;
};

// Outlines drawn together while a move, resize, rubber band or creation
// runs. They show on the stage's overlay, so no control repaints during
// the drag; drawing a set again replaces what it drew before.
class OutlineGroup
{
public:
    OutlineGroup(OutlineOverlay *overlay, const QColor &color, int penWidth,
                 Qt::PenStyle style = Qt::SolidLine);
    ~OutlineGroup();
    OutlineGroup(const OutlineGroup &) = delete;
    OutlineGroup &operator=(const OutlineGroup &) = delete;

    void setOrigin(const QPoint &screenPos) { m_origin = screenPos; }
    QPoint origin() const { return m_origin; }

    void addOutline(const QWidget *control);
    void resetSingle();
    void setOutlineSize(int width, int height);
    // Makes the first outline stand for screenRect when drawn at the origin.
    void setOutlineRect(const QRect &screenRect);
    void clipTo(const QWidget *container);
    // Draws every outline not yet finished at point + its offset.
    void moveTo(const QPoint &screenPos);
    // Frees the pointer and takes every outline off the screen for good.
    void finish();

    bool isFinished() const { return m_finished; }
    int count() const { return int(m_outlines.size()); }
    const QList<Outline> &outlines() const { return m_outlines; }
    void paint(QPainter &painter, const QPoint &overlayScreenOrigin) const;

private:
    OutlineOverlay *m_overlay;
    QColor m_color;
    int m_penWidth;
    Qt::PenStyle m_style;
    QPoint m_origin;
    QList<Outline> m_outlines;
    bool m_finished = false;
    bool m_clipped = false;
};
