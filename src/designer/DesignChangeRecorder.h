#pragma once

#include <QPointer>
#include <QString>

class DesignStage;
class QWidget;

// Hears of every change to a design, one user gesture or command at a time:
// the owner of a stage records each as an undoable step. begin comes
// before anything changes; end, with a name for the step ("Move 3 Items"),
// once the gesture or command has finished.
class DesignChangeRecorder
{
public:
    virtual ~DesignChangeRecorder() = default;
    virtual void beginChange() = 0;
    virtual void endChange(const QString &text) = 0;
    // Within a change: the component is about to be freed.
    virtual void componentLeaving(QWidget *component) = 0;
    // A component the change made, once the change has finished.
    virtual void componentMade(QWidget *component) = 0;
};

// One change, from construction to destruction. Changes made inside
// another (a cut deletes) become part of the outer one.
class DesignChangeScope
{
public:
    DesignChangeScope(DesignStage *stage, QString text);
    ~DesignChangeScope();
    DesignChangeScope(const DesignChangeScope &) = delete;
    DesignChangeScope &operator=(const DesignChangeScope &) = delete;

    void setText(const QString &text) { m_text = text; }

private:
    QPointer<DesignStage> m_stage;
    QString m_text;
};
