#include "windows/ObjectList.h"

#include "designer/DesignControls.h"

#include "model/ClassRegistry.h"

namespace {

bool isListed(const QString &storedClassName)
{
    static const QStringList listed{
        QStringLiteral("TmPage"),      QStringLiteral("TmText"),  QStringLiteral("TmBand"),
        QStringLiteral("TmBreakBand"), QStringLiteral("TmBlock"), QStringLiteral("TMBlockCode"),
    };
    return listed.contains(storedClassName);
}

void addChildren(const QWidget *parent, const ComponentOwner &owner, const ClassRegistry &registry,
                 QList<ObjectListEntry> &entries)
{
    for (QObject *child : parent->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (!control || DesignControls::ownerOf(control) != &owner)
            continue;
        const QString className = registry.storedClassName(control);
        if (!isListed(className))
            continue;
        entries.append({control->objectName() + QStringLiteral(": ") + className, control});
        addChildren(control, owner, registry, entries);
    }
}

} // namespace

QList<ObjectListEntry> buildObjectList(const QWidget *stage, const ComponentOwner &owner,
                                       const ClassRegistry &registry)
{
    QList<ObjectListEntry> entries;
    if (stage)
        addChildren(stage, owner, registry, entries);
    return entries;
}
