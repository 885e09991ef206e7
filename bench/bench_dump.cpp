// "--dump" of 1 MB and 8 MB of streams: the worked example's design over and
// over, and lists nested as deep as the reader allows, each level a byte or
// two. Times, how they grow from 1 MB to 8 MB (linear is a ratio of about
// 8), how much text each byte gives, and how much memory the dump takes
// beyond its input: it writes as it goes, so that stays near nothing.
//
// Then "--undump" of designs with 1,000 and 10,000 text items: reading the
// text and writing the design file, against loading that file into a
// window's components; undump should take no longer than the load.

#include "BenchDesign.h"
#include "BestOf.h"

#include "model/FileReplacement.h"
#include "model/ObjectStream.h"
#include "model/StreamDump.h"
#include "model/StreamFormat.h"
#include "model/StreamUndump.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr qsizetype Megabyte = 1024 * 1024;

// Takes the text and keeps only its size, as a pipe to another program
// would.
class CountingDevice : public QIODevice
{
public:
    CountingDevice() { open(QIODevice::WriteOnly); }
    qint64 count() const { return m_count; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        m_count += length;
        return length;
    }

private:
    qint64 m_count = 0;
};

QByteArray shortString(const QByteArray &text)
{
    return char(text.size()) + text;
}

// The example's one stream, repeated to about size bytes, as a stage file.
QByteArray repeatedDesign(qsizetype size)
{
    QFile file(QStringLiteral(KESTROVA_EXAMPLE_DESIGN));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray stream = file.readAll();
    stream.chop(1); // the end byte of the stage file
    QByteArray data;
    while (data.size() < size)
        data += stream;
    return data + '\0';
}

// One property whose list nests as deep as the reader allows and holds
// empty lists there, two bytes each.
QByteArray deepLists(qsizetype size)
{
    const int depth = StreamFormat::MaxDepth - 4;
    QByteArray data = "TPF0" + shortString("TmText") + shortString("") + shortString("Deep");
    data += QByteArray(depth, '\x01');
    while (data.size() < size)
        data += QByteArrayLiteral("\x01\x00");
    return data + QByteArray(depth + 3, '\0');
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Figures
{
    double milliseconds = 0;
    qint64 textBytes = 0;
    long extraKilobytes = 0;
};

Figures dump(const QByteArray &data)
{
    CountingDevice sink;
    QTextStream out(&sink);
    const long before = peakKilobytes();
    QElapsedTimer timer;
    timer.start();
    StreamDump::dumpStageFile(data, out);
    out.flush();
    return {timer.nsecsElapsed() / 1e6, sink.count(), peakKilobytes() - before};
}

void row(const char *name, const QByteArray &small, const QByteArray &large)
{
    const Figures a = dump(small);
    const Figures b = dump(large);
    std::printf("%-14s %9.1f ms %9.1f ms %7.2f %8.1f %8.1f %9ld KiB\n", name, a.milliseconds,
                b.milliseconds, b.milliseconds / a.milliseconds, double(a.textBytes) / small.size(),
                double(b.textBytes) / large.size(), std::max(a.extraKilobytes, b.extraKilobytes));
}

// Undump of a design's text, written to a file, and the load of that file.
void undumpRow(int items, const QString &folder)
{
    const QString file = folder + QStringLiteral("/undump%1.kfx").arg(items);
    {
        const auto design = buildBenchDesign(items, 100);
        ObjectStream::saveStageFile(design->stage.get(), file, *design, reportClasses());
    }
    QFile saved(file);
    if (!saved.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = saved.readAll();
    const QString text = StreamDump::dumpStageFile(bytes);
    const QString written = folder + QStringLiteral("/undone%1.kfx").arg(items);
    const double undump = bestOf(5, [&] {
        if (!FileReplacement::replace(written, StreamUndump::stageFile(text)))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(written));
    });
    std::unique_ptr<BenchDesign> loaded;
    const double load = bestOf(
        5,
        [&] {
            loaded = std::make_unique<BenchDesign>();
            ObjectStream::loadStageFile(loaded->stage.get(), written, *loaded, reportClasses());
        },
        [&] { loaded.reset(); });
    std::printf("%6d items %9.1f ms %9.1f ms %7.2f %9lld B %9lld B\n", items, undump, load,
                load / undump, static_cast<long long>(text.toUtf8().size()),
                static_cast<long long>(bytes.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray designSmall = repeatedDesign(Megabyte);
    const QByteArray designLarge = repeatedDesign(8 * Megabyte);
    const QByteArray deepSmall = deepLists(Megabyte);
    const QByteArray deepLarge = deepLists(8 * Megabyte);
    if (designSmall.isEmpty()) {
        std::fprintf(stderr, "cannot read %s\n", KESTROVA_EXAMPLE_DESIGN);
        return 1;
    }

    std::printf("%-14s %12s %12s %7s %8s %8s %13s\n", "", "1 MB", "8 MB", "ratio", "text/B",
                "text/B", "extra memory");
    row("designs", designSmall, designLarge);
    row("deep lists", deepSmall, deepLarge);

    QTemporaryDir folder;
    std::printf("\n%-12s %12s %12s %7s %11s %11s\n", "", "undump", "load", "load/u", "text",
                "design");
    undumpRow(1000, folder.path());
    undumpRow(10000, folder.path());
    return 0;
}
