#pragma once

#include "preview/SqlRows.h"

struct sqlite3_stmt;

// The rows of a query on Qt's SQLite driver. Qt prepares the query, binds
// its values, runs it and reads the first row, so that the statement SQLite
// is given, the errors and the columns' types are those of SqlRows; every
// later row is read from the driver's statement through SQLite itself,
// without a QVariant per value, and given the same meaning.
class SqliteRows : public RowSource
{
public:
    SqliteRows(const QSqlDatabase &database, const QHash<QString, QString> &declaredTypes);

    // Runs the query with its values bound in order; false with error() set.
    bool start(const QString &sql, const QList<QVariant> &values);

    const QList<ColumnInfo> &columns() const override { return m_rows.columns(); }
    bool next(QList<Value> &row) override;
    QString error() const override { return m_error.isEmpty() ? m_rows.error() : m_error; }

private:
    bool step();
    Value valueAt(int index, const ColumnInfo &column);
    Value textValueAt(int index, const ColumnInfo &column);
    QString textAt(int index) const;
    // The value as Qt's driver hands it over.
    QVariant variantAt(int index) const;

    // The last text value of each column, with the bytes it came from.
    struct LastText
    {
        QByteArray bytes;
        Value value;
        bool valid = false;
    };

    SqlRows m_rows;
    QList<LastText> m_lastTexts;
    sqlite3_stmt *m_statement = nullptr;
    bool m_firstRead = false;
    bool m_ended = false;
    QString m_error;
};
