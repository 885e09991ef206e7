#pragma once

#include "model/PropertyInfo.h"

#include <QWidget>

class PropertyGrid;

// "Property Edit": a small tool window, always on top, listing the
// published settings of one object (an editor's font, colours and options)
// in a property grid; what the user changes there takes effect at once.
// Sets, methods and events are not listed. It closes with its owner, and
// when the object goes.
class PropertyEditWindow : public QWidget
{
    Q_OBJECT

public:
    PropertyEditWindow(QObject *object, const PropertyTable &table, QWidget *owner);

    // A new window on object, shown without waiting for it and centred on
    // the owner's frame window.
    static PropertyEditWindow *open(QObject *object, const PropertyTable &table, QWidget *owner);

    PropertyGrid *grid() const { return m_grid; }

private:
    PropertyGrid *m_grid;
};
