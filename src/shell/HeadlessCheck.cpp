#include "shell/HeadlessCheck.h"

#include "shell/HeadlessReport.h"

#include "check/ReportCheck.h"
#include "model/InputFile.h"
#include "model/ReportPage.h"
#include "windows/DesignFileName.h"
#include "windows/GeneratedSourceCheck.h"

#include <QTextStream>

#include <optional>

namespace {

constexpr int ExitErrors = 1;
constexpr int ExitFile = 2;

// The problems of the file; none when it cannot be read.
std::optional<QList<CheckProblem>> checkFile(const QString &fileName)
{
    if (isDesignFileName(fileName)) {
        HeadlessReport report;
        if (!report.tryLoad(fileName))
            return std::nullopt;
        report.generate();
        QList<CheckProblem> problems;
        for (const SourceProblem &found : GeneratedSourceCheck::check(report.page()->pageCode))
            problems.append(found.problem);
        return problems;
    }
    // A FIFO, a device or a huge file is refused, never waited on or read
    // without end.
    const std::optional<QByteArray> text = InputFile::read(fileName);
    if (!text)
        return std::nullopt;
    return ReportCheck::check(*text);
}

} // namespace

int checkReportFiles(const QStringList &files, QTextStream &out, QTextStream &err)
{
    int status = 0;
    for (const QString &fileName : files) {
        const std::optional<QList<CheckProblem>> problems = checkFile(fileName);
        if (!problems) {
            err << QStringLiteral("ERROR. Cannot open file: ") << fileName << Qt::endl;
            status = ExitFile;
            continue;
        }
        for (const CheckProblem &problem : *problems) {
            out << fileName << ':' << problem.line << ": " << problem.severityName() << ": "
                << problem.message << '\n';
        }
        if (status == 0 && ReportCheck::hasErrors(*problems))
            status = ExitErrors;
    }
    out.flush();
    return status;
}
