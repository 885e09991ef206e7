#include "shell/FileDialogs.h"

#include "shell/NameOnlyIconProvider.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace FileDialogs {

FileDialogOptions openDialog()
{
    return {FileDialogOptions::Open,
            QStringLiteral("OpenDialog"),
            {QStringLiteral("Kestrova Files (*.kfx)"), QStringLiteral("Text Report Files (*.rw)"),
             QStringLiteral("All Files (*)")},
            QString()};
}

FileDialogOptions saveDialogKfx()
{
    // A design written without its extension would open as text later.
    return {FileDialogOptions::Save,
            QStringLiteral("SaveDialog_kfx"),
            {QStringLiteral("Files (*.kfx)")},
            QStringLiteral("kfx")};
}

FileDialogOptions saveDialog()
{
    return {FileDialogOptions::Save,
            QStringLiteral("SaveDialog"),
            {QStringLiteral("Text Report File (*.rw)"), QStringLiteral("Text File (*)")},
            QStringLiteral("rw")};
}

FileDialogOptions savePreviewDialog()
{
    return {FileDialogOptions::Save,
            QStringLiteral("SavePreviewDialog"),
            {QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*)")},
            QStringLiteral("txt")};
}

} // namespace FileDialogs

QString chooseFileWithDialog(QWidget *parent, const FileDialogOptions &options)
{
    // Outlives the dialog, whose file model uses it to the end.
    NameOnlyIconProvider iconProvider;
    QFileDialog dialog(parent);
    dialog.setObjectName(options.name);
    // Qt's own dialog, so that entries are typed by name only: a platform
    // dialog may read special files and hang.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&iconProvider);
    dialog.setNameFilters(options.filters);
    dialog.setDirectory(QDir::current());
    if (options.kind == FileDialogOptions::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // The file need not exist: opening a design that is not there yet
        // starts it empty.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The suffix belongs to the first filter; "All files" adds none.
        dialog.setDefaultSuffix(options.defaultSuffix);
        const QString first = options.filters.value(0);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &options, first](const QString &filter) {
                             dialog.setDefaultSuffix(filter == first ? options.defaultSuffix
                                                                     : QString());
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString chooseFile(const FileChooser &chooser, QWidget *parent, const FileDialogOptions &options)
{
    return chooser ? chooser(parent, options) : chooseFileWithDialog(parent, options);
}

void makeFolderCurrent(const QString &path)
{
    if (!path.isEmpty())
        QDir::setCurrent(QFileInfo(path).absolutePath());
}
