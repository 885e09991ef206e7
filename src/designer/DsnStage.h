#pragma once

#include "designer/DsnQueries.h"

#include <QColor>
#include <QFrame>
#include <QPointer>
#include <QStringList>

class ClassRegistry;
class ComponentOwner;
class QMenu;
class TDsnRegister;
class TOutlineOverlay;

// Outline pen and move grid of a stage. Colours are 0x00BBGGRR.
struct TRubberband
{
    qint64 Color = 0x808080;
    int PenWidth = 2;
    int MoveWidth = 8;
    int MoveHeight = 8;
};

// The panel a design lives on. With a register attached it is the design
// surface: its query events let the owner window steer what the register
// does. Without one it is only a container whose controls are saved to and
// loaded from a file.
class TDsnStage : public QFrame
{
    Q_OBJECT

public:
    explicit TDsnStage(ComponentOwner *owner, QWidget *parent = nullptr);
    ~TDsnStage() override;

    ComponentOwner *owner() const { return m_owner; }
    // The classes the stage's file holds; the report components by default.
    const ClassRegistry &classRegistry() const { return *m_registry; }
    void setClassRegistry(const ClassRegistry *registry);

    TDsnRegister *Register() const;
    void setRegister(TDsnRegister *dsnRegister);

    void SaveToFile(const QString &fileName);
    // Throws StreamError "<fileName> can not be read" on failure.
    void LoadFromFile(const QString &fileName);

    // Forwarded to the attached register; nothing without one.
    void DeleteSelected();
    void CutSelected();
    void CopySelected();
    void PasteFromClipboard();
    void RefreshSelection();

    // Called when design mode has ended and every cover is gone.
    virtual void DesignEnded() {}

    // The mouse-transparent layer above the stage that shows drag outlines.
    TOutlineOverlay *outlineOverlay();

    QStringList SelfProps;
    QStringList OutProps;
    TRubberband Rubberband;
    QPointer<QMenu> CoverMenu;
    bool FixPosition = false;
    bool FixSize = false;

    TDeleteQuery OnDeleteQuery;
    TCoverQuery OnCoverQuery;
    TSelectQuery OnSelectQuery;
    TMoveQuery OnMoveQuery;
    TComponentEvent OnControlCreate;
    TComponentEvent OnControlLoading;
    TComponentEvent OnControlLoaded;
    TCallCompoEditor OnCoverDblClick;
    TCallPropEditor OnMenuClick;
    TPopupEvent OnPopup;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void deliverDeferred(QEvent *event);
    void runCommand(void (TDsnStage::*command)());
    void forward(void (TDsnRegister::*command)());

    ComponentOwner *m_owner;
    const ClassRegistry *m_registry;
    QPointer<TDsnRegister> m_register;
    QPointer<TOutlineOverlay> m_overlay;
};
