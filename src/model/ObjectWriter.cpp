#include "model/ObjectStream.h"

#include "model/ComponentState.h"

#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/NamedValues.h"
#include "model/StreamOutput.h"

#include <QWidget>

using namespace PropertyValues;

namespace {

// Writes objects with their published properties and the children that
// the root owns.
class ObjectWriter
{
public:
    // Without a root the objects are written without their children.
    ObjectWriter(QByteArray &buffer, const ComponentOwner *root, const ClassRegistry &registry)
        : m_out(buffer), m_root(root), m_registry(registry)
    {
    }

    void writeStream(const QWidget *component)
    {
        m_out.writeSignature();
        writeObject(component);
    }

private:
    void writeObject(const QWidget *component)
    {
        const ClassInfo *info = m_registry.of(component);
        if (!info) {
            throw StreamError(QStringLiteral("Class %1 cannot be written")
                                  .arg(QString::fromLatin1(component->metaObject()->className())));
        }
        m_out.writeShortString(info->name);
        m_out.writeShortString(component->objectName());
        writeProperties(*info->properties, component, QString());
        m_out.writeEndOfList();
        if (m_root) {
            for (const QWidget *child : orderedChildren(component, m_registry)) {
                if (m_root->ownsComponent(child))
                    writeObject(child);
            }
        }
        m_out.writeEndOfList();
    }

    void writeProperties(const PropertyTable &table, const QObject *object, const QString &prefix)
    {
        for (const PropertyInfo &info : table)
            writeProperty(info, object, prefix + info.name);
    }

    static bool isDefault(const PropertyInfo &info, qint64 value)
    {
        return info.defaultValue && *info.defaultValue == value;
    }

    void writeProperty(const PropertyInfo &info, const QObject *object, const QString &path)
    {
        if (info.stored && !info.stored(object))
            return;
        if (info.kind == PropKind::Record) {
            writeProperties(info.members, object, path + u'.');
            return;
        }
        const PropValue value = info.get(object);
        switch (info.kind) {
        case PropKind::Integer:
        case PropKind::Enumeration:
        case PropKind::Set:
        case PropKind::Colour:
        case PropKind::Charset: {
            const qint64 number = toInt(value);
            if (isDefault(info, number))
                return;
            m_out.writeShortString(path);
            writeOrdinal(info, number);
            return;
        }
        case PropKind::Boolean: {
            const bool flag = toBool(value);
            if (isDefault(info, flag))
                return;
            m_out.writeShortString(path);
            m_out.writeBoolean(flag);
            return;
        }
        case PropKind::Float: {
            const long double number = toFloat(value);
            if (number == 0)
                return;
            m_out.writeShortString(path);
            m_out.writeExtended(number);
            return;
        }
        case PropKind::Text: {
            const QString text = toText(value);
            if (text.isEmpty())
                return;
            m_out.writeShortString(path);
            m_out.writeText(text);
            return;
        }
        case PropKind::Strings: {
            const QStringList lines = toStrings(value);
            if (!info.defined && lines.isEmpty())
                return;
            m_out.writeShortString(info.defined ? path : path + QStringLiteral(".Strings"));
            m_out.writeStrings(lines);
            return;
        }
        case PropKind::Floats:
            m_out.writeShortString(path);
            m_out.writeFloats(toFloats(value));
            return;
        case PropKind::Record:
            return;
        }
    }

    // Ordinal kinds are written by name where they have one.
    void writeOrdinal(const PropertyInfo &info, qint64 value)
    {
        std::optional<QString> name;
        switch (info.kind) {
        case PropKind::Enumeration:
            if (value >= 0 && value < info.names.size())
                name = info.names.at(value);
            break;
        case PropKind::Set:
            m_out.writeSet(setMembers(info.names, value));
            return;
        case PropKind::Colour:
            name = NamedValues::colourName(value);
            // Colours are 32-bit: system colours are negative integers in a stream.
            value = qint32(quint32(value));
            break;
        case PropKind::Charset:
            name = NamedValues::charsetName(value);
            break;
        default:
            break;
        }
        if (name)
            m_out.writeIdentifier(*name);
        else
            m_out.writeInteger(value);
    }

    static QStringList setMembers(const QStringList &names, qint64 mask)
    {
        QStringList members;
        for (int bit = 0; bit < names.size() && bit < 63; ++bit) {
            if (mask & (qint64(1) << bit))
                members.append(names.at(bit));
        }
        return members;
    }

    StreamOutput m_out;
    const ComponentOwner *m_root;
    const ClassRegistry &m_registry;
};

} // namespace

namespace ObjectStream {

QByteArray writeComponent(const QWidget *component, const ComponentOwner &root,
                          const ClassRegistry &registry)
{
    QByteArray buffer;
    ObjectWriter(buffer, &root, registry).writeStream(component);
    return buffer;
}

QByteArray writeAlone(const QWidget *component, const ClassRegistry &registry)
{
    QByteArray buffer;
    ObjectWriter(buffer, nullptr, registry).writeStream(component);
    return buffer;
}

QByteArray writeBlock(const QList<QWidget *> &components, const ComponentOwner &root,
                      const ClassRegistry &registry)
{
    QByteArray buffer;
    ObjectWriter writer(buffer, &root, registry);
    for (const QWidget *component : components)
        writer.writeStream(component);
    StreamOutput(buffer).writeEndOfList();
    return buffer;
}

} // namespace ObjectStream
