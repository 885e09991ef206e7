#include "editor/SettingsFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString CompletionFile;

namespace SettingsFiles {

QString folder()
{
    QString path = qEnvironmentVariable("KESTROVA_CONFIG_DIR");
    if (path.isEmpty()) {
        QString beside = QCoreApplication::applicationDirPath();
        if (!beside.isEmpty() && QFileInfo(beside).isWritable())
            return beside;
        path = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    }
    // A failure shows later, when a file in it cannot be written.
    QDir().mkpath(path);
    return path;
}

QString filePath(const QString &fileName)
{
    return QDir(folder()).filePath(fileName);
}

QString iniPath()
{
    return filePath(QStringLiteral("KFX.ini"));
}

QString sourceEditorSettingsPath()
{
    return filePath(QStringLiteral("SRC.dat"));
}

QString codeEditorSettingsPath()
{
    return filePath(QStringLiteral("BF.dat"));
}

} // namespace SettingsFiles
