#include "designer/DsnPartner.h"

#include "designer/DsnUnit.h"

TDsnPartner::TDsnPartner(QObject *parent) : QObject(parent) {}

TDsnPartner::~TDsnPartner()
{
    if (m_register)
        m_register->RemovePartner(this);
}

void TDsnPartner::setDsnRegister(TDsnRegister *dsnRegister)
{
    if (m_register == dsnRegister)
        return;
    if (m_register)
        m_register->RemovePartner(this);
    m_register = dsnRegister;
    if (m_register)
        m_register->AddPartner(this);
}

void TDsnPartner::registerDestroyed(TDsnRegister *dsnRegister)
{
    if (m_register == dsnRegister)
        m_register = nullptr;
}

void TDsnPartner::DesignChanged(bool value)
{
    m_designing = value;
}

bool TDsnPartner::CanSelectControl(QWidget *control) const
{
    return m_register && m_register->CanSelectControl(control);
}

void TDsnPartner::EnsureTargets()
{
    if (m_register)
        m_register->EnsureTargets();
}

TTargetList *TDsnPartner::SelectionList() const
{
    return m_register ? m_register->targets() : nullptr;
}
