// Links: kestrova_preview
#include "preview/FileOutput.h"
#include "preview/PreviewRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The preview engine on small reports written from the language reference:
// each case gives a source, the rows it reads and the exact text the report
// program writes to a file (underlining as "____\rtext", form feeds as
// bytes), or the message a bad input gives.
class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void printed_data();
    void printed();
    void csvFolder_data();
    void csvFolder();
    void badInput_data();
    void badInput();
    void parametersAreBound();
    void pageLimitStops();
    void sampleData();
    void sampleDataForALongSortList();
    void reportParametersInOrder();
    void cancelStopsAtOnce();
    void includeFiles_data();
    void unnamedDesignPreviews();
    void includeFiles();

private:
    struct Result
    {
        QString text;
        QStringList messages;
        PreviewOutcome outcome = PreviewOutcome::Failed;
        int pages = 0;
    };
    DataSource sqliteWith(const QString &sql);
    static Result run(const QString &source, const DataSource &data,
                      const PreviewOptions &options = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_databases = 0;
};

namespace {

class Collector : public PreviewObserver
{
public:
    void pagePrinted(const PrintedPage &page) override
    {
        bytes += FileOutput::pageBytes(page);
        ++pages;
    }
    void message(const PreviewMessage &message) override
    {
        messages.append(QStringLiteral("%1: %2").arg(message.line).arg(message.text));
    }
    bool cancelRequested() const override
    {
        return cancelAfterPages > 0 && pages >= cancelAfterPages;
    }

    QByteArray bytes;
    QStringList messages;
    int pages = 0;
    int cancelAfterPages = 0;
};

// The rows most cases read: two regions, three cities, amounts 1 to 4.
const char *const Sales =
    "create table sales (region char(2), city varchar(6), amt integer, price float, sold date);"
    "insert into sales values ('N','Ayr',1,1.5,'2001-02-03');"
    "insert into sales values ('N','Ayr',2,2.25,'2001-02-04');"
    "insert into sales values ('N','Bude',3,10,'12-mar-1947');"
    "insert into sales values ('S','Cork',4,NULL,NULL);"
    "create table ledger (amt integer);"
    "insert into ledger values (12);"
    "insert into ledger values ('twelve');";

QString lines(const QStringList &list)
{
    return list.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

void TestPreview::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("KESTROVA_CONFIG_DIR", m_dir->path().toLocal8Bit());
}

void TestPreview::cleanup()
{
    m_dir.reset();
}

DataSource TestPreview::sqliteWith(const QString &sql)
{
    const QString path = m_dir->filePath(QStringLiteral("db%1.sqlite").arg(++m_databases));
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        database.setDatabaseName(path);
        if (!database.open())
            qFatal("cannot make the fixture database");
        QSqlQuery query(database);
        for (const QString &statement : sql.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!query.exec(statement))
                qFatal("fixture: %s", qPrintable(statement));
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    DataSource data;
    data.kind = DataSource::Kind::SQLite;
    data.path = path;
    return data;
}

TestPreview::Result TestPreview::run(const QString &source, const DataSource &data,
                                     const PreviewOptions &options)
{
    Collector collector;
    Result result;
    result.outcome = runPreview(source.toUtf8(), data, options, collector);
    result.text = QString::fromUtf8(collector.bytes);
    result.messages = collector.messages;
    result.pages = collector.pages;
    return result;
}

void TestPreview::printed_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("expected");
    const QString head = QStringLiteral(".NAME r .DATA sales .PAGELENGTH 0\n");

    // Default formats by type: char(2) c2, varchar(6) c6, integer f13, float n10.3.
    QTest::newRow("column defaults")
        << head + ".DETAIL .PRINT region, city, amt, price .NEWLINE" << QStringList()
        << lines({"N Ayr               1     1.500", "N Ayr               2     2.250",
                  "N Bude              3    10.000", "S Cork              4"});
    QTest::newRow("numeric formats")
        << head
               + ".DETAIL .PRINT price(f7.2), '|', price(-f7.2), '|', price(*f7.2), '|', amt(i3), "
                 "price(e10.2), price(n8.1) .NL"
        << QStringList()
        << lines({"   1.50|1.50   | 1.50  |  1 1.50e+000     1.5",
                  "   2.25|2.25   | 2.25  |  2 2.25e+000     2.3",
                  "  10.00|10.00  | 10.00 |  3 1.00e+001    10.0", "       |       |       |  4"});
    QTest::newRow("overflow prints stars")
        << head + ".DETAIL .PRINT amt * 400(f3), '|', price(\"zz.nn\"), '|', amt * 100(i2) .NL"
        << QStringList() << lines({"400| 1.50|**", "800| 2.25|**", "***|10.00|**", "***|     |**"});
    QTest::newRow("numeric templates") << head
                                              + ".DETAIL .PRINT amt * 1000.5(\"$$$,$$$.nn\"), amt "
                                                "- 3(\"-nnn\"), price(\"zzz.nn\") .NL"
                                       << QStringList()
                                       << lines({" $1,000.50-002  1.50", " $2,001.00-001  2.25",
                                                 " $3,001.50 000 10.00", " $4,002.00 001"});
    QTest::newRow("date templates")
        << head
               + ".DETAIL .PRINT sold(d\"03-Feb-1901\"), ' ', sold(d\"1901/02/03\"), ' ', "
                 "sold(d\"FEBRUARY\") .NL"
        << QStringList()
        << lines({"03-Feb-2001 2001/02/03 FEBRUARY", "04-Feb-2001 2001/02/04 FEBRUARY",
                  "12-Mar-1947 1947/03/12 MARCH", ""});
    QTest::newRow("character formats")
        << head
               + ".HEADER report .RM 40 .DETAIL .PRINT city(c2), '|', city(+c6), '|', city(*c6), "
                 "'|', city(c0), '|', "
                 "amt(b3), '|' .NL"
        << QStringList()
        << lines({"Ay|   Ayr| Ayr  |Ayr|   |", "Ay|   Ayr| Ayr  |Ayr|   |",
                  "Bu|  Bude| Bude |Bude|   |", "Co|  Cork| Cork |Cork|   |"});
    QTest::newRow("folded text under its start column")
        << ".NAME r .DATA sales .PAGELENGTH 0 .FOOTER report .TAB 2 .PRINT 'one two three'(cf0.8), "
           "'X' .NL"
        << QStringList() << lines({"  one two X", "  three"});
    QTest::newRow("null string padded to the width")
        << head
               + ".HEADER report .NULLSTRING 'n/a' .DETAIL .PRINT price(f6.1), '|', sold(d\"03\") "
                 ".NL"
        << QStringList() << lines({"   1.5|03", "   2.3|04", "  10.0|12", "   n/a|"});
    QTest::newRow("tab center right left")
        << head
               + ".HEADER report .RM 20 .DETAIL .TAB 4 .PRINT amt(f1) .CENTER .PRINT city .RIGHT "
                 ".PRINT region .NL "
                 ".LEFT 3 .PRINT 'x' .NL"
        << QStringList()
        << lines({"    1    Ayr       N", "   x", "    2    Ayr       N", "   x",
                  "    3   Bude       N", "   x", "    4   Cork       S", "   x"});
    QTest::newRow("blanks do not overwrite")
        << ".NAME r .DATA sales .PAGELENGTH 0 .FOOTER report .PRINT 'abcd' .TAB 1 .PRINT ' X Y' "
           ".TAB -2 .PRINT 'Z' .NL"
        << QStringList() << lines({"abXZY"});
    QTest::newRow("wrapping at the right margin")
        << ".NAME r .DATA sales .PAGELENGTH 0 .FOOTER report .LM 2 .RM 8 .TAB 2 .PRINT "
           "'abcdefghij' .NL"
        << QStringList() << lines({"  abcdef", "  ghij"});
    QTest::newRow("underlining name characters")
        << ".NAME r .DATA sales .PAGELENGTH 0 .FOOTER report .UL .PRINT 'ab''s x-1' .NOU .PRINT ' "
           "z' .NL"
        << QStringList() << QStringLiteral("__ _ _ _\rab's x-1 z\n");
    QTest::newRow("newline counts, linestart and lineend")
        << ".NAME r .DATA sales .PAGELENGTH 0 .FOOTER report .RM 9 .PRINT 'ab' .LINESTART .PRINT "
           "'X' .LINEEND "
           ".PRINT 'c' .NEWLINE 3 .PRINTLINE 'd' .PRINT 'e' .NL"
        << QStringList() << lines({"Xbc", "", "", "d", "e"});
    QTest::newRow("if elseif else, declare and let")
        << ".NAME r .DECLARE n = integer with value '10', s = varchar(5) .DATA sales .PAGELENGTH 0 "
           ".DETAIL .LET n = n + amt .IF amt = 1 .THEN .LET s = 'one' .ELSEIF amt >= 3 and not "
           "(region = 'S') "
           ".THEN .LET s = 'many' .ELSE .LET s = 'other' .ENDIF .PRINT n(f3), ' ', s .NL"
        << QStringList() << lines({" 11 one", " 13 other", " 16 many", " 20 other"});
    QTest::newRow("sort directions")
        << ".NAME r .DATA sales .SORT amt : d .PAGELENGTH 0 .DETAIL .PRINT amt(f1) .NL"
        << QStringList() << lines({"4", "3", "2", "1"});
    QTest::newRow("breaks at two levels see the previous row in footers")
        << ".NAME r .DATA sales .SORT region, city .PAGELENGTH 0 "
           ".HEADER region .PRINTLINE 'region ', region "
           ".FOOTER city .PRINTLINE '  ', city(c4), sum(amt)(f3), count(amt)(f2) "
           ".FOOTER region .PRINTLINE 'total ', region, sum(amt)(f3), ' ', countu(city)(f1) "
           ".FOOTER report .PRINTLINE 'all', sum(amt)(f4), avg(amt)(f5.2), min(price)(f5.1), "
           "max(city), any(price)(f2)"
        << QStringList()
        << lines({"region N", "  Ayr   3 2", "  Bude  3 1", "total N   6 2", "region S",
                  "  Cork  4 1", "total S   4 1", "all  10 2.50  1.5Cork   1"});
    QTest::newRow("cum counts the row after the detail prints the column")
        << ".NAME r .DATA sales .SORT region, amt .BREAK region .PAGELENGTH 0 "
           ".DETAIL .PRINT cum sum(amt)(f3), amt(f3), cum(region) count(amt)(f3) .NL"
        << QStringList() << lines({"  0  1  1", "  1  2  2", "  3  3  3", "  6  4  1"});
    QTest::newRow("cum counts the row at the start when the detail does not print it")
        << head + ".DETAIL .NEWLINE .PRINT cum sum(amt)(f3)" << QStringList()
        << lines({"", "  1", "  3", "  6", " 10"});
    QTest::newRow("page headers and footers across page ends")
        << ".NAME r .DATA sales .PAGELENGTH 4 .HEADER page .PRINTLINE 'H', page_number(f1) "
           ".FOOTER page .PRINTLINE 'F', sum(amt)(f2) .DETAIL .PRINTLINE amt(f1)"
        << QStringList() << lines({"1", "2", "3", "F 6", "H2", "4", "", "F 4"});
    QTest::newRow("-v and +b override the source")
        << ".NAME r .DATA sales .PAGELENGTH 40 .FOOTER page .PRINTLINE 'F' .DETAIL .PRINTLINE "
           "amt(f1)"
        << QStringList{QStringLiteral("-v3"), QStringLiteral("+b")}
        << QStringLiteral("\f1\n2\nF\n\f3\n4\nF\n\f\n");
    QTest::newRow("form feeds without a page footer break at once")
        << ".NAME r .DATA sales .FORMFEEDS .NOFIRSTFF .DETAIL .PRINTLINE amt(f1) .IF amt = 2 .THEN "
           ".NEWPAGE .ENDIF"
        << QStringList() << QStringLiteral("1\n2\n\f3\n4\n\f\n");
    QTest::newRow("newpage first keeps page 1 and prints its header")
        << ".NAME r .DATA sales .PAGELENGTH 0 .HEADER report .NEWPAGE 5 .HEADER page .PRINTLINE "
           "'page ', page_number(f1) "
           ".DETAIL .PRINTLINE amt(f1)"
        << QStringList() << lines({"page 5", "1", "2", "3", "4"});
    QTest::newRow("end of report: report footer, then the page footer at the bottom")
        << ".NAME r .DATA sales .PAGELENGTH 8 .FOOTER page .PRINTLINE 'F' .FOOTER report "
           ".PRINTLINE 'end' "
           ".DETAIL .PRINTLINE amt(f1)"
        << QStringList() << lines({"1", "2", "3", "4", "end", "", "", "F"});
    QTest::newRow("need starts a page when the lines do not fit")
        << ".NAME r .DATA sales .PAGELENGTH 6 .FOOTER page .PRINTLINE 'F' .DETAIL .NEED 3 "
           ".PRINTLINE amt(f1) .PRINTLINE '-'"
        << QStringList() << lines({"1", "-", "2", "-", "", "F", "3", "-", "4", "-", "", "F"});
    QTest::newRow("block with top prints side by side")
        << ".NAME r .DATA sales .PAGELENGTH 0 .FOOTER report .BLOCK .PRINT 'a' .NL .PRINT 'b' .NL "
           ".TOP .TAB 4 "
           ".PRINT 'c' .NL .TAB 4 .PRINT 'd' .NL .TAB 4 .PRINT 'e' .ENDBLOCK .NL .PRINT 'after' .NL"
        << QStringList() << lines({"a   c", "b   d", "    e", "", "after"});
    QTest::newRow("within fills columns side by side")
        << ".NAME r .DATA sales .PAGELENGTH 0 .HEADER report .POSITION region(0, 6), city(8, 6) "
           ".FOOTER report .WITHIN region, city .PRINT w_name .NL .PRINT '*' .TAB +1 .PRINT '*' "
           ".ENDWITHIN .NL"
        << QStringList() << lines({"region  city", "* *     * *", ""});
    QTest::newRow("tab to a column's default position")
        << ".NAME r .DATA sales .PAGELENGTH 0 .HEADER report .TAB city .PRINT 'City' .TAB amt "
           ".PRINT 'N' .NL "
           ".DETAIL .PRINT region(c3), city(c5), amt(f2) .NL"
        << QStringList()
        << lines({"   City N", "N  Ayr   1", "N  Ayr   2", "N  Bude  3", "S  Cork  4"});
    QTest::newRow("default margins center on the widest line")
        << ".NAME r .DATA sales .HEADER report .CENTER .PRINT 'Title' .NL .DETAIL .TAB 2 .PRINT "
           "city(c10) .NL "
           ".FOOTER report .PRINT 'page ', page_number .NL"
        << QStringList{QStringLiteral("-v0")}
        << lines({"    Title", "  Ayr", "  Ayr", "  Bude", "  Cork", "page      1"});
    QTest::newRow("format and tformat")
        << ".NAME r .DATA sales .SORT region, amt .BREAK region .PAGELENGTH 0 .HEADER report "
           ".FORMAT amt(f4) .HEADER "
           "region "
           ".TFORMAT region(c3) .DETAIL .PRINT region(b3), amt .NL"
        << QStringList() << lines({"N     1", "      2", "      3", "S     4"});
    QTest::newRow("date column in a character format")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL .PRINTLINE sold(c11), '|'" << QStringList()
        << lines({" 3-feb-2001|", " 4-feb-2001|", "12-mar-1947|", "           |"});
    QTest::newRow("underline character")
        << ".NAME r .DATA sales .PAGELENGTH 0 .FOOTER report .ULC '-' .UL .PRINT 'a b' .NOU "
           ".PRINT ' c' .ULCHARACTER '=' .UL .PRINT 'd' .NL"
        << QStringList() << QStringLiteral("- -  =\ra b cd\n");
    QTest::newRow("sort-key ties of a table in the order of its other columns, last first")
        << ".NAME r .DATA sales .SORT region .PAGELENGTH 0 .DETAIL .PRINT region(c2), city(c5), "
           "amt(f1) .NL"
        << QStringList() << lines({"N Bude 3", "N Ayr  1", "N Ayr  2", "S Cork 4"});
    QTest::newRow("sort-key ties of a query in the order of its other columns, last first")
        << ".NAME r .QUERY select city, amt, region, sold from sales .SORT region .PAGELENGTH 0 "
           ".DETAIL .PRINT region(c2), city(c5), amt(f1) .NL"
        << QStringList() << lines({"N Bude 3", "N Ayr  1", "N Ayr  2", "S Cork 4"});
    QTest::newRow("report parameters in parentheses")
        << ".NAME r .DECLARE n = integer .DATA sales .PAGELENGTH 0 .FOOTER report .PRINT n(f4), $w "
           ".NL"
        << QStringList{QStringLiteral("(n=42, w='hi')")} << lines({"  42hi"});
}

void TestPreview::printed()
{
    QFETCH(QString, source);
    QFETCH(QStringList, flags);
    QFETCH(QString, expected);
    PreviewOptions options;
    options.reportFlags = flags;
    const Result result = run(source, sqliteWith(QLatin1String(Sales)), options);
    // Stars are printed and said.
    if (QByteArray(QTest::currentDataTag()).contains("stars"))
        QCOMPARE(result.messages, QStringList{QStringLiteral(
                                      "2: a value does not fit its format and prints as stars")});
    else
        QCOMPARE(result.messages, QStringList());
    QCOMPARE(result.text, expected);
    QCOMPARE(result.outcome, PreviewOutcome::Finished);
}

void TestPreview::csvFolder_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    QTest::newRow("types guessed from the values")
        << QByteArray("name,qty,price,day\nab,5,1.5,2001-02-03\n\"c,d\",12,2,2001-02-04\n")
        << lines({"ab               5 1.50 03-Feb-2001", "c,d             12 2.00 04-Feb-2001"})
        << QString();
    QTest::newRow("ragged rows") << QByteArray("name,qty,price,day\nab,5\n") << QString()
                                 << QStringLiteral(
                                        "1: t.csv, line 2: 2 fields where the header has 4");
    QTest::newRow("invalid UTF-8") << QByteArray("name,qty,price,day\n\xff\xfe,1,1,2001-01-01\n")
                                   << QString() << QStringLiteral("1: t.csv is not UTF-8 text");
}

void TestPreview::csvFolder()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    const QString folder = m_dir->filePath(QStringLiteral("csv"));
    QVERIFY(QDir().mkpath(folder));
    QFile file(folder + QStringLiteral("/t.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(csv);
    file.close();
    DataSource data;
    data.kind = DataSource::Kind::CsvFolder;
    data.path = folder;
    const Result result =
        run(QStringLiteral(".NAME r .DATA t .PAGELENGTH 0 .DETAIL\n"
                           ".PRINT name(c5), qty, price(f5.2), ' ', day(d'03-Feb-1901') .NL\n"),
            data);
    if (message.isEmpty()) {
        QCOMPARE(result.messages, QStringList());
        QCOMPARE(result.text, expected);
    } else {
        QCOMPARE(result.messages, QStringList{message});
        QCOMPARE(result.outcome, PreviewOutcome::Failed);
    }
}

void TestPreview::badInput_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("fails");
    QTest::newRow("query that fails")
        << ".NAME r .QUERY selec amt frm sales .DETAIL .PRINT amt"
        << "1: the query failed: near \"selec\": syntax error" << true;
    QTest::newRow("missing table") << ".NAME r .DATA nosuch .DETAIL .PRINT amt"
                                   << "1: the query failed: no such table: nosuch" << true;
    QTest::newRow("missing column")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL .PRINT nosuch\n.PRINTLINE amt(f1)"
        << "1: not previewed: .PRINT nosuch (unknown name 'nosuch')" << false;
    QTest::newRow("division by zero")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL\n.PRINTLINE amt / (amt - 1)(f2)"
        << "2: division by zero" << false;
    QTest::newRow("malformed template")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL\n.PRINT amt(\"abc\")\n.PRINTLINE 'x'"
        << "2: not previewed: .PRINT amt(\"abc\") (a numeric template needs a digit "
           "place (n, z, $ or *))"
        << false;
    QTest::newRow("template over two lines")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL\n.PRINT sold(d\"03\n-Feb-1901\")\n"
           ".PRINTLINE 'x'"
        << "2: not previewed: .PRINT sold(d\"03 -Feb-1901\") (a template holds a line end or "
           "another control character)"
        << false;
    QTest::newRow("value not fitting")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL\n.PRINT amt * 100(f2)"
        << "2: a value does not fit its format and prints as stars" << false;
    QTest::newRow("number column holding text")
        << ".NAME r .DATA ledger .PAGELENGTH 0 .DETAIL\n.PRINTLINE amt(f6)"
        << "1: column amt holds \"twelve\", which is not a number" << true;
    QTest::newRow("section naming nothing")
        << ".NAME r .DATA sales .PAGELENGTH 0 .HEADER\n.PRINT 'x' .DETAIL .PRINTLINE amt(f1)"
        << "2: not previewed: a section that names neither report, page nor a sort column" << false;
    QTest::newRow("statement not interpreted")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL\n.FROB 3 .PRINT amt"
        << "2: not previewed: .FROB 3 (not interpreted here)" << false;
    QTest::newRow("no data statement")
        << ".NAME r .DETAIL .PRINT 'x'"
        << "0: the report has neither .QUERY nor .DATA (E_RW1019)" << true;
    QTest::newRow("a second report in the file")
        << ".NAME r .DATA sales .DETAIL .PRINTLINE amt\n.NAME s .DATA sales"
        << "2: the file holds more than one report (.NAME); the report program runs a file of "
           "one report only"
        << true;
    QTest::newRow("report name too long")
        << ".NAME r234567890123456789012345678901234 .DATA sales .DETAIL .PRINTLINE amt"
        << "1: the report name is longer than 32 characters (E_RW1389)" << true;
    QTest::newRow("underline character of two")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL\n.ULCHARACTER 'ab' .PRINTLINE amt"
        << "2: not previewed: .ULCHARACTER 'ab' (one character in quotes is expected)" << false;
    QTest::newRow("include without a way to read files")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL\n.INCLUDE part.rw .PRINTLINE amt"
        << "2: not previewed: .INCLUDE part.rw (no file can be read here)" << false;
    QTest::newRow("break column not in the data")
        << ".NAME r .DATA sales .BREAK nosuch .DETAIL .PRINT amt"
        << "0: the break column 'nosuch' is not in the data (E_RW13F9)" << true;
}

void TestPreview::badInput()
{
    QFETCH(QString, source);
    QFETCH(QString, message);
    QFETCH(bool, fails);
    const Result result = run(source, sqliteWith(QLatin1String(Sales)));
    QVERIFY2(result.messages.contains(message),
             qPrintable(result.messages.join(QLatin1Char('\n'))));
    QCOMPARE(result.outcome, fails ? PreviewOutcome::Failed : PreviewOutcome::Finished);
    if (!fails)
        QVERIFY(!result.text.isEmpty());
}

void TestPreview::parametersAreBound()
{
    const DataSource data = sqliteWith(QLatin1String(Sales));
    const QString source =
        QStringLiteral(".NAME r .QUERY select amt from sales where city = $town .PAGELENGTH 0\n"
                       ".DETAIL .PRINTLINE amt(f1)\n");
    PreviewOptions options;
    options.parameters.insert(QStringLiteral("town"), QStringLiteral("Ayr"));
    QCOMPARE(run(source, data, options).text, lines({"1", "2"}));
    // Pasted into the text this would select every row.
    options.parameters.insert(QStringLiteral("town"), QStringLiteral("x' or 'a'='a"));
    const Result injected = run(source, data, options);
    QCOMPARE(injected.text, QString());
    QCOMPARE(injected.messages,
             QStringList{QStringLiteral("1: No data: the query returned no rows")});
    options.parameters.clear();
    QCOMPARE(run(source, data, options).messages,
             QStringList{QStringLiteral(
                 "1: the parameter $town has no value (give it with --param town=VALUE)")});
}

void TestPreview::pageLimitStops()
{
    PreviewOptions options;
    options.pageLimit = 3;
    const Result result =
        run(QStringLiteral(".NAME r .DATA sales .PAGELENGTH 2 .DETAIL .NEWLINE 5\n"),
            sqliteWith(QLatin1String(Sales)), options);
    QCOMPARE(result.outcome, PreviewOutcome::Failed);
    QCOMPARE(result.pages, 3);
    QCOMPARE(result.messages,
             QStringList{
                 QStringLiteral("0: The report stopped after 3 pages, the most a preview prints")});
}

void TestPreview::sampleData()
{
    const QString source = QStringLiteral(
        ".NAME r .QUERY select d.name as dept, e.pay, e.born from emp e, dept d\n"
        ".SORT dept .PAGELENGTH 0 .FOOTER dept .PRINTLINE dept(c8), sum(pay)(f10.2)\n"
        ".DETAIL .PRINTLINE pay(f8.2), ' ', born(d'1901-02-03')\n");
    const Result result = run(source, DataSource());
    QCOMPARE(result.messages, QStringList());
    const QStringList printed = result.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 24 + 12);
    // Numbers where the report prints numbers, dates where it prints dates,
    // and a break every two rows.
    QVERIFY(QRegularExpression(QStringLiteral("^ *\\d+\\.\\d\\d \\d{4}-\\d\\d-\\d\\d$"))
                .match(printed[0])
                .hasMatch());
    QVERIFY(
        QRegularExpression(QStringLiteral("^Dept A +\\d+\\.\\d\\d$")).match(printed[2]).hasMatch());
    QVERIFY(printed[5].startsWith(QLatin1String("Dept B")));
}

void TestPreview::sampleDataForALongSortList()
{
    // More break levels than an int has bits.
    QStringList columns;
    for (int i = 1; i <= 40; ++i)
        columns.append(QStringLiteral("c%1").arg(i));
    const QString list = columns.join(QLatin1String(", "));
    const QString source = QStringLiteral(".NAME r .QUERY select %1 from t\n"
                                          ".SORT %1 .PAGELENGTH 0\n"
                                          ".DETAIL .PRINTLINE c1(f3), c39(f3), c40(f3)\n")
                               .arg(list);
    const Result result = run(source, DataSource());
    QCOMPARE(result.messages, QStringList());
    const QStringList printed = result.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 24);
    // The outermost column keeps one value; the innermost changes every two rows.
    QCOMPARE(printed[0], QStringLiteral("  1  1  1"));
    QCOMPARE(printed[2], QStringLiteral("  1  1  2"));
    QCOMPARE(printed[23], QStringLiteral("  1  6 12"));
}

void TestPreview::reportParametersInOrder()
{
    QCOMPARE(reportParameters(
                 ".NAME r .QUERY select * from t where a = $One and b = '$no' and c = $two\n"
                 ".DETAIL .PRINT $three, $one\n"),
             (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));
}

void TestPreview::cancelStopsAtOnce()
{
    Collector collector;
    collector.cancelAfterPages = 1;
    const QByteArray source(".NAME r .DATA sales .PAGELENGTH 2 .DETAIL .NEWLINE 5\n");
    const PreviewOutcome outcome =
        runPreview(source, sqliteWith(QLatin1String(Sales)), PreviewOptions(), collector);
    QCOMPARE(outcome, PreviewOutcome::Cancelled);
    QCOMPARE(collector.pages, 1);
}

QTEST_GUILESS_MAIN(TestPreview)
#include "tst_preview.moc"

// .INCLUDE reads its file in place, relative to the report's folder, nested;
// a file it cannot read, or one that includes itself, refuses the report.
void TestPreview::includeFiles_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("files"); // name, text, name, text ...
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    QTest::newRow("statements in place")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL .PRINT '<'\n.INCLUDE part.rw\n.PRINTLINE '>'"
        << QStringList{"part.rw", ".PRINT amt(f1)"} << lines({"<1>", "<2>", "<3>", "<4>"})
        << QString();
    QTest::newRow("quoted, nested, in a folder and a section of its own")
        << ".NAME r .DATA sales .PAGELENGTH 0 .INCLUDE 'sub/a.rw' .DETAIL .PRINTLINE amt(f1)"
        << QStringList{"sub/a.rw", ".INCLUDE sub/b.rw", "sub/b.rw",
                       ".FOOTER report .PRINTLINE 'end'"}
        << lines({"1", "2", "3", "4", "end"}) << QString();
    QTest::newRow("inside an if")
        << ".NAME r .DATA sales .PAGELENGTH 0 .DETAIL .IF amt > 2 .THEN .INCLUDE p.rw .ENDIF"
        << QStringList{"p.rw", ".PRINTLINE amt(f1)"} << lines({"3", "4"}) << QString();
    QTest::newRow("missing file")
        << ".NAME r .DATA sales .DETAIL\n.INCLUDE nosuch.rw .PRINTLINE amt" << QStringList()
        << QString() << "2: the .INCLUDE file 'nosuch.rw' cannot be read: no such file";
    QTest::newRow("a loop") << ".NAME r .DATA sales .DETAIL\n.INCLUDE a.rw"
                            << QStringList{"a.rw", ".INCLUDE b.rw", "b.rw",
                                           ".PRINTLINE amt .INCLUDE a.rw"}
                            << QString() << "2: the .INCLUDE file 'a.rw' includes itself";
}

void TestPreview::includeFiles()
{
    QFETCH(QString, source);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    const QString folder = m_dir->filePath(QStringLiteral("report"));
    for (qsizetype i = 0; i + 1 < files.size(); i += 2) {
        const QString path = folder + QLatin1Char('/') + files[i];
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(files[i + 1].toUtf8() + '\n');
    }
    PreviewOptions options;
    options.sourceFolder = folder;
    options.readFile = [](const QString &name, QString *error) -> std::optional<QByteArray> {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("no such file");
            return std::nullopt;
        }
        return file.readAll();
    };
    const Result result = run(source, sqliteWith(QLatin1String(Sales)), options);
    if (message.isEmpty()) {
        QCOMPARE(result.messages, QStringList());
        QCOMPARE(result.text, expected);
        QCOMPARE(result.outcome, PreviewOutcome::Finished);
    } else {
        QCOMPARE(result.messages, QStringList{message});
        QCOMPARE(result.outcome, PreviewOutcome::Failed);
        QCOMPARE(result.text, QString());
    }
}

// A design just drawn, with neither a name nor a query, previews over sample
// rows made from the columns it prints; a source with a name keeps it.
void TestPreview::unnamedDesignPreviews()
{
    const QByteArray drawn("/* drawn */\n.DETAIL\n.PRINT city(c6), amt(f3)\n.NEWLINE\n");
    const QByteArray named = namedForPreview(drawn, QStringLiteral("2 Sales-East"));
    QVERIFY(named.startsWith(".NAME report_2_sales_east /* drawn */\n"));
    QCOMPARE(named.count('\n'), drawn.count('\n'));
    const Result result =
        run(QString::fromUtf8(named) + QStringLiteral(".PAGELENGTH 0\n"), DataSource());
    QCOMPARE(result.messages, QStringList());
    const QStringList printed = result.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 24);
    QCOMPARE(printed.first(), QStringLiteral("City 1  1"));
    // A design with nothing but text prints it over the sample rows.
    const Result text =
        run(QString::fromUtf8(namedForPreview(".HEADER report .PRINTLINE 'Title' .DETAIL .NEWLINE\n"
                                              ".PAGELENGTH 0\n",
                                              QStringLiteral("t"))),
            DataSource());
    QCOMPARE(text.messages, QStringList());
    QCOMPARE(text.text, QStringLiteral("Title\n") + QString(24, QLatin1Char('\n')));
    const QByteArray source(".NAME mine .DATA t .DETAIL .PRINT a\n");
    QCOMPARE(namedForPreview(source, QStringLiteral("other")), source);
}
