#pragma once

#include "model/PropertyInfo.h"

// Entries that several report classes share, in their stream order.
namespace CommonProperties {

// Name (never streamed: the object header carries it), Left, Top, Width, Height.
PropertyTable nameAndBounds();
// nameAndBounds() followed by the Frame record: the common head of page,
// bands and text items.
PropertyTable framedHead();
PropertyInfo font();
PropertyInfo parentFont();
PropertyInfo colour(const QString &name, std::optional<qint64> notStoredWhen);

} // namespace CommonProperties
