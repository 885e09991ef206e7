#pragma once

#include <QWidget>

// The first direct child of class T of parent, every other one deleted;
// made by create when parent has none.
template<class T, class Create>
T *keepOnlyChild(QWidget *parent, Create &&create)
{
    const QList<T *> children = parent->findChildren<T *>(Qt::FindDirectChildrenOnly);
    for (T *extra : children.mid(1))
        delete extra;
    return children.isEmpty() ? create() : children.first();
}
