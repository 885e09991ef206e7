#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Every file the program reads (designs, text files, settings, word lists)
// is read whole through this. Only a regular file of at most MaxSize bytes
// is read: a FIFO would block the program until some writer came, a device
// such as /dev/zero never ends, and a huge file would be taken into memory
// before anything could refuse it.
namespace InputFile {

// Far beyond any design, text or settings file a person makes.
inline constexpr qint64 MaxSize = qint64(256) * 1024 * 1024;

// The file's bytes, or nothing, and why not in *error, when it cannot be
// opened, is no regular file, is larger than MaxSize or cannot be read.
// Never waits on a FIFO.
std::optional<QByteArray> read(const QString &fileName, QString *error = nullptr);

} // namespace InputFile
