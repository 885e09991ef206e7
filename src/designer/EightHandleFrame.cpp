#include "designer/EightHandleFrame.h"

void EightHandleFrame::createHandles()
{
    HandleFrame::createHandles();
    addHandle(HandlePlace::TopMiddle);
    addHandle(HandlePlace::BottomMiddle);
    addHandle(HandlePlace::MiddleRight);
    addHandle(HandlePlace::MiddleLeft);
}
