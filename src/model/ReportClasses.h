#pragma once

#include "model/BandBase.h"
#include "model/BlockPanel.h"
#include "model/ClassRegistry.h"
#include "model/CodeBlock.h"
#include "model/ReportPage.h"
#include "model/TextItem.h"

// The report component classes a report window knows, with their
// published properties in stream order.
const ClassRegistry &reportClasses();

const PropertyTable &pagePropertyTable();
const PropertyTable &bandPropertyTable();
const PropertyTable &breakBandPropertyTable();
const PropertyTable &textPropertyTable();
const PropertyTable &blockCodePropertyTable();
const PropertyTable &blockPropertyTable();
