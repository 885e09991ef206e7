#include "generation/Generator.h"

#include "generation/BandCode.h"
#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "model/ReportClasses.h"

#include <QPointer>

#include <array>
#include <stdexcept>

using LineText::statement;

namespace {

// The source text opens with the comment lines as one comment.
void addComments(CodeLines &lines, const CodeLines &comments, ReportPage *page)
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
                   ReportPage *page)
{
    if (!LineText::isBlank(value))
        lines.add(statement(keyword, value), page);
}

void addRawSection(CodeLines &lines, const CodeLines &section, ReportPage *page)
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

Category bandCategory(const Band &band)
{
    const BreakWord word = breakWord(band.typeField());
    switch (band.typeBand()) {
    case Header:
        return word == BreakWord::Report ? ReportHeader
               : word == BreakWord::Page ? PageHeader
                                         : OtherHeader;
    case Detail:
        return Details;
    case Footer:
        return word == BreakWord::Report ? ReportFooter
               : word == BreakWord::Page ? PageFooter
                                         : OtherFooter;
    }
    return NotEmitted;
}

// The report program breaks on page and report by itself: break bands
// that name them have no sort column to break on.
Category breakBandCategory(const BreakBand &band)
{
    if (breakWord(band.typeField()) != BreakWord::Other)
        return NotEmitted;
    switch (band.typeBand()) {
    case BreakHeader:
        return BreakHeaders;
    case BreakFooter:
        return BreakFooters;
    }
    return NotEmitted;
}

Category sectionCategory(const QWidget *child)
{
    if (auto *band = qobject_cast<const Band *>(child))
        return bandCategory(*band);
    if (auto *breakBand = qobject_cast<const BreakBand *>(child))
        return breakBandCategory(*breakBand);
    if (qobject_cast<const CodeBlock *>(child))
        return PageCodeBlock;
    return NotEmitted;
}

} // namespace

bool generateSource(const GenerationWindow &window)
{
    try {
        if (!window.page)
            throw std::runtime_error("no report page");
        generatePageCode(window, window.page);
        if (window.source) {
            window.source->clearLines();
            for (const CodeLine &line : std::as_const(window.page->pageCode))
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

void generatePageCode(const GenerationWindow &window, ReportPage *page)
{
    CodeLines lines;
    addComments(lines, page->comments, page);
    page->pageCode.clear();
    addHeaderLine(lines, Keywords::Name, page->reportName, page);
    addHeaderLine(lines, Keywords::Output, page->output, page);
    addHeaderLine(lines, Keywords::ShortRemark, page->shortRemark, page);
    for (const CodeLines *section :
         {&page->longRemark, &page->include, &page->data, &page->setup, &page->cleanup,
          &page->query, &page->sort, &page->breakSection, &page->declare})
        addRawSection(lines, *section, page);
    page->pageCode = std::move(lines);
    generateSections(window, page);
}

void generateSections(const GenerationWindow &window, ReportPage *page)
{
    GenerationProgress *progress = window.progress;
    if (progress)
        progress->showProgressPanel();
    const QList<QWidget *> order = sectionOrder(page);
    if (progress) {
        progress->setProgressMaximum(int(order.size()));
        progress->setProgressStep(1);
    }
    // Pending events run between sections and may delete components.
    const QPointer<ReportPage> livePage(page);
    QList<QPointer<QWidget>> entries(order.cbegin(), order.cend());
    for (const QPointer<QWidget> &entry : std::as_const(entries)) {
        if (!entry || entry->parentWidget() != page)
            continue;
        if (progress)
            progress->setProgressLabel(QLatin1String("Generating Section: ") + entry->objectName());
        if (auto *band = qobject_cast<Band *>(entry)) {
            generateBandCode(window, band, true, 0);
            page->pageCode.append(band->bandCode);
        } else if (auto *breakBand = qobject_cast<BreakBand *>(entry)) {
            generateBreakBandCode(window, breakBand, true, 0);
            page->pageCode.append(breakBand->bandCode);
        } else if (auto *block = qobject_cast<CodeBlock *>(entry)) {
            page->pageCode.append(block->code());
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

QList<QWidget *> sectionOrder(const ReportPage *page)
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
