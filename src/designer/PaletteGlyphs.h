#pragma once

#include <QIcon>
#include <QString>

#include <functional>

class QPainter;

// Small pictures of what the palette's buttons create, painted here so the
// program ships no image files.
namespace PaletteGlyphs {

// An icon of size pixels square, drawn by draw on a 24-unit square.
QIcon paintedIcon(int size, const std::function<void(QPainter &)> &draw);

QIcon arrow();
// The picture for a template of className; a generic one for others.
QIcon forClass(const QString &className);

} // namespace PaletteGlyphs
