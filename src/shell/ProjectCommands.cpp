#include "shell/MainWindow.h"

#include "shell/CheckBeforeSending.h"
#include "shell/ExternalPrograms.h"
#include "shell/Settings.h"

#include "windows/ObjectListDialog.h"
#include "windows/ShowMessage.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/SelectionPartner.h"

#include <QPrintDialog>
#include <QPrinter>

// The object list, Run Report and the external tools.

void MainWindow::viewObjectListTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window)
        return;
    ObjectListDialog dialog(buildObjectList(window->reportStage(), window->owner(),
                                            window->reportStage()->classRegistry()),
                            this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QWidget *component = dialog.chosenComponent();
    if (!component)
        return;
    window->setActivePage(ReportWindow::Page::ReportForm);
    window->selectionPartner()->selectComponent(component);
}

void MainWindow::runReportTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window)
        return;
    const QString user = Settings::reportUser();
    const QString program = Settings::reportProgram();
    if (!generateActiveReport() || !checkBeforeSending(window))
        return;
    // A failure to write is reported, and the program still runs on what
    // the file holds.
    window->saveSourceText(QStringLiteral("~tmp.rw"));
    const ReportPage *page = window->mPage1();
    if (ExternalPrograms::isBlank(page->database)) {
        showMessage(this, QStringLiteral("ERROR. Data Base Name cannot to be empty."));
        return;
    }
    const QString parameters =
        ExternalPrograms::reportParameters(page->vnode, page->database, user);
    if (!ExternalPrograms::start(program, parameters))
        showMessage(this, QStringLiteral("ERROR. Cannot run report program."));
}

void MainWindow::textEditorTriggered()
{
    if (!ExternalPrograms::start(Settings::textEditorProgram()))
        showMessage(this, QStringLiteral("ERROR. Cannot open Editor Program."));
}

void MainWindow::terminalEmulatorTriggered()
{
    if (!ExternalPrograms::start(Settings::telnetProgram()))
        showMessage(this, QStringLiteral("ERROR. Cannot open Telnet Program."));
}

void MainWindow::printSourceTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window || window->activePage() == ReportWindow::Page::ReportForm)
        return;
    // The platform's dialog chooses a printer, or a PDF file where there
    // is none.
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The Preview page prints its pages, the Source page the source.
    if (window->activePage() == ReportWindow::Page::Preview)
        window->printPreview(printer);
    else
        window->printSource(printer);
}
