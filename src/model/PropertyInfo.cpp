#include "model/PropertyInfo.h"

const PropertyInfo *findProperty(const PropertyTable &table, QStringView name)
{
    for (const PropertyInfo &info : table) {
        if (info.name.compare(name, Qt::CaseInsensitive) == 0)
            return &info;
    }
    return nullptr;
}

const PropertyInfo *findPropertyPath(const PropertyTable &table, QStringView path)
{
    const qsizetype dot = path.indexOf(u'.');
    const PropertyInfo *head = findProperty(table, dot < 0 ? path : path.left(dot));
    if (!head || dot < 0)
        return head;
    const QStringView rest = path.mid(dot + 1);
    if (head->kind == PropKind::Strings && !head->defined
        && rest.compare(u"Strings", Qt::CaseInsensitive) == 0)
        return head;
    if (head->kind != PropKind::Record)
        return nullptr;
    return findPropertyPath(head->members, rest);
}

namespace PropertyValues {

qint64 toInt(const PropValue &value)
{
    if (const auto *i = std::get_if<qint64>(&value))
        return *i;
    if (const auto *b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    if (const auto *f = std::get_if<long double>(&value))
        return static_cast<qint64>(*f);
    return 0;
}

bool toBool(const PropValue &value)
{
    if (const auto *b = std::get_if<bool>(&value))
        return *b;
    return toInt(value) != 0;
}

long double toFloat(const PropValue &value)
{
    if (const auto *f = std::get_if<long double>(&value))
        return *f;
    return static_cast<long double>(toInt(value));
}

QString toText(const PropValue &value)
{
    if (const auto *s = std::get_if<QString>(&value))
        return *s;
    return {};
}

QStringList toStrings(const PropValue &value)
{
    if (const auto *list = std::get_if<QStringList>(&value))
        return *list;
    return {};
}

QList<long double> toFloats(const PropValue &value)
{
    if (const auto *list = std::get_if<QList<long double>>(&value))
        return *list;
    return {};
}

} // namespace PropertyValues
