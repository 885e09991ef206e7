#pragma once

#include "designer/DesignQueries.h"

class DesignStage;

// How a report window answers its design stage: every component may be
// selected; the page can be neither deleted, moved, copied nor pasted, so
// a design keeps exactly one page at the stage's corner; new and pasted
// components get the default size of their class.
class ReportStageAnswers : public StagePolicy
{
public:
    // Sets the answers on stage and sizes the controls it creates.
    static void install(DesignStage &stage);

    bool canDelete(QWidget *component) const override;
    bool canMove(QWidget *component) const override;
    bool canCopy(QWidget *component) const override;
    bool canPaste(QWidget *component) const override;

    static void controlCreated(QWidget *component);
};
