#pragma once

#include "preview/PreviewRun.h"

#include "check/Statements.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// A statement of a section as written, with its arguments' text.
struct RawStatement
{
    StatementKind kind = StatementKind::None;
    int line = 0;
    QString name;      // as written, without the dot
    QString arguments; // the argument tokens joined by blanks, comments left out
};

struct SortKey
{
    QString column;    // lower case
    QString direction; // as written: a, asc, d, desc ... or $name; empty: ascending
};

struct Declaration
{
    QString name;  // lower case
    QString type;  // as written: integer, char(10) ...
    QString value; // "with value"; empty when none
    bool hasValue = false;
    int line = 0;
};

// The report-level parts of the first report of a source and its sections'
// statements, read with the check's scanner.
struct ReportSource
{
    QString name;
    QString query;     // .QUERY text, empty when .DATA
    QString dataTable; // .DATA table
    int dataLine = 0;
    QList<SortKey> sort;
    QStringList breaks;
    QList<Declaration> declarations;
    QString setup;
    QString cleanup;
    int setupLine = 0;
    int cleanupLine = 0;
    QString pageWidth; // .PAGEWIDTH argument, empty when none
    int pageWidthLine = 0;
    // Sections by key: "report", "page", "detail" or a column, with a
    // "header:" or "footer:" prefix ("detail" alone for the detail).
    QMap<QString, QList<RawStatement>> sections;
    QList<PreviewMessage> messages;

    // Reads the first report of the text, with the files it includes read
    // through options.readFile. Gives an empty name when the report program
    // would refuse the file, with the reason among the messages.
    static ReportSource read(const QByteArray &text, const PreviewOptions &options = {});

    // The break columns in order: .BREAK, else the .SORT columns.
    QStringList breakColumns() const;
};
