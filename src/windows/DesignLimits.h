#pragma once

#include <QString>

#include <optional>

// The largest design a report window shows. Components are widgets, and Qt
// paints the children of one parent that overlap what it repaints by
// recursing once per child, with some 290 bytes of stack a level: about
// 29,000 overlapping text items in one band fill a stack of 8 MiB. A
// design beyond these bounds is refused before anything of it is made;
// the command line, which shows nothing, reads it still.
namespace DesignLimits {

inline constexpr qint64 MostComponents = 100000;
inline constexpr qint64 MostInOneParent = 10000;

// Why the design file cannot be shown; nothing when it can, and when it
// cannot be read (the reader says why then).
std::optional<QString> refusal(const QString &fileName);

} // namespace DesignLimits
