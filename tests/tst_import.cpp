// Links: kestrova_import
#include "import/ReportImport.h"
#include "import/SourceLines.h"
#include "import/StatementSequence.h"

#include "generation/Generator.h"
#include "model/CodeBlock.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include "FixtureDesign.h"
#include "NonRegularFiles.h"

#include <QDir>
#include <QRandomGenerator>
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
    void badInputKeepsEverything_data();
    void badInputKeepsEverything();
    void unreadableFilesAreRefused();

private:
    QTemporaryDir m_config;
};

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
