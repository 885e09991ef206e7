#pragma once

#include <QList>

class ComponentOwner;
class QRect;
class QWidget;

// What the design surface asks of any control on a stage.
namespace DesignControls {

// Non-windowed controls (code blocks) take no input themselves; the cover
// of their parent finds them under the pointer.
bool isWindowed(const QWidget *control);
// Whether the control shows only through its parent's painting.
bool isPaintedByParent(const QWidget *control);
// Repaints the control where it shows.
void repaint(QWidget *control);
// Whether new or pasted controls may be placed inside control.
bool acceptsChildControls(const QWidget *control);
bool isStage(const QWidget *control);
// Handles and the outline layer: widgets of the designer itself.
bool isDesignerPart(const QWidget *widget);
// The owner of a component of the design (none for foreign widgets).
ComponentOwner *ownerOf(const QWidget *control);

// Whether control is about to go with an ancestor that is deleting its
// children: nothing may be added to or drawn in its parent any more.
bool isGoingAway(const QWidget *control);

// The controls inside parent in child order: non-windowed ones first,
// then windowed ones, each in stacking order; no designer parts.
QList<QWidget *> childControls(const QWidget *parent);

// Moves and sizes a control the way its class keeps its extent.
void setBounds(QWidget *control, const QRect &bounds);
void setLeft(QWidget *control, int left);
void setTop(QWidget *control, int top);

} // namespace DesignControls
