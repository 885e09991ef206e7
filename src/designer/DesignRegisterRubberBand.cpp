#include "designer/DesignRegister.h"

#include "designer/ComponentPalette.h"
#include "designer/DesignControls.h"
#include "designer/DesignStage.h"
#include "designer/Outline.h"

#include <QWidget>

bool DesignRegister::templateCurrent() const
{
    return m_palette && m_palette->currentTemplate();
}

void DesignRegister::controlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                      ShiftState shift)
{
    openGestureChange();
    if (templateCurrent())
        beginCreate(control, hitControl, pos, shift);
    else if ((shift & ssCtrl) || DesignControls::isStage(hitControl))
        beginRubberBand(control, pos);
    else
        beginMove(control, hitControl, pos, shift);
}

void DesignRegister::controlMouseMove(QWidget *control, const QPoint &pos, ShiftState shift)
{
    if (templateCurrent())
        dragCreate(control, pos, shift);
    else if (m_rubberBand)
        dragRubberBand(control, pos);
    else if (shift & ssLeft)
        dragMove(control, pos, shift);
    else
        finishLeftoverShape();
}

void DesignRegister::controlMouseUp(QWidget *control, const QPoint &pos, ShiftState shift)
{
    const bool creating = templateCurrent();
    if (creating)
        endCreate(control, pos, shift);
    else if (m_rubberBand)
        endRubberBand(control, pos);
    else
        endMove(control, pos, shift);
    closeGestureChange(describe(creating ? QStringLiteral("Create") : QStringLiteral("Move")));
}

void DesignRegister::openGestureChange()
{
    // A gesture whose release never came ends here.
    closeGestureChange(QString());
    if (!m_stage)
        return;
    m_stage->beginChange();
    m_gestureChangeOpen = true;
}

void DesignRegister::closeGestureChange(const QString &text)
{
    if (!m_gestureChangeOpen)
        return;
    m_gestureChangeOpen = false;
    if (m_stage)
        m_stage->endChange(text);
}

void DesignRegister::beginResize()
{
    openGestureChange();
}

void DesignRegister::beginRubberBand(QWidget *control, const QPoint &pos)
{
    const QPoint q = containerPoint(control, pos);
    if (!m_container)
        return;
    m_rubberBand = std::make_unique<OutlineGroup>(m_stage ? m_stage->outlineOverlay() : nullptr,
                                                  colorOfValue(0x000080), 1, Qt::DotLine);
    m_start = snapPoint(q);
    m_rubberBand->setOrigin(m_container->mapToGlobal(m_start));
    m_rubberBand->resetSingle();
    m_rubberBand->clipTo(m_container);
}

void DesignRegister::dragRubberBand(QWidget *control, const QPoint &pos)
{
    if (!m_container)
        return;
    const QPoint p = toContainer(control, snapPoint(pos));
    m_rubberBand->setOutlineSize(p.x() - m_start.x(), p.y() - m_start.y());
    m_rubberBand->moveTo(m_container->mapToGlobal(m_start));
}

void DesignRegister::endRubberBand(QWidget *control, const QPoint &pos)
{
    const QPoint p = toContainer(control, pos);
    m_rubberBand->finish();
    m_rubberBand.reset();
    SelectionList *selection = ensureSelectionList();
    selection->clearTargets();
    QWidget *parent = m_container;
    if (!parent)
        return;
    // Right and bottom edges are exclusive: a band of no width or height
    // touches nothing.
    const QRect area(std::min(m_start.x(), p.x()), std::min(m_start.y(), p.y()),
                     std::abs(p.x() - m_start.x()), std::abs(p.y() - m_start.y()));
    for (QWidget *child : DesignControls::childControls(parent)) {
        if (!askSelect(m_stage, child).testFlag(saSelect))
            continue;
        if (area.intersects(child->geometry()))
            selection->addTarget(child);
    }
    selection->refreshTargets();
}
