// Links: kestrova_model
#include "model/ObjectStream.h"

#include "SpecialFiles.h"
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
    void unreadableFile_data();
    void unreadableFile();
    void helpAndVersion();
    void invalidUsage();
    void standardOutputThatFails_data();
    void standardOutputThatFails();
    void outputOntoTheDesignIsRefused_data();
    void outputOntoTheDesignIsRefused();
    void inputThatIsNoDesignFile_data();
    void inputThatIsNoDesignFile();

private:
    struct Run
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    // Standard output goes to standardOutput when one is named.
    Run run(const QStringList &arguments, const QString &standardOutput = {});

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
                                          const QString &standardOutput)
{
    QProcess process;
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("KESTROVA_CONFIG_DIR"), m_folder.path());
    process.setProcessEnvironment(environment);
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

void TestCommandLine::unreadableFile_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("generate, missing") << "--generate" << QByteArray();
    QTest::newRow("dump, missing") << "--dump" << QByteArray();
    QTest::newRow("generate, not a design") << "--generate" << QByteArray("hello");
    QTest::newRow("generate, empty") << "--generate" << QByteArray("");
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
    for (const char *option : {"--generate", "--dump"}) {
        for (const QString &kind : SpecialFile::kinds())
            QTest::addRow("%s, %s", option + 2, qPrintable(kind)) << option << kind;
    }
}

// Each holds or yields a whole design: only where it comes from is wrong.
void TestCommandLine::inputThatIsNoDesignFile()
{
    QFETCH(QString, option);
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const SpecialFile design(kind, QDir(folder.path()).filePath(QStringLiteral("design.kfx")),
                             m_designBytes);
    QVERIFY(design.isValid());
    const Run result = run({option, design.path()});
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.startsWith(("ERROR. Cannot open file: " + design.path()).toUtf8()),
             result.err);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
