#include "check/StatementRules.h"

using K = StatementKind;

namespace {

// Report names are stored in a field of this size.
constexpr qsizetype LongestReportName = 32;

QString primary(StatementKind kind)
{
    return Statements::primaryName(kind);
}

// Text of the source quoted in a message: its first line, cut short, with
// control characters shown as '?', so that a message stays one short line.
QString excerpt(QByteArrayView text)
{
    constexpr qsizetype Longest = 40;
    qsizetype end = 0;
    while (end < text.size() && end < Longest && text[end] != '\n' && text[end] != '\r')
        ++end;
    QByteArray shown = text.first(end).toByteArray();
    for (char &c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    }
    QString result = QString::fromUtf8(shown);
    if (end < text.size())
        result += QStringLiteral("...");
    return result;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isValidReportName(QByteArrayView name)
{
    return !name.isEmpty() && name.size() <= LongestReportName
           && (isLetter(name[0]) || name[0] == '_');
}

bool isPrint(StatementKind kind)
{
    return kind == K::Print || kind == K::PrintLine;
}

} // namespace

StatementRules::StatementRules(const SourceScanner &scanner, ProblemList &problems)
    : m_scanner(scanner), m_problems(problems)
{
}

QString StatementRules::displayName(const SourceStatement &statement)
{
    if (statement.kind == K::Unknown)
        return QLatin1Char('.') + excerpt(statement.name);
    return primary(statement.kind);
}

void StatementRules::take(const SourceStatement &statement)
{
    checkAlignment(statement);
    if (statement.kind == K::Unknown) {
        m_problems.error(
            statement.line,
            statement.name.isEmpty()
                ? QStringLiteral("'.' without a statement name (E_RW1388)")
                : QStringLiteral("unknown statement %1 (E_RW1388)").arg(displayName(statement)));
        return;
    }
    checkBeforeName(statement);
    if (statement.kind == K::None)
        return;
    checkConditionals(statement);
    apply(statement);
}

// The statement after .LEFT, .CENTER or .RIGHT must print what they place.
void StatementRules::checkAlignment(const SourceStatement &statement)
{
    if (m_alignmentLine > 0 && !isPrint(statement.kind)) {
        m_problems.error(m_alignmentLine,
                         QStringLiteral("%1 not followed by .PRINT or .PRINTLN (E_RW1085)")
                             .arg(primary(m_alignmentKind)));
    }
    m_alignmentLine = 0;
    if (statement.kind == K::Left || statement.kind == K::Center || statement.kind == K::Right) {
        m_alignmentLine = statement.line;
        m_alignmentKind = statement.kind;
    }
}

// Only comments may come before the first .NAME; the first thing that is
// not one is reported, and reworded at the end when no .NAME came at all.
void StatementRules::checkBeforeName(const SourceStatement &statement)
{
    if (m_named || statement.kind == K::Name || m_beforeNameProblem >= 0)
        return;
    const QString what =
        statement.kind == K::None ? QStringLiteral("text") : displayName(statement);
    m_beforeNameProblem = m_problems.error(
        statement.line,
        QStringLiteral("%1 before .NAME: only comments may come first (E_RW138A)").arg(what));
}

void StatementRules::checkConditionals(const SourceStatement &statement)
{
    if (m_ifs.isEmpty())
        return;
    OpenIf &open = m_ifs.last();
    if (open.awaitingThen && statement.kind != K::Then) {
        m_problems.error(
            open.conditionLine,
            QStringLiteral("%1 without .THEN (E_RW13C3)").arg(primary(open.conditionKind)));
        open.awaitingThen = false;
    }
    if (Statements::isReportLevel(statement.kind) && statement.kind != K::Include) {
        m_problems.error(statement.line, QStringLiteral("%1 inside the .IF of line %2 (E_RW13C0)")
                                             .arg(primary(statement.kind))
                                             .arg(open.line));
    }
}

void StatementRules::apply(const SourceStatement &statement)
{
    switch (statement.kind) {
    case K::Name:
        startReport(statement);
        break;
    case K::Query:
    case K::Data:
        dataSource(statement);
        break;
    case K::Sort:
        sortColumns(statement);
        break;
    case K::Break:
        breakColumns(statement);
        break;
    case K::Header:
    case K::Footer:
    case K::Detail:
        heading(statement);
        break;
    case K::Print:
    case K::PrintLine:
        if (statement.arguments.isEmpty())
            m_problems.error(
                statement.line,
                QStringLiteral("%1 with nothing to print").arg(primary(statement.kind)));
        break;
    case K::Within:
        within(statement);
        break;
    case K::EndWithin:
        endWithin(statement);
        break;
    case K::Begin:
        m_section.brackets.append(false);
        break;
    case K::End:
        end();
        break;
    case K::Block:
        m_section.blocks.append(statement.line);
        break;
    case K::EndBlock:
        if (!m_section.blocks.isEmpty())
            m_section.blocks.removeLast();
        break;
    case K::Underline:
        if (m_section.underlineLine == 0)
            m_section.underlineLine = statement.line;
        break;
    case K::NoUnderline:
        m_section.underlineLine = 0;
        break;
    case K::NewPage:
        if (m_section.key == "h:page")
            m_problems.error(statement.line,
                             QStringLiteral(".NEWPAGE in the page header (E_RW1396)"));
        break;
    case K::If:
    case K::Then:
    case K::ElseIf:
    case K::Else:
    case K::EndIf:
        conditional(statement);
        break;
    default:
        break;
    }
}

void StatementRules::startReport(const SourceStatement &statement)
{
    finishReport();
    m_named = true;
    m_report = Report();
    m_report.open = true;
    m_report.line = statement.line;
    // The report header is the section until the first heading.
    m_section.key = "h:report";

    if (statement.arguments.isEmpty()) {
        m_problems.error(statement.line, QStringLiteral(".NAME without a report name (E_RW1389)"));
        return;
    }
    const SourceToken &name = statement.arguments.first();
    if (name.type != SourceToken::Word || !isValidReportName(text(name))) {
        m_problems.error(statement.line,
                         QStringLiteral("report name %1 must begin with a letter or '_' and have "
                                        "at most %2 characters (E_RW1389)")
                             .arg(excerpt(text(name)))
                             .arg(LongestReportName));
    }
}

void StatementRules::finishReport()
{
    closeSection();
    if (m_report.open && m_report.dataLine == 0) {
        m_problems.error(m_report.line,
                         QStringLiteral("no data source: neither .QUERY nor .DATA (E_RW1019)"));
    }
    m_report.open = false;
}

void StatementRules::dataSource(const SourceStatement &statement)
{
    if (m_report.dataLine > 0) {
        m_problems.error(statement.line,
                         QStringLiteral("second data source: %1 after the %2 of line %3 (E_RW13BC)")
                             .arg(primary(statement.kind), primary(m_report.dataKind))
                             .arg(m_report.dataLine));
        return;
    }
    m_report.dataLine = statement.line;
    m_report.dataKind = statement.kind;
}

// Columns with an optional ":direction"; commas between them are optional.
void StatementRules::sortColumns(const SourceStatement &statement)
{
    startColumns(statement, m_report.sort, "E_RW139F");
    bool direction = false;
    for (const SourceToken &token : statement.arguments) {
        if (token.type != SourceToken::Word) {
            direction = token.type == SourceToken::Symbol && text(token) == ":";
            continue;
        }
        if (std::exchange(direction, false))
            continue;
        const QByteArrayView name = text(token);
        if (name.compare("report", Qt::CaseInsensitive) == 0
            || name.compare("page", Qt::CaseInsensitive) == 0
            || name.compare("detail", Qt::CaseInsensitive) == 0) {
            m_problems.error(
                statement.line,
                QStringLiteral(".SORT on %1, a reserved name (E_RW1392)").arg(excerpt(name)));
            continue;
        }
        addColumn(statement, token, m_report.sort, "E_RW1394");
    }
}

void StatementRules::breakColumns(const SourceStatement &statement)
{
    startColumns(statement, m_report.breaks, "E_RW13A6");
    for (const SourceToken &token : statement.arguments) {
        if (token.type == SourceToken::Word)
            addColumn(statement, token, m_report.breaks, "E_RW139E");
    }
}

// .SORT and .BREAK may each be given once.
void StatementRules::startColumns(const SourceStatement &statement, ColumnList &list,
                                  const char *twiceCode)
{
    if (list.seen) {
        m_problems.error(statement.line,
                         QStringLiteral("%1 given twice (%2)")
                             .arg(primary(statement.kind), QLatin1StringView(twiceCode)));
    }
    list.seen = true;
}

void StatementRules::addColumn(const SourceStatement &statement, const SourceToken &token,
                               ColumnList &list, const char *duplicateCode)
{
    const QByteArray column = text(token).toByteArray().toLower();
    if (column.startsWith('$')) {
        list.variables = true;
    } else if (list.names.contains(column)) {
        m_problems.error(statement.line, QStringLiteral("%1 names %2 twice (%3)")
                                             .arg(primary(statement.kind), excerpt(text(token)),
                                                  QLatin1StringView(duplicateCode)));
    } else {
        list.names.insert(column);
    }
}

// .HEADER and .FOOTER name report, page, detail, a break column or a
// $parameter; .DETAIL names nothing.
void StatementRules::heading(const SourceStatement &statement)
{
    if (statement.kind == K::Detail) {
        enterSection(statement, "detail");
        return;
    }
    const QString keyword = primary(statement.kind);
    if (statement.arguments.isEmpty()) {
        closeSection();
        m_problems.error(statement.line,
                         QStringLiteral("%1 without a break name (E_RW138D)").arg(keyword));
        return;
    }
    const SourceToken &name = statement.arguments.first();
    const QByteArray word = text(name).toByteArray().toLower();
    if (name.type != SourceToken::Word) {
        closeSection();
        m_problems.error(statement.line, QStringLiteral("%1 with a bad break name %2 (E_RW138D)")
                                             .arg(keyword, excerpt(text(name))));
        return;
    }
    if (word.startsWith('$')) {
        closeSection();
        return;
    }
    const QByteArray prefix = statement.kind == K::Header ? "h:" : "f:";
    if (word == "detail" && statement.kind == K::Header) {
        enterSection(statement, "detail");
        return;
    }
    const QByteArray key = prefix + word;
    if (word != "report" && word != "page" && word != "detail" && key != m_section.key)
        checkBreakColumn(statement, word);
    enterSection(statement, key);
}

// The report program checks a heading's column against the .SORT and
// .BREAK lists it has read so far.
void StatementRules::checkBreakColumn(const SourceStatement &statement, const QByteArray &column)
{
    const QString heading =
        primary(statement.kind) + QLatin1Char(' ') + excerpt(text(statement.arguments.first()));
    if (!m_report.sort.seen && !m_report.breaks.seen) {
        m_problems.error(
            statement.line,
            QStringLiteral("%1: no .SORT or .BREAK before it (E_RW139B)").arg(heading));
    } else if (m_report.breaks.seen) {
        if (!m_report.breaks.covers(column)) {
            m_problems.error(
                statement.line,
                QStringLiteral("%1: .BREAK does not name the column (E_RW139C)").arg(heading));
        }
    } else if (!m_report.sort.covers(column)) {
        m_problems.error(
            statement.line,
            QStringLiteral("%1: .SORT does not name the column (E_RW138C)").arg(heading));
    }
}

// A heading may open each section once; opening the one the text is in
// again is harmless.
void StatementRules::enterSection(const SourceStatement &statement, const QByteArray &key)
{
    if (key == m_section.key)
        return;
    closeSection();
    m_section.key = key;
    const auto defined = m_report.sections.constFind(key);
    if (defined == m_report.sections.constEnd()) {
        m_report.sections.insert(key, statement.line);
        return;
    }
    QString heading = primary(statement.kind);
    if (!statement.arguments.isEmpty())
        heading += QLatin1Char(' ') + excerpt(text(statement.arguments.first()));
    m_problems.error(statement.line, QStringLiteral("%1 defined twice, first on line %2 (E_RW1399)")
                                         .arg(heading)
                                         .arg(defined.value()));
}

// The report program closes an open .WITHIN silently at the end of its
// section, but block mode and underlining stay on.
void StatementRules::closeSection()
{
    for (const int line : std::as_const(m_section.blocks)) {
        m_problems.warning(line, QStringLiteral(".BLOCK without .ENDBLOCK: block mode stays on"));
    }
    if (m_section.underlineLine > 0) {
        m_problems.warning(m_section.underlineLine,
                           QStringLiteral(".UNDERLINE without .NOUNDERLINE: underlining stays on"));
    }
    m_section = Section();
}

void StatementRules::within(const SourceStatement &statement)
{
    if (statement.arguments.isEmpty()) {
        m_problems.error(statement.line,
                         QStringLiteral(".WITHIN without a column list (E_RW10A2)"));
    }
    if (m_section.withinLine > 0) {
        m_problems.error(statement.line, QStringLiteral(".WITHIN inside the .WITHIN of line %1 "
                                                        "(E_RW10A5)")
                                             .arg(m_section.withinLine));
        return;
    }
    m_section.withinLine = statement.line;
    m_section.brackets.append(true);
}

void StatementRules::endWithin(const SourceStatement &statement)
{
    if (m_section.withinLine == 0) {
        m_problems.error(statement.line, QStringLiteral(".ENDWITHIN without .WITHIN (E_RW10A6)"));
        return;
    }
    m_section.withinLine = 0;
    while (!m_section.brackets.isEmpty() && !m_section.brackets.takeLast()) {
    }
}

// A bare .END closes the innermost .BEGIN, or else an open .WITHIN.
void StatementRules::end()
{
    if (m_section.brackets.isEmpty())
        return;
    if (m_section.brackets.takeLast())
        m_section.withinLine = 0;
}

void StatementRules::conditional(const SourceStatement &statement)
{
    const int line = statement.line;
    const QString name = primary(statement.kind);
    if (statement.kind == K::If) {
        m_ifs.append({line, line, K::If});
        return;
    }
    if (m_ifs.isEmpty()) {
        m_problems.error(line, QStringLiteral("%1 without .IF (E_RW13C1)").arg(name));
        return;
    }
    OpenIf &open = m_ifs.last();
    switch (statement.kind) {
    case K::Then:
        if (!open.awaitingThen)
            m_problems.error(line, QStringLiteral(".THEN without .IF or .ELSEIF (E_RW13C1)"));
        open.awaitingThen = false;
        break;
    case K::ElseIf:
    case K::Else:
        if (open.elseSeen) {
            m_problems.error(line,
                             QStringLiteral("%1 after the .ELSE of this .IF (E_RW13C2)").arg(name));
        }
        if (statement.kind == K::Else) {
            open.elseSeen = true;
        } else {
            // Its .THEN still belongs to it.
            open.awaitingThen = true;
            open.conditionLine = line;
            open.conditionKind = K::ElseIf;
        }
        break;
    default:
        m_ifs.removeLast();
        break;
    }
}

void StatementRules::finish()
{
    checkAlignment(SourceStatement());
    for (const OpenIf &open : std::as_const(m_ifs)) {
        if (open.awaitingThen) {
            m_problems.error(
                open.conditionLine,
                QStringLiteral("%1 without .THEN (E_RW13C3)").arg(primary(open.conditionKind)));
        }
        m_problems.error(open.line,
                         QStringLiteral(".IF without .ENDIF: the text ends inside it (E_RW13A2)"));
    }
    m_ifs.clear();
    finishReport();
    if (m_named)
        return;
    const QString noName = QStringLiteral("no .NAME: a report begins with .NAME (E_RW138A)");
    if (m_beforeNameProblem >= 0)
        m_problems[m_beforeNameProblem].message = noName;
    else
        m_problems.error(1, noName);
}
