#include "model/FramedControl.h"

#include "model/TmPage.h"


int TFrameRecord::stripPixels() const
{
    return std::max(1, width * TReportControl::PixelsPerInch / 72);
}

void TFramedControl::setFrame(const TFrameRecord &frame)
{
    m_frame = frame;
    update();
}

int TFramedControl::zoom() const
{
    const TmPage *owningPage = page();
    return owningPage ? owningPage->zoom() : 100;
}

int TFramedControl::pageFontPoints() const
{
    const TmPage *owningPage = page();
    return owningPage ? owningPage->fontPoints() : 12;
}
