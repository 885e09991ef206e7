#include "generation/TextCode.h"

#include "generation/GenerationOutlet.h"
#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "model/CharacterGrid.h"
#include "model/ReportPage.h"
#include "model/TextItem.h"

using LineText::statement;
using LineText::tabs;

namespace {

// Tab positions count from the page's left margin, in whole columns.
int leftMarginColumns(const GenerationWindow &window, const TextItem &item)
{
    const ReportPage *page = window.page ? window.page : item.page();
    return page ? Geometry::roundAway(page->pageValue(LeftMargin)) : 0;
}

QLatin1StringView alignmentKeyword(TextAlignment alignment)
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
void appendStatements(CodeLines &lines, const GenerationWindow &window, TextItem *item, int level,
                      int breakCount)
{
    const auto add = [&](int at, const QString &text, LineAttribute attribute) {
        lines.add(tabs(at) + text, item, attribute);
    };
    if (item->blockMode)
        add(level++, Keywords::Block, spBlockStart);
    if (item->fieldMode)
        add(level++, statement(Keywords::Within, item->field), spFieldStart);
    if (breakCount > 0)
        add(level, statement(Keywords::NewLine, breakCount), spNewLine);
    const bool underlined = item->fontRecord().style == FontRecord::Underline;
    // The report program aligns only a .PRINT that directly follows the
    // alignment command, so underlining is switched on before the position.
    if (underlined)
        add(level, Keywords::Underline, spUnderline);
    if (item->alignToBand()) {
        add(level, alignmentKeyword(item->alignment()), spAlign);
    } else if (item->tabPosition) {
        const int column = item->x() / GridColumnWidth + leftMarginColumns(window, *item);
        add(level, statement(Keywords::Tab, column), spTab);
    }
    add(level,
        statement(Keywords::Print,
                  LineText::blankControls(item->caption() + formatSuffix(item->format))),
        spCaption);
    if (underlined)
        add(level, Keywords::NoUnderline, spNonUnderline);
    if (item->fieldMode)
        add(--level, Keywords::EndWithin, spFieldEnd);
    if (item->blockMode)
        add(--level, Keywords::EndBlock, spBlockEnd);
}

} // namespace

CodeLines generateTextCode(const GenerationWindow &window, TextItem *item, bool breaks, int level,
                           bool withPrintCode, int breakCount)
{
    CodeLines lines;
    appendTextCode(lines, window, item, breaks, level, withPrintCode, breakCount);
    return lines;
}

void appendTextCode(CodeLines &lines, const GenerationWindow &window, TextItem *item, bool breaks,
                    int level, bool withPrintCode, int breakCount)
{
    if (withPrintCode) {
        const QString indent = tabs(level);
        for (const CodeLine &line : std::as_const(item->beforePrint)) {
            if (!LineText::isBlank(line.text))
                lines.add(indent + line.text, item, spBeforeCode);
        }
        if (!item->beforePrint.isEmpty())
            ++level;
    }
    if (!item->printable)
        return;
    appendStatements(lines, window, item, level, breaks ? breakCount : 0);
    if (withPrintCode) {
        const QString indent = tabs(level - 1);
        for (const CodeLine &line : std::as_const(item->afterPrint))
            lines.add(indent + line.text, item, spAfterCode);
    }
}

void generateTextSubCode(const GenerationWindow &window, TextItem *item)
{
    item->subTextCode.clear();
    appendStatements(item->subTextCode, window, item, 0, 0);
}

std::optional<QString> captionFromPrintLine(QStringView line, const QString &format)
{
    qsizetype at = 0;
    while (at < line.size() && (line[at] == u'\t' || line[at] == u' '))
        ++at;
    QStringView rest = line.sliced(at);
    if (!rest.startsWith(Keywords::Print, Qt::CaseInsensitive))
        return std::nullopt;
    rest = rest.sliced(Keywords::Print.size());
    if (!rest.isEmpty() && rest.front() != u' ' && rest.front() != u'\t')
        return std::nullopt; // another keyword that begins so
    if (!rest.isEmpty())
        rest = rest.sliced(1);
    const QString suffix = formatSuffix(format);
    if (!suffix.isEmpty() && rest.endsWith(suffix))
        rest.chop(suffix.size());
    return rest.toString();
}
