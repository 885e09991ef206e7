#pragma once

#include <QDateTime>
#include <QString>

// The kinds of data the report program tells apart when it prints.
enum class ValueType {
    Integer,  // integer: default f13
    SmallInt, // smallint, integer1: default f6
    Float,    // float: default n10.3
    Money,    // money: default '$---------------.nn'
    Char,     // char(n): blank-padded to n
    VarChar,  // varchar(n), text
    Date,     // date: default c25
};

// One value of a row, a variable or an expression.
struct Value
{
    enum Kind { Null, Number, Text, DateTime };

    Kind kind = Null;
    bool integral = false; // a number without a fraction by type
    double number = 0;
    QString text;
    QDateTime when;

    static Value null() { return {}; }
    static Value fromNumber(double number, bool integral = false)
    {
        Value value;
        value.kind = Number;
        value.number = number;
        value.integral = integral;
        return value;
    }
    static Value fromText(const QString &text)
    {
        Value value;
        value.kind = Text;
        value.text = text;
        return value;
    }
    static Value fromDate(const QDateTime &when)
    {
        Value value;
        value.kind = DateTime;
        value.when = when;
        return value;
    }

    bool isNull() const { return kind == Null; }
    // The value as text, for string operations and comparisons.
    QString toText() const;
    // The value as a number; text that is not a number counts as 0.
    double toNumber() const;
    bool truth() const { return kind == Number ? number != 0 : !isNull(); }
};

// Orders two values as the report program compares them: numbers by value,
// text without trailing blanks, dates by time; NULL first.
int compareValues(const Value &a, const Value &b);

// A column of the report's data, with the type that decides its default
// format and how its values print.
struct ColumnInfo
{
    QString name; // lower case
    ValueType type = ValueType::VarChar;
    int length = 0; // characters of a char/varchar column, 0 when unknown
};

// The type a declared column type (char(10), smallint, money ...) stands
// for, and its length.
ColumnInfo columnFromDeclaredType(const QString &name, const QString &declared);

// Reads an Ingres-style date string ("12-mar-1947", "1947-03-12",
// "03/12/1947 10:05:00"); invalid when it is none.
QDateTime parseDate(const QString &text);
