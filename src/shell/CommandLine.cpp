#include "shell/CommandLine.h"

#include "shell/HeadlessCheck.h"
#include "shell/HeadlessPreview.h"
#include "shell/HeadlessReport.h"
#include "shell/SameFile.h"
#include "shell/UndumpCommand.h"

#include "windows/DesignFileName.h"

#include "model/FileReplacement.h"
#include "model/InputFile.h"
#include "model/ObjectStream.h"
#include "model/StreamDump.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

constexpr int ExitUsage = 1;
constexpr int ExitOutput = 1;
constexpr int ExitFile = 2;

const QString CannotSaveTo = QStringLiteral("ERROR. Cannot save to file: ");
const QString CannotWriteOutput = QStringLiteral("ERROR. Cannot write to standard output.");

QString cannotOpen(const QString &path)
{
    return QStringLiteral("ERROR. Cannot open file: ") + path;
}

// What did not reach standard output (a full disk) is a failure, not a
// success with less text.
int finishOutput(QTextStream &out, QTextStream &err)
{
    out.flush();
    if (out.status() == QTextStream::Ok)
        return 0;
    err << CannotWriteOutput << Qt::endl;
    return ExitOutput;
}

// Whether an argument is an option rather than a value; a lone "-" is not.
bool isOption(const QString &argument)
{
    return argument.startsWith(QLatin1Char('-')) && argument.size() > 1;
}

// Takes the value of an option that needs one, or records the error, which
// names what is missing. An option in the value's place is not taken for
// a file name.
bool takeValue(const QStringList &arguments, qsizetype &index, QString &value,
               CommandLineRequest &request, const QString &missing)
{
    if (index + 1 >= arguments.size() || isOption(arguments[index + 1])) {
        request.action = CommandLineRequest::Invalid;
        request.error = arguments[index] + QStringLiteral(" needs a file name: the ") + missing
                        + QStringLiteral(" is missing");
        return false;
    }
    value = arguments[++index];
    return true;
}

QByteArray withLineEnds(const QStringList &lines, bool unixLineEnds)
{
    const QString end = unixLineEnds ? QStringLiteral("\n") : QStringLiteral("\r\n");
    QString text;
    for (const QString &line : lines)
        text += line + end;
    return text.toUtf8();
}

int generate(const CommandLineRequest &request, QTextStream &out, QTextStream &err)
{
    // Replacing the design by its own source would lose the design.
    if (!request.output.isEmpty() && isSameFile(request.output, request.design)) {
        err << CannotSaveTo << request.output << QStringLiteral(" (it is the design)") << Qt::endl;
        return ExitFile;
    }
    HeadlessReport report;
    try {
        report.load(request.design);
    } catch (const StreamError &) {
        err << cannotOpen(request.design) << Qt::endl;
        return ExitFile;
    }
    const QByteArray bytes = withLineEnds(report.generate(), request.unixLineEnds);
    if (request.output.isEmpty()) {
        out << QString::fromUtf8(bytes);
        return finishOutput(out, err);
    }
    if (!FileReplacement::replace(request.output, bytes)) {
        err << CannotSaveTo << request.output << Qt::endl;
        return ExitFile;
    }
    return 0;
}

int dump(const CommandLineRequest &request, QTextStream &out, QTextStream &err)
{
    const std::optional<QByteArray> data = InputFile::read(request.design);
    if (!data) {
        err << cannotOpen(request.design) << Qt::endl;
        return ExitFile;
    }
    try {
        StreamDump::dumpStageFile(*data, out);
    } catch (const StreamError &error) {
        out.flush();
        err << cannotOpen(request.design) << QStringLiteral(" (") << error.message()
            << QStringLiteral(")") << Qt::endl;
        return ExitFile;
    }
    return finishOutput(out, err);
}

// The design of a Report-Writer source, written beside it (never over an
// existing design) or where --output says; what stayed code and what the
// check found go to standard error.
int importReport(const CommandLineRequest &request, QTextStream &err)
{
    QString output = request.output;
    if (output.isEmpty()) {
        output = designFileNameFor(request.design);
        if (QFileInfo::exists(output)) {
            err << CannotSaveTo << output
                << QStringLiteral(" (it exists: name the design with --output)") << Qt::endl;
            return ExitFile;
        }
    }
    if (isSameFile(output, request.design)) {
        err << CannotSaveTo << output << QStringLiteral(" (it is the report)") << Qt::endl;
        return ExitFile;
    }
    QString why;
    const std::optional<QByteArray> text = ReportImport::readSource(request.design, &why);
    if (!text) {
        err << cannotOpen(request.design) << QStringLiteral(" (") << why << QStringLiteral(")")
            << Qt::endl;
        return ExitFile;
    }
    HeadlessReport report;
    const ReportImport::Result result = report.importSource(*text);
    for (const QString &line : ReportImport::describe(result))
        err << request.design << u':' << line << u'\n';
    try {
        report.save(output);
    } catch (const StreamError &) {
        err << CannotSaveTo << output << Qt::endl;
        return ExitFile;
    }
    err.flush();
    return 0;
}

} // namespace

CommandLineRequest parseCommandLine(const QStringList &arguments)
{
    CommandLineRequest request;
    for (qsizetype i = 1; i < arguments.size() && request.action != CommandLineRequest::Invalid;
         ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            request.action = CommandLineRequest::Help;
        } else if (argument == QLatin1String("--version")) {
            request.action = CommandLineRequest::Version;
        } else if (argument == QLatin1String("--generate")) {
            if (takeValue(arguments, i, request.design, request, QStringLiteral("design")))
                request.action = CommandLineRequest::Generate;
        } else if (argument == QLatin1String("--dump")) {
            if (takeValue(arguments, i, request.design, request, QStringLiteral("design")))
                request.action = CommandLineRequest::Dump;
        } else if (argument == QLatin1String("--undump")) {
            if (takeValue(arguments, i, request.design, request, QStringLiteral("design text")))
                request.action = CommandLineRequest::Undump;
        } else if (argument == QLatin1String("--check")) {
            if (takeValue(arguments, i, request.design, request, QStringLiteral("file to check")))
                request.action = CommandLineRequest::Check;
        } else if (argument == QLatin1String("--import")) {
            if (takeValue(arguments, i, request.design, request, QStringLiteral("report")))
                request.action = CommandLineRequest::Import;
        } else if (argument == QLatin1String("--preview")) {
            if (takeValue(arguments, i, request.design, request, QStringLiteral("report")))
                request.action = CommandLineRequest::Preview;
        } else if (argument == QLatin1String("--data")) {
            takeValue(arguments, i, request.dataSource, request, QStringLiteral("data source"));
        } else if (argument == QLatin1String("--param")) {
            QString parameter;
            if (takeValue(arguments, i, parameter, request, QStringLiteral("parameter")))
                request.parameters.append(parameter);
        } else if (argument == QLatin1String("--")
                   && request.action == CommandLineRequest::Preview) {
            request.reportFlags = arguments.mid(i + 1);
            break;
        } else if (argument == QLatin1String("--output") || argument == QLatin1String("-o")) {
            takeValue(arguments, i, request.output, request, QStringLiteral("output file"));
        } else if (argument == QLatin1String("--unix")) {
            request.unixLineEnds = true;
        } else if (isOption(argument)) {
            request.action = CommandLineRequest::Invalid;
            request.error = QStringLiteral("unknown option ") + argument;
        } else {
            request.files.append(argument);
        }
    }
    const bool previewOptions = !request.dataSource.isEmpty() || !request.parameters.isEmpty();
    if (previewOptions && request.action != CommandLineRequest::Preview
        && request.action != CommandLineRequest::Invalid) {
        request.action = CommandLineRequest::Invalid;
        request.error = QStringLiteral("--data and --param go with --preview");
    }
    const bool generateOptions = request.unixLineEnds || !request.output.isEmpty();
    const bool refusesGenerateOptions = request.action == CommandLineRequest::StartDesigner
                                        || request.action == CommandLineRequest::Check;
    if (refusesGenerateOptions && generateOptions) {
        request.action = CommandLineRequest::Invalid;
        request.error = QStringLiteral("--unix and --output go with --generate");
    }
    if ((request.action == CommandLineRequest::Undump
         || request.action == CommandLineRequest::Import)
        && request.unixLineEnds) {
        request.action = CommandLineRequest::Invalid;
        request.error = QStringLiteral("--unix goes with --generate");
    }
    return request;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: kestrova [FILE...]\n"
        "       kestrova --generate DESIGN.kfx [--unix] [--output FILE]\n"
        "       kestrova --dump DESIGN.kfx\n"
        "       kestrova --undump TEXT [--output DESIGN.kfx]\n"
        "       kestrova --check FILE...\n"
        "       kestrova --import REPORT.rw [--output DESIGN.kfx]\n"
        "       kestrova --preview FILE [--data SOURCE] [--param NAME=VALUE]...\n"
        "                [--output FILE] [-- REPORT-FLAGS...]\n"
        "\n"
        "Without options, starts the report designer and opens each FILE: a design\n"
        "(*.kfx) or a Report-Writer text to import.\n"
        "\n"
        "  --generate DESIGN  write the Report-Writer source generated from DESIGN\n"
        "  --unix             end lines with LF instead of CR LF\n"
        "  --output FILE      write to FILE instead of standard output\n"
        "  --dump DESIGN      print the design's object stream as indented text\n"
        "  --undump TEXT      write the design whose text --dump printed, to FILE of\n"
        "                     --output or beside TEXT with \".kfx\"\n"
        "  --check FILE...    check Report-Writer text (a design is generated first) for\n"
        "                     what the report program rejects: FILE:LINE: error|warning:\n"
        "                     message; exit status 1 when there is an error\n"
        "  --import REPORT    make a design of Report-Writer text; written to REPORT.kfx\n"
        "                     (never over an existing file) or to --output; what stayed\n"
        "                     code and the check's problems go to standard error\n"
        "  --preview FILE     print the report (a design is generated first) as the\n"
        "                     report program writes it to a file\n"
        "  --data SOURCE      its rows: an SQLite file, a folder of CSV files or\n"
        "                     postgresql://user@host:port/database; sample rows without\n"
        "  --param NAME=VALUE the value of the report's $NAME\n"
        "  -- REPORT-FLAGS    the report program's own flags: -lN, -vN, -h, +b, -b,\n"
        "                     (name=value,...) take effect, others are ignored\n"
        "  --help             show this text\n"
        "  --version          show the version\n");
}

int runHeadless(const CommandLineRequest &request, QTextStream &out, QTextStream &err)
{
    switch (request.action) {
    case CommandLineRequest::Help:
        out << usageText();
        return finishOutput(out, err);
    case CommandLineRequest::Version:
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return finishOutput(out, err);
    case CommandLineRequest::Generate:
        return generate(request, out, err);
    case CommandLineRequest::Dump:
        return dump(request, out, err);
    case CommandLineRequest::Undump:
        return undumpDesign(request, err);
    case CommandLineRequest::Check:
        return checkReportFiles(QStringList{request.design} + request.files, out, err);
    case CommandLineRequest::Import:
        return importReport(request, err);
    case CommandLineRequest::Preview:
        return previewReport({request.design, request.dataSource, request.parameters,
                              request.reportFlags, request.output},
                             out, err);
    case CommandLineRequest::Invalid:
        err << "kestrova: " << request.error << "\n\n" << usageText();
        return ExitUsage;
    case CommandLineRequest::StartDesigner:
        break;
    }
    return 0;
}
