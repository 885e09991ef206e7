#pragma once

#include <QList>

class QWidget;

// The base of everything that takes part in selection changes. Receivers
// are linked both ways, so either side may go first without leaving the
// other with a dangling link. On a receiver the five change operations
// announce a change that has already happened to the selection list.
class SelectionReceiver
{
public:
    SelectionReceiver() = default;
    virtual ~SelectionReceiver();
    SelectionReceiver(const SelectionReceiver &) = delete;
    SelectionReceiver &operator=(const SelectionReceiver &) = delete;

    // Links receiver to this object and this object to receiver.
    void linkReceiver(SelectionReceiver *receiver);
    // Unlinks receiver from this object (and this object from receiver).
    void unlinkReceiver(SelectionReceiver *receiver);
    const QList<SelectionReceiver *> &receivers() const { return m_receivers; }

    // The entry at index is going away with its control: forget it.
    virtual void forgetTarget(int index);
    virtual void addTarget(QWidget *control);
    virtual void clearTargets();
    virtual void removeTarget(int index);
    // Nothing changed in the list: bring what shows it up to date.
    virtual void refreshTargets();

private:
    QList<SelectionReceiver *> m_receivers;
};

// The selection: an ordered list of controls. Each change operation first
// changes the list and then repeats itself on every receiver in link order.
class SelectionList : public SelectionReceiver
{
public:
    void forgetTarget(int index) override;
    void addTarget(QWidget *control) override;
    void clearTargets() override;
    void removeTarget(int index) override;
    void refreshTargets() override;

    int count() const { return int(m_items.size()); }
    // None when index is outside the list.
    QWidget *at(int index) const { return m_items.value(index); }
    int indexOf(const QWidget *control) const;
    const QList<QWidget *> &items() const { return m_items; }

private:
    QList<QWidget *> m_items;
};

// A copy of the selection handed to an event handler for one call.
class SelectedComponents
{
public:
    explicit SelectedComponents(const QList<QWidget *> &items) : m_items(items) {}

    int count() const { return int(m_items.size()); }
    QWidget *at(int index) const { return m_items.value(index); }
    const QList<QWidget *> &items() const { return m_items; }

private:
    QList<QWidget *> m_items;
};
