#pragma once

#include <QStringList>

class MainWindow;

namespace StartUp {

// Shows the splash window and the frame window, opens the given files and
// runs the event loop until the frame window closes.
int runDesigner(const QStringList &files);

// Opens each file in a report window of frame, as Open does: a design
// ("*.kfx") is opened, any other file imported. Relative paths are taken
// from the current directory now, before a file dialog changes it.
void openFiles(MainWindow &frame, const QStringList &files);

} // namespace StartUp
