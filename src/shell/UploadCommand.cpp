#include "shell/MainWindow.h"

#include "shell/CheckBeforeSending.h"
#include "shell/FtpWindow.h"
#include "shell/Settings.h"
#include "shell/StatusMessages.h"

#include <QFileInfo>

// Send Report to FTP Server: the source, generated afresh, written with
// UNIX line ends and uploaded in an "FTP" window.

void MainWindow::sendReportToFtpServerTriggered()
{
    ReportWindow *window = generateToSource();
    if (!window || !checkBeforeSending(window))
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (path.isEmpty())
        return;
    // A file that could not be written has been reported; the upload sends
    // what the file holds, or says it cannot read it.
    if (window->writeUnixFile(path)) {
        makeFolderCurrent(path);
        showDone(uploadStartedMessage(path, Settings::ftpAccount().host));
    }
    auto *upload = new FtpWindow(this);
    upload->show();
    upload->uploadReport(QFileInfo(path).absoluteFilePath());
}
