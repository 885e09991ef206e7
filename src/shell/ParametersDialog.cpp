#include "shell/ParametersDialog.h"

#include "shell/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ParametersDialog::ParametersDialog(const QStringList &names, const QMap<QString, QString> &values,
                                   QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ParametersForm"));
    setWindowTitle(QStringLiteral("Report Parameters"));
    auto *form = new QFormLayout;
    for (const QString &name : names) {
        auto *edit = new QLineEdit(values.value(name));
        edit->setObjectName(QStringLiteral("Param_") + name);
        form->addRow(u'$' + name + u':', edit);
        m_fields.insert(name, edit);
    }
    const DialogButtons buttons = createOkCancelButtons();
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Values for the report's parameters:")));
    layout->addLayout(form);
    layout->addWidget(buttons.box);
}

QMap<QString, QString> ParametersDialog::values() const
{
    QMap<QString, QString> result;
    for (auto field = m_fields.begin(); field != m_fields.end(); ++field)
        result.insert(field.key(), field.value()->text());
    return result;
}

QLineEdit *ParametersDialog::field(const QString &name) const
{
    return m_fields.value(name);
}
