#include "editor/TextFiles.h"

#include "model/Cp1250.h"
#include "model/InputFile.h"

#include <QStringDecoder>

namespace TextFiles {
namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence of more than one byte that
// starts at index, or 0 (overlong forms and surrogates are not well-formed).
qsizetype multiByteLength(QByteArrayView bytes, qsizetype index)
{
    const auto at = [&](qsizetype offset) {
        return static_cast<unsigned char>(bytes[index + offset]);
    };
    const unsigned char lead = at(0);
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (index + length > bytes.size() || at(1) < low || at(1) > high)
        return 0;
    for (qsizetype offset = 2; offset < length; ++offset) {
        if (!isContinuation(at(offset)))
            return 0;
    }
    return length;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    // Qt's UTF-8 decoder drops a byte order mark at the start of what it is
    // given, and a run may start anywhere: past the file's own mark, a
    // U+FEFF is text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    const auto run = [&](qsizetype start, qsizetype end) -> QString {
        return utf8.decode(bytes.sliced(start, end - start));
    };
    QString text;
    text.reserve(bytes.size());
    qsizetype runStart = 0; // start of the pending run of valid UTF-8
    qsizetype index = 0;
    while (index < bytes.size()) {
        if (static_cast<unsigned char>(bytes[index]) < 0x80) {
            ++index;
            continue;
        }
        if (const qsizetype length = multiByteLength(bytes, index)) {
            index += length;
            continue;
        }
        text += run(runStart, index);
        text += Cp1250::decode(bytes.sliced(index, 1));
        runStart = ++index;
    }
    text += run(runStart, bytes.size());
    return text;
}

QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    // What follows the last LF is a line unless it is empty; no LF ends it,
    // so a CR at its end is its own.
    const QString last = lines.takeLast();
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!last.isEmpty())
        lines.append(last);
    return lines;
}

std::optional<QStringList> readLines(const QString &fileName)
{
    const std::optional<QByteArray> bytes = InputFile::read(fileName);
    if (!bytes)
        return std::nullopt;
    return splitLines(decode(*bytes));
}

} // namespace TextFiles
