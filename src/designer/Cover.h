#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class ComponentOwner;
class DesignRegister;
class QMouseEvent;

// Interception of one widget's events (an event filter on the widget).
class InputAgent : public QObject
{
    Q_OBJECT

public:
    explicit InputAgent(QWidget *window, QObject *parent = nullptr);
    ~InputAgent() override;

    QWidget *window() const { return m_window; }
    // The intercepted widget's address, still comparable while it is being
    // destroyed.
    const QObject *identity() const { return m_identity; }
    bool isInstalled() const { return m_installed; }
    // Throws std::runtime_error "Subclassing is failure." when the widget
    // cannot be intercepted.
    void install();
    void remove();

private:
    QPointer<QWidget> m_window;
    const QObject *m_identity;
    bool m_installed = false;
};

// Makes a widget that is no component of the design transparent to the
// pointer, so the pointer reaches the covered control around it.
class ChildInputAgent : public InputAgent
{
    Q_OBJECT

public:
    explicit ChildInputAgent(QWidget *window);
    ~ChildInputAgent() override;

private:
    bool m_wasTransparent;
};

// An agent for a control's widget with the child agents of its foreign
// child widgets.
class ClientInputAgent : public InputAgent
{
    Q_OBJECT

public:
    using InputAgent::InputAgent;
    ~ClientInputAgent() override;

    // Puts a child agent on window and on every widget below it.
    void makeTransparent(QWidget *window);
    // Makes every child of the intercepted widget transparent that is no
    // component of owner and no part of the designer.
    void makeForeignChildrenTransparent(const ComponentOwner *owner);
    void freeChildAgents() { m_childAgents.clear(); }
    int childAgentCount() const { return int(m_childAgents.size()); }

private:
    std::vector<std::unique_ptr<ChildInputAgent>> m_childAgents;
};

// A cover: takes over the input of a designed control and hands presses,
// moves, releases, double clicks and right presses to its register, keeps
// the keyboard focus on the stage and lets the control paint as usual.
class Cover : public ClientInputAgent
{
    Q_OBJECT

public:
    Cover(QWidget *control, DesignRegister *dsnRegister);
    ~Cover() override;

    QWidget *control() const { return window(); }
    QWidget *hitControl() const { return m_hitControl; }
    bool isReleased() const { return m_released; }
    // The register no longer owns the cover; its control may be going away.
    void release() { m_released = true; }
    // CoverRecreated to the stage, which frees a released cover.
    void scheduleRelease(QWidget *stage);
    // Frees the child agents and makes the foreign children of the
    // control's widget transparent again (CoverRecreated).
    void reattach();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Paints the grey marks of the selected controls the cover shows.
    void paintSelectionMarks();
    QWidget *hitControlAt(const QPoint &position) const;
    // The pointer over a covered control that the covered control paints
    // reaches the control's own cover from here, from press to release.
    bool forwardToPaintedControl(QMouseEvent *event);
    QWidget *paintedCoveredControlAt(const QPoint &position) const;
    bool mouseEvent(QMouseEvent *event);
    bool pressEvent(QMouseEvent *event);
    bool notification(QEvent *event);
    void focusStage();
    void scheduleReattach();

    QPointer<DesignRegister> m_register;
    QPointer<QWidget> m_hitControl;
    QPointer<QWidget> m_pointerReceiver;
    QPoint m_lastPosition;
    bool m_pressed = false;
    bool m_released = false;
    bool m_wasTracking = false;
    bool m_reattachPending = false;
};
