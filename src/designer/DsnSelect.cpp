#include "designer/DsnSelect.h"

#include "designer/DsnUnit.h"

void TSelectionManager::TargetNil(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items[index] = nullptr;
    announce(soReleased);
}

void TSelectionManager::Add(QWidget *control)
{
    m_items.append(control);
    announce(soAdded);
}

void TSelectionManager::Clear()
{
    m_items.clear();
    announce(soCleared);
}

void TSelectionManager::Delete(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items.removeAt(index);
    announce(soDeleted);
}

void TSelectionManager::announce(TSelectOperation operation)
{
    if (m_partner->OnChangeSelected)
        m_partner->OnChangeSelected(m_partner, TSelectedComponents(m_items), operation);
}

TDsnSelect::TDsnSelect(QObject *parent) : TDsnPartner(parent) {}

TDsnSelect::~TDsnSelect()
{
    if (DsnRegister() && m_mirror)
        DsnRegister()->RemoveReceiver(m_mirror.get());
}

void TDsnSelect::DesignChanged(bool value)
{
    TDsnPartner::DesignChanged(value);
    if (value && DsnRegister() && !m_mirror) {
        m_mirror = std::make_unique<TSelectionManager>(this);
        DsnRegister()->AddReceiver(m_mirror.get());
    }
}

void TDsnSelect::SelectComponent(QWidget *component)
{
    if (!designing() || !CanSelectControl(component))
        return;
    EnsureTargets();
    TTargetList *selection = SelectionList();
    selection->Clear();
    selection->Add(component);
    selection->Update();
}

void TDsnSelect::SelectComponents(const QList<QWidget *> &components)
{
    if (!designing())
        return;
    const bool anySelectable = std::any_of(components.begin(), components.end(),
                                           [this](QWidget *c) { return CanSelectControl(c); });
    if (!anySelectable)
        return;
    EnsureTargets();
    TTargetList *selection = SelectionList();
    selection->Clear();
    for (QWidget *component : components)
        selection->Add(component);
    selection->Update();
}
