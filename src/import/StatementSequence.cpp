#include "import/StatementSequence.h"

#include "check/SourceScanner.h"

#include <algorithm>

namespace {

bool isPositioning(StatementKind kind)
{
    switch (kind) {
    case StatementKind::Tab:
    case StatementKind::NewLine:
    case StatementKind::Need:
    case StatementKind::LeftMargin:
    case StatementKind::RightMargin:
    case StatementKind::PageLength:
    case StatementKind::PageWidth:
        return true;
    default:
        return false;
    }
}

QStringList statements(const QStringList &lines, bool keepPositioning)
{
    const QByteArray text = lines.join(u'\n').toUtf8();
    ProblemList ignored;
    SourceScanner scanner(text, ignored);
    SourceStatement statement;
    QStringList result;
    while (scanner.next(statement)) {
        if (!keepPositioning && isPositioning(statement.kind))
            continue;
        QString written = statement.kind == StatementKind::None
                              ? QString()
                              : QString(Statements::primaryName(statement.kind));
        if (statement.kind == StatementKind::Unknown)
            written += QString::fromUtf8(statement.name).toLower();
        for (const SourceToken &token : std::as_const(statement.arguments))
            written += u' ' + QString::fromUtf8(scanner.text(token));
        result.append(written);
    }
    return result;
}

} // namespace

namespace StatementSequence {

QStringList of(const QStringList &lines)
{
    return statements(lines, true);
}

QStringList withoutPositioning(const QStringList &lines)
{
    return statements(lines, false);
}

QStringList sectionsWithoutPositioning(const QStringList &lines)
{
    QStringList sections{QString()};
    for (const QString &statement : withoutPositioning(lines)) {
        if (statement.startsWith(QLatin1String(".HEADER"))
            || statement.startsWith(QLatin1String(".FOOTER"))
            || statement.startsWith(QLatin1String(".DETAIL")))
            sections.append(QString());
        sections.last() += statement + u'\n';
    }
    std::sort(sections.begin() + 1, sections.end());
    return sections;
}

} // namespace StatementSequence
