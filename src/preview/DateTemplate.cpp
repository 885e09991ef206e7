#include "preview/DateTemplate.h"

#include <QLocale>

namespace {

const char *const MonthNames[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
const char *const DayNames[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                "Friday", "Saturday", "Sunday"};

// The name in the letter case of the template's word: "FEB", "Feb", "feb".
QString inCaseOf(const QString &name, QStringView word)
{
    if (word.size() > 1 && word[0].isUpper() && word[1].isUpper())
        return name.toUpper();
    if (word[0].isUpper())
        return name;
    return name.toLower();
}

QString padded(int number, qsizetype digits, bool zeros)
{
    return QString::number(number).rightJustified(digits,
                                                  zeros ? QLatin1Char('0') : QLatin1Char(' '));
}

QString ordinal(int day)
{
    const int last = day % 10;
    const bool teens = day / 10 == 1;
    const char *suffix =
        teens ? "th" : (last == 1 ? "st" : (last == 2 ? "nd" : (last == 3 ? "rd" : "th")));
    return QString::number(day) + QLatin1String(suffix);
}

QString number(const QDateTime &when, QStringView digits)
{
    const bool zeros = digits.size() > 1 && digits[0] == QLatin1Char('0');
    const int hour12 = when.time().hour() % 12 == 0 ? 12 : when.time().hour() % 12;
    if (digits == QLatin1String("1901"))
        return padded(when.date().year(), 4, true);
    if (digits == QLatin1String("01"))
        return padded(when.date().year() % 100, 2, true);
    if (digits == QLatin1String("16"))
        return padded(when.time().hour(), 2, true);
    switch (digits.back().unicode()) {
    case '1':
        return QString::number(when.date().year());
    case '2':
        return padded(when.date().month(), 2, zeros);
    case '3':
        return padded(when.date().day(), 2, zeros);
    case '4':
        return padded(hour12, 2, zeros);
    case '5':
        return padded(when.time().minute(), 2, zeros);
    case '6':
        return padded(when.time().second(), 2, zeros);
    default:
        return digits.toString();
    }
}

} // namespace

QString DateTemplate::format(const QDateTime &when, const QString &pattern)
{
    QString text;
    qsizetype i = 0;
    const bool pm = when.time().hour() >= 12;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c.isDigit()) {
            qsizetype end = i;
            while (end < pattern.size() && pattern[end].isDigit())
                ++end;
            const QStringView digits = QStringView(pattern).sliced(i, end - i);
            if (digits == QLatin1String("3")
                && pattern.mid(end, 2).toLower() == QLatin1String("rd")) {
                text += ordinal(when.date().day());
                end += 2;
            } else {
                text += number(when, digits);
            }
            i = end;
        } else if (c.isLetter()) {
            qsizetype end = i;
            while (end < pattern.size() && pattern[end].isLetter())
                ++end;
            const QStringView word = QStringView(pattern).sliced(i, end - i);
            const QString lower = word.toString().toLower();
            if (lower == QLatin1String("february")) {
                text += inCaseOf(QLatin1String(MonthNames[when.date().month() - 1]), word);
            } else if (lower == QLatin1String("feb")) {
                text += inCaseOf(QLatin1String(MonthNames[when.date().month() - 1]).left(3), word);
            } else if (lower == QLatin1String("sunday")) {
                text += inCaseOf(QLatin1String(DayNames[when.date().dayOfWeek() - 1]), word);
            } else if (lower == QLatin1String("sun")) {
                text +=
                    inCaseOf(QLatin1String(DayNames[when.date().dayOfWeek() - 1]).left(3), word);
            } else if (lower == QLatin1String("p") || lower == QLatin1String("pm")) {
                const QString half = QLatin1String(pm ? "pm" : "am").left(word.size());
                text += inCaseOf(half, word);
            } else {
                text += word;
            }
            i = end;
            if (lower == QLatin1String("p")
                && pattern.mid(i, 3).toLower() == QLatin1String(".m.")) {
                text.chop(1);
                text += inCaseOf(QLatin1String(pm ? "p.m." : "a.m."), word);
                i += 3;
            }
        } else if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            text += pattern[i + 1];
            i += 2;
        } else {
            text += c;
            ++i;
        }
    }
    return text;
}

int DateTemplate::width(const QString &pattern)
{
    // The widest day of the widest month prints as wide as any other date.
    const QDateTime widest(QDate(1901, 9, 23), QTime(23, 55, 56));
    return int(format(widest, pattern).size());
}
