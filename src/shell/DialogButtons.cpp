#include "shell/DialogButtons.h"

#include <QDialogButtonBox>
#include <QPushButton>

DialogButtons createOkCancelButtons()
{
    DialogButtons buttons;
    buttons.box = new QDialogButtonBox;
    buttons.ok = buttons.box->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    buttons.ok->setObjectName(QStringLiteral("OkButton"));
    buttons.ok->setDefault(true);
    buttons.cancel = buttons.box->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    buttons.cancel->setObjectName(QStringLiteral("AnulujButton"));
    return buttons;
}
