#pragma once

#include <QByteArray>
#include <QStringView>

// The stage file whose text StreamDump wrote: dump, then undump, gives the
// file back byte for byte, and undump, then dump, the same text. The
// indentation is not read (the dump stops indenting deep levels) and blank
// lines are passed over. Throws StreamError "Line L, column C: what is
// wrong" on text that is no dump.
namespace StreamUndump {

QByteArray stageFile(QStringView text);

} // namespace StreamUndump
