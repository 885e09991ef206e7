#include "check/Statements.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using K = StatementKind;

struct Spelling
{
    std::string_view name; // lower case, without the dot
    StatementKind kind;
};

// Sorted by name for the binary search.
constexpr auto Spellings = std::to_array<Spelling>({
    {"begin", K::Begin},
    {"beginblk", K::Block},
    {"beginblock", K::Block},
    {"beginwi", K::Within},
    {"beginwithin", K::Within},
    {"bgn", K::Begin},
    {"bgnblk", K::Block},
    {"bgnblock", K::Block},
    {"bgnwi", K::Within},
    {"bgnwithin", K::Within},
    {"blk", K::Block},
    {"block", K::Block},
    {"bot", K::Bottom},
    {"bottom", K::Bottom},
    {"break", K::Break},
    {"brk", K::Break},
    {"ce", K::Center},
    {"cen", K::Center},
    {"center", K::Center},
    {"cleanup", K::Cleanup},
    {"cr", K::LineStart},
    {"dat", K::Data},
    {"data", K::Data},
    {"declare", K::Declare},
    {"delimid", K::DelimId},
    {"delimitedidentifier", K::DelimId},
    {"detail", K::Detail},
    {"else", K::Else},
    {"elseif", K::ElseIf},
    {"end", K::End},
    {"endblk", K::EndBlock},
    {"endblock", K::EndBlock},
    {"endif", K::EndIf},
    {"endlet", K::EndLet},
    {"endprint", K::EndPrint},
    {"endrem", K::EndRemark},
    {"endremark", K::EndRemark},
    {"endwi", K::EndWithin},
    {"endwithin", K::EndWithin},
    {"ff", K::FormFeeds},
    {"ffs", K::FormFeeds},
    {"fmt", K::Format},
    {"foot", K::Footer},
    {"footer", K::Footer},
    {"footing", K::Footer},
    {"format", K::Format},
    {"formfeed", K::FormFeeds},
    {"formfeeds", K::FormFeeds},
    {"head", K::Header},
    {"header", K::Header},
    {"heading", K::Header},
    {"if", K::If},
    {"include", K::Include},
    {"left", K::Left},
    {"leftmargin", K::LeftMargin},
    {"let", K::Let},
    {"lf", K::NewLine},
    {"lft", K::Left},
    {"linebegin", K::LineStart},
    {"lineend", K::LineEnd},
    {"linefeed", K::NewLine},
    {"linestart", K::LineStart},
    {"lm", K::LeftMargin},
    {"lnbegin", K::Tab},
    {"lnend", K::LineEnd},
    {"lnstart", K::Tab},
    {"longremark", K::LongRemark},
    {"lrem", K::LongRemark},
    {"lt", K::Left},
    {"nam", K::Name},
    {"name", K::Name},
    {"ne", K::Need},
    {"need", K::Need},
    {"newline", K::NewLine},
    {"newpage", K::NewPage},
    {"nl", K::NewLine},
    {"no", K::End},
    {"noff", K::NoFormFeeds},
    {"noffs", K::NoFormFeeds},
    {"nofirstff", K::NoFirstFormFeed},
    {"noformfeed", K::NoFormFeeds},
    {"noformfeeds", K::NoFormFeeds},
    {"nou", K::NoUnderline},
    {"noul", K::NoUnderline},
    {"nounderline", K::NoUnderline},
    {"np", K::NewPage},
    {"nullstr", K::NullString},
    {"nullstring", K::NullString},
    {"out", K::Output},
    {"output", K::Output},
    {"p", K::Print},
    {"pagelength", K::PageLength},
    {"pagewidth", K::PageWidth},
    {"pl", K::PageLength},
    {"pline", K::PrintLine},
    {"pln", K::PrintLine},
    {"pos", K::Position},
    {"position", K::Position},
    {"pr", K::Print},
    {"print", K::Print},
    {"printl", K::PrintLine},
    {"printline", K::PrintLine},
    {"println", K::PrintLine},
    {"prl", K::PrintLine},
    {"prline", K::PrintLine},
    {"prln", K::PrintLine},
    {"pw", K::PageWidth},
    {"quel", K::Query},
    {"quer", K::Query},
    {"query", K::Query},
    {"rbfaggs", K::RbfMarker},
    {"rbffield", K::RbfMarker},
    {"rbfhead", K::RbfMarker},
    {"rbfpbot", K::RbfMarker},
    {"rbfptop", K::RbfMarker},
    {"rbfsetup", K::RbfMarker},
    {"rbftitle", K::RbfMarker},
    {"rbftrim", K::RbfMarker},
    {"report", K::Name},
    {"right", K::Right},
    {"rightmargin", K::RightMargin},
    {"rm", K::RightMargin},
    {"rt", K::Right},
    {"setup", K::Setup},
    {"shortremark", K::ShortRemark},
    {"sort", K::Sort},
    {"srem", K::ShortRemark},
    {"srt", K::Sort},
    {"t", K::Tab},
    {"tab", K::Tab},
    {"table", K::Data},
    {"tb", K::Tab},
    {"tfmt", K::TFormat},
    {"tformat", K::TFormat},
    {"then", K::Then},
    {"top", K::Top},
    {"tp", K::Top},
    {"u", K::Underline},
    {"ul", K::Underline},
    {"ulc", K::UlCharacter},
    {"ulchar", K::UlCharacter},
    {"ulcharacter", K::UlCharacter},
    {"underline", K::Underline},
    {"view", K::Data},
    {"wi", K::Within},
    {"wid", K::Width},
    {"width", K::Width},
    {"within", K::Within},
});

constexpr bool sortedByName()
{
    for (std::size_t i = 1; i < Spellings.size(); ++i) {
        if (!(Spellings[i - 1].name < Spellings[i].name))
            return false;
    }
    return true;
}

struct Primary
{
    StatementKind kind;
    const char *name;
};

constexpr auto PrimaryNames = std::to_array<Primary>({
    {K::None, ""},
    {K::Unknown, "."},
    {K::Name, ".NAME"},
    {K::ShortRemark, ".SHORTREMARK"},
    {K::LongRemark, ".LONGREMARK"},
    {K::EndRemark, ".ENDREMARK"},
    {K::Output, ".OUTPUT"},
    {K::Data, ".DATA"},
    {K::Query, ".QUERY"},
    {K::Sort, ".SORT"},
    {K::Break, ".BREAK"},
    {K::Declare, ".DECLARE"},
    {K::Setup, ".SETUP"},
    {K::Cleanup, ".CLEANUP"},
    {K::Include, ".INCLUDE"},
    {K::PageWidth, ".PAGEWIDTH"},
    {K::DelimId, ".DELIMID"},
    {K::Header, ".HEADER"},
    {K::Footer, ".FOOTER"},
    {K::Detail, ".DETAIL"},
    {K::Print, ".PRINT"},
    {K::PrintLine, ".PRINTLN"},
    {K::NewLine, ".NEWLINE"},
    {K::Need, ".NEED"},
    {K::NewPage, ".NEWPAGE"},
    {K::Tab, ".TAB"},
    {K::Left, ".LEFT"},
    {K::Center, ".CENTER"},
    {K::Right, ".RIGHT"},
    {K::LineStart, ".LINESTART"},
    {K::LineEnd, ".LINEEND"},
    {K::PageLength, ".PAGELENGTH"},
    {K::LeftMargin, ".LEFTMARGIN"},
    {K::RightMargin, ".RIGHTMARGIN"},
    {K::FormFeeds, ".FORMFEEDS"},
    {K::NoFormFeeds, ".NOFORMFEEDS"},
    {K::NoFirstFormFeed, ".NOFIRSTFF"},
    {K::Format, ".FORMAT"},
    {K::TFormat, ".TFORMAT"},
    {K::Position, ".POSITION"},
    {K::Width, ".WIDTH"},
    {K::Block, ".BLOCK"},
    {K::EndBlock, ".ENDBLOCK"},
    {K::Top, ".TOP"},
    {K::Bottom, ".BOTTOM"},
    {K::Within, ".WITHIN"},
    {K::EndWithin, ".ENDWITHIN"},
    {K::Underline, ".UNDERLINE"},
    {K::NoUnderline, ".NOUNDERLINE"},
    {K::UlCharacter, ".ULCHARACTER"},
    {K::NullString, ".NULLSTRING"},
    {K::If, ".IF"},
    {K::Then, ".THEN"},
    {K::ElseIf, ".ELSEIF"},
    {K::Else, ".ELSE"},
    {K::EndIf, ".ENDIF"},
    {K::Let, ".LET"},
    {K::Begin, ".BEGIN"},
    {K::End, ".END"},
    {K::EndPrint, ".ENDPRINT"},
    {K::EndLet, ".ENDLET"},
    {K::RbfMarker, ".BEGIN RBF"},
});

constexpr bool primaryNamesInOrder()
{
    for (std::size_t i = 0; i < PrimaryNames.size(); ++i) {
        if (static_cast<std::size_t>(PrimaryNames[i].kind) != i)
            return false;
    }
    return true;
}

static_assert(sortedByName(), "spellings must be sorted for the binary search");
static_assert(primaryNamesInOrder(), "primary names must follow the order of StatementKind");

// Longer than any spelling: such a name matches nothing.
constexpr std::size_t LongestSpelling = 20;

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

namespace Statements {

StatementKind kindOf(QByteArrayView name)
{
    if (name.isEmpty() || std::size_t(name.size()) > LongestSpelling)
        return K::Unknown;
    std::array<char, LongestSpelling> buffer{};
    std::transform(name.begin(), name.end(), buffer.begin(), lower);
    const std::string_view key(buffer.data(), std::size_t(name.size()));
    const auto found = std::lower_bound(
        Spellings.begin(), Spellings.end(), key,
        [](const Spelling &spelling, std::string_view wanted) { return spelling.name < wanted; });
    return found != Spellings.end() && found->name == key ? found->kind : K::Unknown;
}

QLatin1StringView primaryName(StatementKind kind)
{
    return QLatin1StringView(PrimaryNames[static_cast<std::size_t>(kind)].name);
}

bool isReportLevel(StatementKind kind)
{
    switch (kind) {
    case K::Name:
    case K::ShortRemark:
    case K::LongRemark:
    case K::Output:
    case K::Data:
    case K::Query:
    case K::Sort:
    case K::Break:
    case K::Declare:
    case K::Setup:
    case K::Cleanup:
    case K::Include:
    case K::PageWidth:
    case K::DelimId:
    case K::Header:
    case K::Footer:
    case K::Detail:
        return true;
    default:
        return false;
    }
}

bool readsWholeTokens(StatementKind kind)
{
    switch (kind) {
    case K::Query:
    case K::Setup:
    case K::Cleanup:
    case K::Data:
    case K::Output:
    case K::Include:
    case K::Declare:
        return true;
    default:
        return false;
    }
}

StatementKind pairedKind(StatementKind kind, QByteArrayView word)
{
    if (kind != K::Begin && kind != K::End)
        return kind;
    const bool begin = kind == K::Begin;
    if (word.compare("block", Qt::CaseInsensitive) == 0)
        return begin ? K::Block : K::EndBlock;
    if (word.compare("within", Qt::CaseInsensitive) == 0)
        return begin ? K::Within : K::EndWithin;
    if (word.compare("underline", Qt::CaseInsensitive) == 0)
        return begin ? K::Underline : K::NoUnderline;
    if (word.compare("formfeeds", Qt::CaseInsensitive) == 0)
        return begin ? K::FormFeeds : K::NoFormFeeds;
    if (word.size() > 3 && word.first(3).compare("rbf", Qt::CaseInsensitive) == 0)
        return K::RbfMarker;
    return kind;
}

} // namespace Statements
