#include "windows/PrintedPagesView.h"

#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

// The size of the printed characters at 100 %.
constexpr qreal NormalPointSize = 10.0;

QFont fixedPitchFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

} // namespace

PrintedPagesView::PrintedPagesView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("PreviewPages"));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
}

void PrintedPagesView::clear()
{
    m_pages.clear();
    m_pageStarts.clear();
    m_totalRows = 0;
    m_widestLine = 0;
    m_current = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    emit currentPageChanged(-1);
}

void PrintedPagesView::appendPage(const PrintedPage &page)
{
    // Each page but the first starts with its boundary row.
    const int boundary = m_pages.isEmpty() ? 0 : 1;
    m_pageStarts.append(m_totalRows + boundary);
    m_totalRows += boundary + std::max<int>(1, int(page.lineCount()));
    m_widestLine = std::max(m_widestLine, int(page.widestLine()));
    m_pages.append(page);
    updateScrollBars();
    // Only what is in view needs painting again.
    const int shown = int(m_pages.size()) - 1;
    if (m_allPages || shown == m_current)
        viewport()->update();
    if (m_pages.size() == 1)
        emit currentPageChanged(0);
}

void PrintedPagesView::setCurrentPage(int index)
{
    if (m_pages.isEmpty())
        return;
    index = std::clamp(index, 0, int(m_pages.size()) - 1);
    const bool changed = index != m_current;
    m_current = index;
    if (m_allPages) {
        verticalScrollBar()->setValue(firstRowOf(index));
    } else {
        updateScrollBars();
        verticalScrollBar()->setValue(0);
    }
    viewport()->update();
    if (changed)
        emit currentPageChanged(index);
}

void PrintedPagesView::setAllPages(bool all)
{
    if (all == m_allPages)
        return;
    m_allPages = all;
    updateScrollBars();
    verticalScrollBar()->setValue(all && !m_pages.isEmpty() ? firstRowOf(m_current) : 0);
    viewport()->update();
}

void PrintedPagesView::setZoom(int percent)
{
    percent = std::clamp(percent, MinimumZoom, MaximumZoom);
    if (percent == m_zoom)
        return;
    const int top = verticalScrollBar()->value();
    m_zoom = percent;
    updateScrollBars();
    verticalScrollBar()->setValue(top);
    viewport()->update();
    emit zoomChanged(percent);
}

QFont PrintedPagesView::viewFont() const
{
    QFont font = fixedPitchFont();
    font.setPointSizeF(NormalPointSize * m_zoom / 100.0);
    return font;
}

int PrintedPagesView::rowHeight() const
{
    return std::max(1, QFontMetrics(viewFont()).lineSpacing());
}

int PrintedPagesView::rowCount() const
{
    if (m_pages.isEmpty())
        return 0;
    if (m_allPages)
        return m_totalRows;
    return std::max<int>(1, int(m_pages[m_current].lineCount()));
}

PrintedPagesView::Row PrintedPagesView::rowAt(int row) const
{
    if (!m_allPages)
        return {m_current, row};
    // The last page whose first row is not after row; a row just before a
    // page's first one is that page's boundary.
    const auto next = std::upper_bound(m_pageStarts.begin(), m_pageStarts.end(), row);
    const int page = int(next - m_pageStarts.begin()) - 1;
    if (page + 1 < m_pageStarts.size() && row == m_pageStarts[page + 1] - 1)
        return {page + 1, -1};
    return {page, row - m_pageStarts[page]};
}

int PrintedPagesView::firstRowOf(int page) const
{
    if (!m_allPages)
        return 0;
    // Scrolled to a page, its boundary shows above it.
    return std::max(0, m_pageStarts.value(page) - (page > 0 ? 1 : 0));
}

void PrintedPagesView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setFont(viewFont());
    painter.setPen(palette().color(QPalette::Text));
    const int height = rowHeight();
    const int first = verticalScrollBar()->value();
    const int count = rowCount();
    for (int row = first + event->rect().top() / height;
         row < count && (row - first) * height <= event->rect().bottom(); ++row)
        paintRow(painter, rowAt(row), (row - first) * height);
}

void PrintedPagesView::paintRow(QPainter &painter, const Row &row, int top) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int left = 4 - horizontalScrollBar()->value();
    if (row.line < 0) {
        const int middle = top + rowHeight() / 2;
        painter.save();
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
        painter.drawLine(0, middle, viewport()->width(), middle);
        if (m_pages[row.page].formFeedBefore) {
            painter.setPen(palette().color(QPalette::PlaceholderText));
            painter.drawText(left, top + metrics.ascent(), QStringLiteral("FF"));
        }
        painter.restore();
        return;
    }
    const PrintedPage &page = m_pages[row.page];
    if (row.line >= page.lineCount())
        return;
    const PrintedLine line = page.line(row.line);
    const int baseline = top + metrics.ascent();
    painter.drawText(left, baseline, line.text);
    // Fixed pitch: column n starts n character widths from the left.
    const int width = metrics.horizontalAdvance(u'M');
    const int under = baseline + std::max(1, metrics.underlinePos());
    for (const UnderlineSpan &span : line.underlines) {
        if (span.length > 0)
            painter.drawLine(left + span.start * width, under,
                             left + (span.start + span.length) * width - 1, under);
    }
}

void PrintedPagesView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PrintedPagesView::scrollContentsBy(int dx, int dy)
{
    QAbstractScrollArea::scrollContentsBy(dx, dy);
    if (dy != 0)
        followScroll();
    viewport()->update();
}

void PrintedPagesView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        setZoom(m_zoom + (event->angleDelta().y() > 0 ? 10 : -10));
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PrintedPagesView::updateScrollBars()
{
    const int height = rowHeight();
    const int visibleRows = std::max(1, viewport()->height() / height);
    verticalScrollBar()->setPageStep(visibleRows);
    // All pages scroll until the last row is at the top, so that any page
    // can be brought to the top of the view.
    const int last = m_allPages ? rowCount() - 1 : rowCount() - visibleRows;
    verticalScrollBar()->setRange(0, std::max(0, last));
    const int width = QFontMetrics(viewFont()).horizontalAdvance(u'M') * (m_widestLine + 1) + 8;
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
}

// In the all-pages mode the current page is the one at the top of the view.
void PrintedPagesView::followScroll()
{
    if (!m_allPages || m_pages.isEmpty())
        return;
    const Row top = rowAt(verticalScrollBar()->value());
    if (top.page != m_current) {
        m_current = top.page;
        emit currentPageChanged(m_current);
    }
}
