#pragma once

#include <QPointer>
#include <QToolButton>

class TDsnRegister;

// A toggle button that switches its register's design mode.
class TDsnSwitch : public QToolButton
{
    Q_OBJECT

public:
    explicit TDsnSwitch(QWidget *parent = nullptr);

    TDsnRegister *DsnRegister() const;
    void setDsnRegister(TDsnRegister *dsnRegister);

    void SwitchOn();
    void SwitchOff();

    bool DsnMessageFlg = false;
    QString DsnMessage = QStringLiteral("Now, Starting Design");

signals:
    // After the register has followed a click.
    void switched(bool designing);

private:
    void act();

    QPointer<TDsnRegister> m_register;
};
