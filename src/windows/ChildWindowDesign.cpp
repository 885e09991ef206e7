// The design side of a report window: its one page, and the answers to
// the design stage and the inspector that open dialogs.

#include "windows/ChildWindowFrm.h"

#include "windows/OnlyChild.h"

#include "dialogs/SourceEditor.h"

#include "designer/DsnStage.h"

#include "model/ComponentOwner.h"
#include "model/mKomponents.h"

#include <QEvent>

// A design always has exactly one page: a file that held none (or broke off
// before it) gets the template's empty page, and pages beyond the first
// are dropped.
void TChildWindowForm::ensureOnePage()
{
    TmPage *page = keepOnlyChild<TmPage>(m_stageReport, [this] {
        auto *created = new TmPage(m_owner.get(), m_stageReport);
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

void TChildWindowForm::fitStageToPage()
{
    if (m_page)
        m_stageReport->resize(m_page->size());
}

bool TChildWindowForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && event->type() == QEvent::Resize)
        fitStageToPage();
    return QWidget::eventFilter(watched, event);
}

void TChildWindowForm::DsnStageReportCoverDblClick(QObject *, QWidget *component)
{
    SwitchOn();
    if (auto *page = qobject_cast<TmPage *>(component)) {
        if (OnOpenPageSetup)
            OnOpenPageSetup(*this, page);
        return;
    }
    const bool hasCode = qobject_cast<TmText *>(component) || qobject_cast<TBandBase *>(component)
        || qobject_cast<TMBlockCode *>(component);
    if (hasCode && OnOpenCodeDialog)
        OnOpenCodeDialog(*this, component);
}

void TChildWindowForm::DsnInspectorBtnClick(QObject *, const TSelectedComponents &targets,
                                            const QString &propName, QString &value)
{
    if (OnInspectorButton)
        OnInspectorButton(*this, targets, propName, value);
}

void TChildWindowForm::EditProperty1Click()
{
    if (OnEditProperty && m_sourceEditor)
        OnEditProperty(*this, m_sourceEditor);
}
