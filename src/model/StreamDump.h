#pragma once

#include <QByteArrayView>
#include <QString>

// A readable text of the streams of a stage file (or a block): one block
// per object, "object Name: Class" with its properties one per line and its
// children indented within, each closed by "end". The raw stream is read
// without making components, so objects of any class show. Throws
// StreamError, with the byte offset, on damaged input.
namespace StreamDump {

QString dumpStageFile(QByteArrayView data);

} // namespace StreamDump
