#include "generation/TextCode.h"

#include "generation/GenerationOutlet.h"
#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "model/TmPage.h"
#include "model/TmText.h"

using LineText::statement;
using LineText::tabs;

namespace {

// Tab positions count from the page's left margin, in whole columns.
int leftMarginColumns(const GenerationWindow &window, const TmText &item)
{
    const TmPage *page = window.page ? window.page : item.page();
    return page ? Geometry::roundAway(page->pageValue(LeftMargin)) : 0;
}

QLatin1StringView alignmentKeyword(TAlignment alignment)
{
    switch (alignment) {
    case taCenter:
        return Keywords::Center;
    case taRightJustify:
        return Keywords::Right;
    case taLeftJustify:
        break;
    }
    return Keywords::Left;
}

QString formatSuffix(const QString &format)
{
    const QStringView text = LineText::trimmed(format);
    if (text.isEmpty())
        return {};
    return QString(u'(').append(text).append(u')');
}

// The item's own statements, from the opening to the closing brackets.
void appendStatements(CodeLines &lines, const GenerationWindow &window, TmText *item, int level,
                      int breakCount)
{
    const auto add = [&](int at, const QString &text, TTypeEditAttr attribute) {
        lines.add(tabs(at) + text, item, attribute);
    };
    if (item->BlockMode)
        add(level++, Keywords::Block, spBlock_p);
    if (item->FieldMode)
        add(level++, statement(Keywords::Within, item->Field), spField_p);
    if (breakCount > 0)
        add(level, statement(Keywords::NewLine, breakCount), spNewLine);
    const bool underlined = item->fontRecord().style == TFontRecord::Underline;
    // The report program aligns only a .PRINT that directly follows the
    // alignment command, so underlining is switched on before the position.
    if (underlined)
        add(level, Keywords::Underline, spUnderline);
    if (item->alignToBand()) {
        add(level, alignmentKeyword(item->alignment()), spAlign);
    } else if (item->TabPosition) {
        const int column = item->x() / GridColumnWidth + leftMarginColumns(window, *item);
        add(level, statement(Keywords::Tab, column), spTab);
    }
    add(level, statement(Keywords::Print, item->caption() + formatSuffix(item->Format)), spCaption);
    if (underlined)
        add(level, Keywords::NoUnderline, spNonUnderline);
    if (item->FieldMode)
        add(--level, Keywords::EndWithin, spField_k);
    if (item->BlockMode)
        add(--level, Keywords::EndBlock, spBlock_k);
}

} // namespace

CodeLines GenerateTextCode(const GenerationWindow &window, TmText *item, bool breaks, int level,
                           bool withPrintCode, int breakCount)
{
    CodeLines lines;
    appendTextCode(lines, window, item, breaks, level, withPrintCode, breakCount);
    return lines;
}

void appendTextCode(CodeLines &lines, const GenerationWindow &window, TmText *item, bool breaks,
                    int level, bool withPrintCode, int breakCount)
{
    if (withPrintCode) {
        const QString indent = tabs(level);
        for (const CodeLine &line : std::as_const(item->BeforePrint)) {
            if (!LineText::isBlank(line.text))
                lines.add(indent + line.text, item, spBeforeCode);
        }
        if (!item->BeforePrint.isEmpty())
            ++level;
    }
    if (!item->Printable)
        return;
    appendStatements(lines, window, item, level, breaks ? breakCount : 0);
    if (withPrintCode) {
        const QString indent = tabs(level - 1);
        for (const CodeLine &line : std::as_const(item->AfterPrint))
            lines.add(indent + line.text, item, spAfterCode);
    }
}

void GenerateTextSubCode(const GenerationWindow &window, TmText *item)
{
    item->SubTextCode.clear();
    appendStatements(item->SubTextCode, window, item, 0, 0);
}
