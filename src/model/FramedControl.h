#pragma once

#include "model/ReportControl.h"

// The frame of page, bands and text items: the edges drawn as strips of
// Frame.color, Width points thick, inside the control's rectangle.
struct FrameRecord
{
    qint64 color = NamedValues::clBlack;
    bool drawTop = false;
    bool drawBottom = false;
    bool drawLeft = false;
    bool drawRight = false;
    int style = 0; // psSolid
    int width = 1;

    // The thickest frame a control takes, in points.
    static constexpr int MaxWidth = 1000;

    // Thickness of a strip in pixels, at least one.
    int stripPixels() const;
};

// The report base of page, bands and text items: a control with a frame
// whose extent is also kept in stored units.
class FramedControl : public ReportControl
{
    Q_OBJECT

public:
    using ReportControl::ReportControl;

    const FrameRecord &frame() const { return m_frame; }
    void setFrame(const FrameRecord &frame);

    // The page's zoom and the font size that the page's character cell
    // comes from; the defaults when the control lies on no page.
    int zoom() const;
    int pageFontPoints() const;

private:
    FrameRecord m_frame;
};
