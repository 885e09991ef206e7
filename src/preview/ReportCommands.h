#pragma once

#include "preview/DisplayFormat.h"
#include "preview/Expression.h"
#include "preview/ReportSource.h"

#include <optional>
#include <vector>

struct PrintItem
{
    ExpressionPointer expression;
    std::optional<DisplayFormat> format; // as written after the item
    int column = -1;                     // the column when the item is one
    std::vector<int> accumulateAfter;    // columns whose aggregates count the row here
};

// A position argument: n, +n, -n, a column, or nothing.
struct PositionArgument
{
    bool given = false;
    int sign = 0; // +1 or -1 for a relative move, 0 absolute
    ExpressionPointer value;
    int column = -1; // a column's default position
};

// One "columns (setting)" group of .FORMAT, .TFORMAT, .POSITION or .WIDTH.
struct ColumnSetting
{
    std::vector<int> columns;
    std::optional<DisplayFormat> format;
    int position = -1;
    int width = -1;
};

// One formatting statement, compiled against the report's columns.
struct Command
{
    enum Kind {
        Print,
        NewLine,
        Need,
        NewPage,
        Tab,
        Adjust,
        LineStart,
        LineEnd,
        PageLength,
        LeftMargin,
        RightMargin,
        FormFeeds,
        NoFormFeeds,
        NoFirstFormFeed,
        Format,
        TFormat,
        Position,
        Width,
        Block,
        EndBlock,
        Top,
        Bottom,
        Within,
        Underline,
        NoUnderline,
        NullString,
        UnderlineCharacter,
        If,
        Let,
        Accumulate,
        NotPreviewed
    };

    Kind kind = NotPreviewed;
    int line = 0;
    std::vector<PrintItem> items;
    bool newlineAfter = false;                  // .PRINTLINE
    StatementKind adjust = StatementKind::None; // .LEFT/.CENTER/.RIGHT before this print
    PositionArgument position;                  // also the count of .NEWLINE/.NEED/.PAGELENGTH
    std::vector<int> columns;                   // .WITHIN, Accumulate
    std::vector<ColumnSetting> settings;        // .FORMAT/.TFORMAT/.WIDTH/.POSITION
    QString text; // .NULLSTRING, .ULCHARACTER, .LET's variable, a not-previewed statement's message
    ExpressionPointer value;                                                  // .LET
    std::vector<std::pair<ExpressionPointer, std::vector<Command>>> branches; // .IF/.ELSEIF
    std::vector<Command> otherwise;                                           // .ELSE
    std::vector<Command> body;                                                // .WITHIN
};

using CommandList = std::vector<Command>;

// Compiles a section's statements; errors become NotPreviewed commands.
class CommandCompiler
{
public:
    explicit CommandCompiler(NameResolver &names) : m_names(names) {}

    CommandList compile(const QList<RawStatement> &statements);

private:
    Command compileOne(const RawStatement &statement);
    void compilePrint(Command &command, const RawStatement &statement);
    PositionArgument position(const QString &text, int line);
    std::vector<int> columnList(const QString &text);
    void compileColumnFormats(Command &command, const RawStatement &statement);

    NameResolver &m_names;
};
