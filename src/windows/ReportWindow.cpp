#include "windows/ReportWindow.h"

#include "windows/OnlyChild.h"
#include "windows/ProgressPanel.h"

#include "editor/EditorSettings.h"
#include "editor/SettingsFiles.h"
#include "editor/SourceEditor.h"

#include "designer/DesignStage.h"
#include "designer/DesignSwitch.h"
#include "designer/ObjectInspector.h"
#include "designer/ReportInspector.h"
#include "designer/ReportRegister.h"
#include "designer/ReportStageAnswers.h"
#include "designer/SelectionPartner.h"

#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QScrollArea>
#include <QTabWidget>
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
    // The components go before the owner that knows them by name, and the
    // register before the stage it covers.
    delete m_register;
    delete m_pageControl;
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
    m_reportFormEdit = new QWidget;
    m_reportFormEdit->setObjectName(QStringLiteral("ReportFormEdit"));
    m_sourcePanel = new QWidget;
    m_sourcePanel->setObjectName(QStringLiteral("SourcePanel"));
    m_pageControl->addTab(m_reportFormEdit, QStringLiteral("Report Form"));
    m_pageControl->addTab(m_sourcePanel, QStringLiteral("Source"));
    connect(m_pageControl, &QTabWidget::currentChanged, this,
            [this] { emit activePageChanged(activePage()); });
}

void ReportWindow::createReportStage()
{
    m_scrollBox = new QScrollArea(m_reportFormEdit);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scrollBox->setBackgroundRole(QPalette::Dark);
    auto *layout = new QVBoxLayout(m_reportFormEdit);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollBox);

    m_stageReport = new DesignStage(m_owner.get());
    m_stageReport->setObjectName(QStringLiteral("DsnStageReport"));
    m_stageReport->rubberBand = {0x808080, 2, 6, 18};
    m_stageReport->resize(551, 446);
    m_scrollBox->setWidget(m_stageReport);
    ReportStageAnswers::install(*m_stageReport);
    connect(m_stageReport, &DesignStage::coverDoubleClicked, this,
            &ReportWindow::reportStageCoverDoubleClicked);
    ensureOnePage();
}

void ReportWindow::createSourceStage()
{
    m_stageSrc = new DesignStage(m_owner.get(), m_sourcePanel);
    m_stageSrc->setObjectName(QStringLiteral("DsnStageSrc"));
    m_stageSrc->setClassRegistry(&sourceEditorClasses());
    m_stageSrc->setFrameStyle(QFrame::NoFrame);
    m_stageSrc->rubberBand = {0x808080, 2, 8, 8};
    auto *pageLayout = new QVBoxLayout(m_sourcePanel);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_stageSrc);
    auto *stageLayout = new QVBoxLayout(m_stageSrc);
    stageLayout->setContentsMargins(0, 0, 0, 0);
    adoptSourceEditor();
}

void ReportWindow::createDesigner(PaletteBase *palette, ArrowButton *arrowButton)
{
    m_inspector = new ObjectInspector(this);
    m_inspector->setObjectName(QStringLiteral("DsnInspector"));
    ReportInspector::configure(*m_inspector);
    connect(m_inspector, &ObjectInspector::buttonClicked, this, &ReportWindow::inspectorButton);

    m_register = new ReportRegister(m_owner.get(), this);
    m_register->setObjectName(QStringLiteral("DsnRegisterReport"));
    m_register->setStage(m_stageReport);
    m_register->setPalette(palette);
    m_register->setArrowButton(arrowButton);
    m_register->setInspector(m_inspector);

    m_select = new SelectionPartner(this);
    m_select->setObjectName(QStringLiteral("DsnSelect1"));
    m_select->setDesignRegister(m_register);

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
    SourceEditor *editor = keepOnlyChild<SourceEditor>(m_stageSrc, [this] {
        auto *created = new SourceEditor(m_owner.get(), m_stageSrc);
        created->setObjectName(QStringLiteral("SourceEditor"));
        return created;
    });
    m_sourceEditor = editor;
    if (m_stageSrc->layout()->indexOf(editor) < 0)
        m_stageSrc->layout()->addWidget(editor);
    editor->show();
    connect(editor, &SourceEditor::editPropertyRequested, this,
            &ReportWindow::editPropertyTriggered, Qt::UniqueConnection);
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
    closeReport();
    event->accept();
}

ReportWindow::Page ReportWindow::activePage() const
{
    return m_pageControl->currentWidget() == m_sourcePanel ? Page::Source : Page::ReportForm;
}

void ReportWindow::setActivePage(Page page)
{
    m_pageControl->setCurrentWidget(page == Page::Source ? m_sourcePanel : m_reportFormEdit);
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
