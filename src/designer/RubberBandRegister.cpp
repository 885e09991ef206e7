#include "designer/RubberBandRegister.h"

#include "designer/DesignControls.h"
#include "designer/DesignStage.h"
#include "designer/Outline.h"

#include <QWidget>

RubberBandRegister::RubberBandRegister(ComponentOwner *owner, QObject *parent)
    : DesignRegister(owner, parent)
{
}

RubberBandRegister::~RubberBandRegister() = default;

void RubberBandRegister::setDesigning(bool value)
{
    if (!value)
        m_rubberband.reset();
    DesignRegister::setDesigning(value);
}

void RubberBandRegister::controlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                          ShiftState shift)
{
    if (templateCurrent())
        beginCreate(control, hitControl, pos, shift);
    else if ((shift & ssCtrl) || DesignControls::isStage(hitControl))
        beginRubberBand(control, hitControl, pos, shift);
    else
        beginMove(control, hitControl, pos, shift);
}

void RubberBandRegister::controlMouseMove(QWidget *control, const QPoint &pos, ShiftState shift)
{
    if (templateCurrent())
        dragCreate(control, pos, shift);
    else if (m_rubberband)
        dragRubberBand(control, pos, shift);
    else if (shift & ssLeft)
        dragMove(control, pos, shift);
    else
        finishLeftoverShape();
}

void RubberBandRegister::controlMouseUp(QWidget *control, const QPoint &pos, ShiftState shift)
{
    if (templateCurrent())
        endCreate(control, pos, shift);
    else if (m_rubberband)
        endRubberBand(control, pos, shift);
    else
        endMove(control, pos, shift);
}

SelectAnswer RubberBandRegister::adjustRightAnswer(QWidget *hitControl, SelectAnswer answer) const
{
    return DesignControls::isStage(hitControl) ? SelectAnswer(saPlace) : answer;
}

std::unique_ptr<OutlineGroup> RubberBandRegister::createRubberBandShape()
{
    return std::make_unique<OutlineGroup>(stage() ? stage()->outlineOverlay() : nullptr,
                                          colorOfValue(0x000080), 1, Qt::DotLine);
}

void RubberBandRegister::beginRubberBand(QWidget *control, QWidget *, const QPoint &pos, ShiftState)
{
    const QPoint q = containerPoint(control, pos);
    if (!container())
        return;
    m_rubberband = createRubberBandShape();
    setGestureStart(snapPoint(q));
    m_rubberband->setOrigin(container()->mapToGlobal(gestureStart()));
    m_rubberband->resetSingle();
    m_rubberband->clipTo(container());
}

void RubberBandRegister::dragRubberBand(QWidget *control, const QPoint &pos, ShiftState)
{
    if (!container())
        return;
    const QPoint p = toContainer(control, snapPoint(pos));
    const QPoint p0 = gestureStart();
    m_rubberband->setOutlineSize(p.x() - p0.x(), p.y() - p0.y());
    m_rubberband->moveTo(container()->mapToGlobal(p0));
}

void RubberBandRegister::endRubberBand(QWidget *control, const QPoint &pos, ShiftState)
{
    const QPoint p = toContainer(control, pos);
    m_rubberband->finish();
    m_rubberband.reset();
    SelectionList *selection = ensureSelectionList();
    selection->clearTargets();
    QWidget *parent = container();
    if (!parent)
        return;
    const QPoint p0 = gestureStart();
    // Right and bottom edges are exclusive: a band of no width or height
    // touches nothing.
    const QRect area(std::min(p0.x(), p.x()), std::min(p0.y(), p.y()), std::abs(p.x() - p0.x()),
                     std::abs(p.y() - p0.y()));
    for (QWidget *child : DesignControls::childControls(parent)) {
        if (!askSelect(stage(), child).testFlag(saSelect))
            continue;
        if (area.intersects(child->geometry()))
            selection->addTarget(child);
    }
    selection->refreshTargets();
}
