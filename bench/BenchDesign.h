#pragma once

// The designs the benchmarks measure: a page with bands of text items,
// built in memory the way a report window holds them.

#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QCoreApplication>
#include <QWidget>

#include <memory>

struct BenchDesign : ComponentOwner
{
    ~BenchDesign() override { stage.reset(); }
    std::unique_ptr<QWidget> stage = std::make_unique<QWidget>();
    ReportPage *page = nullptr;
};

// items text items spread over bandCount bands, seven to a row and five
// rows to a band; named by the clash rule unless one name is given for
// all of them. The events their making posted are delivered.
inline std::unique_ptr<BenchDesign> buildBenchDesign(int items, int bandCount,
                                                     const QString &oneName = {})
{
    auto design = std::make_unique<BenchDesign>();
    design->page = new ReportPage(design.get(), design->stage.get());
    design->page->setName(QStringLiteral("mPage1"));
    design->page->setNewReportValues();
    const int perBand = items / bandCount;
    for (int b = 0; b < bandCount; ++b) {
        auto *band = new Band(design.get(), design->page);
        band->setName(QStringLiteral("mBand%1").arg(b + 1));
        band->setTypeOrdinal(b == 0 ? Header : Detail);
        band->setHeightPx(18 * 5);
        for (int i = 0; i < perBand; ++i) {
            auto *text = new TextItem(design.get(), band);
            text->setName(oneName.isEmpty() ? QStringLiteral("mText%1").arg(b * perBand + i + 1)
                                            : oneName);
            text->setBounds((i % 7) * 100, (i / 7 % 5) * 18, 100, 18);
            text->setCaption(QStringLiteral("column_%1").arg(i));
            text->format = QStringLiteral("c10");
            text->setFontSize(8);
        }
    }
    QCoreApplication::sendPostedEvents();
    return design;
}
