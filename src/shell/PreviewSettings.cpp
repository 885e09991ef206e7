#include "shell/PreviewSettings.h"

#include "shell/IniFile.h"

#include "editor/SettingsFiles.h"

namespace {

const QString KindKey = QStringLiteral("Kind");
const QString PathKey = QStringLiteral("Path");
const QString HostKey = QStringLiteral("Host");
const QString PortKey = QStringLiteral("Port");
const QString DatabaseKey = QStringLiteral("Database");
const QString UserKey = QStringLiteral("User");
const QString PasswordKey = QStringLiteral("Password");
const QString ParameterPrefix = QStringLiteral("Param.");

// The kinds as the file spells them.
struct KindName
{
    DataSource::Kind kind;
    const char *name;
};

constexpr KindName KindNames[] = {
    {DataSource::Kind::Sample, "Sample"},
    {DataSource::Kind::SQLite, "SQLite"},
    {DataSource::Kind::CsvFolder, "CSV"},
    {DataSource::Kind::PostgreSQL, "PostgreSQL"},
};

QString kindName(DataSource::Kind kind)
{
    for (const KindName &entry : KindNames) {
        if (entry.kind == kind)
            return QString::fromLatin1(entry.name);
    }
    return QString::fromLatin1(KindNames[0].name);
}

DataSource::Kind kindNamed(const QString &name)
{
    for (const KindName &entry : KindNames) {
        if (name.compare(QLatin1StringView(entry.name), Qt::CaseInsensitive) == 0)
            return entry.kind;
    }
    return DataSource::Kind::Sample;
}

// Keys name parameters as the report spells them; a key cannot hold '='.
QString parameterKey(const QString &name)
{
    QString key = name;
    key.replace(u'=', u'_');
    return ParameterPrefix + key;
}

// A write's outcome, with the reason of a failure in *error when asked.
bool written(const IniFile &file, bool success, QString *error)
{
    if (!success && error)
        *error = file.errorString();
    return success;
}

} // namespace

namespace PreviewSettings {

QString sectionOf(const QString &path)
{
    // A ']' would end the section name early.
    QString escaped = path;
    escaped.replace(u'%', QStringLiteral("%25")).replace(u']', QStringLiteral("%5D"));
    return QStringLiteral("Preview ") + escaped;
}

DataSource dataSource(const QString &path)
{
    const IniFile file(SettingsFiles::iniPath());
    const QString section = sectionOf(path);
    const auto read = [&](const QString &key, const QString &defaultValue = QString()) {
        return file.readString(section, key, defaultValue);
    };
    DataSource data;
    data.kind = kindNamed(read(KindKey));
    data.path = read(PathKey);
    data.host = read(HostKey);
    bool valid = false;
    const int port = read(PortKey).toInt(&valid);
    if (valid && port > 0 && port < 65536)
        data.port = port;
    data.database = read(DatabaseKey);
    data.user = read(UserKey);
    data.password = read(PasswordKey);
    return data;
}

bool setDataSource(const QString &path, const DataSource &data, QString *error)
{
    IniFile file(SettingsFiles::iniPath());
    const QStringList keys{KindKey, PathKey, HostKey, PortKey, DatabaseKey, UserKey, PasswordKey};
    const auto values = [&data](const QStringList &) {
        return QStringList{kindName(data.kind), data.path, data.host,    QString::number(data.port),
                           data.database,       data.user, data.password};
    };
    return written(file, file.updateStrings(sectionOf(path), keys, values), error);
}

QMap<QString, QString> parameterValues(const QString &path, const QStringList &names)
{
    const IniFile file(SettingsFiles::iniPath());
    const QString section = sectionOf(path);
    QMap<QString, QString> values;
    for (const QString &name : names)
        values.insert(name, file.readString(section, parameterKey(name), QString()));
    return values;
}

bool setParameterValues(const QString &path, const QMap<QString, QString> &values, QString *error)
{
    if (values.isEmpty())
        return true;
    IniFile file(SettingsFiles::iniPath());
    QStringList keys;
    for (const QString &name : values.keys())
        keys.append(parameterKey(name));
    return written(file,
                   file.updateStrings(sectionOf(path), keys,
                                      [&values](const QStringList &) { return values.values(); }),
                   error);
}

} // namespace PreviewSettings
