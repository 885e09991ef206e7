#include "preview/NumericTemplate.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace {

struct TemplateChar
{
    QChar c;
    bool literal = false;
};

QList<TemplateChar> split(const QString &pattern)
{
    QList<TemplateChar> chars;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == QLatin1Char('\\') && i + 1 < pattern.size())
            chars.append({pattern[++i], true});
        else if (pattern[i] != QLatin1Char('^'))
            chars.append({pattern[i].toLower(), false});
    }
    return chars;
}

bool isDigitPlace(QChar c)
{
    return c == QLatin1Char('n') || c == QLatin1Char('z') || c == QLatin1Char('$')
           || c == QLatin1Char('*') || c == QLatin1Char('9');
}

bool isNegativeMark(QChar c)
{
    static const QString marks = QStringLiteral("()<>{}[]");
    return marks.contains(c);
}

// A fixed sign place: - shows for negatives, + shows the sign either way,
// the brackets show around negatives only.
void placeSign(TemplateChar &place, bool negative)
{
    const QChar c = place.c;
    if (c == QLatin1Char('-'))
        place.c = negative ? QLatin1Char('-') : QLatin1Char(' ');
    else if (c == QLatin1Char('+'))
        place.c = negative ? QLatin1Char('-') : QLatin1Char('+');
    else if (isNegativeMark(c))
        place.c = negative ? c : QLatin1Char(' ');
}

qsizetype pointIndex(const QList<TemplateChar> &chars)
{
    for (qsizetype i = 0; i < chars.size(); ++i) {
        if (!chars[i].literal && chars[i].c == QLatin1Char('.'))
            return i;
    }
    return chars.size();
}

int count(const QList<TemplateChar> &chars, qsizetype from, qsizetype to, QChar which)
{
    int found = 0;
    for (qsizetype i = from; i < to; ++i)
        found += !chars[i].literal && chars[i].c == which ? 1 : 0;
    return found;
}

// Fills the integer places from the right with the digits, placing the
// floating sign or currency where the digits end.
bool fillIntegerPart(QList<TemplateChar> &chars, qsizetype point, const QString &digits,
                     bool negative)
{
    qsizetype next = digits.size() - 1;
    const bool floatingDollar = count(chars, 0, point, QLatin1Char('$')) > 1;
    const bool floatingMinus = count(chars, 0, point, QLatin1Char('-')) > 1;
    const bool floatingPlus = count(chars, 0, point, QLatin1Char('+')) > 1;
    bool dollarPlaced = !floatingDollar;
    bool signPlaced = !(floatingMinus || floatingPlus);
    for (qsizetype i = point - 1; i >= 0; --i) {
        TemplateChar &place = chars[i];
        if (place.literal)
            continue;
        const QChar c = place.c;
        const bool more = next >= 0;
        const bool floatingSign =
            (c == QLatin1Char('-') && floatingMinus) || (c == QLatin1Char('+') && floatingPlus);
        if (isDigitPlace(c) || floatingSign) {
            if (more) {
                place.c = digits[next--];
            } else if (c == QLatin1Char('n') || c == QLatin1Char('9')) {
                place.c = QLatin1Char('0');
            } else if (c == QLatin1Char('*')) {
                place.c = QLatin1Char('*');
            } else if (c == QLatin1Char('$') && !dollarPlaced) {
                dollarPlaced = true;
            } else if (floatingSign && !signPlaced) {
                signPlaced = true;
                place.c = negative ? QLatin1Char('-')
                                   : (c == QLatin1Char('+') ? QLatin1Char('+') : QLatin1Char(' '));
            } else {
                place.c = QLatin1Char(' ');
            }
        } else if (c == QLatin1Char(',')) {
            if (more) {
                continue;
            } else if (!dollarPlaced) {
                dollarPlaced = true;
                place.c = QLatin1Char('$');
            } else {
                place.c = QLatin1Char(' ');
            }
        } else {
            placeSign(place, negative);
        }
    }
    return next < 0;
}

void fillFraction(QList<TemplateChar> &chars, qsizetype point, const QString &digits, bool negative)
{
    qsizetype next = 0;
    for (qsizetype i = point + 1; i < chars.size(); ++i) {
        TemplateChar &place = chars[i];
        if (place.literal)
            continue;
        const QChar c = place.c;
        if (isDigitPlace(c)) {
            place.c = next < digits.size() ? digits[next++] : QLatin1Char('0');
        } else if (c == QLatin1Char('c') || c == QLatin1Char('d') || c == QLatin1Char('r')
                   || c == QLatin1Char('b')) {
            // cr and db show for negative values only.
            place.c = negative ? place.c.toUpper() : QLatin1Char(' ');
        } else {
            placeSign(place, negative);
        }
    }
}

bool hasSignPlace(const QList<TemplateChar> &chars)
{
    for (const TemplateChar &place : chars) {
        if (place.literal)
            continue;
        if (place.c == QLatin1Char('-') || place.c == QLatin1Char('+') || isNegativeMark(place.c)
            || place.c == QLatin1Char('c') || place.c == QLatin1Char('d'))
            return true;
    }
    return false;
}

} // namespace

int NumericTemplate::width(const QString &pattern)
{
    return int(split(pattern).size());
}

QString NumericTemplate::problem(const QString &pattern)
{
    const QList<TemplateChar> chars = split(pattern);
    bool digits = false;
    int points = 0;
    for (const TemplateChar &place : chars) {
        if (place.literal)
            continue;
        digits = digits || isDigitPlace(place.c);
        points += place.c == QLatin1Char('.') ? 1 : 0;
    }
    if (!digits)
        return QStringLiteral("a numeric template needs a digit place (n, z, $ or *)");
    if (points > 1)
        return QStringLiteral("a numeric template has one decimal point at most");
    return {};
}

QString NumericTemplate::format(double value, const QString &pattern)
{
    QList<TemplateChar> chars = split(pattern);
    const qsizetype point = pointIndex(chars);
    int decimals = 0;
    for (qsizetype i = point + 1; i < chars.size(); ++i)
        decimals += !chars[i].literal && isDigitPlace(chars[i].c) ? 1 : 0;
    QString stars(chars.size(), QLatin1Char('*'));
    if (!std::isfinite(value))
        return stars;
    const QString fixed = QString::number(std::abs(value), 'f', decimals);
    const qsizetype dot = fixed.indexOf(QLatin1Char('.'));
    QString integer = dot < 0 ? fixed : fixed.left(dot);
    const QString fraction = dot < 0 ? QString() : fixed.mid(dot + 1);
    if (integer == QLatin1String("0"))
        integer.clear();
    const bool negative = value < 0 && std::any_of(fixed.cbegin(), fixed.cend(), [](QChar c) {
                              return c >= QLatin1Char('1') && c <= QLatin1Char('9');
                          });
    if (negative && !hasSignPlace(chars))
        return stars;
    if (!fillIntegerPart(chars, point, integer, negative))
        return stars;
    fillFraction(chars, point, fraction, negative);
    QString text;
    text.reserve(chars.size());
    for (const TemplateChar &place : chars)
        text += place.c;
    return text;
}
