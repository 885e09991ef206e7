#include "designer/OutlineOverlay.h"

#include "designer/Outline.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

OutlineOverlay::OutlineOverlay(QWidget *stage) : QWidget(stage)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Opaque, so that updating the layer never repaints what lies beneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void OutlineOverlay::attach(OutlineGroup *shape)
{
    if (!m_shapes.contains(shape))
        m_shapes.append(shape);
}

void OutlineOverlay::detach(OutlineGroup *shape)
{
    m_shapes.removeOne(shape);
    if (m_frozen && !anyDrawn())
        thaw();
}

void OutlineOverlay::shapeChanged(const QRect &screenRect)
{
    if (!anyDrawn()) {
        thaw();
        return;
    }
    if (!m_frozen) {
        freeze();
        return;
    }
    update(QRect(mapFromGlobal(screenRect.topLeft()), screenRect.size()));
}

bool OutlineOverlay::anyDrawn() const
{
    for (const OutlineGroup *shape : m_shapes) {
        for (const Outline &outline : shape->outlines()) {
            if (outline.state == Outline::Drawn)
                return true;
        }
    }
    return false;
}

void OutlineOverlay::freeze()
{
    QWidget *stage = parentWidget();
    if (!stage || !stage->isVisible())
        return;
    // Pending repaints of the stage belong in the picture.
    QCoreApplication::sendPostedEvents(stage->window(), QEvent::UpdateRequest);
    QRect visible = stage->visibleRegion().boundingRect();
    if (visible.isEmpty())
        visible = stage->rect();
    m_picture = pictureOfStage(visible);
    m_pictureAt = visible.topLeft();
    setGeometry(stage->rect());
    raise();
    m_frozen = true;
    show();
}

QPixmap OutlineOverlay::pictureOfStage(const QRect &visible) const
{
    QWidget *stage = parentWidget();
    QWidget *top = stage->window();
    // What the screen shows costs no repaint; render the stage only where the
    // platform cannot read its window back.
    if (QScreen *screen = top->screen()) {
        const QPoint at = stage->mapTo(top, visible.topLeft());
        QPixmap picture =
            screen->grabWindow(top->winId(), at.x(), at.y(), visible.width(), visible.height());
        if (!picture.isNull() && picture.deviceIndependentSize().toSize() == visible.size())
            return picture;
    }
    return stage->grab(visible);
}

void OutlineOverlay::thaw()
{
    if (!m_frozen)
        return;
    m_frozen = false;
    m_picture = QPixmap();
    hide();
}

void OutlineOverlay::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.fillRect(event->rect(), palette().window());
    painter.drawPixmap(m_pictureAt, m_picture);
    // Drawn over white paper an outline shows its own colour; drawn twice on
    // the same pixels it would cancel out, as outlines on screen always did.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    for (const OutlineGroup *shape : std::as_const(m_shapes))
        shape->paint(painter, origin);
}
