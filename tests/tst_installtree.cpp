// Links: kestrova_model
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// What `cmake --install` puts into a prefix: the program, its desktop entry,
// icon, MIME type of designs and manual page, each naming the others right.
namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    Run result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The keys of the "[Desktop Entry]" group.
QHash<QString, QString> desktopEntry(const QString &path)
{
    QHash<QString, QString> entry;
    bool inGroup = false;
    for (const QByteArray &line : readFile(path).split('\n')) {
        if (line.startsWith('['))
            inGroup = line == "[Desktop Entry]";
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0)
            entry.insert(QString::fromUtf8(line.left(equals)),
                         QString::fromUtf8(line.mid(equals + 1)));
    }
    return entry;
}

// The types a shared-MIME-info package defines.
QStringList mimeTypes(const QString &path)
{
    QStringList types;
    QXmlStreamReader xml(readFile(path));
    while (xml.readNextStartElement()) {
        if (xml.name() == u"mime-info")
            continue;
        if (xml.name() == u"mime-type")
            types.append(xml.attributes().value(QLatin1String("type")).toString());
        xml.skipCurrentElement();
    }
    return xml.hasError() ? QStringList{QStringLiteral("XML error: ") + xml.errorString()} : types;
}

} // namespace

class tst_InstallTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsEachFile_data();
    void installsEachFile();
    void installedProgramRuns();
    void desktopEntryNamesWhatIsInstalled();
    void desktopEntryIsValid();
    void designsAreRecognised_data();
    void designsAreRecognised();
    void manualPageDescribesTheCommandLine();
    void manualPageFormatsCleanly();
    void readmeCommandsAreWhole();

private:
    QString installed(const QString &path) const { return m_prefix.filePath(path); }
    QString manualPage() const;

    QTemporaryDir m_prefix;
    QTemporaryDir m_files;
};

void tst_InstallTree::initTestCase()
{
    QVERIFY(m_prefix.isValid() && m_files.isValid());
    const Run install = run(QStringLiteral(KESTROVA_CMAKE_COMMAND),
                            {QStringLiteral("--install"), QStringLiteral(KESTROVA_BUILD_DIR),
                             QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(install.exitCode == 0, install.out + install.err);
    // File types as a system with the package installed sees them: the
    // system's types and the installed one in one database, built as the
    // package's trigger builds it, and no user's own types.
    const QString mime = m_files.filePath(QStringLiteral("share/mime"));
    QVERIFY(QDir().mkpath(mime + QStringLiteral("/packages")));
    QVERIFY(QFile::copy(installed(QStringLiteral("share/mime/packages/kestrova.xml")),
                        mime + QStringLiteral("/packages/kestrova.xml")));
    QVERIFY(QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                        mime + QStringLiteral("/packages/freedesktop.org.xml")));
    qputenv("XDG_DATA_HOME", m_files.filePath(QStringLiteral("data-home")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", m_files.filePath(QStringLiteral("share")).toLocal8Bit());
    const Run update = run(QStringLiteral("update-mime-database"), {mime});
    QVERIFY2(update.exitCode == 0 && update.err.isEmpty(), update.out + update.err);
}

void tst_InstallTree::installsEachFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("program");
    QTest::newRow("program") << QStringLiteral("bin/kestrova") << true;
    QTest::newRow("desktop entry")
        << QStringLiteral("share/applications/kestrova.desktop") << false;
    QTest::newRow("icon") << QStringLiteral("share/icons/hicolor/scalable/apps/kestrova.svg")
                          << false;
    QTest::newRow("MIME type") << QStringLiteral("share/mime/packages/kestrova.xml") << false;
    QTest::newRow("manual page") << QStringLiteral("share/man/man1/kestrova.1.gz") << false;
}

void tst_InstallTree::installsEachFile()
{
    QFETCH(QString, path);
    QFETCH(bool, program);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile(), qPrintable(path));
    QVERIFY(file.size() > 0);
    const QFile::Permissions everyone = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QCOMPARE(file.permissions() & everyone, everyone);
    QCOMPARE(bool(file.permissions() & QFile::ExeOther), program);
}

void tst_InstallTree::installedProgramRuns()
{
    const Run version =
        run(installed(QStringLiteral("bin/kestrova")), {QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    const Run built = run(QStringLiteral(KESTROVA_BINARY), {QStringLiteral("--version")});
    QCOMPARE(version.out, built.out);
    QVERIFY(version.out.startsWith("Kestrova "));
}

void tst_InstallTree::desktopEntryNamesWhatIsInstalled()
{
    const QHash<QString, QString> entry =
        desktopEntry(installed(QStringLiteral("share/applications/kestrova.desktop")));
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));

    // The command is the installed program, given the chosen files.
    const QStringList command = entry.value(QStringLiteral("Exec")).split(u' ');
    QCOMPARE(command, (QStringList{QStringLiteral("kestrova"), QStringLiteral("%F")}));
    QVERIFY(QFileInfo(installed(QStringLiteral("bin/") + command.first())).isExecutable());

    const QString icon = entry.value(QStringLiteral("Icon"));
    QVERIFY(QFileInfo::exists(
        installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));

    const QStringList defined =
        mimeTypes(installed(QStringLiteral("share/mime/packages/kestrova.xml")));
    QCOMPARE(defined, QStringList{QStringLiteral("application/x-kestrova-design")});
    QCOMPARE(entry.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts), defined);

    const QStringList categories =
        entry.value(QStringLiteral("Categories")).split(u';', Qt::SkipEmptyParts);
    QVERIFY(categories.contains(QStringLiteral("Development")));
    QVERIFY(categories.contains(QStringLiteral("Database")));
}

void tst_InstallTree::desktopEntryIsValid()
{
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (scripts/setup.sh installs it)");
    const Run check =
        run(validator, {installed(QStringLiteral("share/applications/kestrova.desktop"))});
    QCOMPARE(check.out + check.err, QByteArray());
    QCOMPARE(check.exitCode, 0);
}

void tst_InstallTree::designsAreRecognised_data()
{
    const QByteArray design = readFile(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"));
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("isDesign");
    QTest::newRow("design") << QStringLiteral("sales.kfx") << design << true;
    QTest::newRow("upper-case name") << QStringLiteral("SALES.KFX") << design << true;
    QTest::newRow("by its signature") << QStringLiteral("sales") << design << true;
    // Kindle books take the name too; their own signature tells them apart.
    QTest::newRow("Kindle book") << QStringLiteral("book.kfx")
                                 << QByteArray(60, '\0') + "BOOKMOBI" + QByteArray(64, '\0')
                                 << false;
    QTest::newRow("other name") << QStringLiteral("sales.rw") << QByteArray(".NAME sales\n")
                                << false;
    QTest::newRow("no signature") << QStringLiteral("notes") << QByteArray("TPF1 text") << false;
}

void tst_InstallTree::designsAreRecognised()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, isDesign);
    const QString path = m_files.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QCOMPARE(type.name() == QLatin1String("application/x-kestrova-design"), isDesign);
    if (isDesign)
        QCOMPARE(type.comment(), QStringLiteral("Kestrova report design"));
}

QString tst_InstallTree::manualPage() const
{
    const Run unpacked =
        run(QStringLiteral("gzip"),
            {QStringLiteral("-dc"), installed(QStringLiteral("share/man/man1/kestrova.1.gz"))});
    return unpacked.exitCode == 0 ? QString::fromUtf8(unpacked.out) : QString();
}

// In the README's shell blocks an indented line goes on the command of the
// line before (which ends in a backslash) or stands in a loop's body: a
// command cut short would run as two.
void tst_InstallTree::readmeCommandsAreWhole()
{
    QFile readme(QStringLiteral(KESTROVA_TEST_DATA "/../../README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(readme.readAll()).split(u'\n');
    bool inShell = false;
    int loops = 0;
    int checked = 0;
    QString previous;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.startsWith(QLatin1String("```"))) {
            inShell = line == u"```sh";
            loops = 0;
            previous.clear();
            continue;
        }
        if (!inShell)
            continue;
        const QString trimmed = line.trimmed();
        const bool indented = !line.isEmpty() && line.front().isSpace();
        if (indented && !trimmed.startsWith(u'#') && loops == 0) {
            QVERIFY2(previous.endsWith(u'\\'),
                     qPrintable(QStringLiteral("README line %1: %2").arg(i + 1).arg(line)));
            ++checked;
        }
        if (trimmed.endsWith(QLatin1String("; do")) || trimmed == u"do")
            ++loops;
        else if (trimmed == u"done" || trimmed.startsWith(QLatin1String("done ")))
            loops = std::max(0, loops - 1);
        previous = line;
    }
    QVERIFY(checked > 0);
}

void tst_InstallTree::manualPageDescribesTheCommandLine()
{
    const QString page = QString(manualPage()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    QVERIFY(page.startsWith(QLatin1String(".TH KESTROVA 1 ")));

    // Every option the program's usage names.
    const Run help = run(QStringLiteral(KESTROVA_BINARY), {QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    const QRegularExpression option(QStringLiteral("--[a-z]+"));
    QStringList options;
    for (const QRegularExpressionMatch &match : option.globalMatch(QString::fromUtf8(help.out)))
        options.append(match.captured());
    options.removeDuplicates();
    QVERIFY(options.size() >= 7);
    for (const QString &name : std::as_const(options))
        QVERIFY2(page.contains(name), qPrintable(name));

    // The name and version the program shows.
    const Run shown = run(QStringLiteral(KESTROVA_BINARY), {QStringLiteral("--version")});
    QVERIFY(page.section(u'\n', 0, 0).contains(QString::fromUtf8(shown.out).trimmed()));

    for (const char *text :
         {".SH EXIT STATUS", ".B 0", ".B 1", ".B 2", ".SH ENVIRONMENT", "KESTROVA_CONFIG_DIR",
          ".SH FILES", "KFX.ini", "SRC.dat", "BF.dat", "~/.config/Kestrova"})
        QVERIFY2(page.contains(QLatin1String(text)), text);
}

void tst_InstallTree::manualPageFormatsCleanly()
{
    const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
    if (groff.isEmpty())
        QSKIP("groff is not installed");
    const Run formatted = run(groff,
                              {QStringLiteral("-man"), QStringLiteral("-ww"), QStringLiteral("-z"),
                               QStringLiteral("-Tutf8")},
                              manualPage().toUtf8());
    QCOMPARE(formatted.err, QByteArray());
    QCOMPARE(formatted.exitCode, 0);
}

QTEST_MAIN(tst_InstallTree)
#include "tst_installtree.moc"
