#pragma once

#include <QtGlobal>

// The building blocks of the binary object stream: the type byte in front
// of every value, the object prefix and the limits a reader keeps.
namespace StreamFormat {

enum class ValueType : quint8 {
    Null, // end of a property list, child list, list value or collection
    List,
    Int8,
    Int16,
    Int32,
    Extended, // 80-bit float
    String,   // length byte, 8-bit text
    Ident,
    False,
    True,
    Binary,
    Set,
    LString, // 4-byte length, 8-bit text
    Nil,
    Collection,
    Single,
    Currency,
    Date,
    WString, // 4-byte count, UTF-16LE
    Int64,
};

inline constexpr quint8 LastValueType = quint8(ValueType::Int64);

// A byte from PrefixMin up in front of an object carries flags in its low bits.
inline constexpr quint8 PrefixMin = 0xF0;
enum PrefixFlag { Inherited = 1, ChildPosition = 2, Inline = 4 };

// Deeper nesting of objects or values is refused, so that no input can
// exhaust the stack of a reader.
inline constexpr int MaxDepth = 256;

inline constexpr char ReadError[] = "Stream read error";
inline constexpr char FormatError[] = "Invalid stream format";
inline constexpr char DepthError[] = "Stream nested too deeply";

constexpr bool isInteger(ValueType type)
{
    return type == ValueType::Int8 || type == ValueType::Int16 || type == ValueType::Int32
           || type == ValueType::Int64;
}

constexpr bool isText(ValueType type)
{
    return type == ValueType::String || type == ValueType::LString || type == ValueType::WString;
}

} // namespace StreamFormat
