#include "windows/ReportCheckList.h"

#include "windows/ReportWindow.h"

#include "designer/DesignRegister.h"
#include "designer/SelectionPartner.h"
#include "editor/SourceEditor.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr QSize ListSize(520, 160);

QString rowText(const SourceProblem &found)
{
    QString text = QStringLiteral("%1: %2: %3")
                       .arg(found.problem.line)
                       .arg(found.problem.severityName(), found.problem.message);
    if (found.component)
        text += QStringLiteral(" [%1]").arg(found.component->objectName());
    return text;
}

} // namespace

ReportCheckList::ReportCheckList(ReportWindow *window)
    : QWidget(window,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_window(window),
      m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("CheckReportList"));
    setWindowTitle(QStringLiteral("Check Report"));
    resize(ListSize);
    m_list->setObjectName(QStringLiteral("ProblemList"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemActivated, this, &ReportCheckList::rowActivated);
}

ReportCheckList *ReportCheckList::of(ReportWindow *window)
{
    auto *list = window->findChild<ReportCheckList *>(QString(), Qt::FindDirectChildrenOnly);
    return list ? list : new ReportCheckList(window);
}

void ReportCheckList::showProblems(const QList<SourceProblem> &problems)
{
    m_problems = problems;
    m_list->clear();
    for (const SourceProblem &found : problems) {
        const bool error = found.problem.severity == CheckProblem::Error;
        const QIcon icon = style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                       : QStyle::SP_MessageBoxWarning);
        m_list->addItem(new QListWidgetItem(icon, rowText(found)));
    }
    if (problems.isEmpty()) {
        auto *none = new QListWidgetItem(QStringLiteral("No problems found."));
        none->setFlags(Qt::NoItemFlags);
        m_list->addItem(none);
    }
    setWindowTitle(QStringLiteral("Check Report: %1").arg(m_window->windowTitle()));
    placeBelowReport();
    show();
    raise();
}

// Over the lower edge of the report window, where it hides the least of
// the page, and on the screen.
void ReportCheckList::placeBelowReport()
{
    if (std::exchange(m_placed, true))
        return;
    QRect place(m_window->mapToGlobal(QPoint(0, m_window->height() - ListSize.height())), ListSize);
    if (const QScreen *screen = m_window->screen()) {
        const QRect available = screen->availableGeometry();
        place.moveBottom(std::min(place.bottom(), available.bottom()));
        place.moveLeft(std::max(place.left(), available.left()));
    }
    move(place.topLeft());
}

void ReportCheckList::rowActivated(QListWidgetItem *item)
{
    goToProblem(m_list->row(item));
}

void ReportCheckList::goToProblem(int row)
{
    if (row < 0 || row >= m_problems.size())
        return;
    const SourceProblem &found = m_problems[row];
    if (auto *subWindow = qobject_cast<QMdiSubWindow *>(m_window->parentWidget())) {
        if (QMdiArea *area = subWindow->mdiArea())
            area->setActiveSubWindow(subWindow);
    }
    SourceEditor *editor = m_window->sourceEditor();
    const int line = found.problem.line - 1;
    editor->setCursorPosition(line, 0);
    editor->ensureLineVisible(line);
    if (QWidget *component = found.component) {
        m_window->setActivePage(ReportWindow::Page::ReportForm);
        m_window->switchOn();
        m_window->selectionPartner()->selectComponent(component);
        m_window->scrollArea()->ensureWidgetVisible(component);
        return;
    }
    m_window->setActivePage(ReportWindow::Page::Source);
    m_window->switchOff();
    editor->setFocus();
}
