#pragma once

#include "preview/RowSource.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

// The rows of a query run forward only on a database, each value given the
// report program's meaning by its column's declared type.
class SqlRows : public RowSource
{
public:
    // declaredTypes: column name -> declared type, for the columns that
    // come straight from a table.
    SqlRows(const QSqlDatabase &database, const QHash<QString, QString> &declaredTypes);

    // Runs the query with its values bound in order; false with error() set.
    bool start(const QString &sql, const QList<QVariant> &values);

    const QList<ColumnInfo> &columns() const override { return m_columns; }
    bool next(QList<Value> &row) override;
    QString error() const override { return m_error; }

    // The driver's handle of the running statement.
    QVariant statementHandle() const;

    // A value as its column's type gives it meaning; sets error (when it is
    // still empty) for a value that is not what its column holds.
    static Value convert(const QVariant &value, const ColumnInfo &column, QString &error);
    // Text of a character or date column, as its type gives it meaning.
    static Value textValue(const QString &text, const ColumnInfo &column);
    // The message of a database error met while reading rows.
    static QString readingFailed(const QString &reason);

private:
    bool run(const QString &sql, const QList<QVariant> &values);
    QString withMoneyAsNumbers(const QString &sql) const;

    QSqlQuery m_query;
    QHash<QString, QString> m_declaredTypes;
    QList<ColumnInfo> m_columns;
    QString m_error;
    bool m_firstFetched = false;
    bool m_firstAvailable = false;
};

// Declared types of every column of the database's tables, first the
// tables the SQL names.
QHash<QString, QString> declaredColumnTypes(const QSqlDatabase &database, const QString &sql);
