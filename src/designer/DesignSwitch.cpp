#include "designer/DesignSwitch.h"

#include "designer/DesignRegister.h"

#include <QMessageBox>

DesignSwitch::DesignSwitch(QWidget *parent) : QToolButton(parent)
{
    setCheckable(true);
    connect(this, &QToolButton::clicked, this, &DesignSwitch::act);
}

DesignRegister *DesignSwitch::designRegister() const
{
    return m_register.data();
}

void DesignSwitch::setDesignRegister(DesignRegister *dsnRegister)
{
    m_register = dsnRegister;
}

void DesignSwitch::switchOn()
{
    if (isChecked())
        return;
    setChecked(true);
    act();
}

void DesignSwitch::switchOff()
{
    if (!isChecked())
        return;
    setChecked(false);
    act();
}

void DesignSwitch::act()
{
    const bool down = isChecked();
    if (down && showsMessage)
        QMessageBox::information(this, window()->windowTitle(), startMessage);
    if (m_register)
        m_register->setDesigning(down);
    emit switched(down);
}
