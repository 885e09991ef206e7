#pragma once

#include "preview/Expression.h"

#include <QSet>

#include <vector>

// The running state of one aggregate of the report: where it is cleared,
// what it adds, and its value so far.
class AggregateState
{
public:
    // resetLevel: the break whose header clears it (0 the report, 1.. the
    // break columns in order), or PageLevel for the page footer's.
    static constexpr int PageLevel = -1;

    AggregateState(AggregateCall call, int resetLevel);

    const AggregateCall &call() const { return m_call; }
    int resetLevel() const { return m_resetLevel; }
    void reset(const EvaluationContext &context);
    void add(const EvaluationContext &context);
    Value value() const;

private:
    AggregateCall m_call;
    int m_resetLevel;
    QString m_function; // without the unique u
    bool m_unique = false;
    bool m_extremes = true; // whether the value is the least or the greatest one
    double m_sum = 0;
    qint64 m_count = 0;
    bool m_integral = true;
    Value m_minimum;
    Value m_maximum;
    QSet<QString> m_seen;
};

using AggregateList = std::vector<AggregateState>;
