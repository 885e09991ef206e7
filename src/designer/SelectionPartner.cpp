#include "designer/SelectionPartner.h"

#include "designer/DesignRegister.h"

void SelectionManager::forgetTarget(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items[index] = nullptr;
    announce(soReleased);
}

void SelectionManager::addTarget(QWidget *control)
{
    m_items.append(control);
    announce(soAdded);
}

void SelectionManager::clearTargets()
{
    m_items.clear();
    announce(soCleared);
}

void SelectionManager::removeTarget(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items.removeAt(index);
    announce(soDeleted);
}

void SelectionManager::announce(SelectOperation operation)
{
    emit m_partner->selectionChanged(SelectedComponents(m_items), operation);
}

SelectionPartner::SelectionPartner(QObject *parent) : DesignPartner(parent) {}

SelectionPartner::~SelectionPartner()
{
    if (designRegister() && m_mirror)
        designRegister()->removeReceiver(m_mirror.get());
}

void SelectionPartner::designChanged(bool value)
{
    DesignPartner::designChanged(value);
    if (value && designRegister() && !m_mirror) {
        m_mirror = std::make_unique<SelectionManager>(this);
        designRegister()->addReceiver(m_mirror.get());
    }
}

void SelectionPartner::selectComponent(QWidget *component)
{
    if (!designing() || !canSelectControl(component))
        return;
    ensureSelectionList();
    SelectionList *selection = selectionList();
    selection->clearTargets();
    selection->addTarget(component);
    selection->refreshTargets();
}

void SelectionPartner::selectComponents(const QList<QWidget *> &components)
{
    if (!designing())
        return;
    const bool anySelectable = std::any_of(components.begin(), components.end(),
                                           [this](QWidget *c) { return canSelectControl(c); });
    if (!anySelectable)
        return;
    ensureSelectionList();
    SelectionList *selection = selectionList();
    selection->clearTargets();
    for (QWidget *component : components)
        selection->addTarget(component);
    selection->refreshTargets();
}
