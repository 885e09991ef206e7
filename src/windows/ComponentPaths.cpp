#include "windows/ComponentPaths.h"

#include "model/ComponentOwner.h"

#include <QWidget>

#include <algorithm>

ComponentPaths::ComponentPaths(QWidget *stage, const ComponentOwner &owner)
    : m_stage(stage), m_owner(owner)
{
}

ComponentPaths::Children &ComponentPaths::childrenOf(const QWidget *parent)
{
    const auto found = m_children.find(parent);
    if (found != m_children.end())
        return *found;
    Children &children = m_children[parent];
    for (QObject *child : parent->children()) {
        if (child->isWidgetType() && m_owner.ownsComponent(child))
            children.components.append(static_cast<QWidget *>(child));
    }
    return children;
}

int ComponentPaths::indexOf(const QWidget *parent, const QWidget *component)
{
    Children &children = childrenOf(parent);
    if (!children.indexed) {
        children.indexes.clear();
        for (int i = 0; i < children.components.size(); ++i)
            children.indexes.insert(children.components.at(i), i);
        children.indexed = true;
    }
    return children.indexes.value(component, -1);
}

ComponentPath ComponentPaths::pathOf(const QWidget *component)
{
    if (!component || component == m_stage)
        return {};
    const QWidget *parent = component->parentWidget();
    if (!parent)
        return {};
    // Paths of parents are asked for again and again: many components
    // share them. Paths of components are not kept, as they may move.
    ComponentPath path;
    if (parent != m_stage) {
        const auto known = m_paths.constFind(parent);
        path = known != m_paths.cend() ? *known : m_paths.insert(parent, pathOf(parent)).value();
    }
    path.append(indexOf(parent, component));
    return path;
}

QWidget *ComponentPaths::find(const ComponentPath &path)
{
    QWidget *component = m_stage;
    for (const int index : path) {
        const QList<QWidget *> &components = childrenOf(component).components;
        if (index < 0 || index >= components.size())
            return nullptr;
        component = components.at(index);
    }
    return component;
}

void ComponentPaths::placeAt(QWidget *parent, QWidget *component, int index)
{
    Children &children = childrenOf(parent);
    index = std::clamp(index, 0, int(children.components.size()));
    if (index < children.components.size()) {
        component->stackUnder(children.components.at(index));
        children.indexed = false;
        // Later siblings moved up by one, and so did their descendants.
        m_paths.clear();
    } else if (children.indexed) {
        children.indexes.insert(component, index);
    }
    children.components.insert(index, component);
}

void ComponentPaths::removing(const ComponentPath &path)
{
    QWidget *component = find(path);
    if (!component || path.isEmpty())
        return;
    const bool hasComponents = !childrenOf(component).components.isEmpty();
    Children &children = childrenOf(component->parentWidget());
    const int index = path.last();
    children.components.removeAt(index);
    children.indexes.remove(component);
    const bool siblingsMove = index < children.components.size();
    m_children.remove(component);
    m_paths.remove(component);
    if (hasComponents || siblingsMove) {
        // Lists and paths of what goes, or of what moves down, would be
        // found under addresses that new components may take.
        m_children.clear();
        m_paths.clear();
    }
}
