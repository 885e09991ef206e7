#include "generation/Keywords.h"

namespace Keywords {

const QStringList &all()
{
    static const QStringList table = [] {
        const QLatin1StringView keywords[] = {
            Name,   Output,  ShortRemark, LeftMargin, PageLength, RightMargin, PageWidth,
            Need,   NewPage, NewLine,     Block,      EndBlock,   Within,      EndWithin,
            Left,   Center,  Right,       Tab,        Underline,  NoUnderline, Print,
            Break,  Cleanup, Data,        Declare,    Include,    LongRemark,  EndRemark,
            Query,  Setup,   Sort,        Table,      View,       FormFeed,    NoFormFeed,
            Detail, Footer,  Header,      Bottom,     Format,     Position,    TFormat,
            Top,    Width,   LineEnd,     LineStart,  NullString, PrintLn,     UlCharacter,
            If,     Then,    Else,        Let,
        };
        QStringList list;
        list.reserve(std::size(keywords));
        for (QLatin1StringView keyword : keywords)
            list.append(keyword);
        return list;
    }();
    return table;
}

} // namespace Keywords
