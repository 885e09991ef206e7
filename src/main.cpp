#include "shell/CommandLine.h"
#include "shell/ProgramInfo.h"
#include "shell/StartUp.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <cstdio>

namespace {

bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

QStringList rawArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLineRequest request = parseCommandLine(rawArguments(argc, argv));
    const bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    // The command-line modes show nothing: they never touch a display,
    // which a stale DISPLAY (a cron job, a terminal left over) may name
    // without a server behind it, aborting the platform's start.
    if (request.isHeadless())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Headless output is the program's own: Qt's notes about the platform
    // would only disturb what scripts read from standard error.
    if (request.isHeadless())
        QLoggingCategory::setFilterRules(
            QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
    if (!request.isHeadless() && !platformChosen && !hasDisplay()) {
        std::fputs("kestrova: no display found; the designer needs one. "
                   "Headless use: kestrova --help\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramInfo::Name);
    QApplication::setApplicationVersion(ProgramInfo::Version);
    // Ties the windows to the installed desktop entry (and its icon) where
    // the window system asks for one.
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrova"));

    if (request.isHeadless()) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runHeadless(request, out, err);
    }
    return StartUp::runDesigner(request.files);
}
