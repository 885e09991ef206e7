#pragma once

#include <QLatin1StringView>
#include <QStringList>

// The Report-Writer dot-commands that generated statements take their
// keywords from. Section headings are built from the band type names
// instead (see bandTypeKeyword).
namespace Keywords {

// Page header lines.
inline constexpr QLatin1StringView Name(".NAME");
inline constexpr QLatin1StringView Output(".OUTPUT");
inline constexpr QLatin1StringView ShortRemark(".SHORTREMARK");

// Page format of the report header.
inline constexpr QLatin1StringView LeftMargin(".LEFTMARGIN");
inline constexpr QLatin1StringView PageLength(".PAGELENGTH");
inline constexpr QLatin1StringView RightMargin(".RIGHTMARGIN");
inline constexpr QLatin1StringView PageWidth(".PAGEWIDTH");

// Band and text item statements.
inline constexpr QLatin1StringView Need(".NEED");
inline constexpr QLatin1StringView NewPage(".NEWPAGE");
inline constexpr QLatin1StringView NewLine(".NEWLINE");
inline constexpr QLatin1StringView Block(".BLOCK");
inline constexpr QLatin1StringView EndBlock(".ENDBLOCK");
inline constexpr QLatin1StringView Within(".WITHIN");
inline constexpr QLatin1StringView EndWithin(".ENDWITHIN");
inline constexpr QLatin1StringView Left(".LEFT");
inline constexpr QLatin1StringView Center(".CENTER");
inline constexpr QLatin1StringView Right(".RIGHT");
inline constexpr QLatin1StringView Tab(".TAB");
inline constexpr QLatin1StringView Underline(".UNDERLINE");
// The report program knows no ".NONUNDERLINE"; underlining ends with this.
inline constexpr QLatin1StringView NoUnderline(".NOUNDERLINE");
inline constexpr QLatin1StringView Print(".PRINT");

// First lines of the report sections.
inline constexpr QLatin1StringView Break(".BREAK");
inline constexpr QLatin1StringView Cleanup(".CLEANUP");
inline constexpr QLatin1StringView Data(".DATA");
inline constexpr QLatin1StringView Declare(".DECLARE");
inline constexpr QLatin1StringView Include(".INCLUDE");
inline constexpr QLatin1StringView LongRemark(".LONGREMARK");
inline constexpr QLatin1StringView EndRemark(".ENDREMARK");
inline constexpr QLatin1StringView Query(".QUERY");
inline constexpr QLatin1StringView Setup(".SETUP");
inline constexpr QLatin1StringView Sort(".SORT");

// Known to the language, emitted by nothing.
inline constexpr QLatin1StringView Table(".TABLE");
inline constexpr QLatin1StringView View(".VIEW");
inline constexpr QLatin1StringView FormFeed(".FORMFEED");
inline constexpr QLatin1StringView NoFormFeed(".NOFORMFEED");
inline constexpr QLatin1StringView Detail(".DETAIL");
inline constexpr QLatin1StringView Footer(".FOOTER");
inline constexpr QLatin1StringView Header(".HEADER");
inline constexpr QLatin1StringView Bottom(".BOTTOM");
inline constexpr QLatin1StringView Format(".FORMAT");
inline constexpr QLatin1StringView Position(".POSITION");
inline constexpr QLatin1StringView TFormat(".TFORMAT");
inline constexpr QLatin1StringView Top(".TOP");
inline constexpr QLatin1StringView Width(".WIDTH");
inline constexpr QLatin1StringView LineEnd(".LINEEND");
inline constexpr QLatin1StringView LineStart(".LINESTART");
inline constexpr QLatin1StringView NullString(".NULLSTRING");
inline constexpr QLatin1StringView PrintLn(".PRINTLN");
inline constexpr QLatin1StringView UlCharacter(".ULCHARACTER");
inline constexpr QLatin1StringView If(".IF");
inline constexpr QLatin1StringView Then(".THEN");
inline constexpr QLatin1StringView Else(".ELSE");
inline constexpr QLatin1StringView Let(".LET");

// Every keyword above, in the order listed; built on first use.
const QStringList &all();

} // namespace Keywords
