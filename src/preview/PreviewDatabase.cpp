#include "preview/PreviewDatabase.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInteger<quint64> connectionCount;

// SQLite opens anything and fails at the first query; the header says first.
bool isSqliteFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(16);
    return head.isEmpty() || head == QByteArray("SQLite format 3\0", 16);
}

QString withoutPassword(QString text, const QString &password)
{
    if (!password.isEmpty())
        text.replace(password, QStringLiteral("****"));
    return text;
}

} // namespace

PreviewDatabase::PreviewDatabase()
    : m_name(QStringLiteral("kestrova-preview-%1").arg(connectionCount.fetchAndAddRelaxed(1)))
{
}

PreviewDatabase::~PreviewDatabase()
{
    if (m_database.isValid()) {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
}

bool PreviewDatabase::open(const DataSource &source, QString *error)
{
    switch (source.kind) {
    case DataSource::Kind::Sample:
    case DataSource::Kind::CsvFolder:
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_database.setDatabaseName(QStringLiteral(":memory:"));
        break;
    case DataSource::Kind::SQLite: {
        const QFileInfo info(source.path);
        if (!info.isFile() || !info.isReadable()) {
            *error = QStringLiteral("the SQLite database %1 does not exist or cannot be read")
                         .arg(source.path);
            return false;
        }
        if (!isSqliteFile(source.path)) {
            *error = QStringLiteral("%1 is not an SQLite database").arg(source.path);
            return false;
        }
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_database.setDatabaseName(source.path);
        break;
    }
    case DataSource::Kind::PostgreSQL:
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
            *error = QStringLiteral("Qt's PostgreSQL driver (QPSQL) is not installed");
            return false;
        }
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        m_database.setHostName(source.host);
        m_database.setPort(source.port);
        m_database.setDatabaseName(source.database);
        m_database.setUserName(source.user);
        m_database.setPassword(source.password);
        m_database.setConnectOptions(QStringLiteral("connect_timeout=10"));
        break;
    }
    if (!m_database.isValid()) {
        *error = QStringLiteral("Qt's SQLite driver (QSQLITE) is not installed");
        return false;
    }
    if (!m_database.open()) {
        *error = QStringLiteral("cannot open the %1: %2")
                     .arg(source.describe(),
                          withoutPassword(m_database.lastError().text(), source.password));
        return false;
    }
    // Money is written in the server's locale ("1.234,50 €"); in C it is
    // "$1,234.50" whatever the server's setting, which the rows can read.
    if (source.kind == DataSource::Kind::PostgreSQL) {
        QSqlQuery setting(m_database);
        setting.exec(QStringLiteral("SET lc_monetary TO 'C'"));
    }
    return true;
}

bool PreviewDatabase::execute(const QString &statements, QString *error)
{
    QString statement;
    QChar quote;
    const auto run = [&]() {
        if (statement.trimmed().isEmpty())
            return true;
        QSqlQuery query(m_database);
        if (!query.exec(statement)) {
            *error = QStringLiteral("%1: %2").arg(statement.simplified(), query.lastError().text());
            return false;
        }
        statement.clear();
        return true;
    };
    for (const QChar c : statements) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            if (!run())
                return false;
            continue;
        }
        statement += c;
    }
    return run();
}
