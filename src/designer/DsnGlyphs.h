#pragma once

#include <QIcon>
#include <QString>

// Small pictures of what the palette's buttons create, painted here so the
// program ships no image files.
namespace DsnGlyphs {

QIcon arrow();
// The picture for a template of className; a generic one for others.
QIcon forClass(const QString &className);

} // namespace DsnGlyphs
