#include "designer/Outline.h"

#include "designer/OutlineOverlay.h"

#include <QPainter>
#include <QWidget>

namespace PointerClip {

namespace {
QRect clipRect;
bool clipActive = false;
} // namespace

void clip(const QRect &screenRect)
{
    clipRect = screenRect;
    clipActive = true;
}

void release()
{
    clipActive = false;
}

bool active()
{
    return clipActive;
}

QPoint clamp(const QPoint &screenPos)
{
    if (!clipActive || clipRect.isEmpty())
        return screenPos;
    return {std::clamp(screenPos.x(), clipRect.left(), clipRect.right()),
            std::clamp(screenPos.y(), clipRect.top(), clipRect.bottom())};
}

QPoint clampLocal(const QWidget *widget, const QPoint &position)
{
    if (!clipActive)
        return position;
    return widget->mapFromGlobal(clamp(widget->mapToGlobal(position)));
}

} // namespace PointerClip

OutlineGroup::OutlineGroup(OutlineOverlay *overlay, const QColor &color, int penWidth,
                           Qt::PenStyle style)
    : m_overlay(overlay), m_color(color), m_penWidth(std::max(1, penWidth)), m_style(style)
{
    if (m_overlay)
        m_overlay->attach(this);
}

OutlineGroup::~OutlineGroup()
{
    finish();
    if (m_overlay)
        m_overlay->detach(this);
}

void OutlineGroup::addOutline(const QWidget *control)
{
    Outline outline;
    outline.offset = control->mapToGlobal(QPoint(0, 0)) - m_origin;
    outline.width = control->width();
    outline.height = control->height();
    m_outlines.append(outline);
}

void OutlineGroup::resetSingle()
{
    QRect dirty;
    for (const Outline &outline : std::as_const(m_outlines)) {
        if (outline.state == Outline::Drawn)
            dirty |= outline.last;
    }
    m_outlines = {Outline{}};
    if (m_overlay && !dirty.isNull())
        m_overlay->shapeChanged(dirty.adjusted(-m_penWidth, -m_penWidth, m_penWidth, m_penWidth));
}

void OutlineGroup::setOutlineSize(int width, int height)
{
    if (m_outlines.isEmpty())
        return;
    m_outlines.first().width = width;
    m_outlines.first().height = height;
}

void OutlineGroup::setOutlineRect(const QRect &screenRect)
{
    if (m_outlines.isEmpty())
        return;
    m_outlines.first().offset = screenRect.topLeft() - m_origin;
    setOutlineSize(screenRect.width(), screenRect.height());
}

void OutlineGroup::clipTo(const QWidget *container)
{
    if (!container)
        return;
    PointerClip::clip(QRect(container->mapToGlobal(QPoint(0, 0)), container->size()));
    m_clipped = true;
}

void OutlineGroup::moveTo(const QPoint &screenPos)
{
    QRect dirty;
    for (Outline &outline : m_outlines) {
        if (outline.state == Outline::Finished)
            continue;
        if (outline.state == Outline::Drawn)
            dirty |= outline.last;
        const QPoint corner = screenPos + outline.offset;
        outline.last = QRect(corner, corner + QPoint(outline.width, outline.height)).normalized();
        outline.state = Outline::Drawn;
        dirty |= outline.last;
    }
    if (m_overlay && !dirty.isNull())
        m_overlay->shapeChanged(dirty.adjusted(-m_penWidth, -m_penWidth, m_penWidth, m_penWidth));
}

void OutlineGroup::finish()
{
    if (m_clipped) {
        PointerClip::release();
        m_clipped = false;
    }
    if (m_finished)
        return;
    m_finished = true;
    QRect dirty;
    for (Outline &outline : m_outlines) {
        if (outline.state == Outline::Drawn)
            dirty |= outline.last;
        outline.state = Outline::Finished;
    }
    if (m_overlay)
        m_overlay->shapeChanged(dirty.adjusted(-m_penWidth, -m_penWidth, m_penWidth, m_penWidth));
}

void OutlineGroup::paint(QPainter &painter, const QPoint &overlayScreenOrigin) const
{
    QPen pen(m_color, m_penWidth, m_style);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The stroke lies inside the rectangle, as the control it stands for.
    const qreal inset = m_penWidth / 2.0;
    for (const Outline &outline : m_outlines) {
        if (outline.state != Outline::Drawn)
            continue;
        const QRectF rect = QRectF(outline.last.translated(-overlayScreenOrigin));
        if (rect.width() > m_penWidth && rect.height() > m_penWidth)
            painter.drawRect(rect.adjusted(inset, inset, -inset, -inset));
        else
            painter.drawRect(rect);
    }
}
