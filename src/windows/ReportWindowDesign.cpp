// The design side of a report window: its one page, and the answers to
// the design stage and the inspector that open dialogs.

#include "windows/ReportWindow.h"

#include "editor/SourceEditor.h"

#include "designer/DesignStage.h"
#include "designer/OnlyChild.h"

#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QEvent>

// A design always has exactly one page: a file that held none (or broke off
// before it) gets the template's empty page, and pages beyond the first
// are dropped.
void ReportWindow::ensureOnePage()
{
    ReportPage *page = keepOnlyChild<ReportPage>(m_reportStage, [this] {
        auto *created = new ReportPage(m_owner.get(), m_reportStage);
        created->setNewReportValues();
        created->setName(QStringLiteral("mPage1"));
        created->show();
        return created;
    });
    if (page == m_page)
        return;
    m_page = page;
    // The stage follows the page's size as page setup changes it.
    page->installEventFilter(this);
}

void ReportWindow::fitStageToPage()
{
    if (m_page)
        m_reportStage->resize(m_page->size());
}

bool ReportWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Type first: while the page is being destroyed it is no ReportPage any more,
    // and comparing with m_page would cast it to one.
    if (event->type() == QEvent::Resize && watched == m_page)
        fitStageToPage();
    return QWidget::eventFilter(watched, event);
}

void ReportWindow::reportStageCoverDoubleClicked(QWidget *component)
{
    switchOn();
    // Whatever the dialog changes is one step.
    DesignChangeScope change(m_reportStage, QStringLiteral("Edit ") + component->objectName());
    if (auto *page = qobject_cast<ReportPage *>(component)) {
        emit openPageSetup(page);
        return;
    }
    const bool hasCode = qobject_cast<TextItem *>(component) || qobject_cast<BandBase *>(component)
                         || qobject_cast<CodeBlock *>(component);
    if (hasCode)
        emit openCodeDialog(component);
}

void ReportWindow::editPropertyTriggered()
{
    if (m_sourceEditor)
        emit editProperty(m_sourceEditor);
}
