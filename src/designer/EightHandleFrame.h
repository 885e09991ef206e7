#pragma once

#include "designer/HandleFrame.h"

// Corner handles and edge-middle handles: eight in all.
class EightHandleFrame : public HandleFrame
{
public:
    using HandleFrame::HandleFrame;

    void createHandles() override;
};
