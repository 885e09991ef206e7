#include "designer/DsnSub8.h"

void THandler8Rect::CreateHandles()
{
    THandlerRect::CreateHandles();
    addHandle<TNakaueRect>();
    addHandle<TNakashitaRect>();
    addHandle<TNakamigiRect>();
    addHandle<TNakahidariRect>();
}
