#pragma once

#include "designer/SelectionList.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class InspectorBase;

// The register's property collector: a selection receiver that gathers the
// values the inspector shows. The register makes one for each selection
// list through its inspector, connects it, binds it and loads it.
class PropertyCollector : public SelectionReceiver
{
public:
    ~PropertyCollector() override;

    void bind(InspectorBase *inspector);
    InspectorBase *inspector() const { return m_inspector; }

    // The allowed names with their captions, and the names left out while
    // two or more controls are selected.
    virtual void load(const QStringList &names, const QStringList &captions,
                      const QStringList &outNames) = 0;
    // Collects the values again for the names shown now.
    virtual void recollect() = 0;

private:
    InspectorBase *m_inspector = nullptr;
};

// What a register needs of an object inspector. The window opens when
// design mode starts and closes when it ends; the stage it is given is
// where it posts RefreshSelection after writing a value.
class InspectorBase : public QObject
{
    Q_OBJECT

public:
    explicit InspectorBase(QObject *parent = nullptr);
    ~InspectorBase() override;

    bool designing() const { return m_designing; }
    // Nothing when Value is unchanged; else openWindow or closeWindow.
    virtual void setDesigning(bool value);
    virtual void openWindow() = 0;
    virtual void closeWindow() = 0;
    virtual void applyValue(const QString &propName, const QString &value) = 0;
    virtual void buttonClick(const QString &propName, QString &value) = 0;
    virtual void refreshGrid() = 0;
    // Asks the register (through the control's cover, SelectOne)
    // to make control the only selected one.
    virtual void selectControl(QWidget *control);
    virtual void propertyLists(QStringList &names, QStringList &captions) const = 0;
    virtual QStringList excludedProperties() const = 0;

    // A new, unbound and empty collector of the inspector's own kind.
    virtual std::unique_ptr<PropertyCollector> createCollector() = 0;
    PropertyCollector *collector() const { return m_collector; }

    void setStageWindow(QWidget *stage);
    QWidget *stageWindow() const;
    // Posts RefreshSelection to the stage: handles follow changed bounds
    // and the grid is redrawn once the current event has finished.
    void requestSelectionRefresh();

private:
    friend class PropertyCollector;

    bool m_designing = false;
    PropertyCollector *m_collector = nullptr;
    QPointer<QWidget> m_stage;
};
