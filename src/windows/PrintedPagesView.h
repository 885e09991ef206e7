#pragma once

#include "preview/PrintedPage.h"

#include <QAbstractScrollArea>
#include <QList>

// Printed pages as the report program wrote them, in a fixed-pitch font:
// one page at a time, or all pages one below the other with a rule at each
// page boundary (marked "FF" where a form feed starts the page). Underlined
// spans are drawn underlined. Only the lines in view are painted, so a run
// of many thousand pages scrolls as lightly as one.
class PrintedPagesView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int MinimumZoom = 50;
    static constexpr int MaximumZoom = 400;

    explicit PrintedPagesView(QWidget *parent = nullptr);

    void clear();
    void appendPage(const PrintedPage &page);
    const QList<PrintedPage> &pages() const { return m_pages; }

    // From 0; -1 while there are no pages.
    int currentPage() const { return m_pages.isEmpty() ? -1 : m_current; }
    void setCurrentPage(int index);

    bool allPages() const { return m_allPages; }
    void setAllPages(bool all);

    // In percent of the normal size.
    int zoom() const { return m_zoom; }
    void setZoom(int percent);

signals:
    void currentPageChanged(int index);
    void zoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // What one row of the view shows: a line of a page, or a page boundary.
    struct Row
    {
        int page = 0;
        int line = -1; // -1: the boundary before the page
    };

    QFont viewFont() const;
    int rowHeight() const;
    int rowCount() const;
    Row rowAt(int row) const;
    // The first row of a page in the current mode.
    int firstRowOf(int page) const;
    void paintRow(QPainter &painter, const Row &row, int top) const;
    void updateScrollBars();
    void followScroll();

    QList<PrintedPage> m_pages;
    // In the all-pages mode, the first row of each page: its boundary row
    // comes first for every page but the first.
    QList<int> m_pageStarts;
    int m_totalRows = 0;
    int m_widestLine = 0;
    int m_current = 0;
    bool m_allPages = false;
    int m_zoom = 100;
};
