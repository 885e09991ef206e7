#include "shell/RecentFiles.h"

#include "editor/SettingsFiles.h"
#include "shell/IniFile.h"

#include <QFileInfo>

namespace RecentFiles {

namespace {

const QString Section = QStringLiteral("RecentFiles");

QStringList keys()
{
    QStringList names;
    for (int number = 1; number <= MaxCount; ++number)
        names.append(QStringLiteral("File%1").arg(number));
    return names;
}

// The stored form of a path: empty when the file is not there.
QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

// A line of the settings file holds no line break, and a longer value would
// be cut when read back.
bool fitsSettingsFile(const QString &path)
{
    return !path.contains(u'\n') && !path.contains(u'\r') && path.size() <= IniFile::MaxValueLength;
}

// Stored values without the empty ones, the keys past the list's end.
QStringList entries(const QStringList &values)
{
    QStringList paths;
    for (const QString &value : values) {
        if (!value.isEmpty())
            paths.append(value);
    }
    return paths;
}

// One value per key, empty past the list's end, so that a shorter list
// leaves no old entry behind.
QStringList values(QStringList paths)
{
    paths.resize(MaxCount);
    return paths;
}

QStringList existing(const QStringList &paths)
{
    QStringList kept;
    for (const QString &path : paths) {
        if (QFileInfo(path).isFile())
            kept.append(path);
    }
    return kept;
}

bool update(const std::function<QStringList(const QStringList &paths)> &change,
            QString *error = nullptr)
{
    const auto changeValues = [&change](const QStringList &stored) -> std::optional<QStringList> {
        const QStringList before = entries(stored);
        const QStringList after = change(before);
        if (after == before)
            return std::nullopt;
        return values(after);
    };
    IniFile file(SettingsFiles::iniPath());
    const bool updated = file.updateStrings(Section, keys(), changeValues);
    if (!updated && error)
        *error = file.errorString();
    return updated;
}

} // namespace

QStringList read()
{
    QStringList stored;
    IniFile file(SettingsFiles::iniPath());
    for (const QString &key : keys())
        stored.append(file.readString(Section, key, QString()));
    return entries(stored);
}

bool add(const QString &path, QString *error)
{
    const QString entry = canonical(path);
    if (entry.isEmpty() || !fitsSettingsFile(entry))
        return true;
    return update(
        [&entry](const QStringList &paths) {
            QStringList changed{entry};
            for (const QString &path : paths) {
                // An entry written by hand may name the file another way.
                if (path != entry && canonical(path) != entry)
                    changed.append(path);
            }
            return changed.mid(0, MaxCount);
        },
        error);
}

QStringList dropGone()
{
    QStringList kept;
    const bool updated = update([&kept](const QStringList &paths) {
        kept = existing(paths);
        return kept;
    });
    // A list that cannot be written back is still shown without them.
    return updated ? kept : existing(read());
}

} // namespace RecentFiles
