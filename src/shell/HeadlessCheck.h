#pragma once

#include <QStringList>

class QTextStream;

// --check: the Report-Writer check of each file, a design (generated first)
// or a text, with its problems printed as compilers print theirs
// ("FILE:LINE: error: message"), so that editors and scripts find the line.
// Returns the exit status: 2 when a file cannot be read, else 1 when a
// problem is an error, else 0.
int checkReportFiles(const QStringList &files, QTextStream &out, QTextStream &err);
