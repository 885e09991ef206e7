#include "designer/PropertyConversions.h"

#include "designer/ObjectProperties.h"
#include "designer/StandardRows.h"
#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/ReportControl.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace PropertyConversions {

qint32 colourToInt32(qint64 colour)
{
    return static_cast<qint32>(static_cast<quint32>(colour));
}

qint64 colourFromInt32(qint32 value)
{
    return static_cast<qint64>(static_cast<quint32>(value));
}

QString floatText(long double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(value), 'g', 15);
}

std::optional<long double> parseFloat(QStringView text)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> parseInteger(QStringView text)
{
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    const bool hex = text.startsWith(u'$');
    if (hex)
        text = text.mid(1);
    if (text.isEmpty() || text.startsWith(u'+') || text.startsWith(u'-'))
        return std::nullopt;
    bool ok = false;
    const qulonglong magnitude = text.toULongLong(&ok, hex ? 16 : 10);
    if (!ok)
        return std::nullopt;
    if (hex) {
        // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
        if (magnitude > std::numeric_limits<quint32>::max())
            return std::nullopt;
        const qint64 bits = static_cast<qint32>(static_cast<quint32>(magnitude));
        return static_cast<qint32>(static_cast<quint32>(negative ? -bits : bits));
    }
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                  : qint64(std::numeric_limits<qint32>::max());
    if (magnitude > qulonglong(limit))
        return std::nullopt;
    return static_cast<qint32>(negative ? -qint64(magnitude) : qint64(magnitude));
}

bool isValidIdentifier(QStringView name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

namespace {

PropertyError illegal(const QString &value, const QString &propName)
{
    return PropertyError(value + QStringLiteral(" is illegal (") + propName + u')');
}

// Names identify components in design files, in the object list and in
// pasted copies, so one the stream could not tell apart is refused.
void checkComponentName(const QObject *target, const QString &name)
{
    if (name.isEmpty())
        throw PropertyError(QStringLiteral("A component must have a name"));
    if (!isValidIdentifier(name))
        throw PropertyError(name
                            + QStringLiteral(" is not a valid component name: use letters,"
                                             " digits and _, beginning with a letter or _"));
    const auto *control = qobject_cast<const ReportControl *>(target);
    const ComponentOwner *owner = control ? control->owner() : nullptr;
    const QObject *holder = owner ? owner->findComponent(name) : nullptr;
    if (holder && holder != target)
        throw PropertyError(QStringLiteral("A component named ") + name
                            + QStringLiteral(" already exists"));
}

// The value to write, or nothing when the property stays as it is.
std::optional<PropValue> convert(const PropertyInfo &property, const QString &value)
{
    if (property.kind == PropKind::Text)
        return PropValue(value);
    if (value.isEmpty())
        return std::nullopt;
    switch (property.kind) {
    case PropKind::Integer:
    case PropKind::Charset:
    case PropKind::Colour: {
        const std::optional<qint32> number = parseInteger(value);
        if (!number)
            throw PropertyError(QString());
        const qint64 stored =
            property.kind == PropKind::Colour ? colourFromInt32(*number) : qint64(*number);
        if (property.kind == PropKind::Charset && (stored < 0 || stored > 255))
            throw PropertyError(QString());
        return PropValue(stored);
    }
    case PropKind::Boolean:
    case PropKind::Enumeration: {
        const QStringList names = PropertyTexts::valueNames(property);
        const qsizetype ordinal = StandardRowLists::indexOfName(names, value.trimmed());
        if (ordinal < 0)
            throw PropertyError(QString());
        if (property.kind == PropKind::Boolean)
            return PropValue(ordinal == 1);
        return PropValue(qint64(ordinal));
    }
    case PropKind::Float: {
        const std::optional<long double> number = parseFloat(value);
        if (!number)
            throw PropertyError(QString());
        return PropValue(*number);
    }
    default:
        return std::nullopt;
    }
}

// The value converted for property; nothing when it stays as it is.
std::optional<PropValue> writable(const PropertyInfo &property, const QString &value,
                                  const QString &propName)
{
    std::optional<PropValue> converted;
    try {
        converted = convert(property, value);
    } catch (const PropertyError &) {
        throw illegal(value, propName);
    }
    if (converted && property.isReadOnly())
        throw illegal(value, propName);
    return converted;
}

void writeOne(QObject *target, const QString &propName, const QString &value,
              const ClassRegistry &registry)
{
    const ObjectProperties info(target, registry);
    const int index = info.indexOf(propName);
    if (index < 0)
        throw illegal(value, propName);
    const PropertyInfo &property = info.property(index);
    const std::optional<PropValue> converted = writable(property, value, propName);
    if (!converted)
        return;
    if (property.name == QLatin1String("Name"))
        checkComponentName(target, value);
    property.set(target, *converted);
}

} // namespace

void writeValue(QObject *target, const PropertyInfo &property, const QString &value)
{
    if (const std::optional<PropValue> converted = writable(property, value, property.name))
        property.set(target, *converted);
}

void writeToTargets(const QList<QWidget *> &targets, const QString &propName, const QString &value,
                    const ClassRegistry &registry, int *written)
{
    if (written)
        *written = 0;
    if (propName.isEmpty())
        return;
    for (QWidget *target : targets) {
        if (!target)
            continue;
        writeOne(target, propName, value, registry);
        if (written)
            ++*written;
    }
}

} // namespace PropertyConversions
