#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class TDsnRegister;
class TTargetList;

// A component told of every design-mode change of its register.
class TDsnPartner : public QObject
{
    Q_OBJECT

public:
    explicit TDsnPartner(QObject *parent = nullptr);
    ~TDsnPartner() override;

    TDsnRegister *DsnRegister() const { return m_register.data(); }
    // Links the partner to dsnRegister (and unlinks it from the one before).
    void setDsnRegister(TDsnRegister *dsnRegister);
    void registerDestroyed(TDsnRegister *dsnRegister);

    bool designing() const { return m_designing; }
    virtual void DesignChanged(bool value);

    bool CanSelectControl(QWidget *control) const;
    void EnsureTargets();
    TTargetList *SelectionList() const;

private:
    QPointer<TDsnRegister> m_register;
    bool m_designing = false;
};
