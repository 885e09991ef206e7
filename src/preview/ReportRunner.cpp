#include "preview/ReportRunner.h"

#include <QRegularExpression>

namespace {

constexpr int MaximumPageWidth = 10000;

const QStringList &specialNames()
{
    static const QStringList names = {
        QStringLiteral("page_number"),     QStringLiteral("line_number"),
        QStringLiteral("position_number"), QStringLiteral("left_margin"),
        QStringLiteral("right_margin"),    QStringLiteral("page_length"),
        QStringLiteral("page_width"),      QStringLiteral("current_date"),
        QStringLiteral("cur_date"),        QStringLiteral("current_time"),
        QStringLiteral("cur_time"),        QStringLiteral("current_day"),
        QStringLiteral("w_name"),          QStringLiteral("within_name"),
        QStringLiteral("w_column")};
    return names;
}

Value typedValue(const QString &text, ValueType type)
{
    switch (type) {
    case ValueType::Integer:
    case ValueType::SmallInt:
        return Value::fromNumber(text.trimmed().toDouble(), true);
    case ValueType::Float:
    case ValueType::Money:
        return Value::fromNumber(text.trimmed().toDouble());
    case ValueType::Date: {
        const QDateTime when = parseDate(text);
        return when.isValid() ? Value::fromDate(when) : Value::fromText(text);
    }
    case ValueType::Char:
    case ValueType::VarChar:
        break;
    }
    return Value::fromText(text);
}

} // namespace

ReportFlags ReportFlags::parse(const QStringList &flags)
{
    ReportFlags result;
    static const QRegularExpression parameter(
        QStringLiteral("\\s*([A-Za-z_]\\w*)\\s*=\\s*('(?:[^']|'')*'|\"[^\"]*\"|[^,)]*)"));
    for (const QString &flag : flags) {
        if (flag.startsWith(QLatin1Char('('))) {
            QRegularExpressionMatchIterator matches = parameter.globalMatch(flag);
            while (matches.hasNext()) {
                const QRegularExpressionMatch match = matches.next();
                QString value = match.captured(2).trimmed();
                if (value.size() >= 2
                    && (value.startsWith(QLatin1Char('\'')) || value.startsWith(QLatin1Char('"'))))
                    value = value.mid(1, value.size() - 2);
                result.parameters.insert(match.captured(1).toLower(), value);
            }
        } else if (flag.startsWith(QLatin1String("-l")) && flag.size() > 2) {
            result.pageWidth = flag.mid(2).toInt();
        } else if (flag.startsWith(QLatin1String("-v")) && flag.size() > 2) {
            result.pageLength = flag.mid(2).toInt();
        } else if (flag == QLatin1String("+b")) {
            result.formFeeds = true;
        } else if (flag == QLatin1String("-b")) {
            result.formFeeds = false;
        } else if (flag == QLatin1String("-h")) {
            result.headersWithoutRows = true;
        }
    }
    return result;
}

ReportRunner::ReportRunner(const ReportSource &source, const PreviewOptions &options,
                           PreviewObserver &observer)
    : m_source(source),
      m_options(options),
      m_observer(observer),
      m_flags(ReportFlags::parse(options.reportFlags))
{
}

ReportRunner::~ReportRunner() = default;

void ReportRunner::report(int line, const QString &message)
{
    const QString key = QString::number(line) + QLatin1Char(':') + message;
    if (m_reported.contains(key))
        return;
    m_reported.insert(key);
    m_observer.message({line, message});
}

void ReportRunner::prepareColumns(const QList<ColumnInfo> &columns)
{
    m_columns = columns;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_columnIndex.contains(m_columns[i].name))
            m_columnIndex.insert(m_columns[i].name, i);
        m_columnFormats.append(DisplayFormat::forColumn(m_columns[i]));
    }
    m_oneTimeFormats.resize(m_columns.size());
    m_columnPositions.fill(-1, m_columns.size());
    m_columnWidths.fill(-1, m_columns.size());
    m_breakNames = m_source.breakColumns();
    for (const QString &name : std::as_const(m_breakNames)) {
        const int column = columnIndex(name);
        if (column < 0)
            throw RunStopped{PreviewOutcome::Failed};
        m_breakColumns.append(column);
    }
}

void ReportRunner::prepareVariables()
{
    for (const Declaration &declaration : m_source.declarations) {
        const ColumnInfo variable = columnFromDeclaredType(declaration.name, declaration.type);
        const ValueType type = variable.type;
        m_variableTypes.insert(declaration.name, variable);
        m_variables.insert(declaration.name,
                           declaration.hasValue ? typedValue(declaration.value, type) : Value());
    }
    QMap<QString, QString> parameters;
    for (auto it = m_options.parameters.cbegin(); it != m_options.parameters.cend(); ++it)
        parameters.insert(it.key().toLower(), it.value());
    for (auto it = m_flags.parameters.cbegin(); it != m_flags.parameters.cend(); ++it)
        parameters.insert(it.key(), it.value());
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it) {
        const ValueType type = m_variableTypes.value(it.key(), ColumnInfo()).type;
        m_variables.insert(it.key(), typedValue(it.value(), type));
    }
}

int ReportRunner::columnIndex(const QString &name) const
{
    return m_columnIndex.value(name.toLower(), -1);
}

bool ReportRunner::isVariable(const QString &name) const
{
    return m_variables.contains(name);
}

bool ReportRunner::isSpecial(const QString &name) const
{
    return specialNames().contains(name);
}

int ReportRunner::addAggregate(const AggregateCall &call, QString *error)
{
    int level = 0;
    if (call.cumulative) {
        if (!call.cumulativeBreak.isEmpty() && call.cumulativeBreak != QLatin1String("report")) {
            level = int(m_breakNames.indexOf(call.cumulativeBreak)) + 1;
            if (level == 0) {
                *error = QStringLiteral("'%1' is not a break column").arg(call.cumulativeBreak);
                return -1;
            }
        }
    } else if (m_compiling == SectionKind::BreakFooter) {
        level = m_compilingLevel;
    } else if (m_compiling == SectionKind::PageFooter) {
        level = AggregateState::PageLevel;
    } else if (m_compiling != SectionKind::ReportFooter) {
        *error =
            QStringLiteral("an aggregate that is not cum is allowed only in a footer (E_RW106E)");
        return -1;
    }
    if (call.function.endsWith(QLatin1Char('u')) && !m_breakColumns.contains(call.column)) {
        *error = QStringLiteral("a unique aggregate needs a break column (E_RW107B)");
        return -1;
    }
    if (call.preset && (call.function.startsWith(QLatin1String("avg")))) {
        *error = QStringLiteral("avg takes no preset (E_RW1077)");
        return -1;
    }
    m_aggregates.emplace_back(call, level);
    return int(m_aggregates.size()) - 1;
}

CommandList ReportRunner::compileSection(const QString &key, SectionKind kind, int level)
{
    m_compiling = kind;
    m_compilingLevel = level;
    CommandCompiler compiler(*this);
    return compiler.compile(m_source.sections.value(key));
}

void ReportRunner::compileSections()
{
    m_reportHeader = compileSection(QStringLiteral("header:report"), SectionKind::ReportHeader, 0);
    m_reportFooter = compileSection(QStringLiteral("footer:report"), SectionKind::ReportFooter, 0);
    m_pageHeader = compileSection(QStringLiteral("header:page"), SectionKind::PageHeader, 0);
    m_pageFooter = compileSection(QStringLiteral("footer:page"), SectionKind::PageFooter, 0);
    m_detail = compileSection(QStringLiteral("detail"), SectionKind::Detail, 0);
    m_breakHeaders.resize(m_breakNames.size() + 1);
    m_breakFooters.resize(m_breakNames.size() + 1);
    for (int level = 1; level <= m_breakNames.size(); ++level) {
        const QString &name = m_breakNames[level - 1];
        m_breakHeaders[level] =
            compileSection(QStringLiteral("header:") + name, SectionKind::BreakHeader, level);
        m_breakFooters[level] =
            compileSection(QStringLiteral("footer:") + name, SectionKind::BreakFooter, level);
    }
    for (auto it = m_source.sections.cbegin(); it != m_source.sections.cend(); ++it) {
        const QString target = it.key().section(QLatin1Char(':'), 1);
        if (it.key() == QLatin1String("detail") || target == QLatin1String("report")
            || target == QLatin1String("page") || m_breakNames.contains(target))
            continue;
        if (it.value().isEmpty())
            continue;
        // A section drawn but not yet told what it heads names nothing.
        report(
            it.value().first().line,
            target.isEmpty()
                ? QStringLiteral("not previewed: a section that names neither report, page "
                                 "nor a sort column")
                : QStringLiteral("not previewed: the section for '%1', which is not a break column")
                      .arg(target));
    }
    placeAccumulation();
}

// The detail counts a row for a column's aggregates right after it prints
// the column; when it does not print it, at its start after any leading
// .NEED, .NEWLINE and .NEWPAGE.
void ReportRunner::placeAccumulation()
{
    QList<int> keys;
    for (const AggregateState &aggregate : m_aggregates) {
        if (!keys.contains(aggregate.call().column))
            keys.append(aggregate.call().column);
    }
    Command atStart;
    atStart.kind = Command::Accumulate;
    for (const int key : std::as_const(keys)) {
        bool placed = false;
        for (Command &command : m_detail) {
            if (command.kind != Command::Print || key < 0)
                continue;
            for (PrintItem &item : command.items) {
                if (item.column == key) {
                    item.accumulateAfter.push_back(key);
                    placed = true;
                    break;
                }
            }
            if (placed)
                break;
        }
        if (!placed)
            atStart.columns.push_back(key);
    }
    if (atStart.columns.empty())
        return;
    auto at = m_detail.begin();
    while (at != m_detail.end()
           && (at->kind == Command::Need || at->kind == Command::NewLine
               || at->kind == Command::NewPage))
        ++at;
    m_detail.insert(at, atStart);
}

void ReportRunner::accumulate(int key)
{
    for (AggregateState &aggregate : m_aggregates) {
        if (aggregate.call().column == key)
            aggregate.add(*this);
    }
}

void ReportRunner::resetAggregates(int level)
{
    for (AggregateState &aggregate : m_aggregates) {
        if (aggregate.resetLevel() == level)
            aggregate.reset(*this);
    }
}

Value ReportRunner::columnValue(int column) const
{
    const QList<Value> &row = m_usePrevious ? m_previous : m_row;
    return column >= 0 && column < row.size() ? row[column] : Value();
}

Value ReportRunner::variableValue(const QString &name) const
{
    return m_variables.value(name);
}

Value ReportRunner::specialValue(const QString &name) const
{
    if (name == QLatin1String("page_number"))
        return Value::fromNumber(m_pageNumber, true);
    if (name == QLatin1String("line_number"))
        return Value::fromNumber(m_lineNumber, true);
    if (name == QLatin1String("position_number"))
        return Value::fromNumber(m_writer->buffer.position(), true);
    if (name == QLatin1String("left_margin"))
        return Value::fromNumber(m_writer->left, true);
    if (name == QLatin1String("right_margin"))
        return Value::fromNumber(m_writer->right, true);
    if (name == QLatin1String("page_length"))
        return Value::fromNumber(m_pageLength, true);
    if (name == QLatin1String("page_width"))
        return Value::fromNumber(m_pageWidth, true);
    const QDateTime now = QDateTime::currentDateTime();
    if (name == QLatin1String("current_date") || name == QLatin1String("cur_date"))
        return Value::fromDate(QDateTime(now.date(), QTime(0, 0), Qt::UTC));
    if (name == QLatin1String("current_time") || name == QLatin1String("cur_time"))
        return Value::fromDate(QDateTime(now.date(), now.time(), Qt::UTC));
    if (name == QLatin1String("current_day"))
        return Value::fromText(now.toString(QStringLiteral("dddd")));
    if (name == QLatin1String("w_name") || name == QLatin1String("within_name"))
        return Value::fromText(m_withinColumn >= 0 ? m_columns[m_withinColumn].name : QString());
    return {};
}

Value ReportRunner::aggregateValue(int aggregate) const
{
    return m_aggregates[aggregate].value();
}

PreviewOutcome ReportRunner::run(RowSource &rows)
{
    try {
        try {
            prepareColumns(rows.columns());
        } catch (const RunStopped &) {
            for (const QString &name : std::as_const(m_breakNames)) {
                if (columnIndex(name) < 0)
                    m_observer.message(
                        {0, QStringLiteral("the break column '%1' is not in the data (E_RW13F9)")
                                .arg(name)});
            }
            return PreviewOutcome::Failed;
        }
        prepareVariables();
        if (m_flags.pageWidth)
            m_pageWidth = *m_flags.pageWidth;
        else if (!m_source.pageWidth.isEmpty())
            m_pageWidth = m_source.pageWidth.startsWith(QLatin1Char('$'))
                              ? int(variableValue(m_source.pageWidth.mid(1).toLower()).toNumber())
                              : m_source.pageWidth.toInt();
        // Wider than any printer; a width from a typing slip would only
        // make every line that long.
        if (m_pageWidth <= 0 || m_pageWidth > MaximumPageWidth)
            m_pageWidth = m_pageWidth <= 0 ? 132 : MaximumPageWidth;
        compileSections();
        computeDefaults();
        if (m_flags.pageLength)
            m_pageLength = *m_flags.pageLength;
        m_formFeeds = m_flags.formFeeds.value_or(false);

        QList<Value> row;
        const bool any = rows.next(row);
        if (!any && !rows.error().isEmpty()) {
            m_observer.message({m_source.dataLine, rows.error()});
            return PreviewOutcome::Failed;
        }
        if (!any && !m_flags.headersWithoutRows) {
            m_observer.message(
                {m_source.dataLine, QStringLiteral("No data: the query returned no rows")});
            return PreviewOutcome::Finished;
        }
        if (any)
            m_row = row;
        else
            m_row = QList<Value>(m_columns.size());
        m_previous = m_row;
        m_rows = any ? 1 : 0;
        for (int level = 0; level <= m_breakNames.size(); ++level)
            resetAggregates(level);
        resetAggregates(AggregateState::PageLevel);
        runSection(m_reportHeader);
        for (int level = 1; level <= m_breakNames.size(); ++level)
            runSection(m_breakHeaders[level]);
        if (any)
            runSection(m_detail);
        while (any && rows.next(row)) {
            if (m_observer.cancelRequested())
                throw RunStopped{PreviewOutcome::Cancelled};
            if (++m_rows % 1000 == 0)
                m_observer.rowsRead(m_rows);
            // The three rows take turns: the one read becomes the current,
            // the current the previous, and the oldest is read into next.
            std::swap(m_previous, m_row);
            std::swap(m_row, row);
            int changed = 0;
            for (int level = 1; level <= m_breakColumns.size() && changed == 0; ++level) {
                const int column = m_breakColumns[level - 1];
                if (compareValues(m_row[column], m_previous[column]) != 0
                    || m_row[column].isNull() != m_previous[column].isNull())
                    changed = level;
            }
            if (changed > 0) {
                m_usePrevious = true;
                for (int level = int(m_breakNames.size()); level >= changed; --level)
                    runSection(m_breakFooters[level]);
                m_usePrevious = false;
                for (int level = changed; level <= m_breakNames.size(); ++level) {
                    resetAggregates(level);
                    runSection(m_breakHeaders[level]);
                }
            }
            runSection(m_detail);
        }
        if (!rows.error().isEmpty()) {
            m_observer.message({m_source.dataLine, rows.error()});
            return PreviewOutcome::Failed;
        }
        m_observer.rowsRead(m_rows);
        for (int level = int(m_breakNames.size()); level >= 1; --level)
            runSection(m_breakFooters[level]);
        runSection(m_reportFooter);
        endReport();
    } catch (const RunStopped &stopped) {
        // A cancelled run gives the pages it finished, not the one it was on.
        try {
            deliverHeldPage(false);
        } catch (const RunStopped &) {
            // The page limit was reached with this very page.
        }
        return stopped.outcome;
    }
    return PreviewOutcome::Finished;
}

void ReportRunner::runSection(const CommandList &commands)
{
    for (const Command &command : commands)
        runCommand(command);
}
