#include "windows/ObjectListDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ObjectListDialog::ObjectListDialog(const QList<ObjectListEntry> &entries, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ObjListForm"));
    setWindowTitle(QStringLiteral("Objects"));
    resize(321, 251);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    for (const ObjectListEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.text, m_list);
        item->setData(Qt::UserRole, int(m_components.size()));
        m_components.append(entry.component);
    }
    m_list->sortItems();
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *select = new QPushButton(QStringLiteral("Select"), this);
    select->setObjectName(QStringLiteral("SelectButton"));
    select->setDefault(true);
    connect(select, &QPushButton::clicked, this, &QDialog::accept);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(select);
    buttons->addWidget(close);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

QWidget *ObjectListDialog::chosenComponent() const
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    return m_components.value(item->data(Qt::UserRole).toInt()).data();
}
