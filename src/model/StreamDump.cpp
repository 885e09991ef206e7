#include "model/StreamDump.h"

#include "model/ObjectStream.h"
#include "model/StreamInput.h"

#include <QTextStream>

#include <algorithm>
#include <bit>
#include <charconv>

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
        QString head =
            QStringLiteral("object ")
            + (header.name.isEmpty() ? header.className
                                     : header.name + QStringLiteral(": ") + header.className);
        const QStringList flags = prefixFlags(header);
        if (!flags.isEmpty())
            head += QStringLiteral(" [") + flags.join(QStringLiteral(", ")) + u']';
        line(depth, head);
        while (!m_in.atEndOfList()) {
            const QString name = m_in.readShortString();
            dumpValue(name + QStringLiteral(" = "), depth + 1, depth + 1);
        }
        while (!m_in.atEndOfList())
            dumpObject(depth + 1);
        line(depth, QStringLiteral("end"));
    }

    static QStringList prefixFlags(const StreamObjectHeader &header)
    {
        QStringList flags;
        if (header.flags & StreamFormat::Inherited)
            flags << QStringLiteral("inherited");
        if (header.position)
            flags << QStringLiteral("index %1").arg(*header.position);
        if (header.flags & StreamFormat::Inline)
            flags << QStringLiteral("inline");
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
        if (StreamFormat::isInteger(ValueType(m_in.peekByte())))
            head += QStringLiteral(" [%1]").arg(m_in.readInteger());
        if (m_in.readValueType() != ValueType::List)
            throw StreamError(QString::fromLatin1(StreamFormat::FormatError));
        line(indent, head);
        while (!m_in.atEndOfList()) {
            const QString name = m_in.readShortString();
            dumpValue(name + QStringLiteral(" = "), indent + 1, depth + 1);
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
            return QString::number(m_in.readIntegerPayload(type));
        case ValueType::Extended:
            return exactNumber(m_in.readExtendedPayload());
        case ValueType::Single:
            return exactNumber(std::bit_cast<float>(quint32(m_in.readSigned(4))));
        case ValueType::Date:
            return exactNumber(std::bit_cast<double>(m_in.readSigned(8)));
        case ValueType::Currency:
            return currency(m_in.readSigned(8));
        case ValueType::String:
        case ValueType::LString:
        case ValueType::WString:
            return quoted(m_in.readTextPayload(type));
        case ValueType::Ident:
            return m_in.readShortString();
        case ValueType::Binary: {
            const QByteArrayView bytes = m_in.readBytes(m_in.readLength());
            return u'{' + QString::fromLatin1(bytes.toByteArray().toHex().toUpper()) + u'}';
        }
        case ValueType::Set: {
            QStringList members;
            for (QString member = m_in.readShortString(); !member.isEmpty();
                 member = m_in.readShortString())
                members << member;
            return u'[' + members.join(QStringLiteral(", ")) + u']';
        }
        case ValueType::List:
        case ValueType::Collection:
            break;
        }
        throw StreamError(QString::fromLatin1(StreamFormat::FormatError));
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

} // namespace StreamDump
