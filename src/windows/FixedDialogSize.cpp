#include "windows/FixedDialogSize.h"

#include <QWidget>

void setFixedDialogSize(QWidget *dialog, const QSize &size)
{
    const Qt::WindowFlags kind =
        dialog->windowFlags() & (Qt::WindowType_Mask | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(size);
}
