#pragma once

#include "preview/ReportSource.h"

#include <QMap>
#include <QStringList>

#include <functional>

// The SQL a report's .QUERY or .DATA and .SORT stand for, with its $name
// parameters turned into placeholders to bind, never pasted into the text.
struct ReportQuery
{
    QString sql;
    QStringList parameters; // the name of each placeholder, in order
    QString error;          // why there is no query

    // Gives the number of columns of a table, 0 when unknown.
    using ColumnCounter = std::function<int(const QString &table)>;

    // tableColumns, when given, lets rows that tie on the sort keys of a
    // .DATA table come in the same order as those of a query.
    static ReportQuery build(const ReportSource &report, const QMap<QString, QString> &parameters,
                             const QString &sampleTable = QString(),
                             const ColumnCounter &tableColumns = {});
};

// Ingres spellings the SQL databases do not know: "name = expression" in a
// select list for "expression AS name", int1/int2/int4 and float4/float8
// as functions for casts.
QString translateIngresSql(const QString &sql);

// The names of a select list's columns as the query returns them; empty
// for "*" or a query that cannot be read.
QStringList selectListNames(const QString &sql);

// The $names of the text outside strings, lower case, in order of first use.
QStringList parameterNames(const QString &text);
