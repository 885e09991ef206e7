#include "windows/ChildWindowFrm.h"

#include "windows/OnlyChild.h"
#include "windows/ProgressPanel.h"

#include "dialogs/EditorSettings.h"
#include "dialogs/SettingsFiles.h"
#include "dialogs/SourceEditor.h"

#include "designer/DsnInspector.h"
#include "designer/DsnReportInspector.h"
#include "designer/DsnSelect.h"
#include "designer/DsnStage.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnSwitch.h"
#include "designer/ReportStageAnswers.h"

#include "model/ComponentOwner.h"
#include "model/mKomponents.h"

#include <QFileInfo>
#include <QCloseEvent>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

TChildWindowForm::TChildWindowForm(TCustomCmpPlt *palette, TArrowButton *arrowButton,
                                   QWidget *parent)
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
    m_progress = new TProgressPanel(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pageControl);
    layout->addWidget(m_progress);

    FormCreate();
}

TChildWindowForm::~TChildWindowForm()
{
    // The components go before the owner that knows them by name, and the
    // register before the stage it covers.
    delete m_register;
    delete m_pageControl;
}

TmPage *TChildWindowForm::mPage1() const
{
    return m_page.data();
}

TSourceEditor *TChildWindowForm::SourceEditor() const
{
    return m_sourceEditor.data();
}

void TChildWindowForm::createPages()
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

void TChildWindowForm::createReportStage()
{
    m_scrollBox = new QScrollArea(m_reportFormEdit);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scrollBox->setBackgroundRole(QPalette::Dark);
    auto *layout = new QVBoxLayout(m_reportFormEdit);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollBox);

    m_stageReport = new TDsnStage(m_owner.get());
    m_stageReport->setObjectName(QStringLiteral("DsnStageReport"));
    m_stageReport->Rubberband = {0x808080, 2, 6, 18};
    m_stageReport->resize(551, 446);
    m_scrollBox->setWidget(m_stageReport);
    ReportStageAnswers::install(*m_stageReport);
    m_stageReport->OnCoverDblClick = [this](QObject *sender, QWidget *component) {
        DsnStageReportCoverDblClick(sender, component);
    };
    ensureOnePage();
}

void TChildWindowForm::createSourceStage()
{
    m_stageSrc = new TDsnStage(m_owner.get(), m_sourcePanel);
    m_stageSrc->setObjectName(QStringLiteral("DsnStageSrc"));
    m_stageSrc->setClassRegistry(&sourceEditorClasses());
    m_stageSrc->setFrameStyle(QFrame::NoFrame);
    m_stageSrc->Rubberband = {0x808080, 2, 8, 8};
    auto *pageLayout = new QVBoxLayout(m_sourcePanel);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_stageSrc);
    auto *stageLayout = new QVBoxLayout(m_stageSrc);
    stageLayout->setContentsMargins(0, 0, 0, 0);
    adoptSourceEditor();
}

void TChildWindowForm::createDesigner(TCustomCmpPlt *palette, TArrowButton *arrowButton)
{
    m_inspector = new TDsnInspector(this);
    m_inspector->setObjectName(QStringLiteral("DsnInspector"));
    ReportInspector::configure(*m_inspector);
    m_inspector->OnBtnClick = [this](QObject *sender, const TSelectedComponents &targets,
                                     const QString &propName, QString &value) {
        DsnInspectorBtnClick(sender, targets, propName, value);
    };

    m_register = new TDsnDpRegister(m_owner.get(), this);
    m_register->setObjectName(QStringLiteral("DsnRegisterReport"));
    m_register->setDsnStage(m_stageReport);
    m_register->setDsnPanel(palette);
    m_register->setArrowButton(arrowButton);
    m_register->setDsnInspector(m_inspector);

    m_select = new TDsnSelect(this);
    m_select->setObjectName(QStringLiteral("DsnSelect1"));
    m_select->setDsnRegister(m_register);

    m_switch = new TDsnSwitch(this);
    m_switch->setObjectName(QStringLiteral("DsnSwitch1"));
    m_switch->setDsnRegister(m_register);
    m_switch->DsnMessageFlg = false;
    m_switch->hide();
}

// The source stage's editor is replaced whenever editor settings are read:
// the window takes whichever editor the stage now holds.
void TChildWindowForm::adoptSourceEditor()
{
    TSourceEditor *editor = keepOnlyChild<TSourceEditor>(m_stageSrc, [this] {
        auto *created = new TSourceEditor(m_owner.get(), m_stageSrc);
        created->setObjectName(QStringLiteral("SourceEditor"));
        return created;
    });
    m_sourceEditor = editor;
    if (m_stageSrc->layout()->indexOf(editor) < 0)
        m_stageSrc->layout()->addWidget(editor);
    editor->show();
    connect(editor, &TSourceEditor::editPropertyRequested, this,
            &TChildWindowForm::EditProperty1Click, Qt::UniqueConnection);
}

void TChildWindowForm::FormCreate()
{
    setActivePage(Page::ReportForm);
    // A fresh installation has neither editor settings nor a word list: no
    // reason for a message box on every new window. A file that is there
    // but cannot be read, or a word list that is named but missing, is.
    const QString settings = SettingsFiles::sourceEditorSettingsPath();
    if (QFileInfo::exists(settings))
        LoadEditorSettings(settings);
    if (!CompletionFile.isEmpty())
        LoadCompletionList();
}

void TChildWindowForm::FormShow()
{
    SwitchOff();
    m_switch->setDsnRegister(m_register);
    SwitchOn();
    fitStageToPage();
}

void TChildWindowForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TChildWindowForm::closeEvent(QCloseEvent *event)
{
    // Generation and the UNIX writer let events run; the window must not go
    // while they still work on it.
    if (m_busy > 0) {
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

TChildWindowForm::Page TChildWindowForm::activePage() const
{
    return m_pageControl->currentWidget() == m_sourcePanel ? Page::Source : Page::ReportForm;
}

void TChildWindowForm::setActivePage(Page page)
{
    m_pageControl->setCurrentWidget(page == Page::Source ? m_sourcePanel : m_reportFormEdit);
}

void TChildWindowForm::SwitchOn()
{
    m_switch->SwitchOn();
}

void TChildWindowForm::SwitchOff()
{
    m_switch->SwitchOff();
}

bool TChildWindowForm::designing() const
{
    return m_register->designing();
}
