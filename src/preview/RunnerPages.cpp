// Vertical movement and paging: lines leave the buffer for the page, page
// footers and headers run at page breaks, pages go to the observer.

#include "preview/ReportRunner.h"

namespace {

constexpr qsizetype UnpagedPieceLines = 100;

} // namespace

void ReportRunner::newLine(int count)
{
    Writer &writer = *m_writer;
    if (writer.blockDepth > 0) {
        writer.buffer.setCurrentLine(writer.buffer.currentLine() + count);
        writer.buffer.setPosition(writer.left);
        writer.blockFinished = true;
        return;
    }
    writeBufferedLines();
    for (int blank = 1; blank < count; ++blank)
        emitLine(PrintedLine());
    m_writer->buffer.setPosition(m_writer->left);
}

// Writes the buffer's lines; an empty buffer writes one blank line.
void ReportRunner::writeBufferedLines()
{
    Writer &writer = *m_writer;
    QList<PrintedLine> lines = writer.buffer.take();
    if (lines.isEmpty())
        lines.append(PrintedLine());
    writer.blockTop = 0;
    for (const PrintedLine &line : std::as_const(lines))
        emitLine(line);
}

void ReportRunner::openPage()
{
    deliverHeldPage(false);
    m_page = PrintedPage();
    m_page.number = m_pageNumber;
    const bool first = m_pagesFinished == 0;
    m_page.formFeedBefore = m_formFeeds && !(first && m_noFirstFormFeed);
    m_pageOpen = true;
}

void ReportRunner::emitLine(const PrintedLine &line)
{
    if (m_observer.cancelRequested())
        throw RunStopped{PreviewOutcome::Cancelled};
    if (!m_pageOpen)
        openPage();
    m_page.appendLine(line);
    m_anyOutput = true;
    ++m_lineNumber;
    if (!m_inPageSection && m_pageLength > 0 && m_lineNumber + m_footerLines > m_pageLength) {
        pageBreak(m_headerAfterBreak);
    } else if (m_pageLength <= 0 && m_page.lineCount() >= UnpagedPieceLines) {
        // Text without pages goes out in pieces, so that it neither waits
        // to the end nor escapes the page limit.
        finishPage();
        openPage();
        m_page.formFeedBefore = false;
    }
}

// A finished page waits until the next one opens or the report ends, which
// decides whether a form feed follows it.
void ReportRunner::finishPage()
{
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    ++m_pagesFinished;
    // The run keeps every page: none keeps room for more lines.
    m_page.squeeze();
    m_heldPage = std::move(m_page);
    m_page = PrintedPage();
}

void ReportRunner::deliverHeldPage(bool formFeedAfter)
{
    if (!m_heldPage)
        return;
    m_heldPage->formFeedAfter = formFeedAfter;
    m_observer.pagePrinted(*m_heldPage);
    m_heldPage.reset();
    if (m_pagesFinished >= m_options.pageLimit) {
        m_observer.message(
            {0, QStringLiteral("The report stopped after %1 pages, the most a preview prints")
                    .arg(m_options.pageLimit)});
        throw RunStopped{PreviewOutcome::Failed};
    }
}

void ReportRunner::pageBreak(bool runHeader)
{
    Writer *saved = m_writer;
    m_inPageSection = true;
    m_writer = &m_pageWriter;
    if (!m_pageOpen)
        openPage();
    runSection(m_pageFooter);
    if (!m_pageWriter.buffer.isEmpty())
        writeBufferedLines();
    finishPage();
    ++m_pageBreaks;
    m_pageNumber = m_nextPageNumber.value_or(m_pageNumber + 1);
    m_nextPageNumber.reset();
    m_lineNumber = 1;
    resetAggregates(AggregateState::PageLevel);
    if (runHeader) {
        runSection(m_pageHeader);
        if (!m_pageWriter.buffer.isEmpty())
            writeBufferedLines();
    }
    m_writer = saved;
    m_inPageSection = false;
}

// Ends the page here: at once when form feeds are on and no page footer
// must reach the bottom, else with blank lines down to the footer.
void ReportRunner::breakPageNow(bool runHeader)
{
    if (m_pageLength <= 0 || (m_formFeeds && m_pageFooter.empty())) {
        const int lines = m_pageLength;
        m_pageLength = 0;
        pageBreak(runHeader);
        m_pageLength = lines;
        return;
    }
    const qint64 breaks = m_pageBreaks;
    m_headerAfterBreak = runHeader;
    while (m_pageBreaks == breaks)
        emitLine(PrintedLine());
    m_headerAfterBreak = true;
}

void ReportRunner::newPage(const PositionArgument &argument, int line)
{
    if (m_inPageSection) {
        report(line, QStringLiteral("not previewed: .NEWPAGE in a page header or footer"));
        return;
    }
    if (argument.given) {
        const int number = int(argument.value->evaluate(*this).toNumber());
        m_nextPageNumber = argument.sign == 0 ? number : m_pageNumber + argument.sign * number;
    }
    if (!m_writer->buffer.isEmpty())
        newLine(1);
    if (!m_anyOutput) {
        // A break before anything is written: page 1 gets its header.
        m_pageNumber = m_nextPageNumber.value_or(m_pageNumber);
        m_nextPageNumber.reset();
        Writer *saved = m_writer;
        m_inPageSection = true;
        m_writer = &m_pageWriter;
        runSection(m_pageHeader);
        if (!m_pageWriter.buffer.isEmpty())
            writeBufferedLines();
        m_writer = saved;
        m_inPageSection = false;
        return;
    }
    if (m_lineNumber == 1 && !m_pageOpen)
        return;
    breakPageNow(true);
}

void ReportRunner::need(int lines)
{
    if (m_inPageSection || m_pageLength <= 0)
        return;
    if ((m_lineNumber - 1) + m_footerLines + lines > m_pageLength)
        breakPageNow(true);
}

void ReportRunner::endReport()
{
    m_writer = &m_reportWriter;
    if (!m_reportWriter.buffer.isEmpty())
        writeBufferedLines();
    if (m_pageLength > 0 && m_lineNumber > 1)
        breakPageNow(false);
    else
        finishPage();
    deliverHeldPage(m_formFeeds);
}
