#pragma once

// A report page with a band, a break band and two text items, and an
// inspector with the report window's configuration whose collector follows
// a selection list, linked, bound and loaded as a register does it.

#include "designer/MultiProperties.h"
#include "designer/ObjectInspector.h"
#include "designer/ReportInspector.h"
#include "designer/SelectionList.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <memory>

struct InspectorFixture
{
    ComponentOwner owner;
    std::unique_ptr<ReportPage> page;
    Band *band = nullptr;
    BreakBand *breakBand = nullptr;
    TextItem *text = nullptr;
    TextItem *text2 = nullptr;
    ObjectInspector inspector;
    SelectionList selection;
    std::unique_ptr<PropertyCollector> collector;
    MultiProperties *props = nullptr;
    QStringList errors;

    InspectorFixture()
    {
        page = std::make_unique<ReportPage>(&owner, nullptr);
        page->setNewReportValues();
        page->setName(QStringLiteral("mPage1"));
        band = new Band(&owner, page.get());
        band->setName(QStringLiteral("mBand1"));
        breakBand = new BreakBand(&owner, page.get());
        breakBand->setName(QStringLiteral("mBreakBand1"));
        text = new TextItem(&owner, band);
        text->setName(QStringLiteral("mText1"));
        text->setBounds(10, 0, 100, 18);
        text2 = new TextItem(&owner, band);
        text2->setName(QStringLiteral("mText2"));

        ReportInspector::configure(inspector);
        inspector.setErrorHandler([this](const QString &message) { errors.append(message); });
        collector = inspector.createCollector();
        props = dynamic_cast<MultiProperties *>(collector.get());
        collector->listenTo(&selection);
        collector->bind(&inspector);
        reload();
    }

    // Loads the collector with the inspector's lists again.
    void reload()
    {
        QStringList names;
        QStringList captions;
        inspector.propertyLists(names, captions);
        collector->load(names, captions, inspector.excludedProperties());
    }

    void select(const QList<QWidget *> &controls)
    {
        selection.clearTargets();
        for (QWidget *control : controls)
            selection.addTarget(control);
        selection.refreshTargets();
    }
};
