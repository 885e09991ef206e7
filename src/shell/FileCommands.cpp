#include "shell/MainWindow.h"

#include "shell/BusyCursor.h"
#include "shell/NewItemsDialog.h"
#include "shell/NewReportDialog.h"
#include "shell/RecentFilesMenu.h"
#include "shell/StatusMessages.h"

#include "windows/ShowMessage.h"

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
    makeFolderCurrent(path);
}

void MainWindow::importReportTriggered()
{
    const QString path = askFile(FileDialogs::openDialog());
    if (path.isEmpty())
        return;
    BusyCursor busy;
    createReportWindow(path, omText);
    makeFolderCurrent(path);
}

void MainWindow::openReportAsDesignTriggered()
{
    const QString path = askFile(FileDialogs::openDialog());
    if (path.isEmpty())
        return;
    BusyCursor busy;
    createReportWindow(path, omImport);
    makeFolderCurrent(path);
}

void MainWindow::closeWindowTriggered()
{
    // The window settles its design itself, and stays open when the user
    // cancels or the design cannot be written.
    if (QMdiSubWindow *subWindow = subWindowOf(activeReportWindow()))
        subWindow->close();
}

void MainWindow::writeReportTriggered()
{
    if (ReportWindow *window = activeReportWindow(); window && window->saveDesign())
        showDone(designWrittenMessage(window));
}

void MainWindow::writeReportAsTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialogKfx());
    if (path.isEmpty())
        return;
    if (window->saveDesignAs(path)) {
        makeFolderCurrent(path);
        showDone(designWrittenMessage(window));
    }
}

void MainWindow::writeTextFileTriggered()
{
    ReportWindow *window = generateToSource();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (!path.isEmpty() && window->saveSourceText(path)) {
        makeFolderCurrent(path);
        m_recentFiles->add(path);
        showDone(sourceWrittenMessage(path));
    }
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
    if (!path.isEmpty() && window->writeUnixFile(path)) {
        makeFolderCurrent(path);
        m_recentFiles->add(path);
        showDone(unixSourceWrittenMessage(path));
    }
}

void MainWindow::exitTriggered()
{
    close();
}
