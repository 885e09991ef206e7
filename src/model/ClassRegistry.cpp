#include "model/ClassRegistry.h"

#include <QMetaObject>
#include <QWidget>

void ClassRegistry::add(const ClassInfo &info)
{
    m_classes.append(info);
}

const ClassInfo *ClassRegistry::byName(QStringView name) const
{
    for (const ClassInfo &info : m_classes) {
        if (info.name.compare(name, Qt::CaseInsensitive) == 0)
            return &info;
    }
    return nullptr;
}

const ClassInfo *ClassRegistry::of(const QObject *object) const
{
    if (!object)
        return nullptr;
    for (const QMetaObject *meta = object->metaObject(); meta; meta = meta->superClass()) {
        for (const ClassInfo &info : m_classes) {
            if (info.metaObject == meta)
                return &info;
        }
    }
    return nullptr;
}

QString ClassRegistry::storedClassName(const QObject *object) const
{
    if (const ClassInfo *info = of(object))
        return info->name;
    return QString::fromLatin1(object->metaObject()->className());
}

QList<QWidget *> orderedChildren(const QWidget *parent, const ClassRegistry &registry)
{
    QList<QWidget *> nonWindowed;
    QList<QWidget *> windowed;
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        const ClassInfo *info = widget ? registry.of(widget) : nullptr;
        if (!info)
            continue;
        (info->windowed ? windowed : nonWindowed).append(widget);
    }
    return nonWindowed + windowed;
}
