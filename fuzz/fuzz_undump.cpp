// Feeds arbitrary text to the reader of the text "--dump" writes, which
// "--undump" uses. Text that is no dump must fail with StreamError, never
// crash or read out of bounds; what it reads must be a stream the dump
// reads, whose text gives the very same bytes again.

#include "model/ObjectStream.h"
#include "model/StreamDump.h"
#include "model/StreamUndump.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void stop(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray bytes;
    try {
        bytes = StreamUndump::stageFile(text);
    } catch (const StreamError &) {
        return 0;
    }
    QString dumped;
    QByteArray again;
    try {
        dumped = StreamDump::dumpStageFile(bytes);
        again = StreamUndump::stageFile(dumped);
    } catch (const StreamError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        stop("what undump wrote does not go round the dump");
    }
    if (again != bytes)
        stop("the dump of what undump wrote reads back as other bytes");
    if (StreamDump::dumpStageFile(again) != dumped)
        stop("the dump of the same bytes differs");
    return 0;
}
