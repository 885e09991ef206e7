#pragma once

#include <QList>

#include <QObject>
#include <QWidget>

class SelectionList;

// The base of everything that follows selection changes. A receiver
// listens to a list's signals with itself as the context, so whichever of
// the two goes first, no connection is left pointing at it. The five
// handlers hear of a change that has already happened to the list.
class SelectionReceiver : public QObject
{
public:
    // Connects the list's signals to the handlers, after earlier listeners.
    void listenTo(SelectionList *list);
    void stopListening(SelectionList *list);

    // The entry at index is going away with its control: forget it.
    virtual void forgetTarget(int index);
    virtual void addTarget(QWidget *control);
    virtual void clearTargets();
    virtual void removeTarget(int index);
    // Nothing changed in the list: bring what shows it up to date.
    virtual void refreshTargets();
};

// The selection: an ordered list of controls. Each change operation first
// changes the list and then emits its signal; listeners hear of it in the
// order they connected (handles before the inspector).
class SelectionList : public QObject
{
    Q_OBJECT

public:
    void forgetTarget(int index);
    void addTarget(QWidget *control);
    void clearTargets();
    void removeTarget(int index);
    void refreshTargets();

    int count() const { return int(m_items.size()); }
    // None when index is outside the list.
    QWidget *at(int index) const { return m_items.value(index); }
    int indexOf(const QWidget *control) const;
    const QList<QWidget *> &items() const { return m_items; }

signals:
    void targetForgotten(int index);
    void targetAdded(QWidget *control);
    void cleared();
    void targetRemoved(int index);
    // The entries are unchanged; what shows them should be brought up to date.
    void refreshed();

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
