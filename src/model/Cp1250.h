#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Windows-1250, the 8-bit code page of the texts in object streams. The
// five bytes the code page leaves undefined map to the C1 controls of the
// same value, so every byte string decodes and encodes back unchanged.
namespace Cp1250 {

QString decode(QByteArrayView bytes);
// The text in Windows-1250, or nothing when a character has no byte there.
std::optional<QByteArray> encode(QStringView text);
// The text in Windows-1250 with '?' for every character it cannot hold.
QByteArray encodeLossy(QStringView text);

} // namespace Cp1250
