#pragma once

#include "windows/ObjectList.h"

#include <QDialog>

class QListWidget;

// The "Objects" window: every report component by name and class, sorted;
// Select or a double click chooses the highlighted one.
class ObjectListDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ObjectListDialog(const QList<ObjectListEntry> &entries, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // The component of the highlighted entry once Select was pressed; none
    // when nothing was highlighted or the component has gone since.
    QWidget *chosenComponent() const;

private:
    QListWidget *m_list = nullptr;
    // Entries keep the index of their component here.
    QList<QPointer<QWidget>> m_components;
};
