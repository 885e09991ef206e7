#pragma once

#include "designer/DesignQueries.h"
#include "designer/SelectionList.h"

#include <QColor>
#include <QFrame>
#include <QMenu>
#include <QPointer>
#include <QStringList>

#include <memory>

class ClassRegistry;
class ComponentOwner;
class DesignChangeRecorder;
class DesignRegister;
class OutlineOverlay;
class QKeyEvent;

// Outline pen and move grid of a stage. Colours are 0x00BBGGRR.
struct RubberBandStyle
{
    qint64 color = 0x808080;
    int penWidth = 2;
    int moveWidth = 8;
    int moveHeight = 8;
};

// The panel a design lives on. With a register attached it is the design
// surface: its policy lets the owner window steer what the register does,
// and its signals tell the owner what happened. Without one it is only a
// container whose controls are saved to and loaded from a file.
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

    // The owner's answers to the register; allowing everything by default.
    const StagePolicy &policy() const;
    void setPolicy(std::unique_ptr<StagePolicy> policy);

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

    // Where changes of the design are announced; none by default.
    void setChangeRecorder(DesignChangeRecorder *recorder) { m_recorder = recorder; }
    // Brackets one change; nested brackets count as the outermost one.
    void beginChange();
    void endChange(const QString &text);
    // Said before a change frees a component of the design.
    void componentLeaving(QWidget *component);

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

    // Whether anything listens to menuClicked: property items act only then.
    bool hasMenuClickListener() const;

signals:
    // After a control was created from a template or pasted; deferred until
    // the gesture or command has finished.
    void controlCreated(QWidget *component);
    // While loading: the component is about to get its stored name.
    void controlLoading(QWidget *component);
    // For each component loaded; deferred until loading has finished.
    void controlLoaded(QWidget *component);
    void coverDoubleClicked(QWidget *component);
    // A property item of the cover menu was chosen; a listener may change
    // value, which is then written to every selected control.
    void menuClicked(const SelectedComponents &targets, const QString &propName, QString &value);
    // Just before the cover menu is shown.
    void coverMenuAboutToPopup(QMenu *menu);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void deliverDeferred(QEvent *event);
    // Arrows move the selection by a grid step, Shift+arrows size it,
    // Ctrl+A selects everything; true when the key was one of them.
    bool designKey(QKeyEvent *event);
    void runCommand(void (DesignStage::*command)());
    void forward(void (DesignRegister::*command)());

    ComponentOwner *m_owner;
    const ClassRegistry *m_registry;
    std::unique_ptr<StagePolicy> m_policy;
    QPointer<DesignRegister> m_register;
    QPointer<OutlineOverlay> m_overlay;
    DesignChangeRecorder *m_recorder = nullptr;
    int m_changeDepth = 0;
};
