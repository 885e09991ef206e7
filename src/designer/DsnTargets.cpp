#include "designer/DsnTargets.h"

TReceiveTargets::~TReceiveTargets()
{
    const QList<TReceiveTargets *> receivers = m_receivers;
    for (TReceiveTargets *receiver : receivers)
        receiver->ReceiverRemoved(this);
}

void TReceiveTargets::ReceiverAdded(TReceiveTargets *receiver)
{
    if (!receiver || receiver == this || m_receivers.contains(receiver))
        return;
    m_receivers.append(receiver);
    receiver->ReceiverAdded(this);
}

void TReceiveTargets::ReceiverRemoved(TReceiveTargets *receiver)
{
    if (!m_receivers.removeOne(receiver))
        return;
    receiver->ReceiverRemoved(this);
}

void TReceiveTargets::TargetNil(int) {}
void TReceiveTargets::Add(QWidget *) {}
void TReceiveTargets::Clear() {}
void TReceiveTargets::Delete(int) {}
void TReceiveTargets::Update() {}

void TTargetList::TargetNil(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items[index] = nullptr;
    // A receiver may unlink itself while it is told; walk a copy.
    const QList<TReceiveTargets *> targets = receivers();
    for (TReceiveTargets *receiver : targets)
        receiver->TargetNil(index);
}

void TTargetList::Add(QWidget *control)
{
    m_items.append(control);
    const QList<TReceiveTargets *> targets = receivers();
    for (TReceiveTargets *receiver : targets)
        receiver->Add(control);
}

void TTargetList::Clear()
{
    m_items.clear();
    const QList<TReceiveTargets *> targets = receivers();
    for (TReceiveTargets *receiver : targets)
        receiver->Clear();
}

void TTargetList::Delete(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items.removeAt(index);
    const QList<TReceiveTargets *> targets = receivers();
    for (TReceiveTargets *receiver : targets)
        receiver->Delete(index);
}

void TTargetList::Update()
{
    const QList<TReceiveTargets *> targets = receivers();
    for (TReceiveTargets *receiver : targets)
        receiver->Update();
}

int TTargetList::IndexOf(const QWidget *control) const
{
    return int(m_items.indexOf(const_cast<QWidget *>(control)));
}
