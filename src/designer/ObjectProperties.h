#pragma once

#include "model/PropertyInfo.h"

#include <QList>
#include <QString>

#include <stdexcept>

class ClassRegistry;
class QObject;

// How the inspector treats a published property: which values it can show,
// how it compares them across a selection and which it can write.
enum class PropertyTypeKind {
    Integer,     // integers, colours and charsets
    Enumeration, // enumerations and Booleans
    Float,
    String,
    Set,
    Class, // records and string lists: shown as "(TFont)", never typed
};

// One published property of one component, as the inspector lists it.
struct PropertyRow
{
    QString name;
    QString value;
    PropertyTypeKind kind = PropertyTypeKind::Integer;
};

// A failure to read or write a property through the inspector; the text is
// what the user sees.
class PropertyError : public std::runtime_error
{
public:
    explicit PropertyError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The published properties of one component in declaration order (base
// class first). Stream-only values are no published properties and are
// left out.
class ObjectProperties
{
public:
    explicit ObjectProperties(const QObject *object);
    ObjectProperties(const QObject *object, const ClassRegistry &registry);

    // Empty for an object no registry entry describes.
    QString className() const { return m_className; }
    int count() const { return int(m_properties.size()); }
    // Throws PropertyError("Invalid Index") for an index holding no property.
    PropertyRow item(int index) const;
    const PropertyInfo &property(int index) const;
    // Without regard to case; -1 when the class has no such property.
    int indexOf(QStringView name) const;

private:
    const QObject *m_object;
    QString m_className;
    QList<const PropertyInfo *> m_properties;
};

namespace PropertyTexts {

// Null for the kinds the inspector does not list (stream-only float lists).
std::optional<PropertyTypeKind> typeKindOf(const PropertyInfo &property);
QString valueText(const QObject *object, const PropertyInfo &property);

// The names a property's values can take in a chooser: the enumeration's
// value names, "False" and "True" for Booleans, nothing otherwise.
QStringList valueNames(const PropertyInfo &property);

} // namespace PropertyTexts
