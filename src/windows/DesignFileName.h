#pragma once

#include <QString>

// The design file ("*.kfx") that belongs to a report file name: the
// extension (from the last "." of the file-name part) replaced by ".kfx",
// or ".kfx" appended to a name without one; a name that already has the
// extension ".kfx" in any letter case is the design file itself. Folders
// and letter case of the rest stay as given.
QString designFileNameFor(const QString &fileName);

// Whether fileName names a design file: its extension is ".kfx" in any
// letter case.
bool isDesignFileName(const QString &fileName);
