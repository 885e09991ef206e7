#include "preview/DataSource.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

std::optional<DataSource> DataSource::fromArgument(const QString &argument, QString *error)
{
    DataSource source;
    if (argument.startsWith(QLatin1String("postgresql://"))
        || argument.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(argument, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty() || url.path().size() < 2) {
            *error = QStringLiteral(
                "a PostgreSQL source is written postgresql://user@host:port/database");
            return std::nullopt;
        }
        source.kind = Kind::PostgreSQL;
        source.host = url.host();
        source.port = url.port(5432);
        source.database = url.path().mid(1);
        source.user = url.userName();
        source.password = url.password();
        return source;
    }
    const QFileInfo info(argument);
    if (!info.exists()) {
        *error = QStringLiteral("%1 does not exist").arg(argument);
        return std::nullopt;
    }
    source.kind = info.isDir() ? Kind::CsvFolder : Kind::SQLite;
    source.path = info.absoluteFilePath();
    return source;
}

QString DataSource::describe() const
{
    switch (kind) {
    case Kind::Sample:
        return QStringLiteral("sample data");
    case Kind::SQLite:
        return QStringLiteral("SQLite database %1").arg(QDir::toNativeSeparators(path));
    case Kind::CsvFolder:
        return QStringLiteral("CSV folder %1").arg(QDir::toNativeSeparators(path));
    case Kind::PostgreSQL:
        return QStringLiteral("PostgreSQL database %1 on %2:%3%4")
            .arg(database, host)
            .arg(port)
            .arg(user.isEmpty() ? QString() : QStringLiteral(" as ") + user);
    }
    return {};
}
