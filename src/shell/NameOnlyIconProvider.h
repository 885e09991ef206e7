#pragma once

#include <QFileIconProvider>

// Icons and type names of a file dialog's entries, decided by the file name
// alone. Qt's own provider reads a file's first bytes when the name does
// not settle its type, and a read of a special file (a FIFO, a device, many
// files under /proc) can block the dialog for good.
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};
