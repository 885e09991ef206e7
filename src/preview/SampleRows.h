#pragma once

#include "preview/ReportSource.h"

#include <QSqlDatabase>

// Made-up rows for a report without a database: a table with the columns
// of the report's select list (or, for .DATA, the names its statements
// use), each typed by the format the report prints it with, whose break
// columns change every few rows; one column of its own when the report
// names none. False with *error set when the table cannot be made.
bool createSampleTable(const ReportSource &report, QSqlDatabase database, const QString &table,
                       QString *error);
