// The code dialogs of a report window: what opens them, and what they
// need of the window.

#include "windows/ReportWindow.h"

#include "windows/ShowMessage.h"

#include "dialogs/InspectorButtons.h"
#include "dialogs/ObjectCodeDialog.h"
#include "dialogs/PropertyEditWindow.h"

#include "designer/ObjectInspector.h"

#include "editor/EditorSettings.h"

void ReportWindow::connectCodeDialogs()
{
    connect(this, &ReportWindow::openCodeDialog, this,
            [this](QWidget *component) { ::openCodeDialog(*this, component); });
    connect(this, &ReportWindow::inspectorButton, this,
            [this](const SelectedComponents &targets, const QString &propName, QString &value) {
                inspectorButtonClicked(*this, targets, propName, value);
            });
    connect(this, &ReportWindow::editProperty, this, [this](SourceEditor *editor) {
        PropertyEditWindow::open(editor, sourceEditorPropertyTable(), this);
    });
}

void ReportWindow::generateForDialog(const std::function<void(const GenerationWindow &)> &work)
{
    beginBusy();
    try {
        work(generationWindow());
    } catch (...) {
        endBusy();
        throw;
    }
    endBusy();
}

void ReportWindow::showDialogMessage(const QString &text)
{
    showMessage(this, text);
}

void ReportWindow::componentsChangedByDialog()
{
    m_inspector->refreshValues();
}
