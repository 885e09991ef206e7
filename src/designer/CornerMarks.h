#pragma once

#include "designer/SelectionMarker.h"

class QPainter;
class QPoint;
class QSize;

// The marks of one of several selected controls: no handle windows; the
// covers paint four grey squares inside the control's corners.
class CornerMarks : public SelectionMarker
{
public:
    explicit CornerMarks(QWidget *control);
    ~CornerMarks() override;

    void reposition() override;
};

// The four marks of a control whose client area starts at origin in the
// painter's coordinates.
void paintMarks(QPainter &painter, const QPoint &origin, const QSize &size);
