#pragma once

#include "preview/Value.h"

#include <QList>
#include <QString>

#include <memory>

// Where an expression finds what its names stand for while it runs.
class EvaluationContext
{
public:
    virtual ~EvaluationContext() = default;
    virtual Value columnValue(int column) const = 0;
    virtual Value variableValue(const QString &name) const = 0; // declared, $parameter
    virtual Value specialValue(const QString &name) const = 0;  // page_number ...
    virtual Value aggregateValue(int aggregate) const = 0;
};

// Evaluation stops with this when the expression cannot give a value
// (division by zero, a function's bad argument).
struct EvaluationError
{
    QString message;
};

struct Expression
{
    enum Operation {
        Constant,
        Column,
        Variable,
        Special,
        Aggregate,
        Negate,
        Not,
        Add,
        Subtract,
        Multiply,
        Divide,
        Power,
        Equal,
        NotEqual,
        Less,
        LessEqual,
        Greater,
        GreaterEqual,
        And,
        Or,
        IsNull,
        IsNotNull,
        Like,
        Function
    };

    Operation operation = Constant;
    Value constant;
    QString name;   // variable, special variable or function
    int index = -1; // column or aggregate
    QList<std::shared_ptr<const Expression>> operands;

    Value evaluate(const EvaluationContext &context) const; // throws EvaluationError
    // Whether the expression prints as text (a string expression prints in full).
    bool isColumn() const { return operation == Column; }
};

using ExpressionPointer = std::shared_ptr<const Expression>;

// The parts of an aggregate as written: [cum[(break)]] name(column [, preset]).
struct AggregateCall
{
    QString function; // sum, count, avg, min, max, any, and the unique forms ending in u
    bool cumulative = false;
    QString cumulativeBreak; // empty: the report
    ExpressionPointer argument;
    int column = -1; // the aggregated column, -1 when an expression
    ExpressionPointer preset;
    int line = 0;
};

// What the parser asks the report about the names it meets.
class NameResolver
{
public:
    virtual ~NameResolver() = default;
    virtual int columnIndex(const QString &name) const = 0; // -1 when none
    virtual bool isVariable(const QString &name) const = 0;
    virtual bool isSpecial(const QString &name) const = 0;
    // Registers an aggregate and returns its index; -1 with *error set when
    // it cannot be used where it stands.
    virtual int addAggregate(const AggregateCall &call, QString *error) = 0;
};

// A token of an expression's text, with its offset for the raw text of
// groups (formats).
struct ExpressionToken
{
    enum Type { Name, Number, String, Parameter, Symbol, End };
    Type type = End;
    QString text;
    qsizetype start = 0;
    qsizetype end = 0;
};

// Parses expressions and .PRINT items from the text of a statement's arguments.
class ExpressionParser
{
public:
    ExpressionParser(const QString &text, NameResolver &names, int line);

    ExpressionPointer parseExpression(); // throws EvaluationError on a syntax error
    bool atEnd() const { return peek().type == ExpressionToken::End; }
    bool takeSymbol(const QString &symbol);
    bool peekSymbol(const QString &symbol) const;
    // The raw text inside a parenthesised group that starts here, without
    // the parentheses; the parser moves past it.
    QString takeGroup();
    // The next name or number as written, for statements that take words.
    QString takeWord();

private:
    const ExpressionToken &peek(qsizetype ahead = 0) const;
    ExpressionToken take();
    void expect(const QString &symbol);
    ExpressionPointer parseOr();
    ExpressionPointer parseAnd();
    ExpressionPointer parseNot();
    ExpressionPointer parseComparison();
    ExpressionPointer parseAdditive();
    ExpressionPointer parseMultiplicative();
    ExpressionPointer parseUnary();
    ExpressionPointer parsePrimary();
    ExpressionPointer parseName(const ExpressionToken &token);
    ExpressionPointer parseAggregate(AggregateCall call);

    QString m_text;
    NameResolver &m_names;
    int m_line;
    QList<ExpressionToken> m_tokens;
    qsizetype m_next = 0;
    static constexpr int MaximumDepth = 200;
    int m_depth = 0;
};

bool isAggregateName(const QString &name);
