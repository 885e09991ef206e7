#pragma once

#include <QList>
#include <QString>

// One finding of the Report-Writer check. An error is something the report
// program rejects when it loads the report; a warning, something it loads
// but most likely not as the author meant.
struct CheckProblem
{
    enum Severity { Error, Warning };

    int line = 1; // counted from 1 in the checked text
    Severity severity = Error;
    QString message;

    QLatin1StringView severityName() const
    {
        return severity == Error ? QLatin1StringView("error") : QLatin1StringView("warning");
    }
};

// The problems found so far, in the order they were found.
class ProblemList
{
public:
    // The index of the added problem, for a later rewording.
    qsizetype add(int line, CheckProblem::Severity severity, const QString &message)
    {
        m_problems.append({line, severity, message});
        return m_problems.size() - 1;
    }
    qsizetype error(int line, const QString &message)
    {
        return add(line, CheckProblem::Error, message);
    }
    qsizetype warning(int line, const QString &message)
    {
        return add(line, CheckProblem::Warning, message);
    }
    CheckProblem &operator[](qsizetype index) { return m_problems[index]; }

    // Ordered by line; problems of one line keep the order they were found in.
    QList<CheckProblem> sorted() const;

private:
    QList<CheckProblem> m_problems;
};
