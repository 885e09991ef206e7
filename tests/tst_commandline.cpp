// Links: kestrova_model
#include "model/ObjectStream.h"

#include "NonRegularFiles.h"
#include "ReportCheckCases.h"
#include "WorkedExample.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The headless command line, run as users run it: the real executable.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void generateUnix();
    void generateWindowsLineEndsToFile();
    void fixtureMatchesBuiltDesign();
    void dumpIsStableAndNested();
    void undumpWritesTheDesign_data();
    void undumpWritesTheDesign();
    void undumpRefusesWhatItCannotRead();
    void unreadableFile_data();
    void unreadableFile();
    void helpAndVersion();
    void invalidUsage();
    void optionInPlaceOfAValue_data();
    void optionInPlaceOfAValue();
    void noServerBehindTheDisplay_data();
    void noServerBehindTheDisplay();
    void standardOutputThatFails_data();
    void standardOutputThatFails();
    void outputOntoTheDesignIsRefused_data();
    void outputOntoTheDesignIsRefused();
    void inputThatIsNoDesignFile_data();
    void inputThatIsNoDesignFile();
    void checkEachRule_data();
    void checkEachRule();
    void checkGeneratedDesign();
    void checkSeveralFiles();
    void importRoundTrip();
    void importKeepsExistingDesigns();
    void previewToFile();
    void previewIncludesBesideTheReport();
    void previewOfADesignOverSampleRows();
    void previewFailures_data();
    void previewFailures();

private:
    struct Run
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    // Standard output goes to standardOutput when one is named; the program
    // runs in the test's folder, without a display unless environment
    // names one.
    Run run(const QStringList &arguments, const QString &standardOutput = {},
            const QProcessEnvironment &environment = {});

    QTemporaryDir m_folder;
    QString m_design;
    QByteArray m_designBytes;
};

void TestCommandLine::initTestCase()
{
    QVERIFY(m_folder.isValid());
    ComponentOwner owner;
    QWidget stage;
    WorkedExample::build(owner, &stage);
    m_design = m_folder.filePath(QStringLiteral("sales.kfx"));
    ObjectStream::saveStageFile(&stage, m_design, owner, reportClasses());
    QFile file(m_design);
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_designBytes = file.readAll();
}

TestCommandLine::Run TestCommandLine::run(const QStringList &arguments,
                                          const QString &standardOutput,
                                          const QProcessEnvironment &environment)
{
    QProcess process;
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    QProcessEnvironment used = QProcessEnvironment::systemEnvironment();
    used.remove(QStringLiteral("DISPLAY"));
    used.remove(QStringLiteral("QT_QPA_PLATFORM"));
    used.insert(QStringLiteral("KESTROVA_CONFIG_DIR"), m_folder.path());
    used.insert(environment);
    process.setProcessEnvironment(used);
    process.setWorkingDirectory(m_folder.path());
    process.start(QStringLiteral(KESTROVA_BINARY), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

void TestCommandLine::generateUnix()
{
    const Run result = run({"--generate", m_design, "--unix"});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.status, 0);
    QCOMPARE(QString::fromUtf8(result.out), WorkedExample::lines().join(u'\n') + u'\n');
}

void TestCommandLine::generateWindowsLineEndsToFile()
{
    const QString output = m_folder.filePath(QStringLiteral("sales.rw"));
    const Run result = run({"--generate", m_design, "--output", output});
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.isEmpty());
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             WorkedExample::lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The checked-in design file is what writing the worked example must give,
// byte for byte; a change of the stream format shows here first.
void TestCommandLine::fixtureMatchesBuiltDesign()
{
    QFile file(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = file.readAll();
    QCOMPARE(expected.size(), 4994);
    QCOMPARE(m_designBytes.toHex(' '), expected.toHex(' '));
}

void TestCommandLine::dumpIsStableAndNested()
{
    const Run first = run({"--dump", m_design});
    const Run second = run({"--dump", m_design});
    QCOMPARE(first.status, 0);
    QCOMPARE(first.out, second.out);
    const QString text = QString::fromUtf8(first.out);
    QVERIFY(text.startsWith(QStringLiteral("object mPage1: TmPage\n")));
    QVERIFY(text.contains(QStringLiteral("\n  object mBand1: TmBand\n")));
    QVERIFY(text.contains(QStringLiteral("\n    object mText1: TmText\n")));
    QVERIFY(text.contains(QStringLiteral("Caption = \"'Sales report'\"")));
}

void TestCommandLine::undumpWritesTheDesign_data()
{
    QTest::addColumn<bool>("outputNamed");
    QTest::newRow("--output") << true;
    QTest::newRow("beside the text") << false;
}

// --dump, then --undump, gives the design file byte for byte.
void TestCommandLine::undumpWritesTheDesign()
{
    QFETCH(bool, outputNamed);
    const QString text = m_folder.filePath(QStringLiteral("sales-text.txt"));
    const Run dumped = run({"--dump", m_design}, text);
    QCOMPARE(dumped.status, 0);
    const QString design = m_folder.filePath(outputNamed ? QStringLiteral("back.kfx")
                                                         : QStringLiteral("sales-text.kfx"));
    QFile::remove(design);
    QStringList arguments{"--undump", text};
    if (outputNamed)
        arguments << "--output" << design;
    const Run result = run(arguments);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QByteArray());
    QFile file(design);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toHex(' '), m_designBytes.toHex(' '));
}

void TestCommandLine::undumpRefusesWhatItCannotRead()
{
    const QString text = m_folder.filePath(QStringLiteral("bad.txt"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("object mPage1: TmPage\n  Left = 1 y\nend\n");
    file.close();
    const QString design = m_folder.filePath(QStringLiteral("bad.kfx"));
    QVERIFY(QFile::copy(m_design, design));

    // The error names the line and column; the design that was there stays.
    const Run result = run({"--undump", text, "--output", design});
    QCOMPARE(result.status, 2);
    QCOMPARE(QString::fromUtf8(result.err),
             text + QStringLiteral(": Line 2, column 11: unexpected \" y\"\n"));
    QFile kept(design);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), m_designBytes);

    const Run missing = run({"--undump", m_folder.filePath(QStringLiteral("none.txt"))});
    QCOMPARE(missing.status, 2);
    QVERIFY(missing.err.startsWith("ERROR. Cannot open file: "));
    const Run onto = run({"--undump", text, "--output", text});
    QCOMPARE(onto.status, 2);
    QVERIFY(onto.err.startsWith("ERROR. Cannot save to file: "));
    const Run withUnix = run({"--undump", text, "--unix"});
    QCOMPARE(withUnix.status, 1);
}

void TestCommandLine::unreadableFile_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("generate, missing") << "--generate" << QByteArray();
    QTest::newRow("dump, missing") << "--dump" << QByteArray();
    QTest::newRow("generate, not a design") << "--generate" << QByteArray("hello");
    QTest::newRow("generate, empty") << "--generate" << QByteArray("");
    QTest::newRow("check, missing") << "--check" << QByteArray();
    QTest::newRow("check, not a design") << "--check" << QByteArray("hello");
}

void TestCommandLine::unreadableFile()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, content);
    QString path = m_folder.filePath(QStringLiteral("missing.kfx"));
    if (!content.isNull()) {
        path = m_folder.filePath(QStringLiteral("damaged.kfx"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const Run result = run({option, path});
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.err.startsWith(("ERROR. Cannot open file: " + path).toUtf8()), result.err);
}

void TestCommandLine::helpAndVersion()
{
    const Run help = run({"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains("--generate DESIGN.kfx [--unix] [--output FILE]"));
    const Run version = run({"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray("Kestrova 1.0 beta 1\n"));
}

void TestCommandLine::invalidUsage()
{
    QCOMPARE(run({"--frobnicate"}).status, 1);
    QCOMPARE(run({"--generate"}).status, 1);
    QCOMPARE(run({"--unix"}).status, 1);
    const Run noDisplay = run({});
    QCOMPARE(noDisplay.status, 1);
    QVERIFY(noDisplay.err.contains("no display"));
    const Run checkToFile = run({"--check", m_design, "--output", m_folder.filePath("out")});
    QCOMPARE(checkToFile.status, 1);
    QVERIFY(checkToFile.err.contains("--unix and --output go with --generate"));
    QVERIFY(run({"--check"}).err.contains("--check needs a file name"));
}

void TestCommandLine::optionInPlaceOfAValue_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("output, then --unix")
        << QStringList{"--generate", "DESIGN", "--output", "--unix"}
        << "--output needs a file name: the output file is missing";
    QTest::newRow("-o, then a short option") << QStringList{"--generate", "DESIGN", "-o", "-h"}
                                             << "-o needs a file name: the output file is missing";
    QTest::newRow("generate, then --unix") << QStringList{"--generate", "--unix"}
                                           << "--generate needs a file name: the design is missing";
    QTest::newRow("dump, then --help")
        << QStringList{"--dump", "--help"} << "--dump needs a file name: the design is missing";
    QTest::newRow("check, then -o") << QStringList{"--check", "-o", "out"}
                                    << "--check needs a file name: the file to check is missing";
}

// An option where a file name belongs is never taken for one: no file of
// that name is read or written, and the error says what is missing.
void TestCommandLine::optionInPlaceOfAValue()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    arguments.replaceInStrings(QStringLiteral("DESIGN"), m_design);
    const QStringList before = QDir(m_folder.path()).entryList(QDir::Files);
    const Run result = run(arguments);
    QCOMPARE(result.status, 1);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.err.startsWith(("kestrova: " + error + '\n').toUtf8()), result.err);
    QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), before);
}

void TestCommandLine::noServerBehindTheDisplay_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("option");
    for (const char *platform : {"", "xcb"}) {
        for (const char *option : {"--generate", "--check", "--dump"}) {
            QTest::addRow("%s%s", option + 2, *platform ? ", xcb chosen" : "")
                << platform << option;
        }
    }
}

// A DISPLAY that names no X server (left over in a terminal, set in a cron
// job) changes nothing for the command-line modes: they show nothing.
void TestCommandLine::noServerBehindTheDisplay()
{
    QFETCH(QString, platform);
    QFETCH(QString, option);
    const Run withoutDisplay = run({option, m_design});
    // The check's findings do not matter here, only that it ran.
    if (option != QLatin1String("--check")) {
        QCOMPARE(withoutDisplay.status, 0);
        QVERIFY(!withoutDisplay.out.isEmpty());
    }
    QVERIFY(withoutDisplay.status < 2);

    QProcessEnvironment environment;
    // No server listens on this display: its socket would be /tmp/.X11-unix/X4999.
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/.X11-unix/X4999")));
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4999"));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    const Run result = run({option, m_design}, {}, environment);
    QCOMPARE(result.err, withoutDisplay.err);
    QCOMPARE(result.status, withoutDisplay.status);
    QCOMPARE(result.out, withoutDisplay.out);
}

void TestCommandLine::checkEachRule_data()
{
    addReportCheckCases();
}

// Each case as a file, checked by the program: its problems with the file
// name before each, and status 1 exactly when one is an error.
void TestCommandLine::checkEachRule()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    const QString path = m_folder.filePath(QStringLiteral("case.rw"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(text), text.size());
    file.close();

    const Run result = run({"--check", path});
    QCOMPARE(result.err, QByteArray());
    QStringList printed = QString::fromUtf8(result.out).split(u'\n');
    QCOMPARE(printed.takeLast(), QString());
    for (QString &line : expected)
        line.prepend(path + u':');
    QCOMPARE(printed, expected);
    const bool errors = !expected.filter(QStringLiteral(": error: ")).isEmpty();
    QCOMPARE(result.status, errors ? 1 : 0);
}

// A design with mistakes easy to make in the designer: a caption longer
// than a line, a band in field mode without its columns, a break band
// without its column, and a break band on a column no .SORT names.
void TestCommandLine::checkGeneratedDesign()
{
    ComponentOwner owner;
    QWidget stage;
    auto *page = new ReportPage(&owner, &stage);
    page->setName(QStringLiteral("mPage1"));
    page->setNewReportValues();
    page->reportName = QStringLiteral("faults");
    page->query = WorkedExample::codeLines({".QUERY", "select region, name from sales"});
    auto *regionHeader =
        WorkedExample::addBand<BreakBand>(owner, page, BreakHeader, QStringLiteral("region"), 18);
    WorkedExample::addText(owner, regionHeader, QStringLiteral("region"), 0, 0);
    auto *detail = WorkedExample::addBand<Band>(owner, page, Detail, QString(), 18);
    WorkedExample::addText(owner, detail, u'\'' + QString(300, u'x') + u'\'', 0, 0);
    detail->fieldMode = true;
    auto *unnamed = WorkedExample::addBand<BreakBand>(owner, page, BreakFooter, QString(), 18);
    WorkedExample::addText(owner, unnamed, QStringLiteral("count(name)"), 0, 0);
    const QString design = m_folder.filePath(QStringLiteral("faults.kfx"));
    ObjectStream::saveStageFile(&stage, design, owner, reportClasses());

    const Run result = run({"--check", design});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(QString::fromUtf8(result.out).split(u'\n'),
             QStringList({
                 design + ":4: error: .HEADER region: no .SORT or .BREAK before it (E_RW139B)",
                 design + ":9: error: .WITHIN without a column list (E_RW10A2)",
                 design
                     + ":12: error: string is 302 bytes long; a statement row holds 100 "
                       "(E_RW138B)",
                 design
                     + ":12: warning: line is 311 bytes long; the report program reads 255 "
                       "and starts a new line with the rest",
                 design + ":14: error: .FOOTER without a break name (E_RW138D)",
                 "",
             }));
    QCOMPARE(result.status, 1);

    // The lines are those of the generated text.
    const QList<QByteArray> generated = run({"--generate", design, "--unix"}).out.split('\n');
    QCOMPARE(generated.value(3), QByteArray(".HEADER region"));
    QCOMPARE(generated.value(8), QByteArray("\t.WITHIN"));
    QVERIFY(generated.value(11).startsWith("\t\t.PRINT 'xxx"));
    QCOMPARE(generated.value(13), QByteArray(".FOOTER "));
}

// Every file is checked; the status is that of the worst: a file that
// cannot be read, then an error; warnings alone leave it 0.
void TestCommandLine::checkSeveralFiles()
{
    const QString warned = m_folder.filePath(QStringLiteral("warned.rw"));
    QFile file(warned);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ReportCheckCases::Head + ".DETAIL\n.BLOCK\n.PRINT a\n");
    file.close();
    const QString warning = warned + ":5: warning: .BLOCK without .ENDBLOCK: block mode stays on\n";

    const Run clean = run({"--check", m_design, warned});
    QCOMPARE(clean.status, 0);
    QCOMPARE(QString::fromUtf8(clean.out), warning);

    const QString missing = m_folder.filePath(QStringLiteral("missing.rw"));
    const Run withMissing = run({"--check", missing, warned, m_design});
    QCOMPARE(withMissing.status, 2);
    QCOMPARE(QString::fromUtf8(withMissing.out), warning);
    QCOMPARE(QString::fromUtf8(withMissing.err), "ERROR. Cannot open file: " + missing + "\n");
}

void TestCommandLine::standardOutputThatFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("version") << QStringList{"--version"};
    QTest::newRow("generate") << QStringList{"--generate", m_design};
    QTest::newRow("generate, UNIX") << QStringList{"--generate", m_design, "--unix"};
    QTest::newRow("dump") << QStringList{"--dump", m_design};
}

// A device that is always full takes nothing that is written to it.
void TestCommandLine::standardOutputThatFails()
{
    QFETCH(QStringList, arguments);
    const QString full = QStringLiteral("/dev/full");
    if (!QFile::exists(full))
        QSKIP("this system has no /dev/full to stand for a full disk");
    const Run result = run(arguments, full);
    QCOMPARE(result.err, QByteArray("ERROR. Cannot write to standard output.\n"));
    QCOMPARE(result.status, 1);
}

void TestCommandLine::outputOntoTheDesignIsRefused_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("the same name") << "own.kfx";
    QTest::newRow("through a folder and back") << "folder/../own.kfx";
    QTest::newRow("a symbolic link") << "link.kfx";
    QTest::newRow("a hard link") << "hard.kfx";
}

void TestCommandLine::outputOntoTheDesignIsRefused()
{
    QFETCH(QString, output);
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString design = dir.filePath(QStringLiteral("own.kfx"));
    QVERIFY(QFile::copy(m_design, design));
    QVERIFY(dir.mkdir(QStringLiteral("folder")));
    QVERIFY(QFile::link(design, dir.filePath(QStringLiteral("link.kfx"))));
    QCOMPARE(::link(QFile::encodeName(design).constData(),
                    QFile::encodeName(dir.filePath(QStringLiteral("hard.kfx"))).constData()),
             0);

    const QString outputPath = dir.filePath(output);
    const Run result = run({"--generate", design, "--output", outputPath});
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.startsWith(("ERROR. Cannot save to file: " + outputPath).toUtf8()),
             result.err);
    QFile file(design);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), m_designBytes);
}

void TestCommandLine::inputThatIsNoDesignFile_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fileName");
    const struct
    {
        const char *option;
        const char *fileName;
    } inputs[] = {{"--generate", "design.kfx"},
                  {"--dump", "design.kfx"},
                  {"--check", "design.kfx"},
                  {"--check", "report.rw"}};
    for (const auto &input : inputs) {
        for (const QString &kind : SpecialFile::kinds()) {
            QTest::addRow("%s %s, %s", input.option + 2, input.fileName, qPrintable(kind))
                << input.option << kind << input.fileName;
        }
    }
}

// Each holds or yields a whole design, or a text to check: only where it
// comes from is wrong.
void TestCommandLine::inputThatIsNoDesignFile()
{
    QFETCH(QString, option);
    QFETCH(QString, kind);
    QFETCH(QString, fileName);
    QTemporaryDir folder;
    const QByteArray bytes = fileName.endsWith(QLatin1String(".kfx"))
                                 ? m_designBytes
                                 : QByteArray(".NAME sales\n.DETAIL\n.PRINT x\n");
    const SpecialFile design(kind, QDir(folder.path()).filePath(fileName), bytes);
    QVERIFY(design.isValid());
    const Run result = run({option, design.path()});
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.startsWith(("ERROR. Cannot open file: " + design.path()).toUtf8()),
             result.err);
}

// --import of generated text writes a design that generates it again,
// byte for byte; what stayed code goes to standard error.
void TestCommandLine::importRoundTrip()
{
    const QString text = m_folder.filePath(QStringLiteral("round.rw"));
    QCOMPARE(run({"--generate", m_design, "--output", text}).status, 0);
    QFile append(text);
    QVERIFY(append.open(QIODevice::Append));
    append.write("\t.LET x = 1\r\n");
    append.close();
    const QString imported = m_folder.filePath(QStringLiteral("round-imported.kfx"));
    const Run result = run({"--import", text, "--output", imported});
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.err.contains("round.rw:34: kept as code in mBand"), result.err);
    QVERIFY2(result.err.contains(": \t.LET x = 1\n"), result.err);
    const QString again = m_folder.filePath(QStringLiteral("round-again.rw"));
    QCOMPARE(run({"--generate", imported, "--output", again}).status, 0);
    QFile first(text);
    QFile second(again);
    QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    QCOMPARE(second.readAll(), first.readAll());
}

// Without --output the design goes beside the report, never over a file.
void TestCommandLine::importKeepsExistingDesigns()
{
    const QString text = m_folder.filePath(QStringLiteral("beside.rw"));
    QCOMPARE(run({"--generate", m_design, "--output", text}).status, 0);
    QCOMPARE(run({"--import", text}).status, 0);
    const QString design = m_folder.filePath(QStringLiteral("beside.kfx"));
    QVERIFY(QFile::exists(design));
    QFile file(design);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    const Run second = run({"--import", text});
    QCOMPARE(second.status, 2);
    QVERIFY(second.err.startsWith("ERROR. Cannot save to file: "));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), written);
    QCOMPARE(run({"--import", text, "--output", text}).status, 2);
    QCOMPARE(run({"--import", m_folder.path(), "--output", design}).status, 2);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"

// --preview over a CSV folder with the report program's own flags after
// "--": page length 3 and form feeds on; underlining by overstrike.
void TestCommandLine::previewToFile()
{
    const QString folder = m_folder.filePath(QStringLiteral("csv"));
    QVERIFY(QDir().mkpath(folder));
    QFile csv(folder + QStringLiteral("/items.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("name,qty\nbolt,3\nnut,12\nwasher,7\n");
    csv.close();
    const QString report = m_folder.filePath(QStringLiteral("items.rw"));
    QFile source(report);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(
        ".NAME items .DATA items .SORT name\n.HEADER page .UL .PRINT 'Name' .NOU .NL\n"
        ".DETAIL .PRINT name(c7), qty(f3) .NL\n.FOOTER report .PRINT 'total', sum(qty)(f5) .NL\n");
    source.close();
    const QString output = m_folder.filePath(QStringLiteral("items.txt"));
    const Run result =
        run({"--preview", report, "--data", folder, "--output", output, "--", "-v3", "+b", "-c9"});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.status, 0);
    QFile printed(output);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QCOMPARE(printed.readAll(), QByteArray("\fbolt     3\nnut     12\nwasher   7\n"
                                           "\f____\rName\ntotal   22\n\f\n"));
}

// .INCLUDE finds its file beside the report, wherever the program runs.
void TestCommandLine::previewIncludesBesideTheReport()
{
    const QDir folder(m_folder.filePath(QStringLiteral("reports")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    const QList<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("part.rw"), ".PRINTLINE 'from the part'\n"},
        {QStringLiteral("main.rw"),
         ".NAME main .QUERY select 1 as one .PAGELENGTH 0\n.DETAIL .INCLUDE part.rw\n"},
        {QStringLiteral("empty.sqlite"), QByteArray()}};
    for (const auto &[name, text] : files) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(text), text.size());
    }
    const Run result = run({"--preview", folder.filePath(QStringLiteral("main.rw")), "--data",
                            folder.filePath(QStringLiteral("empty.sqlite"))});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, QByteArray("from the part\n"));
    QCOMPARE(result.status, 0);
}

void TestCommandLine::previewOfADesignOverSampleRows()
{
    const Run result = run({"--preview", m_design});
    QCOMPARE(result.status, 0);
    QVERIFY(!result.out.trimmed().isEmpty());
}

void TestCommandLine::previewFailures_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such data source") << ".NAME r .DATA t .DETAIL .PRINT 'x'\n"
                                         << QStringList{"--data", "/nonexistent/db"} << 1
                                         << "kestrova: --data: /nonexistent/db does not exist\n";
    QTest::newRow("query that fails") << ".NAME r .QUERY select nosuch from t .DETAIL .PRINT 'x'\n"
                                      << QStringList{"--data", "csv"} << 1
                                      << "REPORT:1: the query failed: no such column: nosuch\n";
    QTest::newRow("parameter without a value")
        << ".NAME r .QUERY select * from t where a = $a\n"
        << QStringList{"--data", "csv"} << 1
        << "REPORT:1: the parameter $a has no value (give it with "
           "--param a=VALUE)\n";
    QTest::newRow("parameter without its name")
        << ".NAME r .DATA t\n"
        << QStringList{"--param", "=1"} << 1 << "kestrova: --param needs NAME=VALUE, not =1\n";
    QTest::newRow("include file missing")
        << ".NAME r .DATA t .DETAIL\n.INCLUDE 'nosuch.rw'\n"
        << QStringList{"--data", "csv"} << 1
        << "REPORT:2: the .INCLUDE file 'nosuch.rw' cannot be read: No such file or directory\n";
    QTest::newRow("two reports in one file")
        << ".NAME r .DATA t .DETAIL .PRINT 'x'\n.NAME s .DATA t\n"
        << QStringList{"--data", "csv"} << 1
        << "REPORT:2: the file holds more than one report (.NAME); the report program runs a "
           "file of one report only\n";
    QTest::newRow("unreadable report")
        << QString() << QStringList() << 2 << "ERROR. Cannot open file: REPORT\n";
}

void TestCommandLine::previewFailures()
{
    QFETCH(QString, source);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString folder = m_folder.filePath(QStringLiteral("csv"));
    QVERIFY(QDir().mkpath(folder));
    QFile csv(folder + QStringLiteral("/t.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("a\n1\n");
    csv.close();
    const QString report = m_folder.filePath(QStringLiteral("failing.rw"));
    QFile::remove(report);
    if (!source.isEmpty()) {
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(source.toUtf8());
    }
    for (QString &option : options) {
        if (option == QLatin1String("csv"))
            option = folder;
    }
    const QString output = m_folder.filePath(QStringLiteral("failing.txt"));
    const Run result = run(QStringList{"--preview", report, "--output", output} + options);
    QCOMPARE(result.status, status);
    QCOMPARE(QString::fromUtf8(result.err),
             QString(message).replace(QStringLiteral("REPORT"), report));
    QVERIFY(!QFile::exists(output));
}
