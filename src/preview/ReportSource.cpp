#include "preview/ReportSource.h"

#include "check/SourceScanner.h"

#include <QDir>
#include <QRegularExpression>

namespace {

QString tokenText(const SourceScanner &scanner, const SourceToken &token)
{
    return QString::fromUtf8(scanner.text(token));
}

QString joinedArguments(const SourceScanner &scanner, const SourceStatement &statement)
{
    QString text;
    qsizetype previousEnd = -1;
    for (const SourceToken &token : statement.arguments) {
        // Tokens written together stay together (">=", "**"); a comment or
        // a line end between them becomes a blank.
        if (!text.isEmpty() && token.start != previousEnd)
            text += QLatin1Char(' ');
        text += tokenText(scanner, token);
        previousEnd = token.end;
    }
    return text;
}

// The text from the first argument to the last as written, comments
// included: SQL reads them itself.
QString rawArguments(QByteArrayView text, const SourceStatement &statement)
{
    if (statement.arguments.isEmpty())
        return {};
    const qsizetype start = statement.arguments.first().start;
    const qsizetype end = statement.arguments.last().end;
    return QString::fromUtf8(text.sliced(start, end - start));
}

QList<SortKey> readSort(const SourceScanner &scanner, const SourceStatement &statement)
{
    QList<SortKey> keys;
    bool direction = false;
    for (const SourceToken &token : statement.arguments) {
        const QString text = tokenText(scanner, token);
        if (token.type == SourceToken::Symbol) {
            direction = text == QLatin1String(":");
            continue;
        }
        if (direction && !keys.isEmpty())
            keys.last().direction = text.toLower();
        else
            keys.append({text.toLower(), QString()});
        direction = false;
    }
    return keys;
}

// "v = type [with null | not null] [with prompt 'p'] [with value 'v'], ..."
QList<Declaration> readDeclarations(const QString &text, int line)
{
    static const QRegularExpression item(QStringLiteral(
        "\\s*([A-Za-z_]\\w*)\\s*=\\s*((?:[^,'\"(]|\\([^)]*\\)|'(?:[^']|'')*'|\"[^\"]*\")+)"));
    static const QRegularExpression value(
        QStringLiteral("with\\s+value\\s+('(?:[^']|'')*'|\"[^\"]*\"|\\S+)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression type(
        QStringLiteral("^\\s*([A-Za-z0-9_]+(?:\\s*\\(\\s*\\d+\\s*\\))?)"));
    QList<Declaration> declarations;
    QRegularExpressionMatchIterator matches = item.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        Declaration declaration;
        declaration.name = match.captured(1).toLower();
        declaration.line = line;
        const QString rest = match.captured(2);
        declaration.type = type.match(rest).captured(1).toLower();
        const QRegularExpressionMatch given = value.match(rest);
        if (given.hasMatch()) {
            QString written = given.captured(1);
            if (written.startsWith(QLatin1Char('\'')) || written.startsWith(QLatin1Char('"'))) {
                written = written.mid(1, written.size() - 2);
                written.replace(QStringLiteral("''"), QStringLiteral("'"));
            }
            declaration.value = written;
            declaration.hasValue = true;
        }
        declarations.append(declaration);
    }
    return declarations;
}

} // namespace

QStringList ReportSource::breakColumns() const
{
    if (!breaks.isEmpty())
        return breaks;
    QStringList columns;
    for (const SortKey &key : sort)
        columns.append(key.column);
    return columns;
}

namespace {

// Reads the statements of a source and of the files it includes, in place,
// into one report.
class ReportReader
{
public:
    ReportReader(ReportSource &report, const PreviewOptions &options)
        : m_report(report), m_options(options)
    {
    }

    // Reads text; includedAt is the line of the main source's .INCLUDE that
    // brought it, 0 for the main source. False when reading must stop.
    bool read(const QByteArray &text, int includedAt);
    bool named() const { return m_named; }

private:
    bool include(const QString &argument, int line);
    bool refuse(int line, const QString &message)
    {
        m_report.messages.append({line, message});
        m_report.name.clear();
        return false;
    }

    ReportSource &m_report;
    const PreviewOptions &m_options;
    QString m_section;
    bool m_named = false;
    QStringList m_including; // the files being read, outermost first
};

bool ReportReader::include(const QString &argument, int line)
{
    QString name = argument.trimmed();
    if (name.size() >= 2
        && (name.startsWith(QLatin1Char('\'')) || name.startsWith(QLatin1Char('"')))
        && name.endsWith(name.front()))
        name = name.mid(1, name.size() - 2);
    if (name.isEmpty())
        return refuse(line, QStringLiteral(".INCLUDE names no file"));
    if (!m_options.readFile) {
        m_report.messages.append(
            {line,
             QStringLiteral("not previewed: .INCLUDE %1 (no file can be read here)").arg(name)});
        return true;
    }
    const QString path = QDir::cleanPath(
        QDir(m_options.sourceFolder.isEmpty() ? QStringLiteral(".") : m_options.sourceFolder)
            .absoluteFilePath(name));
    if (m_including.contains(path))
        return refuse(line, QStringLiteral("the .INCLUDE file '%1' includes itself").arg(name));
    QString error;
    const std::optional<QByteArray> text = m_options.readFile(path, &error);
    if (!text)
        return refuse(line,
                      QStringLiteral("the .INCLUDE file '%1' cannot be read: %2").arg(name, error));
    m_including.append(path);
    const bool going = read(*text, line);
    m_including.removeLast();
    return going;
}

bool ReportReader::read(const QByteArray &text, int includedAt)
{
    ReportSource &report = m_report;
    ProblemList problems;
    SourceScanner scanner(text, problems);
    SourceStatement statement;
    while (scanner.next(statement)) {
        const StatementKind kind = statement.kind;
        // Statements of an included file are shown at the .INCLUDE.
        const int line = includedAt > 0 ? includedAt : statement.line;
        if (kind == StatementKind::None || kind == StatementKind::ShortRemark
            || kind == StatementKind::LongRemark || kind == StatementKind::EndRemark)
            continue;
        if (kind == StatementKind::Name) {
            // The report program runs a file of one report: a second .NAME
            // makes it refuse the file.
            if (m_named)
                return refuse(line, QStringLiteral("the file holds more than one report "
                                                   "(.NAME); the report program runs a file "
                                                   "of one report only"));
            m_named = true;
            m_section = QStringLiteral("header:report");
            if (!statement.arguments.isEmpty())
                report.name = tokenText(scanner, statement.arguments.first()).toLower();
            if (report.name.size() > 32)
                return refuse(line, QStringLiteral("the report name is longer than 32 "
                                                   "characters (E_RW1389)"));
            continue;
        }
        const QString arguments = joinedArguments(scanner, statement);
        switch (kind) {
        case StatementKind::Query:
            report.query = rawArguments(text, statement);
            report.dataLine = line;
            continue;
        case StatementKind::Data:
            report.dataTable = arguments.trimmed();
            report.dataLine = line;
            continue;
        case StatementKind::Sort:
            report.sort = readSort(scanner, statement);
            continue;
        case StatementKind::Break:
            for (const SourceToken &token : statement.arguments) {
                if (token.type == SourceToken::Word)
                    report.breaks.append(tokenText(scanner, token).toLower());
            }
            continue;
        case StatementKind::Declare:
            report.declarations += readDeclarations(rawArguments(text, statement), line);
            continue;
        case StatementKind::Setup:
            report.setup = rawArguments(text, statement);
            report.setupLine = line;
            continue;
        case StatementKind::Cleanup:
            report.cleanup = rawArguments(text, statement);
            report.cleanupLine = line;
            continue;
        case StatementKind::PageWidth:
            report.pageWidth = arguments;
            report.pageWidthLine = line;
            continue;
        case StatementKind::Output:
        case StatementKind::DelimId:
        case StatementKind::RbfMarker:
            continue;
        case StatementKind::Include:
            if (!include(arguments, line))
                return false;
            continue;
        case StatementKind::Header:
        case StatementKind::Footer: {
            QString target = arguments.trimmed().toLower();
            if (kind == StatementKind::Header && target == QLatin1String("detail"))
                m_section = QStringLiteral("detail");
            else
                m_section = (kind == StatementKind::Header ? QStringLiteral("header:")
                                                           : QStringLiteral("footer:"))
                            + target;
            continue;
        }
        case StatementKind::Detail:
            m_section = QStringLiteral("detail");
            continue;
        default:
            break;
        }
        if (!m_named) {
            report.messages.append({line, QStringLiteral("not previewed: .%1 before .NAME")
                                              .arg(QString::fromUtf8(statement.name))});
            continue;
        }
        report.sections[m_section].append(
            {kind, line, QString::fromUtf8(statement.name), arguments});
    }
    return true;
}

} // namespace

ReportSource ReportSource::read(const QByteArray &text, const PreviewOptions &options)
{
    ReportSource report;
    ReportReader reader(report, options);
    if (reader.read(text, 0) && !reader.named())
        report.messages.append({1, QStringLiteral("the source has no .NAME statement")});
    return report;
}

QByteArray namedForPreview(const QByteArray &source, const QString &name)
{
    ProblemList problems;
    SourceScanner scanner(source, problems);
    SourceStatement statement;
    while (scanner.next(statement)) {
        if (statement.kind == StatementKind::Name)
            return source;
    }
    QString valid = name.toLower();
    valid.replace(QRegularExpression(QStringLiteral("[^a-z0-9_]")), QStringLiteral("_"));
    if (valid.isEmpty() || valid.front().isDigit())
        valid.prepend(QStringLiteral("report_"));
    return ".NAME " + valid.left(32).toUtf8() + ' ' + source;
}
