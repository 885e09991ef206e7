#include "preview/SqlRows.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace {

// The database's own words when it gives them, without Qt's addition.
QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace

SqlRows::SqlRows(const QSqlDatabase &database, const QHash<QString, QString> &declaredTypes)
    : m_query(database), m_declaredTypes(declaredTypes)
{
    m_query.setForwardOnly(true);
}

bool SqlRows::start(const QString &sql, const QList<QVariant> &values)
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

Value SqlRows::convert(const QVariant &value, const ColumnInfo &column) const
{
    if (value.isNull())
        return {};
    switch (column.type) {
    case ValueType::Integer:
    case ValueType::SmallInt:
        return Value::fromNumber(value.toDouble(), true);
    case ValueType::Float:
    case ValueType::Money:
        return Value::fromNumber(value.toDouble());
    case ValueType::Date: {
        if (value.metaType().id() == QMetaType::QDateTime)
            return Value::fromDate(value.toDateTime());
        if (value.metaType().id() == QMetaType::QDate)
            return Value::fromDate(QDateTime(value.toDate(), QTime(0, 0), Qt::UTC));
        const QDateTime when = parseDate(value.toString());
        return when.isValid() ? Value::fromDate(when) : Value::fromText(value.toString());
    }
    case ValueType::Char: {
        QString text = value.toString();
        if (text.size() < column.length)
            text = text.leftJustified(column.length);
        return Value::fromText(text);
    }
    case ValueType::VarChar:
        break;
    }
    return Value::fromText(value.toString());
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
            m_error =
                QStringLiteral("reading the rows failed: %1").arg(errorText(m_query.lastError()));
        return false;
    }
    row.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        row[i] = convert(m_query.value(i), m_columns[i]);
    return true;
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
