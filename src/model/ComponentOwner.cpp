#include "model/ComponentOwner.h"

#include <QObject>

ComponentOwner::~ComponentOwner()
{
    for (const auto &connections : std::as_const(m_connections)) {
        for (const QMetaObject::Connection &connection : connections)
            QObject::disconnect(connection);
    }
}

void ComponentOwner::insertComponent(QObject *component)
{
    if (!component || m_nameOf.contains(component))
        return;
    m_slotOf.insert(component, m_components.size());
    m_components.append(component);
    m_nameOf.insert(component, QString());
    rename(component, component->objectName());
    m_connections[component] = {
        QObject::connect(component, &QObject::objectNameChanged, component,
                         [this, component](const QString &name) { rename(component, name); }),
        QObject::connect(component, &QObject::destroyed, component,
                         [this, component] { removeComponent(component); }),
    };
}

void ComponentOwner::removeComponent(QObject *component)
{
    if (!m_nameOf.contains(component))
        return;
    rename(component, QString());
    m_nameOf.remove(component);
    m_components[m_slotOf.take(component)] = nullptr;
    if (++m_holes > m_components.size() / 2)
        compact();
    for (const QMetaObject::Connection &connection : m_connections.take(component))
        QObject::disconnect(connection);
}

QList<QObject *> ComponentOwner::components() const
{
    QList<QObject *> result;
    result.reserve(m_components.size() - m_holes);
    for (QObject *component : m_components) {
        if (component)
            result.append(component);
    }
    return result;
}

void ComponentOwner::compact()
{
    m_components = components();
    m_holes = 0;
    for (qsizetype slot = 0; slot < m_components.size(); ++slot)
        m_slotOf[m_components[slot]] = slot;
}

bool ComponentOwner::ownsComponent(const QObject *component) const
{
    return m_nameOf.contains(component);
}

QObject *ComponentOwner::findComponent(QStringView name) const
{
    if (name.isEmpty())
        return nullptr;
    return m_byName.value(key(name));
}

QString ComponentOwner::uniqueName(const QString &className) const
{
    return m_numbering.firstFree(className.mid(1), [this](const QString &candidate) {
        return findComponent(candidate) != nullptr;
    });
}

void ComponentOwner::rename(QObject *component, const QString &newName)
{
    const QString oldName = m_nameOf.value(component);
    if (!oldName.isEmpty() && m_byName.value(key(oldName)) == component) {
        m_byName.remove(key(oldName));
        m_numbering.released(oldName);
    }
    m_nameOf[component] = newName;
    if (!newName.isEmpty() && !m_byName.contains(key(newName))) {
        m_byName.insert(key(newName), component);
        m_numbering.taken(newName);
    }
}
