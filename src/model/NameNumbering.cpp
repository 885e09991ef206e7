#include "model/NameNumbering.h"

#include <algorithm>

namespace {

// Only the spelling firstFree makes: ASCII digits without a leading zero,
// few enough to fit an int.
bool isNumberSpelling(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 9 || digits.front() == u'0')
        return false;
    return std::all_of(digits.begin(), digits.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString NameNumbering::firstFree(const QString &stem, const IsTaken &isTaken)
{
    Stem &numbers = m_stems[stem.toCaseFolded()];
    // A gap whose name came back through another way is no gap.
    for (auto gap = numbers.gaps.begin(); gap != numbers.gaps.end();
         gap = numbers.gaps.erase(gap)) {
        QString candidate = stem + QString::number(*gap);
        if (!isTaken(candidate))
            return candidate;
    }
    for (;; ++numbers.scanned) {
        QString candidate = stem + QString::number(numbers.scanned);
        if (!isTaken(candidate))
            return candidate;
    }
}

void NameNumbering::taken(QStringView name)
{
    int number = 0;
    if (Stem *numbers = stemOf(name, number))
        numbers->gaps.erase(number);
}

void NameNumbering::released(QStringView name)
{
    int number = 0;
    Stem *numbers = stemOf(name, number);
    if (numbers && number < numbers->scanned)
        numbers->gaps.insert(number);
}

NameNumbering::Stem *NameNumbering::stemOf(QStringView name, int &number)
{
    if (m_stems.isEmpty() || name.isEmpty() || !name.back().isDigit())
        return nullptr;
    const QString folded = name.toString().toCaseFolded();
    for (auto stem = m_stems.begin(); stem != m_stems.end(); ++stem) {
        if (!folded.startsWith(stem.key()))
            continue;
        const QStringView digits = QStringView(folded).sliced(stem.key().size());
        if (isNumberSpelling(digits)) {
            number = digits.toInt();
            return &stem.value();
        }
    }
    return nullptr;
}
