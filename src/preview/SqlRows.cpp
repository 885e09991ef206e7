#include "preview/SqlRows.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

#include <optional>

namespace {

// The database's own words when it gives them, without Qt's addition.
QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// A number the database hands over as text: SQLite keeps whatever was
// stored, PostgreSQL writes money as "$1,234.50" or "-$0.35". The currency
// sign and the group separators go; anything else left is no number.
std::optional<double> numberFrom(const QVariant &value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok)
        return number;
    QString text = value.toString().trimmed();
    text.remove(u'$').remove(u',').remove(u' ');
    const double parsed = text.toDouble(&ok);
    return ok ? std::optional<double>(parsed) : std::nullopt;
}

} // namespace

SqlRows::SqlRows(const QSqlDatabase &database, const QHash<QString, QString> &declaredTypes)
    : m_query(database), m_declaredTypes(declaredTypes)
{
    m_query.setForwardOnly(true);
}

bool SqlRows::run(const QString &sql, const QList<QVariant> &values)
{
    if (!m_query.prepare(sql)) {
        m_error = QStringLiteral("the query failed: %1").arg(errorText(m_query.lastError()));
        return false;
    }
    for (const QVariant &value : values)
        m_query.addBindValue(value);
    if (!m_query.exec()) {
        m_error = QStringLiteral("the query failed: %1").arg(errorText(m_query.lastError()));
        return false;
    }
    return true;
}

// Qt's PostgreSQL driver reads money ("$1,234.50") as a floating-point
// number, fails, and hands over nothing. The same query is run again with
// its money columns cast to numeric; a simple projection keeps the rows'
// order. Columns without distinct names cannot be named in that query, and
// their money then stops the report with a message.
QString SqlRows::withMoneyAsNumbers(const QString &sql) const
{
    constexpr int PostgresMoneyType = 790;
    if (m_query.driver()->dbmsType() != QSqlDriver::PostgreSQL)
        return {};
    const QSqlRecord record = m_query.record();
    QStringList columns;
    bool money = false;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        if (field.name().isEmpty() || record.indexOf(field.name()) != i)
            return {};
        QString column = m_query.driver()->escapeIdentifier(field.name(), QSqlDriver::FieldName);
        if (field.typeID() == PostgresMoneyType) {
            money = true;
            column += QStringLiteral("::numeric AS ") + column;
        }
        columns.append(column);
    }
    if (!money)
        return {};
    QString inner = sql.trimmed();
    while (inner.endsWith(u';'))
        inner = inner.chopped(1).trimmed();
    return QStringLiteral("SELECT %1 FROM (%2) AS report_rows").arg(columns.join(u','), inner);
}

bool SqlRows::start(const QString &sql, const QList<QVariant> &values)
{
    if (!run(sql, values))
        return false;
    if (const QString numeric = withMoneyAsNumbers(sql); !numeric.isEmpty()) {
        m_query.finish();
        if (!run(numeric, values))
            return false;
    }
    // A column computed by the query takes its type from the first value.
    m_firstAvailable = m_query.next();
    m_firstFetched = true;
    if (!m_firstAvailable && m_query.lastError().isValid()) {
        m_error = QStringLiteral("the query failed: %1").arg(errorText(m_query.lastError()));
        return false;
    }
    const QSqlRecord record = m_query.record();
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        const QString name = field.name().toLower();
        QString declared = m_declaredTypes.value(name);
        if (declared.isEmpty()) {
            const QVariant first = m_firstAvailable ? m_query.value(i) : QVariant();
            const QMetaType type =
                first.isValid() && !first.isNull() ? first.metaType() : field.metaType();
            switch (type.id()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
            case QMetaType::Short:
                declared = QStringLiteral("integer");
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                declared = QStringLiteral("float");
                break;
            case QMetaType::QDate:
            case QMetaType::QDateTime:
                declared = QStringLiteral("date");
                break;
            default:
                declared = field.length() > 0 ? QStringLiteral("varchar(%1)").arg(field.length())
                                              : QStringLiteral("varchar");
                break;
            }
        }
        ColumnInfo column = columnFromDeclaredType(name, declared);
        if (column.type == ValueType::VarChar && column.length <= 0 && m_firstAvailable)
            column.length = int(m_query.value(i).toString().size());
        m_columns.append(column);
    }
    return true;
}

Value SqlRows::convert(const QVariant &value, const ColumnInfo &column, QString &error)
{
    if (value.isNull())
        return {};
    switch (column.type) {
    case ValueType::Integer:
    case ValueType::SmallInt:
    case ValueType::Float:
    case ValueType::Money: {
        const std::optional<double> number = numberFrom(value);
        if (!number) {
            if (error.isEmpty())
                error = QStringLiteral("column %1 holds \"%2\", which is not a number")
                            .arg(column.name, value.toString().left(40));
            return {};
        }
        const bool whole = column.type == ValueType::Integer || column.type == ValueType::SmallInt;
        return Value::fromNumber(*number, whole);
    }
    case ValueType::Date:
        if (value.metaType().id() == QMetaType::QDateTime)
            return Value::fromDate(value.toDateTime());
        if (value.metaType().id() == QMetaType::QDate)
            return Value::fromDate(QDateTime(value.toDate(), QTime(0, 0), Qt::UTC));
        break;
    case ValueType::Char:
    case ValueType::VarChar:
        break;
    }
    return textValue(value.toString(), column);
}

Value SqlRows::textValue(const QString &text, const ColumnInfo &column)
{
    if (column.type == ValueType::Date) {
        const QDateTime when = parseDate(text);
        return when.isValid() ? Value::fromDate(when) : Value::fromText(text);
    }
    if (column.type == ValueType::Char && text.size() < column.length)
        return Value::fromText(text.leftJustified(column.length));
    return Value::fromText(text);
}

QString SqlRows::readingFailed(const QString &reason)
{
    return QStringLiteral("reading the rows failed: %1").arg(reason);
}

QVariant SqlRows::statementHandle() const
{
    return m_query.result() ? m_query.result()->handle() : QVariant();
}

bool SqlRows::next(QList<Value> &row)
{
    bool available = false;
    if (m_firstFetched) {
        m_firstFetched = false;
        available = m_firstAvailable;
    } else {
        available = m_query.isActive() && m_query.next();
    }
    if (!available) {
        if (m_query.lastError().isValid() && m_error.isEmpty())
            m_error = readingFailed(errorText(m_query.lastError()));
        return false;
    }
    row.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        row[i] = convert(m_query.value(i), m_columns[i], m_error);
    // A value that is not what its column holds stops the report rather
    // than printing as something else.
    return m_error.isEmpty();
}

QHash<QString, QString> declaredColumnTypes(const QSqlDatabase &database, const QString &sql)
{
    QHash<QString, QString> types;
    QStringList tables = database.tables(QSql::Tables) + database.tables(QSql::Views);
    // The tables the query names come first: their columns win.
    std::stable_sort(tables.begin(), tables.end(), [&](const QString &a, const QString &b) {
        const auto named = [&](const QString &table) {
            return sql.contains(QRegularExpression(
                QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(table)),
                QRegularExpression::CaseInsensitiveOption));
        };
        return named(a) && !named(b);
    });
    const bool sqlite = database.driverName() == QLatin1String("QSQLITE");
    for (const QString &table : std::as_const(tables)) {
        if (sqlite) {
            QSqlQuery info(database);
            if (!info.exec(
                    QStringLiteral("PRAGMA table_info(\"%1\")")
                        .arg(QString(table).replace(QLatin1Char('"'), QStringLiteral("\"\"")))))
                continue;
            while (info.next()) {
                const QString name = info.value(1).toString().toLower();
                if (!types.contains(name))
                    types.insert(name, info.value(2).toString());
            }
            continue;
        }
        const QSqlRecord record = database.record(table);
        for (int i = 0; i < record.count(); ++i) {
            const QSqlField field = record.field(i);
            const QString name = field.name().toLower();
            if (types.contains(name))
                continue;
            switch (field.metaType().id()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
                types.insert(name, QStringLiteral("integer"));
                break;
            case QMetaType::Double:
                types.insert(name, QStringLiteral("float"));
                break;
            case QMetaType::QDate:
            case QMetaType::QDateTime:
                types.insert(name, QStringLiteral("date"));
                break;
            default:
                types.insert(name, field.length() > 0
                                       ? QStringLiteral("varchar(%1)").arg(field.length())
                                       : QStringLiteral("varchar"));
                break;
            }
        }
    }
    return types;
}
