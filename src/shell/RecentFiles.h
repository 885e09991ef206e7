#pragma once

#include <QString>
#include <QStringList>

// The designs and text files last opened or written, most recent first, as
// the File menu lists them. They are kept in "KFX.ini", in the section
// "RecentFiles" under the keys "File1" to "File8", each an absolute path
// with its links resolved, so that a file has one entry however it was
// named. Every change reads and writes the list in one turn of the file's
// lock, so programs running at once lose none of each other's entries.
namespace RecentFiles {

inline constexpr int MaxCount = 8;

// The list as kept.
QStringList read();

// Puts the file first, dropping its older entry and the one that no longer
// fits. A file that does not exist, or whose path the settings file cannot
// hold, is not added. False when "KFX.ini" cannot be written, with the
// reason in *error.
bool add(const QString &path, QString *error = nullptr);

// Drops the entries whose file is gone and returns the rest.
QStringList dropGone();

} // namespace RecentFiles
