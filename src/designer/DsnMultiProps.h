#pragma once

#include "designer/DsnInspectorBase.h"
#include "designer/DsnPropCollect.h"

class TTargetList;

// The inspector's property collector: follows every change of the
// selection it is linked to and keeps the shown names and values in step.
class TMultiProps : public TPropertyCollector, public TPropCollection
{
public:
    using TPropCollection::TPropCollection;

    void TargetNil(int index) override;
    void Add(QWidget *control) override;
    void Clear() override;
    void Delete(int index) override;
    // Recollect, then the inspector's RefreshGrid.
    void Update() override;

    void Load(const QStringList &names, const QStringList &captions,
              const QStringList &outNames) override;
    void Recollect() override;
};

// The cover menu's collection: made once for the current selection from a
// stage's own property lines ("name|caption") and out names.
class TContextProps : public TPropCollection
{
public:
    TContextProps(const QStringList &selfProps, const QStringList &outProps,
                  const TTargetList &selection, const ClassRegistry &registry);
};
