#pragma once

class ComponentOwner;
class QWidget;

// What the design surface asks of any control on a stage.
namespace DsnControls {

// Non-windowed controls (code blocks) take no input themselves; the cover
// of their parent finds them under the pointer.
bool isWindowed(const QWidget *control);
// Whether new or pasted controls may be placed inside control.
bool acceptsChildControls(const QWidget *control);
bool isStage(const QWidget *control);
// The owner of a component of the design (none for foreign widgets).
ComponentOwner *ownerOf(const QWidget *control);

} // namespace DsnControls
