#pragma once

#include "model/StreamFormat.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Appends the values of an object stream to a byte buffer, each in the
// smallest encoding that holds it.
class StreamOutput
{
public:
    explicit StreamOutput(QByteArray &buffer) : m_buffer(buffer) {}

    void writeSignature();
    void writeByte(quint8 byte) { m_buffer.append(char(byte)); }
    void writeValueType(StreamFormat::ValueType type) { writeByte(quint8(type)); }
    void writeEndOfList() { writeValueType(StreamFormat::ValueType::Null); }
    // A length byte and at most 255 bytes of Windows-1250 text.
    void writeShortString(QStringView text);

    void writeInteger(qint64 value);
    void writeExtended(long double value);
    void writeBoolean(bool value);
    // Types 6 and 12 in Windows-1250, or a wide string when that code page
    // cannot hold the text.
    void writeText(QStringView text);
    // "False", "True", "nil" and "Null" become the values they name.
    void writeIdentifier(QStringView name);
    void writeSet(const QStringList &members);
    void writeStrings(const QStringList &lines);
    void writeFloats(const QList<long double> &values);

private:
    void writeLittleEndian(quint64 value, int size);

    QByteArray &m_buffer;
};
