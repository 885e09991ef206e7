#pragma once

#include "generation/GenerationOutlet.h"

#include <QString>

#include <functional>

class QWidget;

// What the code dialogs need of the report window they are opened for.
class CodeDialogHost
{
public:
    virtual ~CodeDialogHost() = default;

    // The window that owns the dialogs; they are centred on its frame.
    virtual QWidget *dialogOwner() = 0;

    // The window's one open code dialog, in which band generation places
    // item marks; none while no dialog is open.
    virtual ItemMarkOutlet *codeDialog() const = 0;
    virtual void setCodeDialog(ItemMarkOutlet *dialog) = 0;

    // Runs generation work on the window's page, with its progress, item
    // marks and messages. Events run meanwhile; the window stays open until
    // the work has returned or thrown.
    virtual void generateForDialog(const std::function<void(const GenerationWindow &)> &work) = 0;

    // A message box with one text.
    virtual void showDialogMessage(const QString &text) = 0;

    // An open dialog changed a component (a caption typed on its line):
    // what the window shows of the components follows at once.
    virtual void componentsChangedByDialog() {}
};
