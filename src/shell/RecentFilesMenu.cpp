#include "shell/RecentFilesMenu.h"

#include "shell/RecentFiles.h"
#include "shell/Settings.h"

#include "windows/ReportWindow.h"
#include "windows/ShowMessage.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

// Longer paths lose the middle of their folder; the file name stays whole.
constexpr qsizetype LongestShownPath = 60;

QString shownPath(const QString &path)
{
    QString shown = QDir::toNativeSeparators(path);
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (home != QDir::separator() && shown.startsWith(home + QDir::separator()))
        shown = u'~' + shown.mid(home.size());
    const QString name = QFileInfo(path).fileName();
    const qsizetype head = std::max<qsizetype>(LongestShownPath - name.size() - 2, 12);
    if (shown.size() > LongestShownPath && head + name.size() + 2 < shown.size())
        shown = shown.left(head) + QChar(0x2026) + QDir::separator() + name;
    // An '&' would mark an access key.
    return shown.replace(u'&', QStringLiteral("&&"));
}

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu *menu, QAction *before, QWidget *window)
    : QObject(window), m_window(window)
{
    for (int number = 1; number <= RecentFiles::MaxCount; ++number) {
        auto *entry = new QAction(menu);
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(number));
        entry->setShortcut(QKeySequence(QStringLiteral("Alt+%1").arg(number)));
        entry->setShortcutContext(Qt::ApplicationShortcut);
        connect(entry, &QAction::triggered, this, [this, number] { choose(number - 1); });
        menu->insertAction(before, entry);
        m_entries.append(entry);
    }
    m_separator = new QAction(menu);
    m_separator->setObjectName(QStringLiteral("RecentFilesSeparator"));
    m_separator->setSeparator(true);
    menu->insertAction(before, m_separator);

    connect(menu, &QMenu::aboutToShow, this, [this] { show(RecentFiles::dropGone()); });
    show(RecentFiles::read());
}

void RecentFilesMenu::add(const QString &path)
{
    QString reason;
    if (!RecentFiles::add(path, &reason))
        Settings::showWriteFailure(m_window, reason);
    show(RecentFiles::read());
}

void RecentFilesMenu::follow(ReportWindow *window)
{
    connect(window, &ReportWindow::documentOpened, this, &RecentFilesMenu::add);
    connect(window, &ReportWindow::designWritten, this, &RecentFilesMenu::add);
}

void RecentFilesMenu::show(const QStringList &paths)
{
    m_paths = paths.mid(0, m_entries.size());
    for (qsizetype index = 0; index < m_entries.size(); ++index) {
        QAction *entry = m_entries[index];
        const bool used = index < m_paths.size();
        entry->setVisible(used);
        entry->setText(used ? QStringLiteral("&%1 %2").arg(index + 1).arg(shownPath(m_paths[index]))
                            : QString());
        entry->setStatusTip(used ? m_paths[index] : QString());
    }
    m_separator->setVisible(!m_paths.isEmpty());
}

void RecentFilesMenu::choose(int index)
{
    if (index >= m_paths.size())
        return;
    const QString path = m_paths[index];
    if (QFileInfo(path).isFile()) {
        emit openRequested(path);
        return;
    }
    show(RecentFiles::dropGone());
    showMessage(m_window, QStringLiteral("ERROR. Cannot open file: ") + path);
}
