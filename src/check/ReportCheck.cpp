#include "check/ReportCheck.h"

#include "check/LineRules.h"
#include "check/SourceScanner.h"
#include "check/StatementRules.h"

#include <algorithm>

namespace ReportCheck {

QList<CheckProblem> check(QByteArrayView text)
{
    ProblemList problems;
    const LineRules lines(text, problems);
    SourceScanner scanner(lines.readText(), problems, lines.cuts());
    StatementRules rules(scanner, problems);
    SourceStatement statement;
    while (scanner.next(statement))
        rules.take(statement);
    rules.finish();
    lines.reportLongLines([&scanner](qsizetype cut) { return scanner.splitsToken(cut); });
    return problems.sorted();
}

bool hasErrors(const QList<CheckProblem> &problems)
{
    return std::any_of(problems.begin(), problems.end(), [](const CheckProblem &problem) {
        return problem.severity == CheckProblem::Error;
    });
}

} // namespace ReportCheck
