#pragma once

#include <QString>

// Where the program keeps "KFX.ini", "SRC.dat" and "BF.dat": the folder of
// the executable when it may be written and is no "bin" folder, else the
// user's configuration folder; the environment variable KESTROVA_CONFIG_DIR
// overrides both. An installed program thus keeps them with the user, also
// when run by one who may write /usr/bin.
// It lives with the editors, which the report windows and the code dialog
// build from these files, below the shell that edits the settings.
namespace SettingsFiles {

// The folder, created when it is missing.
QString folder();
// The folder for a program in programFolder, as it is chosen; not created.
QString folderFor(const QString &programFolder);
QString filePath(const QString &fileName);

QString iniPath();                  // "KFX.ini": programs, FTP account, word list
QString sourceEditorSettingsPath(); // "SRC.dat": the report windows' source editor
QString codeEditorSettingsPath();   // "BF.dat": the code dialog's editor

} // namespace SettingsFiles

// The completion word-list file named in the settings; read once at
// start-up and used by every editor created afterwards.
extern QString CompletionFile;
