// Decodes arbitrary bytes as an imported text file (UTF-8 where it is
// well-formed, Windows-1250 elsewhere), splits the text into lines and
// converts to and from Windows-1250, checking what must hold for any input:
// - a text saved in UTF-8 by the program reads back as it was;
// - every well-formed UTF-8 sequence reads as UTF-8 and every other byte
//   as Windows-1250 (checked against a decoding built on Qt's own);
// - every byte string decodes from Windows-1250 and encodes back unchanged;
// - lines end at LF or CR LF, and nowhere else.

#include "editor/TextFiles.h"
#include "model/Cp1250.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

const QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

bool hasLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

// One UTF-8 sequence of two to four bytes, as Qt's strict decoder reads
// it: the slice must encode back unchanged as exactly one code point.
std::optional<QString> utf8Character(QByteArrayView piece)
{
    if (piece == ByteOrderMark)
        return QString(QChar(0xFEFF)); // Qt drops it at the start of a text
    const QString decoded = QString::fromUtf8(piece);
    const bool oneCodePoint =
        decoded.size() == 1 || (decoded.size() == 2 && decoded[0].isHighSurrogate());
    if (oneCodePoint && decoded.toUtf8() == piece)
        return decoded;
    return std::nullopt;
}

// The decoding the header of TextFiles describes, worked out apart from
// its code, one byte or sequence at a time.
QString expectedText(QByteArrayView bytes)
{
    if (bytes.startsWith(ByteOrderMark))
        bytes = bytes.sliced(3);
    QString text;
    for (qsizetype index = 0; index < bytes.size();) {
        if (quint8(bytes[index]) < 0x80) {
            text += QChar(char16_t(bytes[index++]));
            continue;
        }
        std::optional<QString> character;
        qsizetype length = 0;
        for (qsizetype candidate = 2; candidate <= 4 && index + candidate <= bytes.size();
             ++candidate) {
            character = utf8Character(bytes.sliced(index, candidate));
            length = candidate;
            if (character)
                break;
        }
        if (character) {
            text += *character;
            index += length;
        } else {
            text += Cp1250::decode(bytes.sliced(index++, 1));
        }
    }
    return text;
}

// The lines as the header of TextFiles describes them, worked out apart
// from its code: a line ends at LF or CR LF; a final LF starts no line.
QStringList expectedLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf(u'\n', start);
        if (newline < 0) {
            lines.append(text.mid(start));
            break;
        }
        const qsizetype end = newline > start && text[newline - 1] == u'\r' ? newline - 1 : newline;
        lines.append(text.mid(start, end - start));
        start = newline + 1;
    }
    return lines;
}

void checkDecoding(QByteArrayView bytes)
{
    const QString text = TextFiles::decode(bytes);
    check(text.size() <= bytes.size(), "no byte decodes to more than one UTF-16 unit");
    check(!hasLoneSurrogate(text), "decoded text is well-formed UTF-16");

    check(text == expectedText(bytes), "UTF-8 where well-formed, else Windows-1250");

    // The program writes texts back in UTF-8; only a leading U+FEFF cannot
    // come back, as it is written as the bytes of a byte order mark.
    if (!text.startsWith(QChar(0xFEFF)))
        check(TextFiles::decode(text.toUtf8()) == text, "UTF-8 written reads back");

    check(TextFiles::splitLines(text) == expectedLines(text), "lines end at LF or CR LF");
}

void checkCodePage(QByteArrayView bytes)
{
    const QString text = Cp1250::decode(bytes);
    check(text.size() == bytes.size(), "one character per byte");
    const std::optional<QByteArray> encoded = Cp1250::encode(text);
    check(encoded && *encoded == bytes, "Windows-1250 round trip");
    check(Cp1250::encodeLossy(text) == bytes, "lossless round trip of lossy encoding");

    // The same bytes as UTF-16 text: what encodes must decode back, and a
    // lossy encoding keeps one byte per character.
    QString wide(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(wide.data(), bytes.data(), size_t(wide.size()) * 2);
    if (const std::optional<QByteArray> narrow = Cp1250::encode(wide))
        check(Cp1250::decode(*narrow) == wide, "encoded text decodes back");
    check(Cp1250::encodeLossy(wide).size() == wide.size(), "one byte per character");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    checkDecoding(bytes);
    checkCodePage(bytes);
    return 0;
}
