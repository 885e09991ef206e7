#pragma once

#include <QLatin1StringView>

// The program's name and version, as the frame window's caption, the about
// box and --version show them.
namespace ProgramInfo {

inline constexpr QLatin1StringView Name("Kestrova");
inline constexpr QLatin1StringView Version("1.0 beta 1");

} // namespace ProgramInfo
