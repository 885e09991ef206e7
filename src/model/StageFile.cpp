#include "model/ObjectStream.h"

#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/FileReplacement.h"
#include "model/InputFile.h"

#include <QWidget>

namespace ObjectStream {
namespace {

StreamError cannotRead(const QString &fileName)
{
    return StreamError(fileName + QStringLiteral(" can not be read"));
}

} // namespace

QString uniqueComponentName(const ComponentOwner &owner, const QString &proposed,
                            const QString &className)
{
    if (proposed.isEmpty() || !owner.findComponent(proposed))
        return proposed;
    return owner.uniqueName(className);
}

void saveStageFile(const QWidget *stage, const QString &fileName, const ComponentOwner &root,
                   const ClassRegistry &registry)
{
    const QList<QWidget *> controls = orderedChildren(stage, registry);
    QByteArray data;
    for (const QWidget *control : controls)
        data += writeComponent(control, root, registry);
    // One end-of-list byte per stream, all after the last stream.
    data.append(controls.size(), '\0');

    if (!FileReplacement::replace(fileName, data))
        throw StreamError(QStringLiteral("Cannot create file %1").arg(fileName));
}

QList<QWidget *> loadStageFile(QWidget *stage, const QString &fileName, ComponentOwner &owner,
                               const ClassRegistry &registry, const ReaderHooks &hooks)
{
    // The file is read before anything is removed: a file that cannot be
    // opened leaves the stage as it was.
    const std::optional<QByteArray> data = InputFile::read(fileName);
    if (!data)
        throw cannotRead(fileName);

    const QList<QWidget *> controls = orderedChildren(stage, registry);
    for (auto control = controls.crbegin(); control != controls.crend(); ++control)
        delete *control;

    ReaderHooks stageHooks;
    stageHooks.onError = [&hooks](const QString &message) {
        if (hooks.onError)
            hooks.onError(message);
        return true;
    };
    stageHooks.onSetName = [&](QWidget *component, const QString &proposed) {
        const QString name =
            uniqueComponentName(owner, proposed, registry.storedClassName(component));
        return hooks.onSetName ? hooks.onSetName(component, name) : name;
    };
    try {
        return readStreams(*data, owner, stage, registry, stageHooks);
    } catch (const StreamError &) {
        throw cannotRead(fileName);
    }
}

} // namespace ObjectStream
