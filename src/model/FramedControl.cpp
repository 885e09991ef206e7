#include "model/FramedControl.h"

#include "model/ReportPage.h"

#include <algorithm>

int FrameRecord::stripPixels() const
{
    return std::max(1, width * ReportControl::PixelsPerInch / 72);
}

void FramedControl::setFrame(const FrameRecord &frame)
{
    m_frame = frame;
    m_frame.width = std::clamp(frame.width, 0, FrameRecord::MaxWidth);
    refresh();
}

int FramedControl::zoom() const
{
    const ReportPage *owningPage = page();
    return owningPage ? owningPage->zoom() : 100;
}

int FramedControl::pageFontPoints() const
{
    const ReportPage *owningPage = page();
    return owningPage ? owningPage->fontPoints() : 12;
}
