#include "model/ObjectStream.h"

#include "model/ComponentState.h"

#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/NamedValues.h"
#include "model/ReportControl.h"
#include "model/StreamInput.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <memory>

using StreamFormat::ValueType;

namespace {

const QString DoesNotExist = QStringLiteral("Property does not exist");
const QString InvalidValue = QStringLiteral("Invalid property value");
const QString InvalidPath = QStringLiteral("Invalid property path");
const QString ReadOnly = QStringLiteral("Property is read-only");

// What a stream path names: a property, or the reason why it names none.
struct PathTarget
{
    const PropertyInfo *property = nullptr;
    bool viaStrings = false; // "<list>.Strings": the lines of a string-list property
    QString failure;
};

PathTarget resolvePath(const PropertyTable &table, QStringView path)
{
    const QList<QStringView> parts = path.split(u'.');
    const PropertyTable *members = &table;
    PathTarget target;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (target.property) {
            const bool last = i == parts.size() - 1;
            if (last && target.property->kind == PropKind::Strings && !target.property->defined
                && parts[i].compare(u"Strings", Qt::CaseInsensitive) == 0) {
                target.viaStrings = true;
                return target;
            }
            if (target.property->kind != PropKind::Record)
                return {nullptr, false, InvalidPath};
            members = &target.property->members;
        }
        target.property = findProperty(*members, parts[i]);
        if (!target.property)
            return {nullptr, false, DoesNotExist};
    }
    return target;
}

std::optional<qint64> indexOfName(const QStringList &names, QStringView name)
{
    for (qsizetype index = 0; index < names.size(); ++index) {
        if (names.at(index).compare(name, Qt::CaseInsensitive) == 0)
            return index;
    }
    return std::nullopt;
}

// Turns the value at the input into what a property of the given kind holds;
// nothing when the value does not fit the property.
class ValueParser
{
public:
    explicit ValueParser(StreamInput &in) : m_in(in) {}

    std::optional<PropValue> parse(const PropertyInfo &info, bool viaStrings)
    {
        const ValueType type = m_in.readValueType();
        switch (info.kind) {
        case PropKind::Integer:
            if (StreamFormat::isInteger(type))
                return m_in.readIntegerPayload(type);
            break;
        case PropKind::Boolean:
            if (type == ValueType::False || type == ValueType::True)
                return type == ValueType::True;
            break;
        case PropKind::Enumeration:
            return enumeration(info.names, type);
        case PropKind::Set:
            if (type == ValueType::Set)
                return set(info.names);
            break;
        case PropKind::Colour:
            return named(type, NamedValues::colourValue,
                         [](qint64 value) { return qint64(quint32(value)); });
        case PropKind::Charset:
            return named(type, NamedValues::charsetValue, [](qint64 value) { return value; });
        case PropKind::Float:
            return number(type);
        case PropKind::Text:
            if (StreamFormat::isText(type))
                return m_in.readTextPayload(type);
            break;
        case PropKind::Strings:
            if (type == ValueType::List && (info.defined || viaStrings))
                return lines();
            break;
        case PropKind::Floats:
            if (type == ValueType::List)
                return numbers();
            break;
        case PropKind::Record:
            break;
        }
        return std::nullopt;
    }

private:
    // Enumerations are stored by name only: an integer is a value of the
    // wrong type, not an ordinal.
    std::optional<PropValue> enumeration(const QStringList &names, ValueType type)
    {
        if (type != ValueType::Ident)
            return std::nullopt;
        if (const std::optional<qint64> ordinal = indexOfName(names, m_in.readShortString()))
            return *ordinal;
        return std::nullopt;
    }

    std::optional<PropValue> set(const QStringList &names)
    {
        qint64 mask = 0;
        for (QString member = m_in.readShortString(); !member.isEmpty();
             member = m_in.readShortString()) {
            const std::optional<qint64> bit = indexOfName(names, member);
            if (!bit || *bit >= 63)
                return std::nullopt;
            mask |= qint64(1) << *bit;
        }
        return mask;
    }

    template<class Lookup, class FromInteger>
    std::optional<PropValue> named(ValueType type, Lookup lookup, FromInteger fromInteger)
    {
        if (type == ValueType::Ident) {
            if (const std::optional<qint64> value = lookup(m_in.readShortString()))
                return *value;
        } else if (StreamFormat::isInteger(type)) {
            return fromInteger(m_in.readIntegerPayload(type));
        }
        return std::nullopt;
    }

    std::optional<long double> floatOf(ValueType type)
    {
        if (type == ValueType::Extended)
            return m_in.readExtendedPayload();
        if (StreamFormat::isInteger(type))
            return static_cast<long double>(m_in.readIntegerPayload(type));
        return std::nullopt;
    }

    std::optional<PropValue> number(ValueType type)
    {
        if (const std::optional<long double> value = floatOf(type))
            return *value;
        return std::nullopt;
    }

    std::optional<PropValue> lines()
    {
        QStringList result;
        for (ValueType type = m_in.readValueType(); type != ValueType::Null;
             type = m_in.readValueType()) {
            if (!StreamFormat::isText(type))
                return std::nullopt;
            result.append(m_in.readTextPayload(type));
        }
        return result;
    }

    std::optional<PropValue> numbers()
    {
        QList<long double> result;
        for (ValueType type = m_in.readValueType(); type != ValueType::Null;
             type = m_in.readValueType()) {
            const std::optional<long double> value = floatOf(type);
            if (!value)
                return std::nullopt;
            result.append(*value);
        }
        return result;
    }

    StreamInput &m_in;
};

// Reads streams into components, reporting recoverable errors to the hooks.
class ObjectReader
{
public:
    ObjectReader(QByteArrayView data, ComponentOwner &owner, const ClassRegistry &registry,
                 const ReaderHooks &hooks)
        : m_in(data), m_owner(owner), m_registry(registry), m_hooks(hooks)
    {
    }

    QList<QWidget *> readStreams(QWidget *parent)
    {
        QList<QPointer<QWidget>> topLevel;
        try {
            while (!m_in.atEndOfList()) {
                m_in.readSignature();
                if (QWidget *component = readObject(parent, 0))
                    topLevel.append(component);
            }
        } catch (...) {
            notifyLoaded();
            deliverPolishRequests();
            throw;
        }
        notifyLoaded();
        deliverPolishRequests();
        QList<QWidget *> result;
        for (const QPointer<QWidget> &component : std::as_const(topLevel)) {
            if (component)
                result.append(component);
        }
        return result;
    }

private:
    struct Loaded
    {
        QPointer<QWidget> component;
        const ClassInfo *info;
    };

    QWidget *readObject(QWidget *parent, int depth)
    {
        StreamInput::checkDepth(depth);
        const StreamObjectHeader header = m_in.readObjectHeader();
        const ClassInfo *info = m_registry.byName(header.className);
        if (!info) {
            m_in.skipObjectBody(depth);
            reportError(QStringLiteral("Class %1 not found").arg(header.className));
            return nullptr;
        }
        QWidget *component = createComponent(*info, parent, header);
        if (!component) {
            m_in.skipObjectBody(depth);
            return nullptr;
        }
        try {
            readProperties(component, *info);
            while (!m_in.atEndOfList())
                readObject(component, depth + 1);
        } catch (...) {
            delete component;
            throw;
        }
        m_loaded.append({component, info});
        return component;
    }

    // A component made, placed and named; nothing (and the error offered to
    // the hook) when naming fails.
    QWidget *createComponent(const ClassInfo &info, QWidget *parent,
                             const StreamObjectHeader &header)
    {
        QWidget *component = info.create(&m_owner, parent);
        if (info.beginLoading)
            info.beginLoading(component);
        if (header.position)
            placeAmongSiblings(component, *header.position);
        QString name = header.name;
        try {
            if (m_hooks.onSetName)
                name = m_hooks.onSetName(component, header.name);
        } catch (const StreamError &error) {
            delete component;
            reportError(error.message());
            return nullptr;
        }
        if (auto *control = qobject_cast<ReportControl *>(component))
            control->setName(name);
        else
            component->setObjectName(name);
        if (component->parentWidget())
            component->show();
        return component;
    }

    static void placeAmongSiblings(QWidget *component, qint64 position)
    {
        QWidget *parent = component->parentWidget();
        if (!parent || position < 0)
            return;
        QList<QWidget *> siblings;
        for (QObject *child : parent->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (widget && widget != component)
                siblings.append(widget);
        }
        if (position < siblings.size())
            component->stackUnder(siblings.at(position));
    }

    void readProperties(QWidget *component, const ClassInfo &info)
    {
        while (!m_in.atEndOfList())
            readProperty(component, info);
    }

    void readProperty(QWidget *component, const ClassInfo &info)
    {
        const QString path = m_in.readShortString();
        const qsizetype valueStart = m_in.position();
        const PathTarget target = resolvePath(*info.properties, path);
        QString failure = target.failure;
        if (failure.isEmpty() && target.property->kind == PropKind::Record)
            failure = InvalidValue;
        else if (failure.isEmpty() && target.property->isReadOnly())
            failure = ReadOnly;
        if (failure.isEmpty()) {
            if (const std::optional<PropValue> value =
                    ValueParser(m_in).parse(*target.property, target.viaStrings)) {
                target.property->set(component, *value);
                return;
            }
            failure = InvalidValue;
        }
        m_in.seek(valueStart);
        m_in.skipValue();
        const QString name =
            component->objectName().isEmpty() ? info.name : component->objectName();
        reportError(QStringLiteral("Error reading %1.%2: %3").arg(name, path, failure));
    }

    void reportError(const QString &message)
    {
        if (m_hooks.onError && !m_hooks.onError(message))
            throw StreamError(message);
    }

    // Children come before their parents in the list, so a parent's
    // notification sees its children complete.
    void notifyLoaded()
    {
        const QList<Loaded> loaded = std::exchange(m_loaded, {});
        for (const Loaded &entry : loaded) {
            if (entry.component && entry.info->loaded)
                entry.info->loaded(entry.component);
        }
    }

    // Every widget made posts itself a polish request. Deleting a widget
    // whose request is still queued searches the whole queue, so tearing
    // down a large design before the event loop ran again (as the command
    // line does) would take time growing with the square of its size.
    static void deliverPolishRequests()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::PolishRequest);
    }

    StreamInput m_in;
    ComponentOwner &m_owner;
    const ClassRegistry &m_registry;
    const ReaderHooks &m_hooks;
    QList<Loaded> m_loaded;
};

// The properties of a stream of one component on its own, by path, each
// with the bytes of its value.
struct StoredProperty
{
    QString path;
    qsizetype start;
    QByteArrayView value;
};

struct StoredComponent
{
    StreamObjectHeader header;
    QList<StoredProperty> properties;
};

StoredComponent storedProperties(QByteArrayView data)
{
    StreamInput in(data);
    in.readSignature();
    StoredComponent stored{in.readObjectHeader(), {}};
    while (!in.atEndOfList()) {
        QString path = in.readShortString();
        const qsizetype start = in.position();
        in.skipValue();
        stored.properties.append(
            {std::move(path), start, data.sliced(start, in.position() - start)});
    }
    return stored;
}

// Puts the stored values of one component back onto it, changing only
// what differs, so that a live control keeps its place, children and
// covers.
class PropertyRestorer
{
public:
    PropertyRestorer(QWidget *component, const ClassRegistry &registry)
        : m_component(component), m_info(registry.of(component))
    {
    }

    void restore(QByteArrayView currentData, QByteArrayView wantedData)
    {
        if (!m_info)
            throw StreamError(
                QStringLiteral("Class %1 cannot be read")
                    .arg(QString::fromLatin1(m_component->metaObject()->className())));
        const StoredComponent current = storedProperties(currentData);
        const StoredComponent wanted = storedProperties(wantedData);
        QHash<QString, QByteArrayView> wantedValues;
        for (const StoredProperty &property : wanted.properties)
            wantedValues.insert(property.path, property.value);
        QHash<QString, QByteArrayView> currentValues;
        for (const StoredProperty &property : current.properties) {
            currentValues.insert(property.path, property.value);
            if (!wantedValues.contains(property.path))
                resetToFresh(property.path);
        }
        StreamInput in(wantedData);
        for (const StoredProperty &property : wanted.properties) {
            if (currentValues.value(property.path) == property.value)
                continue;
            const PathTarget target = resolvePath(*m_info->properties, property.path);
            if (!target.property || target.property->isReadOnly())
                continue;
            in.seek(property.start);
            if (const std::optional<PropValue> value =
                    ValueParser(in).parse(*target.property, target.viaStrings))
                target.property->set(m_component, *value);
        }
        if (current.header.name != wanted.header.name) {
            if (auto *control = qobject_cast<ReportControl *>(m_component))
                control->setName(wanted.header.name);
            else
                m_component->setObjectName(wanted.header.name);
        }
    }

private:
    // A value no longer stored is the default of the class: a fresh
    // component, made only when needed, holds it.
    void resetToFresh(const QString &path)
    {
        const PathTarget target = resolvePath(*m_info->properties, path);
        if (!target.property || target.property->isReadOnly())
            return;
        if (!m_fresh) {
            m_fresh.reset(m_info->create(&m_freshOwner, nullptr));
            if (!m_fresh)
                return;
        }
        target.property->set(m_component, target.property->get(m_fresh.get()));
    }

    QWidget *m_component;
    const ClassInfo *m_info;
    ComponentOwner m_freshOwner;
    std::unique_ptr<QWidget> m_fresh;
};

} // namespace

namespace ObjectStream {

void restoreAlone(QWidget *component, const QByteArray &current, const QByteArray &wanted,
                  const ClassRegistry &registry)
{
    PropertyRestorer(component, registry).restore(current, wanted);
}

QList<QWidget *> readStreams(const QByteArray &data, ComponentOwner &owner, QWidget *parent,
                             const ClassRegistry &registry, const ReaderHooks &hooks)
{
    return ObjectReader(data, owner, registry, hooks).readStreams(parent);
}

} // namespace ObjectStream
