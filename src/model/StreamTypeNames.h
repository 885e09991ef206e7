#pragma once

#include "model/StreamFormat.h"

#include <QString>

#include <optional>

// The names by which the stream's text form names value types, and the
// type a writer gives each value, which the text leaves unsaid.
namespace StreamTypeNames {

// "Int8", "String", "Single" …, as the type is called in the stream format.
QString name(StreamFormat::ValueType type);
std::optional<StreamFormat::ValueType> fromName(QStringView name);

// The smallest integer type that holds value.
StreamFormat::ValueType smallestIntegerType(qint64 value);
// String or LString for a text that Windows-1250 holds (by its length in
// bytes), else WString.
StreamFormat::ValueType textType(const QString &text);
// "False", "True", "nil" and "Null" in any case: words a writer stores as
// values of their own, never as identifiers.
bool isValueWord(QStringView word);

} // namespace StreamTypeNames
