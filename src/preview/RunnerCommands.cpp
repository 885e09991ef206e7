// The formatting statements: horizontal movement, printing, blocks, and the
// dry run that finds the default margins and column positions.

#include "preview/ReportRunner.h"

namespace {

int countOf(const PositionArgument &argument)
{
    if (!argument.given || !argument.value || argument.value->operation != Expression::Constant)
        return 1;
    return std::max(1, int(argument.value->constant.toNumber()));
}

} // namespace

int ReportRunner::evaluateNumber(const PositionArgument &argument, int fallback)
{
    if (!argument.given)
        return fallback;
    return int(argument.value->evaluate(*this).toNumber());
}

// The column a position argument names: n, +n/-n from relativeTo, or a
// column's default position.
int ReportRunner::positionOf(const PositionArgument &argument, int relativeTo)
{
    if (argument.column >= 0)
        return std::max(m_columnPositions[argument.column], 0);
    const int number = int(argument.value->evaluate(*this).toNumber());
    return argument.sign == 0 ? number : relativeTo + argument.sign * number;
}

DisplayFormat ReportRunner::formatFor(const PrintItem &item, const Value &value)
{
    // .TFORMAT wins over everything for the column's next print.
    if (item.column >= 0 && m_oneTimeFormats[item.column]) {
        DisplayFormat format = *m_oneTimeFormats[item.column];
        m_oneTimeFormats[item.column].reset();
        return format;
    }
    if (item.format)
        return *item.format;
    if (item.column >= 0)
        return m_columnFormats[item.column];
    const Expression &expression = *item.expression;
    if (expression.operation == Expression::Aggregate) {
        const AggregateCall &call = m_aggregates[expression.index].call();
        const QString &function = call.function;
        if (function.startsWith(QLatin1String("count")) || function == QLatin1String("any")) {
            DisplayFormat format;
            format.kind = DisplayFormat::Integer;
            const int width =
                call.column >= 0 ? m_columnFormats[call.column].fieldWidth(value) : 12;
            format.width = std::min(width > 0 ? width : 12, 12);
            return format;
        }
        if (call.column >= 0)
            return m_columnFormats[call.column];
    }
    if (expression.operation == Expression::Special && value.kind == Value::Number) {
        DisplayFormat format;
        format.kind = DisplayFormat::Integer;
        format.width = 6;
        return format;
    }
    // A declared variable prints with its type's format, as a column would.
    if (expression.operation == Expression::Variable && m_variableTypes.contains(expression.name))
        return DisplayFormat::forColumn(m_variableTypes.value(expression.name));
    DisplayFormat format = DisplayFormat::forValue(value);
    // A string expression prints in full, blanks included.
    if (value.kind == Value::Text)
        format.width = int(value.text.size());
    return format;
}

void ReportRunner::applySettings(const Command &command)
{
    for (const ColumnSetting &setting : command.settings) {
        for (const int column : setting.columns) {
            if (command.kind == Command::Format)
                m_columnFormats[column] = *setting.format;
            else if (command.kind == Command::TFormat)
                m_oneTimeFormats[column] = *setting.format;
            if (setting.position >= 0)
                m_columnPositions[column] = setting.position;
            if (setting.width > 0)
                m_columnWidths[column] = setting.width;
        }
    }
}

void ReportRunner::runCommand(const Command &command)
{
    Writer &writer = *m_writer;
    LineBuffer &buffer = writer.buffer;
    try {
        switch (command.kind) {
        case Command::Print:
            runPrint(command);
            break;
        case Command::NewLine:
            newLine(std::max(evaluateNumber(command.position, 1), 1));
            break;
        case Command::Need:
            need(std::max(evaluateNumber(command.position, 1), 1));
            break;
        case Command::NewPage:
            newPage(command.position, command.line);
            break;
        case Command::Tab: {
            if (!command.position.given) {
                buffer.setPosition(writer.left);
                break;
            }
            const int target = positionOf(command.position, buffer.position());
            if (target < 0) {
                report(command.line,
                       QStringLiteral("a .TAB before column 0 goes to column 0 (E_RW10D0)"));
                buffer.setPosition(0);
            } else if (target > m_pageWidth) {
                report(command.line,
                       QStringLiteral("a .TAB beyond the page width is ignored (E_RW10D1)"));
            } else {
                buffer.setPosition(target);
            }
            break;
        }
        case Command::Adjust:
            writer.adjust = &command;
            break;
        case Command::LineStart:
            buffer.setPosition(writer.left);
            break;
        case Command::LineEnd:
            buffer.setPosition(std::max(buffer.lineEnd(), writer.left));
            break;
        case Command::PageLength:
            if (!m_flags.pageLength)
                m_pageLength = evaluateNumber(command.position, 61);
            break;
        case Command::LeftMargin: {
            const int margin =
                command.position.given ? positionOf(command.position, writer.left) : 0;
            if (margin < 0 || margin > m_pageWidth - 5)
                report(command.line,
                       QStringLiteral(
                           "the left margin must be from 0 to the page width - 5 (E_RW10C9)"));
            else
                writer.left = margin;
            break;
        }
        case Command::RightMargin: {
            const int margin =
                command.position.given ? positionOf(command.position, writer.right) : 100;
            if (margin < 1 || margin > m_pageWidth)
                report(
                    command.line,
                    QStringLiteral("the right margin must be from 1 to the page width (E_RW10CE)"));
            else
                writer.right = margin;
            break;
        }
        case Command::FormFeeds:
            if (!m_flags.formFeeds)
                m_formFeeds = true;
            break;
        case Command::NoFormFeeds:
            if (!m_flags.formFeeds)
                m_formFeeds = false;
            break;
        case Command::NoFirstFormFeed:
            m_noFirstFormFeed = true;
            break;
        case Command::Format:
        case Command::TFormat:
        case Command::Position:
        case Command::Width:
            applySettings(command);
            break;
        case Command::Block:
            if (writer.blockDepth++ == 0) {
                writer.blockTop = buffer.currentLine();
                writer.blockFinished = false;
            }
            break;
        case Command::EndBlock:
            if (writer.blockDepth > 0 && --writer.blockDepth == 0) {
                if (writer.blockFinished) {
                    writeBufferedLines();
                    buffer.setPosition(writer.left);
                } else {
                    buffer.setCurrentLine(writer.blockTop);
                }
            }
            break;
        case Command::Top:
            buffer.setCurrentLine(writer.blockTop);
            buffer.setPosition(writer.left);
            break;
        case Command::Bottom:
            buffer.setCurrentLine(std::max(buffer.lastStartedLine(), 0));
            buffer.setPosition(writer.left);
            break;
        case Command::Within:
            runWithin(command);
            break;
        case Command::Underline:
            writer.underline = true;
            break;
        case Command::NoUnderline:
            writer.underline = false;
            break;
        case Command::NullString:
            m_nullString = command.text;
            break;
        case Command::UnderlineCharacter:
            m_underlineCharacter = command.text.front();
            break;
        case Command::If:
            for (const auto &[condition, body] : command.branches) {
                if (condition->evaluate(*this).truth()) {
                    runSection(body);
                    return;
                }
            }
            runSection(command.otherwise);
            break;
        case Command::Let: {
            const Value value = command.value->evaluate(*this);
            const ValueType type = m_variableTypes.value(command.text, ColumnInfo()).type;
            if ((type == ValueType::Integer || type == ValueType::SmallInt) && !value.isNull())
                m_variables[command.text] = Value::fromNumber(std::trunc(value.toNumber()), true);
            else if ((type == ValueType::Float || type == ValueType::Money) && !value.isNull())
                m_variables[command.text] = Value::fromNumber(value.toNumber());
            else if ((type == ValueType::Char || type == ValueType::VarChar)
                     && value.kind == Value::Number)
                m_variables[command.text] = Value::fromText(value.toText());
            else
                m_variables[command.text] = value;
            break;
        }
        case Command::Accumulate:
            for (const int column : command.columns)
                accumulate(column);
            break;
        case Command::NotPreviewed:
            report(command.line, command.text);
            break;
        }
    } catch (const EvaluationError &error) {
        report(command.line, error.message);
    }
}

void ReportRunner::runPrint(const Command &command)
{
    Writer &writer = *m_writer;
    LineBuffer &buffer = writer.buffer;
    const Command *adjust = writer.adjust;
    writer.adjust = nullptr;
    const QChar underline = writer.underline ? m_underlineCharacter : QChar();
    QString collected;
    for (const PrintItem &item : command.items) {
        Value value;
        try {
            value = item.expression->evaluate(*this);
        } catch (const EvaluationError &error) {
            report(command.line, error.message);
        }
        const DisplayFormat format = formatFor(item, value);
        // Only wrapping formats give more lines than the first.
        const QStringList lines =
            format.wraps() ? format.apply(value, m_nullString) : QStringList();
        const QString first = lines.isEmpty() ? format.applyLine(value, m_nullString) : lines[0];
        if (format.isNumeric() && !value.isNull() && first.startsWith(QLatin1Char('*'))
            && first.count(QLatin1Char('*')) == first.size())
            report(command.line,
                   QStringLiteral("a value does not fit its format and prints as stars"));
        if (adjust) {
            collected += first;
        } else {
            const int start = buffer.position();
            buffer.write(first, underline, writer.left, writer.right);
            for (int extra = 1; extra < lines.size(); ++extra)
                buffer.writeAt(extra, start, lines[extra], underline);
        }
        for (const int column : item.accumulateAfter)
            accumulate(column);
    }
    if (adjust) {
        const QString text = collected.trimmed();
        const PositionArgument &argument = adjust->position;
        int anchor = -1;
        const bool column = argument.column >= 0;
        const int columnStart = column ? std::max(m_columnPositions[argument.column], 0) : 0;
        const int columnWidth = column ? std::max(m_columnWidths[argument.column], 0) : 0;
        if (argument.given && !column)
            anchor = positionOf(argument, buffer.position());
        if (anchor < 0 || anchor > m_pageWidth) {
            if (argument.given && !column)
                report(adjust->line,
                       QStringLiteral(
                           "the position is outside the page; the margin is used (E_RW10DC)"));
            anchor = -1;
        }
        int start = 0;
        switch (adjust->adjust) {
        case StatementKind::Left:
            start = column ? columnStart : (anchor >= 0 ? anchor : writer.left);
            break;
        case StatementKind::Center: {
            const int centre = column ? columnStart + columnWidth / 2
                                      : (anchor >= 0 ? anchor : (writer.left + writer.right) / 2);
            start = centre - int(text.size()) / 2;
            break;
        }
        default: {
            const int end =
                column ? columnStart + columnWidth : (anchor >= 0 ? anchor : writer.right);
            start = end - int(text.size());
            break;
        }
        }
        buffer.setPosition(std::max(start, 0));
        buffer.write(text, underline, writer.left, writer.right);
    }
    if (command.newlineAfter)
        newLine(1);
}

void ReportRunner::runWithin(const Command &command)
{
    Writer &writer = *m_writer;
    std::vector<int> columns = command.columns;
    if (command.text == QLatin1String("all"))
        for (int i = 0; i < m_columns.size(); ++i)
            columns.push_back(i);
    const int left = writer.left;
    const int right = writer.right;
    Command block;
    block.kind = Command::Block;
    runCommand(block);
    for (const int column : columns) {
        writer.left = std::max(m_columnPositions[column], 0);
        writer.right = writer.left + std::max(m_columnWidths[column], 1);
        m_withinColumn = column;
        writer.buffer.setPosition(writer.left);
        runSection(command.body);
        writer.buffer.setCurrentLine(writer.blockTop);
    }
    m_withinColumn = -1;
    writer.left = left;
    writer.right = right;
    block.kind = Command::EndBlock;
    runCommand(block);
}

// Walks the statements as if printing, without values: where lines start and
// end, and where each column prints first.
void ReportRunner::dryRun(const CommandList &commands, int &position, int &smallest, int &largest)
{
    for (const Command &command : commands) {
        switch (command.kind) {
        case Command::Print:
            for (const PrintItem &item : command.items) {
                Value value;
                int column = item.column;
                if (item.column < 0 && item.expression->operation != Expression::Aggregate) {
                    try {
                        value = item.expression->evaluate(*this);
                    } catch (const EvaluationError &) {
                        value = Value();
                    }
                }
                if (item.expression->operation == Expression::Aggregate)
                    column = m_aggregates[item.expression->index].call().column;
                int width = 0;
                if (item.format)
                    width = item.format->fieldWidth(value);
                else if (item.column >= 0)
                    width = m_columnFormats[item.column].fieldWidth(value);
                else if (item.expression->operation == Expression::Aggregate && column >= 0)
                    width = m_columnFormats[column].fieldWidth(value);
                else
                    width = formatFor(item, value).fieldWidth(value);
                // A column's default place is where it first prints, as
                // wide as the format it prints with there.
                if (column >= 0 && m_columnPositions[column] < 0) {
                    m_columnPositions[column] = position;
                    if (m_columnWidths[column] < 0 && item.column >= 0)
                        m_columnWidths[column] = width;
                }
                if (width > 0) {
                    smallest = std::min(smallest, position);
                    largest = std::max(largest, position + width);
                }
                position += width;
            }
            if (command.newlineAfter)
                position = 0;
            break;
        case Command::NewLine:
        case Command::LineStart:
            position = 0;
            break;
        case Command::Tab:
            if (!command.position.given)
                position = 0;
            else if (command.position.column >= 0)
                position = std::max(m_columnPositions[command.position.column], 0);
            else if (command.position.value->operation == Expression::Constant)
                position = std::max(0, positionOf(command.position, position));
            break;
        case Command::Format:
        case Command::Position:
            applySettings(command);
            break;
        case Command::If:
            for (const auto &branch : command.branches)
                dryRun(branch.second, position, smallest, largest);
            dryRun(command.otherwise, position, smallest, largest);
            break;
        case Command::Within:
            dryRun(command.body, position, smallest, largest);
            break;
        default:
            break;
        }
    }
}

int ReportRunner::countLines(const CommandList &commands) const
{
    int lines = 0;
    bool pending = false;
    for (const Command &command : commands) {
        if (command.kind == Command::NewLine) {
            lines += countOf(command.position);
            pending = false;
        } else if (command.kind == Command::Print) {
            pending = !command.newlineAfter;
            lines += command.newlineAfter ? 1 : 0;
        } else if (command.kind == Command::If) {
            int most = countLines(command.otherwise);
            for (const auto &branch : command.branches)
                most = std::max(most, countLines(branch.second));
            lines += most;
        }
    }
    return lines + (pending ? 1 : 0);
}

void ReportRunner::computeDefaults()
{
    QList<DisplayFormat> formats = m_columnFormats;
    int smallest = m_pageWidth;
    int largest = 0;
    // Column positions come from the first print in this order.
    std::vector<const CommandList *> order = {&m_detail};
    for (int level = int(m_breakNames.size()); level >= 1; --level) {
        order.push_back(&m_breakFooters[level]);
        order.push_back(&m_breakHeaders[level]);
    }
    order.push_back(&m_pageFooter);
    order.push_back(&m_pageHeader);
    // .FORMAT in the report header sets the formats the others print with.
    int position = 0;
    dryRun(m_reportHeader, position, smallest, largest);
    for (const CommandList *commands : order) {
        position = 0;
        dryRun(*commands, position, smallest, largest);
    }
    position = 0;
    dryRun(m_reportFooter, position, smallest, largest);
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_columnWidths[column] < 0)
            m_columnWidths[column] = m_columnFormats[column].fieldWidth(Value());
    }
    m_columnFormats = formats;
    if (smallest > largest)
        smallest = 0;
    int right = std::min(largest, m_pageWidth);
    if (right <= smallest)
        right = smallest + 5;
    m_reportWriter.left = m_pageWriter.left = smallest;
    m_reportWriter.right = m_pageWriter.right = right;
    m_reportWriter.buffer.setPosition(smallest);
    m_pageWriter.buffer.setPosition(smallest);
    m_footerLines = countLines(m_pageFooter);
}
