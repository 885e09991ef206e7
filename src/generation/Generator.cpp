#include "generation/Generator.h"

#include "generation/BandCode.h"
#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "model/mKomponents.h"

#include <QPointer>

#include <array>
#include <stdexcept>

using LineText::statement;

namespace {

// The source text opens with the comment lines as one comment.
void addComments(CodeLines &lines, const CodeLines &comments, TmPage *page)
{
    const qsizetype last = comments.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        const QString &text = comments.at(i).text;
        if (i == 0)
            lines.add(QLatin1String("/*# ") + text, page);
        if (i > 0 && i < last)
            lines.add(QLatin1String("# ") + text, page);
        if (i == last)
            lines.add(QLatin1String("# ") + text + QLatin1String("*/"), page);
    }
}

void addHeaderLine(CodeLines &lines, QLatin1StringView keyword, const QString &value,
                   TmPage *page)
{
    if (!LineText::isBlank(value))
        lines.add(statement(keyword, value), page);
}

void addRawSection(CodeLines &lines, const CodeLines &section, TmPage *page)
{
    for (const CodeLine &line : section)
        lines.add(line.text, page);
}

enum Category {
    ReportHeader,
    PageHeader,
    OtherHeader,
    BreakHeaders,
    Details,
    BreakFooters,
    OtherFooter,
    PageFooter,
    ReportFooter,
    PageCodeBlock,
    CategoryCount,
    NotEmitted = -1
};

enum class BreakWord { Report, Page, Other };

BreakWord breakWord(const QString &typeField)
{
    if (LineText::isWord(typeField, QLatin1StringView("REPORT")))
        return BreakWord::Report;
    if (LineText::isWord(typeField, QLatin1StringView("PAGE")))
        return BreakWord::Page;
    return BreakWord::Other;
}

Category bandCategory(const TmBand &band)
{
    const BreakWord word = breakWord(band.typeField());
    switch (band.TypeBand()) {
    case Header:
        return word == BreakWord::Report ? ReportHeader
             : word == BreakWord::Page   ? PageHeader
                                         : OtherHeader;
    case Detail:
        return Details;
    case Footer:
        return word == BreakWord::Report ? ReportFooter
             : word == BreakWord::Page   ? PageFooter
                                         : OtherFooter;
    }
    return NotEmitted;
}

// The report program breaks on page and report by itself: break bands
// that name them have no sort column to break on.
Category breakBandCategory(const TmBreakBand &band)
{
    if (breakWord(band.typeField()) != BreakWord::Other)
        return NotEmitted;
    switch (band.TypeBand()) {
    case BreakHeader:
        return BreakHeaders;
    case BreakFooter:
        return BreakFooters;
    }
    return NotEmitted;
}

Category sectionCategory(const QWidget *child)
{
    if (auto *band = qobject_cast<const TmBand *>(child))
        return bandCategory(*band);
    if (auto *breakBand = qobject_cast<const TmBreakBand *>(child))
        return breakBandCategory(*breakBand);
    if (qobject_cast<const TMBlockCode *>(child))
        return PageCodeBlock;
    return NotEmitted;
}

} // namespace

bool GenerateSource(const GenerationWindow &window)
{
    try {
        if (!window.page)
            throw std::runtime_error("no report page");
        GeneratePageCode(window, window.page);
        if (window.source) {
            window.source->clearLines();
            for (const CodeLine &line : std::as_const(window.page->PageCode))
                window.source->addLine(line.text);
            window.source->endLines();
        }
        return true;
    } catch (...) {
        if (window.showMessage)
            window.showMessage(CannotShowEditWindow);
        return false;
    }
}

void GeneratePageCode(const GenerationWindow &window, TmPage *page)
{
    CodeLines lines;
    addComments(lines, page->Comments, page);
    page->PageCode.clear();
    addHeaderLine(lines, Keywords::Name, page->Nam, page);
    addHeaderLine(lines, Keywords::Output, page->Output, page);
    addHeaderLine(lines, Keywords::ShortRemark, page->ShortRemark, page);
    for (const CodeLines *section : {&page->LongRemark, &page->Include, &page->Data, &page->Setup,
                                     &page->Cleanup, &page->Query, &page->Sort, &page->Break,
                                     &page->Declare})
        addRawSection(lines, *section, page);
    page->PageCode = std::move(lines);
    GenerateSections(window, page);
}

void GenerateSections(const GenerationWindow &window, TmPage *page)
{
    GenerationProgress *progress = window.progress;
    if (progress)
        progress->showProgressPanel();
    const QList<QWidget *> order = SectionOrder(page);
    if (progress) {
        progress->setProgressMaximum(int(order.size()));
        progress->setProgressStep(1);
    }
    // Pending events run between sections and may delete components.
    const QPointer<TmPage> livePage(page);
    QList<QPointer<QWidget>> entries(order.cbegin(), order.cend());
    for (const QPointer<QWidget> &entry : std::as_const(entries)) {
        if (!entry || entry->parentWidget() != page)
            continue;
        if (progress)
            progress->setProgressLabel(QLatin1String("Generating Section: ") + entry->objectName());
        if (auto *band = qobject_cast<TmBand *>(entry)) {
            GenerateBandCode(window, band, true, 0);
            page->PageCode.append(band->BandCode);
        } else if (auto *breakBand = qobject_cast<TmBreakBand *>(entry)) {
            GenerateBreakBandCode(window, breakBand, true, 0);
            page->PageCode.append(breakBand->BandCode);
        } else if (auto *block = qobject_cast<TMBlockCode *>(entry)) {
            page->PageCode.append(block->Code());
        }
        if (progress) {
            progress->stepProgress();
            progress->processPendingEvents();
            if (!livePage)
                throw std::runtime_error("the report page was deleted during generation");
        }
    }
    if (progress)
        progress->hideProgressPanel();
}

QList<QWidget *> SectionOrder(const TmPage *page)
{
    std::array<QList<QWidget *>, CategoryCount> categories;
    const QList<QWidget *> children = orderedChildren(page, reportClasses());
    for (QWidget *child : children) {
        const Category category = sectionCategory(child);
        if (category != NotEmitted)
            categories[category].append(child);
    }
    QList<QWidget *> order;
    order.reserve(children.size());
    for (const QList<QWidget *> &category : categories)
        order.append(category);
    return order;
}
