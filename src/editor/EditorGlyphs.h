#pragma once

#include <QImage>

// The gutter images of the source editors: one numbered bookmark glyph per
// image index, 11 x 14 pixels, drawn here so that they need no image files.
namespace EditorGlyphs {

inline constexpr int GlyphWidth = 11;
inline constexpr int GlyphHeight = 14;
inline constexpr int GlyphCount = 10;

QImage glyph(int index);

} // namespace EditorGlyphs
