#pragma once

#include "designer/DsnSubGr.h"

// A single selected control gets eight handles; several get marks.
class TMultiDpHandler : public TMultiGrHandler
{
public:
    using TMultiGrHandler::TMultiGrHandler;

protected:
    std::unique_ptr<THandlerSet> CreateHandleSet(QWidget *control) override;
};

// The register of the report window.
class TDsnDpRegister : public TDsnGrRegister
{
    Q_OBJECT

public:
    using TDsnGrRegister::TDsnGrRegister;

protected:
    std::unique_ptr<TMultiHandler> CreateHandler() override;
};
