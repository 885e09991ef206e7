#pragma once

// A report page with a band, a break band and two text items, and an
// inspector with the report window's configuration whose collector follows
// a selection list, linked, bound and loaded as a register does it.

#include "designer/DsnInspector.h"
#include "designer/DsnMultiProps.h"
#include "designer/DsnReportInspector.h"
#include "designer/DsnTargets.h"
#include "model/ComponentOwner.h"
#include "model/mKomponents.h"

#include <memory>

struct InspectorFixture
{
    ComponentOwner owner;
    std::unique_ptr<TmPage> page;
    TmBand *band = nullptr;
    TmBreakBand *breakBand = nullptr;
    TmText *text = nullptr;
    TmText *text2 = nullptr;
    TDsnInspector inspector;
    TTargetList selection;
    std::unique_ptr<TPropertyCollector> collector;
    TMultiProps *props = nullptr;
    QStringList errors;

    InspectorFixture()
    {
        page = std::make_unique<TmPage>(&owner, nullptr);
        page->setNewReportValues();
        page->setName(QStringLiteral("mPage1"));
        band = new TmBand(&owner, page.get());
        band->setName(QStringLiteral("mBand1"));
        breakBand = new TmBreakBand(&owner, page.get());
        breakBand->setName(QStringLiteral("mBreakBand1"));
        text = new TmText(&owner, band);
        text->setName(QStringLiteral("mText1"));
        text->setBounds(10, 0, 100, 18);
        text2 = new TmText(&owner, band);
        text2->setName(QStringLiteral("mText2"));

        ReportInspector::configure(inspector);
        inspector.setErrorHandler([this](const QString &message) { errors.append(message); });
        collector = inspector.CreateCollector();
        props = dynamic_cast<TMultiProps *>(collector.get());
        selection.ReceiverAdded(collector.get());
        collector->Bind(&inspector);
        reload();
    }

    // Loads the collector with the inspector's lists again.
    void reload()
    {
        QStringList names;
        QStringList captions;
        inspector.GetPropLists(names, captions);
        collector->Load(names, captions, inspector.OutProps());
    }

    void select(const QList<QWidget *> &controls)
    {
        selection.Clear();
        for (QWidget *control : controls)
            selection.Add(control);
        selection.Update();
    }
};
