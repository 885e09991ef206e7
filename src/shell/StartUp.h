#pragma once

#include <QStringList>

namespace StartUp {

// Shows the splash window and the frame window, opens the given files and
// runs the event loop until the frame window closes.
int runDesigner(const QStringList &files);

} // namespace StartUp
