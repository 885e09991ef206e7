#include "model/StreamDump.h"

#include "model/Cp1250.h"
#include "model/Extended80.h"
#include "model/ObjectStream.h"
#include "model/StreamInput.h"
#include "model/StreamTypeNames.h"

#include <QTextStream>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

using StreamFormat::ValueType;

namespace {

// The shortest decimal text that reads back as exactly this number.
template<class Float>
QString exactNumber(Float value)
{
    char text[64];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, result.ptr - text);
}

QString quoted(QStringView text)
{
    QString result = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool pairs =
            QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pairs) {
            result += text.mid(i, 2);
            ++i;
        } else if (c == u'"' || c == u'\\') {
            result += u'\\';
            result += QChar(c);
        } else if (c == u'\r') {
            result += QStringLiteral("\\r");
        } else if (c == u'\n') {
            result += QStringLiteral("\\n");
        } else if (c == u'\t') {
            result += QStringLiteral("\\t");
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0) || QChar::isSurrogate(c)) {
            result += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        } else {
            result += QChar(c);
        }
    }
    return result + u'"';
}

// A name as the text shows it: bare when plain, else quoted.
QString shownName(const QString &name)
{
    return StreamDump::isPlainName(name) ? name : quoted(name);
}

QString hexText(QByteArrayView bytes)
{
    return u'{' + QString::fromLatin1(bytes.toByteArray().toHex().toUpper()) + u'}';
}

// The type a writer gives an integer, and the text of one stored in it:
// another type is named before the number.
QString integerText(ValueType type, qint64 value)
{
    QString number = QString::number(value);
    if (type == StreamTypeNames::smallestIntegerType(value))
        return number;
    return StreamTypeNames::name(type) + u' ' + number;
}

// As many blanks as the deepest indentation takes.
constexpr QLatin1StringView Blanks("                                ");
static_assert(Blanks.size() == StreamDump::MaxIndent * 2);

// Thrown when the text can no longer be written.
struct OutputFailed
{};

class Dumper
{
public:
    Dumper(QByteArrayView data, QTextStream &out) : m_in(data), m_out(out) {}

    void dumpStageFile()
    {
        try {
            while (!m_in.atEndOfList()) {
                m_in.readSignature();
                dumpObject(0);
            }
        } catch (const StreamError &error) {
            throw StreamError(
                QStringLiteral("%1 at byte %2").arg(error.message()).arg(m_in.position()));
        } catch (const OutputFailed &) {
            // The rest would go nowhere; out's status tells the caller.
        }
    }

private:
    void line(int indent, const QString &text)
    {
        m_out << Blanks.first(std::min(indent, StreamDump::MaxIndent) * 2) << text << '\n';
        if (m_out.status() != QTextStream::Ok)
            throw OutputFailed();
    }

    void dumpObject(int depth)
    {
        StreamInput::checkDepth(depth);
        const StreamObjectHeader header = m_in.readObjectHeader();
        QString head = QStringLiteral("object ")
                       + (header.name.isEmpty() ? shownName(header.className)
                                                : shownName(header.name) + QStringLiteral(": ")
                                                      + shownName(header.className));
        const QStringList flags = prefixFlags(header);
        if (!flags.isEmpty())
            head += QStringLiteral(" [") + flags.join(QStringLiteral(", ")) + u']';
        line(depth, head);
        while (!m_in.atEndOfList()) {
            const QString name = m_in.readShortString();
            dumpValue(shownName(name) + QStringLiteral(" = "), depth + 1, depth + 1);
        }
        while (!m_in.atEndOfList())
            dumpObject(depth + 1);
        line(depth, QStringLiteral("end"));
    }

    QStringList prefixFlags(const StreamObjectHeader &header)
    {
        QStringList flags;
        if (header.flags & StreamFormat::Inherited)
            flags << QStringLiteral("inherited");
        if (header.position)
            flags << QStringLiteral("index ") + integerText(header.positionType, *header.position);
        if (header.flags & StreamFormat::Inline)
            flags << QStringLiteral("inline");
        // The fourth bit has no meaning; a prefix may also carry no flag.
        if (header.flags & 8)
            flags << QStringLiteral("flag 8");
        if (header.prefixed && header.flags == 0)
            flags << QStringLiteral("prefix");
        return flags;
    }

    // Writes one value after head, at indent; lists and collections open a
    // block that their items fill one level deeper.
    void dumpValue(const QString &head, int indent, int depth)
    {
        StreamInput::checkDepth(depth);
        const ValueType type = m_in.readValueType();
        if (type == ValueType::List) {
            if (m_in.atEndOfList()) {
                line(indent, head + QStringLiteral("()"));
                return;
            }
            line(indent, head + u'(');
            while (!m_in.atEndOfList())
                dumpValue(QString(), indent + 1, depth + 1);
            line(indent, QStringLiteral(")"));
        } else if (type == ValueType::Collection) {
            line(indent, head + u'<');
            while (!m_in.atEndOfList())
                dumpItem(indent + 1, depth + 1);
            line(indent, QStringLiteral(">"));
        } else {
            line(indent, head + scalar(type));
        }
    }

    void dumpItem(int indent, int depth)
    {
        QString head = QStringLiteral("item");
        if (StreamFormat::isInteger(ValueType(m_in.peekByte()))) {
            const ValueType type = m_in.readValueType();
            head += QStringLiteral(" [%1]").arg(integerText(type, m_in.readIntegerPayload(type)));
        }
        if (m_in.readValueType() != ValueType::List)
            throw StreamError(QString::fromLatin1(StreamFormat::FormatError));
        line(indent, head);
        while (!m_in.atEndOfList()) {
            const QString name = m_in.readShortString();
            dumpValue(shownName(name) + QStringLiteral(" = "), indent + 1, depth + 1);
        }
        line(indent, QStringLiteral("end"));
    }

    QString scalar(ValueType type)
    {
        switch (type) {
        case ValueType::Null:
            return QStringLiteral("Null");
        case ValueType::False:
            return QStringLiteral("False");
        case ValueType::True:
            return QStringLiteral("True");
        case ValueType::Nil:
            return QStringLiteral("nil");
        case ValueType::Int8:
        case ValueType::Int16:
        case ValueType::Int32:
        case ValueType::Int64:
            return integerText(type, m_in.readIntegerPayload(type));
        case ValueType::Extended:
            return extended(m_in.readBytes(10));
        case ValueType::Single:
            return typed(type, floating<float, quint32>(m_in.readBytes(4)));
        case ValueType::Date:
            return typed(type, floating<double, quint64>(m_in.readBytes(8)));
        case ValueType::Currency:
            return typed(type, currency(m_in.readSigned(8)));
        case ValueType::String:
        case ValueType::LString:
        case ValueType::WString:
            return text(type, m_in.readTextPayload(type));
        case ValueType::Ident: {
            QString name = m_in.readShortString();
            if (StreamDump::isPlainName(name) && !StreamTypeNames::isValueWord(name))
                return name;
            return typed(type, quoted(name));
        }
        case ValueType::Binary:
            return hexText(m_in.readBytes(m_in.readLength()));
        case ValueType::Set: {
            QStringList members;
            for (QString member = m_in.readShortString(); !member.isEmpty();
                 member = m_in.readShortString())
                members << shownName(member);
            return u'[' + members.join(QStringLiteral(", ")) + u']';
        }
        case ValueType::List:
        case ValueType::Collection:
            break;
        }
        throw StreamError(QString::fromLatin1(StreamFormat::FormatError));
    }

    static QString typed(ValueType type, const QString &value)
    {
        return StreamTypeNames::name(type) + u' ' + value;
    }

    // The type that the writer gives a text is left unsaid.
    static QString text(ValueType type, const QString &value)
    {
        const QString shown = quoted(value);
        return type == StreamTypeNames::textType(value) ? shown : typed(type, shown);
    }

    // A finite number that gives back these very bits shows as a number
    // with a point or an exponent (so that it is no integer); any other
    // shows its bits.
    static QString extended(QByteArrayView bytes)
    {
        const auto *raw = reinterpret_cast<const unsigned char *>(bytes.data());
        const long double value = Extended80::decode(raw);
        const Extended80::Bytes again = Extended80::encode(value);
        if (!std::isfinite(value) || std::memcmp(again.data(), raw, again.size()) != 0)
            return typed(ValueType::Extended, hexText(bytes));
        QString number = exactNumber(value);
        if (!number.contains(u'.') && !number.contains(u'e'))
            number += QStringLiteral(".0");
        return number;
    }

    // A float of the bytes' little-endian bits; a NaN, whose bits no
    // number gives back, shows its bits.
    template<class Float, class Bits>
    static QString floating(QByteArrayView bytes)
    {
        const Float value = std::bit_cast<Float>(qFromLittleEndian<Bits>(bytes.data()));
        return std::isnan(value) ? hexText(bytes) : exactNumber(value);
    }

    // Currency is a count of ten-thousandths.
    static QString currency(qint64 value)
    {
        const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
        return QStringLiteral("%1%2.%3")
            .arg(value < 0 ? QStringLiteral("-") : QString())
            .arg(magnitude / 10000)
            .arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    }

    StreamInput m_in;
    QTextStream &m_out;
};

} // namespace

namespace StreamDump {

void dumpStageFile(QByteArrayView data, QTextStream &out)
{
    Dumper(data, out).dumpStageFile();
}

QString dumpStageFile(QByteArrayView data)
{
    QString text;
    QTextStream out(&text);
    dumpStageFile(data, out);
    out.flush();
    return text;
}

bool isPlainName(QStringView text)
{
    if (text.isEmpty())
        return false;
    const auto letter = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    };
    if (!letter(text.front()))
        return false;
    return std::all_of(text.begin(), text.end(), [&letter](QChar c) {
        return letter(c) || (c >= u'0' && c <= u'9') || c == u'.';
    });
}

} // namespace StreamDump
