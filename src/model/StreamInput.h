#pragma once

#include "model/StreamFormat.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

// The head of an object: optional prefix, class name and object name.
struct StreamObjectHeader
{
    bool prefixed = false;          // a prefix byte came first
    int flags = 0;                  // StreamFormat::PrefixFlag bits of the prefix
    std::optional<qint64> position; // the child position of flag ChildPosition
    StreamFormat::ValueType positionType = StreamFormat::ValueType::Int8; // how it was stored
    QString className;
    QString name;
};

// Reads the values of an object stream from bytes held in memory. Every
// length is checked against the bytes that remain before anything is read
// or allocated; running out of bytes throws StreamError(ReadError), a byte
// that cannot start what is expected StreamError(FormatError).
class StreamInput
{
public:
    explicit StreamInput(QByteArrayView data) : m_data(data) {}

    qsizetype position() const { return m_position; }
    void seek(qsizetype position) { m_position = position; }
    qsizetype remaining() const { return m_data.size() - m_position; }

    quint8 peekByte() const;
    quint8 readByte();
    QByteArrayView readBytes(qint64 count);
    // Reads the byte that ends a list when it is next.
    bool atEndOfList();

    void readSignature();
    QString readShortString();
    StreamObjectHeader readObjectHeader();

    StreamFormat::ValueType readValueType();
    // Payloads, after their type byte has been read.
    qint64 readIntegerPayload(StreamFormat::ValueType type);
    long double readExtendedPayload();
    QString readTextPayload(StreamFormat::ValueType type);
    // The 4-byte length of binary data and long strings.
    qint64 readLength();
    // A whole value (type byte and payload) that must be an integer.
    qint64 readInteger();
    // A signed little-endian number of 1, 2, 4 or 8 bytes.
    qint64 readSigned(int size);

    // Passes over a value, an object's properties and children, or a
    // whole object; depth counts the nesting around them.
    void skipValue(int depth = 0);
    void skipObjectBody(int depth);
    void skipObject(int depth);

    static void checkDepth(int depth);

private:
    void skipPayload(StreamFormat::ValueType type, int depth);

    QByteArrayView m_data;
    qsizetype m_position = 0;
};
