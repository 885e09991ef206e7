#pragma once

#include "import/BandPlan.h"

class BandBase;
class ComponentOwner;
class ReportPage;

// Makes the band of a plan on the page, with its text items and code
// blocks, named as the design surface names new components.
BandBase *buildBand(const BandPlan &plan, ComponentOwner &owner, ReportPage *page);
