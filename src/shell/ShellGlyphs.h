#pragma once

#include <QIcon>

// Pictures of the frame window's tool buttons and of the New Items window,
// painted here; only the program's own picture is an image file, shared
// with the desktop.
namespace ShellGlyphs {

QIcon newReport();
QIcon openReport();
QIcon closeApplication();
QIcon saveSource();
QIcon printSource();
QIcon find();
QIcon generate();
QIcon toggle();
// Two boxes lined up along the edge (or made the size) that the name says:
// "left", "right", "top", "bottom", "width", "height".
QIcon alignment(const QString &edge);

// 48-pixel pictures of the kinds of new report.
QIcon emptyReport();
QIcon tabularReport();
QIcon mailingLabels();

// The program's own picture (splash window, about box, window icon), from
// the icon the desktop entry installs, built into the program.
QIcon program();

} // namespace ShellGlyphs
