// The preview side of a report window: the source it runs, when it runs,
// and what is done with the pages.

#include "windows/ReportWindow.h"

#include "windows/GeneratedSourceCheck.h"
#include "windows/PreviewPage.h"
#include "windows/PreviewPrinter.h"
#include "windows/ShowMessage.h"

#include "editor/SourceEditor.h"
#include "generation/Generator.h"
#include "model/FileReplacement.h"
#include "model/InputFile.h"
#include "preview/FileOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

namespace {

const QString CannotSaveTo = QStringLiteral("ERROR. Cannot save to file: ");
const QString CannotPrint = QStringLiteral("ERROR. Cannot print the preview.");

// Takes generated lines without touching the Source page.
class LineCollector : public SourceSink
{
public:
    explicit LineCollector(QStringList &lines) : m_lines(lines) {}

    void clearLines() override { m_lines.clear(); }
    void addLine(const QString &text) override { m_lines.append(text); }

private:
    QStringList &m_lines;
};

} // namespace

bool ReportWindow::previewSource(QStringList &lines)
{
    if (previewsText()) {
        lines = m_sourceEditor->lines().texts();
        return true;
    }
    LineCollector collector(lines);
    GenerationWindow window = generationWindow();
    // The open code dialog keeps the marks of its own generation.
    window.itemMarks = nullptr;
    window.source = &collector;
    switchOff();
    beginBusy();
    const bool generated = ::generateSource(window);
    endBusy();
    // The form stays designable when the preview ran from it.
    if (activePage() == Page::ReportForm)
        switchOn();
    return generated;
}

QString ReportWindow::previewKey() const
{
    return QFileInfo(previewsText() ? m_sourceFileName : m_designFileName).absoluteFilePath();
}

void ReportWindow::previewReport()
{
    if (m_previewCommand)
        return;
    const QScopedValueRollback guard(m_previewCommand, true);
    setActivePage(Page::Preview);
    QStringList lines;
    if (previewSource(lines))
        startPreview(lines);
}

void ReportWindow::previewPageShown()
{
    const QScopedValueRollback guard(m_previewCommand, true);
    QStringList lines;
    if (!previewSource(lines))
        return;
    if (m_previewPage->hasRun() && lines == m_previewedLines && !m_previewSettingsChanged)
        return;
    startPreview(lines);
}

void ReportWindow::previewSettingsChanged()
{
    m_previewSettingsChanged = true;
    if (activePage() == Page::Preview)
        previewReport();
}

void ReportWindow::startPreview(const QStringList &lines)
{
    // .INCLUDE names files beside the report's own file.
    PreviewOptions files;
    const QString origin = m_sourceFileName.isEmpty() ? m_designFileName : m_sourceFileName;
    // A design just drawn previews before it is given a name.
    const QByteArray source = namedForPreview(
        GeneratedSourceCheck::fileText(lines),
        origin.isEmpty() ? QStringLiteral("report") : QFileInfo(origin).completeBaseName());
    if (!origin.isEmpty())
        files.sourceFolder = QFileInfo(origin).absolutePath();
    files.readFile = &InputFile::read;
    PreviewSetup setup;
    if (m_preparePreview) {
        std::optional<PreviewSetup> prepared = m_preparePreview(reportParameters(source, files));
        if (!prepared)
            return;
        setup = std::move(*prepared);
    }
    setup.options.sourceFolder = files.sourceFolder;
    setup.options.readFile = files.readFile;
    m_previewedLines = lines;
    m_previewSettingsChanged = false;
    m_previewPage->run(source, setup.data, setup.options);
}

void ReportWindow::showPreviewLine(int line)
{
    // A design may have changed since it was previewed: the Source page
    // shows the source the line belongs to.
    if (!previewsText() && m_sourceEditor->lines().texts() != m_previewedLines) {
        CodeLines code;
        code.setTexts(m_previewedLines);
        m_sourceEditor->setLines(code);
    }
    setActivePage(Page::Source);
    switchOff();
    m_sourceEditor->setCursorPosition(line - 1, 0);
    m_sourceEditor->ensureLineVisible(line - 1);
    m_sourceEditor->setFocus();
}

bool ReportWindow::savePreviewText(const QString &fileName)
{
    QByteArray text;
    for (const PrintedPage &page : m_previewPage->pages())
        text += FileOutput::pageBytes(page);
    QString error;
    if (FileReplacement::replace(fileName, text, &error))
        return true;
    showMessage(this, CannotSaveTo + fileName);
    return false;
}

bool ReportWindow::printPreview(QPagedPaintDevice &device)
{
    const QList<PrintedPage> pages = m_previewPage->pages();
    return printWithProgress(int(pages.size()), CannotPrint, [&](const auto &afterPage) {
        return printPreviewPages(device, pages, afterPage);
    });
}
