#pragma once

#include "check/CheckProblem.h"

#include <QByteArrayView>
#include <QList>

// The check of Report-Writer source text against what the report program
// rejects, or loads differently than written, when it loads a report. The
// text is taken as the bytes of a file: lines end at LF or CR LF.
namespace ReportCheck {

// The problems, ordered by line.
QList<CheckProblem> check(QByteArrayView text);

// Whether any of the problems is an error.
bool hasErrors(const QList<CheckProblem> &problems);

} // namespace ReportCheck
