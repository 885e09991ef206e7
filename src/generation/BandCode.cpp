#include "generation/BandCode.h"

#include "generation/Keywords.h"
#include "generation/LineText.h"
#include "generation/TextCode.h"
#include "model/CharacterGrid.h"
#include "model/ReportClasses.h"

#include <algorithm>
#include <vector>

using LineText::statement;
using LineText::tabs;

namespace {

// The parts of a section that differ between bands and break bands.
struct SectionKind
{
    QString keyword;
    bool pageFormat = false;
    bool breakBand = false;
    bool newPageAtEnd = false;
};

// The line a text item at either end of the band lies on; code blocks at
// the ends set no line breaks.
int textRow(const QWidget *entry)
{
    return qobject_cast<const TextItem *>(entry) ? entry->y() / GridLineHeight : 0;
}

class SectionWriter
{
public:
    SectionWriter(const GenerationWindow &window, BandBase *band, const SectionKind &kind)
        : m_window(window), m_band(band), m_kind(kind), m_code(band->bandCode)
    {
    }

    void write(bool withPrintCode, int indent);

private:
    void add(int level, const QString &text, LineAttribute attribute)
    {
        m_code.add(tabs(level) + text, m_band, attribute);
    }
    void addUntagged(int level, const QString &text) { m_code.add(tabs(level) + text, m_band); }
    // breakSection bands carry themselves, not a tag, on these lines.
    void addBodyLine(int level, const QString &text, LineAttribute attribute)
    {
        if (m_kind.breakBand)
            addUntagged(level, text);
        else
            add(level, text, attribute);
    }
    void addBeforeCode(int level);
    QString withinLine() const;
    void addItems(const QList<QWidget *> &items, int level);

    const GenerationWindow &m_window;
    BandBase *m_band;
    const SectionKind &m_kind;
    CodeLines &m_code;
};

void SectionWriter::write(bool withPrintCode, int indent)
{
    int level = indent;
    m_code.clear();
    if (withPrintCode && !m_band->beforePrint.isEmpty()) {
        addBeforeCode(level);
        ++level;
    }
    addUntagged(level, QLatin1Char('.') + m_kind.keyword + QLatin1Char(' ') + m_band->typeField());
    ++level;
    if (m_kind.pageFormat)
        generatePageFormat(m_window, m_band, level);
    if (m_band->blockMode)
        add(level++, Keywords::Block, spBlockStart);
    if (m_band->fieldMode)
        add(level++, withinLine(), spFieldStart);

    const int body = level;
    const int rows = m_band->height() / GridLineHeight;
    if (rows > 0)
        addBodyLine(body, statement(Keywords::Need, rows), spNeed);
    const QList<QWidget *> items = sortBandItems(m_band);
    const int leading = items.isEmpty() ? 0 : textRow(items.first());
    const int lastRow = items.isEmpty() ? 0 : textRow(items.last());
    const int trailing = lastRow > 0 ? rows - lastRow - 1 : 0;
    if (leading > 0) {
        if (m_kind.breakBand)
            addUntagged(1, statement(Keywords::NewLine, leading));
        else
            add(body, statement(Keywords::NewLine, leading), spNewLine);
    }
    addItems(items, body);
    if (trailing > 0)
        addBodyLine(body, statement(Keywords::NewLine, trailing), spNewLine);
    if (m_kind.newPageAtEnd) {
        addUntagged(body, statement(Keywords::NewLine, 1));
        addUntagged(body, Keywords::NewPage);
    }

    if (m_band->fieldMode)
        add(--level, Keywords::EndWithin, spFieldEnd);
    if (m_band->blockMode)
        add(--level, Keywords::EndBlock, spBlockEnd);
    if (withPrintCode) {
        const QString afterIndent = tabs(level - (m_kind.breakBand ? 1 : 2));
        for (const CodeLine &line : std::as_const(m_band->afterPrint))
            m_code.add(afterIndent + line.text, m_band, spAfterCode);
    }
}

void SectionWriter::addBeforeCode(int level)
{
    if (m_kind.breakBand) {
        for (const CodeLine &line : std::as_const(m_band->beforePrint))
            m_code.add(line.text, m_band);
        return;
    }
    const QString indent = tabs(level);
    for (const CodeLine &line : std::as_const(m_band->beforePrint))
        m_code.add(indent + line.text, m_band, spBeforeCode);
}

// The report program's .WITHIN takes the columns to work within; a band
// names them in its Field.
QString SectionWriter::withinLine() const
{
    if (LineText::isBlank(m_band->field))
        return Keywords::Within;
    return statement(Keywords::Within, m_band->field);
}

void SectionWriter::addItems(const QList<QWidget *> &items, int level)
{
    int previous = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        QWidget *item = items.at(i);
        markItemLines(m_window, item, int(m_code.size()) + 1, ItemMark::Start);
        if (auto *text = qobject_cast<TextItem *>(item)) {
            const bool breaks = text->y() > previous && i > 0;
            const int count = breaks ? (text->y() - previous) / GridLineHeight : 0;
            appendTextCode(m_code, m_window, text, breaks, level, true, count);
        } else if (auto *block = qobject_cast<CodeBlock *>(item)) {
            m_code.append(block->code());
        }
        markItemLines(m_window, item, int(m_code.size()), ItemMark::End);
        previous = item->y();
    }
}

} // namespace

void generateBandCode(const GenerationWindow &window, Band *band, bool withPrintCode, int indent)
{
    SectionKind kind;
    kind.keyword = bandTypeKeyword(band->typeBand());
    kind.pageFormat = band->typeBand() == Header
                      && LineText::isWord(band->typeField(), QLatin1StringView("REPORT"));
    SectionWriter(window, band, kind).write(withPrintCode, indent);
}

void generateBreakBandCode(const GenerationWindow &window, BreakBand *band, bool withPrintCode,
                           int indent)
{
    SectionKind kind;
    kind.keyword = breakBandTypeKeyword(band->typeBand());
    kind.breakBand = true;
    // A page break after the group's footer starts every group on a new page.
    kind.newPageAtEnd = band->newPageOnBreak && band->typeBand() == BreakFooter;
    SectionWriter(window, band, kind).write(withPrintCode, indent);
}

QString bandTypeKeyword(BandType type)
{
    switch (type) {
    case Header:
        return QStringLiteral("HEADER");
    case Detail:
        return QStringLiteral("DETAIL");
    case Footer:
        return QStringLiteral("FOOTER");
    }
    return {};
}

QString breakBandTypeKeyword(BreakBandType type)
{
    switch (type) {
    case BreakHeader:
        return QStringLiteral("HEADER");
    case BreakFooter:
        return QStringLiteral("FOOTER");
    }
    return {};
}

void generatePageFormat(const GenerationWindow &window, BandBase *band, int level)
{
    const ReportPage *page = window.page ? window.page : band->page();
    if (!page)
        return;
    const auto whole = [](long double value) {
        return Geometry::roundAway(value);
    };
    const long double width = page->pageValue(Width);
    const QString indent = tabs(level);
    CodeLines &code = band->bandCode;
    code.add(indent + statement(Keywords::LeftMargin, whole(page->pageValue(LeftMargin))), band);
    code.add(indent + statement(Keywords::PageLength, whole(page->pageValue(Length))), band);
    code.add(indent + statement(Keywords::RightMargin, whole(width - page->pageValue(RightMargin))),
             band);
    code.add(indent + statement(Keywords::PageWidth, whole(width)), band);
}

QList<QWidget *> sortBandItems(const BandBase *band)
{
    // Negative positions compare as large unsigned numbers, so items pushed
    // above or left of the band come last. The keys are taken once: a band
    // can hold many items, and the sort compares each many times.
    struct Entry
    {
        std::pair<quint32, quint32> key;
        QWidget *item;
    };
    std::vector<Entry> entries;
    for (QWidget *child : orderedChildren(band, reportClasses())) {
        if (qobject_cast<TextItem *>(child) || qobject_cast<CodeBlock *>(child))
            entries.push_back({{quint32(child->y()), quint32(child->x())}, child});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.key < b.key; });
    QList<QWidget *> items;
    items.reserve(qsizetype(entries.size()));
    for (const Entry &entry : entries)
        items.append(entry.item);
    return items;
}

void markItemLines(const GenerationWindow &window, QObject *item, int line, ItemMark mark)
{
    if (window.itemMarks)
        window.itemMarks->markItemLines(item, line, mark);
}
