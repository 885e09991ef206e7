#include "designer/SelectionList.h"

SelectionReceiver::~SelectionReceiver()
{
    const QList<SelectionReceiver *> receivers = m_receivers;
    for (SelectionReceiver *receiver : receivers)
        receiver->unlinkReceiver(this);
}

void SelectionReceiver::linkReceiver(SelectionReceiver *receiver)
{
    if (!receiver || receiver == this || m_receivers.contains(receiver))
        return;
    m_receivers.append(receiver);
    receiver->linkReceiver(this);
}

void SelectionReceiver::unlinkReceiver(SelectionReceiver *receiver)
{
    if (!m_receivers.removeOne(receiver))
        return;
    receiver->unlinkReceiver(this);
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
    // A receiver may unlink itself while it is told; walk a copy.
    const QList<SelectionReceiver *> targets = receivers();
    for (SelectionReceiver *receiver : targets)
        receiver->forgetTarget(index);
}

void SelectionList::addTarget(QWidget *control)
{
    m_items.append(control);
    const QList<SelectionReceiver *> targets = receivers();
    for (SelectionReceiver *receiver : targets)
        receiver->addTarget(control);
}

void SelectionList::clearTargets()
{
    m_items.clear();
    const QList<SelectionReceiver *> targets = receivers();
    for (SelectionReceiver *receiver : targets)
        receiver->clearTargets();
}

void SelectionList::removeTarget(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items.removeAt(index);
    const QList<SelectionReceiver *> targets = receivers();
    for (SelectionReceiver *receiver : targets)
        receiver->removeTarget(index);
}

void SelectionList::refreshTargets()
{
    const QList<SelectionReceiver *> targets = receivers();
    for (SelectionReceiver *receiver : targets)
        receiver->refreshTargets();
}

int SelectionList::indexOf(const QWidget *control) const
{
    return int(m_items.indexOf(const_cast<QWidget *>(control)));
}
