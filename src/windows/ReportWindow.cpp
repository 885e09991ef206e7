#include "windows/ReportWindow.h"

#include "windows/DesignChangeCapture.h"
#include "windows/FindDialog.h"
#include "windows/PreviewPage.h"
#include "windows/ProgressPanel.h"

#include "editor/EditorSettings.h"
#include "editor/SettingsFiles.h"
#include "editor/SourceEditor.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/DesignSwitch.h"
#include "designer/ObjectInspector.h"
#include "designer/OnlyChild.h"
#include "designer/ReportInspector.h"
#include "designer/ReportStageAnswers.h"
#include "designer/SelectionPartner.h"

#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QScrollArea>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

ReportWindow::ReportWindow(PaletteBase *palette, ArrowButton *arrowButton, QWidget *parent)
    : QWidget(parent), m_owner(std::make_unique<ComponentOwner>())
{
    setObjectName(QStringLiteral("ChildWindowForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Report"));
    resize(637, 508);

    createPages();
    createReportStage();
    createSourceStage();
    createDesigner(palette, arrowButton);
    m_undoStack = new QUndoStack(this);
    m_undoStack->setUndoLimit(200);
    // A step's undo runs before the stack moves: the caption follows the move.
    connect(m_undoStack, &QUndoStack::cleanChanged, this, [this] { updateCaption(); });
    m_reportStage->setChangeRecorder(this);
    m_progress = new ProgressPanel(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pageControl);
    layout->addWidget(m_progress);

    initialize();
}

ReportWindow::~ReportWindow()
{
    // What goes now is no change of the design, and the history going
    // with it tells nobody.
    m_reportStage->setChangeRecorder(nullptr);
    m_undoStack->blockSignals(true);
    // Pages going one by one are no pages the user chose.
    disconnect(m_pageControl, nullptr, this, nullptr);
    // The components go before the owner that knows them by name, and the
    // register before the stage it covers.
    delete m_register;
    delete m_pageControl;
}

FindDialog *ReportWindow::findDialog()
{
    if (!m_findDialog)
        m_findDialog = new FindDialog(sourceEditor(), this);
    return m_findDialog;
}

ReportPage *ReportWindow::mPage1() const
{
    return m_page.data();
}

SourceEditor *ReportWindow::sourceEditor() const
{
    return m_sourceEditor.data();
}

void ReportWindow::createPages()
{
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    m_pageControl->setTabPosition(QTabWidget::South);
    m_reportFormPage = new QWidget;
    m_reportFormPage->setObjectName(QStringLiteral("ReportFormEdit"));
    m_sourcePage = new QWidget;
    m_sourcePage->setObjectName(QStringLiteral("SourcePanel"));
    m_pageControl->addTab(m_reportFormPage, QStringLiteral("Report Form"));
    m_pageControl->addTab(m_sourcePage, QStringLiteral("Source"));
    m_previewPage = new PreviewPage;
    m_pageControl->addTab(m_previewPage, QStringLiteral("Preview"));
    connect(m_previewPage, &PreviewPage::runRequested, this, &ReportWindow::previewReport);
    connect(m_previewPage, &PreviewPage::sourceLineRequested, this, &ReportWindow::showPreviewLine);
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this] {
        // The form is always shown in design mode, however it was reached.
        if (activePage() == Page::ReportForm && m_shown && !m_closed && m_busy == 0)
            switchOn();
        if (activePage() == Page::Preview && !m_previewCommand && !m_closed && m_busy == 0)
            previewPageShown();
        emit activePageChanged(activePage());
    });
}

void ReportWindow::createReportStage()
{
    m_scrollArea = new QScrollArea(m_reportFormPage);
    m_scrollArea->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scrollArea->setBackgroundRole(QPalette::Dark);
    auto *layout = new QVBoxLayout(m_reportFormPage);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollArea);

    m_reportStage = new DesignStage(m_owner.get());
    m_reportStage->setObjectName(QStringLiteral("DsnStageReport"));
    m_reportStage->rubberBand = {0x808080, 2, 6, 18};
    m_reportStage->resize(551, 446);
    m_scrollArea->setWidget(m_reportStage);
    ReportStageAnswers::install(*m_reportStage);
    connect(m_reportStage, &DesignStage::coverDoubleClicked, this,
            &ReportWindow::reportStageCoverDoubleClicked);
    ensureOnePage();
}

void ReportWindow::createSourceStage()
{
    m_sourceStage = new DesignStage(m_owner.get(), m_sourcePage);
    m_sourceStage->setObjectName(QStringLiteral("DsnStageSrc"));
    m_sourceStage->setClassRegistry(&sourceEditorClasses());
    m_sourceStage->setFrameStyle(QFrame::NoFrame);
    m_sourceStage->rubberBand = {0x808080, 2, 8, 8};
    auto *pageLayout = new QVBoxLayout(m_sourcePage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_sourceStage);
    auto *stageLayout = new QVBoxLayout(m_sourceStage);
    stageLayout->setContentsMargins(0, 0, 0, 0);
    adoptSourceEditor();
}

void ReportWindow::createDesigner(PaletteBase *palette, ArrowButton *arrowButton)
{
    m_inspector = new ObjectInspector(this);
    m_inspector->setObjectName(QStringLiteral("DsnInspector"));
    ReportInspector::configure(*m_inspector);
    connect(m_inspector, &ObjectInspector::buttonClicked, this, &ReportWindow::inspectorButton);

    m_register = new DesignRegister(m_owner.get(), this);
    m_register->setObjectName(QStringLiteral("DsnRegisterReport"));
    m_register->setStage(m_reportStage);
    m_register->setPalette(palette);
    m_register->setArrowButton(arrowButton);
    m_register->setInspector(m_inspector);

    m_selectionPartner = new SelectionPartner(this);
    m_selectionPartner->setObjectName(QStringLiteral("DsnSelect1"));
    m_selectionPartner->setDesignRegister(m_register);

    m_switch = new DesignSwitch(this);
    m_switch->setObjectName(QStringLiteral("DsnSwitch1"));
    m_switch->setDesignRegister(m_register);
    m_switch->showsMessage = false;
    m_switch->hide();
}

// The source stage's editor is replaced whenever editor settings are read:
// the window takes whichever editor the stage now holds.
void ReportWindow::adoptSourceEditor()
{
    SourceEditor *editor = keepOnlyChild<SourceEditor>(m_sourceStage, [this] {
        auto *created = new SourceEditor(m_owner.get(), m_sourceStage);
        created->setObjectName(QStringLiteral("SourceEditor"));
        return created;
    });
    m_sourceEditor = editor;
    if (m_sourceStage->layout()->indexOf(editor) < 0)
        m_sourceStage->layout()->addWidget(editor);
    editor->show();
    connect(editor, &SourceEditor::editPropertyRequested, this,
            &ReportWindow::editPropertyTriggered, Qt::UniqueConnection);
    connect(editor, &QsciScintilla::modificationChanged, this, &ReportWindow::updateCaption,
            Qt::UniqueConnection);
}

void ReportWindow::initialize()
{
    setActivePage(Page::ReportForm);
    // A fresh installation has neither editor settings nor a word list: no
    // reason for a message box on every new window. A file that is there
    // but cannot be read, or a word list that is named but missing, is.
    const QString settings = SettingsFiles::sourceEditorSettingsPath();
    if (QFileInfo::exists(settings))
        loadEditorSettings(settings);
    if (!CompletionFile.isEmpty())
        loadCompletionList();
}

void ReportWindow::firstShow()
{
    switchOff();
    m_switch->setDesignRegister(m_register);
    switchOn();
    fitStageToPage();
}

void ReportWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_shown) {
        m_shown = true;
        firstShow();
    }
}

void ReportWindow::closeEvent(QCloseEvent *event)
{
    // Generation and the UNIX writer let events run; the window must not go
    // while they still work on it.
    if (m_busy > 0) {
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    if (closeReport())
        event->accept();
    else
        event->ignore();
}

ReportWindow::Page ReportWindow::activePage() const
{
    const QWidget *current = m_pageControl->currentWidget();
    if (current == m_sourcePage)
        return Page::Source;
    return current == m_previewPage ? Page::Preview : Page::ReportForm;
}

void ReportWindow::setActivePage(Page page)
{
    switch (page) {
    case Page::ReportForm:
        m_pageControl->setCurrentWidget(m_reportFormPage);
        break;
    case Page::Source:
        m_pageControl->setCurrentWidget(m_sourcePage);
        break;
    case Page::Preview:
        m_pageControl->setCurrentWidget(m_previewPage);
        break;
    }
}

void ReportWindow::switchOn()
{
    m_switch->switchOn();
}

void ReportWindow::switchOff()
{
    m_switch->switchOff();
}

bool ReportWindow::designing() const
{
    return m_register->designing();
}
