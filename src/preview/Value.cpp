#include "preview/Value.h"

#include <optional>

#include <QRegularExpression>

#include <cmath>

QString Value::toText() const
{
    switch (kind) {
    case Null:
        return {};
    case Number:
        if (integral || (std::abs(number) < 1e15 && number == std::floor(number)))
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    case Text:
        return text;
    case DateTime:
        return when.toString(QStringLiteral("dd-MMM-yyyy")).toLower();
    }
    return {};
}

double Value::toNumber() const
{
    switch (kind) {
    case Number:
        return number;
    case Text:
        return text.trimmed().toDouble();
    case DateTime:
        return double(when.toSecsSinceEpoch());
    case Null:
        break;
    }
    return 0;
}

namespace {

// A view, not a copy: break columns are compared on every row.
QStringView withoutTrailingBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.first(end);
}

} // namespace

int compareValues(const Value &a, const Value &b)
{
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (a.kind == Value::Number || b.kind == Value::Number) {
        const double x = a.toNumber();
        const double y = b.toNumber();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.kind == Value::DateTime && b.kind == Value::DateTime)
        return a.when < b.when ? -1 : (a.when > b.when ? 1 : 0);
    const QString first = a.toText();
    const QString second = b.toText();
    return withoutTrailingBlanks(first).compare(withoutTrailingBlanks(second));
}

ColumnInfo columnFromDeclaredType(const QString &name, const QString &declared)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*([a-z0-9_ ]*?)\\s*(?:\\(\\s*(\\d+).*)?$"));
    ColumnInfo column;
    column.name = name.toLower();
    const QString type = declared.toLower().trimmed();
    const QRegularExpressionMatch match = shape.match(type);
    const QString base = match.hasMatch() ? match.captured(1) : type;
    column.length = match.hasMatch() ? match.captured(2).toInt() : 0;
    column.type = ValueType::VarChar; // what no rule below names
    if (base == QLatin1String("char") || base == QLatin1String("character")
        || base == QLatin1String("c") || base == QLatin1String("nchar")) {
        column.type = ValueType::Char;
        if (column.length <= 0)
            column.length = 1;
    } else if (base.contains(QLatin1String("char")) || base.contains(QLatin1String("text"))
               || base.contains(QLatin1String("clob")) || base.isEmpty()) {
        // Text before the rules below, which "tinytext" would match.
        column.type = ValueType::VarChar;
    } else if (base == QLatin1String("smallint") || base == QLatin1String("integer1")
               || base == QLatin1String("int1") || base == QLatin1String("int2")
               || base == QLatin1String("tinyint")) {
        column.type = ValueType::SmallInt;
    } else if (base.contains(QLatin1String("int"))) {
        column.type = ValueType::Integer;
    } else if (base.contains(QLatin1String("money"))) {
        column.type = ValueType::Money;
    } else if (base.contains(QLatin1String("date")) || base.contains(QLatin1String("time"))) {
        column.type = ValueType::Date;
    } else if (base.contains(QLatin1String("float")) || base.contains(QLatin1String("real"))
               || base.contains(QLatin1String("double")) || base.contains(QLatin1String("dec"))
               || base.contains(QLatin1String("num"))) {
        column.type = ValueType::Float;
    }
    return column;
}

namespace {

// "yyyy-mm-dd", the way SQL databases write dates, read without the
// expressions below: a date column is read on every row.
std::optional<QDateTime> isoDay(const QString &text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return std::nullopt;
    int digits[8] = {};
    int at = 0;
    for (qsizetype i = 0; i < 10; ++i) {
        if (i == 4 || i == 7)
            continue;
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits[at++] = c - u'0';
    }
    const QDate date(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3],
                     digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]);
    if (!date.isValid())
        return QDateTime();
    return QDateTime(date, QTime(0, 0), Qt::UTC);
}

} // namespace

QDateTime parseDate(const QString &text)
{
    if (const std::optional<QDateTime> day = isoDay(text))
        return *day;
    static const QStringList months = {
        QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
        QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
        QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    static const QRegularExpression named(QStringLiteral(
        "^(\\d{1,2})-([a-z]{3})[a-z]*-(\\d{2,4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    static const QRegularExpression iso(QStringLiteral(
        "^(\\d{4})[-./](\\d{1,2})[-./](\\d{1,2})(?:[ T](\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?"));
    static const QRegularExpression us(QStringLiteral(
        "^(\\d{1,2})/(\\d{1,2})/(\\d{2,4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const QString value = text.trimmed().toLower();
    int year = 0;
    int month = 0;
    int day = 0;
    QRegularExpressionMatch match = named.match(value);
    if (match.hasMatch()) {
        day = match.captured(1).toInt();
        month = int(months.indexOf(match.captured(2))) + 1;
        year = match.captured(3).toInt();
    } else if ((match = iso.match(value)).hasMatch()) {
        year = match.captured(1).toInt();
        month = match.captured(2).toInt();
        day = match.captured(3).toInt();
    } else if ((match = us.match(value)).hasMatch()) {
        month = match.captured(1).toInt();
        day = match.captured(2).toInt();
        year = match.captured(3).toInt();
    } else {
        return {};
    }
    if (year < 100)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, month, day);
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return {};
    // Dates carry no zone: as UTC they need no look-up of the local one.
    return QDateTime(date, time, Qt::UTC);
}
