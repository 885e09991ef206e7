#include "preview/ReportCommands.h"

#include <QRegularExpression>

#include <deque>

namespace {

struct CompileError
{
    QString message;
};

Command notPreviewed(const RawStatement &statement, const QString &why)
{
    Command command;
    command.kind = Command::NotPreviewed;
    command.line = statement.line;
    QString written = QLatin1Char('.') + statement.name;
    if (!statement.arguments.isEmpty())
        written += QLatin1Char(' ') + statement.arguments;
    written = written.simplified();
    if (written.size() > 60)
        written = written.left(57) + QStringLiteral("...");
    command.text = QStringLiteral("not previewed: %1 (%2)").arg(written, why);
    return command;
}

// A statement group collected while .IF/.WITHIN are open.
struct OpenGroup
{
    Command command;
    std::vector<Command> *target = nullptr;
};

} // namespace

PositionArgument CommandCompiler::position(const QString &text, int line)
{
    PositionArgument argument;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return argument;
    argument.given = true;
    ExpressionParser parser(trimmed, m_names, line);
    if (parser.takeSymbol(QStringLiteral("+")))
        argument.sign = 1;
    else if (parser.takeSymbol(QStringLiteral("-")))
        argument.sign = -1;
    argument.value = parser.parseExpression();
    if (!parser.atEnd())
        throw EvaluationError{QStringLiteral("extra text after the argument")};
    if (argument.value->operation == Expression::Column && argument.sign == 0)
        argument.column = argument.value->index;
    return argument;
}

std::vector<int> CommandCompiler::columnList(const QString &text)
{
    std::vector<int> columns;
    for (const QString &name :
         text.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
        const int column = m_names.columnIndex(name.toLower());
        if (column < 0)
            throw EvaluationError{QStringLiteral("unknown column '%1'").arg(name)};
        columns.push_back(column);
    }
    return columns;
}

void CommandCompiler::compilePrint(Command &command, const RawStatement &statement)
{
    ExpressionParser parser(statement.arguments, m_names, statement.line);
    while (!parser.atEnd()) {
        PrintItem item;
        item.expression = parser.parseExpression();
        if (item.expression->operation == Expression::Column)
            item.column = item.expression->index;
        if (parser.peekSymbol(QStringLiteral("("))) {
            QString error;
            item.format = DisplayFormat::parse(parser.takeGroup(), &error);
            if (!item.format)
                throw EvaluationError{error};
        }
        command.items.push_back(item);
        if (!parser.takeSymbol(QStringLiteral(",")) && !parser.atEnd())
            throw EvaluationError{QStringLiteral("',' expected between items")};
    }
}

// "col, col (fmt) col (fmt)" for .FORMAT/.TFORMAT/.WIDTH/.POSITION: each
// group applies to the columns before it.
void CommandCompiler::compileColumnFormats(Command &command, const RawStatement &statement)
{
    ExpressionParser parser(statement.arguments, m_names, statement.line);
    ColumnSetting setting;
    while (!parser.atEnd()) {
        if (parser.takeSymbol(QStringLiteral(",")))
            continue;
        if (!parser.peekSymbol(QStringLiteral("("))) {
            const QString name = parser.takeWord().toLower();
            const int column = m_names.columnIndex(name);
            if (column < 0)
                throw EvaluationError{QStringLiteral("unknown column '%1'").arg(name)};
            setting.columns.push_back(column);
            continue;
        }
        const QString group = parser.takeGroup();
        if (setting.columns.empty())
            throw EvaluationError{QStringLiteral("a column must come before '(%1)'").arg(group)};
        if (command.kind == Command::Format || command.kind == Command::TFormat) {
            QString error;
            setting.format = DisplayFormat::parse(group, &error);
            if (!setting.format)
                throw EvaluationError{error};
        } else {
            const QStringList numbers = group.split(QLatin1Char(','));
            bool ok = false;
            const int first = numbers.value(0).trimmed().toInt(&ok);
            if (!ok || first < 0)
                throw EvaluationError{QStringLiteral("a number is expected in '(%1)'").arg(group)};
            if (command.kind == Command::Width) {
                setting.width = first;
            } else {
                setting.position = first;
                if (numbers.size() > 1)
                    setting.width = numbers[1].trimmed().toInt();
            }
        }
        command.settings.push_back(setting);
        setting = ColumnSetting();
    }
    if (!setting.columns.empty() || command.settings.empty())
        throw EvaluationError{QStringLiteral("a setting in parentheses is missing")};
}

Command CommandCompiler::compileOne(const RawStatement &statement)
{
    Command command;
    command.line = statement.line;
    const QString &arguments = statement.arguments;
    switch (statement.kind) {
    case StatementKind::Print:
    case StatementKind::PrintLine:
        command.kind = Command::Print;
        command.newlineAfter = statement.kind == StatementKind::PrintLine;
        compilePrint(command, statement);
        return command;
    case StatementKind::NewLine:
        command.kind = Command::NewLine;
        break;
    case StatementKind::Need:
        command.kind = Command::Need;
        break;
    case StatementKind::NewPage:
        command.kind = Command::NewPage;
        break;
    case StatementKind::Tab:
        command.kind = Command::Tab;
        break;
    case StatementKind::Left:
    case StatementKind::Center:
    case StatementKind::Right:
        command.kind = Command::Adjust;
        command.adjust = statement.kind;
        break;
    case StatementKind::LineStart:
        command.kind = Command::LineStart;
        return command;
    case StatementKind::LineEnd:
        command.kind = Command::LineEnd;
        return command;
    case StatementKind::PageLength:
        command.kind = Command::PageLength;
        break;
    case StatementKind::LeftMargin:
        command.kind = Command::LeftMargin;
        break;
    case StatementKind::RightMargin:
        command.kind = Command::RightMargin;
        break;
    case StatementKind::FormFeeds:
        command.kind = Command::FormFeeds;
        return command;
    case StatementKind::NoFormFeeds:
        command.kind = Command::NoFormFeeds;
        return command;
    case StatementKind::NoFirstFormFeed:
        command.kind = Command::NoFirstFormFeed;
        return command;
    case StatementKind::Format:
    case StatementKind::TFormat:
    case StatementKind::Position:
    case StatementKind::Width:
        command.kind = statement.kind == StatementKind::Format    ? Command::Format
                       : statement.kind == StatementKind::TFormat ? Command::TFormat
                       : statement.kind == StatementKind::Width   ? Command::Width
                                                                  : Command::Position;
        compileColumnFormats(command, statement);
        return command;
    case StatementKind::Block:
        command.kind = Command::Block;
        return command;
    case StatementKind::EndBlock:
        command.kind = Command::EndBlock;
        return command;
    case StatementKind::Top:
        command.kind = Command::Top;
        return command;
    case StatementKind::Bottom:
        command.kind = Command::Bottom;
        return command;
    case StatementKind::Underline:
        command.kind = Command::Underline;
        return command;
    case StatementKind::NoUnderline:
        command.kind = Command::NoUnderline;
        return command;
    case StatementKind::NullString: {
        command.kind = Command::NullString;
        ExpressionParser parser(arguments, m_names, statement.line);
        const ExpressionPointer value = parser.parseExpression();
        if (value->operation != Expression::Constant)
            throw EvaluationError{QStringLiteral("a string is expected")};
        command.text = value->constant.toText();
        return command;
    }
    case StatementKind::Let: {
        command.kind = Command::Let;
        ExpressionParser parser(arguments, m_names, statement.line);
        command.text = parser.takeWord().toLower();
        if (command.text.startsWith(QLatin1Char('$')))
            command.text.remove(0, 1);
        if (!m_names.isVariable(command.text))
            throw EvaluationError{
                QStringLiteral("'%1' is not a declared variable").arg(command.text)};
        parser.takeSymbol(QStringLiteral(":"));
        if (!parser.takeSymbol(QStringLiteral("=")))
            throw EvaluationError{QStringLiteral("'=' expected")};
        command.value = parser.parseExpression();
        return command;
    }
    case StatementKind::UlCharacter: {
        command.kind = Command::UnderlineCharacter;
        ExpressionParser parser(arguments, m_names, statement.line);
        const ExpressionPointer value = parser.parseExpression();
        if (value->operation != Expression::Constant || value->constant.kind != Value::Text
            || value->constant.text.size() != 1)
            throw EvaluationError{QStringLiteral("one character in quotes is expected")};
        command.text = value->constant.text;
        return command;
    }
    case StatementKind::EndPrint:
    case StatementKind::EndLet:
    case StatementKind::RbfMarker:
    case StatementKind::Begin:
    case StatementKind::End:
        command.kind = Command::Accumulate; // nothing to do
        return command;
    default:
        throw EvaluationError{QStringLiteral("not interpreted here")};
    }
    command.position = position(arguments, statement.line);
    return command;
}

CommandList CommandCompiler::compile(const QList<RawStatement> &statements)
{
    CommandList result;
    std::deque<OpenGroup> open; // innermost last; a deque keeps the targets in place
    const auto target = [&]() -> std::vector<Command> & {
        if (open.empty())
            return result;
        return *open.back().target;
    };
    for (qsizetype i = 0; i < statements.size(); ++i) {
        const RawStatement &statement = statements[i];
        try {
            switch (statement.kind) {
            case StatementKind::If: {
                OpenGroup group;
                group.command.kind = Command::If;
                group.command.line = statement.line;
                ExpressionParser parser(statement.arguments, m_names, statement.line);
                ExpressionPointer condition = parser.parseExpression();
                if (!parser.atEnd())
                    throw EvaluationError{QStringLiteral("extra text after the condition")};
                group.command.branches.push_back({condition, {}});
                open.push_back(std::move(group));
                open.back().target = &open.back().command.branches.back().second;
                continue;
            }
            case StatementKind::Then:
                continue;
            case StatementKind::ElseIf:
            case StatementKind::Else: {
                if (open.empty() || open.back().command.kind != Command::If)
                    throw EvaluationError{QStringLiteral("no open .IF")};
                Command &command = open.back().command;
                if (statement.kind == StatementKind::Else) {
                    open.back().target = &command.otherwise;
                } else {
                    ExpressionParser parser(statement.arguments, m_names, statement.line);
                    command.branches.push_back({parser.parseExpression(), {}});
                    open.back().target = &command.branches.back().second;
                }
                continue;
            }
            case StatementKind::EndIf:
            case StatementKind::EndWithin: {
                const Command::Kind expected =
                    statement.kind == StatementKind::EndIf ? Command::If : Command::Within;
                if (open.empty() || open.back().command.kind != expected)
                    throw EvaluationError{QStringLiteral("nothing open to end")};
                Command done = std::move(open.back().command);
                open.pop_back();
                target().push_back(std::move(done));
                continue;
            }
            case StatementKind::Within: {
                OpenGroup group;
                group.command.kind = Command::Within;
                group.command.line = statement.line;
                if (statement.arguments.trimmed().toLower() == QLatin1String("all")) {
                    group.command.text = QStringLiteral("all");
                } else {
                    group.command.columns = columnList(statement.arguments);
                    if (group.command.columns.empty())
                        throw EvaluationError{QStringLiteral(".WITHIN needs columns")};
                }
                open.push_back(std::move(group));
                open.back().target = &open.back().command.body;
                continue;
            }
            default:
                break;
            }
            Command command = compileOne(statement);
            if (command.kind == Command::Adjust) {
                const bool printFollows =
                    i + 1 < statements.size()
                    && (statements[i + 1].kind == StatementKind::Print
                        || statements[i + 1].kind == StatementKind::PrintLine);
                if (!printFollows)
                    throw EvaluationError{QStringLiteral("a .PRINT must follow (E_RW1085)")};
            }
            target().push_back(std::move(command));
        } catch (const EvaluationError &error) {
            target().push_back(notPreviewed(statement, error.message));
        }
    }
    // A .WITHIN left open ends with its section; an open .IF is a fault
    // the check reports, and what it holds still prints.
    while (!open.empty()) {
        Command done = std::move(open.back().command);
        open.pop_back();
        target().push_back(std::move(done));
    }
    return result;
}
