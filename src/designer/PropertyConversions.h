#pragma once

#include <QList>
#include <QString>

#include <optional>

class ClassRegistry;
class QObject;
class QWidget;
struct PropertyInfo;

// Text to value and back for the inspector and the cover menu.
namespace PropertyConversions {

// Colours are 32-bit values: system colours show as negative numbers.
qint32 colourToInt32(qint64 colour);
qint64 colourFromInt32(qint32 value);

// General format, up to 15 significant digits, in the user's locale.
QString floatText(long double value);
std::optional<long double> parseFloat(QStringView text);
// A 32-bit integer, decimal or hexadecimal after "$", optionally signed.
std::optional<qint32> parseInteger(QStringView text);

bool isValidIdentifier(QStringView name);

// Writes Value to the published property PropName of each target, in order:
// numbers, enumeration names, floats and strings are converted; an empty
// Value empties strings and leaves all else alone; sets and records are
// never written. The first failure stops the loop and throws PropertyError
// "<Value> is illegal (<PropName>)"; a refused component name throws its
// own message. `written` counts the targets changed before the failure.
void writeToTargets(const QList<QWidget *> &targets, const QString &propName, const QString &value,
                    const ClassRegistry &registry, int *written = nullptr);

// Writes Value to one property of target, converted as writeToTargets
// does, failing the same way. The property may be a record's member; a
// component's name is not checked here (it goes through writeToTargets).
void writeValue(QObject *target, const PropertyInfo &property, const QString &value);

} // namespace PropertyConversions
