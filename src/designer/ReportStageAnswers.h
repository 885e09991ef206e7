#pragma once

class QObject;
class QWidget;
class TDsnStage;

#include "designer/DsnQueries.h"

// How a report window answers its design stage: every component may be
// selected; the page can be neither deleted nor moved, so a design keeps
// exactly one page at the stage's corner; new and pasted components get
// the default size of their class.
namespace ReportStageAnswers {

void install(TDsnStage &stage);

void SelectQuery(QObject *sender, QWidget *component, TSelectAccept &canSelect);
void DeleteQuery(QObject *sender, QWidget *component, bool &canDelete);
void MoveQuery(QObject *sender, QWidget *component, bool &canMove);
void ControlCreate(QObject *sender, QWidget *component);

} // namespace ReportStageAnswers
