#include "shell/MainWindow.h"

#include "shell/CheckBeforeSending.h"
#include "shell/ExternalPrograms.h"
#include "shell/Settings.h"
#include "shell/StatusMessages.h"

#include "windows/ObjectListDialog.h"
#include "windows/ShowMessage.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/SelectionPartner.h"

#include <QPrintDialog>
#include <QPrinter>

#include <utility>

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
    window->writeReportProgramFile(QStringLiteral("~tmp.rw"));
    const ReportPage *page = window->mPage1();
    if (ExternalPrograms::isBlank(page->database)) {
        showMessage(this, QStringLiteral("ERROR. Data Base Name cannot to be empty."));
        return;
    }
    // Values of a design, which may come from anyone, never become options
    // of the program or several words.
    const QString node = ExternalPrograms::isBlank(page->vnode) ? QString() : page->vnode;
    const std::pair<QString, QString> values[] = {
        {QStringLiteral("VNode"), node},
        {QStringLiteral("Database"), page->database},
        {QStringLiteral("User for REPORT Ingres Program"), user},
    };
    for (const auto &[property, value] : values) {
        const QString unsafe = ExternalPrograms::unsafeReportValue(property, value);
        if (!unsafe.isEmpty()) {
            showMessage(this, unsafe);
            return;
        }
    }
    const QStringList arguments = ExternalPrograms::reportArguments(node, page->database, user);
    if (!ExternalPrograms::start(program, arguments)) {
        showMessage(this, QStringLiteral("ERROR. Cannot run report program."));
        return;
    }
    showDone(reportStartedMessage(program, arguments.join(QLatin1Char(' '))));
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
