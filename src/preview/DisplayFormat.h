#pragma once

#include "preview/Value.h"

#include <QStringList>

#include <optional>

// A display format of the report program: c, cf, cj, t, i, f, e, g, n, b,
// a numeric template '...' or a date template d'...', with its optional
// justification prefix.
struct DisplayFormat
{
    enum Kind {
        Char,
        CharFold,
        CharJustify,
        Text,
        Integer,
        Fixed,
        Exponent,
        General,
        Numeric,
        Blank,
        NumberTemplate,
        DateTemplate
    };
    enum Justify { Natural, Left, Right, Centre };

    Kind kind = Char;
    Justify justify = Natural;
    int width = 0;     // c0 and cf0: the value's own length
    int decimals = -1; // -1: none given
    int lineWidth = 0; // c N.W: characters per line, 0 for one line
    QString pattern;   // templates

    // Parses the text inside the parentheses of "(f10.2)"; nullopt with
    // *error set when it is no format.
    static std::optional<DisplayFormat> parse(const QString &text, QString *error);
    // The format a column of that type prints with when none is given.
    static DisplayFormat forColumn(const ColumnInfo &column);
    static DisplayFormat forValue(const Value &value);

    bool isNumeric() const;
    // The width the field takes on the line; values of a c0 format take
    // their own length.
    int fieldWidth(const Value &value) const;
    // The printed lines of the value (more than one for c N.W, cf, cj),
    // each exactly fieldWidth() wide. nullString stands for NULL.
    QStringList apply(const Value &value, const QString &nullString) const;
    // Whether apply() can give more than one line: c N.W, cf N.W, cj N.W.
    bool wraps() const
    {
        return lineWidth > 0
               && (kind == Char || kind == CharFold || kind == CharJustify || kind == Text);
    }
    // The one printed line of a format that does not wrap, without the
    // list apply() builds: every item of every row prints through it.
    QString applyLine(const Value &value, const QString &nullString) const;
};
