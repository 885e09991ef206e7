#pragma once

#include <QByteArrayView>
#include <QString>

class QTextStream;

// A readable text of the streams of a stage file (or a block): one block
// per object, "object Name: Class" with its properties one per line and its
// children indented within, each closed by "end". The raw stream is read
// without making components, so objects of any class show. Throws
// StreamError, with the byte offset, on damaged input.
//
// The text says everything the bytes do, so that StreamUndump gives them
// back: a float always shows a decimal point, an exponent, "inf" or "nan";
// a value stored otherwise than the writer stores it names its type before
// it ("Int32 5", "LString \"x\"", "Single 1.5", "Currency 2.5000",
// "Extended {hex}" for bits no number gives back); a name or identifier
// that is no plain word is quoted like a text.
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

// A word that shows without quotes: a letter or '_', then letters, digits,
// '_' and '.', all ASCII.
bool isPlainName(QStringView text);

} // namespace StreamDump
