// "--dump" of 1 MB and 8 MB of streams: the worked example's design over and
// over, and lists nested as deep as the reader allows, each level a byte or
// two. Times, how they grow from 1 MB to 8 MB (linear is a ratio of about
// 8), how much text each byte gives, and how much memory the dump takes
// beyond its input: it writes as it goes, so that stays near nothing.

#include "model/StreamDump.h"
#include "model/StreamFormat.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
    return 0;
}
