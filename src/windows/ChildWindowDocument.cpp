// The document side of a report window: opening, the design file, the
// source text, the editor settings and closing.

#include "windows/ChildWindowFrm.h"

#include "windows/DesignFileName.h"
#include "windows/ProgressPanel.h"
#include "windows/ReportDocumentText.h"
#include "windows/ShowMessage.h"

#include "dialogs/SettingsFiles.h"
#include "dialogs/SourceEditor.h"

#include "designer/DsnStage.h"
#include "designer/DsnSwitch.h"
#include "designer/DsnUnit.h"

#include "generation/Generator.h"

#include "model/ObjectStream.h"

#include <QFileInfo>

#include <exception>

namespace {

const QString CannotOpenFile = QStringLiteral("ERROR. Cannot open file: ");
const QString CannotSaveReport = QStringLiteral("ERROR. Cannot save report to file: ");
const QString CannotLoadFrom = QStringLiteral("ERROR: Cannot load from file: ");
const QString CannotSaveTo = QStringLiteral("ERROR. Cannot save to file: ");
const QString CannotOpenSettings = QStringLiteral("ERROR. Cannot open setting file: ");
const QString CannotReadFrom = QStringLiteral("ERROR: Cannot read from File: ");

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

void TChildWindowForm::OpenReport(TOpenMode mode, const QString &name)
{
    m_designFileName = mode == omNew ? name : designFileNameFor(name);
    m_progress->showProgressPanel();
    setWindowTitle(m_designFileName);
    switch (mode) {
    case omNew:
        SwitchOff();
        m_progress->hideProgressPanel();
        SwitchOn();
        break;
    case omDesign:
        SwitchOff();
        // A design file not written yet is no error: the template's empty
        // page stays, and Write Report creates the file.
        if (QFileInfo::exists(m_designFileName))
            LoadDesign(m_designFileName);
        m_progress->hideProgressPanel();
        SwitchOn();
        break;
    case omText:
        LoadSourceText(name);
        m_progress->hideProgressPanel();
        break;
    }
}

bool TChildWindowForm::LoadDesign(const QString &fileName)
{
    // Design mode stays off when the load fails, as the stage leaves it;
    // the switch says so too.
    const bool wasDesigning = m_switch->isChecked();
    SwitchOff();
    const bool loaded = succeeds([&] { m_stageReport->LoadFromFile(fileName); });
    ensureOnePage();
    fitStageToPage();
    if (!loaded) {
        ShowMessage(this, CannotOpenFile + fileName);
        return false;
    }
    if (wasDesigning)
        SwitchOn();
    return true;
}

bool TChildWindowForm::SaveDesign()
{
    if (succeeds([&] { m_stageReport->SaveToFile(m_designFileName); }))
        return true;
    ShowMessage(this, CannotSaveReport + m_designFileName);
    return false;
}

bool TChildWindowForm::LoadSourceText(const QString &fileName)
{
    const std::optional<ReportDocumentText::SourceText> text = ReportDocumentText::read(fileName);
    if (!text) {
        ShowMessage(this, CannotLoadFrom + fileName);
        return false;
    }
    CodeLines lines;
    lines.setTexts(text->lines);
    m_sourceEditor->setLines(lines);
    m_sourceWithCr = text->hadCr;
    return true;
}

bool TChildWindowForm::SaveSourceText(const QString &fileName)
{
    const QByteArrayView lineEnd = m_sourceWithCr ? QByteArrayView("\r\n") : QByteArrayView("\n");
    if (ReportDocumentText::write(fileName, m_sourceEditor->lines().texts(), lineEnd))
        return true;
    ShowMessage(this, CannotSaveTo + fileName);
    return false;
}

bool TChildWindowForm::WriteUnixFile(const QString &fileName)
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
    if (!written)
        ShowMessage(this, CannotSaveTo + fileName);
    return written;
}

bool TChildWindowForm::LoadEditorSettings(const QString &fileName)
{
    const bool loaded = succeeds([&] { m_stageSrc->LoadFromFile(fileName); });
    // A file that breaks off may have taken the editor with it.
    adoptSourceEditor();
    if (!loaded)
        ShowMessage(this, CannotOpenSettings + fileName);
    return loaded;
}

bool TChildWindowForm::SaveEditorSettings(const QString &fileName)
{
    m_sourceEditor->clearLines();
    if (succeeds([&] { m_stageSrc->SaveToFile(fileName); }))
        return true;
    ShowMessage(this, CannotOpenSettings + fileName);
    return false;
}

bool TChildWindowForm::LoadCompletionList()
{
    if (!CompletionFile.isEmpty() && m_sourceEditor->loadCompletionList(CompletionFile))
        return true;
    ShowMessage(this, CannotReadFrom + CompletionFile);
    return false;
}

GenerationWindow TChildWindowForm::generationWindow()
{
    GenerationWindow window;
    window.page = mPage1();
    window.progress = m_progress;
    window.itemMarks = m_codeDialog;
    window.source = this;
    window.showMessage = [this](const QString &message) { ShowMessage(this, message); };
    return window;
}

bool TChildWindowForm::GenerateSource()
{
    beginBusy();
    const bool generated = ::GenerateSource(generationWindow());
    endBusy();
    return generated;
}

void TChildWindowForm::clearLines()
{
    m_generatedLines.clear();
    m_sourceEditor->clearLines();
}

void TChildWindowForm::addLine(const QString &text)
{
    m_generatedLines.append(text);
}

void TChildWindowForm::endLines()
{
    CodeLines lines;
    lines.setTexts(m_generatedLines);
    m_sourceEditor->setLines(lines);
    m_generatedLines.clear();
}

void TChildWindowForm::endBusy()
{
    if (--m_busy == 0 && m_closeWhenIdle) {
        m_closeWhenIdle = false;
        close();
    }
}

void TChildWindowForm::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    SwitchOff();
    SaveDesign();
    SaveEditorSettings(SettingsFiles::sourceEditorSettingsPath());
}
