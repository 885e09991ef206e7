#include "designer/DesignPartner.h"

#include "designer/DesignRegister.h"

DesignPartner::DesignPartner(QObject *parent) : QObject(parent) {}

DesignPartner::~DesignPartner()
{
    if (m_register)
        m_register->removePartner(this);
}

void DesignPartner::setDesignRegister(DesignRegister *dsnRegister)
{
    if (m_register == dsnRegister)
        return;
    if (m_register)
        m_register->removePartner(this);
    m_register = dsnRegister;
    if (m_register)
        m_register->addPartner(this);
}

void DesignPartner::registerDestroyed(DesignRegister *dsnRegister)
{
    if (m_register == dsnRegister)
        m_register = nullptr;
}

void DesignPartner::designChanged(bool value)
{
    m_designing = value;
}

bool DesignPartner::canSelectControl(QWidget *control) const
{
    return m_register && m_register->canSelectControl(control);
}

void DesignPartner::ensureSelectionList()
{
    if (m_register)
        m_register->ensureSelectionList();
}

SelectionList *DesignPartner::selectionList() const
{
    return m_register ? m_register->targets() : nullptr;
}
