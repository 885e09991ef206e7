#include "windows/ReportCheckList.h"

#include "windows/ReportWindow.h"

#include "designer/DesignRegister.h"
#include "designer/SelectionPartner.h"
#include "editor/SourceEditor.h"
#include "generation/Generator.h"
#include "model/CodeBlock.h"
#include "model/ReportPage.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <exception>
#include <utility>

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
    connect(window->undoStack(), &QUndoStack::indexChanged, this, &ReportCheckList::designChanged);
}

ReportCheckList *ReportCheckList::of(ReportWindow *window)
{
    auto *list = window->findChild<ReportCheckList *>(QString(), Qt::FindDirectChildrenOnly);
    return list ? list : new ReportCheckList(window);
}

void ReportCheckList::showProblems(const QList<SourceProblem> &problems)
{
    m_sourceCurrent = true;
    fillList(problems);
    placeBesideReport();
    show();
    raise();
}

// After the command that changed the design has finished, once for all
// the changes it made.
void ReportCheckList::designChanged()
{
    if (!isVisible() || std::exchange(m_checkPending, true))
        return;
    QTimer::singleShot(0, this, [this] {
        m_checkPending = false;
        if (isVisible())
            checkAgain();
    });
}

void ReportCheckList::checkAgain()
{
    ReportPage *page = m_window->mPage1();
    if (!page)
        return;
    // Generated aside: the page keeps its code, the Source page its text.
    GenerationWindow generation;
    generation.page = page;
    const CodeLines kept = page->pageCode;
    CodeLines generated;
    try {
        generatePageCode(generation, page);
        generated = page->pageCode;
    } catch (const std::exception &) {
        page->pageCode = kept;
        return; // the list stays as it was; Check Report says why
    }
    page->pageCode = kept;
    m_sourceCurrent = false;
    fillList(GeneratedSourceCheck::check(generated));
}

void ReportCheckList::fillList(const QList<SourceProblem> &problems)
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
}

// Beside the report window, right of it or else left of it, where it hides
// none of the page or its tabs; below it when neither side has room; and
// wholly on the screen.
void ReportCheckList::placeBesideReport()
{
    if (std::exchange(m_placed, true))
        return;
    QWidget *report = m_window->parentWidget() ? m_window->parentWidget() : m_window;
    const QRect reportRect(report->mapToGlobal(QPoint(0, 0)), report->size());
    const QScreen *screen = m_window->screen();
    const QRect available = screen ? screen->availableGeometry() : reportRect;
    QRect place(QPoint(reportRect.right() + 1, reportRect.top()), ListSize);
    if (place.right() > available.right())
        place.moveRight(reportRect.left() - 1);
    if (place.left() < available.left()) {
        place.moveTopLeft(QPoint(reportRect.left(), reportRect.bottom() + 1));
        if (place.bottom() > available.bottom())
            place.moveTop(reportRect.top());
    }
    place.moveRight(std::min(place.right(), available.right()));
    place.moveLeft(std::max(place.left(), available.left()));
    place.moveBottom(std::min(place.bottom(), available.bottom()));
    place.moveTop(std::max(place.top(), available.top()));
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
    // The line numbers are those of the design's source as generated now.
    if (!m_sourceCurrent) {
        m_window->switchOff();
        m_sourceCurrent = m_window->generateSource();
    }
    SourceEditor *editor = m_window->sourceEditor();
    const int line = found.problem.line - 1;
    editor->setCursorPosition(line, 0);
    editor->ensureLineVisible(line);
    QWidget *component = found.component;
    if (component && !qobject_cast<CodeBlock *>(component)) {
        m_window->setActivePage(ReportWindow::Page::ReportForm);
        m_window->switchOn();
        m_window->selectionPartner()->selectComponent(component);
        m_window->scrollArea()->ensureWidgetVisible(component);
        return;
    }
    m_window->setActivePage(ReportWindow::Page::Source);
    m_window->switchOff();
    // Selected with the caret at its start.
    editor->setSelection(line, int(editor->lineText(line).size()), line, 0);
    editor->setFocus();
}
