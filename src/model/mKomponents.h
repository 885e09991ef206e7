#pragma once

#include "model/ClassRegistry.h"
#include "model/TBandBase.h"
#include "model/TMBlockCode.h"
#include "model/TmBlock.h"
#include "model/TmPage.h"
#include "model/TmText.h"

// The report component classes a report window knows, with their
// published properties in stream order.
const ClassRegistry &reportClasses();

const PropertyTable &pagePropertyTable();
const PropertyTable &bandPropertyTable();
const PropertyTable &breakBandPropertyTable();
const PropertyTable &textPropertyTable();
const PropertyTable &blockCodePropertyTable();
const PropertyTable &blockPropertyTable();
