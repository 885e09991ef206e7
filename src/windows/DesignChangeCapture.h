#pragma once

#include "windows/DesignChange.h"

#include <QHash>
#include <QPointer>

class ClassRegistry;
class ComponentOwner;

// Watches one change of a design while it runs: takes the stored values
// of the components it may alter before it begins, the stream of each
// component as it is freed, and hears of each one made; when the change
// has finished, keeps only what differs.
class DesignChangeCapture
{
public:
    DesignChangeCapture(QWidget *stage, ComponentOwner &owner, const ClassRegistry &registry);

    // The component may change: its own values (with those of its
    // descendants when asked) are taken now.
    void include(QWidget *component, bool withDescendants);
    void setSelectionBefore(const QList<QWidget *> &selection);

    // A component joined the owner.
    void joined(QObject *component);
    // A component is about to be freed.
    void leaving(QWidget *component);

    DesignChange finish(const QList<QWidget *> &selectionAfter);

private:
    struct Before
    {
        QPointer<QWidget> component;
        ComponentPath path;
        QByteArray state;
    };
    void includeTree(QWidget *component);
    void includeOne(QWidget *component);
    bool isJoined(const QObject *component) const;

    QWidget *m_stage;
    ComponentOwner &m_owner;
    const ClassRegistry &m_registry;
    ComponentPaths m_paths;
    QList<Before> m_before;
    QHash<const QWidget *, qsizetype> m_included;
    QList<QPointer<QObject>> m_joined;
    QHash<const QObject *, bool> m_joinedSet;
    DesignChange m_change;
};
