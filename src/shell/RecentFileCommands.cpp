#include "shell/MainWindow.h"

#include "shell/BusyCursor.h"
#include "shell/RecentFilesMenu.h"

#include <QMenu>

// The File menu's recent files: what report windows open and write, and
// the text files the write commands write.

void MainWindow::createRecentFilesMenu()
{
    auto *fileMenu = findChild<QMenu *>(QStringLiteral("File1"));
    auto *exit = findChild<QAction *>(QStringLiteral("Zakocz1"));
    m_recentFiles = new RecentFilesMenu(fileMenu, exit, this);
    connect(m_recentFiles, &RecentFilesMenu::openRequested, this, &MainWindow::openRecentFile);
}

void MainWindow::openRecentFile(const QString &path)
{
    // Not a file dialog's choice: the folder of new reports stays.
    BusyCursor busy;
    openFile(path);
}
