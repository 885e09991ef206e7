#include "shell/CommandLine.h"

#include "shell/HeadlessCheck.h"
#include "shell/HeadlessPreview.h"
#include "shell/HeadlessReport.h"

#include "model/FileReplacement.h"
#include "model/InputFile.h"
#include "model/ObjectStream.h"
#include "model/StreamDump.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <sys/stat.h>

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

// Whether both names lead to one file, through a symbolic link, "..", or
// another hard link.
bool isSameFile(const QString &first, const QString &second)
{
    struct stat a = {};
    struct stat b = {};
    return ::stat(QFile::encodeName(first).constData(), &a) == 0
           && ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev
           && a.st_ino == b.st_ino;
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

// Takes the value of an option that needs one, or records the error.
bool takeValue(const QStringList &arguments, qsizetype &index, QString &value,
               CommandLineRequest &request)
{
    if (index + 1 >= arguments.size() || arguments[index + 1].startsWith(QLatin1String("--"))) {
        request.action = CommandLineRequest::Invalid;
        request.error = arguments[index] + QStringLiteral(" needs a file name");
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
            if (takeValue(arguments, i, request.design, request))
                request.action = CommandLineRequest::Generate;
        } else if (argument == QLatin1String("--dump")) {
            if (takeValue(arguments, i, request.design, request))
                request.action = CommandLineRequest::Dump;
        } else if (argument == QLatin1String("--check")) {
            if (takeValue(arguments, i, request.design, request))
                request.action = CommandLineRequest::Check;
        } else if (argument == QLatin1String("--preview")) {
            if (takeValue(arguments, i, request.design, request))
                request.action = CommandLineRequest::Preview;
        } else if (argument == QLatin1String("--data")) {
            takeValue(arguments, i, request.dataSource, request);
        } else if (argument == QLatin1String("--param")) {
            QString parameter;
            if (takeValue(arguments, i, parameter, request))
                request.parameters.append(parameter);
        } else if (argument == QLatin1String("--")
                   && request.action == CommandLineRequest::Preview) {
            request.reportFlags = arguments.mid(i + 1);
            break;
        } else if (argument == QLatin1String("--output") || argument == QLatin1String("-o")) {
            takeValue(arguments, i, request.output, request);
        } else if (argument == QLatin1String("--unix")) {
            request.unixLineEnds = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
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
    return request;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: kestrova [FILE...]\n"
        "       kestrova --generate DESIGN.kfx [--unix] [--output FILE]\n"
        "       kestrova --dump DESIGN.kfx\n"
        "       kestrova --check FILE...\n"
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
        "  --check FILE...    check Report-Writer text (a design is generated first) for\n"
        "                     what the report program rejects: FILE:LINE: error|warning:\n"
        "                     message; exit status 1 when there is an error\n"
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
    case CommandLineRequest::Check:
        return checkReportFiles(QStringList{request.design} + request.files, out, err);
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
