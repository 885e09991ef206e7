#pragma once

class QObject;
class QWidget;
class DesignStage;

#include "designer/DesignQueries.h"

// How a report window answers its design stage: every component may be
// selected; the page can be neither deleted nor moved, so a design keeps
// exactly one page at the stage's corner; new and pasted components get
// the default size of their class.
namespace ReportStageAnswers {

void install(DesignStage &stage);

void selectQuery(QObject *sender, QWidget *component, SelectAnswer &canSelect);
void deleteQuery(QObject *sender, QWidget *component, bool &canDelete);
void moveQuery(QObject *sender, QWidget *component, bool &canMove);
void controlCreated(QObject *sender, QWidget *component);

} // namespace ReportStageAnswers
