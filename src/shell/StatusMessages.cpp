#include "shell/StatusMessages.h"

#include "windows/ReportWindow.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

QString designWrittenMessage(const ReportWindow *window)
{
    return QStringLiteral("Design written to %1").arg(shownPath(window->designFileName()));
}

QString sourceWrittenMessage(const QString &path)
{
    return QStringLiteral("Source written to %1").arg(shownPath(path));
}

QString unixSourceWrittenMessage(const QString &path)
{
    return QStringLiteral("Source written with UNIX line ends to %1").arg(shownPath(path));
}

QString reportStartedMessage(const QString &program, const QString &parameters)
{
    return QStringLiteral("Report program started: %1 %2").arg(program, parameters);
}

QString uploadStartedMessage(const QString &path, const QString &host)
{
    return QStringLiteral("Source written with UNIX line ends to %1; uploading it to %2")
        .arg(shownPath(path), host);
}
