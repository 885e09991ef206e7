#include "shell/MainWindow.h"

#include "shell/BusyCursor.h"
#include "shell/NewItemsDialog.h"
#include "shell/NewReportDialog.h"

#include "windows/ShowMessage.h"

#include "designer/DesignStage.h"
#include "model/ObjectStream.h"

#include <QMdiSubWindow>

// The File menu: new, open, import, close and the write commands.

void MainWindow::newReportTriggered()
{
    NewItemsDialog items(this);
    if (items.exec() != QDialog::Accepted)
        return;
    NewReportDialog naming(this);
    if (naming.exec() != QDialog::Accepted)
        return;
    const QString fileName = newReportFileName(naming.reportName());
    if (fileName.isEmpty()) {
        showMessage(this, emptyReportNameMessage());
        return;
    }
    BusyCursor busy;
    createReportWindow(fileName, omNew);
}

void MainWindow::openReportTriggered()
{
    const QString path = askFile(FileDialogs::openDialog());
    if (path.isEmpty())
        return;
    BusyCursor busy;
    openFile(path);
}

void MainWindow::importReportTriggered()
{
    const QString path = askFile(FileDialogs::openDialog());
    if (path.isEmpty())
        return;
    BusyCursor busy;
    createReportWindow(path, omText);
}

void MainWindow::closeWindowTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window)
        return;
    // Written here first so that a design that cannot be written keeps
    // its window open: closing would write it again and go on regardless.
    const bool designing = window->designing();
    window->switchOff();
    try {
        window->reportStage()->saveToFile(window->designFileName());
    } catch (const StreamError &error) {
        if (designing)
            window->switchOn();
        showMessage(this, error.message());
        return;
    }
    if (QMdiSubWindow *subWindow = subWindowOf(window))
        subWindow->close();
}

void MainWindow::writeReportTriggered()
{
    if (ReportWindow *window = activeReportWindow())
        window->saveDesign();
}

void MainWindow::writeReportAsTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialogKfx());
    if (path.isEmpty())
        return;
    window->setDesignFileName(path);
    window->saveDesign();
    window->setWindowTitle(path);
}

void MainWindow::writeTextFileTriggered()
{
    ReportWindow *window = generateToSource();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (!path.isEmpty())
        window->saveSourceText(path);
}

void MainWindow::writeTextFileAsTriggered()
{
    writeTextFileTriggered();
}

void MainWindow::writeUnixFileTriggered()
{
    ReportWindow *window = generateToSource();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (!path.isEmpty())
        window->writeUnixFile(path);
}

void MainWindow::exitTriggered()
{
    close();
}
