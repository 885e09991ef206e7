#include "designer/DsnSubDp.h"

#include "designer/DsnSub8.h"

std::unique_ptr<THandlerSet> TMultiDpHandler::CreateHandleSet(QWidget *control)
{
    auto set = std::make_unique<THandler8Rect>(control, settings());
    set->CreateHandles();
    return set;
}

std::unique_ptr<TMultiHandler> TDsnDpRegister::CreateHandler()
{
    return std::make_unique<TMultiDpHandler>();
}
