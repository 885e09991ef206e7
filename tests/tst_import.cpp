// Links: kestrova_import kestrova_preview
#include "import/ReportImport.h"
#include "import/SourceLines.h"
#include "import/StatementSequence.h"

#include "generation/BandCode.h"
#include "generation/Generator.h"
#include "model/CodeBlock.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"
#include "preview/FileOutput.h"
#include "preview/PreviewRun.h"

#include "FixtureDesign.h"
#include "NonRegularFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A design imported from text, on a stage of its own.
struct ImportedDesign
{
    explicit ImportedDesign(QByteArrayView text)
    {
        result = ReportImport::importSource(text, owner, stage.get());
    }

    QStringList generate() const
    {
        GenerationWindow window;
        window.page = result.page;
        generatePageCode(window, result.page);
        return result.page->pageCode.texts();
    }

    int printableItems() const
    {
        const QList<TextItem *> items = result.page->findChildren<TextItem *>();
        return int(std::count_if(items.begin(), items.end(),
                                 [](const TextItem *item) { return item->printable; }));
    }

    template<class T>
    qsizetype count() const
    {
        return result.page->findChildren<T *>().size();
    }

    ComponentOwner owner;
    std::unique_ptr<QWidget> stage = std::make_unique<QWidget>();
    ReportImport::Result result;
};

QStringList generate(ReportPage *page)
{
    GenerationWindow window;
    window.page = page;
    generatePageCode(window, page);
    return page->pageCode.texts();
}

QByteArray asText(const QStringList &lines, const char *lineEnd = "\n")
{
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + lineEnd;
    return text;
}

// The lines of a text as the import reads them.
QStringList linesOf(const QByteArray &text)
{
    ProblemList ignored;
    QStringList lines;
    for (const SourceLine &line : SourceLines::read(text, ignored))
        lines.append(line.text);
    return lines;
}

QByteArray readData(const QString &name)
{
    QFile file(QStringLiteral(KESTROVA_TEST_DATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the preview engine prints of a report.
struct Printed
{
    QString text;
    QStringList messages;
    PreviewOutcome outcome = PreviewOutcome::Failed;
};

class PrintCollector : public PreviewObserver
{
public:
    void pagePrinted(const PrintedPage &page) override { bytes += FileOutput::pageBytes(page); }
    void message(const PreviewMessage &message) override
    {
        messages.append(QStringLiteral("%1: %2").arg(message.line).arg(message.text));
    }

    QByteArray bytes;
    QStringList messages;
};

Printed print(const QByteArray &source, const DataSource &data)
{
    PrintCollector collector;
    Printed printed;
    printed.outcome = runPreview(source, data, PreviewOptions(), collector);
    printed.text = QString::fromUtf8(collector.bytes);
    printed.messages = collector.messages;
    return printed;
}

// The rows the hand-written reports in data/import read: groups of one and
// of several rows, values that fill their formats, and rows each .IF
// branch takes.
const char *const ReportRows =
    "create table sales (region varchar(10), branch varchar(16), item varchar(20),"
    " amount float);"
    "insert into sales values ('North', 'Ayr', 'bolts', 12.5);"
    "insert into sales values ('North', 'Ayr', 'nuts', 3.25);"
    "insert into sales values ('North', 'Bude', 'washers', 7);"
    "insert into sales values ('South', 'Cork', 'bolts', 100);"
    "insert into sales values ('South', 'Cork', 'screws', 0.5);"
    "insert into sales values ('South', 'Derry', 'nails', 20);"
    "create table customers (name varchar(20), street varchar(30), city varchar(20),"
    " phone varchar(15));"
    "insert into customers values ('Ann Smith', '1 High Street', 'Ayr', '555 0101');"
    "insert into customers values ('Bob Jones', '22 Low Road', 'Bude', '555 0102');"
    "insert into customers values ('Cy Young', '3 Mill Lane', 'Cork', '555 0103');"
    "insert into customers values ('Di Brown', '48 Top Way', 'Derry', '555 0104');"
    "create table results (student varchar(20), score integer, absent varchar(1));"
    "insert into results values ('amy', 72, 'n');"
    "insert into results values ('ben', 40, 'n');"
    "insert into results values ('cal', 0, 'y');"
    "insert into results values ('dot', 50, 'n');"
    "create table employee (name varchar(20), dept varchar(15), salary float);"
    "insert into employee values ('Ann', 'Sales', 1200.5);"
    "insert into employee values ('Bob', 'Sales', 980);"
    "insert into employee values ('Cy', 'Stores', 1500);"
    "insert into employee values ('Di', 'Stores', 1100.25);"
    "insert into employee values ('Ed', 'Admin', 2000);"
    "create table stock (warehouse varchar(8), item varchar(16), qty integer, price float);"
    "insert into stock values ('East', 'bolts', 10, 1.5);"
    "insert into stock values ('East', 'nuts', 200, 0.05);"
    "insert into stock values ('West', 'gears', 3, 12.75)";

// A random design of the kinds of band, item and code the designer makes.
class RandomDesign
{
public:
    RandomDesign(quint32 seed, bool withCode) : m_random(seed), m_withCode(withCode)
    {
        page = new ReportPage(&owner, stage.get());
        page->setName(QStringLiteral("mPage1"));
        page->setNewReportValues();
        page->setPageValue(LeftMargin, pick(6));
        page->reportName = QStringLiteral("r%1").arg(seed);
        if (chance(2))
            page->comments.setTexts({QStringLiteral("made at random"), QStringLiteral("seed")});
        page->query.setTexts({QStringLiteral(".QUERY"), QStringLiteral("select a, b, c from t")});
        page->sort.setTexts({QStringLiteral(".SORT a, b")});
        const int bands = 1 + pick(6);
        for (int b = 0; b < bands; ++b)
            addBand();
    }

    ~RandomDesign() { stage.reset(); }

    ComponentOwner owner;
    std::unique_ptr<QWidget> stage = std::make_unique<QWidget>();
    ReportPage *page = nullptr;
    int textItems = 0;

private:
    int pick(int below) { return int(m_random.bounded(below)); }
    bool chance(int oneIn) { return pick(oneIn) == 0; }
    QStringList someCode()
    {
        static const QStringList code{
            QStringLiteral(".LET x = x + 1"), QStringLiteral(".IF x > 1 .THEN"),
            QStringLiteral(".ENDIF"),         QString(),
            QStringLiteral("/* note */"),     QStringLiteral("\t.PRINT x")};
        QStringList lines;
        for (int i = pick(3); i > 0; --i)
            lines.append(code[pick(int(code.size()))]);
        return lines;
    }

    void addBand()
    {
        BandBase *band = nullptr;
        const int kind = pick(7);
        if (kind == 3 || kind == 4) {
            auto *breakBand = new BreakBand(&owner, page);
            breakBand->setTypeBand(kind == 3 ? BreakHeader : BreakFooter);
            breakBand->setTypeField(chance(2) ? QStringLiteral("a") : QStringLiteral("b"));
            breakBand->newPageOnBreak = chance(4);
            band = breakBand;
        } else {
            auto *plain = new Band(&owner, page);
            static const BandType types[] = {Header, Header, Detail, Detail,
                                             Detail, Footer, Footer};
            static const char *fields[] = {"REPORT", "page", "", "", "", "PAGE", "report"};
            plain->setTypeBand(types[kind]);
            plain->setTypeField(QLatin1String(fields[kind]));
            band = plain;
        }
        band->setName(owner.uniqueName(reportClasses().storedClassName(band)));
        const int rows = pick(5);
        band->setHeightPx(rows > 0 ? rows * 18 : 10);
        band->blockMode = chance(5);
        band->fieldMode = chance(6);
        if (band->fieldMode && chance(2))
            band->field = QStringLiteral("c");
        if (m_withCode) {
            band->beforePrint.setTexts(chance(3) ? someCode() : QStringList());
            band->afterPrint.setTexts(chance(3) ? someCode() : QStringList());
        }
        const int lines = std::max(rows, 1) + 1;
        for (int row = 0; row < lines; ++row) {
            if (chance(2))
                continue;
            if (chance(6)) {
                addText(band, 0, row, true);
                continue;
            }
            for (int n = pick(4); n > 0; --n)
                addText(band, pick(70), row, false);
        }
        if (m_withCode && chance(3)) {
            auto *block = new CodeBlock(&owner, band);
            block->setName(owner.uniqueName(QStringLiteral("TMBlockCode")));
            CodeLines code;
            code.setTexts(someCode());
            block->setCode(code);
            block->setBounds(pick(700), pick(lines) * 18, 60, 18);
        }
    }

    void addText(BandBase *band, int column, int row, bool aligned)
    {
        static const QStringList captions{QStringLiteral("name"), QStringLiteral("'Total'"),
                                          QStringLiteral("sum(amount)"), QStringLiteral("''"),
                                          QStringLiteral("a, b")};
        static const QStringList formats{QString(), QStringLiteral("c10"), QStringLiteral("f10.2"),
                                         QStringLiteral(" -e12.3 ")};
        auto *item = new TextItem(&owner, band);
        item->setName(owner.uniqueName(QStringLiteral("TmText")));
        item->setCaption(captions[pick(int(captions.size()))]);
        item->format = formats[pick(int(formats.size()))];
        item->setBounds(column * 10, row * 18, 100, 18);
        item->tabPosition = !chance(6);
        if (aligned) {
            item->setAlignment(TextAlignment(pick(3)));
            item->setAlignToBand(true);
        }
        if (chance(5)) {
            FontRecord font = item->fontRecord();
            font.style =
                chance(3) ? FontRecord::Underline | FontRecord::Bold : FontRecord::Underline;
            item->setFontRecord(font);
        }
        item->blockMode = chance(8);
        item->fieldMode = chance(8);
        item->field = QStringLiteral("c");
        if (m_withCode) {
            item->beforePrint.setTexts(chance(4) ? someCode() : QStringList());
            item->afterPrint.setTexts(chance(4) ? someCode() : QStringList());
            item->printable = !chance(12);
        }
        ++textItems;
    }

    QRandomGenerator m_random;
    bool m_withCode;
};

} // namespace

class ImportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { qputenv("KESTROVA_CONFIG_DIR", m_config.path().toLocal8Bit()); }

    void fixturesComeBackExactly_data();
    void fixturesComeBackExactly();
    void randomDesignsComeBackExactly_data();
    void randomDesignsComeBackExactly();
    void randomDesignsKeepTheirItems();
    void crlfTextComesBackExactly();
    void pageLinesGoToProperties();
    void handWrittenReportsKeepTheirStatements_data();
    void handWrittenReportsKeepTheirStatements();
    void itemsLandWherePrinted();
    void severalStatementsOnALine_data();
    void severalStatementsOnALine();
    void importPrintsAsTheOriginal_data();
    void importPrintsAsTheOriginal();
    void badInputKeepsEverything_data();
    void badInputKeepsEverything();
    void unreadableFilesAreRefused();

private:
    QTemporaryDir m_config;
    DataSource m_rows;
};

void ImportTest::initTestCase()
{
    QVERIFY(m_config.isValid());
    m_rows.kind = DataSource::Kind::SQLite;
    m_rows.path = m_config.filePath(QStringLiteral("rows.sqlite"));
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rows"));
        database.setDatabaseName(m_rows.path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        for (const QString &statement :
             QString::fromLatin1(ReportRows).split(u';', Qt::SkipEmptyParts))
            QVERIFY2(query.exec(statement), qPrintable(statement));
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("rows"));
}

void ImportTest::fixturesComeBackExactly_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names =
        QDir(QStringLiteral(KESTROVA_TEST_DATA)).entryList({QStringLiteral("*.kfx")}, QDir::Files);
    QVERIFY(names.size() >= 5);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void ImportTest::fixturesComeBackExactly()
{
    QFETCH(QString, name);
    const FixtureDesign design(name);
    QVERIFY(design.page());
    const QStringList original = generate(design.page());
    const ImportedDesign imported(asText(original));
    QCOMPARE(imported.generate(), original);
}

void ImportTest::randomDesignsComeBackExactly_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("withCode");
    for (quint32 seed = 1; seed <= 150; ++seed)
        QTest::addRow("seed %u", seed) << seed << (seed % 2 == 0);
}

void ImportTest::randomDesignsComeBackExactly()
{
    QFETCH(quint32, seed);
    QFETCH(bool, withCode);
    const RandomDesign design(seed, withCode);
    const QStringList original = generate(design.page);
    const ImportedDesign imported(asText(original));
    QCOMPARE(imported.generate(), original);
}

// Without code of their own, the items of a generated design come back as
// items, not as code.
void ImportTest::randomDesignsKeepTheirItems()
{
    int items = 0;
    int recovered = 0;
    for (quint32 seed = 1000; seed < 1100; ++seed) {
        const RandomDesign design(seed, false);
        const ImportedDesign imported(asText(generate(design.page)));
        items += design.textItems;
        recovered += imported.printableItems();
        QVERIFY2(imported.printableItems() <= design.textItems, qPrintable(QString::number(seed)));
    }
    qInfo("%d of %d items came back as items", recovered, items);
    QVERIFY(recovered * 100 >= items * 95);
}

void ImportTest::crlfTextComesBackExactly()
{
    const FixtureDesign design(QStringLiteral("sales.kfx"));
    const QStringList original = generate(design.page());
    const ImportedDesign imported(asText(original, "\r\n"));
    QCOMPARE(imported.generate(), original);
}

void ImportTest::pageLinesGoToProperties()
{
    const ImportedDesign imported(readData(QStringLiteral("import/tabular-breaks.rw")));
    const ReportPage *page = imported.result.page;
    QCOMPARE(page->reportName, QStringLiteral("salesbyregion"));
    QCOMPARE(page->output, QStringLiteral("sales.out"));
    QCOMPARE(page->shortRemark, QStringLiteral("Sales by region and branch"));
    QCOMPARE(page->query.texts(),
             QStringList({QStringLiteral(".QUERY"),
                          QStringLiteral("\tselect region, branch, item, amount"),
                          QStringLiteral("\tfrom sales")}));
    QCOMPARE(page->sort.texts(), QStringList{QStringLiteral(".SORT region, branch")});
    // The comment above .NAME stays, after the header lines.
    QCOMPARE(page->longRemark.texts(),
             QStringList{QStringLiteral("/* Sales by region and branch, with subtotals */")});
    QCOMPARE(qRound(double(page->pageValue(LeftMargin))), 0);
    QCOMPARE(qRound(double(page->pageValue(Width))), 72);
    QCOMPARE(qRound(double(page->pageValue(Length))), 60);
}

void ImportTest::handWrittenReportsKeepTheirStatements_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bands");
    QTest::addColumn<int>("items");
    QTest::newRow("tabular with breaks") << "tabular-breaks.rw" << 9 << 16;
    QTest::newRow("block mode") << "block-mode.rw" << 1 << 4;
    QTest::newRow("within columns") << "within-columns.rw" << 4 << 9;
    QTest::newRow("labels") << "labels.rw" << 2 << 3;
    QTest::newRow("if logic") << "if-logic.rw" << 3 << 8;
    QTest::newRow("several statements a line") << "several-per-line.rw" << 5 << 12;
}

void ImportTest::handWrittenReportsKeepTheirStatements()
{
    QFETCH(QString, name);
    QFETCH(int, bands);
    QFETCH(int, items);
    const QByteArray text = readData(QStringLiteral("import/") + name);
    QVERIFY(!text.isEmpty());
    const ImportedDesign imported(text);
    const QStringList regenerated = imported.generate();
    QCOMPARE(StatementSequence::sectionsWithoutPositioning(regenerated),
             StatementSequence::sectionsWithoutPositioning(linesOf(text)));
    QCOMPARE(imported.count<BandBase>(), bands);
    QCOMPARE(imported.count<TextItem>(), items);
    // Importing the regenerated text changes nothing more.
    const ImportedDesign again(asText(regenerated));
    QCOMPARE(again.generate(), regenerated);
}

// Items sit at the column of their .TAB and on the line their .NEWLINEs
// lead to; underlining and formats are the item's.
void ImportTest::itemsLandWherePrinted()
{
    const ImportedDesign imported(readData(QStringLiteral("import/tabular-breaks.rw")));
    const auto item = [&](const QString &caption) -> TextItem * {
        for (TextItem *text : imported.result.page->findChildren<TextItem *>()) {
            if (text->caption() == caption)
                return text;
        }
        return nullptr;
    };
    TextItem *title = item(QStringLiteral("'Sales by region'"));
    QVERIFY(title);
    QVERIFY(title->alignToBand());
    QCOMPARE(title->alignment(), taCenter);
    QCOMPARE(title->y(), 18);
    TextItem *amount = item(QStringLiteral("amount"));
    QVERIFY(amount);
    QCOMPARE(amount->x(), 520);
    QCOMPARE(amount->format, QStringLiteral("f10.2"));
    TextItem *regionTotal = item(QStringLiteral("'Region total'"));
    QVERIFY(regionTotal);
    QCOMPARE(regionTotal->fontRecord().style, int(FontRecord::Underline));
    QCOMPARE(regionTotal->x(), 300);
    auto *grand = item(QStringLiteral("'Grand total'"));
    QVERIFY(grand);
    QCOMPARE(grand->y(), 18);
    QCOMPARE(qobject_cast<BandBase *>(grand->parentWidget())->typeField(),
             QStringLiteral("report"));
}

void ImportTest::severalStatementsOnALine_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("tab, print, newline")
        << QByteArray(".TAB 10 .PRINT name(c20) .NEWLINE\n") << QStringList{"name (c20) at 10, 0"}
        << QStringList{".NEWLINE"};
    QTest::newRow("print, tab, print")
        << QByteArray(".print a, b .tab 30 .print c\n") << QStringList{"a, b at 0, 0", "c at 30, 0"}
        << QStringList();
    QTest::newRow("abbreviations over lines")
        << QByteArray("\t.tab 2 .pr a(c8) .tab 20 .pr b .nl\n\t.ce .pr 'x' .nl 2\n\t.pr c\n")
        << QStringList{"a (c8) at 2, 0", "b at 20, 0", "'x' centred at 63, 1", "c at 0, 3"}
        << QStringList();
    QTest::newRow("code between items")
        << QByteArray(".tab 5 .pr x .let y = x + 1 .tab 20 .pr y\n")
        << QStringList{"x at 5, 0", "y at 20, 0"} << QStringList{".let y = x + 1"};
    QTest::newRow("code alone stays one line")
        << QByteArray(".if a > 1 .then .let b = 2 .endif\n.tab 4 .pr b\n")
        << QStringList{"b at 4, 0"} << QStringList{".if a > 1 .then .let b = 2 .endif"};
    QTest::newRow("comment after a print")
        << QByteArray(".tab 2 .pr a /* first */ .tab 20 .pr b\n")
        << QStringList{"a /* first */ at 2, 0", "b at 20, 0"} << QStringList();
    QTest::newRow("underlining around items")
        << QByteArray(".ul .tab 2 .pr 'A' .tab 12 .pr 'B' .nou\n")
        << QStringList{"'A' at 2, 0", "'B' at 12, 0"} << QStringList{".ul", ".nou"};
    QTest::newRow("underlined item")
        << QByteArray(".tab 3 .ul .pr 'A' .nou .tab 12 .pr 'B'\n")
        << QStringList{"'A' underlined at 3, 0", "'B' at 12, 0"} << QStringList();
}

// Statements written on one line, as reports written by hand have them,
// become items where they print; what is no item stays code, and the line
// comes back whole when none of it became an item.
void ImportTest::severalStatementsOnALine()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, items);
    QFETCH(QStringList, kept);
    const QByteArray text =
        ".NAME n\n.QUERY select a, b, c, name, x, y from t\n.HEADER page\n" + body;
    const ImportedDesign imported(text);
    QCOMPARE(StatementSequence::sectionsWithoutPositioning(imported.generate()),
             StatementSequence::sectionsWithoutPositioning(linesOf(text)));
    const QList<BandBase *> bands = imported.result.page->findChildren<BandBase *>();
    QCOMPARE(bands.size(), 1);
    QStringList found;
    for (QWidget *entry : sortBandItems(bands.first())) {
        auto *item = qobject_cast<TextItem *>(entry);
        if (!item)
            continue;
        QString described = item->caption();
        if (!item->format.isEmpty())
            described += QStringLiteral(" (%1)").arg(item->format);
        if (item->fontRecord().style == FontRecord::Underline)
            described += QStringLiteral(" underlined");
        if (item->alignToBand() && item->alignment() == taCenter)
            described += QStringLiteral(" centred");
        described += QStringLiteral(" at %1, %2").arg(item->x() / 10).arg(item->y() / 18);
        found.append(described);
    }
    QCOMPARE(found, items);
    QStringList code;
    for (const KeptLine &line : imported.result.keptAsCode) {
        if (line.line > 3)
            code.append(line.text.trimmed());
    }
    QCOMPARE(code, kept);
}

void ImportTest::importPrintsAsTheOriginal_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"tabular-breaks.rw", "block-mode.rw", "within-columns.rw",
                             "if-logic.rw", "labels.rw", "several-per-line.rw"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A hand-written report and the text generated from its import print the
// same on the same rows.
void ImportTest::importPrintsAsTheOriginal()
{
    QFETCH(QString, name);
    const QByteArray text = readData(QStringLiteral("import/") + name);
    QVERIFY(!text.isEmpty());
    const Printed original = print(text, m_rows);
    QVERIFY2(original.messages.isEmpty(), qPrintable(original.messages.join(u'\n')));
    QCOMPARE(original.outcome, PreviewOutcome::Finished);
    QVERIFY2(original.text.count(u'\n') >= 5, qPrintable(original.text));
    const ImportedDesign imported(text);
    QVERIFY(imported.printableItems() > 0);
    const Printed again = print(asText(imported.generate()), m_rows);
    QCOMPARE(again.messages, original.messages);
    QCOMPARE(again.outcome, original.outcome);
    QCOMPARE(again.text, original.text);
}

void ImportTest::badInputKeepsEverything_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("kept");
    QByteArray garbage;
    QRandomGenerator random(7);
    for (int i = 0; i < 4000; ++i)
        garbage += char(random.bounded(256));
    QTest::newRow("binary garbage") << garbage << ""
                                    << "";
    QTest::newRow("NUL bytes in a print")
        << QByteArray(".NAME n\n.DETAIL\n.PRINT 'a\0b'\n.NEWLINE\n", 39) << ""
        << ".PRINT 'a";
    QTest::newRow("line over 255 bytes")
        << (".NAME n\n.DETAIL\n.TAB 2\n.PRINT '" + QByteArray(300, 'x') + "'\n") << "255"
        << "";
    QTest::newRow("unbalanced block")
        << QByteArray(".NAME n\n.DETAIL\n.BLOCK\n.TAB 2\n.PRINT a\n.NEWLINE\n") << ""
        << ".BLOCK";
    QTest::newRow("unbalanced within")
        << QByteArray(".NAME n\n.SORT a\n.FOOTER a\n.ENDWITHIN\n.PRINT a\n") << "ENDWITHIN"
        << ".ENDWITHIN";
    QTest::newRow("unbalanced if")
        << QByteArray(".NAME n\n.DETAIL\n.IF a > 1 .THEN\n.PRINT a\n") << ".IF"
        << ".IF";
    QTest::newRow("unknown statement")
        << QByteArray(".NAME n\n.DETAIL\n.FROBNICATE 3\n.PRINT a\n") << "FROBNICATE"
        << ".FROBNICATE";
    QTest::newRow("section twice")
        << QByteArray(".NAME n\n.DETAIL\n.PRINT a\n.DETAIL\n.PRINT b\n") << ""
        << "";
    QTest::newRow("tab beyond the page width")
        << QByteArray(".NAME n\n.PAGEWIDTH 80\n.DETAIL\n.TAB 500\n.PRINT a\n") << ""
        << ".TAB 500";
    QTest::newRow("tab far beyond any page")
        << QByteArray(".NAME n\n.DETAIL\n.TAB 999999\n.PRINT a\n.NEWLINE 999999\n") << ""
        << ".TAB 999999";
    QTest::newRow("no line end, statements on one line")
        << QByteArray(".NAME n .DETAIL .PRINT a .NEWLINE") << ""
        << "";
    QTest::newRow("empty") << QByteArray() << ""
                           << "";
    // Generation writes the report header first: the line before it stays
    // in the footer, where the report program runs it.
    QTest::newRow("heading one TAB in, written out of order")
        << QByteArray(".NAME n\n.FOOTER report\n\t.PRINT 'x'\n.LET a = 1\n\t.HEADER report\n"
                      "\t.PRINT 'y'\n")
        << ""
        << ".LET a = 1";
    // Read exactly, the band after the handed-over line would be a plain
    // band, which generation writes ahead of the break bands.
    QTest::newRow("control character in the report's name")
        << QByteArray(".name\x11 stock\n.srem S/* Stock by wales bayr ") << ""
        << "";
    QTest::newRow("control character after a heading")
        << QByteArray(".name n\n.sort w\n.header\x1aw\n\t.pr w .nl\n.detail\n\t.pr x\n") << ""
        << ".header\x1aw";
    QTest::newRow("heading after a print on one line")
        << QByteArray(".NAME n\n.HEADER report\n.PRINT 'Page ', .DETAIL\n.PRINT a\n") << ""
        << ".DETAIL";
    QTest::newRow("report name in a parenthesis left open") << QByteArray(".name(s* Stock ") << ""
                                                            << ".name(s* Stock";
    QTest::newRow("CR between statements")
        << QByteArray(".NAME n\n.DETAIL\n.LET a = 1\r.PRINT a\n") << ""
        << ".LET a = 1";
    QTest::newRow("CR at the end of the text")
        << QByteArray(".NAME n\n.DETAIL\n.PRINT a\n.LET a = 1\r") << ""
        << ".LET a = 1";
    QTest::newRow("CRs before the line end")
        << QByteArray(".NAME n\n.DETAIL\n.PRINT a\n.NE\r\r\r\n.PRINT b\n") << ""
        << ".NE";
    QTest::newRow("break band's before code, code at the end")
        << QByteArray(".HEADER b\n\t.PRINT a\n\t\t.LEFT\n\t.FOOTER a\n.if a .then .pr a .endif\n"
                      ".FOOTER b\n")
        << ""
        << ".LEFT";
    QTest::newRow("break band's before code, block at the end")
        << QByteArray(".HEADER b\n\t\t.NOUNDERLINE\n.RIGHTMARGIN 70\n\t.HEADER a\n\t.BLOCK\n"
                      "\t.PRINT a\n.PAGEWIDTH 72\n")
        << ""
        << ".RIGHTMARGIN 70";
}

// Odd input makes a design that still holds every statement, with the odd
// lines kept as code and the check's problems listed.
void ImportTest::badInputKeepsEverything()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    QFETCH(QString, kept);
    const ImportedDesign imported(text);
    QVERIFY(imported.result.page);
    const QStringList regenerated = imported.generate();
    const QStringList original = linesOf(text);
    QCOMPARE(StatementSequence::sectionsWithoutPositioning(regenerated),
             StatementSequence::sectionsWithoutPositioning(original));
    const ImportedDesign again(asText(regenerated));
    QCOMPARE(again.generate(), regenerated);
    const QString described = ReportImport::describe(imported.result).join(u'\n');
    if (!problem.isEmpty())
        QVERIFY2(described.contains(problem), qPrintable(described));
    if (!kept.isEmpty()) {
        const bool found =
            std::any_of(imported.result.keptAsCode.begin(), imported.result.keptAsCode.end(),
                        [&](const KeptLine &line) { return line.text.contains(kept); });
        QVERIFY2(found, qPrintable(described));
    }
}

void ImportTest::unreadableFilesAreRefused()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!ReportImport::readSource(dir.path(), &error));
    QVERIFY(!error.isEmpty());
    const QString fifo = dir.filePath(QStringLiteral("fifo.rw"));
    const FedFifo fed(fifo, QByteArrayLiteral(".NAME n\n"));
    error.clear();
    QVERIFY(!ReportImport::readSource(fifo, &error));
    QVERIFY(!error.isEmpty());
    const QString large = dir.filePath(QStringLiteral("large.rw"));
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(ReportImport::MaxSourceSize + 1));
    file.close();
    error.clear();
    QVERIFY(!ReportImport::readSource(large, &error));
    QVERIFY2(error.contains(QLatin1String("MiB")), qPrintable(error));
    const QString good = dir.filePath(QStringLiteral("good.rw"));
    QFile goodFile(good);
    QVERIFY(goodFile.open(QIODevice::WriteOnly));
    goodFile.write(".NAME n\n");
    goodFile.close();
    QCOMPARE(ReportImport::readSource(good, &error), std::optional<QByteArray>(".NAME n\n"));
}

QTEST_MAIN(ImportTest)
#include "tst_import.moc"
