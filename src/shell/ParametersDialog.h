#pragma once

#include <QDialog>
#include <QMap>
#include <QStringList>

class QLineEdit;

// "Report Parameters": asks for the values of the report's $parameters
// before a preview runs, each field filled with the value of the last run.
class ParametersDialog : public QDialog
{
    Q_OBJECT

public:
    ParametersDialog(const QStringList &names, const QMap<QString, QString> &values,
                     QWidget *parent = nullptr);

    QMap<QString, QString> values() const;
    // The field of a parameter, named as the report spells it (without $).
    QLineEdit *field(const QString &name) const;

private:
    QMap<QString, QLineEdit *> m_fields;
};
