#include "dialogs/PropertyEditWindow.h"

#include "dialogs/PropertyGrid.h"

#include <QVBoxLayout>

PropertyEditWindow::PropertyEditWindow(QObject *object, const PropertyTable &table, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), m_grid(new PropertyGrid(this))
{
    setObjectName(QStringLiteral("PropertyEditForm"));
    setWindowTitle(QStringLiteral("Property Edit"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(201, 324);
    m_grid->setObjectName(QStringLiteral("PropertyGrid"));
    m_grid->setObject(object, table,
                      [](const PropertyInfo &property) { return property.kind != PropKind::Set; });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    // An editor read anew from its settings file replaces the one shown.
    if (object)
        connect(object, &QObject::destroyed, this, &QWidget::close);
}

PropertyEditWindow *PropertyEditWindow::open(QObject *object, const PropertyTable &table,
                                             QWidget *owner)
{
    auto *window = new PropertyEditWindow(object, table, owner);
    if (owner) {
        const QRect frame = owner->window()->frameGeometry();
        window->move(frame.center() - QPoint(window->width() / 2, window->height() / 2));
    }
    window->show();
    return window;
}
