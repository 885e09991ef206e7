// Feeds arbitrary bytes to the raw object-stream parse that "--dump" uses,
// which reads the streams without making a component, and to the skipping
// walk the component reader takes past an object of unknown class. Both
// must fail with StreamError on damaged input, never crash or read out of
// bounds; and the walk, which checks less than the dump, must accept every
// input the dump accepts.

#include "model/ObjectStream.h"
#include "model/StreamDump.h"
#include "model/StreamInput.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

bool dumps(QByteArrayView bytes)
{
    try {
        StreamDump::dumpStageFile(bytes);
        return true;
    } catch (const StreamError &) {
        return false;
    }
}

bool skips(QByteArrayView bytes)
{
    StreamInput in(bytes);
    try {
        while (!in.atEndOfList()) {
            in.readSignature();
            in.skipObject(0);
        }
        return true;
    } catch (const StreamError &) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const bool dumped = dumps(bytes);
    const bool skipped = skips(bytes);
    if (dumped && !skipped) {
        std::fprintf(stderr, "the dump reads streams that skipping refuses\n");
        std::abort();
    }
    return 0;
}
