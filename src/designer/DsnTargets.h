#pragma once

#include <QList>

class QWidget;

// The base of everything that takes part in selection changes. Receivers
// are linked both ways, so either side may go first without leaving the
// other with a dangling link. On a receiver the five change operations
// announce a change that has already happened to the selection list.
class TReceiveTargets
{
public:
    TReceiveTargets() = default;
    virtual ~TReceiveTargets();
    TReceiveTargets(const TReceiveTargets &) = delete;
    TReceiveTargets &operator=(const TReceiveTargets &) = delete;

    // Links receiver to this object and this object to receiver.
    void ReceiverAdded(TReceiveTargets *receiver);
    // Unlinks receiver from this object (and this object from receiver).
    void ReceiverRemoved(TReceiveTargets *receiver);
    const QList<TReceiveTargets *> &receivers() const { return m_receivers; }

    // The entry at index is going away with its control: forget it.
    virtual void TargetNil(int index);
    virtual void Add(QWidget *control);
    virtual void Clear();
    virtual void Delete(int index);
    // Nothing changed in the list: bring what shows it up to date.
    virtual void Update();

private:
    QList<TReceiveTargets *> m_receivers;
};

// The selection: an ordered list of controls. Each change operation first
// changes the list and then repeats itself on every receiver in link order.
class TTargetList : public TReceiveTargets
{
public:
    void TargetNil(int index) override;
    void Add(QWidget *control) override;
    void Clear() override;
    void Delete(int index) override;
    void Update() override;

    int Count() const { return int(m_items.size()); }
    // None when index is outside the list.
    QWidget *Items(int index) const { return m_items.value(index); }
    int IndexOf(const QWidget *control) const;
    const QList<QWidget *> &items() const { return m_items; }

private:
    QList<QWidget *> m_items;
};

// A copy of the selection handed to an event handler for one call.
class TSelectedComponents
{
public:
    explicit TSelectedComponents(const QList<QWidget *> &items) : m_items(items) {}

    int Count() const { return int(m_items.size()); }
    QWidget *Items(int index) const { return m_items.value(index); }
    const QList<QWidget *> &items() const { return m_items; }

private:
    QList<QWidget *> m_items;
};
