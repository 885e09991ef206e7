#include "editor/SettingsFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString CompletionFile;

namespace SettingsFiles {

namespace {

// A copy built or unpacked into a folder of its own keeps its settings with
// it; an installed one shares its folder with every other program.
bool keepsSettingsBeside(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    return !programFolder.isEmpty() && folder.isWritable() && folder.fileName() != u"bin";
}

} // namespace

QString folderFor(const QString &programFolder)
{
    QString chosen = qEnvironmentVariable("KESTROVA_CONFIG_DIR");
    if (!chosen.isEmpty())
        return chosen;
    if (keepsSettingsBeside(programFolder))
        return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString folder()
{
    QString path = folderFor(QCoreApplication::applicationDirPath());
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
