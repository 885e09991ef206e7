#pragma once

#include "designer/InspectorBase.h"
#include "designer/PropertyCollection.h"

class SelectionList;

// The inspector's property collector: follows every change of the
// selection it is linked to and keeps the shown names and values in step.
class MultiProperties : public PropertyCollector, public PropertyCollection
{
public:
    using PropertyCollection::PropertyCollection;

    void forgetTarget(int index) override;
    void addTarget(QWidget *control) override;
    void clearTargets() override;
    void removeTarget(int index) override;
    // recollect, then the inspector's refreshGrid.
    void refreshTargets() override;

    void load(const QStringList &names, const QStringList &captions,
              const QStringList &outNames) override;
    void recollect() override;
};

// The cover menu's collection: made once for the current selection from a
// stage's own property lines ("name|caption") and out names.
class ContextProperties : public PropertyCollection
{
public:
    ContextProperties(const QStringList &selfProps, const QStringList &outProps,
                      const SelectionList &selection, const ClassRegistry &registry);
};
