#pragma once

#include "designer/DsnQueries.h"
#include "designer/DsnShift.h"
#include "designer/DsnTargets.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>

class ComponentOwner;
class QMenu;
struct ReaderHooks;
class TArrowButton;
class TCustomCmpPlt;
class TCustomInspector;
class TDsnCtrl;
class TDsnPartner;
class TDsnStage;
class TMultiHandler;
class TMultiShape;
class TPropertyCollector;

// The design register: switches a stage into design mode and out of it,
// covers its controls, keeps the selection, turns the covers' mouse input
// into selection, moves, resizes and creation, and carries out delete,
// cut, copy and paste, asking the stage's query events for permission.
class TDsnRegister : public QObject
{
    Q_OBJECT

public:
    explicit TDsnRegister(ComponentOwner *owner, QObject *parent = nullptr);
    ~TDsnRegister() override;

    ComponentOwner *owner() const { return m_owner; }

    TDsnStage *DsnStage() const;
    void setDsnStage(TDsnStage *stage);
    TCustomCmpPlt *DsnPanel() const;
    void setDsnPanel(TCustomCmpPlt *palette);
    TCustomInspector *DsnInspector() const;
    void setDsnInspector(TCustomInspector *inspector);
    TArrowButton *ArrowButton() const;
    void setArrowButton(TArrowButton *button);

    bool designing() const { return m_designing; }
    virtual void SetDesigning(bool value);

    virtual bool CanCopy() const;
    virtual bool CanPaste() const;
    virtual void CutSelected();
    virtual void CopySelected();
    // Throws StreamError when the clipboard's stream cannot be read.
    virtual void PasteFromClipboard();
    virtual void DeleteSelected();
    void ClearSelection();

    virtual void AddPartner(TDsnPartner *partner);
    virtual void RemovePartner(TDsnPartner *partner);
    // receiver is linked to every selection list made from now on.
    virtual void AddReceiver(TReceiveTargets *receiver);
    void RemoveReceiver(TReceiveTargets *receiver);

    bool CanSelectControl(QWidget *control);
    void SelectOnly(QWidget *control);

    // The selection list, or none before the first need in design mode.
    TTargetList *targets() const { return m_targets.get(); }
    TTargetList *EnsureTargets();
    bool SameParent() const;
    QPoint SnapPoint(const QPoint &point) const;
    TMultiHandler *handler() const { return m_handler.get(); }
    TPropertyCollector *collector() const { return m_collector.get(); }
    const QList<TDsnCtrl *> &covers() const { return m_covers; }
    TDsnCtrl *coverOf(const QWidget *control) const;
    // Whether covers paint the grey marks of several selected controls.
    virtual bool paintsMarks() const { return false; }
    // Whether a gesture runs (an outline exists).
    bool hasShape() const { return m_shape != nullptr; }

    // Called by the covers.
    virtual void ControlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                  TShiftState shift);
    virtual void ControlMouseMove(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual void ControlMouseUp(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual void CoverDblClick(QWidget *hitControl);
    virtual void CoverRightClick(QWidget *control, QWidget *hitControl, int x, int y);
    virtual void TargetsResized(const QRect &oldBounds);
    virtual void TargetsMoved(int dx, int dy);
    virtual void TargetAdded() {}
    // Covers control and, as the cover query allows, its descendants.
    void CoverControl(QWidget *control);
    // Notification 1600: a released cover is freed, another re-attached.
    void coverRecreated(TDsnCtrl *cover);

protected:
    virtual void CoverRemoved(TDsnCtrl *) {}
    virtual void TargetRemoved(QWidget *) {}
    virtual std::unique_ptr<TMultiHandler> CreateHandler();
    virtual std::unique_ptr<TMultiShape> CreateShape(const QColor &color, int penWidth);
    void RenewShape(const QColor &color, int penWidth);
    virtual TDsnCtrl *CreateCover(QWidget *control);
    virtual void CreateTargets();
    void CoverAll();
    void UncoverAll();

    virtual void BeginCreate(QWidget *control, QWidget *hitControl, const QPoint &pos,
                             TShiftState shift);
    virtual void DragCreate(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual void EndCreate(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual void BeginMove(QWidget *control, QWidget *hitControl, const QPoint &pos,
                           TShiftState shift);
    virtual void DragMove(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual void EndMove(QWidget *control, const QPoint &pos, TShiftState shift);
    virtual void RightSelect(QWidget *control, QWidget *hitControl, int x, int y);
    virtual QWidget *PasteParent() const;
    virtual void ControlRead(QWidget *control);
    virtual void NameControl(QWidget *component);
    // A clone of the template as a child of parent; none when it failed.
    QWidget *CloneTemplate(QWidget *templateControl, QWidget *parent);
    virtual void BuildCoverMenu();
    void restoreCoverMenu();

    // Pieces the variants share.
    bool templateCurrent() const;
    // Shift-clicks toggle a control in the selection instead of moving.
    virtual bool shiftToggles() const { return false; }
    virtual TSelectAccept adjustRightAnswer(QWidget *, TSelectAccept answer) const
    {
        return answer;
    }
    TSelectAccept askSelect(QObject *sender, QWidget *component) const;
    TCoverAccept askCover(QObject *sender, QWidget *component) const;
    void setGestureContainer(QWidget *control, QWidget *hitControl);
    // Step 5 of a press: which controls a press on hitControl selects.
    void pressSelect(QWidget *hitControl);
    // The container and the position in it that a creation or rubber band
    // starting on control at pos uses.
    QPoint containerPoint(QWidget *control, const QPoint &pos);
    QPoint toContainer(QWidget *control, const QPoint &point) const;
    void finishLeftoverShape();
    QColor outlineColor() const;
    int outlinePenWidth() const { return m_penWidth; }
    QWidget *container() const { return m_container; }
    QPoint gestureStart() const { return m_start; }
    void setGestureStart(const QPoint &start) { m_start = start; }
    TMultiShape *shape() const { return m_shape.get(); }
    void watch(QObject *component);

private:
    friend class TDsnSelectionWatch;

    void coverTree(QWidget *control);
    void componentDestroyed(QObject *component);
    void postCreated(QWidget *component);
    ReaderHooks creationHooks();
    void placePasted(QWidget *control);
    QString clashFreeName(QWidget *component, const QString &proposed) const;

    ComponentOwner *m_owner;
    QPointer<TDsnStage> m_stage;
    QPointer<TCustomCmpPlt> m_palette;
    QPointer<TCustomInspector> m_inspector;
    QPointer<TArrowButton> m_arrow;
    bool m_designing = false;

    QList<TDsnCtrl *> m_covers;
    TDsnCtrl *m_lastCover = nullptr;
    std::unique_ptr<TTargetList> m_targets;
    std::unique_ptr<TReceiveTargets> m_watch;
    QList<TDsnPartner *> m_partners;
    QList<TReceiveTargets *> m_receivers;

    qint64 m_color = 0x808080;
    int m_penWidth = 2;
    int m_moveWidth = 8;
    int m_moveHeight = 8;

    QPointer<QWidget> m_container;
    QPoint m_start;
    QPointer<QWidget> m_newControl;
    std::unique_ptr<TMultiHandler> m_handler;
    std::unique_ptr<TMultiShape> m_shape;
    std::unique_ptr<TPropertyCollector> m_collector;
    QPointer<QMenu> m_coverMenu;
    int m_borrowed = 0;
};

// A 0x00BBGGRR colour value as a QColor.
QColor colorOfValue(qint64 value);
