#pragma once

#include <QRect>

#include <optional>

// The object inspector's place and size from one run to the next, kept in
// "KFX.ini" (section "Inspector": Left, Top, Width, Height).
namespace InspectorPlacementSettings {

// None when the keys are missing or not numbers.
std::optional<QRect> read();
bool write(const QRect &bounds);

} // namespace InspectorPlacementSettings
