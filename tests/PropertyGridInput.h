#pragma once

// Typing into a property grid as a user does.

#include <QTest>

#include "dialogs/PropertyGrid.h"

#include <QLineEdit>

// Types value into the grid's row of path: the row's record unfolded, the
// value cell edited, Return.
inline void typeIntoGrid(PropertyGrid *grid, const QString &path, const QString &value)
{
    QTreeWidgetItem *row = grid->row(path);
    QVERIFY(row);
    if (row->parent())
        grid->expandItem(row->parent());
    grid->editItem(row, 1);
    QLineEdit *edit = nullptr;
    for (QLineEdit *open : grid->findChildren<QLineEdit *>()) {
        if (open->isVisible())
            edit = open;
    }
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, value);
    QTest::keyClick(edit, Qt::Key_Return);
    // The grid takes the value once the key has been handled.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
