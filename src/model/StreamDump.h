#pragma once

#include <QByteArrayView>
#include <QString>

class QTextStream;

// A readable text of the streams of a stage file (or a block): one block
// per object, "object Name: Class" with its properties one per line and its
// children indented within, each closed by "end". The raw stream is read
// without making components, so objects of any class show. Throws
// StreamError, with the byte offset, on damaged input.
namespace StreamDump {

// Indentation stops growing this many levels deep, so that the text stays
// within a fixed multiple of the data's size however deeply it nests.
inline constexpr int MaxIndent = 16;

// Writes the text line by line as the data is read: nothing of it is held
// in memory. Stops at the first line out fails to take; out's status then
// says so. On damaged input the lines before the damage have been written.
void dumpStageFile(QByteArrayView data, QTextStream &out);
// The whole text at once.
QString dumpStageFile(QByteArrayView data);

} // namespace StreamDump
