// Checks arbitrary bytes as Report-Writer source, checking what must hold
// for any input:
// - every problem has a line of the text (from 1 to the number of LFs + 1),
//   a message, and the problems come ordered by line;
// - the check is the same when run again;
// - a text with CR LF line ends gives the same problems as with LF alone.

#include "check/ReportCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

bool sameProblems(const QList<CheckProblem> &a, const QList<CheckProblem> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].line != b[i].line || a[i].severity != b[i].severity
            || a[i].message != b[i].message)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    const QList<CheckProblem> problems = ReportCheck::check(text);

    const qsizetype lines = text.count('\n') + 1;
    int previous = 1;
    for (const CheckProblem &problem : problems) {
        check(problem.line >= 1 && problem.line <= lines, "a problem's line is in the text");
        check(problem.line >= previous, "problems are ordered by line");
        check(!problem.message.isEmpty(), "a problem says what it is");
        previous = problem.line;
    }
    check(sameProblems(problems, ReportCheck::check(text)), "the same text, the same problems");

    if (!text.contains('\r')) {
        QByteArray windows = text.toByteArray();
        windows.replace("\n", "\r\n");
        check(sameProblems(problems, ReportCheck::check(windows)),
              "CR LF line ends change nothing");
    }
    return 0;
}
