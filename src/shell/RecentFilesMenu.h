#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;
class ReportWindow;

// The recent files at the end of a menu: "&1 ~/reports/SALES.kfx" and so
// on, most recent first, chosen also with Alt+1 to Alt+8 wherever the user
// types in the program. The entries follow every change of the list; each
// time the menu opens, files that are gone are dropped from it.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    // The entries and a separator go into menu before the action before;
    // window owns them and shows what goes wrong.
    RecentFilesMenu(QMenu *menu, QAction *before, QWidget *window);

    // A file opened or written moves to the top. A list that cannot be
    // written keeps its entries: the file was opened all the same.
    void add(const QString &path);
    // Adds what window reads and the designs it writes.
    void follow(ReportWindow *window);

    // The paths the entries show, in order.
    const QStringList &paths() const { return m_paths; }

signals:
    // An entry was chosen whose file is there.
    void openRequested(const QString &path);

private:
    void show(const QStringList &paths);
    void choose(int index);

    QWidget *m_window = nullptr;
    QList<QAction *> m_entries;
    QAction *m_separator = nullptr;
    QStringList m_paths;
};
