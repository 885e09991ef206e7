#pragma once

#include "windows/ComponentPaths.h"

#include <QByteArray>
#include <QList>

// A component made or freed by a change: where it sits (or sat) and its
// stream with its children, as a block that the reader takes.
struct PlacedComponent
{
    ComponentPath path;
    QByteArray block;
};

// A component that stayed while a change altered its own stored values:
// its streams on its own, before and after, and its paths then.
struct EditedComponent
{
    ComponentPath pathBefore;
    ComponentPath pathAfter;
    QByteArray before;
    QByteArray after;
};

// What one change did to a design, and nothing of what it left alone.
// Freeing comes before making within a change: undo makes the made go
// first, puts the freed back in the reverse of their order (each path as
// it was when that one went), then restores the edited; redo does each
// the other way round.
struct DesignChange
{
    QList<PlacedComponent> deleted;
    QList<PlacedComponent> created; // in path order
    QList<EditedComponent> edited;
    QList<ComponentPath> selectionBefore;
    QList<ComponentPath> selectionAfter;

    bool isEmpty() const { return deleted.isEmpty() && created.isEmpty() && edited.isEmpty(); }
    // The bytes the change keeps, to say what a step costs.
    qsizetype size() const;
};
