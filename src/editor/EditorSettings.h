#pragma once

#include "model/ClassRegistry.h"

// The published settings of the source editor (class "TSourceEditor"), as
// the editor settings files "SRC.dat" and "BF.dat" store them.
const PropertyTable &sourceEditorPropertyTable();
ClassInfo sourceEditorClassInfo();
// The classes an editor stage knows: the source editor alone.
const ClassRegistry &sourceEditorClasses();
