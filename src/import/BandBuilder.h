#pragma once

#include "import/BandPlan.h"

#include <QRect>

class BandBase;
class ComponentOwner;
class ReportPage;

// Makes the band of a plan on the page, with its text items and code
// blocks, named as the design surface names new components. The band
// takes the place in the page's stack that slot gives (left, top, width),
// so that the page need not restack while the import adds bands.
BandBase *buildBand(const BandPlan &plan, ComponentOwner &owner, ReportPage *page,
                    const QRect &slot);
