#include "designer/DsnUnit.h"

#include "designer/DsnControls.h"
#include "designer/DsnCoverMenu.h"
#include "designer/DsnHandle.h"
#include "designer/DsnPanel.h"
#include "designer/DsnShape.h"
#include "designer/DsnStage.h"

#include <QMenu>
#include <QWidget>

bool TDsnRegister::templateCurrent() const
{
    return m_palette && m_palette->CurrentTemplate();
}

void TDsnRegister::ControlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                    TShiftState shift)
{
    if (templateCurrent())
        BeginCreate(control, hitControl, pos, shift);
    else
        BeginMove(control, hitControl, pos, shift);
}

void TDsnRegister::ControlMouseMove(QWidget *control, const QPoint &pos, TShiftState shift)
{
    if (templateCurrent())
        DragCreate(control, pos, shift);
    else if (shift & ssLeft)
        DragMove(control, pos, shift);
    else
        finishLeftoverShape();
}

void TDsnRegister::ControlMouseUp(QWidget *control, const QPoint &pos, TShiftState shift)
{
    if (templateCurrent())
        EndCreate(control, pos, shift);
    else
        EndMove(control, pos, shift);
}

void TDsnRegister::finishLeftoverShape()
{
    if (m_shape) {
        m_shape->Finish();
        m_shape.reset();
    }
}

void TDsnRegister::setGestureContainer(QWidget *control, QWidget *hitControl)
{
    m_container = hitControl == control ? control->parentWidget() : control;
}

void TDsnRegister::pressSelect(QWidget *hitControl)
{
    if (m_targets->Count() == 0) {
        m_targets->Add(hitControl);
    } else if (m_targets->IndexOf(hitControl) < 0 || !SameParent()) {
        m_targets->Clear();
        m_targets->Add(hitControl);
    }
}

void TDsnRegister::BeginMove(QWidget *control, QWidget *hitControl, const QPoint &pos,
                             TShiftState shift)
{
    if (!askSelect(m_stage, hitControl).testFlag(saSelect))
        return;
    setGestureContainer(control, hitControl);
    EnsureTargets();
    if (shiftToggles() && (shift & ssShift)) {
        const int index = m_targets->IndexOf(hitControl);
        if (index >= 0)
            m_targets->Delete(index);
        else
            m_targets->Add(hitControl);
        return;
    }
    pressSelect(hitControl);
    if (!SameParent() || !m_container)
        return;
    RenewShape(outlineColor(), m_penWidth);
    m_start = SnapPoint(pos);
    m_shape->setOrigin(m_container->mapToGlobal(m_start));
    for (QWidget *selected : m_targets->items()) {
        if (selected)
            m_shape->AddOutline(selected);
    }
    m_shape->ClipTo(m_container);
}

void TDsnRegister::DragMove(QWidget *, const QPoint &pos, TShiftState shift)
{
    if (!m_shape || !m_container)
        return;
    const QPoint p = SnapPoint(pos);
    if (!SameParent() || (shiftToggles() && (shift & ssShift)))
        return;
    m_shape->MoveTo(m_container->mapToGlobal(p));
}

void TDsnRegister::EndMove(QWidget *, const QPoint &pos, TShiftState shift)
{
    const QPoint p = SnapPoint(pos);
    if (SameParent() && m_shape && !(shiftToggles() && (shift & ssShift))) {
        finishLeftoverShape();
        const QPoint d = p - m_start;
        const QList<QWidget *> selected = m_targets ? m_targets->items() : QList<QWidget *>();
        for (QWidget *control : selected) {
            if (!control)
                continue;
            bool canMove = true;
            if (m_stage && m_stage->OnMoveQuery)
                m_stage->OnMoveQuery(m_stage, control, canMove);
            if (!canMove)
                continue;
            DsnControls::setLeft(control, control->x() + d.x());
            DsnControls::setTop(control, control->y() + d.y());
        }
    }
    if (p != m_start)
        TargetsMoved(m_start.x() - p.x(), m_start.y() - p.y());
    if (m_targets)
        m_targets->Update();
}

void TDsnRegister::RightSelect(QWidget *control, QWidget *hitControl, int, int)
{
    const TSelectAccept answer = adjustRightAnswer(hitControl, askSelect(m_stage, hitControl));
    if (!answer.testFlag(saSelect))
        return;
    setGestureContainer(control, hitControl);
    EnsureTargets();
    pressSelect(hitControl);
    m_targets->Update();
}

void TDsnRegister::CoverDblClick(QWidget *hitControl)
{
    if (m_stage && m_stage->OnCoverDblClick)
        m_stage->OnCoverDblClick(m_stage, hitControl);
}

void TDsnRegister::CoverRightClick(QWidget *control, QWidget *hitControl, int x, int y)
{
    QPointer<QWidget> guard(control);
    RightSelect(control, hitControl, x, y);
    if (!m_coverMenu || !m_targets || !guard)
        return;
    const QList<QAction *> own = m_coverMenu->actions().mid(m_borrowed);
    for (QAction *action : own) {
        m_coverMenu->removeAction(action);
        delete action;
    }
    if (m_stage)
        DsnCoverMenu::appendPropertyItems(m_coverMenu, m_stage, *m_targets);
    if (m_stage && m_stage->OnPopup)
        m_stage->OnPopup(m_coverMenu);
    if (!m_coverMenu->isEmpty())
        m_coverMenu->popup(control->mapToGlobal(QPoint(x, y)));
}

QPoint TDsnRegister::containerPoint(QWidget *control, const QPoint &pos)
{
    if (DsnControls::acceptsChildControls(control)) {
        m_container = control;
        return pos;
    }
    m_container = control->parentWidget();
    return pos + control->pos();
}

QPoint TDsnRegister::toContainer(QWidget *control, const QPoint &point) const
{
    return DsnControls::acceptsChildControls(control) ? point : point + control->pos();
}
