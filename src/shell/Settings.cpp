#include "shell/Settings.h"

#include "editor/SettingsFiles.h"
#include "shell/IniFile.h"

#include "windows/ShowMessage.h"

#include <cstdio>

namespace Settings {

QString read(const SettingKey &key, const QString &defaultValue)
{
    return IniFile(SettingsFiles::iniPath())
        .readString(QString::fromLatin1(key.section), QString::fromLatin1(key.key), defaultValue);
}

bool write(const SettingKey &key, const QString &value, QString *error)
{
    IniFile file(SettingsFiles::iniPath());
    const bool written =
        file.writeString(QString::fromLatin1(key.section), QString::fromLatin1(key.key), value);
    if (!written && error)
        *error = file.errorString();
    return written;
}

QString writeErrorMessage(const QString &reason)
{
    return QStringLiteral("Unable to write to %1: %2").arg(SettingsFiles::iniPath(), reason);
}

void showWriteFailure(QWidget *window, const QString &reason)
{
    const QString message = writeErrorMessage(reason);
    if (window) {
        showMessage(window, message);
        return;
    }
    std::fputs(message.toLocal8Bit().append('\n').constData(), stderr);
    std::fflush(stderr);
}

FtpAccount ftpAccount()
{
    return {
        read(SettingKeys::FtpUser, QString::fromLatin1(DefaultFtpUser)),
        read(SettingKeys::FtpPass, QString::fromLatin1(DefaultFtpPassword)),
        read(SettingKeys::FtpHost, QString::fromLatin1(DefaultFtpHost)),
        read(SettingKeys::FtpRemoteDirectory, QString::fromLatin1(DefaultRemoteDirectory)),
        read(SettingKeys::FtpPassive, QString()).trimmed() == u'1',
    };
}

QString telnetProgram()
{
    return read(SettingKeys::TelnetProg, QString::fromLatin1(DefaultTelnetProgram));
}

QString textEditorProgram()
{
    return read(SettingKeys::TxtEditProg, QString::fromLatin1(DefaultTextEditorProgram));
}

QString reportProgram()
{
    return read(SettingKeys::ReportProgram, QString::fromLatin1(DefaultReportProgram));
}

QString reportUser()
{
    return read(SettingKeys::ReportUser, QString::fromLatin1(DefaultReportUser));
}

} // namespace Settings

void readCompletionSettings()
{
    CompletionFile = Settings::read(SettingKeys::CompletionWordFile, QString());
}
