#include "designer/ReportStageAnswers.h"

#include "designer/DesignStage.h"

#include "model/ReportClasses.h"
#include "model/ReportPage.h"

void ReportStageAnswers::install(DesignStage &stage)
{
    stage.setPolicy(std::make_unique<ReportStageAnswers>());
    QObject::connect(&stage, &DesignStage::controlCreated, &stage,
                     &ReportStageAnswers::controlCreated);
}

bool ReportStageAnswers::canDelete(QWidget *component) const
{
    return !qobject_cast<ReportPage *>(component);
}

bool ReportStageAnswers::canMove(QWidget *component) const
{
    return !qobject_cast<ReportPage *>(component);
}

bool ReportStageAnswers::canCopy(QWidget *component) const
{
    return !qobject_cast<ReportPage *>(component);
}

bool ReportStageAnswers::canPaste(QWidget *component) const
{
    return !qobject_cast<ReportPage *>(component);
}

void ReportStageAnswers::controlCreated(QWidget *component)
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
