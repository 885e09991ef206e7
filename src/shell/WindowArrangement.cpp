#include "shell/MainWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

// The Window menu: arranging the report windows and the list of them.

void MainWindow::cascadeTriggered()
{
    m_mdiArea->cascadeSubWindows();
}

void MainWindow::tileHorizontallyTriggered()
{
    tile(Qt::Vertical);
}

void MainWindow::tileVerticallyTriggered()
{
    tile(Qt::Horizontal);
}

// Gives each window that is not minimised an equal share of the frame's
// client area, stacked along orientation.
void MainWindow::tile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *subWindow : m_mdiArea->subWindowList()) {
        if (subWindow->isVisible() && !subWindow->isMinimized())
            windows.append(subWindow);
    }
    const QRect area = m_mdiArea->viewport()->rect();
    const int count = int(windows.size());
    for (int i = 0; i < count; ++i) {
        QRect share;
        if (orientation == Qt::Vertical) {
            const int top = area.height() * i / count;
            share = QRect(0, top, area.width(), area.height() * (i + 1) / count - top);
        } else {
            const int left = area.width() * i / count;
            share = QRect(left, 0, area.width() * (i + 1) / count - left, area.height());
        }
        windows[i]->showNormal();
        windows[i]->setGeometry(share);
    }
}

void MainWindow::fillWindowList()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowListActions.append(m_windowMenu->addSeparator());
    const QMdiSubWindow *current = m_mdiArea->currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *subWindow = windows[i];
        // The number is the access key of the first nine entries.
        const QString number =
            i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
        QString title = subWindow->windowTitle();
        title.replace(u'&', QStringLiteral("&&"));
        QAction *entry = m_windowMenu->addAction(number + title);
        entry->setCheckable(true);
        entry->setChecked(subWindow == current);
        connect(entry, &QAction::triggered, this,
                [this, subWindow] { m_mdiArea->setActiveSubWindow(subWindow); });
        m_windowListActions.append(entry);
    }
}
