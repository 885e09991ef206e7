#include "designer/ReportStageAnswers.h"

#include "designer/DesignStage.h"

#include "model/ReportClasses.h"
#include "model/ReportPage.h"

namespace ReportStageAnswers {

void install(DesignStage &stage)
{
    stage.onSelectQuery = selectQuery;
    stage.onDeleteQuery = deleteQuery;
    stage.onMoveQuery = moveQuery;
    stage.onControlCreate = controlCreated;
}

void selectQuery(QObject *, QWidget *, SelectAnswer &)
{
}

void deleteQuery(QObject *, QWidget *component, bool &canDelete)
{
    if (qobject_cast<ReportPage *>(component))
        canDelete = false;
}

void moveQuery(QObject *, QWidget *component, bool &canMove)
{
    if (qobject_cast<ReportPage *>(component))
        canMove = false;
}

void controlCreated(QObject *, QWidget *component)
{
    auto *control = qobject_cast<ReportControl *>(component);
    if (!control)
        return;
    const int left = control->x();
    const int top = control->y();
    if (qobject_cast<TextItem *>(control))
        control->setBounds(left, top, 100, 18);
    else if (qobject_cast<BandBase *>(control))
        control->setBounds(left, top, control->width(), 40);
    else if (qobject_cast<BlockPanel *>(control))
        control->setBounds(left, top, 186, 36);
    else if (qobject_cast<CodeBlock *>(control))
        control->setBounds(left, top, 60, 18);
}

} // namespace ReportStageAnswers
