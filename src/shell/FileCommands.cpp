#include "shell/WindowMain.h"

#include "shell/BusyCursor.h"
#include "shell/NewProject.h"
#include "shell/NowyraportFrm.h"

#include "windows/ShowMessage.h"

#include "designer/DsnStage.h"
#include "model/ObjectStream.h"

#include <QMdiSubWindow>

// The File menu: new, open, import, close and the write commands.

void TWindowMainForm::Nowyraport1Click()
{
    TNewProjectForm items(this);
    if (items.exec() != QDialog::Accepted)
        return;
    TNowyraportForm naming(this);
    if (naming.exec() != QDialog::Accepted)
        return;
    const QString fileName = newReportFileName(naming.reportName());
    if (fileName.isEmpty()) {
        ShowMessage(this, emptyReportNameMessage());
        return;
    }
    BusyCursor busy;
    CreateReportWindow(fileName, omNew);
}

void TWindowMainForm::Otwrz1Click()
{
    const QString path = askFile(FileDialogs::openDialog());
    if (path.isEmpty())
        return;
    BusyCursor busy;
    openFile(path);
}

void TWindowMainForm::ImportReportFromFilerw1Click()
{
    const QString path = askFile(FileDialogs::openDialog());
    if (path.isEmpty())
        return;
    BusyCursor busy;
    CreateReportWindow(path, omText);
}

void TWindowMainForm::CloseWindowMenuClick()
{
    TChildWindowForm *window = ActiveReportWindow();
    if (!window)
        return;
    // Written here first so that a design that cannot be written keeps
    // its window open: closing would write it again and go on regardless.
    const bool designing = window->designing();
    window->SwitchOff();
    try {
        window->DsnStageReport()->SaveToFile(window->DesignFileName());
    } catch (const StreamError &error) {
        if (designing)
            window->SwitchOn();
        ShowMessage(this, error.message());
        return;
    }
    if (QMdiSubWindow *subWindow = subWindowOf(window))
        subWindow->close();
}

void TWindowMainForm::WriteReportMenuClick()
{
    if (TChildWindowForm *window = ActiveReportWindow())
        window->SaveDesign();
}

void TWindowMainForm::WriteReportAsMenuClick()
{
    TChildWindowForm *window = ActiveReportWindow();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialogKfx());
    if (path.isEmpty())
        return;
    window->setDesignFileName(path);
    window->SaveDesign();
    window->setWindowTitle(path);
}

void TWindowMainForm::WriteTextFileMenuClick()
{
    TChildWindowForm *window = generateToSource();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (!path.isEmpty())
        window->SaveSourceText(path);
}

void TWindowMainForm::WriteTextFileAsMenuClick()
{
    WriteTextFileMenuClick();
}

void TWindowMainForm::WriteUNIXFileMenuClick()
{
    TChildWindowForm *window = generateToSource();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (!path.isEmpty())
        window->WriteUnixFile(path);
}

void TWindowMainForm::Zakocz1Click()
{
    close();
}
