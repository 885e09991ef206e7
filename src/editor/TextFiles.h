#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// Text files the program reads (settings, word lists, Report-Writer
// sources) come from this program in UTF-8 or from older tools in
// Windows-1250; both read back as they were written.
namespace TextFiles {

// Valid UTF-8 sequences decode as UTF-8; every other byte as Windows-1250.
// A leading UTF-8 byte order mark is dropped.
QString decode(QByteArrayView bytes);

// The lines of a text, each without its LF or CR LF; a last line ending
// in LF adds no empty line.
QStringList splitLines(const QString &text);

// The lines of a file, each without its LF or CR LF; nothing when the file
// cannot be read or is no file InputFile reads.
std::optional<QStringList> readLines(const QString &fileName);

} // namespace TextFiles
