// Links: kestrova_generation
#include "generation/BandCode.h"
#include "generation/Generator.h"
#include "generation/Keywords.h"
#include "generation/TextCode.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include "FixtureDesign.h"
#include "WorkedExample.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

// Expected lines are written with one '>' per leading TAB.
QString withTabs(QString line)
{
    qsizetype level = 0;
    while (level < line.size() && line.at(level) == u'>')
        ++level;
    return line.replace(0, level, QString(level, u'\t'));
}

QString expectedText(const QStringList &lines)
{
    QStringList result;
    for (const QString &line : lines)
        result.append(withTabs(line));
    return result.join(u'\n');
}

QString joined(const CodeLines &lines)
{
    return lines.texts().join(u'\n');
}

CodeLines codeLines(const QStringList &texts)
{
    CodeLines lines;
    lines.setTexts(texts);
    return lines;
}

// How a text item is set up for one case of the text code table.
struct ItemSetup
{
    QStringList before;
    QStringList after;
    bool block = false;
    bool field = false;
    QString fieldName;
    bool printable = true;
    bool tabPosition = true;
    bool alignToBand = false;
    TextAlignment alignment = taLeftJustify;
    int style = 0;
    QString caption = QStringLiteral("x");
    QString format;
    int left = 0;
    double leftMargin = 2; // in characters
    bool breaks = false;
    int count = 0;
    int level = 1;
    bool withPrintCode = true;
};

// How a band is set up for one case of the band levels table.
struct BandSetup
{
    bool breakBand = false;
    int indent = 0;
    bool withPrintCode = true;
    bool before = false;
    bool block = false;
    bool field = false;
    QString fieldName;
};

// Records what the window's outlets receive.
class RecordingWindow : public GenerationProgress, public ItemMarkOutlet, public SourceSink
{
public:
    void showProgressPanel() override { events.append(QStringLiteral("show")); }
    void hideProgressPanel() override { events.append(QStringLiteral("hide")); }
    void setProgressLabel(const QString &text) override { events.append(text); }
    void setProgressMaximum(int maximum) override
    {
        events.append(QStringLiteral("max %1").arg(maximum));
    }
    void setProgressStep(int step) override { events.append(QStringLiteral("step %1").arg(step)); }
    void stepProgress() override { events.append(QStringLiteral("advance")); }
    void processPendingEvents() override
    {
        if (onEvents)
            onEvents();
    }
    void markItemLines(QObject *item, int line, ItemMark mark) override
    {
        marks.append(QStringLiteral("%1 %2 %3")
                         .arg(item->objectName())
                         .arg(line)
                         .arg(mark == ItemMark::Start ? "start" : "end"));
    }
    void clearLines() override { editor = {QStringLiteral("<cleared>")}; }
    void addLine(const QString &text) override
    {
        if (text == failOnLine)
            throw std::runtime_error("editor failure");
        editor.append(text);
    }

    GenerationWindow window(ReportPage *page)
    {
        GenerationWindow result;
        result.page = page;
        result.progress = this;
        result.itemMarks = this;
        result.source = this;
        result.showMessage = [this](const QString &message) {
            messages.append(message);
        };
        return result;
    }

    QStringList events, marks, editor, messages;
    QString failOnLine = QStringLiteral("<never>");
    std::function<void()> onEvents;
};

} // namespace

Q_DECLARE_METATYPE(ItemSetup)
Q_DECLARE_METATYPE(BandSetup)

class TestGeneration : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workedExample();
    void keywordTable();
    void emptyPageGivesNoText();
    void comments_data();
    void comments();
    void headerLines_data();
    void headerLines();
    void rawSectionsInOrder();
    void sectionsInOrder();
    void codeBlocksOnPageAndBand();
    void bandLevels_data();
    void bandLevels();
    void pageFormatRounding_data();
    void pageFormatRounding();
    void lineBreaks_data();
    void lineBreaks();
    void newPageOnBreak_data();
    void newPageOnBreak();
    void bandItemsSorted();
    void textCode_data();
    void textCode();
    void textSubCode();
    void fixtureDesigns_data();
    void fixtureDesigns();
    void extremeDesignGenerates();
    void lineTags_data();
    void lineTags();
    void itemMarks();
    void sourceAndProgressOutlets();
    void failureShowsMessage();
    void componentDeletedWhileEventsRun();

private:
    template<class BandClass, class Type>
    BandClass *addSection(Type type, const QString &typeField, int height);
    Band *addBand(BandType type, const QString &typeField, int height = 18)
    {
        return addSection<Band>(type, typeField, height);
    }
    BreakBand *addBreakBand(BreakBandType type, const QString &typeField, int height = 18)
    {
        return addSection<BreakBand>(type, typeField, height);
    }
    TextItem *addText(QWidget *band, const QString &caption, int left, int top);
    CodeBlock *addBlock(QWidget *parent, const QStringList &code, int left = 0, int top = 0);
    QString generate();

    std::unique_ptr<ComponentOwner> m_owner;
    std::unique_ptr<ReportPage> m_page;
};

void TestGeneration::init()
{
    m_owner = std::make_unique<ComponentOwner>();
    m_page = std::make_unique<ReportPage>(m_owner.get(), nullptr);
    m_page->setObjectName(QStringLiteral("mPage1"));
    m_page->setNewReportValues();
}

void TestGeneration::cleanup()
{
    m_page.reset();
    m_owner.reset();
}

template<class BandClass, class Type>
BandClass *TestGeneration::addSection(Type type, const QString &typeField, int height)
{
    auto *band = new BandClass(m_owner.get(), m_page.get());
    band->setName(m_owner->uniqueName(reportClasses().storedClassName(band)));
    band->setTypeBand(type);
    band->setTypeField(typeField);
    band->setHeightPx(height);
    return band;
}

TextItem *TestGeneration::addText(QWidget *band, const QString &caption, int left, int top)
{
    auto *text = new TextItem(m_owner.get(), band);
    text->setName(m_owner->uniqueName(QStringLiteral("TmText")));
    text->setCaption(caption);
    text->setBounds(left, top, 100, 18);
    return text;
}

CodeBlock *TestGeneration::addBlock(QWidget *parent, const QStringList &code, int left, int top)
{
    auto *block = new CodeBlock(m_owner.get(), parent);
    block->setName(m_owner->uniqueName(QStringLiteral("TMBlockCode")));
    block->setCode(codeLines(code));
    block->setBounds(left, top, 60, 18);
    return block;
}

QString TestGeneration::generate()
{
    generatePageCode(GenerationWindow{m_page.get()}, m_page.get());
    return joined(m_page->pageCode);
}

void TestGeneration::workedExample()
{
    m_page.reset();
    QWidget stage;
    ReportPage *page = WorkedExample::build(*m_owner, &stage);
    generatePageCode(GenerationWindow{page}, page);
    QCOMPARE(joined(page->pageCode), WorkedExample::lines().join(u'\n'));
}

void TestGeneration::keywordTable()
{
    const QStringList &keywords = Keywords::all();
    QCOMPARE(keywords.size(), 53);
    QCOMPARE(QSet<QString>(keywords.cbegin(), keywords.cend()).size(), keywords.size());
    for (const QString &keyword : keywords) {
        QVERIFY2(keyword.startsWith(u'.') && keyword == keyword.toUpper(), qPrintable(keyword));
    }
    QVERIFY(keywords.contains(".NOUNDERLINE"));
    QVERIFY(!keywords.contains(".NONUNDERLINE"));
    QCOMPARE(&Keywords::all(), &keywords);
}

void TestGeneration::emptyPageGivesNoText()
{
    m_page->pageCode = codeLines({"stale"});
    RecordingWindow recorder;
    QVERIFY(generateSource(recorder.window(m_page.get())));
    QVERIFY(m_page->pageCode.isEmpty());
    QCOMPARE(recorder.editor, QStringList{"<cleared>"});
}

void TestGeneration::comments_data()
{
    QTest::addColumn<QStringList>("comments");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("none") << QStringList{} << QStringList{};
    QTest::newRow("one line") << QStringList{"X"} << QStringList{"/*# X", "# X*/"};
    QTest::newRow("two lines") << QStringList{"A", "B"} << QStringList{"/*# A", "# B*/"};
    QTest::newRow("three lines") << QStringList{"A", "B", "C"}
                                 << QStringList{"/*# A", "# B", "# C*/"};
}

void TestGeneration::comments()
{
    QFETCH(QStringList, comments);
    QFETCH(QStringList, expected);
    m_page->comments = codeLines(comments);
    QCOMPARE(generate(), expected.join(u'\n'));
    for (const CodeLine &line : std::as_const(m_page->pageCode))
        QCOMPARE(line.object.component.data(), m_page.get());
}

void TestGeneration::headerLines_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks") << "   "
                            << "";
    QTest::newRow("control characters") << "\t\r\n\x01"
                                        << "";
    QTest::newRow("plain") << "r1"
                           << " r1";
    QTest::newRow("kept unchanged") << " r 1\t"
                                    << "  r 1\t";
}

void TestGeneration::headerLines()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    m_page->reportName = value;
    m_page->output = value;
    m_page->shortRemark = value;
    const QString text = generate();
    if (expected.isEmpty())
        QCOMPARE(text, QString());
    else
        QCOMPARE(text,
                 QStringList({".NAME" + expected, ".OUTPUT" + expected, ".SHORTREMARK" + expected})
                     .join(u'\n'));
}

void TestGeneration::rawSectionsInOrder()
{
    m_page->declare = codeLines({".DECLARE", "d"});
    m_page->breakSection = codeLines({".BREAK"});
    m_page->sort = codeLines({".SORT", ""});
    m_page->query = codeLines({".QUERY"});
    m_page->cleanup = codeLines({".CLEANUP"});
    m_page->setup = codeLines({" .SETUP "});
    m_page->data = codeLines({".DATA"});
    m_page->include = codeLines({".INCLUDE"});
    m_page->longRemark = codeLines({".LONGREMARK", "", ".ENDREMARK"});
    m_page->table = codeLines({".TABLE t"});
    m_page->database = QStringLiteral("db");
    m_page->reportName = QStringLiteral("n");
    QCOMPARE(generate(),
             QStringList({".NAME n", ".LONGREMARK", "", ".ENDREMARK", ".INCLUDE", ".DATA",
                          " .SETUP ", ".CLEANUP", ".QUERY", ".SORT", "", ".BREAK", ".DECLARE", "d"})
                 .join(u'\n'));
}

void TestGeneration::sectionsInOrder()
{
    // Added in reverse of the emission order, with the ones never emitted
    // in between.
    addBlock(m_page.get(), {"page code"});
    addBand(Footer, "Report");
    addBreakBand(BreakFooter, "rePort");
    addBand(Footer, "PAGE");
    addBand(Footer, "f");
    new BlockPanel(m_owner.get(), m_page.get());
    addBreakBand(BreakFooter, "s");
    addBand(Detail, "REPORT");
    addBreakBand(BreakHeader, "page");
    addBreakBand(BreakHeader, "s");
    addBand(Header, "h");
    addBand(Header, "Page");
    addBand(Header, "report");
    addBand(Header, "REPORT");
    addBand(Header, "report ");

    QStringList headings;
    for (const QString &line : generate().split(u'\n')) {
        if (!line.startsWith(u'\t'))
            headings.append(line);
    }
    QCOMPARE(headings, QStringList({".HEADER report", ".HEADER REPORT", ".HEADER Page", ".HEADER h",
                                    ".HEADER report ", ".HEADER s", ".DETAIL REPORT", ".FOOTER s",
                                    ".FOOTER f", ".FOOTER PAGE", ".FOOTER Report", "page code"}));

    QStringList names;
    for (QWidget *entry : sectionOrder(m_page.get()))
        names.append(entry->objectName());
    QCOMPARE(names,
             QStringList({"mBand7", "mBand8", "mBand6", "mBand5", "mBand9", "mBreakBand4", "mBand4",
                          "mBreakBand2", "mBand3", "mBand2", "mBand1", "MBlockCode1"}));
}

void TestGeneration::codeBlocksOnPageAndBand()
{
    addBlock(m_page.get(), {"page 1", "\tpage 2"});
    Band *detail = addBand(Detail, QString(), 36);
    addText(detail, "a", 0, 0);
    addBlock(detail, {"band 1", "band 2"}, 50, 0);
    addText(detail, "b", 0, 18)->tabPosition = false;
    addBlock(m_page.get(), {"page 3"});
    QCOMPARE(generate(),
             expectedText({".DETAIL ", ">.NEED 2", ">.TAB 2", ">.PRINT a", "band 1", "band 2",
                           ">.NEWLINE 1", ">.PRINT b", "page 1", ">page 2", "page 3"}));
}

void TestGeneration::bandLevels_data()
{
    QTest::addColumn<BandSetup>("setup");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("band, plain") << BandSetup{}
                                 << QStringList{".HEADER Report",
                                                ">.LEFTMARGIN 2",
                                                ">.PAGELENGTH 62",
                                                ">.RIGHTMARGIN 79",
                                                ">.PAGEWIDTH 80",
                                                ">.NEED 3",
                                                ">.NEWLINE 1",
                                                ">.TAB 2",
                                                ">.PRINT x",
                                                ">.NEWLINE 1",
                                                "A"};
    QTest::newRow("band, before code, block, field")
        << BandSetup{.before = true, .block = true, .field = true}
        << QStringList{"B",
                       ">.HEADER Report",
                       ">>.LEFTMARGIN 2",
                       ">>.PAGELENGTH 62",
                       ">>.RIGHTMARGIN 79",
                       ">>.PAGEWIDTH 80",
                       ">>.BLOCK",
                       ">>>.WITHIN",
                       ">>>>.NEED 3",
                       ">>>>.NEWLINE 1",
                       ">>>>.TAB 2",
                       ">>>>.PRINT x",
                       ">>>>.NEWLINE 1",
                       ">>>.ENDWITHIN",
                       ">>.ENDBLOCK",
                       "A"};
    QTest::newRow("band, indent 2, before code, field on a column")
        << BandSetup{.indent = 2, .before = true, .field = true, .fieldName = " dept"}
        << QStringList{">>B",
                       ">>>.HEADER Report",
                       ">>>>.LEFTMARGIN 2",
                       ">>>>.PAGELENGTH 62",
                       ">>>>.RIGHTMARGIN 79",
                       ">>>>.PAGEWIDTH 80",
                       ">>>>.WITHIN  dept",
                       ">>>>>.NEED 3",
                       ">>>>>.NEWLINE 1",
                       ">>>>>.TAB 2",
                       ">>>>>.PRINT x",
                       ">>>>>.NEWLINE 1",
                       ">>>>.ENDWITHIN",
                       ">>A"};
    QTest::newRow("band, indent 1, no before code")
        << BandSetup{.indent = 1, .block = true, .fieldName = "dept"}
        << QStringList{">.HEADER Report",
                       ">>.LEFTMARGIN 2",
                       ">>.PAGELENGTH 62",
                       ">>.RIGHTMARGIN 79",
                       ">>.PAGEWIDTH 80",
                       ">>.BLOCK",
                       ">>>.NEED 3",
                       ">>>.NEWLINE 1",
                       ">>>.TAB 2",
                       ">>>.PRINT x",
                       ">>>.NEWLINE 1",
                       ">>.ENDBLOCK",
                       "A"};
    QTest::newRow("band, without print code")
        << BandSetup{.indent = 1,
                     .withPrintCode = false,
                     .before = true,
                     .field = true,
                     .fieldName = "\t"}
        << QStringList{">.HEADER Report",   ">>.LEFTMARGIN 2", ">>.PAGELENGTH 62",
                       ">>.RIGHTMARGIN 79", ">>.PAGEWIDTH 80", ">>.WITHIN",
                       ">>>.NEED 3",        ">>>.NEWLINE 1",   ">>>.TAB 2",
                       ">>>.PRINT x",       ">>>.NEWLINE 1",   ">>.ENDWITHIN"};
    QTest::newRow("break band, plain")
        << BandSetup{.breakBand = true}
        << QStringList{".FOOTER dept", ">.NEED 3",    ">.NEWLINE 1", ">.TAB 2", ">.PRINT x",
                       ">.NEWLINE 1",  ">.NEWLINE 1", ">.NEWPAGE",   "A"};
    QTest::newRow("break band, before code, block, field") << BandSetup{.breakBand = true,
                                                                        .before = true,
                                                                        .block = true,
                                                                        .field = true,
                                                                        .fieldName = "dept"}
                                                           << QStringList{"B",
                                                                          ">.FOOTER dept",
                                                                          ">>.BLOCK",
                                                                          ">>>.WITHIN dept",
                                                                          ">>>>.NEED 3",
                                                                          ">.NEWLINE 1",
                                                                          ">>>>.TAB 2",
                                                                          ">>>>.PRINT x",
                                                                          ">>>>.NEWLINE 1",
                                                                          ">>>>.NEWLINE 1",
                                                                          ">>>>.NEWPAGE",
                                                                          ">>>.ENDWITHIN",
                                                                          ">>.ENDBLOCK",
                                                                          ">A"};
    QTest::newRow("break band, indent 2, before code")
        << BandSetup{.breakBand = true, .indent = 2, .before = true}
        << QStringList{"B",
                       ">>>.FOOTER dept",
                       ">>>>.NEED 3",
                       ">.NEWLINE 1",
                       ">>>>.TAB 2",
                       ">>>>.PRINT x",
                       ">>>>.NEWLINE 1",
                       ">>>>.NEWLINE 1",
                       ">>>>.NEWPAGE",
                       ">>>A"};
}

// A band three lines high with one item on line 1: a leading and a
// trailing line break around the item; break bands are footers that start
// a new page.
void TestGeneration::bandLevels()
{
    QFETCH(BandSetup, setup);
    QFETCH(QStringList, expected);
    BandBase *band = setup.breakBand
                         ? static_cast<BandBase *>(addBreakBand(BreakFooter, "dept", 54))
                         : addBand(Header, "Report", 54);
    if (auto *breakBand = qobject_cast<BreakBand *>(band))
        breakBand->newPageOnBreak = true;
    addText(band, "x", 0, 18);
    if (setup.before)
        band->beforePrint = codeLines({"B"});
    band->afterPrint = codeLines({"A"});
    band->blockMode = setup.block;
    band->fieldMode = setup.field;
    band->field = setup.fieldName;

    const GenerationWindow window{m_page.get()};
    if (auto *breakBand = qobject_cast<BreakBand *>(band))
        generateBreakBandCode(window, breakBand, setup.withPrintCode, setup.indent);
    else
        generateBandCode(window, static_cast<Band *>(band), setup.withPrintCode, setup.indent);
    QCOMPARE(joined(band->bandCode), expectedText(expected));
}

void TestGeneration::pageFormatRounding_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("leftMargin");
    QTest::addColumn<double>("rightMargin");
    QTest::addColumn<double>("length");
    QTest::addColumn<QStringList>("expected");

    // The right margin line gives the column where printing ends: the
    // width less the right margin, rounded once.
    QTest::newRow("fractional width and right margin")
        << int(Characters) << 80.6 << 2.0 << 1.4 << 62.3
        << QStringList{">.LEFTMARGIN 2", ">.PAGELENGTH 62", ">.RIGHTMARGIN 79", ">.PAGEWIDTH 81"};
    QTest::newRow("right margin column rounds up")
        << int(Characters) << 80.6 << 2.0 << 0.9 << 62.3
        << QStringList{">.LEFTMARGIN 2", ">.PAGELENGTH 62", ">.RIGHTMARGIN 80", ">.PAGEWIDTH 81"};
    QTest::newRow("fractional left margin")
        << int(Characters) << 80.0 << 2.6 << 1.0 << 62.3
        << QStringList{">.LEFTMARGIN 3", ">.PAGELENGTH 62", ">.RIGHTMARGIN 79", ">.PAGEWIDTH 80"};
    QTest::newRow("length rounds up")
        << int(Characters) << 80.0 << 2.0 << 1.0 << 61.7
        << QStringList{">.LEFTMARGIN 2", ">.PAGELENGTH 62", ">.RIGHTMARGIN 79", ">.PAGEWIDTH 80"};
    // In millimetres the halves are exact: they go away from zero.
    QTest::newRow("halves, millimetres") << int(MM) << 210.0 << 2.5 << 9.5 << 296.5
                                         << QStringList{">.LEFTMARGIN 3", ">.PAGELENGTH 297",
                                                        ">.RIGHTMARGIN 201", ">.PAGEWIDTH 210"};
    QTest::newRow("width half, millimetres") << int(MM) << 200.5 << 0.0 << 0.0 << 297.0
                                             << QStringList{">.LEFTMARGIN 0", ">.PAGELENGTH 297",
                                                            ">.RIGHTMARGIN 201", ">.PAGEWIDTH 201"};
}

// A report header on a page with the given values, read in its units.
void TestGeneration::pageFormatRounding()
{
    QFETCH(int, units);
    QFETCH(double, width);
    QFETCH(double, leftMargin);
    QFETCH(double, rightMargin);
    QFETCH(double, length);
    QFETCH(QStringList, expected);

    m_page->setUnits(static_cast<PageUnits>(units));
    m_page->setPageValue(Width, width);
    m_page->setPageValue(LeftMargin, leftMargin);
    m_page->setPageValue(RightMargin, rightMargin);
    m_page->setPageValue(Length, length);
    Band *band = addBand(Header, "Report", 17);
    generateBandCode(GenerationWindow{m_page.get()}, band, true, 0);
    expected.prepend(".HEADER Report");
    QCOMPARE(joined(band->bandCode), expectedText(expected));
}

void TestGeneration::lineBreaks_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QStringList>("items"); // "t" text item or "c" code block, then Top
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no items") << 54 << QStringList{} << QStringList{".DETAIL ", ">.NEED 3"};
    QTest::newRow("low band") << 17 << QStringList{"t0"} << QStringList{".DETAIL ", ">.PRINT t0"};
    QTest::newRow("same row") << 18 << QStringList{"t0", "t0"}
                              << QStringList{".DETAIL ", ">.NEED 1", ">.PRINT t0", ">.PRINT t0"};
    QTest::newRow("rows 0 and 1") << 36 << QStringList{"t0", "t18"}
                                  << QStringList{".DETAIL ", ">.NEED 2", ">.PRINT t0",
                                                 ">.NEWLINE 1", ">.PRINT t18"};
    QTest::newRow("less than a line apart")
        << 54 << QStringList{"t20", "t36"}
        << QStringList{".DETAIL ", ">.NEED 3", ">.NEWLINE 1", ">.PRINT t20", ">.PRINT t36"};
    QTest::newRow("last on row 1 of 3") << 54 << QStringList{"t0", "t18"}
                                        << QStringList{".DETAIL ",    ">.NEED 3",    ">.PRINT t0",
                                                       ">.NEWLINE 1", ">.PRINT t18", ">.NEWLINE 1"};
    QTest::newRow("last on row 2 of 3")
        << 54 << QStringList{"t40"}
        << QStringList{".DETAIL ", ">.NEED 3", ">.NEWLINE 2", ">.PRINT t40"};
    QTest::newRow("last on row 0 of 3")
        << 54 << QStringList{"t0"} << QStringList{".DETAIL ", ">.NEED 3", ">.PRINT t0"};
    QTest::newRow("code block first") << 54 << QStringList{"c36", "t40"}
                                      << QStringList{".DETAIL ", ">.NEED 3", "c36", ">.PRINT t40"};
    QTest::newRow("code block last")
        << 72 << QStringList{"t18", "c36"}
        << QStringList{".DETAIL ", ">.NEED 4", ">.NEWLINE 1", ">.PRINT t18", "c36"};
    QTest::newRow("two lines apart")
        << 72 << QStringList{"t0", "t54"}
        << QStringList{".DETAIL ", ">.NEED 4", ">.PRINT t0", ">.NEWLINE 3", ">.PRINT t54"};
    QTest::newRow("after a code block")
        << 72 << QStringList{"t0", "c18", "t36"}
        << QStringList{".DETAIL ",    ">.NEED 4",    ">.PRINT t0", "c18",
                       ">.NEWLINE 1", ">.PRINT t36", ">.NEWLINE 1"};
}

void TestGeneration::lineBreaks()
{
    QFETCH(int, height);
    QFETCH(QStringList, items);
    QFETCH(QStringList, expected);
    Band *band = addBand(Detail, QString(), height);
    for (const QString &item : items) {
        const int top = item.mid(1).toInt();
        if (item.startsWith(u'c')) {
            addBlock(band, {item}, 0, top);
        } else {
            addText(band, item, 0, top)->tabPosition = false;
        }
    }
    generateBandCode(GenerationWindow{m_page.get()}, band, true, 0);
    QCOMPARE(joined(band->bandCode), expectedText(expected));
}

void TestGeneration::newPageOnBreak_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("newPage");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("footer") << int(BreakFooter) << true
                            << QStringList{".FOOTER d", ">.NEWLINE 1", ">.NEWPAGE"};
    QTest::newRow("header") << int(BreakHeader) << true << QStringList{".HEADER d"};
    QTest::newRow("footer, option off") << int(BreakFooter) << false << QStringList{".FOOTER d"};
}

void TestGeneration::newPageOnBreak()
{
    QFETCH(int, type);
    QFETCH(bool, newPage);
    QFETCH(QStringList, expected);
    BreakBand *band = addBreakBand(BreakBandType(type), "d", 10);
    band->newPageOnBreak = newPage;
    generateBreakBandCode(GenerationWindow{m_page.get()}, band, true, 0);
    QCOMPARE(joined(band->bandCode), expectedText(expected));
}

void TestGeneration::bandItemsSorted()
{
    Band *band = addBand(Detail, QString(), 72);
    addText(band, "r1", 0, 18);
    addText(band, "r0c5", 50, 0);
    addText(band, "r0c1 first", 10, 0);
    addText(band, "above", 0, -18);
    addText(band, "r0c1 second", 10, 0);
    addText(band, "left of band", -5, 0);
    addBlock(band, {}, 10, 0)->setCaption("block");
    new BlockPanel(m_owner.get(), band);
    addText(addBand(Detail, QString()), "other band", 0, 0);

    QStringList order;
    for (QWidget *item : sortBandItems(band)) {
        if (auto *text = qobject_cast<TextItem *>(item))
            order.append(text->caption());
        else
            order.append(static_cast<CodeBlock *>(item)->caption());
    }
    QCOMPARE(order, QStringList({"block", "r0c1 first", "r0c1 second", "r0c5", "left of band", "r1",
                                 "above"}));
}

void TestGeneration::textCode_data()
{
    QTest::addColumn<ItemSetup>("setup");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("plain") << ItemSetup{} << QStringList{">.TAB 2", ">.PRINT x"};
    QTest::newRow("after code one level up")
        << ItemSetup{.after = {"A1", ""}} << QStringList{">.TAB 2", ">.PRINT x", "A1", ""};
    QTest::newRow("before code, block, field")
        << ItemSetup{.before = {" B ", ""},
                     .after = {"A"},
                     .block = true,
                     .field = true,
                     .fieldName = "col"}
        << QStringList{"> B ",         ">>.BLOCK",      ">>>.WITHIN col", ">>>>.TAB 2",
                       ">>>>.PRINT x", ">>>.ENDWITHIN", ">>.ENDBLOCK",    ">A"};
    QTest::newRow("blank before code still opens a level")
        << ItemSetup{.before = {"  ", "\t"}, .after = {"A"}, .level = 0}
        << QStringList{">.TAB 2", ">.PRINT x", "A"};
    QTest::newRow("without print code")
        << ItemSetup{.before = {"B"}, .after = {"A"}, .level = 2, .withPrintCode = false}
        << QStringList{">>.TAB 2", ">>.PRINT x"};
    QTest::newRow("not printable")
        << ItemSetup{.before = {"B1", "B2"}, .after = {"A"}, .block = true, .printable = false}
        << QStringList{">B1", ">B2"};
    QTest::newRow("line break, underline")
        << ItemSetup{.style = FontRecord::Underline, .breaks = true, .count = 2}
        << QStringList{">.NEWLINE 2", ">.UNDERLINE", ">.TAB 2", ">.PRINT x", ">.NOUNDERLINE"};
    QTest::newRow("breaks with count 0")
        << ItemSetup{.breaks = true} << QStringList{">.TAB 2", ">.PRINT x"};
    QTest::newRow("count without breaks")
        << ItemSetup{.count = 3} << QStringList{">.TAB 2", ">.PRINT x"};
    QTest::newRow("underline and bold")
        << ItemSetup{.style = FontRecord::Underline | FontRecord::Bold}
        << QStringList{">.TAB 2", ">.PRINT x"};
    QTest::newRow("align to band wins over tab")
        << ItemSetup{.alignToBand = true, .alignment = taRightJustify}
        << QStringList{">.RIGHT", ">.PRINT x"};
    QTest::newRow("align left") << ItemSetup{.tabPosition = false, .alignToBand = true}
                                << QStringList{">.LEFT", ">.PRINT x"};
    QTest::newRow("no position") << ItemSetup{.tabPosition = false} << QStringList{">.PRINT x"};
    QTest::newRow("column from left and margin")
        << ItemSetup{.left = 95} << QStringList{">.TAB 11", ">.PRINT x"};
    QTest::newRow("no margin") << ItemSetup{.leftMargin = 0} << QStringList{">.TAB 0", ">.PRINT x"};
    QTest::newRow("fractional margin rounds up")
        << ItemSetup{.leftMargin = 2.6} << QStringList{">.TAB 3", ">.PRINT x"};
    QTest::newRow("fractional margin rounds down")
        << ItemSetup{.leftMargin = 2.4} << QStringList{">.TAB 2", ">.PRINT x"};
    QTest::newRow("fractional margin plus left")
        << ItemSetup{.left = 95, .leftMargin = 2.6} << QStringList{">.TAB 12", ">.PRINT x"};
    QTest::newRow("format trimmed")
        << ItemSetup{.format = " c10\t"} << QStringList{">.TAB 2", ">.PRINT x(c10)"};
    QTest::newRow("blank format") << ItemSetup{.format = "   "}
                                  << QStringList{">.TAB 2", ">.PRINT x"};
    QTest::newRow("empty caption")
        << ItemSetup{.caption = "", .format = "d"} << QStringList{">.TAB 2", ">.PRINT (d)"};
    // A caption is one expression on one line: control characters that
    // would end or split the line become blanks.
    QTest::newRow("control characters in caption")
        << ItemSetup{.caption = QStringLiteral("'a") + QChar(0) + "b\r\nc\td" + QChar(0x85) + "e"
                                + QChar(0x9F) + QChar(0x7F) + "'"}
        << QStringList{">.TAB 2", ">.PRINT 'a b  c d e  '"};
    QTest::newRow("control characters in format")
        << ItemSetup{.format = QStringLiteral("c") + QChar(0x81) + "10"}
        << QStringList{">.TAB 2", ">.PRINT x(c 10)"};
    QTest::newRow("field mode without field")
        << ItemSetup{.field = true}
        << QStringList{">.WITHIN ", ">>.TAB 2", ">>.PRINT x", ">.ENDWITHIN"};
}

void TestGeneration::textCode()
{
    QFETCH(ItemSetup, setup);
    QFETCH(QStringList, expected);
    m_page->setPageValue(LeftMargin, setup.leftMargin);
    TextItem *item = addText(addBand(Detail, QString()), setup.caption, setup.left, 0);
    item->beforePrint = codeLines(setup.before);
    item->afterPrint = codeLines(setup.after);
    item->blockMode = setup.block;
    item->fieldMode = setup.field;
    item->field = setup.fieldName;
    item->printable = setup.printable;
    item->tabPosition = setup.tabPosition;
    item->setAlignment(setup.alignment);
    item->setAlignToBand(setup.alignToBand);
    item->format = setup.format;
    FontRecord font = item->fontRecord();
    font.style = setup.style;
    item->setFontRecord(font);

    const CodeLines lines = generateTextCode(GenerationWindow{m_page.get()}, item, setup.breaks,
                                             setup.level, setup.withPrintCode, setup.count);
    QCOMPARE(joined(lines), expectedText(expected));
    for (const CodeLine &line : lines)
        QCOMPARE(line.object.tag->producer.data(), static_cast<QObject *>(item));
}

void TestGeneration::textSubCode()
{
    TextItem *item = addText(addBand(Detail, QString()), "v", 30, 18);
    item->beforePrint = codeLines({"B"});
    item->afterPrint = codeLines({"A"});
    item->subTextCode = codeLines({"stale"});
    item->printable = false;
    item->blockMode = true;
    item->fieldMode = true;
    item->field = QStringLiteral("c");
    FontRecord font = item->fontRecord();
    font.style = FontRecord::Underline;
    item->setFontRecord(font);

    generateTextSubCode(GenerationWindow{m_page.get()}, item);
    QCOMPARE(joined(item->subTextCode),
             expectedText({".BLOCK", ">.WITHIN c", ">>.UNDERLINE", ">>.TAB 5", ">>.PRINT v",
                           ">>.NOUNDERLINE", ">.ENDWITHIN", ".ENDBLOCK"}));
}

// Whole designs read from files, as the command line generates them.
void TestGeneration::fixtureDesigns_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    // Bytes 00, 81, 07, 0D 0A, 09, 98 and 7F in a caption.
    QTest::newRow("control characters")
        << "control-characters.kfx"
        << QStringList{".DETAIL ", ">.NEED 1", ">.TAB 12", ">.PRINT 'a b c d  e f g '"};
    // A stored Height of 0 beside a Size of 40 pixels: no line is needed.
    QTest::newRow("band of height 0") << "zero-height-band.kfx" << QStringList{".DETAIL "};
}

void TestGeneration::fixtureDesigns()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    FixtureDesign design(file);
    QVERIFY(design.page());
    generatePageCode(GenerationWindow{design.page()}, design.page());
    QCOMPARE(joined(design.page()->pageCode), expectedText(expected));
}

// Values far outside any report, clamped as they are read, still give
// each band its section (a sanitizer build finds any overflow on the way).
void TestGeneration::extremeDesignGenerates()
{
    FixtureDesign design(QStringLiteral("extreme-values.kfx"));
    QVERIFY(design.page());
    generatePageCode(GenerationWindow{design.page()}, design.page());
    const QStringList lines = design.page()->pageCode.texts();
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^\\.DETAIL $"))).size(), 3);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^\\.FOOTER $"))).size(), 77);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^\t\\.NEED \\d+$"))).size(), 80);
    QCOMPARE(lines.filter(QStringLiteral(".PRINT 'x'")).size(), 3);
}

void TestGeneration::lineTags_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("attribute"); // -1: no tag
    QTest::addColumn<QString>("owner");

    QTest::newRow("heading") << "\t.HEADER h" << -1 << "mBand1";
    QTest::newRow("band before code") << "band before" << int(spBeforeCode) << "mBand1";
    QTest::newRow("band need") << "\t\t\t\t.NEED 2" << int(spNeed) << "mBand1";
    QTest::newRow("band block") << "\t\t.BLOCK" << int(spBlockStart) << "mBand1";
    QTest::newRow("band end within") << "\t\t\t.ENDWITHIN" << int(spFieldEnd) << "mBand1";
    QTest::newRow("band leading line break") << "\t\t\t\t.NEWLINE 1" << int(spNewLine) << "mBand1";
    QTest::newRow("item before code") << "\t\t\t\titem before" << int(spBeforeCode) << "mText1";
    QTest::newRow("tab") << "\t\t\t\t\t.TAB 4" << int(spTab) << "mText1";
    QTest::newRow("print") << "\t\t\t\t\t.PRINT x" << int(spCaption) << "mText1";
    QTest::newRow("underline") << "\t\t\t\t\t.UNDERLINE" << int(spUnderline) << "mText1";
    QTest::newRow("no underline") << "\t\t\t\t\t.NOUNDERLINE" << int(spNonUnderline) << "mText1";
    QTest::newRow("item after code") << "\t\t\t\titem after" << int(spAfterCode) << "mText1";
    QTest::newRow("code block keeps its line's object") << "own" << int(spTab) << "mText1";
    QTest::newRow("break heading") << "\t.FOOTER s" << -1 << "mBreakBand1";
    QTest::newRow("break before code") << "break before" << -1 << "mBreakBand1";
    QTest::newRow("break need") << "\t\t.NEED 1" << -1 << "mBreakBand1";
    QTest::newRow("break after code") << "\tbreak after" << int(spAfterCode) << "mBreakBand1";
    QTest::newRow("page line") << ".NAME r" << -1 << "mPage1";
}

void TestGeneration::lineTags()
{
    QFETCH(QString, line);
    QFETCH(int, attribute);
    QFETCH(QString, owner);

    m_page->reportName = QStringLiteral("r");
    Band *band = addBand(Header, "h", 36);
    band->beforePrint = codeLines({"band before"});
    band->blockMode = true;
    band->fieldMode = true;
    TextItem *item = addText(band, "x", 20, 18);
    item->beforePrint = codeLines({"item before"});
    item->afterPrint = codeLines({"item after"});
    FontRecord font = item->fontRecord();
    font.style = FontRecord::Underline;
    item->setFontRecord(font);
    addBlock(band, {}, 50, 18)->code().add(QStringLiteral("own"), item, spTab);
    BreakBand *breakBand = addBreakBand(BreakFooter, "s");
    breakBand->beforePrint = codeLines({"break before"});
    breakBand->afterPrint = codeLines({"break after"});
    generate();

    const CodeLines &code = m_page->pageCode;
    const auto matches = [&](const CodeLine &candidate) {
        return candidate.text == line;
    };
    const auto found = std::find_if(code.cbegin(), code.cend(), matches);
    QVERIFY2(found != code.cend(), qPrintable(joined(code)));
    QCOMPARE(std::count_if(code.cbegin(), code.cend(), matches), 1);
    if (attribute < 0) {
        QVERIFY(!found->object.tag);
        QCOMPARE(found->object.component->objectName(), owner);
    } else {
        QVERIFY(!found->object.component);
        QCOMPARE(found->object.tag->attributes, attributeBit(LineAttribute(attribute)));
        QCOMPARE(found->object.tag->producer->objectName(), owner);
    }
}

// The code dialog's path: marks on the band's lines, no band print code.
void TestGeneration::itemMarks()
{
    Band *band = addBand(Detail, QString(), 36);
    band->beforePrint = codeLines({"not emitted"});
    addText(band, "b", 0, 18);
    addBlock(band, {"c1", "c2"}, 50, 18);
    TextItem *first = addText(band, "a", 0, 0);
    first->beforePrint = codeLines({"item before"});

    RecordingWindow recorder;
    generateBandCode(recorder.window(m_page.get()), band, false, 0);
    QCOMPARE(joined(band->bandCode),
             expectedText({".DETAIL ", ">.NEED 2", ">item before", ">>.TAB 2", ">>.PRINT a",
                           ">.NEWLINE 1", ">.TAB 2", ">.PRINT b", "c1", "c2"}));
    QCOMPARE(recorder.marks,
             QStringList({"mText2 3 start", "mText2 5 end", "mText1 6 start", "mText1 8 end",
                          "MBlockCode1 9 start", "MBlockCode1 10 end"}));
    QVERIFY(recorder.events.isEmpty());
}

void TestGeneration::sourceAndProgressOutlets()
{
    m_page->reportName = QStringLiteral("r");
    addText(addBand(Detail, QString()), "d", 0, 0);
    addBand(Header, "page");
    addBreakBand(BreakHeader, "PAGE");

    RecordingWindow recorder;
    QVERIFY(generateSource(recorder.window(m_page.get())));
    QCOMPARE(recorder.editor, QStringList({"<cleared>", ".NAME r", ".HEADER page", "\t.NEED 1",
                                           ".DETAIL ", "\t.NEED 1", "\t.TAB 2", "\t.PRINT d"}));
    QCOMPARE(recorder.events,
             QStringList({"show", "max 2", "step 1", "Generating Section: mBand2", "advance",
                          "Generating Section: mBand1", "advance", "hide"}));
    QVERIFY(recorder.messages.isEmpty());
}

void TestGeneration::failureShowsMessage()
{
    m_page->reportName = QStringLiteral("r");
    addBand(Detail, QString());
    RecordingWindow recorder;
    recorder.failOnLine = QStringLiteral(".DETAIL ");
    QVERIFY(!generateSource(recorder.window(m_page.get())));
    QCOMPARE(recorder.messages, QStringList{"ERROR: Cannot show edit window."});
    QCOMPARE(recorder.editor, QStringList({"<cleared>", ".NAME r"}));
    QCOMPARE(m_page->pageCode.size(), 3);

    RecordingWindow noPage;
    QVERIFY(!generateSource(noPage.window(nullptr)));
    QCOMPARE(noPage.messages, QStringList{"ERROR: Cannot show edit window."});
}

// Pending events run between sections: a band deleted meanwhile is skipped,
// a deleted page ends the generation with the failure message.
void TestGeneration::componentDeletedWhileEventsRun()
{
    addBand(Header, "first");
    QPointer<Band> second = addBand(Header, "second");
    addBand(Header, "third");
    RecordingWindow recorder;
    recorder.onEvents = [&] {
        delete second.data();
    };
    QVERIFY(generateSource(recorder.window(m_page.get())));
    QCOMPARE(recorder.editor, QStringList({"<cleared>", ".HEADER first", "\t.NEED 1",
                                           ".HEADER third", "\t.NEED 1"}));

    recorder.onEvents = [&] {
        m_page.reset();
    };
    recorder.editor.clear();
    QVERIFY(!generateSource(recorder.window(m_page.get())));
    QCOMPARE(recorder.messages, QStringList{"ERROR: Cannot show edit window."});
    QVERIFY(recorder.editor.isEmpty());
}

QTEST_MAIN(TestGeneration)
#include "tst_generation.moc"
