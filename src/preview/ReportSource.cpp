#include "preview/ReportSource.h"

#include "check/SourceScanner.h"

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

ReportSource ReportSource::read(const QByteArray &text)
{
    ReportSource report;
    ProblemList problems;
    SourceScanner scanner(text, problems);
    SourceStatement statement;
    QString section;
    bool named = false;
    while (scanner.next(statement)) {
        const StatementKind kind = statement.kind;
        if (kind == StatementKind::None || kind == StatementKind::ShortRemark
            || kind == StatementKind::LongRemark || kind == StatementKind::EndRemark)
            continue;
        if (kind == StatementKind::Name) {
            if (named) {
                report.messages.append(
                    {statement.line, QStringLiteral("not previewed: a second report (.NAME); "
                                                    "the preview prints the first")});
                break;
            }
            named = true;
            section = QStringLiteral("header:report");
            if (!statement.arguments.isEmpty())
                report.name = tokenText(scanner, statement.arguments.first()).toLower();
            if (report.name.size() > 32) {
                report.messages.append(
                    {statement.line, QStringLiteral("the report name is longer than 32 "
                                                    "characters (E_RW1389)")});
                report.name.clear();
                return report;
            }
            continue;
        }
        const QString arguments = joinedArguments(scanner, statement);
        switch (kind) {
        case StatementKind::Query:
            report.query = rawArguments(text, statement);
            report.dataLine = statement.line;
            continue;
        case StatementKind::Data:
            report.dataTable = arguments.trimmed();
            report.dataLine = statement.line;
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
            report.declarations += readDeclarations(rawArguments(text, statement), statement.line);
            continue;
        case StatementKind::Setup:
            report.setup = rawArguments(text, statement);
            report.setupLine = statement.line;
            continue;
        case StatementKind::Cleanup:
            report.cleanup = rawArguments(text, statement);
            report.cleanupLine = statement.line;
            continue;
        case StatementKind::PageWidth:
            report.pageWidth = arguments;
            report.pageWidthLine = statement.line;
            continue;
        case StatementKind::Output:
        case StatementKind::DelimId:
        case StatementKind::RbfMarker:
            continue;
        case StatementKind::Include:
            report.messages.append(
                {statement.line, QStringLiteral("not previewed: .INCLUDE %1").arg(arguments)});
            continue;
        case StatementKind::Header:
        case StatementKind::Footer: {
            QString target = arguments.trimmed().toLower();
            if (kind == StatementKind::Header && target == QLatin1String("detail"))
                section = QStringLiteral("detail");
            else
                section = (kind == StatementKind::Header ? QStringLiteral("header:")
                                                         : QStringLiteral("footer:"))
                          + target;
            continue;
        }
        case StatementKind::Detail:
            section = QStringLiteral("detail");
            continue;
        default:
            break;
        }
        if (!named) {
            report.messages.append(
                {statement.line, QStringLiteral("not previewed: .%1 before .NAME")
                                     .arg(QString::fromUtf8(statement.name))});
            continue;
        }
        report.sections[section].append(
            {kind, statement.line, QString::fromUtf8(statement.name), arguments});
    }
    if (!named)
        report.messages.append({1, QStringLiteral("the source has no .NAME statement")});
    return report;
}
