#include "model/StreamTypeNames.h"

#include "model/Cp1250.h"

#include <array>
#include <limits>

using StreamFormat::ValueType;

namespace StreamTypeNames {

namespace {

constexpr std::array<const char16_t *, StreamFormat::LastValueType + 1> Names{
    u"Null",       u"List",   u"Int8",     u"Int16",  u"Int32",   u"Extended", u"String",
    u"Ident",      u"False",  u"True",     u"Binary", u"Set",     u"LString",  u"Nil",
    u"Collection", u"Single", u"Currency", u"Date",   u"WString", u"Int64",
};

} // namespace

QString name(ValueType type)
{
    return QString::fromUtf16(Names.at(std::size_t(type)));
}

std::optional<ValueType> fromName(QStringView name)
{
    for (std::size_t index = 0; index < Names.size(); ++index) {
        if (name == QStringView(Names[index]))
            return ValueType(index);
    }
    return std::nullopt;
}

ValueType smallestIntegerType(qint64 value)
{
    const auto fits = [value](auto type) {
        using Limits = std::numeric_limits<decltype(type)>;
        return value >= Limits::min() && value <= Limits::max();
    };
    if (fits(qint8()))
        return ValueType::Int8;
    if (fits(qint16()))
        return ValueType::Int16;
    if (fits(qint32()))
        return ValueType::Int32;
    return ValueType::Int64;
}

ValueType textType(const QString &text)
{
    const std::optional<QByteArray> bytes = Cp1250::encode(text);
    if (!bytes)
        return ValueType::WString;
    return bytes->size() < 256 ? ValueType::String : ValueType::LString;
}

bool isValueWord(QStringView word)
{
    for (const char16_t *value : {u"False", u"True", u"nil", u"Null"}) {
        if (word.compare(QStringView(value), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace StreamTypeNames
