#include "designer/DsnMultiProps.h"

#include "designer/DsnPropLists.h"
#include "designer/DsnTargets.h"

void TMultiProps::TargetNil(int index)
{
    nilTarget(index);
}

void TMultiProps::Add(QWidget *control)
{
    addTarget(control);
}

void TMultiProps::Clear()
{
    clearTargets();
}

void TMultiProps::Delete(int index)
{
    deleteTarget(index);
}

void TMultiProps::Update()
{
    Recollect();
    if (inspector())
        inspector()->RefreshGrid();
}

void TMultiProps::Load(const QStringList &names, const QStringList &captions,
                       const QStringList &outNames)
{
    setPropLists(names, captions, outNames);
}

void TMultiProps::Recollect()
{
    recollect();
}

TContextProps::TContextProps(const QStringList &selfProps, const QStringList &outProps,
                             const TTargetList &selection, const ClassRegistry &registry)
    : TPropCollection(registry)
{
    QStringList names;
    QStringList captions;
    PropLists::split(selfProps, names, captions);
    setPropLists(names, captions, outProps);
    for (QWidget *control : selection.items())
        addTarget(control);
}
