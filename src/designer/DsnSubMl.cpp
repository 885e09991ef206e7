#include "designer/DsnSubMl.h"

#include "designer/DsnControls.h"
#include "designer/DsnShape.h"
#include "designer/DsnStage.h"

#include <QWidget>

TDsnMlRegister::TDsnMlRegister(ComponentOwner *owner, QObject *parent)
    : TDsnRegister(owner, parent)
{
}

TDsnMlRegister::~TDsnMlRegister() = default;

void TDsnMlRegister::SetDesigning(bool value)
{
    if (!value)
        m_rubberband.reset();
    TDsnRegister::SetDesigning(value);
}

void TDsnMlRegister::ControlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                      TShiftState shift)
{
    if (templateCurrent())
        BeginCreate(control, hitControl, pos, shift);
    else if ((shift & ssCtrl) || DsnControls::isStage(hitControl))
        BeginRubberband(control, hitControl, pos, shift);
    else
        BeginMove(control, hitControl, pos, shift);
}

void TDsnMlRegister::ControlMouseMove(QWidget *control, const QPoint &pos, TShiftState shift)
{
    if (templateCurrent())
        DragCreate(control, pos, shift);
    else if (m_rubberband)
        DragRubberband(control, pos, shift);
    else if (shift & ssLeft)
        DragMove(control, pos, shift);
    else
        finishLeftoverShape();
}

void TDsnMlRegister::ControlMouseUp(QWidget *control, const QPoint &pos, TShiftState shift)
{
    if (templateCurrent())
        EndCreate(control, pos, shift);
    else if (m_rubberband)
        EndRubberband(control, pos, shift);
    else
        EndMove(control, pos, shift);
}

TSelectAccept TDsnMlRegister::adjustRightAnswer(QWidget *hitControl, TSelectAccept answer) const
{
    return DsnControls::isStage(hitControl) ? TSelectAccept(saPlace) : answer;
}

std::unique_ptr<TMultiShape> TDsnMlRegister::CreateRubberbandShape()
{
    return std::make_unique<TMultiShape>(DsnStage() ? DsnStage()->outlineOverlay() : nullptr,
                                         colorOfValue(0x000080), 1, Qt::DotLine);
}

void TDsnMlRegister::BeginRubberband(QWidget *control, QWidget *, const QPoint &pos, TShiftState)
{
    const QPoint q = containerPoint(control, pos);
    if (!container())
        return;
    m_rubberband = CreateRubberbandShape();
    setGestureStart(SnapPoint(q));
    m_rubberband->setOrigin(container()->mapToGlobal(gestureStart()));
    m_rubberband->ResetSingle();
    m_rubberband->ClipTo(container());
}

void TDsnMlRegister::DragRubberband(QWidget *control, const QPoint &pos, TShiftState)
{
    if (!container())
        return;
    const QPoint p = toContainer(control, SnapPoint(pos));
    const QPoint p0 = gestureStart();
    m_rubberband->SetOutlineSize(p.x() - p0.x(), p.y() - p0.y());
    m_rubberband->MoveTo(container()->mapToGlobal(p0));
}

void TDsnMlRegister::EndRubberband(QWidget *control, const QPoint &pos, TShiftState)
{
    const QPoint p = toContainer(control, pos);
    m_rubberband->Finish();
    m_rubberband.reset();
    TTargetList *selection = EnsureTargets();
    selection->Clear();
    QWidget *parent = container();
    if (!parent)
        return;
    const QPoint p0 = gestureStart();
    // Right and bottom edges are exclusive: a band of no width or height
    // touches nothing.
    const QRect area(std::min(p0.x(), p.x()), std::min(p0.y(), p.y()), std::abs(p.x() - p0.x()),
                     std::abs(p.y() - p0.y()));
    for (QWidget *child : DsnControls::childControls(parent)) {
        if (!askSelect(DsnStage(), child).testFlag(saSelect))
            continue;
        if (area.intersects(child->geometry()))
            selection->Add(child);
    }
    selection->Update();
}
