#pragma once

#include "model/NameNumbering.h"

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QString>

class QObject;

// The owner of a design's components (the report window, or a headless
// document): it knows every component it owns by name, without regard to
// case, so names can be kept unique and references resolved.
class ComponentOwner
{
public:
    ComponentOwner() = default;
    virtual ~ComponentOwner();
    ComponentOwner(const ComponentOwner &) = delete;
    ComponentOwner &operator=(const ComponentOwner &) = delete;

    void insertComponent(QObject *component);
    void removeComponent(QObject *component);
    bool ownsComponent(const QObject *component) const;
    QObject *findComponent(QStringView name) const;
    // Owned components in the order they joined.
    QList<QObject *> components() const;

    // The class name without its first letter followed by the smallest
    // number from 1 that no owned component uses ("mText1").
    QString uniqueName(const QString &className) const;

private:
    void rename(QObject *component, const QString &newName);
    void compact();
    static QString key(QStringView name) { return name.toString().toCaseFolded(); }

    // Joining order; a removed component leaves a hole until the holes
    // outnumber the components, so removing stays cheap with many of them.
    QList<QObject *> m_components;
    QHash<const QObject *, qsizetype> m_slotOf;
    qsizetype m_holes = 0;
    QHash<QString, QObject *> m_byName;
    QHash<const QObject *, QString> m_nameOf;
    QHash<const QObject *, QList<QMetaObject::Connection>> m_connections;
    mutable NameNumbering m_numbering;
};
