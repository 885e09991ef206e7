#include "model/StreamInput.h"

#include "model/Cp1250.h"
#include "model/Extended80.h"
#include "model/ObjectStream.h"

using namespace StreamFormat;

namespace {

[[noreturn]] void fail(const char *reason)
{
    throw StreamError(QString::fromLatin1(reason));
}

} // namespace

void StreamInput::checkDepth(int depth)
{
    if (depth >= MaxDepth)
        fail(DepthError);
}

quint8 StreamInput::peekByte() const
{
    if (remaining() < 1)
        fail(ReadError);
    return quint8(m_data[m_position]);
}

quint8 StreamInput::readByte()
{
    const quint8 byte = peekByte();
    ++m_position;
    return byte;
}

QByteArrayView StreamInput::readBytes(qint64 count)
{
    if (count < 0 || count > remaining())
        fail(ReadError);
    const QByteArrayView bytes = m_data.sliced(m_position, count);
    m_position += count;
    return bytes;
}

bool StreamInput::atEndOfList()
{
    if (peekByte() != quint8(ValueType::Null))
        return false;
    ++m_position;
    return true;
}

qint64 StreamInput::readSigned(int size)
{
    const QByteArrayView bytes = readBytes(size);
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[i]);
    if (size < 8 && (value >> (8 * size - 1)) != 0)
        value |= ~quint64(0) << (8 * size); // sign extension
    return qint64(value);
}

void StreamInput::readSignature()
{
    if (readBytes(ObjectStream::Signature.size()) != ObjectStream::Signature)
        fail(FormatError);
}

QString StreamInput::readShortString()
{
    const quint8 length = readByte();
    return Cp1250::decode(readBytes(length));
}

StreamObjectHeader StreamInput::readObjectHeader()
{
    StreamObjectHeader header;
    if (peekByte() >= PrefixMin) {
        header.prefixed = true;
        header.flags = readByte() & 0x0F;
        if (header.flags & ChildPosition) {
            header.positionType = readValueType();
            header.position = readIntegerPayload(header.positionType);
        }
    }
    header.className = readShortString();
    header.name = readShortString();
    return header;
}

ValueType StreamInput::readValueType()
{
    const quint8 byte = readByte();
    if (byte > LastValueType)
        fail(FormatError);
    return ValueType(byte);
}

qint64 StreamInput::readIntegerPayload(ValueType type)
{
    switch (type) {
    case ValueType::Int8:
        return readSigned(1);
    case ValueType::Int16:
        return readSigned(2);
    case ValueType::Int32:
        return readSigned(4);
    case ValueType::Int64:
        return readSigned(8);
    default:
        fail(FormatError);
    }
}

qint64 StreamInput::readInteger()
{
    return readIntegerPayload(readValueType());
}

long double StreamInput::readExtendedPayload()
{
    return Extended80::decode(reinterpret_cast<const unsigned char *>(readBytes(10).data()));
}

qint64 StreamInput::readLength()
{
    // The length is a signed 32-bit count; readBytes refuses a negative one.
    return readSigned(4);
}

QString StreamInput::readTextPayload(ValueType type)
{
    switch (type) {
    case ValueType::String:
        return Cp1250::decode(readBytes(readByte()));
    case ValueType::LString:
        return Cp1250::decode(readBytes(readLength()));
    case ValueType::WString: {
        const qint64 count = readLength();
        const QByteArrayView bytes = readBytes(count * 2);
        QString text(count, Qt::Uninitialized);
        for (qint64 i = 0; i < count; ++i)
            text[i] = QChar(char16_t(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
        return text;
    }
    default:
        fail(FormatError);
    }
}

void StreamInput::skipValue(int depth)
{
    checkDepth(depth);
    skipPayload(readValueType(), depth);
}

void StreamInput::skipPayload(ValueType type, int depth)
{
    switch (type) {
    case ValueType::Null:
    case ValueType::False:
    case ValueType::True:
    case ValueType::Nil:
        return;
    case ValueType::List:
        while (!atEndOfList())
            skipValue(depth + 1);
        return;
    case ValueType::Int8:
        readBytes(1);
        return;
    case ValueType::Int16:
        readBytes(2);
        return;
    case ValueType::Int32:
    case ValueType::Single:
        readBytes(4);
        return;
    case ValueType::Int64:
    case ValueType::Currency:
    case ValueType::Date:
        readBytes(8);
        return;
    case ValueType::Extended:
        readBytes(10);
        return;
    case ValueType::String:
    case ValueType::Ident:
        readBytes(readByte());
        return;
    case ValueType::Binary:
    case ValueType::LString:
        readBytes(readLength());
        return;
    case ValueType::WString:
        readTextPayload(type);
        return;
    case ValueType::Set:
        for (quint8 length = readByte(); length != 0; length = readByte())
            readBytes(length);
        return;
    case ValueType::Collection:
        while (!atEndOfList()) {
            if (isInteger(ValueType(peekByte())))
                readInteger();
            if (readValueType() != ValueType::List)
                fail(FormatError);
            while (!atEndOfList()) {
                readShortString();
                skipValue(depth + 1);
            }
        }
        return;
    }
    fail(FormatError);
}

void StreamInput::skipObjectBody(int depth)
{
    while (!atEndOfList()) {
        readShortString();
        skipValue(depth + 1);
    }
    while (!atEndOfList())
        skipObject(depth + 1);
}

void StreamInput::skipObject(int depth)
{
    checkDepth(depth);
    readObjectHeader();
    skipObjectBody(depth);
}
