#include "designer/MultiProperties.h"

#include "designer/SelectionList.h"
#include "designer/StandardRows.h"

void MultiProperties::forgetTarget(int index)
{
    nilTarget(index);
}

void MultiProperties::addTarget(QWidget *control)
{
    PropertyCollection::addTarget(control);
}

void MultiProperties::clearTargets()
{
    PropertyCollection::clearTargets();
}

void MultiProperties::removeTarget(int index)
{
    deleteTarget(index);
}

void MultiProperties::refreshTargets()
{
    recollect();
    if (inspector())
        inspector()->refreshGrid();
}

void MultiProperties::load(const QStringList &names, const QStringList &captions,
                           const QStringList &outNames)
{
    setPropLists(names, captions, outNames);
}

void MultiProperties::recollect()
{
    PropertyCollection::recollect();
}

ContextProperties::ContextProperties(const QStringList &selfProps, const QStringList &outProps,
                                     const SelectionList &selection, const ClassRegistry &registry)
    : PropertyCollection(registry)
{
    QStringList names;
    QStringList captions;
    StandardRowLists::split(selfProps, names, captions);
    setPropLists(names, captions, outProps);
    for (QWidget *control : selection.items())
        addTarget(control);
}
