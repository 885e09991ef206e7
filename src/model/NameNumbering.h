#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

#include <functional>
#include <set>

// The numbers of generated names ("mText7") per stem, so that the smallest
// free number is found without counting up from 1 on every request: below
// a stem's scan mark every number is taken except the gaps noted as names
// left. Stems and names compare without regard to case.
class NameNumbering
{
public:
    using IsTaken = std::function<bool(const QString &name)>;

    // The stem followed by the smallest number from 1 whose name is not taken.
    QString firstFree(const QString &stem, const IsTaken &isTaken);

    // A name was given to a component, or the last component holding it
    // gave it up: the numbers below the scan mark follow.
    void taken(QStringView name);
    void released(QStringView name);

private:
    struct Stem
    {
        int scanned = 1;
        std::set<int> gaps;
    };
    // The stem and the number a name is made of, for stems asked for before.
    Stem *stemOf(QStringView name, int &number);

    QHash<QString, Stem> m_stems;
};
