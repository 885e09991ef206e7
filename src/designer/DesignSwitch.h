#pragma once

#include <QPointer>
#include <QToolButton>

class DesignRegister;

// A toggle button that switches its register's design mode.
class DesignSwitch : public QToolButton
{
    Q_OBJECT

public:
    explicit DesignSwitch(QWidget *parent = nullptr);

    DesignRegister *designRegister() const;
    void setDesignRegister(DesignRegister *dsnRegister);

    void switchOn();
    void switchOff();

    bool showsMessage = false;
    QString startMessage = QStringLiteral("Now, Starting Design");

signals:
    // After the register has followed a click.
    void switched(bool designing);

private:
    void act();

    QPointer<DesignRegister> m_register;
};
