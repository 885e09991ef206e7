#include "designer/DesignRegister.h"

#include "designer/CoverMenu.h"
#include "designer/DesignControls.h"
#include "designer/DesignStage.h"
#include "designer/Outline.h"
#include "designer/ResizeHandle.h"

#include <QMenu>
#include <QWidget>

void DesignRegister::finishLeftoverShape()
{
    if (m_shape) {
        m_shape->finish();
        m_shape.reset();
    }
}

void DesignRegister::setGestureContainer(QWidget *control, QWidget *hitControl)
{
    m_container = hitControl == control ? control->parentWidget() : control;
}

void DesignRegister::pressSelect(QWidget *hitControl)
{
    if (m_targets->count() == 0) {
        m_targets->addTarget(hitControl);
    } else if (m_targets->indexOf(hitControl) < 0 || !sameParent()) {
        m_targets->clearTargets();
        m_targets->addTarget(hitControl);
    }
}

void DesignRegister::beginMove(QWidget *control, QWidget *hitControl, const QPoint &pos,
                               ShiftState shift)
{
    if (!askSelect(m_stage, hitControl).testFlag(saSelect))
        return;
    setGestureContainer(control, hitControl);
    ensureSelectionList();
    if ((shift & ssShift)) {
        const int index = m_targets->indexOf(hitControl);
        if (index >= 0)
            m_targets->removeTarget(index);
        else
            m_targets->addTarget(hitControl);
        return;
    }
    pressSelect(hitControl);
    if (!sameParent() || !m_container)
        return;
    renewShape(outlineColor(), m_penWidth);
    m_start = snapPoint(pos);
    m_shape->setOrigin(m_container->mapToGlobal(m_start));
    for (QWidget *selected : m_targets->items()) {
        if (selected)
            m_shape->addOutline(selected);
    }
    m_shape->clipTo(m_container);
}

void DesignRegister::dragMove(QWidget *, const QPoint &pos, ShiftState shift)
{
    if (!m_shape || !m_container)
        return;
    const QPoint p = snapPoint(pos);
    if (!sameParent() || ((shift & ssShift)))
        return;
    m_shape->moveTo(m_container->mapToGlobal(p));
}

void DesignRegister::endMove(QWidget *, const QPoint &pos, ShiftState shift)
{
    const QPoint p = snapPoint(pos);
    if (sameParent() && m_shape && !((shift & ssShift))) {
        finishLeftoverShape();
        const QPoint d = p - m_start;
        const QList<QWidget *> selected = m_targets ? m_targets->items() : QList<QWidget *>();
        for (QWidget *control : selected) {
            if (!control)
                continue;
            if (m_stage && !m_stage->policy().canMove(control))
                continue;
            DesignControls::setLeft(control, control->x() + d.x());
            DesignControls::setTop(control, control->y() + d.y());
        }
    }
    if (p != m_start)
        targetsMoved(m_start.x() - p.x(), m_start.y() - p.y());
    if (m_targets)
        m_targets->refreshTargets();
}

void DesignRegister::rightSelect(QWidget *control, QWidget *hitControl, int, int)
{
    // A right click on the stage itself may place, never select it.
    const SelectAnswer answer = DesignControls::isStage(hitControl)
                                    ? SelectAnswer(saPlace)
                                    : askSelect(m_stage, hitControl);
    if (!answer.testFlag(saSelect))
        return;
    setGestureContainer(control, hitControl);
    ensureSelectionList();
    pressSelect(hitControl);
    m_targets->refreshTargets();
}

void DesignRegister::coverDoubleClicked(QWidget *hitControl)
{
    if (m_stage)
        emit m_stage->coverDoubleClicked(hitControl);
}

void DesignRegister::coverRightClicked(QWidget *control, QWidget *hitControl, int x, int y)
{
    QPointer<QWidget> guard(control);
    rightSelect(control, hitControl, x, y);
    if (!m_coverMenu || !m_targets || !guard)
        return;
    const QList<QAction *> own = m_coverMenu->actions().mid(m_borrowed);
    for (QAction *action : own) {
        m_coverMenu->removeAction(action);
        delete action;
    }
    if (m_stage)
        CoverMenus::appendPropertyItems(m_coverMenu, m_stage, *m_targets);
    if (m_stage)
        emit m_stage->coverMenuAboutToPopup(m_coverMenu);
    if (!m_coverMenu->isEmpty())
        m_coverMenu->popup(control->mapToGlobal(QPoint(x, y)));
}

QPoint DesignRegister::containerPoint(QWidget *control, const QPoint &pos)
{
    if (DesignControls::acceptsChildControls(control)) {
        m_container = control;
        return pos;
    }
    m_container = control->parentWidget();
    return pos + control->pos();
}

QPoint DesignRegister::toContainer(QWidget *control, const QPoint &point) const
{
    return DesignControls::acceptsChildControls(control) ? point : point + control->pos();
}
