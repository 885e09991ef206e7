#pragma once

#include "designer/DsnPartner.h"
#include "designer/DsnTargets.h"

#include <functional>
#include <memory>

enum TSelectOperation { soAdded, soCleared, soDeleted, soReleased };

using TChangeSelected = std::function<void(QObject *sender, const TSelectedComponents &targets,
                                           TSelectOperation operation)>;

class TDsnSelect;

// A copy of the selection that tells its partner of every change.
class TSelectionManager : public TReceiveTargets
{
public:
    explicit TSelectionManager(TDsnSelect *partner) : m_partner(partner) {}

    void TargetNil(int index) override;
    void Add(QWidget *control) override;
    void Clear() override;
    void Delete(int index) override;

    const QList<QWidget *> &items() const { return m_items; }

private:
    void announce(TSelectOperation operation);

    TDsnSelect *m_partner;
    QList<QWidget *> m_items;
};

// The selection partner through which another window selects components
// and learns of selection changes.
class TDsnSelect : public TDsnPartner
{
    Q_OBJECT

public:
    explicit TDsnSelect(QObject *parent = nullptr);
    ~TDsnSelect() override;

    void DesignChanged(bool value) override;
    void SelectComponent(QWidget *component);
    // Selects every entry once one of them may be selected.
    void SelectComponents(const QList<QWidget *> &components);

    TSelectionManager *mirror() const { return m_mirror.get(); }

    TChangeSelected OnChangeSelected;

private:
    std::unique_ptr<TSelectionManager> m_mirror;
};
