// Feeds arbitrary bytes to the object-stream reader and the dump printer, as
// a damaged design file would: they must fail with an error, never crash,
// overflow or allocate beyond the input.

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"
#include "model/StreamDump.h"

#include <QApplication>
#include <QWidget>

#include <cstdint>
#include <cstdlib>

namespace {

QApplication &application()
{
    static int argc = 1;
    static char name[] = "fuzz_stream";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    application();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        ComponentOwner owner;
        QWidget stage;
        try {
            ObjectStream::readStreams(bytes, owner, &stage, reportClasses());
        } catch (const StreamError &) {
        }
    }
    // Deliver what the widgets posted, as the event loop would between two
    // user operations; otherwise the queue grows with every input.
    QCoreApplication::sendPostedEvents();
    try {
        StreamDump::dumpStageFile(bytes);
    } catch (const StreamError &) {
    }
    return 0;
}
