#pragma once

class ObjectInspector;

namespace ReportInspector {

// The configuration of a report window's inspector: the properties it
// lists, those edited through the owner's dialogs, the standard rows,
// window place and column widths.
void configure(ObjectInspector &inspector);

} // namespace ReportInspector
