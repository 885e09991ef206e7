#include "shell/NewReportDialog.h"

#include "shell/DialogButtons.h"

#include "windows/FixedDialogSize.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewReportDialog::NewReportDialog(QWidget *parent) : QDialog(parent), m_edit(new QLineEdit)
{
    setObjectName(QStringLiteral("NowyraportForm"));
    setWindowTitle(QStringLiteral("New Report"));
    m_edit->setObjectName(QStringLiteral("Edit1"));

    auto *label = new QLabel(QStringLiteral("Report Name:"));
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(m_edit);

    const DialogButtons buttons = createOkCancelButtons();
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons.box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons.box);
    setFixedDialogSize(this, sizeHint().expandedTo(QSize(280, 0)));
    m_edit->setFocus();
}

QString NewReportDialog::reportName() const
{
    return m_edit->text();
}

QString emptyReportNameMessage()
{
    return QStringLiteral("Name cannot to be Empty.");
}

QString newReportFileName(const QString &name)
{
    // Blanks around a typed name would end up in the file name unseen.
    const QString upper = name.trimmed().toUpper();
    if (upper.isEmpty())
        return QString();
    return upper.contains(QLatin1StringView(".KFX")) ? upper : upper + QStringLiteral(".kfx");
}
