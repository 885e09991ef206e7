#include "import/BandBuilder.h"

#include "model/CharacterGrid.h"
#include "model/CodeBlock.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

namespace {

CodeLines codeLines(const QStringList &texts)
{
    CodeLines lines;
    lines.setTexts(texts);
    return lines;
}

void buildCodeBlock(const EntryPlan &entry, ComponentOwner &owner, BandBase *band)
{
    auto *block = new CodeBlock(&owner, band);
    block->setName(owner.uniqueName(QStringLiteral("TMBlockCode")));
    block->setCode(codeLines(entry.code));
    block->setBounds(entry.left, entry.top, 60, GridLineHeight);
}

void buildTextItem(const EntryPlan &entry, ComponentOwner &owner, BandBase *band)
{
    auto *item = new TextItem(&owner, band);
    item->setName(owner.uniqueName(QStringLiteral("TmText")));
    item->setCaption(entry.caption);
    item->format = entry.format;
    item->blockMode = entry.blockMode;
    item->fieldMode = entry.fieldMode;
    item->field = entry.field;
    item->tabPosition = entry.position == EntryPlan::TabColumn;
    item->printable = entry.printable;
    if (entry.hasBefore)
        item->beforePrint =
            codeLines(entry.before.isEmpty() ? QStringList{QString()} : entry.before);
    item->afterPrint = codeLines(entry.after);
    item->setBounds(entry.left, entry.top, itemWidth(entry), GridLineHeight);
    item->setAlignment(entry.alignment);
    item->setAlignToBand(entry.position == EntryPlan::AlignToBand);
    if (entry.underline) {
        FontRecord font = item->fontRecord();
        font.style = FontRecord::Underline;
        item->setFontRecord(font);
    }
}

} // namespace

int itemWidth(const EntryPlan &entry)
{
    int columns = int(entry.caption.trimmed().size());
    bool ok = false;
    const int formatWidth =
        QStringView(entry.format).mid(1).toString().section(u'.', 0, 0).toInt(&ok);
    if (ok)
        columns = std::max(columns, formatWidth);
    return std::clamp(columns, 1, 60) * GridColumnWidth;
}

BandBase *buildBand(const BandPlan &plan, ComponentOwner &owner, ReportPage *page,
                    const QRect &slot)
{
    BandBase *band = nullptr;
    if (plan.breakBand) {
        auto *breakBand = new BreakBand(&owner, page);
        breakBand->setName(owner.uniqueName(QStringLiteral("TmBreakBand")));
        breakBand->setTypeBand(BreakBandType(plan.type));
        breakBand->newPageOnBreak = plan.newPageOnBreak;
        band = breakBand;
    } else {
        auto *plain = new Band(&owner, page);
        plain->setName(owner.uniqueName(QStringLiteral("TmBand")));
        plain->setTypeBand(BandType(plan.type));
        band = plain;
    }
    band->setTypeField(plan.typeField);
    band->blockMode = plan.blockMode;
    band->fieldMode = plan.fieldMode;
    band->field = plan.field;
    band->beforePrint = codeLines(plan.before);
    band->afterPrint = codeLines(plan.after);
    // Less than a line high, a band asks for no lines with .NEED.
    band->setHeightPx(plan.rows > 0 ? plan.rows * GridLineHeight : GridLineHeight - 1);
    band->placeInStack(slot.left(), slot.top(), slot.width());
    for (const EntryPlan &entry : plan.entries) {
        if (entry.isCode)
            buildCodeBlock(entry, owner, band);
        else
            buildTextItem(entry, owner, band);
    }
    return band;
}
