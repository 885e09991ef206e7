#pragma once

#include "designer/DsnHandle.h"

// Corner handles and edge-middle handles: eight in all.
class THandler8Rect : public THandlerRect
{
public:
    using THandlerRect::THandlerRect;

    void CreateHandles() override;
};
