#include "model/StreamOutput.h"

#include "model/Cp1250.h"
#include "model/Extended80.h"
#include "model/ObjectStream.h"

#include <limits>

using StreamFormat::ValueType;

void StreamOutput::writeSignature()
{
    m_buffer.append(ObjectStream::Signature);
}

void StreamOutput::writeLittleEndian(quint64 value, int size)
{
    for (int i = 0; i < size; ++i)
        writeByte(quint8(value >> (8 * i)));
}

void StreamOutput::writeShortString(QStringView text)
{
    const QByteArray bytes = Cp1250::encodeLossy(text).left(255);
    writeByte(quint8(bytes.size()));
    m_buffer.append(bytes);
}

void StreamOutput::writeInteger(qint64 value)
{
    const auto fits = [value](auto type) {
        using Limits = std::numeric_limits<decltype(type)>;
        return value >= Limits::min() && value <= Limits::max();
    };
    if (fits(qint8())) {
        writeValueType(ValueType::Int8);
        writeLittleEndian(quint64(value), 1);
    } else if (fits(qint16())) {
        writeValueType(ValueType::Int16);
        writeLittleEndian(quint64(value), 2);
    } else if (fits(qint32())) {
        writeValueType(ValueType::Int32);
        writeLittleEndian(quint64(value), 4);
    } else {
        writeValueType(ValueType::Int64);
        writeLittleEndian(quint64(value), 8);
    }
}

void StreamOutput::writeExtended(long double value)
{
    writeValueType(ValueType::Extended);
    const Extended80::Bytes bytes = Extended80::encode(value);
    m_buffer.append(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

void StreamOutput::writeBoolean(bool value)
{
    writeValueType(value ? ValueType::True : ValueType::False);
}

void StreamOutput::writeText(QStringView text)
{
    const std::optional<QByteArray> bytes = Cp1250::encode(text);
    if (!bytes) {
        writeValueType(ValueType::WString);
        writeLittleEndian(quint64(text.size()), 4);
        for (const QChar character : text)
            writeLittleEndian(character.unicode(), 2);
        return;
    }
    if (bytes->size() < 256) {
        writeValueType(ValueType::String);
        writeByte(quint8(bytes->size()));
    } else {
        writeValueType(ValueType::LString);
        writeLittleEndian(quint64(bytes->size()), 4);
    }
    m_buffer.append(*bytes);
}

void StreamOutput::writeIdentifier(QStringView name)
{
    static const struct
    {
        const char16_t *name;
        ValueType type;
    } special[] = {
        {u"False", ValueType::False},
        {u"True", ValueType::True},
        {u"nil", ValueType::Nil},
        {u"Null", ValueType::Null},
    };
    for (const auto &entry : special) {
        if (name.compare(QStringView(entry.name), Qt::CaseInsensitive) == 0) {
            writeValueType(entry.type);
            return;
        }
    }
    writeValueType(ValueType::Ident);
    writeShortString(name);
}

void StreamOutput::writeSet(const QStringList &members)
{
    writeValueType(ValueType::Set);
    for (const QString &member : members)
        writeShortString(member);
    writeShortString(QString());
}

void StreamOutput::writeStrings(const QStringList &lines)
{
    writeValueType(ValueType::List);
    for (const QString &line : lines)
        writeText(line);
    writeEndOfList();
}

void StreamOutput::writeFloats(const QList<long double> &values)
{
    writeValueType(ValueType::List);
    for (const long double value : values)
        writeExtended(value);
    writeEndOfList();
}
