#pragma once

#include "designer/DsnTargets.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class TCustomInspector;

// The register's property collector: a selection receiver that gathers the
// values the inspector shows. The register makes one for each selection
// list through its inspector, links it, binds it and loads it.
class TPropertyCollector : public TReceiveTargets
{
public:
    ~TPropertyCollector() override;

    void Bind(TCustomInspector *inspector);
    TCustomInspector *inspector() const { return m_inspector; }

    // The allowed names with their captions, and the names left out while
    // two or more controls are selected.
    virtual void Load(const QStringList &names, const QStringList &captions,
                      const QStringList &outNames) = 0;
    // Collects the values again for the names shown now.
    virtual void Recollect() = 0;

private:
    TCustomInspector *m_inspector = nullptr;
};

// What a register needs of an object inspector. The window opens when
// design mode starts and closes when it ends; the stage it is given is
// where it posts notification 1602 after writing a value.
class TCustomInspector : public QObject
{
    Q_OBJECT

public:
    explicit TCustomInspector(QObject *parent = nullptr);
    ~TCustomInspector() override;

    bool designing() const { return m_designing; }
    // Nothing when Value is unchanged; else OpenWindow or CloseWindow.
    virtual void SetDesigning(bool value);
    virtual void OpenWindow() = 0;
    virtual void CloseWindow() = 0;
    virtual void ApplyValue(const QString &propName, const QString &value) = 0;
    virtual void ButtonClick(const QString &propName, QString &value) = 0;
    virtual void RefreshGrid() = 0;
    // Asks the register (through the control's cover, notification 1601)
    // to make control the only selected one.
    virtual void SelectControl(QWidget *control);
    virtual void GetPropLists(QStringList &names, QStringList &captions) const = 0;
    virtual QStringList OutProps() const = 0;

    // A new, unbound and empty collector of the inspector's own kind.
    virtual std::unique_ptr<TPropertyCollector> CreateCollector() = 0;
    TPropertyCollector *collector() const { return m_collector; }

    void setStageWindow(QWidget *stage);
    QWidget *stageWindow() const;
    // Posts notification 1602 to the stage: handles follow changed bounds
    // and the grid is redrawn once the current event has finished.
    void requestSelectionRefresh();

private:
    friend class TPropertyCollector;

    bool m_designing = false;
    TPropertyCollector *m_collector = nullptr;
    QPointer<QWidget> m_stage;
};
