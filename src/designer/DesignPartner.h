#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class DesignRegister;
class SelectionList;

// A component told of every design-mode change of its register.
class DesignPartner : public QObject
{
    Q_OBJECT

public:
    explicit DesignPartner(QObject *parent = nullptr);
    ~DesignPartner() override;

    DesignRegister *designRegister() const { return m_register.data(); }
    // Links the partner to dsnRegister (and unlinks it from the one before).
    void setDesignRegister(DesignRegister *dsnRegister);
    void registerDestroyed(DesignRegister *dsnRegister);

    bool designing() const { return m_designing; }
    virtual void designChanged(bool value);

    bool canSelectControl(QWidget *control) const;
    void ensureSelectionList();
    SelectionList *selectionList() const;

private:
    QPointer<DesignRegister> m_register;
    bool m_designing = false;
};
