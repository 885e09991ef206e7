#pragma once

#include <QString>

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
    QString errorString() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};
