// Links: kestrova_preview
#include "preview/FileOutput.h"
#include "preview/PreviewRun.h"

#include <QTemporaryDir>
#include <QTest>

// A printed page keeps its lines packed: each line must read back exactly
// as it was appended, with its own underlined spans and no other line's,
// whatever characters it holds and however many lines came before.
class TestPrintedPage : public QObject
{
    Q_OBJECT

private slots:
    void linesReadBack_data();
    void linesReadBack();
    void manyLines();
    void missingLinesReadEmpty();
    void copiesStayApart();
    void keepsAboutItsPrintedSize_data();
    void keepsAboutItsPrintedSize();
    void engineKeepsEveryCharacter();
    void enginePagesKeepNoRoom();
};

namespace {

using Lines = QList<PrintedLine>;

PrintedLine line(const QString &text, const QList<UnderlineSpan> &underlines = {})
{
    return {text, underlines};
}

void compareLines(const PrintedPage &page, const Lines &expected)
{
    QCOMPARE(page.lineCount(), expected.size());
    QCOMPARE(page.isEmpty(), expected.isEmpty());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QByteArray where = "line " + QByteArray::number(i);
        QVERIFY2(page.lineText(i) == expected[i].text, where.constData());
        QVERIFY2(page.lineLength(i) == expected[i].text.size(), where.constData());
        QVERIFY2(page.lineUnderlines(i) == expected[i].underlines, where.constData());
        const PrintedLine both = page.line(i);
        QVERIFY2(both.text == expected[i].text && both.underlines == expected[i].underlines,
                 where.constData());
    }
}

struct Keeping : PreviewObserver
{
    QList<PrintedPage> pages;
    QStringList messages;
    void pagePrinted(const PrintedPage &page) override { pages.append(page); }
    void message(const PreviewMessage &message) override { messages.append(message.text); }
};

PrintedPage pageOf(const Lines &lines)
{
    PrintedPage page;
    for (const PrintedLine &each : lines)
        page.appendLine(each);
    return page;
}

} // namespace

void TestPrintedPage::linesReadBack_data()
{
    QTest::addColumn<Lines>("lines");
    const UnderlineSpan name{0, 4, QLatin1Char('_')};
    const UnderlineSpan dashed{6, 2, QLatin1Char('-')};
    const QString halfPair(1, QChar(0xD83D)); // a wrapped line can end inside a pair

    QTest::newRow("none") << Lines();
    QTest::newRow("one empty line") << Lines{line(QString())};
    QTest::newRow("plain lines, an empty one between")
        << Lines{line(QStringLiteral("Sales")), line(QString()), line(QStringLiteral("  x  y"))};
    QTest::newRow("underlined among plain")
        << Lines{line(QStringLiteral("plain")), line(QStringLiteral("Name  ab"), {name, dashed}),
                 line(QString()), line(QStringLiteral("more")),
                 line(QStringLiteral("Amt"), {{0, 3, QLatin1Char('=')}})};
    QTest::newRow("underlined empty line first")
        << Lines{line(QString(), {name}), line(QStringLiteral("after"))};
    QTest::newRow("Latin-1 beyond ASCII")
        << Lines{line(QStringLiteral("Caf\u00e9 \u00a35 \u00bd"), {name}),
                 line(QStringLiteral("\u00ff\u00e0"))};
    QTest::newRow("beyond Latin-1 after Latin-1 lines")
        << Lines{line(QStringLiteral("Caf\u00e9"), {name}), line(QString()),
                 line(QStringLiteral("\u20ac 5 \u4e2d"), {dashed}), line(QStringLiteral("after")),
                 line(QStringLiteral("\u00e9 again"))};
    QTest::newRow("beyond Latin-1 first")
        << Lines{line(QStringLiteral("\u0141\u00f3d\u017a"), {name}), line(QStringLiteral("x"))};
    QTest::newRow("pair and halves of a pair")
        << Lines{line(QStringLiteral("ab\U0001F600")), line(QStringLiteral("ab") + halfPair),
                 line(QString(1, QChar(0xDE00)) + QStringLiteral("cd"))};
    QTest::newRow("underline character beyond Latin-1")
        << Lines{line(QStringLiteral("ab"), {{0, 2, QChar(0x2017)}})};
}

void TestPrintedPage::linesReadBack()
{
    QFETCH(Lines, lines);
    compareLines(pageOf(lines), lines);
    PrintedPage squeezed = pageOf(lines);
    squeezed.squeeze();
    compareLines(squeezed, lines);
}

// Long pages, a wide character arriving late, lines appended after the
// page has been read and squeezed.
void TestPrintedPage::manyLines()
{
    Lines expected;
    PrintedPage page;
    for (int i = 0; i < 3000; ++i) {
        QString text;
        if (i % 5 != 0)
            text = QStringLiteral("row %1 ").arg(i).repeated(1 + i % 7);
        if (i == 2100)
            text += QStringLiteral(" \u2500\u2500 \u00e9");
        QList<UnderlineSpan> spans;
        if (i % 7 == 3)
            spans.append({0, 3, QLatin1Char('_')});
        if (i % 11 == 4)
            spans.append({int(text.size()), 2, QLatin1Char('-')});
        expected.append(line(text, spans));
        page.appendLine(expected.last());
        if (i == 1500) {
            compareLines(page, expected);
            page.squeeze();
        }
    }
    compareLines(page, expected);
}

void TestPrintedPage::missingLinesReadEmpty()
{
    const PrintedPage page = pageOf({line(QStringLiteral("only"), {{0, 4, QLatin1Char('_')}})});
    for (const qsizetype missing : {qsizetype(-1), qsizetype(1), qsizetype(100)}) {
        QCOMPARE(page.lineText(missing), QString());
        QCOMPARE(page.lineLength(missing), 0);
        QVERIFY(page.lineUnderlines(missing).isEmpty());
    }
}

// A page handed on keeps what it had while the engine's own goes on.
void TestPrintedPage::copiesStayApart()
{
    PrintedPage page = pageOf({line(QStringLiteral("first"), {{0, 5, QLatin1Char('_')}})});
    const PrintedPage copy = page;
    page.appendLine(QStringLiteral("\u20ac"), {{0, 1, QLatin1Char('_')}});
    compareLines(copy, {line(QStringLiteral("first"), {{0, 5, QLatin1Char('_')}})});
    compareLines(page, {line(QStringLiteral("first"), {{0, 5, QLatin1Char('_')}}),
                        line(QStringLiteral("\u20ac"), {{0, 1, QLatin1Char('_')}})});
}

void TestPrintedPage::keepsAboutItsPrintedSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytesPerCharacter");
    QTest::newRow("ASCII") << QStringLiteral("Region R1   District D12   1,234.50") << 1;
    QTest::newRow("Latin-1") << QStringLiteral("R\u00e9gion \u00c5 \u00a3 1.234,50") << 1;
    QTest::newRow("beyond Latin-1") << QStringLiteral("\u0141\u00f3d\u017a \u20ac 1 234,50") << 2;
}

// A page of 66 lines, as the run keeps it: its characters, a line end each,
// and no room kept for more.
void TestPrintedPage::keepsAboutItsPrintedSize()
{
    QFETCH(QString, text);
    QFETCH(int, bytesPerCharacter);
    PrintedPage page;
    qsizetype characters = 0;
    for (int i = 0; i < 66; ++i) {
        const QString each = text.repeated(1 + i % 3);
        page.appendLine(each);
        characters += each.size();
    }
    page.squeeze();
    const qsizetype kept = page.storageBytes();
    const qsizetype packed = characters * bytesPerCharacter + 66 * qsizetype(sizeof(int));
    QVERIFY2(
        kept >= characters * bytesPerCharacter && kept <= packed + 64,
        qPrintable(QStringLiteral("%1 bytes kept for %2 characters").arg(kept).arg(characters)));
}

// Through the engine: characters of the source beyond ASCII, one beyond
// Latin-1 midway down the page, underlined and not, print into the page
// and into the file as they were written.
void TestPrintedPage::engineKeepsEveryCharacter()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("KESTROVA_CONFIG_DIR", dir.path().toLocal8Bit());
    Keeping kept;
    const QString source =
        QStringLiteral(".NAME r .DATA t .PAGELENGTH 0\n"
                       ".HEADER report\n"
                       ".UNDERLINE .PRINT 'Caf\u00e9' .NOUNDERLINE .PRINT ' \u00bd' .NEWLINE 2\n"
                       ".PRINT '\u20ac 5' .NEWLINE\n"
                       ".TAB 2 .UNDERLINE .PRINT '\u0141\u00f3d\u017a' .NOUNDERLINE .NEWLINE\n");
    QCOMPARE(runPreview(source.toUtf8(), DataSource(), {}, kept), PreviewOutcome::Finished);
    QCOMPARE(kept.messages, QStringList());
    QCOMPARE(kept.pages.size(), 1);
    const PrintedPage &page = kept.pages.first();
    compareLines(page, {line(QStringLiteral("Caf\u00e9 \u00bd"), {{0, 4, QLatin1Char('_')}}),
                        line(QString()), line(QStringLiteral("\u20ac 5")),
                        line(QStringLiteral("  \u0141\u00f3d\u017a"), {{2, 4, QLatin1Char('_')}})});
    QCOMPARE(QString::fromUtf8(FileOutput::pageBytes(page)),
             QStringLiteral("____\rCaf\u00e9 \u00bd\n\n\u20ac 5\n  ____\r  \u0141\u00f3d\u017a\n"));
}

// The pages a run hands on hold their lines and no room for more.
void TestPrintedPage::enginePagesKeepNoRoom()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("KESTROVA_CONFIG_DIR", dir.path().toLocal8Bit());
    Keeping kept;
    const QString source = QStringLiteral(".NAME r .DATA t .PAGELENGTH 20\n"
                                          ".DETAIL .PRINT 'A detail line of some width' .NEWLINE\n"
                                          ".PRINT 'and another one under it' .NEWLINE\n");
    QCOMPARE(runPreview(source.toUtf8(), DataSource(), {}, kept), PreviewOutcome::Finished);
    QCOMPARE(kept.messages, QStringList());
    QVERIFY(kept.pages.size() > 1);
    for (const PrintedPage &page : std::as_const(kept.pages)) {
        qsizetype characters = 0;
        for (qsizetype i = 0; i < page.lineCount(); ++i)
            characters += page.lineLength(i);
        QVERIFY2(page.storageBytes() == characters + page.lineCount() * qsizetype(sizeof(int)),
                 qPrintable(QStringLiteral("page %1: %2 bytes for %3 characters in %4 lines")
                                .arg(page.number)
                                .arg(page.storageBytes())
                                .arg(characters)
                                .arg(page.lineCount())));
    }
}

QTEST_GUILESS_MAIN(TestPrintedPage)
#include "tst_printedpage.moc"
