#pragma once

#include "designer/DesignPartner.h"
#include "designer/SelectionList.h"

#include <memory>

enum SelectOperation { soAdded, soCleared, soDeleted, soReleased };

class SelectionPartner;

// A copy of the selection that tells its partner of every change.
class SelectionManager : public SelectionReceiver
{
public:
    explicit SelectionManager(SelectionPartner *partner) : m_partner(partner) {}

    void forgetTarget(int index) override;
    void addTarget(QWidget *control) override;
    void clearTargets() override;
    void removeTarget(int index) override;

    const QList<QWidget *> &items() const { return m_items; }

private:
    void announce(SelectOperation operation);

    SelectionPartner *m_partner;
    QList<QWidget *> m_items;
};

// The selection partner through which another window selects components
// and learns of selection changes.
class SelectionPartner : public DesignPartner
{
    Q_OBJECT

public:
    explicit SelectionPartner(QObject *parent = nullptr);
    ~SelectionPartner() override;

    void designChanged(bool value) override;
    void selectComponent(QWidget *component);
    // Selects every entry once one of them may be selected.
    void selectComponents(const QList<QWidget *> &components);

    SelectionManager *mirror() const { return m_mirror.get(); }

signals:
    // The selection changed by operation; targets is a copy of it.
    void selectionChanged(const SelectedComponents &targets, SelectOperation operation);

private:
    std::unique_ptr<SelectionManager> m_mirror;
};
