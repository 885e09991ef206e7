#include "shell/CheckBeforeSending.h"
#include "shell/MainWindow.h"

#include "check/ReportCheck.h"
#include "windows/GeneratedSourceCheck.h"
#include "windows/ReportCheckList.h"
#include "windows/ShowMessage.h"

#include <algorithm>

// Check Report, and the check that sending a report begins with.

namespace {

QList<SourceProblem> checkSource(ReportWindow *window)
{
    const ReportPage *page = window->mPage1();
    return page ? GeneratedSourceCheck::check(page->pageCode) : QList<SourceProblem>();
}

} // namespace

void MainWindow::checkReportTriggered()
{
    if (ReportWindow *window = generateToSource())
        ReportCheckList::of(window)->showProblems(checkSource(window));
}

bool checkBeforeSending(ReportWindow *window)
{
    const QList<SourceProblem> problems = checkSource(window);
    const auto errors = std::count_if(problems.begin(), problems.end(), [](const auto &found) {
        return found.problem.severity == CheckProblem::Error;
    });
    if (errors == 0)
        return true;
    ReportCheckList::of(window)->showProblems(problems);
    return askQuestion(window, QStringLiteral("Check Report found %1 error(s) for which the report "
                                              "program rejects the report. Go on?")
                                   .arg(errors));
}
