#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// --preview: prints a report (a design, generated first, or a Report-Writer
// text) over its data as the report program writes it to a file.
struct PreviewRequest
{
    QString file;
    QString data; // --data: SQLite file, CSV folder, postgresql://...; empty for sample data
    QStringList parameters; // --param NAME=VALUE
    QStringList reportFlags;
    QString output; // empty for standard output
};

// Returns the exit status: 0 printed, 1 the run failed (the reason on err),
// 2 the file cannot be read or the output not written.
int previewReport(const PreviewRequest &request, QTextStream &out, QTextStream &err);
