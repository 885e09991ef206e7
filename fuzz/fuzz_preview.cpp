// Runs arbitrary bytes as a Report-Writer source over a small fixed
// database, checking what must hold for any input:
// - the run ends (the page limit stops endless reports) without a crash;
// - every message has text and a line from 0 to the number of LFs + 1;
// - every printed line is free of line ends.

#include "preview/PreviewRun.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

class CheckingObserver : public PreviewObserver
{
public:
    explicit CheckingObserver(qsizetype lines) : m_lines(lines) {}

    void pagePrinted(const PrintedPage &page) override
    {
        for (qsizetype line = 0; line < page.lineCount(); ++line)
            check(!page.lineText(line).contains(QLatin1Char('\n')),
                  "a printed line holds no line end");
    }
    void message(const PreviewMessage &message) override
    {
        check(!message.text.isEmpty(), "a message says what it is");
        check(message.line >= 0 && message.line <= m_lines, "a message's line is in the text");
    }

private:
    qsizetype m_lines;
};

// The database every input runs over: two tables with text, numbers,
// dates and a NULL.
QString fixture()
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.db"));
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        database.setDatabaseName(path);
        database.open();
        QSqlQuery query(database);
        query.exec(QStringLiteral("create table emp (name char(10), dept varchar(8), salary float, "
                                  "age smallint, born date, pay money)"));
        query.exec(QStringLiteral(
            "insert into emp values ('Ann','sales',1000.5,30,'1990-01-02',12.5),"
            "('Bob','sales',2000,40,'1980-03-04',-3),"
            "('Cy','tech',NULL,50,'12-mar-1947',0),('Di','tech',3.25,NULL,NULL,NULL)"));
        query.exec(QStringLiteral("create table dept (dname varchar(8), floor integer)"));
        query.exec(QStringLiteral("insert into dept values ('sales',1),('tech',2)"));
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_preview";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static const QString path = fixture();

    const QByteArray source(reinterpret_cast<const char *>(data), qsizetype(size));
    DataSource database;
    database.kind = DataSource::Kind::SQLite;
    database.path = path;
    PreviewOptions options;
    options.pageLimit = 50;
    options.parameters.insert(QStringLiteral("dept"), QStringLiteral("sales"));
    CheckingObserver observer(source.count('\n') + 1);
    runPreview(source, database, options, observer);
    DataSource sample;
    runPreview(source, sample, options, observer);
    return 0;
}
