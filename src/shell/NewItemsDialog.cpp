#include "shell/NewItemsDialog.h"

#include "shell/ShellGlyphs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

NewItemsDialog::NewItemsDialog(QWidget *parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("NewProjectForm"));
    setWindowTitle(QStringLiteral("New Items"));
    setSizeGripEnabled(true);

    auto *kinds = new QWidget;
    kinds->setObjectName(QStringLiteral("NewReportSheet"));
    auto *row = new QHBoxLayout(kinds);
    m_empty = kindButton(QStringLiteral("EmptyReportButton"), QStringLiteral("Empty Report"),
                         ShellGlyphs::emptyReport(), true);
    row->addWidget(m_empty);
    row->addWidget(kindButton(QStringLiteral("TabularReportButton"),
                              QStringLiteral("Tabular Report"), ShellGlyphs::tabularReport(),
                              false));
    row->addWidget(kindButton(QStringLiteral("MailingLabelsButton"),
                              QStringLiteral("Mailing Labels"), ShellGlyphs::mailingLabels(),
                              false));
    row->addStretch();
    connect(m_empty, &QToolButton::clicked, this, &QDialog::accept);

    auto *pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(kinds, QStringLiteral("New report"));

    // The platform's close box may be missing; Cancel always closes.
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("ButtonStrip"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    resize(sizeHint().expandedTo(QSize(360, 200)));
    m_empty->setFocus();
}

QToolButton *NewItemsDialog::kindButton(const QString &name, const QString &caption,
                                        const QIcon &icon, bool available)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(48, 48));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setMinimumSize(96, 80);
    button->setEnabled(available);
    return button;
}

void NewItemsDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto *kind = qobject_cast<QToolButton *>(focusWidget());
    if (enter && kind && kind->isEnabled()) {
        kind->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
