#pragma once

#include "designer/DesignRegister.h"

// A register with Shift toggling and the rubber band: a drag with Ctrl
// held, or one started on a stage, selects the children it touches.
class RubberBandRegister : public DesignRegister
{
    Q_OBJECT

public:
    explicit RubberBandRegister(ComponentOwner *owner, QObject *parent = nullptr);
    ~RubberBandRegister() override;

    void controlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                          ShiftState shift) override;
    void controlMouseMove(QWidget *control, const QPoint &pos, ShiftState shift) override;
    void controlMouseUp(QWidget *control, const QPoint &pos, ShiftState shift) override;
    void setDesigning(bool value) override;

protected:
    virtual void beginRubberBand(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                 ShiftState shift);
    virtual void dragRubberBand(QWidget *control, const QPoint &pos, ShiftState shift);
    virtual void endRubberBand(QWidget *control, const QPoint &pos, ShiftState shift);
    virtual std::unique_ptr<OutlineGroup> createRubberBandShape();

    bool shiftToggles() const override { return true; }
    SelectAnswer adjustRightAnswer(QWidget *hitControl, SelectAnswer answer) const override;

private:
    std::unique_ptr<OutlineGroup> m_rubberband;
};
