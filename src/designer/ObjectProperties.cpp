#include "designer/ObjectProperties.h"

#include "designer/PropertyConversions.h"
#include "model/ClassRegistry.h"
#include "model/ReportClasses.h"

#include <QObject>

ObjectProperties::ObjectProperties(const QObject *object)
    : ObjectProperties(object, reportClasses())
{
}

ObjectProperties::ObjectProperties(const QObject *object, const ClassRegistry &registry)
    : m_object(object)
{
    const ClassInfo *info = registry.of(object);
    if (!info || !info->properties)
        return;
    m_className = info->name;
    for (const PropertyInfo &property : *info->properties) {
        if (!property.defined && PropertyTexts::typeKindOf(property))
            m_properties.append(&property);
    }
}

PropertyRow ObjectProperties::item(int index) const
{
    const PropertyInfo &info = property(index);
    return {info.name, PropertyTexts::valueText(m_object, info), *PropertyTexts::typeKindOf(info)};
}

const PropertyInfo &ObjectProperties::property(int index) const
{
    if (index < 0 || index >= m_properties.size())
        throw PropertyError(QStringLiteral("Invalid Index"));
    return *m_properties.at(index);
}

int ObjectProperties::indexOf(QStringView name) const
{
    for (int i = 0; i < m_properties.size(); ++i) {
        if (m_properties.at(i)->name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

namespace PropertyTexts {
namespace {

const QStringList &booleanNames()
{
    static const QStringList names{QStringLiteral("False"), QStringLiteral("True")};
    return names;
}

QString setText(qint64 mask, const QStringList &names)
{
    // Set values hold at most 16 members.
    QStringList members;
    for (int bit = 0; bit < 16 && bit < names.size(); ++bit) {
        if (mask & (qint64(1) << bit))
            members.append(names.at(bit));
    }
    return u'[' + members.join(u',') + u']';
}

} // namespace

std::optional<PropertyTypeKind> typeKindOf(const PropertyInfo &property)
{
    switch (property.kind) {
    case PropKind::Integer:
    case PropKind::Colour:
    case PropKind::Charset:
        return PropertyTypeKind::Integer;
    case PropKind::Boolean:
    case PropKind::Enumeration:
        return PropertyTypeKind::Enumeration;
    case PropKind::Set:
        return PropertyTypeKind::Set;
    case PropKind::Float:
        return PropertyTypeKind::Float;
    case PropKind::Text:
        return PropertyTypeKind::String;
    case PropKind::Strings:
    case PropKind::Record:
        return PropertyTypeKind::Class;
    case PropKind::Floats:
        break;
    }
    return std::nullopt;
}

QString valueText(const QObject *object, const PropertyInfo &property)
{
    if (!object || !property.get)
        return {};
    const PropValue value = property.get(object);
    switch (property.kind) {
    case PropKind::Integer:
    case PropKind::Charset:
        return QString::number(PropertyValues::toInt(value));
    case PropKind::Colour:
        return QString::number(PropertyConversions::colourToInt32(PropertyValues::toInt(value)));
    case PropKind::Boolean:
        return booleanNames().at(PropertyValues::toBool(value) ? 1 : 0);
    case PropKind::Enumeration:
        return property.names.value(int(PropertyValues::toInt(value)));
    case PropKind::Set:
        return setText(PropertyValues::toInt(value), property.names);
    case PropKind::Float:
        return PropertyConversions::floatText(PropertyValues::toFloat(value));
    case PropKind::Text:
        return PropertyValues::toText(value);
    case PropKind::Strings:
        return QStringLiteral("(TStrings)");
    case PropKind::Record:
        return u'(' + property.typeName + u')';
    case PropKind::Floats:
        break;
    }
    return QStringLiteral("Unknown");
}

QStringList valueNames(const PropertyInfo &property)
{
    if (property.kind == PropKind::Boolean)
        return booleanNames();
    if (property.kind == PropKind::Enumeration)
        return property.names;
    return {};
}

} // namespace PropertyTexts
