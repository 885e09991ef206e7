#pragma once

// Pixels per character column and per printed line with which generation
// turns design positions into Report-Writer columns and lines.
inline constexpr int GridColumnWidth = 10;
inline constexpr int GridLineHeight = 18;
