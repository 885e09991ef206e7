#include "shell/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace FileDialogs {

FileDialogSpec openDialog()
{
    return {FileDialogSpec::Open,
            QStringLiteral("OpenDialog"),
            {QStringLiteral("Kestrova Files (*.kfx)"), QStringLiteral("Text Report Files (*.rw)"),
             QStringLiteral("All Files (*)")},
            QString()};
}

FileDialogSpec saveDialogKfx()
{
    // A design written without its extension would open as text later.
    return {FileDialogSpec::Save,
            QStringLiteral("SaveDialog_kfx"),
            {QStringLiteral("Files (*.kfx)")},
            QStringLiteral("kfx")};
}

FileDialogSpec saveDialog()
{
    return {FileDialogSpec::Save,
            QStringLiteral("SaveDialog"),
            {QStringLiteral("Text Report File (*.rw)"), QStringLiteral("Text File (*)")},
            QStringLiteral("rw")};
}

} // namespace FileDialogs

QString chooseFileWithDialog(QWidget *parent, const FileDialogSpec &spec)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(spec.name);
    dialog.setNameFilters(spec.filters);
    dialog.setDirectory(QDir::current());
    if (spec.kind == FileDialogSpec::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // The file need not exist: opening a design that is not there yet
        // starts it empty.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The suffix belongs to the first filter; "All files" adds none.
        dialog.setDefaultSuffix(spec.defaultSuffix);
        const QString first = spec.filters.value(0);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &spec, first](const QString &filter) {
                             dialog.setDefaultSuffix(filter == first ? spec.defaultSuffix
                                                                     : QString());
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString chooseFile(const FileChooser &chooser, QWidget *parent, const FileDialogSpec &spec)
{
    const QString path = chooser ? chooser(parent, spec) : chooseFileWithDialog(parent, spec);
    if (!path.isEmpty())
        QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}
