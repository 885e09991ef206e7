#include "designer/DsnSwitch.h"

#include "designer/DsnUnit.h"

#include <QMessageBox>

TDsnSwitch::TDsnSwitch(QWidget *parent) : QToolButton(parent)
{
    setCheckable(true);
    connect(this, &QToolButton::clicked, this, &TDsnSwitch::act);
}

TDsnRegister *TDsnSwitch::DsnRegister() const
{
    return m_register.data();
}

void TDsnSwitch::setDsnRegister(TDsnRegister *dsnRegister)
{
    m_register = dsnRegister;
}

void TDsnSwitch::SwitchOn()
{
    if (isChecked())
        return;
    setChecked(true);
    act();
}

void TDsnSwitch::SwitchOff()
{
    if (!isChecked())
        return;
    setChecked(false);
    act();
}

void TDsnSwitch::act()
{
    const bool down = isChecked();
    if (down && DsnMessageFlg)
        QMessageBox::information(this, window()->windowTitle(), DsnMessage);
    if (m_register)
        m_register->SetDesigning(down);
    emit switched(down);
}
