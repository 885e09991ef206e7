#pragma once

#include "designer/DesignQueries.h"

#include <QColor>
#include <QFrame>
#include <QPointer>
#include <QStringList>

class ClassRegistry;
class ComponentOwner;
class QMenu;
class DesignRegister;
class OutlineOverlay;

// Outline pen and move grid of a stage. Colours are 0x00BBGGRR.
struct RubberBandStyle
{
    qint64 color = 0x808080;
    int penWidth = 2;
    int moveWidth = 8;
    int moveHeight = 8;
};

// The panel a design lives on. With a register attached it is the design
// surface: its query events let the owner window steer what the register
// does. Without one it is only a container whose controls are saved to and
// loaded from a file.
class DesignStage : public QFrame
{
    Q_OBJECT

public:
    explicit DesignStage(ComponentOwner *owner, QWidget *parent = nullptr);
    ~DesignStage() override;

    ComponentOwner *owner() const { return m_owner; }
    // The classes the stage's file holds; the report components by default.
    const ClassRegistry &classRegistry() const { return *m_registry; }
    void setClassRegistry(const ClassRegistry *registry);

    DesignRegister *designRegister() const;
    void setRegister(DesignRegister *dsnRegister);

    void saveToFile(const QString &fileName);
    // Throws StreamError "<fileName> can not be read" on failure.
    void loadFromFile(const QString &fileName);

    // Forwarded to the attached register; nothing without one.
    void deleteSelected();
    void cutSelected();
    void copySelected();
    void pasteFromClipboard();
    void refreshSelection();

    // Called when design mode has ended and every cover is gone.
    virtual void designEnded() {}

    // The mouse-transparent layer above the stage that shows drag outlines.
    OutlineOverlay *outlineOverlay();

    QStringList selfProperties;
    QStringList excludedProperties;
    RubberBandStyle rubberBand;
    QPointer<QMenu> coverMenu;
    bool fixedPosition = false;
    bool fixedSize = false;

    DeleteQuery onDeleteQuery;
    CoverQuery onCoverQuery;
    SelectQuery onSelectQuery;
    MoveQuery onMoveQuery;
    ComponentEvent onControlCreate;
    ComponentEvent onControlLoading;
    ComponentEvent onControlLoaded;
    ComponentEditorCall onCoverDoubleClick;
    PropertyEditorCall onMenuClick;
    PopupEvent onPopup;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void deliverDeferred(QEvent *event);
    void runCommand(void (DesignStage::*command)());
    void forward(void (DesignRegister::*command)());

    ComponentOwner *m_owner;
    const ClassRegistry *m_registry;
    QPointer<DesignRegister> m_register;
    QPointer<OutlineOverlay> m_overlay;
};
