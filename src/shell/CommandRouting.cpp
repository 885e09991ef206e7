#include "shell/WindowMain.h"

#include "shell/AboutBox.h"
#include "shell/UstawieniaFrm.h"

#include "dialogs/SourceEditor.h"
#include "designer/DsnStage.h"

// The commands whose meaning depends on the page the active report window
// shows, and the Project menu's.

using Page = TChildWindowForm::Page;

TChildWindowForm *TWindowMainForm::activeOn(Page page) const
{
    TChildWindowForm *window = ActiveReportWindow();
    return window && window->activePage() == page ? window : nullptr;
}

void TWindowMainForm::UndoMenuClick()
{
    if (TChildWindowForm *window = activeOn(Page::Source))
        window->SourceEditor()->undo();
}

void TWindowMainForm::CutMenuClick()
{
    if (TChildWindowForm *window = activeOn(Page::Source))
        window->SourceEditor()->cut();
    else if (TChildWindowForm *window = activeOn(Page::ReportForm))
        window->DsnStageReport()->CutSelected();
}

void TWindowMainForm::CopyMenuClick()
{
    if (TChildWindowForm *window = activeOn(Page::Source))
        window->SourceEditor()->copy();
    else if (TChildWindowForm *window = activeOn(Page::ReportForm))
        window->DsnStageReport()->CopySelected();
}

void TWindowMainForm::PasteMenuClick()
{
    if (TChildWindowForm *window = activeOn(Page::Source))
        window->SourceEditor()->paste();
    else if (TChildWindowForm *window = activeOn(Page::ReportForm))
        window->DsnStageReport()->PasteFromClipboard();
}

void TWindowMainForm::DeleteMenuClick()
{
    if (TChildWindowForm *window = activeOn(Page::ReportForm))
        window->DsnStageReport()->DeleteSelected();
}

void TWindowMainForm::SaveButtonClick()
{
    if (TChildWindowForm *window = activeOn(Page::ReportForm)) {
        window->SaveDesign();
        return;
    }
    TChildWindowForm *window = activeOn(Page::Source);
    if (!window)
        return;
    const QString path = askFile(FileDialogs::saveDialog());
    if (!path.isEmpty())
        window->SaveSourceText(path);
}

void TWindowMainForm::ToggleMenuClick()
{
    if (TChildWindowForm *window = activeOn(Page::Source)) {
        window->setActivePage(Page::ReportForm);
        window->SwitchOn();
    } else if (TChildWindowForm *window = activeOn(Page::ReportForm)) {
        window->setActivePage(Page::Source);
        window->SwitchOff();
    }
}

TChildWindowForm *TWindowMainForm::generateToSource()
{
    TChildWindowForm *window = ActiveReportWindow();
    if (!window)
        return nullptr;
    window->SwitchOff();
    window->setActivePage(Page::Source);
    const bool generated = window->GenerateSource();
    window->SwitchOff();
    // A failed generation has said so; writing its half would not.
    return generated ? window : nullptr;
}

void TWindowMainForm::GenerateTextMenuClick()
{
    generateToSource();
}

bool TWindowMainForm::GenerateActiveReport()
{
    TChildWindowForm *window = ActiveReportWindow();
    if (!window)
        return false;
    window->SwitchOff();
    const bool generated = window->GenerateSource();
    window->SwitchOff();
    return generated;
}

void TWindowMainForm::Ustawienia1Click()
{
    TUstawieniaForm setup(this);
    setup.exec();
}

void TWindowMainForm::Oprogramie1Click()
{
    TAboutBox about(this);
    about.exec();
}
