#include "shell/MainWindow.h"

#include "shell/AboutBox.h"
#include "shell/RecentFilesMenu.h"
#include "shell/SetupDialog.h"
#include "shell/StatusMessages.h"

#include "windows/FindDialog.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "editor/SourceEditor.h"

#include <QLineEdit>
#include <QUndoStack>

// The commands whose meaning depends on the page the active report window
// shows, and the Project menu's.

using Page = ReportWindow::Page;

ReportWindow *MainWindow::activeOn(Page page) const
{
    ReportWindow *window = activeReportWindow();
    return window && window->activePage() == page ? window : nullptr;
}

void MainWindow::undoTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source))
        window->sourceEditor()->undo();
    else if (ReportWindow *window = activeOn(Page::ReportForm))
        window->undoStack()->undo();
}

void MainWindow::redoTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source))
        window->sourceEditor()->redo();
    else if (ReportWindow *window = activeOn(Page::ReportForm))
        window->undoStack()->redo();
}

void MainWindow::updateUndoActions()
{
    const ReportWindow *window = activeOn(Page::ReportForm);
    const QUndoStack *stack = window ? window->undoStack() : nullptr;
    const auto named = [](const QString &verb, bool can, const QString &step) {
        return can && !step.isEmpty() ? verb + u' ' + step : verb;
    };
    if (QAction *undo = findChild<QAction *>(QStringLiteral("UndoMenu")))
        undo->setText(named(QStringLiteral("Undo"), stack && stack->canUndo(),
                            stack ? stack->undoText() : QString()));
    if (QAction *redo = findChild<QAction *>(QStringLiteral("RedoMenu")))
        redo->setText(named(QStringLiteral("Redo"), stack && stack->canRedo(),
                            stack ? stack->redoText() : QString()));
}

void MainWindow::alignActive(DesignRegister::Alignment alignment)
{
    if (ReportWindow *window = activeOn(Page::ReportForm))
        window->designRegister()->alignSelection(alignment);
}

void MainWindow::cutTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source))
        window->sourceEditor()->cut();
    else if (ReportWindow *window = activeOn(Page::ReportForm))
        window->reportStage()->cutSelected();
}

void MainWindow::copyTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source))
        window->sourceEditor()->copy();
    else if (ReportWindow *window = activeOn(Page::ReportForm))
        window->reportStage()->copySelected();
}

void MainWindow::pasteTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source))
        window->sourceEditor()->paste();
    else if (ReportWindow *window = activeOn(Page::ReportForm))
        window->reportStage()->pasteFromClipboard();
}

void MainWindow::deleteTriggered()
{
    if (ReportWindow *window = activeOn(Page::ReportForm))
        window->reportStage()->deleteSelected();
}

void MainWindow::saveTriggered()
{
    if (ReportWindow *window = activeOn(Page::ReportForm)) {
        if (window->saveDesign())
            showDone(designWrittenMessage(window));
        return;
    }
    ReportWindow *window = activeOn(Page::Source);
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (!path.isEmpty() && window->saveSourceText(path)) {
        makeFolderCurrent(path);
        m_recentFiles->add(path);
        showDone(sourceWrittenMessage(path));
    }
}

void MainWindow::toggleTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source)) {
        window->setActivePage(Page::ReportForm);
        window->switchOn();
    } else if (ReportWindow *window = activeOn(Page::ReportForm)) {
        window->setActivePage(Page::Source);
        window->switchOff();
    }
}

ReportWindow *MainWindow::generateToSource()
{
    ReportWindow *window = activeReportWindow();
    // Text the user typed or read is not replaced without asking.
    if (!window || !window->confirmSourceReplacement())
        return nullptr;
    window->switchOff();
    window->setActivePage(Page::Source);
    const bool generated = window->generateSource();
    window->switchOff();
    // A failed generation has said so; writing its half would not.
    return generated ? window : nullptr;
}

void MainWindow::generateTextTriggered()
{
    generateToSource();
}

bool MainWindow::generateActiveReport()
{
    ReportWindow *window = activeReportWindow();
    if (!window || !window->confirmSourceReplacement())
        return false;
    window->switchOff();
    const bool generated = window->generateSource();
    window->switchOff();
    // The form stays in view: it must stay designable too.
    if (window->activePage() == Page::ReportForm)
        window->switchOn();
    return generated;
}

void MainWindow::setupTriggered()
{
    SetupDialog setup(this);
    setup.exec();
}

void MainWindow::aboutTriggered()
{
    AboutBox about(this);
    about.exec();
}

void MainWindow::findTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source))
        window->findDialog()->showSearch(false);
}

void MainWindow::findNextTriggered()
{
    findAgain(true);
}

void MainWindow::findPreviousTriggered()
{
    findAgain(false);
}

void MainWindow::findAgain(bool forward)
{
    ReportWindow *window = activeOn(Page::Source);
    if (!window)
        return;
    // Nothing to find yet: the dialog asks for it.
    FindDialog *dialog = window->findDialog();
    if (dialog->findField()->text().isEmpty())
        dialog->showSearch(false);
    else if (forward)
        dialog->findNext();
    else
        dialog->findPrevious();
}

void MainWindow::replaceTriggered()
{
    if (ReportWindow *window = activeOn(Page::Source))
        window->findDialog()->showSearch(true);
}
