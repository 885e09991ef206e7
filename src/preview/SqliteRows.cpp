#include "preview/SqliteRows.h"

#include <sqlite3.h>

#include <cstring>

SqliteRows::SqliteRows(const QSqlDatabase &database, const QHash<QString, QString> &declaredTypes)
    : m_rows(database, declaredTypes)
{
}

bool SqliteRows::start(const QString &sql, const QList<QVariant> &values)
{
    if (!m_rows.start(sql, values))
        return false;
    // Without the driver's statement every row comes through Qt.
    const QVariant handle = m_rows.statementHandle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0)
        m_statement = *static_cast<sqlite3_stmt *const *>(handle.constData());
    return true;
}

bool SqliteRows::next(QList<Value> &row)
{
    if (!m_firstRead || !m_statement) {
        m_firstRead = true;
        const bool read = m_rows.next(row);
        // No first row: the driver has ended the statement, and stepping
        // it again would run the query anew.
        if (!read && m_rows.error().isEmpty())
            m_ended = true;
        return read;
    }
    if (m_ended || !step())
        return false;
    const QList<ColumnInfo> &columns = m_rows.columns();
    row.resize(columns.size());
    for (int i = 0; i < columns.size(); ++i)
        row[i] = valueAt(i, columns[i]);
    // A value that is not what its column holds stops the report rather
    // than printing as something else.
    return error().isEmpty();
}

// Steps as Qt's driver does: at the end or on an error the statement is
// reset, which also lets the .CLEANUP statements change its tables.
bool SqliteRows::step()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    m_ended = true;
    if (result == SQLITE_DONE) {
        sqlite3_reset(m_statement);
        return false;
    }
    // The specific message of a generic error comes with the reset.
    if (result == SQLITE_ERROR || result == SQLITE_CONSTRAINT)
        sqlite3_reset(m_statement);
    const QString reason = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement)));
    sqlite3_reset(m_statement);
    if (error().isEmpty())
        m_error = SqlRows::readingFailed(reason);
    return false;
}

Value SqliteRows::valueAt(int index, const ColumnInfo &column)
{
    const int type = sqlite3_column_type(m_statement, index);
    if (type == SQLITE_NULL)
        return {};
    switch (column.type) {
    case ValueType::Integer:
    case ValueType::SmallInt:
    case ValueType::Float:
    case ValueType::Money: {
        const bool whole = column.type == ValueType::Integer || column.type == ValueType::SmallInt;
        if (type == SQLITE_INTEGER)
            return Value::fromNumber(double(sqlite3_column_int64(m_statement, index)), whole);
        if (type == SQLITE_FLOAT)
            return Value::fromNumber(sqlite3_column_double(m_statement, index), whole);
        break;
    }
    case ValueType::Char:
    case ValueType::VarChar:
    case ValueType::Date:
        if (type == SQLITE_TEXT)
            return textValueAt(index, column);
        break;
    }
    // Numbers in text columns, text in number columns, blobs: rare, and
    // read exactly as through Qt.
    QString error;
    Value value = SqlRows::convert(variantAt(index), column, error);
    if (m_error.isEmpty() && m_rows.error().isEmpty())
        m_error = error;
    return value;
}

// Runs of one value, as in the columns a report breaks on, share one
// conversion: the text of the row before is reused when its bytes repeat.
Value SqliteRows::textValueAt(int index, const ColumnInfo &column)
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, index));
    const int length = sqlite3_column_bytes(m_statement, index);
    if (m_lastTexts.size() <= index)
        m_lastTexts.resize(index + 1);
    LastText &last = m_lastTexts[index];
    if (last.valid && last.bytes.size() == length
        && std::memcmp(last.bytes.constData(), bytes, size_t(length)) == 0)
        return last.value;
    last.bytes.resize(length);
    std::memcpy(last.bytes.data(), bytes, size_t(length));
    last.value = SqlRows::textValue(textAt(index), column);
    last.valid = true;
    return last.value;
}

QString SqliteRows::textAt(int index) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, index));
    const int length = sqlite3_column_bytes(m_statement, index);
    QString text = QString::fromUtf8(bytes, length);
    // Bytes that are no UTF-8, and a leading byte order mark that the
    // conversion drops, are decoded the way SQLite decodes them for Qt's
    // driver, which reads the text as UTF-16.
    if (text.contains(QChar::ReplacementCharacter)
        || (length >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)) {
        const auto *units = static_cast<const QChar *>(sqlite3_column_text16(m_statement, index));
        text = QString(units, sqlite3_column_bytes16(m_statement, index) / int(sizeof(QChar)));
    }
    return text;
}

QVariant SqliteRows::variantAt(int index) const
{
    switch (sqlite3_column_type(m_statement, index)) {
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_statement, index)),
                          sqlite3_column_bytes(m_statement, index));
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(m_statement, index));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_statement, index);
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return textAt(index);
    }
}
