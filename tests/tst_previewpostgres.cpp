// Links: kestrova_windows
#include "LocalPostgresServer.h"

#include "preview/PreviewRun.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The preview over a PostgreSQL server: a server of the test's own, with a
// small table, reached through Qt's driver on its Unix socket.

namespace {

constexpr char Password[] = "Never-Shown-7351";

struct Collected : PreviewObserver
{
    QList<PrintedPage> pages;
    QList<PreviewMessage> messages;

    void pagePrinted(const PrintedPage &page) override { pages.append(page); }
    void message(const PreviewMessage &message) override { messages.append(message); }

    QStringList lines() const
    {
        QStringList result;
        for (const PrintedPage &page : pages) {
            for (qsizetype line = 0; line < page.lineCount(); ++line)
                result.append(page.lineText(line));
        }
        return result;
    }
    QString messageText() const
    {
        QStringList texts;
        for (const PreviewMessage &message : messages)
            texts.append(message.text);
        return texts.join(u'\n');
    }
};

// Rows of both databases: the same declared types, one amount below the
// parameter's value. The server writes money as text ("$1,234.50").
const char *const TableDefinition =
    "create table sales (region char(8), amount integer, price money)";
const char *const Rows[] = {
    "insert into sales values ('North', 10, 2.10)",
    "insert into sales values ('North', 50, 1234.5)",
    "insert into sales values ('South', 1, 0.35)",
    "insert into sales values ('South', 30, -0.35)",
    "insert into sales values ('West', 20, 1000000)",
};

const QByteArray Report = R"(.NAME pgtest
.QUERY select region, amount, price from sales where amount >= $least
.SORT region
.HEADER report
.LEFTMARGIN 0
.RIGHTMARGIN 60
.HEADER region
.TAB 0 .PRINT 'Region ', region(c8)
.NEWLINE
.DETAIL
.TAB 4 .PRINT amount(f6), price(f12.2)
.NEWLINE
.FOOTER region
.TAB 4 .PRINT 'Total ', sum(amount)(f6)
.NEWLINE
)";

bool execute(QSqlDatabase &database, const QString &statement, QString *error)
{
    QSqlQuery query(database);
    if (query.exec(statement))
        return true;
    *error = statement + QStringLiteral(": ") + query.lastError().text();
    return false;
}

} // namespace

class TestPreviewPostgres : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void printsTheRowsOfTheServer();
    void printsAsOverSQLite();
    void queryErrorsAreMessages();
    void unreachableServerIsAMessage();

private:
    DataSource server(const QString &database = QStringLiteral("sales")) const;
    QString fillServer();

    std::unique_ptr<LocalPostgresServer> m_server;
};

void TestPreviewPostgres::initTestCase()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        QSKIP("Qt's PostgreSQL driver is missing; scripts/setup.sh installs libqt6sql6-psql");
    m_server = std::make_unique<LocalPostgresServer>();
    if (!m_server->start())
        QSKIP(qPrintable(QStringLiteral("no PostgreSQL server of the test's own: ")
                         + m_server->errorString()));
    const QString error = fillServer();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestPreviewPostgres::cleanupTestCase()
{
    m_server.reset();
}

DataSource TestPreviewPostgres::server(const QString &database) const
{
    DataSource data;
    data.kind = DataSource::Kind::PostgreSQL;
    data.host = m_server->socketFolder();
    data.port = LocalPostgresServer::Port;
    data.database = database;
    data.user = QString::fromLatin1(LocalPostgresServer::User);
    // Trusted on the socket: given, and never to be seen.
    data.password = QString::fromLatin1(Password);
    return data;
}

QString TestPreviewPostgres::fillServer()
{
    QString error;
    const auto connectTo = [this](const QString &name, const QString &database) {
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        connection.setHostName(m_server->socketFolder());
        connection.setPort(LocalPostgresServer::Port);
        connection.setUserName(QString::fromLatin1(LocalPostgresServer::User));
        connection.setDatabaseName(database);
        return connection;
    };
    {
        QSqlDatabase admin = connectTo(QStringLiteral("admin"), QStringLiteral("postgres"));
        if (!admin.open())
            error = admin.lastError().text();
        else
            execute(admin, QStringLiteral("create database sales"), &error);
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    if (!error.isEmpty())
        return error;
    {
        QSqlDatabase sales = connectTo(QStringLiteral("sales"), QStringLiteral("sales"));
        if (!sales.open())
            error = sales.lastError().text();
        else if (execute(sales, QString::fromLatin1(TableDefinition), &error)) {
            for (const char *row : Rows) {
                if (!execute(sales, QString::fromLatin1(row), &error))
                    break;
            }
        }
        sales.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sales"));
    return error;
}

void TestPreviewPostgres::printsTheRowsOfTheServer()
{
    PreviewOptions options;
    options.parameters.insert(QStringLiteral("least"), QStringLiteral("5"));
    Collected collected;
    QCOMPARE(runPreview(Report, server(), options, collected), PreviewOutcome::Finished);
    QVERIFY2(collected.messages.isEmpty(), qPrintable(collected.messageText()));
    const QStringList lines = collected.lines();
    // Breaks by region, the amount below $least left out by the query.
    const QStringList expected{
        "Region North",           "        10        2.10",
        "        50     1234.50", "    Total     60",
        "Region South",           "        30       -0.35",
        "    Total     30",       "Region West",
        "        20  1000000.00", "    Total     20",
    };
    QStringList printed;
    for (const QString &line : std::as_const(lines)) {
        if (!line.isEmpty())
            printed.append(line);
    }
    QCOMPARE(printed, expected);
}

void TestPreviewPostgres::printsAsOverSQLite()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("sales.db"));
    {
        QSqlDatabase sqlite = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
        sqlite.setDatabaseName(file);
        QVERIFY(sqlite.open());
        QString error;
        QVERIFY2(execute(sqlite, QString::fromLatin1(TableDefinition), &error), qPrintable(error));
        for (const char *row : Rows)
            QVERIFY2(execute(sqlite, QString::fromLatin1(row), &error), qPrintable(error));
        sqlite.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    DataSource local;
    local.kind = DataSource::Kind::SQLite;
    local.path = file;

    PreviewOptions options;
    options.parameters.insert(QStringLiteral("least"), QStringLiteral("5"));
    Collected overServer;
    Collected overFile;
    QCOMPARE(runPreview(Report, server(), options, overServer), PreviewOutcome::Finished);
    QCOMPARE(runPreview(Report, local, options, overFile), PreviewOutcome::Finished);
    QVERIFY(!overServer.lines().isEmpty());
    QCOMPARE(overServer.lines(), overFile.lines());
    QCOMPARE(overServer.pages.size(), overFile.pages.size());
}

void TestPreviewPostgres::queryErrorsAreMessages()
{
    Collected collected;
    const QByteArray report = ".NAME missing\n.QUERY select region from no_such_table\n"
                              ".DETAIL\n.PRINT region\n.NEWLINE\n";
    QCOMPARE(runPreview(report, server(), {}, collected), PreviewOutcome::Failed);
    QVERIFY(!collected.messages.isEmpty());
    QVERIFY2(collected.messageText().contains(QLatin1String("no_such_table")),
             qPrintable(collected.messageText()));
    QVERIFY(!collected.messageText().contains(QLatin1String(Password)));
}

void TestPreviewPostgres::unreachableServerIsAMessage()
{
    Collected collected;
    DataSource nowhere = server();
    nowhere.host = m_server->socketFolder() + QStringLiteral("/no-server-here");
    QCOMPARE(runPreview(Report, nowhere, {}, collected), PreviewOutcome::Failed);
    QVERIFY(collected.pages.isEmpty());
    QVERIFY(!collected.messages.isEmpty());
    QVERIFY(!collected.messageText().contains(QLatin1String(Password)));
    // Nor does the description of the source shown with it.
    QVERIFY(!nowhere.describe().contains(QLatin1String(Password)));
}

QTEST_GUILESS_MAIN(TestPreviewPostgres)
#include "tst_previewpostgres.moc"
