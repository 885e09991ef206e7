#include "check/CheckProblem.h"

#include <algorithm>

QList<CheckProblem> ProblemList::sorted() const
{
    QList<CheckProblem> result = m_problems;
    std::stable_sort(result.begin(), result.end(),
                     [](const CheckProblem &a, const CheckProblem &b) { return a.line < b.line; });
    return result;
}
