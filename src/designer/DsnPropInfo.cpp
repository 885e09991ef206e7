#include "designer/DsnPropInfo.h"

#include "designer/DsnPropValue.h"
#include "model/ClassRegistry.h"
#include "model/mKomponents.h"

#include <QObject>

TObjInfo::TObjInfo(const QObject *object) : TObjInfo(object, reportClasses()) {}

TObjInfo::TObjInfo(const QObject *object, const ClassRegistry &registry) : m_object(object)
{
    const ClassInfo *info = registry.of(object);
    if (!info || !info->properties)
        return;
    m_className = info->name;
    for (const PropertyInfo &property : *info->properties) {
        if (!property.defined && PropTexts::typeKindOf(property))
            m_properties.append(&property);
    }
}

TMyPropInfo TObjInfo::item(int index) const
{
    const PropertyInfo &info = property(index);
    return {info.name, PropTexts::valueText(m_object, info), *PropTexts::typeKindOf(info)};
}

const PropertyInfo &TObjInfo::property(int index) const
{
    if (index < 0 || index >= m_properties.size())
        throw PropertyError(QStringLiteral("Invalid Index"));
    return *m_properties.at(index);
}

int TObjInfo::indexOf(QStringView name) const
{
    for (int i = 0; i < m_properties.size(); ++i) {
        if (m_properties.at(i)->name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

namespace PropTexts {
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

std::optional<TTypeKind> typeKindOf(const PropertyInfo &property)
{
    switch (property.kind) {
    case PropKind::Integer:
    case PropKind::Colour:
    case PropKind::Charset:
        return TTypeKind::Integer;
    case PropKind::Boolean:
    case PropKind::Enumeration:
        return TTypeKind::Enumeration;
    case PropKind::Set:
        return TTypeKind::Set;
    case PropKind::Float:
        return TTypeKind::Float;
    case PropKind::Text:
        return TTypeKind::String;
    case PropKind::Strings:
    case PropKind::Record:
        return TTypeKind::Class;
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
        return QString::number(PropValues::toInt(value));
    case PropKind::Colour:
        return QString::number(PropConversions::colourToInt32(PropValues::toInt(value)));
    case PropKind::Boolean:
        return booleanNames().at(PropValues::toBool(value) ? 1 : 0);
    case PropKind::Enumeration:
        return property.names.value(int(PropValues::toInt(value)));
    case PropKind::Set:
        return setText(PropValues::toInt(value), property.names);
    case PropKind::Float:
        return PropConversions::floatText(PropValues::toFloat(value));
    case PropKind::Text:
        return PropValues::toText(value);
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

} // namespace PropTexts
