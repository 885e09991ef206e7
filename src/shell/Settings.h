#pragma once

#include <QString>

class QWidget;

// One key of "KFX.ini".
struct SettingKey
{
    const char *section;
    const char *key;
};

namespace SettingKeys {
inline constexpr SettingKey FtpUser{"FTP", "User"};
inline constexpr SettingKey FtpPass{"FTP", "Pass"};
inline constexpr SettingKey FtpHost{"FTP", "Host"};
inline constexpr SettingKey FtpRemoteDirectory{"FTP", "RemoteDirectory"};
// "1" for passive data connections, for servers behind a firewall; set by
// hand, setup does not show it.
inline constexpr SettingKey FtpPassive{"FTP", "Passive"};
inline constexpr SettingKey TelnetProg{"Telnet", "TelnetProg"};
inline constexpr SettingKey TxtEditProg{"TxtEdit", "TxtEditProg"};
inline constexpr SettingKey ReportProgram{"RunReport", "Program"};
inline constexpr SettingKey ReportUser{"RunReport", "User"};
// "design" or "text": how File › Open Report opens a Report-Writer file,
// as the user answered the first time.
inline constexpr SettingKey OpenReportAs{"Import", "OpenReportAs"};
// Never written by the program; the user edits it by hand.
inline constexpr SettingKey CompletionWordFile{"COMPLETETION", "File"};
} // namespace SettingKeys

// Every user of a setting reads "KFX.ini" at the moment it needs the key,
// with its own default, so a change made in setup counts at the next use.
namespace Settings {

inline constexpr char DefaultFtpUser[] = "ftpguest";
inline constexpr char DefaultFtpPassword[] = "ftpguest"; // the upload's; setup shows none
inline constexpr char DefaultFtpHost[] = "127.0.0.1";
inline constexpr char DefaultRemoteDirectory[] = "/";
// Programs every Debian desktop has: the terminal alternative, and the
// system's editor alternative run in it; "report" is the report program.
inline constexpr char DefaultTelnetProgram[] = "x-terminal-emulator";
inline constexpr char DefaultTextEditorProgram[] = "x-terminal-emulator -e editor";
inline constexpr char DefaultReportProgram[] = "report";
inline constexpr char DefaultReportUser[] = "ingres";

QString read(const SettingKey &key, const QString &defaultValue);
// False when the file cannot be written, with the reason in *error.
bool write(const SettingKey &key, const QString &value, QString *error = nullptr);
// "Unable to write to <path of KFX.ini>: <reason>".
QString writeErrorMessage(const QString &reason);
// Tells the user that a write failed and why: in a message box over
// window, or on standard error when there is no window.
void showWriteFailure(QWidget *window, const QString &reason);

struct FtpAccount
{
    QString user;
    QString password;
    QString host;
    QString remoteDirectory;
    bool passive = false;
};

// The account the FTP upload uses.
FtpAccount ftpAccount();
QString telnetProgram();
QString textEditorProgram();
QString reportProgram();
QString reportUser();

} // namespace Settings

// Reads the completion word-list file name into CompletionFile; start-up
// calls it once, so a change of it counts from the next run.
void readCompletionSettings();
