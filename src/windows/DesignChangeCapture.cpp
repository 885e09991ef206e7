#include "windows/DesignChangeCapture.h"

#include "model/ComponentOwner.h"
#include "model/ComponentState.h"
#include "model/ObjectStream.h"

#include <QWidget>

#include <algorithm>

qsizetype DesignChange::size() const
{
    qsizetype bytes = 0;
    for (const PlacedComponent &placed : deleted)
        bytes += placed.block.size();
    for (const PlacedComponent &placed : created)
        bytes += placed.block.size();
    for (const EditedComponent &edit : edited)
        bytes += edit.before.size() + edit.after.size();
    return bytes;
}

DesignChangeCapture::DesignChangeCapture(QWidget *stage, ComponentOwner &owner,
                                         const ClassRegistry &registry)
    : m_stage(stage), m_owner(owner), m_registry(registry), m_paths(stage, owner)
{
}

void DesignChangeCapture::include(QWidget *component, bool withDescendants)
{
    if (!component || !m_owner.ownsComponent(component))
        return;
    if (withDescendants)
        includeTree(component);
    else
        includeOne(component);
}

void DesignChangeCapture::includeTree(QWidget *component)
{
    includeOne(component);
    for (QObject *child : component->children()) {
        if (child->isWidgetType() && m_owner.ownsComponent(child))
            includeTree(static_cast<QWidget *>(child));
    }
}

void DesignChangeCapture::includeOne(QWidget *component)
{
    if (m_included.contains(component))
        return;
    m_included.insert(component, m_before.size());
    m_before.append(
        {component, m_paths.pathOf(component), ObjectStream::writeAlone(component, m_registry)});
}

void DesignChangeCapture::setSelectionBefore(const QList<QWidget *> &selection)
{
    m_change.selectionBefore.clear();
    for (const QWidget *component : selection)
        m_change.selectionBefore.append(m_paths.pathOf(component));
}

void DesignChangeCapture::joined(QObject *component)
{
    m_joined.append(component);
    m_joinedSet.insert(component, true);
}

bool DesignChangeCapture::isJoined(const QObject *component) const
{
    return m_joinedSet.contains(component);
}

void DesignChangeCapture::leaving(QWidget *component)
{
    if (!component || !m_owner.ownsComponent(component))
        return;
    // What the change made and freed again is no part of it.
    for (const QObject *object = component; object && object != m_stage;
         object = object->parent()) {
        if (isJoined(object))
            return;
    }
    PlacedComponent placed{m_paths.pathOf(component),
                           ObjectStream::writeBlock({component}, m_owner, m_registry)};
    m_paths.removing(placed.path);
    m_change.deleted.append(std::move(placed));
}

DesignChange DesignChangeCapture::finish(const QList<QWidget *> &selectionAfter)
{
    // The change moved and made components: paths are found afresh.
    ComponentPaths paths(m_stage, m_owner);
    QHash<const QObject *, bool> alive;
    for (const QPointer<QObject> &component : std::as_const(m_joined)) {
        if (component)
            alive.insert(component, true);
    }
    for (const QPointer<QObject> &object : std::as_const(m_joined)) {
        auto *component = qobject_cast<QWidget *>(object.data());
        if (!component || !component->parentWidget())
            continue;
        bool topMost = true;
        for (const QObject *parent = component->parent(); parent && parent != m_stage;
             parent = parent->parent()) {
            if (alive.contains(parent))
                topMost = false;
        }
        if (topMost)
            m_change.created.append({paths.pathOf(component),
                                     ObjectStream::writeBlock({component}, m_owner, m_registry)});
    }
    std::sort(m_change.created.begin(), m_change.created.end(),
              [](const PlacedComponent &a, const PlacedComponent &b) { return a.path < b.path; });
    for (Before &before : m_before) {
        if (!before.component)
            continue;
        QByteArray after = ObjectStream::writeAlone(before.component, m_registry);
        if (after != before.state)
            m_change.edited.append({std::move(before.path), paths.pathOf(before.component),
                                    std::move(before.state), std::move(after)});
    }
    for (const QWidget *component : selectionAfter)
        m_change.selectionAfter.append(paths.pathOf(component));
    return std::move(m_change);
}
