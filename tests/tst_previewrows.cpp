// Links: kestrova_preview
#include "preview/SqlRows.h"
#include "preview/SqliteRows.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The rows of an SQLite database read through SQLite itself give the same
// values, columns and errors as the rows read through Qt SQL: each case
// runs one query both ways. The rows that matter come after the first,
// which both read through Qt.
class TestPreviewRows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void sameAsQtSql_data();
    void sameAsQtSql();
    void cleanupAfterTheLastRow();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QSqlDatabase m_database;
};

namespace {

const QString Connection = QStringLiteral("rows");

// Every row of the table but the first is one case; the first is read
// through Qt by both.
const char *const Fixture =
    "create table kinds (id integer, fixed char(5), text varchar(10), whole integer, "
    "small smallint, real float, cash money, day date, other);"
    "insert into kinds values (0, 'first', 'first', 0, 0, 0, 0, '2024-01-01', 0);"
    "insert into kinds values (1, 'ab', 'ab', 42, 7, 2.5, 1234.5, '12-mar-1947', 'x');"
    "insert into kinds values (2, null, null, null, null, null, null, null, null);"
    "insert into kinds values (3, 'abcdefg', '  pad  ', -9007199254740993, 32767, 1e300, "
    "'$1,234.50', '1947-03-12', 1.5);"
    "insert into kinds values (4, '', '', '12', ' 7 ', '3.25', '-$0.35', "
    "'03/12/1947 10:05:00', x'6869');"
    "insert into kinds values (5, 12, 3.5, 1.75, 2.5, 7, 8, 'not a date', 'Straße €');"
    "insert into kinds values (6, x'41', x'4243', 5, 5, 5, 5, 20240101, 'x');"
    "insert into kinds values (7, 'é😀', cast(x'41ff42' as text), 1, 1, 1, 1, "
    "cast(x'efbbbf41' as text), cast(x'c0af' as text));"
    "insert into kinds values (8, 'ok', 'ok', 'abc', 1, 1, 1, '2024-02-29', 'x');"
    "insert into kinds values (9, 'after', 'after', 'def', 'ghi', 1, 1, '2024-02-30', 'x');"
    "create table runs (id integer, name char(6), day date);"
    "insert into runs values (1, 'a', '2024-01-01'), (2, 'a', '2024-01-01'), (3, null, null), "
    "(4, 'a', '2024-01-01'), (5, 'ab', '2024-01-02'), (6, 'a', '2024-01-01'), (7, '', ''), "
    "(8, '', ''), (9, 'a', 'a'), (10, 'a', 'a');"
    "create table sales (region char(4), amount money, sold date);"
    "insert into sales values ('N', 10, '2024-01-02'), ('S', 20, '2024-01-03'), "
    "('N', 30, '2024-01-04'), ('E', 40, '2024-01-05')";

QString described(const Value &value)
{
    switch (value.kind) {
    case Value::Null:
        return QStringLiteral("null");
    case Value::Number:
        return QStringLiteral("%1 %2")
            .arg(value.integral ? QStringLiteral("whole") : QStringLiteral("number"))
            .arg(value.number, 0, 'g', 17);
    case Value::Text:
        return QStringLiteral("text [%1] %2")
            .arg(value.text, QString::fromLatin1(value.text.toUtf8().toHex()));
    case Value::DateTime:
        return QStringLiteral("date %1 %2")
            .arg(value.when.toString(Qt::ISODateWithMs))
            .arg(int(value.when.timeSpec()));
    }
    return {};
}

struct Reading
{
    bool started = false;
    QStringList columns;
    QList<QStringList> rows;
    QString error;
    bool endedWithoutError = false;
};

// Starts the rows, reads them to the end and on past it, as the report
// does after an error.
template<typename Rows>
Reading read(Rows &rows, const QString &sql, const QList<QVariant> &values)
{
    Reading reading;
    reading.started = rows.start(sql, values);
    if (!reading.started) {
        reading.error = rows.error();
        return reading;
    }
    for (const ColumnInfo &column : rows.columns())
        reading.columns.append(
            QStringLiteral("%1 %2 %3").arg(column.name).arg(int(column.type)).arg(column.length));
    QList<Value> row;
    for (int calls = 0; calls < 40; ++calls) {
        const bool read = rows.next(row);
        if (!read && rows.error().isEmpty()) {
            reading.endedWithoutError = true;
            break;
        }
        QStringList values;
        for (const Value &value : std::as_const(row))
            values.append(described(value));
        reading.rows.append(values);
        reading.error = rows.error();
    }
    return reading;
}

} // namespace

void TestPreviewRows::initTestCase()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("KESTROVA_CONFIG_DIR", m_dir->path().toLocal8Bit());
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    m_database.setDatabaseName(m_dir->filePath(QStringLiteral("rows.sqlite")));
    QVERIFY(m_database.open());
    QSqlQuery query(m_database);
    for (const QString &statement : QString::fromUtf8(Fixture).split(u';'))
        QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
}

void TestPreviewRows::cleanupTestCase()
{
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(Connection);
}

void TestPreviewRows::sameAsQtSql_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("error");

    const auto kinds = [](const char *columns, const char *where = "") {
        return QStringLiteral("select %1 from kinds %2 order by id")
            .arg(QLatin1String(columns), QLatin1String(where));
    };
    // Each declared type over values of every storage class: NULLs, char
    // padding, money as text, dates as text and numbers, blobs, text that
    // is no UTF-8.
    QTest::newRow("char") << kinds("id, fixed", "where id < 8") << QVariantList() << QString();
    QTest::newRow("varchar") << kinds("id, text", "where id < 8") << QVariantList() << QString();
    QTest::newRow("integer") << kinds("id, whole", "where id < 8") << QVariantList() << QString();
    QTest::newRow("smallint") << kinds("id, small", "where id < 8") << QVariantList() << QString();
    QTest::newRow("float") << kinds("id, real", "where id < 8") << QVariantList() << QString();
    QTest::newRow("money") << kinds("id, cash", "where id < 8") << QVariantList() << QString();
    QTest::newRow("date") << kinds("id, day", "where id < 8") << QVariantList() << QString();
    // A column without a declared type takes its type from the first value.
    QTest::newRow("undeclared") << kinds("id, other", "where id between 1 and 7") << QVariantList()
                                << QString();
    // Computed columns take their type from the first value.
    QTest::newRow("computed") << kinds("id * 2 as twice, fixed || '|' as joined, "
                                       "real / 2 as half, null as empty, other as alias",
                                       "where id between 1 and 7")
                              << QVariantList() << QString();
    QTest::newRow("computed, first null")
        << kinds("whole as w, text as t", "where id between 2 and 7") << QVariantList()
        << QString();
    // Runs of one value, broken by NULLs and by values that begin alike.
    QTest::newRow("repeated values")
        << QStringLiteral("select name, day, name || '|' as joined from runs order by id")
        << QVariantList() << QString();
    QTest::newRow("no rows") << kinds("id, fixed", "where id < 0") << QVariantList() << QString();
    QTest::newRow("one row") << kinds("id, fixed", "where id = 1") << QVariantList() << QString();
    QTest::newRow("bound parameters")
        << QStringLiteral("select region, amount, sold from sales where region = ? or amount > ? "
                          "order by sold")
        << QVariantList{QStringLiteral("N"), QStringLiteral("35")} << QString();
    QTest::newRow("null and empty parameters")
        << QStringLiteral("select ? is null, ? = '', amount from sales order by sold")
        << QVariantList{QVariant(QString()), QVariant(QStringLiteral(""))} << QString();
    // A value that is not what its column holds stops the report; the
    // reading goes on past it as the report may.
    QTest::newRow("not a number") << kinds("id, whole, small") << QVariantList()
                                  << QStringLiteral("column whole holds \"abc\", which is not "
                                                    "a number");
    QTest::newRow("not a number, first row")
        << kinds("whole", "where id >= 8") << QVariantList()
        << QStringLiteral("column whole holds \"abc\", which is not a number");
    // Database errors, when the query is run and while its rows are read.
    QTest::newRow("syntax") << QStringLiteral("select from kinds where ?") << QVariantList{1}
                            << QStringLiteral("the query failed: near \"from\": syntax error");
    QTest::newRow("missing table") << QStringLiteral("select * from nowhere") << QVariantList()
                                   << QStringLiteral("the query failed: no such table: nowhere");
    QTest::newRow("parameter count")
        << QStringLiteral("select * from sales where region = ?")
        << QVariantList{QStringLiteral("N"), QStringLiteral("S")}
        << QStringLiteral("the query failed: Parameter count mismatch");
    QTest::newRow("two statements")
        << QStringLiteral("select * from sales; select * from kinds") << QVariantList()
        << QStringLiteral("the query failed: not an error");
    QTest::newRow("error while reading")
        << QStringLiteral("select id, case when id = 3 then abs(-9223372036854775807 - 1) "
                          "else id end as value from kinds")
        << QVariantList() << QStringLiteral("reading the rows failed: integer overflow");
}

void TestPreviewRows::sameAsQtSql()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    QFETCH(QString, error);

    const QHash<QString, QString> types = declaredColumnTypes(m_database, sql);
    Reading expected;
    Reading actual;
    {
        SqlRows rows(m_database, types);
        expected = read(rows, sql, values);
    }
    {
        SqliteRows rows(m_database, types);
        actual = read(rows, sql, values);
    }
    QCOMPARE(expected.error, error);
    QCOMPARE(actual.error, expected.error);
    QCOMPARE(actual.started, expected.started);
    QCOMPARE(actual.columns, expected.columns);
    QCOMPARE(actual.rows.size(), expected.rows.size());
    for (qsizetype i = 0; i < expected.rows.size(); ++i)
        QCOMPARE(actual.rows.at(i), expected.rows.at(i));
    QCOMPARE(actual.endedWithoutError, expected.endedWithoutError);
    // The cases read what they are meant to: past the first row.
    if (error.isEmpty() && QByteArray(QTest::currentDataTag()) != "no rows"
        && QByteArray(QTest::currentDataTag()) != "one row")
        QVERIFY(expected.rows.size() > 2);
}

// After the last row the statement lets go of its table, so that the
// report's .CLEANUP can change it.
void TestPreviewRows::cleanupAfterTheLastRow()
{
    QSqlQuery query(m_database);
    QVERIFY(query.exec(
        QStringLiteral("create table scratch (region char(4), amount money, sold date)")));
    QVERIFY(query.exec(QStringLiteral("insert into scratch select * from sales")));
    const QString sql = QStringLiteral("select * from scratch");
    SqliteRows rows(m_database, declaredColumnTypes(m_database, sql));
    QVERIFY(rows.start(sql, {}));
    QList<Value> row;
    int count = 0;
    while (rows.next(row))
        ++count;
    QCOMPARE(rows.error(), QString());
    QCOMPARE(count, 4);
    QVERIFY(!rows.next(row));
    QCOMPARE(rows.error(), QString());
    QVERIFY2(query.exec(QStringLiteral("drop table scratch")),
             qPrintable(query.lastError().text()));
}

QTEST_GUILESS_MAIN(TestPreviewRows)
#include "tst_previewrows.moc"
