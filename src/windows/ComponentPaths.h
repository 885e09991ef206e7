#pragma once

#include <QHash>
#include <QList>

class ComponentOwner;
class QWidget;

// Where a component sits in a design: its index among the components of
// each parent, from the stage down. Unlike a pointer or a name (which may
// be empty or shared in a crafted file), a path still finds a component
// that an undo step made again.
using ComponentPath = QList<int>;

// Finds paths of components and components by path, keeping the children
// of each parent it looked at; whoever adds or removes components through
// it keeps those lists current, so that many steps on one parent stay cheap.
class ComponentPaths
{
public:
    ComponentPaths(QWidget *stage, const ComponentOwner &owner);

    ComponentPath pathOf(const QWidget *component);
    // The stage for an empty path; none when the path leads nowhere.
    QWidget *find(const ComponentPath &path);

    // Takes note of the components of parent as they are now: before
    // components are made in it and placed with placeAt.
    void noteChildren(const QWidget *parent) { childrenOf(parent); }
    // component, made in parent since noteChildren, goes to index among
    // the components of parent.
    void placeAt(QWidget *parent, QWidget *component, int index);
    // The component at path is about to be freed.
    void removing(const ComponentPath &path);

private:
    struct Children
    {
        QList<QWidget *> components;
        QHash<const QWidget *, int> indexes;
        bool indexed = false;
    };
    Children &childrenOf(const QWidget *parent);
    int indexOf(const QWidget *parent, const QWidget *component);

    QWidget *m_stage;
    const ComponentOwner &m_owner;
    QHash<const QWidget *, Children> m_children;
    QHash<const QWidget *, ComponentPath> m_paths;
};
