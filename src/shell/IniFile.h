#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// An INI file read and written one key at a time, as the settings of
// "KFX.ini" are. Section and key names match without regard to case and
// the first matching section wins. Writing a key rewrites that key's line
// alone (or adds it, and its section), so comments, other sections and odd
// spacing stay byte for byte; the file is replaced as FileReplacement
// replaces files, so a failed write leaves it as it was. Writers in other
// programs take turns through a lock file beside it ("KFX.ini.lock").
class IniFile
{
public:
    // Longer values are cut to this many characters when read.
    static constexpr qsizetype MaxValueLength = 2047;
    // How long a write waits for another program's write to end, in ms.
    static constexpr int LockWait = 5000;

    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    // The value, or defaultValue when the file, the section or the key is
    // missing or the file cannot be read.
    QString readString(QStringView section, QStringView key, const QString &defaultValue) const;

    // Every write leaves the file readable by its owner only: it holds a
    // password. On failure errorString() tells why.
    bool writeString(const QString &section, const QString &key, const QString &value);

    // Reads keys of section (empty when missing) and writes what change
    // makes of them, one value per key, in one turn of the lock and one
    // replacement of the file: a list kept in several keys stays whole while
    // other programs change it too. No values from change write nothing.
    using Change = std::function<std::optional<QStringList>(const QStringList &values)>;
    bool updateStrings(const QString &section, const QStringList &keys, const Change &change);
    QString errorString() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};
