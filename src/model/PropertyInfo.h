#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>

class QObject;

// A value of a published property as the object stream, the inspector and
// name lookups see it. Integers, enumerations (ordinals), sets (bit masks),
// colours and charsets are all held as integers.
using PropValue = std::variant<std::monostate, qint64, bool, long double, QString, QStringList,
                               QList<long double>>;

enum class PropKind {
    Integer,
    Boolean,
    Enumeration,
    Set,
    Float,
    Text,
    Strings, // a string list: streamed as "<name>.Strings" unless it is a defined value
    Floats,  // a list of floats; only ever a defined value (Size.Values, Page.Values)
    Colour,
    Charset,
    Record, // a nested record such as Font, Frame, Size or Page
};

struct PropertyInfo
{
    using Getter = std::function<PropValue(const QObject *)>;
    using Setter = std::function<void(QObject *, const PropValue &)>;
    using Condition = std::function<bool(const QObject *)>;

    QString name;
    PropKind kind = PropKind::Integer;
    Getter get;
    Setter set;                         // empty for read-only properties
    Condition stored;                   // empty: the kind's default rule alone decides
    std::optional<qint64> defaultValue; // ordinal kinds and Booleans: not written when equal
    QStringList names;                  // enumeration values or set members, by ordinal
    QList<PropertyInfo> members;        // Record: its properties, then its defined values
    bool defined = false;               // a defined stream value, not a published property
    QString typeName;                   // the class name the inspector shows for records

    bool isReadOnly() const { return !set; }
};

using PropertyTable = QList<PropertyInfo>;

// Finds a property by its (possibly dotted) stream path, without regard to
// case. "Frame.Color" walks into the Frame record; "BeforePrint.Strings"
// names the list of the string-list property beforePrint.
const PropertyInfo *findPropertyPath(const PropertyTable &table, QStringView path);
const PropertyInfo *findProperty(const PropertyTable &table, QStringView name);

// Conversions out of a PropValue; each accepts the alternatives that can
// stand for its type (an integer for a float, for instance).
namespace PropertyValues {
qint64 toInt(const PropValue &value);
bool toBool(const PropValue &value);
long double toFloat(const PropValue &value);
QString toText(const PropValue &value);
QStringList toStrings(const PropValue &value);
QList<long double> toFloats(const PropValue &value);
} // namespace PropertyValues
