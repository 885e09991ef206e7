#include "designer/SelectionList.h"

void SelectionReceiver::listenTo(SelectionList *list)
{
    connect(list, &SelectionList::targetForgotten, this, &SelectionReceiver::forgetTarget);
    connect(list, &SelectionList::targetAdded, this, &SelectionReceiver::addTarget);
    connect(list, &SelectionList::cleared, this, &SelectionReceiver::clearTargets);
    connect(list, &SelectionList::targetRemoved, this, &SelectionReceiver::removeTarget);
    connect(list, &SelectionList::refreshed, this, &SelectionReceiver::refreshTargets);
}

void SelectionReceiver::stopListening(SelectionList *list)
{
    if (list)
        list->disconnect(this);
}

void SelectionReceiver::forgetTarget(int) {}
void SelectionReceiver::addTarget(QWidget *) {}
void SelectionReceiver::clearTargets() {}
void SelectionReceiver::removeTarget(int) {}
void SelectionReceiver::refreshTargets() {}

void SelectionList::forgetTarget(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items[index] = nullptr;
    emit targetForgotten(index);
}

void SelectionList::addTarget(QWidget *control)
{
    m_items.append(control);
    emit targetAdded(control);
}

void SelectionList::clearTargets()
{
    m_items.clear();
    emit cleared();
}

void SelectionList::removeTarget(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items.removeAt(index);
    emit targetRemoved(index);
}

void SelectionList::refreshTargets()
{
    emit refreshed();
}

int SelectionList::indexOf(const QWidget *control) const
{
    return int(m_items.indexOf(const_cast<QWidget *>(control)));
}
