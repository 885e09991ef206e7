#pragma once

#include "model/CodeLines.h"
#include "model/PropertyInfo.h"

#include <QObject>

// Short ways of writing the entries of a published-property table; T is
// the class that declares the property.
namespace Props {

template<class T>
PropertyInfo make(const QString &name, PropKind kind, std::function<PropValue(const T &)> get,
                  std::function<void(T &, const PropValue &)> set)
{
    PropertyInfo info;
    info.name = name;
    info.kind = kind;
    info.get = [get](const QObject *object) {
        return get(*static_cast<const T *>(object));
    };
    if (set) {
        info.set = [set](QObject *object, const PropValue &value) {
            set(*static_cast<T *>(object), value);
        };
    }
    return info;
}

template<class T>
PropertyInfo boolean(const QString &name, bool T::*member)
{
    return make<T>(
        name, PropKind::Boolean, [member](const T &object) { return PropValue(object.*member); },
        [member](T &object, const PropValue &value) {
            object.*member = PropertyValues::toBool(value);
        });
}

template<class T>
PropertyInfo integer(const QString &name, int T::*member)
{
    return make<T>(
        name, PropKind::Integer,
        [member](const T &object) { return PropValue(qint64(object.*member)); },
        [member](T &object, const PropValue &value) {
            object.*member = int(PropertyValues::toInt(value));
        });
}

template<class T>
PropertyInfo enumeration(const QString &name, int T::*member, const QStringList &names)
{
    PropertyInfo info = integer<T>(name, member);
    info.kind = PropKind::Enumeration;
    info.names = names;
    return info;
}

template<class T>
PropertyInfo text(const QString &name, QString T::*member)
{
    return make<T>(
        name, PropKind::Text, [member](const T &object) { return PropValue(object.*member); },
        [member](T &object, const PropValue &value) {
            object.*member = PropertyValues::toText(value);
        });
}

template<class T>
PropertyInfo lines(const QString &name, CodeLines T::*member)
{
    return make<T>(
        name, PropKind::Strings,
        [member](const T &object) { return PropValue((object.*member).texts()); },
        [member](T &object, const PropValue &value) {
            (object.*member).setTexts(PropertyValues::toStrings(value));
        });
}

inline PropertyInfo withDefault(PropertyInfo info, qint64 defaultValue)
{
    info.defaultValue = defaultValue;
    return info;
}

inline PropertyInfo storedWhen(PropertyInfo info, PropertyInfo::Condition condition)
{
    info.stored = std::move(condition);
    return info;
}

inline PropertyInfo never(PropertyInfo info)
{
    info.stored = [](const QObject *) {
        return false;
    };
    return info;
}

inline PropertyInfo definedValue(PropertyInfo info)
{
    info.defined = true;
    return info;
}

inline PropertyInfo record(const QString &name, const QString &typeName,
                           QList<PropertyInfo> members, PropertyInfo::Condition stored = {})
{
    PropertyInfo info;
    info.name = name;
    info.kind = PropKind::Record;
    info.typeName = typeName;
    info.members = std::move(members);
    info.stored = std::move(stored);
    info.get = [typeName](const QObject *) {
        return PropValue(QString('(' + typeName + ')'));
    };
    return info;
}

} // namespace Props
