#pragma once

#include "designer/DsnUnit.h"

// A register with Shift toggling and the rubber band: a drag with Ctrl
// held, or one started on a stage, selects the children it touches.
class TDsnMlRegister : public TDsnRegister
{
    Q_OBJECT

public:
    explicit TDsnMlRegister(ComponentOwner *owner, QObject *parent = nullptr);
    ~TDsnMlRegister() override;

    void ControlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                          TShiftState shift) override;
    void ControlMouseMove(QWidget *control, const QPoint &pos, TShiftState shift) override;
    void ControlMouseUp(QWidget *control, const QPoint &pos, TShiftState shift) override;
    void SetDesigning(bool value) override;

protected:
    virtual void BeginRubberband(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                 TShiftState shift);
    virtual void DragRubberband(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual void EndRubberband(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual std::unique_ptr<TMultiShape> CreateRubberbandShape();

    bool shiftToggles() const override { return true; }
    TSelectAccept adjustRightAnswer(QWidget *hitControl, TSelectAccept answer) const override;

private:
    std::unique_ptr<TMultiShape> m_rubberband;
};
