#pragma once

#include "designer/MarkerManager.h"
#include "designer/ResizeHandle.h"
#include "designer/RubberBandRegister.h"

// The marks of one of several selected controls: no handle windows; the
// covers paint four grey squares inside the control's corners.
class CornerMarks : public SelectionMarker
{
public:
    explicit CornerMarks(QWidget *control);
    ~CornerMarks() override;

    void reposition() override;
};

// One selected control gets a handle set; two or more get marks.
class MarkingMarkerManager : public MarkerManager
{
public:
    using MarkerManager::MarkerManager;

    void addTarget(QWidget *control) override;
};

// Grey corner marks instead of handles while several controls are selected.
class MarkingRegister : public RubberBandRegister
{
    Q_OBJECT

public:
    using RubberBandRegister::RubberBandRegister;

    void setDesigning(bool value) override;
    bool paintsMarks() const override { return m_markPainter; }
    void targetAdded() override;

protected:
    std::unique_ptr<MarkerManager> createMarkerManager() override;
    Cover *createCover(QWidget *control) override;

private:
    bool m_markPainter = false;
};

// The four marks of a control whose client area starts at origin in the
// painter's coordinates.
void paintMarks(QPainter &painter, const QPoint &origin, const QSize &size);
