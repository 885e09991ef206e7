#pragma once

#include "model/PropertyInfo.h"

#include <QList>
#include <QString>

#include <functional>

class ComponentOwner;
class QObject;
class QWidget;
struct QMetaObject;

// What the object stream and the inspector know of a streamable class:
// its name, its published properties in stream order and how to make one.
struct ClassInfo
{
    using Factory = std::function<QWidget *(ComponentOwner *owner, QWidget *parent)>;
    using Hook = std::function<void(QObject *)>;

    QString name;
    const QMetaObject *metaObject = nullptr;
    const PropertyTable *properties = nullptr;
    Factory create;
    Hook beginLoading;    // the component is about to receive stored values
    Hook loaded;          // every stored value is in: derive what depends on them
    bool windowed = true; // non-windowed controls come first in child order
};

// A set of classes known to one reader (a report window knows the report
// components; an editor stage knows its editor).
class ClassRegistry
{
public:
    void add(const ClassInfo &info);
    const ClassInfo *byName(QStringView name) const;
    // The class of an object, or of its nearest registered base class.
    const ClassInfo *of(const QObject *object) const;
    // The name files store for the object's class: the registered name, or
    // the C++ class name for a class the registry does not know.
    QString storedClassName(const QObject *object) const;

private:
    QList<ClassInfo> m_classes;
};

// The children of a widget that a registry knows, in child order:
// non-windowed controls first, then windowed ones, each in stacking order.
QList<QWidget *> orderedChildren(const QWidget *parent, const ClassRegistry &registry);
