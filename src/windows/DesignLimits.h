#pragma once

#include <QString>

#include <optional>

// The largest design a report window shows. Text items and code blocks
// are painted by the control they lie on, but bands and block panels are
// widgets that Qt paints by recursing once per sibling that overlaps what
// it repaints, with some 290 bytes of stack a level; and every component
// costs its widget. A design beyond these bounds is refused before anything
// of it is made; the command line, which shows nothing, reads it still.
namespace DesignLimits {

inline constexpr qint64 MostComponents = 100000;
inline constexpr qint64 MostInOneParent = 10000;

// Why the design file cannot be shown; nothing when it can, and when it
// cannot be read (the reader says why then).
std::optional<QString> refusal(const QString &fileName);

} // namespace DesignLimits
