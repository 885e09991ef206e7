#include "preview/Expression.h"

#include <QRegularExpression>
#include <QScopeGuard>

#include <cmath>

namespace {

QList<ExpressionToken> tokenize(const QString &text)
{
    QList<ExpressionToken> tokens;
    qsizetype i = 0;
    const auto at = [&](qsizetype position) {
        return position < text.size() ? text[position] : QChar();
    };
    while (i < text.size()) {
        const QChar c = text[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('$')) {
            ++i;
            while (i < text.size()
                   && (text[i].isLetterOrNumber() || text[i] == QLatin1Char('_')
                       || text[i] == QLatin1Char('#') || text[i] == QLatin1Char('@')
                       || text[i] == QLatin1Char('$')))
                ++i;
            const bool parameter = c == QLatin1Char('$');
            tokens.append({parameter ? ExpressionToken::Parameter : ExpressionToken::Name,
                           text.mid(start + (parameter ? 1 : 0), i - start - (parameter ? 1 : 0)),
                           start, i});
        } else if (c.isDigit() || (c == QLatin1Char('.') && at(i + 1).isDigit())) {
            while (at(i).isDigit())
                ++i;
            if (at(i) == QLatin1Char('.')) {
                ++i;
                while (at(i).isDigit())
                    ++i;
            }
            if ((at(i) == QLatin1Char('e') || at(i) == QLatin1Char('E'))
                && (at(i + 1).isDigit()
                    || ((at(i + 1) == QLatin1Char('+') || at(i + 1) == QLatin1Char('-'))
                        && at(i + 2).isDigit()))) {
                i += 2;
                while (at(i).isDigit())
                    ++i;
            }
            tokens.append({ExpressionToken::Number, text.mid(start, i - start), start, i});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString value;
            ++i;
            bool closed = false;
            while (i < text.size()) {
                const QChar d = text[i++];
                if (c == QLatin1Char('"') && d == QLatin1Char('\\') && i < text.size()) {
                    value += text[i++];
                } else if (d == c) {
                    if (c == QLatin1Char('\'') && at(i) == c) {
                        value += c;
                        ++i;
                    } else {
                        closed = true;
                        break;
                    }
                } else if (d != QLatin1Char('\n') && d != QLatin1Char('\r')) {
                    value += d;
                }
            }
            if (!closed)
                throw EvaluationError{QStringLiteral("unterminated string")};
            tokens.append({ExpressionToken::String, value, start, i});
        } else {
            static const QStringList pairs = {QStringLiteral("**"), QStringLiteral("<="),
                                              QStringLiteral(">="), QStringLiteral("!="),
                                              QStringLiteral("<>"), QStringLiteral("^=")};
            const QString two = text.mid(i, 2);
            const qsizetype length = pairs.contains(two) ? 2 : 1;
            i += length;
            tokens.append({ExpressionToken::Symbol, text.mid(start, length), start, i});
        }
    }
    tokens.append({ExpressionToken::End, QString(), text.size(), text.size()});
    return tokens;
}

ExpressionPointer node(Expression::Operation operation, QList<ExpressionPointer> operands = {})
{
    auto expression = std::make_shared<Expression>();
    expression->operation = operation;
    expression->operands = std::move(operands);
    return expression;
}

const QStringList &functionNames()
{
    static const QStringList names = {
        QStringLiteral("abs"),        QStringLiteral("mod"),       QStringLiteral("concat"),
        QStringLiteral("left"),       QStringLiteral("right"),     QStringLiteral("length"),
        QStringLiteral("lowercase"),  QStringLiteral("uppercase"), QStringLiteral("lower"),
        QStringLiteral("upper"),      QStringLiteral("trim"),      QStringLiteral("squeeze"),
        QStringLiteral("shift"),      QStringLiteral("int1"),      QStringLiteral("int2"),
        QStringLiteral("int4"),       QStringLiteral("int"),       QStringLiteral("integer"),
        QStringLiteral("float4"),     QStringLiteral("float8"),    QStringLiteral("float"),
        QStringLiteral("char"),       QStringLiteral("varchar"),   QStringLiteral("text"),
        QStringLiteral("c"),          QStringLiteral("ifnull"),    QStringLiteral("date"),
        QStringLiteral("dow"),        QStringLiteral("sqrt"),      QStringLiteral("round"),
        QStringLiteral("money"),      QStringLiteral("pad"),       QStringLiteral("locate"),
        QStringLiteral("charextract")};
    return names;
}

QString squeezed(const QString &text)
{
    return text.simplified();
}

Value callFunction(const QString &name, const QList<Value> &arguments)
{
    const auto argument = [&](int index) {
        if (index >= arguments.size())
            throw EvaluationError{QStringLiteral("%1 needs more arguments").arg(name)};
        return arguments[index];
    };
    if (name == QLatin1String("ifnull"))
        return argument(0).isNull() ? argument(1) : argument(0);
    for (const Value &value : arguments) {
        if (value.isNull())
            return Value::null();
    }
    const QString text = argument(0).toText();
    if (name == QLatin1String("abs"))
        return Value::fromNumber(std::abs(argument(0).toNumber()), argument(0).integral);
    if (name == QLatin1String("sqrt"))
        return Value::fromNumber(std::sqrt(argument(0).toNumber()));
    if (name == QLatin1String("round"))
        return Value::fromNumber(std::round(argument(0).toNumber()));
    if (name == QLatin1String("mod")) {
        const qint64 divisor = qint64(argument(1).toNumber());
        if (divisor == 0)
            throw EvaluationError{QStringLiteral("division by zero in mod()")};
        return Value::fromNumber(double(qint64(argument(0).toNumber()) % divisor), true);
    }
    if (name == QLatin1String("concat"))
        return Value::fromText(text + argument(1).toText());
    if (name == QLatin1String("left"))
        return Value::fromText(text.left(qsizetype(argument(1).toNumber())));
    if (name == QLatin1String("right"))
        return Value::fromText(text.right(qsizetype(argument(1).toNumber())));
    if (name == QLatin1String("length")) {
        qsizetype end = text.size();
        while (end > 0 && text[end - 1] == QLatin1Char(' '))
            --end;
        return Value::fromNumber(double(end), true);
    }
    if (name == QLatin1String("locate")) {
        const qsizetype found = text.indexOf(argument(1).toText());
        return Value::fromNumber(double(found < 0 ? text.size() + 1 : found + 1), true);
    }
    if (name == QLatin1String("charextract"))
        return Value::fromText(text.mid(qsizetype(argument(1).toNumber()) - 1, 1));
    if (name == QLatin1String("lowercase") || name == QLatin1String("lower"))
        return Value::fromText(text.toLower());
    if (name == QLatin1String("uppercase") || name == QLatin1String("upper"))
        return Value::fromText(text.toUpper());
    if (name == QLatin1String("trim")) {
        qsizetype end = text.size();
        while (end > 0 && text[end - 1].isSpace())
            --end;
        return Value::fromText(text.left(end));
    }
    if (name == QLatin1String("squeeze"))
        return Value::fromText(squeezed(text));
    if (name == QLatin1String("pad"))
        return Value::fromText(text);
    if (name == QLatin1String("shift")) {
        const int places = int(argument(1).toNumber());
        const qsizetype size = text.size();
        if (places >= 0)
            return Value::fromText((QString(places, QLatin1Char(' ')) + text).left(size));
        return Value::fromText(text.mid(-places).leftJustified(size));
    }
    if (name.startsWith(QLatin1String("int")))
        return Value::fromNumber(std::trunc(argument(0).toNumber()), true);
    if (name.startsWith(QLatin1String("float")) || name == QLatin1String("money"))
        return Value::fromNumber(argument(0).toNumber());
    if (name == QLatin1String("char") || name == QLatin1String("varchar")
        || name == QLatin1String("text") || name == QLatin1String("c"))
        return Value::fromText(argument(0).toText());
    if (name == QLatin1String("date")) {
        const QDateTime when =
            argument(0).kind == Value::DateTime ? argument(0).when : parseDate(text);
        if (!when.isValid())
            throw EvaluationError{QStringLiteral("'%1' is not a date").arg(text)};
        return Value::fromDate(when);
    }
    if (name == QLatin1String("dow")) {
        const QDateTime when =
            argument(0).kind == Value::DateTime ? argument(0).when : parseDate(text);
        return Value::fromText(when.isValid() ? when.toString(QStringLiteral("ddd")) : QString());
    }
    throw EvaluationError{QStringLiteral("unknown function %1").arg(name)};
}

bool likeMatches(const QString &text, const QString &pattern)
{
    QString expression;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('%'))
            expression += QStringLiteral(".*");
        else if (c == QLatin1Char('_'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::DotMatchesEverythingOption)
        .match(text)
        .hasMatch();
}

Value arithmetic(Expression::Operation operation, const Value &a, const Value &b)
{
    if (a.isNull() || b.isNull())
        return Value::null();
    if (operation == Expression::Add && a.kind != Value::Number && b.kind != Value::Number)
        return Value::fromText(a.toText() + b.toText());
    const double x = a.toNumber();
    const double y = b.toNumber();
    const bool integral = a.integral && b.integral;
    switch (operation) {
    case Expression::Add:
        return Value::fromNumber(x + y, integral);
    case Expression::Subtract:
        return Value::fromNumber(x - y, integral);
    case Expression::Multiply:
        return Value::fromNumber(x * y, integral);
    case Expression::Divide:
        if (y == 0)
            throw EvaluationError{QStringLiteral("division by zero")};
        return integral ? Value::fromNumber(std::trunc(x / y), true) : Value::fromNumber(x / y);
    case Expression::Power:
        return Value::fromNumber(std::pow(x, y));
    default:
        break;
    }
    return Value::null();
}

} // namespace

bool isAggregateName(const QString &name)
{
    static const QStringList names = {
        QStringLiteral("sum"),     QStringLiteral("count"),   QStringLiteral("avg"),
        QStringLiteral("min"),     QStringLiteral("max"),     QStringLiteral("any"),
        QStringLiteral("sumu"),    QStringLiteral("countu"),  QStringLiteral("avgu"),
        QStringLiteral("average"), QStringLiteral("minimum"), QStringLiteral("maximum")};
    return names.contains(name);
}

Value Expression::evaluate(const EvaluationContext &context) const
{
    const auto operand = [&](int i) {
        return operands[i]->evaluate(context);
    };
    switch (operation) {
    case Constant:
        return constant;
    case Column:
        return context.columnValue(index);
    case Variable:
        return context.variableValue(name);
    case Special:
        return context.specialValue(name);
    case Aggregate:
        return context.aggregateValue(index);
    case Negate: {
        const Value value = operand(0);
        return value.isNull() ? value : Value::fromNumber(-value.toNumber(), value.integral);
    }
    case Not:
        return Value::fromNumber(operand(0).truth() ? 0 : 1, true);
    case Add:
    case Subtract:
    case Multiply:
    case Divide:
    case Power:
        return arithmetic(operation, operand(0), operand(1));
    case Equal:
    case NotEqual:
    case Less:
    case LessEqual:
    case Greater:
    case GreaterEqual: {
        const Value a = operand(0);
        const Value b = operand(1);
        if (a.isNull() || b.isNull())
            return Value::fromNumber(0, true);
        const int order = compareValues(a, b);
        const bool result = operation == Equal       ? order == 0
                            : operation == NotEqual  ? order != 0
                            : operation == Less      ? order < 0
                            : operation == LessEqual ? order <= 0
                            : operation == Greater   ? order > 0
                                                     : order >= 0;
        return Value::fromNumber(result ? 1 : 0, true);
    }
    case And:
        return Value::fromNumber(operand(0).truth() && operand(1).truth() ? 1 : 0, true);
    case Or:
        return Value::fromNumber(operand(0).truth() || operand(1).truth() ? 1 : 0, true);
    case IsNull:
        return Value::fromNumber(operand(0).isNull() ? 1 : 0, true);
    case IsNotNull:
        return Value::fromNumber(operand(0).isNull() ? 0 : 1, true);
    case Like: {
        const Value a = operand(0);
        const Value b = operand(1);
        return Value::fromNumber(!a.isNull() && !b.isNull() && likeMatches(a.toText(), b.toText()),
                                 true);
    }
    case Function: {
        QList<Value> values;
        for (const ExpressionPointer &argument : operands)
            values.append(argument->evaluate(context));
        return callFunction(name, values);
    }
    }
    return Value::null();
}

ExpressionParser::ExpressionParser(const QString &text, NameResolver &names, int line)
    : m_text(text), m_names(names), m_line(line), m_tokens(tokenize(text))
{
}

const ExpressionToken &ExpressionParser::peek(qsizetype ahead) const
{
    return m_tokens[std::min(m_next + ahead, m_tokens.size() - 1)];
}

ExpressionToken ExpressionParser::take()
{
    ExpressionToken token = peek();
    if (m_next < m_tokens.size() - 1)
        ++m_next;
    return token;
}

bool ExpressionParser::peekSymbol(const QString &symbol) const
{
    return peek().type == ExpressionToken::Symbol && peek().text == symbol;
}

bool ExpressionParser::takeSymbol(const QString &symbol)
{
    if (!peekSymbol(symbol))
        return false;
    take();
    return true;
}

void ExpressionParser::expect(const QString &symbol)
{
    if (!takeSymbol(symbol)) {
        const QString found = peek().type == ExpressionToken::End
                                  ? QStringLiteral("the end")
                                  : QLatin1Char('\'') + peek().text + QLatin1Char('\'');
        throw EvaluationError{QStringLiteral("'%1' expected, found %2").arg(symbol, found)};
    }
}

QString ExpressionParser::takeGroup()
{
    if (!peekSymbol(QStringLiteral("(")))
        return {};
    const qsizetype start = peek().end;
    int depth = 0;
    while (peek().type != ExpressionToken::End) {
        const ExpressionToken token = take();
        if (token.type == ExpressionToken::Symbol && token.text == QLatin1String("("))
            ++depth;
        else if (token.type == ExpressionToken::Symbol && token.text == QLatin1String(")")
                 && --depth == 0)
            return m_text.mid(start, token.start - start);
    }
    throw EvaluationError{QStringLiteral("'(' without its ')'")};
}

QString ExpressionParser::takeWord()
{
    if (peek().type == ExpressionToken::End)
        return {};
    const ExpressionToken token = take();
    return token.type == ExpressionToken::Parameter ? QLatin1Char('$') + token.text : token.text;
}

ExpressionPointer ExpressionParser::parseExpression()
{
    return parseOr();
}

ExpressionPointer ExpressionParser::parseOr()
{
    ExpressionPointer left = parseAnd();
    while (peek().type == ExpressionToken::Name && peek().text.toLower() == QLatin1String("or")) {
        take();
        left = node(Expression::Or, {left, parseAnd()});
    }
    return left;
}

ExpressionPointer ExpressionParser::parseAnd()
{
    ExpressionPointer left = parseNot();
    while (peek().type == ExpressionToken::Name && peek().text.toLower() == QLatin1String("and")) {
        take();
        left = node(Expression::And, {left, parseNot()});
    }
    return left;
}

ExpressionPointer ExpressionParser::parseNot()
{
    if (peek().type == ExpressionToken::Name && peek().text.toLower() == QLatin1String("not")) {
        take();
        return node(Expression::Not, {parseNot()});
    }
    return parseComparison();
}

ExpressionPointer ExpressionParser::parseComparison()
{
    ExpressionPointer left = parseAdditive();
    const ExpressionToken &token = peek();
    if (token.type == ExpressionToken::Name) {
        const QString word = token.text.toLower();
        if (word == QLatin1String("is")) {
            take();
            bool negated = false;
            if (peek().type == ExpressionToken::Name
                && peek().text.toLower() == QLatin1String("not")) {
                take();
                negated = true;
            }
            if (peek().type != ExpressionToken::Name
                || peek().text.toLower() != QLatin1String("null"))
                throw EvaluationError{QStringLiteral("'null' expected after 'is'")};
            take();
            return node(negated ? Expression::IsNotNull : Expression::IsNull, {left});
        }
        if (word == QLatin1String("like")) {
            take();
            return node(Expression::Like, {left, parseAdditive()});
        }
        return left;
    }
    if (token.type != ExpressionToken::Symbol)
        return left;
    static const QList<std::pair<QString, Expression::Operation>> operators = {
        {QStringLiteral("="), Expression::Equal},
        {QStringLiteral("!="), Expression::NotEqual},
        {QStringLiteral("<>"), Expression::NotEqual},
        {QStringLiteral("^="), Expression::NotEqual},
        {QStringLiteral("<"), Expression::Less},
        {QStringLiteral("<="), Expression::LessEqual},
        {QStringLiteral(">"), Expression::Greater},
        {QStringLiteral(">="), Expression::GreaterEqual}};
    for (const auto &[symbol, operation] : operators) {
        if (token.text == symbol) {
            take();
            return node(operation, {left, parseAdditive()});
        }
    }
    return left;
}

ExpressionPointer ExpressionParser::parseAdditive()
{
    ExpressionPointer left = parseMultiplicative();
    for (;;) {
        if (takeSymbol(QStringLiteral("+")))
            left = node(Expression::Add, {left, parseMultiplicative()});
        else if (takeSymbol(QStringLiteral("-")))
            left = node(Expression::Subtract, {left, parseMultiplicative()});
        else
            return left;
    }
}

ExpressionPointer ExpressionParser::parseMultiplicative()
{
    ExpressionPointer left = parseUnary();
    for (;;) {
        if (takeSymbol(QStringLiteral("*")))
            left = node(Expression::Multiply, {left, parseUnary()});
        else if (takeSymbol(QStringLiteral("/")))
            left = node(Expression::Divide, {left, parseUnary()});
        else
            return left;
    }
}

ExpressionPointer ExpressionParser::parseUnary()
{
    // Nesting deeper than any report needs would only exhaust the stack.
    if (++m_depth > MaximumDepth)
        throw EvaluationError{QStringLiteral("the expression is nested too deeply")};
    const auto leave = qScopeGuard([this] { --m_depth; });
    if (takeSymbol(QStringLiteral("-")))
        return node(Expression::Negate, {parseUnary()});
    if (takeSymbol(QStringLiteral("+")))
        return parseUnary();
    ExpressionPointer base = parsePrimary();
    if (takeSymbol(QStringLiteral("**")))
        return node(Expression::Power, {base, parseUnary()});
    return base;
}

ExpressionPointer ExpressionParser::parsePrimary()
{
    const ExpressionToken token = take();
    switch (token.type) {
    case ExpressionToken::Number: {
        auto constant = std::make_shared<Expression>();
        const bool integral = !token.text.contains(QLatin1Char('.'))
                              && !token.text.contains(QLatin1Char('e'), Qt::CaseInsensitive);
        constant->constant = Value::fromNumber(token.text.toDouble(), integral);
        return constant;
    }
    case ExpressionToken::String: {
        auto constant = std::make_shared<Expression>();
        constant->constant = Value::fromText(token.text);
        return constant;
    }
    case ExpressionToken::Parameter: {
        auto variable = std::make_shared<Expression>();
        variable->operation = Expression::Variable;
        variable->name = token.text.toLower();
        return variable;
    }
    case ExpressionToken::Name:
        return parseName(token);
    case ExpressionToken::Symbol:
        if (token.text == QLatin1String("(")) {
            ExpressionPointer inner = parseExpression();
            expect(QStringLiteral(")"));
            return inner;
        }
        throw EvaluationError{QStringLiteral("unexpected '%1'").arg(token.text)};
    case ExpressionToken::End:
        break;
    }
    throw EvaluationError{QStringLiteral("an expression is missing")};
}

ExpressionPointer ExpressionParser::parseName(const ExpressionToken &token)
{
    const QString name = token.text.toLower();
    const bool call = peekSymbol(QStringLiteral("("));
    if (name == QLatin1String("cum") || name == QLatin1String("cumulative")) {
        AggregateCall aggregate;
        aggregate.cumulative = true;
        if (peekSymbol(QStringLiteral("(")) && peek(1).type == ExpressionToken::Name
            && !isAggregateName(peek(1).text.toLower())) {
            take();
            aggregate.cumulativeBreak = take().text.toLower();
            expect(QStringLiteral(")"));
        }
        const ExpressionToken function = take();
        if (function.type != ExpressionToken::Name || !isAggregateName(function.text.toLower()))
            throw EvaluationError{QStringLiteral("an aggregate must follow 'cum'")};
        aggregate.function = function.text.toLower();
        return parseAggregate(aggregate);
    }
    if (call && isAggregateName(name) && m_names.columnIndex(name) < 0) {
        AggregateCall aggregate;
        aggregate.function = name;
        return parseAggregate(aggregate);
    }
    const int column = m_names.columnIndex(name);
    auto expression = std::make_shared<Expression>();
    expression->name = name;
    if (column >= 0) {
        expression->operation = Expression::Column;
        expression->index = column;
    } else if (m_names.isVariable(name)) {
        expression->operation = Expression::Variable;
    } else if (m_names.isSpecial(name)) {
        expression->operation = Expression::Special;
    } else if (call && functionNames().contains(name)) {
        expression->operation = Expression::Function;
        take();
        if (!peekSymbol(QStringLiteral(")"))) {
            do {
                expression->operands.append(parseExpression());
            } while (takeSymbol(QStringLiteral(",")));
        }
        expect(QStringLiteral(")"));
    } else if (name == QLatin1String("null")) {
        expression->operation = Expression::Constant;
    } else {
        throw EvaluationError{QStringLiteral("unknown name '%1'").arg(token.text)};
    }
    return expression;
}

ExpressionPointer ExpressionParser::parseAggregate(AggregateCall aggregate)
{
    expect(QStringLiteral("("));
    aggregate.argument = parseExpression();
    if (aggregate.argument->operation == Expression::Column)
        aggregate.column = aggregate.argument->index;
    if (takeSymbol(QStringLiteral(",")))
        aggregate.preset = parseExpression();
    expect(QStringLiteral(")"));
    aggregate.line = m_line;
    QString error;
    auto expression = std::make_shared<Expression>();
    expression->operation = Expression::Aggregate;
    expression->index = m_names.addAggregate(aggregate, &error);
    if (expression->index < 0)
        throw EvaluationError{error};
    return expression;
}
