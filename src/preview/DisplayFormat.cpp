#include "preview/DisplayFormat.h"

#include "preview/DateTemplate.h"
#include "preview/NumericTemplate.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

QString justified(const QString &text, int width, DisplayFormat::Justify justify, bool numeric)
{
    if (text.size() >= width)
        return text;
    switch (justify) {
    case DisplayFormat::Left:
        return text.leftJustified(width);
    case DisplayFormat::Right:
        return text.rightJustified(width);
    case DisplayFormat::Centre: {
        const qsizetype left = (width - text.size()) / 2;
        return QString(left, QLatin1Char(' ')) + text.leftJustified(width - left);
    }
    case DisplayFormat::Natural:
        break;
    }
    return numeric ? text.rightJustified(width) : text.leftJustified(width);
}

// A justification other than the natural one places the text without its blanks.
QString placed(const QString &text, int width, DisplayFormat::Justify justify, bool numeric)
{
    if (justify == DisplayFormat::Natural)
        return justified(text, width, justify, numeric);
    return justified(text.trimmed(), width, justify, numeric);
}

QString fixedText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    // A value rounded to zero prints without its minus.
    if (text.startsWith(QLatin1Char('-')) && std::none_of(text.cbegin(), text.cend(), [](QChar c) {
            return c >= QLatin1Char('1') && c <= QLatin1Char('9');
        }))
        text.remove(0, 1);
    return text;
}

// Scientific notation with as many digits before the point as the width
// leaves after the sign, the decimals and the exponent.
QString exponentText(double value, int width, int decimals)
{
    const int decimalsShown = std::max(decimals, 0);
    const int integerDigits = std::max(1, width - 5 - decimalsShown - 1 - 1);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::abs(value);
    int exponent = 1;
    double mantissa = 0;
    if (magnitude != 0) {
        const int digits = int(std::floor(std::log10(magnitude))) + 1;
        exponent = digits - integerDigits;
        mantissa = magnitude / std::pow(10.0, exponent);
        const QString probe = QString::number(mantissa, 'f', decimalsShown);
        if (probe.indexOf(QLatin1Char('.')) > integerDigits
            || (decimalsShown == 0 && probe.size() > integerDigits)) {
            ++exponent;
            mantissa = magnitude / std::pow(10.0, exponent);
        }
    }
    const QString exponentPart = QStringLiteral("e%1%2")
                                     .arg(exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                     .arg(std::abs(exponent), 3, 10, QLatin1Char('0'));
    return sign + QString::number(mantissa, 'f', decimalsShown) + exponentPart;
}

// A c0 field is as long as the value without the blanks padding it.
QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString stars(int width)
{
    return QString(width, QLatin1Char('*'));
}

QStringList splitLines(const QString &text, int total, int perLine, bool words)
{
    QStringList lines;
    QString rest = total > 0 ? text.left(total) : text;
    if (perLine <= 0)
        return {rest};
    while (!rest.isEmpty()) {
        qsizetype take = std::min<qsizetype>(perLine, rest.size());
        if (words && take < rest.size()) {
            const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), take);
            if (blank > 0)
                take = blank;
        }
        lines.append(rest.left(take));
        rest = rest.mid(take);
        if (words)
            while (rest.startsWith(QLatin1Char(' ')))
                rest.remove(0, 1);
    }
    if (lines.isEmpty())
        lines.append(QString());
    return lines;
}

// "dd-mmm-yyyy" written out by hand: a date column prints on every row.
QString dayMonthYear(int year, int month, int day)
{
    static const char *const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    if (year > 9999)
        return QStringLiteral("%1-%2-%3")
            .arg(day, 2, 10, QLatin1Char('0'))
            .arg(QLatin1String(months[month - 1]))
            .arg(year);
    const char text[] = {char('0' + day / 10),
                         char('0' + day % 10),
                         '-',
                         months[month - 1][0],
                         months[month - 1][1],
                         months[month - 1][2],
                         '-',
                         char('0' + year / 1000),
                         char('0' + year / 100 % 10),
                         char('0' + year / 10 % 10),
                         char('0' + year % 10)};
    return QString::fromLatin1(text, sizeof text);
}

QString dateText(const QDateTime &when)
{
    // One conversion of the day number into its parts, not one per part.
    int year = 0;
    int month = 0;
    int day = 0;
    when.date().getDate(&year, &month, &day);
    QString text = year > 0 ? dayMonthYear(year, month, day)
                            : when.toString(QStringLiteral("dd-MMM-yyyy")).toLower();
    if (text.startsWith(QLatin1Char('0')))
        text[0] = QLatin1Char(' ');
    if (when.time() != QTime(0, 0))
        text += when.toString(QStringLiteral(" hh:mm:ss"));
    return text;
}

} // namespace

std::optional<DisplayFormat> DisplayFormat::parse(const QString &source, QString *error)
{
    static const QRegularExpression shape(
        QStringLiteral(
            "^\\s*([-+*]?)\\s*(cf|cj|c|t|q|i|f|e|g|n|b)(?:e|r)*(\\d*)(?:\\.(\\d+))?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression templ(
        QStringLiteral("^\\s*([-+*]?)\\s*(d?)\\s*(['\"])(.*)\\3\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    DisplayFormat format;
    const auto justifyOf = [](const QString &prefix) {
        return prefix == QLatin1String("-")   ? Left
               : prefix == QLatin1String("+") ? Right
               : prefix == QLatin1String("*") ? Centre
                                              : Natural;
    };
    QRegularExpressionMatch match = templ.match(source);
    if (match.hasMatch()) {
        format.justify = justifyOf(match.captured(1));
        format.pattern = match.captured(4);
        // A template printed as it is written must keep to its line.
        if (std::any_of(format.pattern.cbegin(), format.pattern.cend(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; })) {
            *error = QStringLiteral("a template holds a line end or another control character");
            return std::nullopt;
        }
        if (!match.captured(2).isEmpty()) {
            format.kind = DateTemplate;
            format.width = DateTemplate::width(format.pattern);
            return format;
        }
        format.kind = NumberTemplate;
        const QString problem = NumericTemplate::problem(format.pattern);
        if (!problem.isEmpty()) {
            *error = problem;
            return std::nullopt;
        }
        format.width = NumericTemplate::width(format.pattern);
        return format;
    }
    match = shape.match(source);
    if (!match.hasMatch()) {
        *error = QStringLiteral("bad format \"%1\"").arg(source.trimmed());
        return std::nullopt;
    }
    format.justify = justifyOf(match.captured(1));
    const QString letters = match.captured(2).toLower();
    format.width = match.captured(3).toInt();
    if (match.captured(3).size() > 4 || match.captured(4).size() > 4) {
        *error = QStringLiteral("format \"%1\" is wider than a line can be").arg(source.trimmed());
        return std::nullopt;
    }
    const bool hasDecimals = !match.captured(4).isEmpty();
    const int second = match.captured(4).toInt();
    if (letters == QLatin1String("c") || letters == QLatin1String("cf")
        || letters == QLatin1String("cj") || letters == QLatin1String("t")
        || letters == QLatin1String("q")) {
        format.kind = letters == QLatin1String("cf")   ? CharFold
                      : letters == QLatin1String("cj") ? CharJustify
                      : letters == QLatin1String("c")  ? Char
                                                       : Text;
        format.lineWidth = hasDecimals ? second : 0;
        if (format.kind == Text && letters == QLatin1String("q"))
            format.width = 0;
        return format;
    }
    if (letters == QLatin1String("b")) {
        format.kind = Blank;
        return format;
    }
    if (format.width <= 0 && letters != QLatin1String("i")) {
        *error = QStringLiteral("format \"%1\" needs a width").arg(source.trimmed());
        return std::nullopt;
    }
    format.kind = letters == QLatin1String("i")   ? Integer
                  : letters == QLatin1String("f") ? Fixed
                  : letters == QLatin1String("e") ? Exponent
                  : letters == QLatin1String("g") ? General
                                                  : Numeric;
    if (!hasDecimals)
        format.kind = Integer;
    format.decimals = hasDecimals ? second : -1;
    if (hasDecimals && format.decimals > format.width) {
        *error = QStringLiteral("format \"%1\" has more decimals than width").arg(source.trimmed());
        return std::nullopt;
    }
    return format;
}

DisplayFormat DisplayFormat::forColumn(const ColumnInfo &column)
{
    DisplayFormat format;
    switch (column.type) {
    case ValueType::Integer:
        format.kind = Integer;
        format.width = 13;
        break;
    case ValueType::SmallInt:
        format.kind = Integer;
        format.width = 6;
        break;
    case ValueType::Float:
        format.kind = Numeric;
        format.width = 10;
        format.decimals = 3;
        break;
    case ValueType::Money:
        format.kind = NumberTemplate;
        format.pattern = QStringLiteral("$---------------.nn");
        format.width = NumericTemplate::width(format.pattern);
        break;
    case ValueType::Date:
        format.width = 25;
        break;
    case ValueType::Char:
    case ValueType::VarChar:
        if (column.length > 35) {
            format.kind = CharJustify;
            format.width = 0;
            format.lineWidth = 35;
        } else {
            format.width = column.length;
        }
        break;
    }
    return format;
}

DisplayFormat DisplayFormat::forValue(const Value &value)
{
    DisplayFormat format;
    if (value.kind == Value::Number) {
        format.kind = value.integral ? Integer : Numeric;
        format.width = value.integral ? 13 : 10;
        format.decimals = value.integral ? -1 : 3;
    } else if (value.kind == Value::DateTime) {
        format.width = 25;
    }
    return format;
}

bool DisplayFormat::isNumeric() const
{
    return kind == Integer || kind == Fixed || kind == Exponent || kind == General
           || kind == Numeric || kind == NumberTemplate;
}

int DisplayFormat::fieldWidth(const Value &value) const
{
    if (kind == Blank)
        return width;
    if (width > 0 && lineWidth > 0)
        return std::min(width, lineWidth);
    if (lineWidth > 0)
        return lineWidth;
    if (width > 0 || isNumeric() || kind == DateTemplate)
        return width;
    if (value.kind == Value::DateTime)
        return int(dateText(value.when).size());
    return int(withoutTrailingBlanks(value.toText()).size());
}

QStringList DisplayFormat::apply(const Value &value, const QString &nullString) const
{
    if (!wraps() || value.isNull())
        return {applyLine(value, nullString)};
    const int field = fieldWidth(value);
    const QString text = value.kind == Value::DateTime ? dateText(value.when) : value.toText();
    QStringList lines = splitLines(text, width, lineWidth, kind == CharFold || kind == CharJustify);
    for (QString &line : lines)
        line = placed(line.left(field), field, justify, false);
    return lines;
}

QString DisplayFormat::applyLine(const Value &value, const QString &nullString) const
{
    const int field = fieldWidth(value);
    if (kind == Blank)
        return QString(field, QLatin1Char(' '));
    if (value.isNull()) {
        if (nullString.size() > field && field > 0)
            return QString(field, QLatin1Char(' '));
        return isNumeric() ? nullString.rightJustified(field) : nullString.leftJustified(field);
    }
    switch (kind) {
    case Char:
    case Text:
    case CharFold:
    case CharJustify: {
        const QString text = value.kind == Value::DateTime ? dateText(value.when) : value.toText();
        return placed(text.left(field), field, justify, false);
    }
    case DateTemplate: {
        QDateTime when = value.kind == Value::DateTime ? value.when : parseDate(value.toText());
        if (!when.isValid())
            return stars(field);
        return placed(DateTemplate::format(when, pattern), field, justify, false)
            .left(std::max(field, 1));
    }
    case NumberTemplate:
        return placed(NumericTemplate::format(value.toNumber(), pattern), field, justify, true);
    default:
        break;
    }
    const double number = value.toNumber();
    QString text;
    switch (kind) {
    case Integer:
        text = std::isfinite(number) ? QString::number(qint64(std::llround(number))) : QString();
        break;
    case Fixed:
        text = fixedText(number, decimals);
        break;
    case Exponent:
        text = exponentText(number, field, decimals);
        break;
    case General:
    case Numeric:
        text = fixedText(number, decimals);
        if (text.size() > (kind == General ? field - 4 : field))
            text = exponentText(number, field, decimals);
        else if (kind == General && justify == Natural)
            return text.rightJustified(field - 4) + QStringLiteral("    ");
        break;
    default:
        break;
    }
    if (text.isEmpty() || text.size() > field)
        return stars(field);
    return placed(text, field, justify, true);
}
