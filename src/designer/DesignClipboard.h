#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The design surface's clipboard format: a 4-byte little-endian byte count
// followed by that many bytes of an object-stream block.
namespace DesignClipboard {

inline const QString Format = QStringLiteral("Dsn_ClipboardFormat");

QByteArray pack(const QByteArray &block);
// The block held in data, or nothing when data is too short to hold a
// count. A count beyond the end of data gives the bytes there are.
std::optional<QByteArray> unpack(const QByteArray &data);

bool offersFormat();
void put(const QByteArray &block);
// The block on the clipboard, or nothing without data of the format.
std::optional<QByteArray> take();

} // namespace DesignClipboard
