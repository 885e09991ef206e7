// The document side of a report window: opening, the design file, the
// source text, the editor settings and closing.

#include "windows/ReportWindow.h"

#include "windows/DesignFileName.h"
#include "windows/DesignLimits.h"
#include "windows/PrintingWindow.h"
#include "windows/ProgressPanel.h"
#include "windows/ReportCheckList.h"
#include "windows/ReportDocumentText.h"
#include "windows/ShowMessage.h"
#include "windows/SourcePrinter.h"

#include "editor/SettingsFiles.h"
#include "editor/SourceEditor.h"
#include "editor/TextFiles.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/DesignSwitch.h"

#include "generation/Generator.h"
#include "import/ReportImport.h"

#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUndoStack>

#include <algorithm>
#include <exception>

namespace {

const QString CannotOpenFile = QStringLiteral("ERROR. Cannot open file: ");
const QString CannotSaveReport = QStringLiteral("ERROR. Cannot save report to file: ");
const QString CannotLoadFrom = QStringLiteral("ERROR: Cannot load from file: ");
const QString CannotSaveTo = QStringLiteral("ERROR. Cannot save to file: ");
const QString CannotOpenSettings = QStringLiteral("ERROR. Cannot open setting file: ");
const QString CannotReadFrom = QStringLiteral("ERROR: Cannot read from File: ");
const QString CannotPrint = QStringLiteral("ERROR. Cannot print the source.");

// Runs a stage's file operation; false for any failure it raises.
template<class Operation>
bool succeeds(Operation &&operation)
{
    try {
        operation();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

void ReportWindow::openReport(OpenMode mode, const QString &name)
{
    m_designFileName = mode == omNew ? name : designFileNameFor(name);
    m_sourceFileName = mode == omText || mode == omImport ? name : QString();
    m_designUnnamed = mode == omImport;
    m_progress->showProgressPanel();
    setWindowTitle(m_designFileName);
    switch (mode) {
    case omNew:
        switchOff();
        m_progress->hideProgressPanel();
        switchOn();
        break;
    case omDesign:
        switchOff();
        // A design file not written yet is no error: the template's empty
        // page stays, and Write Report creates the file.
        if (QFileInfo::exists(m_designFileName)) {
            m_designLoadFailed = !loadDesign(m_designFileName);
            m_ownsDesignFile = !m_designLoadFailed;
            if (m_ownsDesignFile)
                emit documentOpened(m_designFileName);
        }
        m_progress->hideProgressPanel();
        switchOn();
        break;
    case omText:
        if (loadSourceText(name))
            emit documentOpened(name);
        m_progress->hideProgressPanel();
        break;
    case omImport:
        switchOff();
        if (importDesign(name))
            emit documentOpened(name);
        m_progress->hideProgressPanel();
        switchOn();
        break;
    }
    // Components announce their loading and creation later; what they
    // change then belongs to the design as opened.
    QCoreApplication::sendPostedEvents(m_reportStage);
    // An imported design is new: changed, and written nowhere yet.
    m_writtenDesign = mode == omImport ? QByteArray() : designBytes();
    m_undoStack->clear();
    updateCaption();
}

namespace {

QString absolutePath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

bool ReportWindow::isWindowOf(const QString &path, OpenMode mode) const
{
    const QString wanted = absolutePath(path);
    // Each import makes a design of its own.
    if (mode == omImport || m_designUnnamed)
        return false;
    if (mode == omText)
        return !m_sourceFileName.isEmpty() && absolutePath(m_sourceFileName) == wanted;
    // A window opened from a text file shows the design file of the same
    // name only once it has written it.
    const bool showsDesignFile = m_sourceFileName.isEmpty() || m_ownsDesignFile;
    return showsDesignFile && absolutePath(m_designFileName) == wanted;
}

QByteArray ReportWindow::designBytes() const
{
    const ClassRegistry &registry = m_reportStage->classRegistry();
    return ObjectStream::writeBlock(orderedChildren(m_reportStage, registry), *m_owner, registry);
}

bool ReportWindow::designModified() const
{
    return designBytes() != m_writtenDesign;
}

bool ReportWindow::modified() const
{
    return (m_sourceEditor && m_sourceEditor->isModified()) || designModified();
}

// Marks the source as matching what it was read from, generated from or
// written to.
void ReportWindow::markSourceUnmodified()
{
    m_sourceEditor->setModified(false);
    updateCaption();
}

void ReportWindow::markDesignWritten()
{
    m_writtenDesign = designBytes();
    m_undoStack->setClean();
    m_ownsDesignFile = true;
    m_designLoadFailed = false;
    updateCaption();
}

bool ReportWindow::loadDesign(const QString &fileName)
{
    // A design too large to show is refused before any of it is made: the
    // window keeps what it holds.
    if (const std::optional<QString> refusal = DesignLimits::refusal(fileName)) {
        showMessage(this, CannotOpenFile + fileName + u'\n' + *refusal);
        return false;
    }
    // Design mode stays off when the load fails, as the stage leaves it;
    // the switch says so too.
    const bool wasDesigning = m_switch->isChecked();
    switchOff();
    const bool loaded = succeeds([&] { m_reportStage->loadFromFile(fileName); });
    ensureOnePage();
    fitStageToPage();
    if (!loaded) {
        showMessage(this, CannotOpenFile + fileName);
        return false;
    }
    if (wasDesigning)
        switchOn();
    return true;
}

bool ReportWindow::saveDesign()
{
    if (m_designUnnamed) {
        const QString path = m_chooseDesignPath ? m_chooseDesignPath() : QString();
        return !path.isEmpty() && saveDesignAs(path);
    }
    if (succeeds([&] { m_reportStage->saveToFile(m_designFileName); })) {
        markDesignWritten();
        emit designWritten(m_designFileName);
        return true;
    }
    showMessage(this, CannotSaveReport + m_designFileName);
    return false;
}

bool ReportWindow::saveDesignAs(const QString &fileName)
{
    // The report an imported design came from stays as it is.
    if (!m_sourceFileName.isEmpty() && QFileInfo(fileName) == QFileInfo(m_sourceFileName)) {
        showMessage(this, CannotSaveReport + fileName);
        return false;
    }
    if (!succeeds([&] { m_reportStage->saveToFile(fileName); })) {
        showMessage(this, CannotSaveReport + fileName);
        return false;
    }
    m_designFileName = fileName;
    m_designUnnamed = false;
    setWindowTitle(fileName);
    markDesignWritten();
    emit designWritten(fileName);
    return true;
}

bool ReportWindow::loadSourceText(const QString &fileName)
{
    const std::optional<ReportDocumentText::SourceText> text = ReportDocumentText::read(fileName);
    if (!text) {
        showMessage(this, CannotLoadFrom + fileName);
        return false;
    }
    CodeLines lines;
    lines.setTexts(text->lines);
    m_sourceEditor->setLines(lines);
    m_sourceWithCr = text->hadCr;
    markSourceUnmodified();
    return true;
}

bool ReportWindow::importDesign(const QString &fileName)
{
    const std::optional<QByteArray> text = ReportImport::readSource(fileName, nullptr);
    if (!text) {
        showMessage(this, CannotLoadFrom + fileName);
        return false;
    }
    CodeLines lines;
    lines.setTexts(TextFiles::splitLines(TextFiles::decode(*text)));
    m_sourceEditor->setLines(lines);
    m_sourceWithCr = text->contains('\r');
    const ClassRegistry &registry = m_reportStage->classRegistry();
    const QList<QWidget *> controls = orderedChildren(m_reportStage, registry);
    for (auto control = controls.crbegin(); control != controls.crend(); ++control)
        delete *control;
    const ReportImport::Result result = ReportImport::importSource(*text, *m_owner, m_reportStage);
    result.page->show();
    ensureOnePage();
    fitStageToPage();
    showImportNotes(result);
    return true;
}

void ReportWindow::showImportNotes(const ReportImport::Result &result)
{
    QList<SourceProblem> notes;
    for (const KeptLine &kept : result.keptAsCode) {
        const QString message = QStringLiteral("kept as code in %1: %2").arg(kept.where, kept.text);
        notes.append({{kept.line, CheckProblem::Warning, message},
                      qobject_cast<QWidget *>(m_owner->findComponent(kept.where))});
    }
    for (const CheckProblem &problem : result.problems)
        notes.append({problem, nullptr});
    std::stable_sort(notes.begin(), notes.end(),
                     [](const SourceProblem &a, const SourceProblem &b) {
                         return a.problem.line < b.problem.line;
                     });
    if (!notes.isEmpty())
        ReportCheckList::of(this)->showProblems(notes);
}

bool ReportWindow::saveSourceText(const QString &fileName)
{
    const QByteArrayView lineEnd = m_sourceWithCr ? QByteArrayView("\r\n") : QByteArrayView("\n");
    if (ReportDocumentText::write(fileName, m_sourceEditor->lines().texts(), lineEnd)) {
        markSourceUnmodified();
        return true;
    }
    showMessage(this, CannotSaveTo + fileName);
    return false;
}

bool ReportWindow::writeUnixFile(const QString &fileName)
{
    const QStringList lines = m_sourceEditor->lines().texts();
    beginBusy();
    m_progress->showProgressPanel();
    m_progress->setProgressMaximum(int(lines.size()));
    m_progress->setProgressStep(1);
    const bool written = ReportDocumentText::write(fileName, lines, "\n", [this] {
        m_progress->stepProgress();
        m_progress->processPendingEvents();
    });
    m_progress->hideProgressPanel();
    endBusy();
    if (written)
        markSourceUnmodified();
    else
        showMessage(this, CannotSaveTo + fileName);
    return written;
}

bool ReportWindow::writeReportProgramFile(const QString &fileName)
{
    if (ReportDocumentText::writeReplacingLink(fileName, m_sourceEditor->lines().texts(),
                                               ReportDocumentText::PlatformLineEnd))
        return true;
    showMessage(this, CannotSaveTo + fileName);
    return false;
}

bool ReportWindow::loadEditorSettings(const QString &fileName)
{
    const bool loaded = succeeds([&] { m_sourceStage->loadFromFile(fileName); });
    // A file that breaks off may have taken the editor with it.
    adoptSourceEditor();
    if (!loaded)
        showMessage(this, CannotOpenSettings + fileName);
    return loaded;
}

bool ReportWindow::saveEditorSettings(const QString &fileName)
{
    m_sourceEditor->clearLines();
    if (succeeds([&] { m_sourceStage->saveToFile(fileName); }))
        return true;
    showMessage(this, CannotOpenSettings + fileName);
    return false;
}

bool ReportWindow::loadCompletionList()
{
    if (!CompletionFile.isEmpty() && m_sourceEditor->loadCompletionList(CompletionFile))
        return true;
    showMessage(this, CannotReadFrom + CompletionFile);
    return false;
}

namespace {

QString withTabsExpanded(const QString &line, int tabWidth)
{
    QString expanded;
    for (const QChar c : line) {
        if (c == u'\t' && tabWidth > 0)
            expanded.append(QString(tabWidth - expanded.size() % tabWidth, u' '));
        else
            expanded.append(c);
    }
    return expanded;
}

} // namespace

bool ReportWindow::printSource(QPagedPaintDevice &device)
{
    QStringList lines = m_sourceEditor->lines().texts();
    for (QString &line : lines)
        line = withTabsExpanded(line, m_sourceEditor->tabWidth());
    return printWithProgress(int(lines.size()), CannotPrint, [&](const auto &afterLine) {
        return printLines(device, lines, m_sourceEditor->editorFont(), afterLine);
    });
}

bool ReportWindow::printWithProgress(int steps, const QString &failure, const PrintJob &print)
{
    beginBusy();
    PrintingWindow progress(steps);
    progress.show();
    const bool printed = print([&progress] {
        progress.stepProgress();
        QCoreApplication::processEvents();
        return !progress.cancelled();
    });
    progress.close();
    endBusy();
    if (!printed)
        showMessage(this, failure);
    return printed;
}

GenerationWindow ReportWindow::generationWindow()
{
    GenerationWindow window;
    window.page = mPage1();
    window.progress = m_progress;
    window.itemMarks = m_codeDialog;
    window.source = this;
    window.showMessage = [this](const QString &message) {
        showMessage(this, message);
    };
    return window;
}

bool ReportWindow::confirmSourceReplacement()
{
    const QString text = m_sourceEditor->text();
    if (text.isEmpty() || text == m_generatedSource)
        return true;
    return askQuestion(this,
                       QStringLiteral("The Source page holds text that was not generated from "
                                      "this design (read from a file or edited).\n"
                                      "Replace it with the generated source, or keep it and "
                                      "cancel?"),
                       QStringLiteral("Replace"), QStringLiteral("Keep the Text"));
}

bool ReportWindow::generateSource()
{
    beginBusy();
    const bool generated = ::generateSource(generationWindow());
    endBusy();
    return generated;
}

void ReportWindow::clearLines()
{
    // The editor keeps its text until the new one replaces it in one step.
    m_generatedLines.clear();
}

void ReportWindow::addLine(const QString &text)
{
    m_generatedLines.append(text);
}

void ReportWindow::endLines()
{
    CodeLines lines;
    lines.setTexts(m_generatedLines);
    m_sourceEditor->replaceLines(lines);
    m_generatedLines.clear();
    m_generatedSource = m_sourceEditor->text();
    markSourceUnmodified();
}

void ReportWindow::endBusy()
{
    if (--m_busy == 0 && m_closeWhenIdle) {
        m_closeWhenIdle = false;
        close();
    }
}

bool ReportWindow::closeReport()
{
    if (m_closed)
        return true;
    const bool wasDesigning = designing();
    switchOff();
    if (!settleSourceBeforeClose() || !settleDesignBeforeClose()) {
        if (wasDesigning)
            switchOn();
        return false;
    }
    m_closed = true;
    saveEditorSettings(SettingsFiles::sourceEditorSettingsPath());
    return true;
}

// Text typed or read into the Source page lives in no design: closing
// would lose it without a word.
bool ReportWindow::settleSourceBeforeClose()
{
    const QString text = m_sourceEditor->text();
    if (!m_sourceEditor->isModified() || text.isEmpty() || text == m_generatedSource)
        return true;
    return writeAfterQuestion(UnsavedDesignReason::SourceEdited);
}

bool ReportWindow::settleDesignBeforeClose()
{
    if (!designModified())
        return true;
    if (m_designLoadFailed)
        return writeAfterQuestion(UnsavedDesignReason::FileUnreadable);
    if (m_designUnnamed)
        return saveDesign() || writeAfterQuestion(UnsavedDesignReason::WriteFailed);
    if (!m_ownsDesignFile && QFileInfo::exists(m_designFileName))
        return writeAfterQuestion(UnsavedDesignReason::FileNotOurs);
    return saveDesign() || writeAfterQuestion(UnsavedDesignReason::WriteFailed);
}

// The design, or for SourceEdited the Source page's text, is written where
// the user says, or discarded; false when the user cancels.
bool ReportWindow::writeAfterQuestion(UnsavedDesignReason reason)
{
    const bool source = reason == UnsavedDesignReason::SourceEdited;
    for (;;) {
        switch (askAboutUnsavedDesign(this, m_designFileName, reason)) {
        case UnsavedDesignChoice::Replace:
            // Offered only for a file that is merely not ours.
            if (reason != UnsavedDesignReason::FileNotOurs)
                return false;
            if (saveDesign())
                return true;
            break;
        case UnsavedDesignChoice::WriteElsewhere: {
            const std::function<QString()> &choose =
                source ? m_chooseSourcePath : m_chooseDesignPath;
            const QString path = choose ? choose() : QString();
            if (path.isEmpty())
                return false;
            if (source ? saveSourceText(path) : saveDesignAs(path))
                return true;
            break;
        }
        case UnsavedDesignChoice::Discard:
            return true;
        case UnsavedDesignChoice::Cancel:
            return false;
        }
        if (!source)
            reason = UnsavedDesignReason::WriteFailed;
    }
}
