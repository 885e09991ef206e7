#include "designer/ReportStageAnswers.h"

#include "designer/DsnStage.h"

#include "model/mKomponents.h"

namespace ReportStageAnswers {

void install(TDsnStage &stage)
{
    stage.OnSelectQuery = SelectQuery;
    stage.OnDeleteQuery = DeleteQuery;
    stage.OnMoveQuery = MoveQuery;
    stage.OnControlCreate = ControlCreate;
}

void SelectQuery(QObject *, QWidget *, TSelectAccept &)
{
}

void DeleteQuery(QObject *, QWidget *component, bool &canDelete)
{
    if (qstrcmp(component->metaObject()->className(), "TmPage") == 0)
        canDelete = false;
}

void MoveQuery(QObject *, QWidget *component, bool &canMove)
{
    if (qobject_cast<TmPage *>(component))
        canMove = false;
}

void ControlCreate(QObject *, QWidget *component)
{
    auto *control = qobject_cast<TReportControl *>(component);
    if (!control)
        return;
    const int left = control->x();
    const int top = control->y();
    if (qobject_cast<TmText *>(control))
        control->setBounds(left, top, 100, 18);
    else if (qobject_cast<TBandBase *>(control))
        control->setBounds(left, top, control->width(), 40);
    else if (qobject_cast<TmBlock *>(control))
        control->setBounds(left, top, 186, 36);
    else if (qobject_cast<TMBlockCode *>(control))
        control->setBounds(left, top, 60, 18);
}

} // namespace ReportStageAnswers
