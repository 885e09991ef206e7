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

private:
    bool run(const QString &sql, const QList<QVariant> &values);
    QString withMoneyAsNumbers(const QString &sql) const;
    // Sets m_error when a value is not what its column holds.
    Value convert(const QVariant &value, const ColumnInfo &column);

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
