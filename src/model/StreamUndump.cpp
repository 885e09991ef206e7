#include "model/StreamUndump.h"

#include "model/Cp1250.h"
#include "model/ObjectStream.h"
#include "model/StreamDump.h"
#include "model/StreamOutput.h"
#include "model/StreamTypeNames.h"

#include <bit>
#include <charconv>
#include <limits>
#include <optional>
#include <utility>

using StreamFormat::ValueType;

namespace {

constexpr qsizetype ShortStringLimit = 255;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNameCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'.'
           || isDigit(c);
}

int hexDigit(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

class Undumper
{
public:
    explicit Undumper(QStringView text) : m_text(text), m_out(m_bytes) {}

    QByteArray stageFile()
    {
        qint64 streams = 0;
        while (nextLine()) {
            m_out.writeSignature();
            object(0);
            ++streams;
        }
        if (streams == 0)
            fail(QStringLiteral("the text holds no object"));
        // One end-of-list byte per stream, as stage files end.
        m_bytes.append(qsizetype(streams), '\0');
        return m_bytes;
    }

private:
    // Lines and the place in the current one.

    // Moves to the next line that is not blank; false at the end.
    bool nextLine()
    {
        while (m_next < m_text.size()) {
            qsizetype end = m_text.indexOf(u'\n', m_next);
            if (end < 0)
                end = m_text.size();
            QStringView line = m_text.sliced(m_next, end - m_next);
            m_next = end + 1;
            ++m_lineNumber;
            if (line.endsWith(u'\r'))
                line.chop(1);
            qsizetype indent = 0;
            while (indent < line.size() && line[indent] == u' ')
                ++indent;
            if (indent == line.size())
                continue;
            m_indent = indent;
            m_line = line.sliced(indent);
            m_position = 0;
            return true;
        }
        m_line = QStringView();
        m_position = 0;
        return false;
    }

    void requireLine(const char *closing)
    {
        if (!nextLine()) {
            ++m_lineNumber;
            m_indent = 0;
            fail(QStringLiteral("the text ends before \"%1\"").arg(QLatin1StringView(closing)));
        }
    }

    [[noreturn]] void fail(const QString &what) const
    {
        throw StreamError(QStringLiteral("Line %1, column %2: %3")
                              .arg(qMax<qsizetype>(m_lineNumber, 1))
                              .arg(m_indent + m_position + 1)
                              .arg(what));
    }

    [[noreturn]] void failAt(qsizetype position, const QString &what)
    {
        m_position = position;
        fail(what);
    }

    QStringView rest() const { return m_line.sliced(m_position); }
    bool atLineEnd() const { return m_position >= m_line.size(); }
    QChar current() const { return atLineEnd() ? QChar() : m_line[m_position]; }

    bool skip(QStringView expected)
    {
        if (!rest().startsWith(expected))
            return false;
        m_position += expected.size();
        return true;
    }

    void expect(QStringView expected)
    {
        if (!skip(expected))
            fail(QStringLiteral("\"%1\" expected").arg(expected));
    }

    void expectLineEnd()
    {
        if (!atLineEnd())
            fail(QStringLiteral("unexpected \"%1\"").arg(rest()));
    }

    bool lineIs(QStringView word) const { return m_line == word; }
    // A property named "object" shows as "object = …".
    bool startsObject() const
    {
        return m_line.startsWith(u"object ") && !m_line.startsWith(u"object = ");
    }

    void checkDepth(int depth) const
    {
        if (depth >= StreamFormat::MaxDepth)
            fail(QStringLiteral("nested too deeply"));
    }

    // Objects, properties and values, as the dump writes them.

    void object(int depth)
    {
        checkDepth(depth);
        expect(u"object ");
        const QString first = shortString();
        QString name;
        QString className = first;
        if (skip(u": ")) {
            name = first;
            className = shortString();
        }
        prefix();
        expectLineEnd();
        m_out.writeShortString(className);
        m_out.writeShortString(name);
        for (requireLine("end"); !lineIs(u"end") && !startsObject(); requireLine("end"))
            property(depth + 1);
        m_out.writeEndOfList();
        for (; !lineIs(u"end"); requireLine("end")) {
            if (!startsObject())
                fail(QStringLiteral("an object or \"end\" expected"));
            object(depth + 1);
        }
        m_out.writeEndOfList();
    }

    // " [inherited, index 2, inline]" after the names: the prefix byte.
    void prefix()
    {
        if (!skip(u" ["))
            return;
        int flags = 0;
        std::optional<std::pair<ValueType, qint64>> position;
        do {
            if (skip(u"inherited")) {
                flags |= StreamFormat::Inherited;
            } else if (skip(u"inline")) {
                flags |= StreamFormat::Inline;
            } else if (skip(u"flag 8")) {
                flags |= 8;
            } else if (skip(u"prefix")) {
                // A prefix byte without flags.
            } else if (skip(u"index ")) {
                flags |= StreamFormat::ChildPosition;
                position = integer();
            } else {
                fail(QStringLiteral("a flag expected"));
            }
        } while (skip(u", "));
        expect(u"]");
        m_out.writeByte(quint8(StreamFormat::PrefixMin | flags));
        if (position)
            writeInteger(position->first, position->second);
    }

    void property(int depth)
    {
        const QString name = shortString();
        // An empty name would read as the end of the properties.
        if (name.isEmpty())
            fail(QStringLiteral("a property needs a name"));
        expect(u" = ");
        m_out.writeShortString(name);
        value(depth);
    }

    void value(int depth)
    {
        checkDepth(depth);
        if (rest() == u"()") {
            m_out.writeValueType(ValueType::List);
            m_out.writeEndOfList();
        } else if (rest() == u"(") {
            m_out.writeValueType(ValueType::List);
            for (requireLine(")"); !lineIs(u")"); requireLine(")")) {
                // A Null in a list would end it.
                if (lineIs(u"Null"))
                    fail(QStringLiteral("a list holds no Null"));
                value(depth + 1);
            }
            m_out.writeEndOfList();
        } else if (rest() == u"<") {
            m_out.writeValueType(ValueType::Collection);
            for (requireLine(">"); !lineIs(u">"); requireLine(">"))
                item(depth + 1);
            m_out.writeEndOfList();
        } else {
            scalar();
            expectLineEnd();
        }
    }

    void item(int depth)
    {
        expect(u"item");
        if (skip(u" [")) {
            const auto [type, index] = integer();
            writeInteger(type, index);
            expect(u"]");
        }
        expectLineEnd();
        m_out.writeValueType(ValueType::List);
        for (requireLine("end"); !lineIs(u"end"); requireLine("end"))
            property(depth);
        m_out.writeEndOfList();
    }

    void scalar()
    {
        const QChar first = current();
        if (first == u'"') {
            m_out.writeText(quotedText());
        } else if (first == u'{') {
            const QByteArray bytes = hexBytes(-1);
            m_out.writeValueType(ValueType::Binary);
            writeLittleEndian(quint64(bytes.size()), 4);
            m_bytes.append(bytes);
        } else if (first == u'[') {
            set();
        } else if (first == u'-' || isDigit(first)) {
            number();
        } else {
            word();
        }
    }

    void set()
    {
        expect(u"[");
        QStringList members;
        if (!skip(u"]")) {
            do {
                members.append(shortString());
                // An empty member would end the set.
                if (members.constLast().isEmpty())
                    fail(QStringLiteral("a set member needs a name"));
            } while (skip(u", "));
            expect(u"]");
        }
        m_out.writeSet(members);
    }

    // A bare number: an integer in the smallest type, or a float.
    void number()
    {
        const QStringView text = numberText();
        if (!text.contains(u'.') && !text.contains(u'e')) {
            m_out.writeInteger(parseInteger(text));
            return;
        }
        m_out.writeExtended(parseFloat<long double>(text));
    }

    // An identifier, a value word, or a type name with its value.
    void word()
    {
        const qsizetype start = m_position;
        while (isNameCharacter(current()))
            ++m_position;
        const QStringView word = m_line.sliced(start, m_position - start);
        if (word.isEmpty())
            fail(QStringLiteral("a value expected"));
        if (current() == u' ') {
            const std::optional<ValueType> type = StreamTypeNames::fromName(word);
            if (!type) {
                failAt(start, QStringLiteral("unknown type \"%1\"").arg(word));
            }
            ++m_position;
            typedValue(*type);
            return;
        }
        static constexpr struct
        {
            const char16_t *word;
            ValueType type;
        } values[] = {{u"Null", ValueType::Null},
                      {u"False", ValueType::False},
                      {u"True", ValueType::True},
                      {u"nil", ValueType::Nil}};
        for (const auto &value : values) {
            if (word == QStringView(value.word)) {
                m_out.writeValueType(value.type);
                return;
            }
        }
        if (!StreamDump::isPlainName(word)) {
            failAt(start, QStringLiteral("a value expected"));
        }
        m_out.writeValueType(ValueType::Ident);
        m_out.writeShortString(word);
    }

    // A value after the name of its type: stored as that type says.
    void typedValue(ValueType type)
    {
        switch (type) {
        case ValueType::Int8:
        case ValueType::Int16:
        case ValueType::Int32:
        case ValueType::Int64: {
            const qsizetype start = m_position;
            const qint64 value = parseInteger(numberText());
            if (!fits(type, value)) {
                failAt(start, QStringLiteral("%1 out of range").arg(StreamTypeNames::name(type)));
            }
            writeInteger(type, value);
            return;
        }
        case ValueType::Extended:
            m_out.writeValueType(type);
            m_bytes.append(current() == u'{' ? hexBytes(10) : extendedBytes());
            return;
        case ValueType::Single:
            floatValue<float, quint32>(type);
            return;
        case ValueType::Date:
            floatValue<double, quint64>(type);
            return;
        case ValueType::Currency:
            m_out.writeValueType(type);
            writeLittleEndian(quint64(currency()), 8);
            return;
        case ValueType::String:
        case ValueType::LString:
        case ValueType::WString:
            typedText(type);
            return;
        case ValueType::Ident: {
            const QString name = checkedShortString(quotedText());
            m_out.writeValueType(type);
            m_out.writeShortString(name);
            return;
        }
        default:
            fail(QStringLiteral("no value is written as %1").arg(StreamTypeNames::name(type)));
        }
    }

    QByteArray extendedBytes()
    {
        QByteArray encoded;
        StreamOutput(encoded).writeExtended(parseFloat<long double>(numberText()));
        return encoded.sliced(1);
    }

    template<class Float, class Bits>
    void floatValue(ValueType type)
    {
        m_out.writeValueType(type);
        if (current() == u'{') {
            m_bytes.append(hexBytes(sizeof(Float)));
            return;
        }
        writeLittleEndian(std::bit_cast<Bits>(parseFloat<Float>(numberText())), sizeof(Float));
    }

    void typedText(ValueType type)
    {
        const qsizetype start = m_position;
        const QString text = quotedText();
        m_out.writeValueType(type);
        if (type == ValueType::WString) {
            writeLittleEndian(quint64(text.size()), 4);
            for (const QChar c : text)
                writeLittleEndian(c.unicode(), 2);
            return;
        }
        const std::optional<QByteArray> bytes = Cp1250::encode(text);
        if (!bytes)
            failAt(start, QStringLiteral("Windows-1250 cannot hold this text"));
        if (type == ValueType::String) {
            if (bytes->size() > ShortStringLimit)
                failAt(start, QStringLiteral("a String holds at most 255 bytes"));
            m_out.writeByte(quint8(bytes->size()));
        } else {
            writeLittleEndian(quint64(bytes->size()), 4);
        }
        m_bytes.append(*bytes);
    }

    // Tokens.

    // A name: a plain word or a quoted text, at most 255 bytes of Windows-1250.
    QString shortString()
    {
        if (current() == u'"')
            return checkedShortString(quotedText());
        const qsizetype start = m_position;
        while (isNameCharacter(current()))
            ++m_position;
        const QStringView name = m_line.sliced(start, m_position - start);
        if (!StreamDump::isPlainName(name)) {
            failAt(start, QStringLiteral("a name expected"));
        }
        return checkedShortString(name.toString());
    }

    QString checkedShortString(const QString &text)
    {
        const std::optional<QByteArray> bytes = Cp1250::encode(text);
        if (!bytes)
            fail(QStringLiteral("Windows-1250 cannot hold the name \"%1\"").arg(text));
        if (bytes->size() > ShortStringLimit)
            fail(QStringLiteral("a name holds at most 255 bytes"));
        return text;
    }

    QString quotedText()
    {
        expect(u"\"");
        QString text;
        while (true) {
            if (atLineEnd())
                fail(QStringLiteral("the text has no closing quote"));
            const QChar c = m_line[m_position];
            if (c == u'"') {
                ++m_position;
                return text;
            }
            if (c != u'\\') {
                text += c;
                ++m_position;
                continue;
            }
            const QChar escaped = m_position + 1 < m_line.size() ? m_line[m_position + 1] : QChar();
            if (escaped == u'"' || escaped == u'\\')
                text += escaped;
            else if (escaped == u'r')
                text += u'\r';
            else if (escaped == u'n')
                text += u'\n';
            else if (escaped == u't')
                text += u'\t';
            else if (escaped == u'u')
                text += unicodeEscape();
            else
                fail(QStringLiteral("unknown escape"));
            m_position += escaped == u'u' ? 6 : 2;
        }
    }

    QChar unicodeEscape() const
    {
        char16_t code = 0;
        for (qsizetype i = m_position + 2; i < m_position + 6; ++i) {
            const int digit = i < m_line.size() ? hexDigit(m_line[i]) : -1;
            if (digit < 0)
                fail(QStringLiteral("\\u needs four hex digits"));
            code = char16_t(code * 16 + digit);
        }
        return QChar(code);
    }

    // "{0A1B}": size bytes, or any number when size is -1.
    QByteArray hexBytes(qsizetype size)
    {
        expect(u"{");
        const qsizetype end = m_line.indexOf(u'}', m_position);
        if (end < 0)
            fail(QStringLiteral("\"}\" expected"));
        const QStringView digits = m_line.sliced(m_position, end - m_position);
        if (digits.size() % 2 != 0 || (size >= 0 && digits.size() != 2 * size))
            fail(size < 0 ? QStringLiteral("hex digits come in pairs")
                          : QStringLiteral("%1 bytes in hex expected").arg(size));
        QByteArray bytes;
        bytes.reserve(digits.size() / 2);
        for (qsizetype i = 0; i < digits.size(); i += 2) {
            const int high = hexDigit(digits[i]);
            const int low = hexDigit(digits[i + 1]);
            if (high < 0 || low < 0) {
                m_position += i;
                fail(QStringLiteral("a hex digit expected"));
            }
            bytes.append(char(high * 16 + low));
        }
        m_position = end + 1;
        return bytes;
    }

    // "-12", "3.5", "1e+30": the characters of a number.
    QStringView numberText()
    {
        const qsizetype start = m_position;
        skip(u"-");
        const auto digits = [this] {
            const qsizetype from = m_position;
            while (isDigit(current()))
                ++m_position;
            return m_position > from;
        };
        bool valid = digits();
        if (valid && skip(u"."))
            valid = digits();
        if (valid && skip(u"e")) {
            if (!skip(u"+"))
                skip(u"-");
            valid = digits();
        }
        if (!valid) {
            failAt(start, QStringLiteral("a number expected"));
        }
        m_numberStart = start;
        return m_line.sliced(start, m_position - start);
    }

    qint64 parseInteger(QStringView text)
    {
        return parse<qint64>(text, QStringLiteral("the integer is too large"));
    }

    template<class Float>
    Float parseFloat(QStringView text)
    {
        return parse<Float>(text, QStringLiteral("the number is out of range"));
    }

    // The number of the characters numberText() took, or failure there.
    template<class Number>
    Number parse(QStringView text, const QString &failure)
    {
        const QByteArray latin = text.toLatin1();
        Number value = 0;
        const auto [end, error] =
            std::from_chars(latin.constData(), latin.constData() + latin.size(), value);
        if (error != std::errc() || end != latin.constData() + latin.size()) {
            failAt(m_numberStart, failure);
        }
        return value;
    }

    // "-12.3400": a count of ten-thousandths.
    qint64 currency()
    {
        const qsizetype start = m_position;
        const bool negative = skip(u"-");
        const QStringView text = rest();
        const qsizetype point = text.indexOf(u'.');
        bool valid = point > 0 && text.size() == point + 5;
        quint64 magnitude = 0;
        for (qsizetype i = 0; valid && i < text.size(); ++i) {
            if (i == point)
                continue;
            valid = isDigit(text[i]) && magnitude <= (std::numeric_limits<quint64>::max() - 9) / 10;
            magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        }
        const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
        if (!valid || magnitude > limit) {
            failAt(start, QStringLiteral("a currency amount with four decimals expected"));
        }
        m_position += text.size();
        return negative ? qint64(0 - magnitude) : qint64(magnitude);
    }

    // Output beyond what StreamOutput offers: exact types.

    std::pair<ValueType, qint64> integer()
    {
        const qsizetype start = m_position;
        ValueType type = ValueType::Int8;
        bool named = false;
        for (const ValueType candidate :
             {ValueType::Int8, ValueType::Int16, ValueType::Int32, ValueType::Int64}) {
            if (skip(StreamTypeNames::name(candidate) + u' ')) {
                type = candidate;
                named = true;
                break;
            }
        }
        const qint64 value = parseInteger(numberText());
        if (!named)
            type = StreamTypeNames::smallestIntegerType(value);
        if (!fits(type, value)) {
            failAt(start, QStringLiteral("%1 out of range").arg(StreamTypeNames::name(type)));
        }
        return {type, value};
    }

    static int integerSize(ValueType type)
    {
        return type == ValueType::Int8    ? 1
               : type == ValueType::Int16 ? 2
               : type == ValueType::Int32 ? 4
                                          : 8;
    }

    static bool fits(ValueType type, qint64 value)
    {
        const int bits = 8 * integerSize(type);
        return bits == 64
               || (value >= -(qint64(1) << (bits - 1)) && value < (qint64(1) << (bits - 1)));
    }

    void writeInteger(ValueType type, qint64 value)
    {
        m_out.writeValueType(type);
        writeLittleEndian(quint64(value), integerSize(type));
    }

    void writeLittleEndian(quint64 value, int size)
    {
        for (int i = 0; i < size; ++i)
            m_out.writeByte(quint8(value >> (8 * i)));
    }

    QStringView m_text;
    qsizetype m_next = 0;
    qint64 m_lineNumber = 0;
    qsizetype m_indent = 0;
    QStringView m_line;
    qsizetype m_position = 0;
    qsizetype m_numberStart = 0;
    QByteArray m_bytes;
    StreamOutput m_out;
};

} // namespace

namespace StreamUndump {

QByteArray stageFile(QStringView text)
{
    return Undumper(text).stageFile();
}

} // namespace StreamUndump
