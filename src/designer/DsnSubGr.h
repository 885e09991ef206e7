#pragma once

#include "designer/DsnHandle.h"
#include "designer/DsnSubMl.h"

// The marks of one of several selected controls: no handle windows; the
// covers paint four grey squares inside the control's corners.
class THandlerGrRect : public THandlerSet
{
public:
    explicit THandlerGrRect(QWidget *control);
    ~THandlerGrRect() override;

    void Reposition() override;
};

// One selected control gets a handle set; two or more get marks.
class TMultiGrHandler : public TMultiHandler
{
public:
    using TMultiHandler::TMultiHandler;

    void Add(QWidget *control) override;
};

// Grey corner marks instead of handles while several controls are selected.
class TDsnGrRegister : public TDsnMlRegister
{
    Q_OBJECT

public:
    using TDsnMlRegister::TDsnMlRegister;

    void SetDesigning(bool value) override;
    bool paintsMarks() const override { return m_markPainter; }
    void TargetAdded() override;

protected:
    std::unique_ptr<TMultiHandler> CreateHandler() override;
    TDsnCtrl *CreateCover(QWidget *control) override;

private:
    bool m_markPainter = false;
};

// The four marks of a control whose client area starts at origin in the
// painter's coordinates.
void paintMarks(QPainter &painter, const QPoint &origin, const QSize &size);
