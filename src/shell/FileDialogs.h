#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The frame window's three file dialogs. Each filter is a list of
// description and pattern pairs, as the dialog shows them.
struct FileDialogOptions
{
    enum Kind { Open, Save };

    Kind kind = Open;
    QString name;          // "OpenDialog", "SaveDialog_kfx", "SaveDialog"
    QStringList filters;   // "Kestrova Files (*.kfx)", ...
    QString defaultSuffix; // added to a typed name without extension while
                           // the first filter is chosen
};

namespace FileDialogs {

// "Kestrova Files (*.kfx)|*.kfx|Text Report Files (*.rw)|*.rw|All Files"
FileDialogOptions openDialog();
// Design files; asks before replacing.
FileDialogOptions saveDialogKfx();
// Report-Writer text; asks before replacing.
FileDialogOptions saveDialog();
// The printed pages of a preview; asks before replacing.
FileDialogOptions savePreviewDialog();

} // namespace FileDialogs

// Asks for a file; returns its path as chosen, or an empty text when the
// user cancels. Tests put their own in place of the platform's dialog.
using FileChooser = std::function<QString(QWidget *parent, const FileDialogOptions &options)>;

// The platform's file dialog.
QString chooseFileWithDialog(QWidget *parent, const FileDialogOptions &options);

// Runs chooser (the platform's dialog when there is none).
QString chooseFile(const FileChooser &chooser, QWidget *parent, const FileDialogOptions &options);

// Makes the folder of a file that was opened or written the current
// directory, against which relative report names resolve. A failed write
// leaves the current directory alone.
void makeFolderCurrent(const QString &path);
