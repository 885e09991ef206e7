#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>

// The statements of the Report-Writer language, each under every spelling
// the report program accepts.
enum class StatementKind {
    None,    // text before the first statement of a file
    Unknown, // a name no table holds
    // Report-level statements.
    Name,
    ShortRemark,
    LongRemark,
    EndRemark,
    Output,
    Data,
    Query,
    Sort,
    Break,
    Declare,
    Setup,
    Cleanup,
    Include,
    PageWidth,
    DelimId,
    Header,
    Footer,
    Detail,
    // Formatting statements.
    Print,
    PrintLine,
    NewLine,
    Need,
    NewPage,
    Tab,
    Left,
    Center,
    Right,
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
    EndWithin,
    Underline,
    NoUnderline,
    UlCharacter,
    NullString,
    If,
    Then,
    ElseIf,
    Else,
    EndIf,
    Let,
    Begin, // a bare .BEGIN groups statements; ".BEGIN BLOCK" and the like are resolved
    End,
    EndPrint,
    EndLet,
    RbfMarker, // the markers report writers of the form kind leave, ignored on loading
};

namespace Statements {

// The statement a name (without its dot, in any letter case) stands for:
// the full word or one of its listed abbreviations, nothing in between.
StatementKind kindOf(QByteArrayView name);

// The spelling messages use, with its dot: ".LONGREMARK" for ".lrem".
QLatin1StringView primaryName(StatementKind kind);

// Statements that belong to the report rather than to a section; the report
// program refuses them inside .IF, all but .INCLUDE.
bool isReportLevel(StatementKind kind);

// Statements whose arguments the report program reads token by token with
// dotted names kept whole ("owner.table", "t.col", "sales.out"); elsewhere a
// dot after a name starts the next statement.
bool readsWholeTokens(StatementKind kind);

// The statement ".BEGIN word" or ".END word" stands for (".END BLOCK" is
// .ENDBLOCK); kind itself when the word makes no such pair.
StatementKind pairedKind(StatementKind kind, QByteArrayView word);

} // namespace Statements
