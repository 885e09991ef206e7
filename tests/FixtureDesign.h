#pragma once

// A design read from a fixture file of tests/data the way a report window
// reads one: onto a stage, with every read error handled.

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include <QWidget>

#include <memory>

struct FixtureDesign
{
    explicit FixtureDesign(const QString &name)
    {
        ObjectStream::loadStageFile(stage.get(), QStringLiteral(KESTROVA_TEST_DATA "/") + name,
                                    owner, reportClasses());
    }

    ReportPage *page() const
    {
        return stage->findChild<ReportPage *>(QString(), Qt::FindDirectChildrenOnly);
    }
    template<class T>
    T *find(QStringView name) const
    {
        return qobject_cast<T *>(owner.findComponent(name));
    }

    ComponentOwner owner;
    // Declared after the owner: the components go while it still knows them.
    std::unique_ptr<QWidget> stage = std::make_unique<QWidget>();
};
