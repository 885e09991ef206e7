#pragma once

#include "generation/GenerationOutlet.h"
#include "windows/OpenMode.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class ComponentOwner;
class QScrollArea;
class QTabWidget;
class TArrowButton;
class TCustomCmpPlt;
class TDsnDpRegister;
class TDsnInspector;
class TDsnSelect;
class TDsnStage;
class TDsnSwitch;
class TmPage;
class TProgressPanel;
class TSelectedComponents;
class TSourceEditor;

// One open report: the design of its page on the "Report Form" page and
// the Report-Writer source on the "Source" page. The window owns the
// design, its register, selection partner and inspector, and the source
// editor; the frame window lends it the shared palette.
//
// Creating the window loads the source editor's settings ("SRC.dat") and
// the completion word list when they exist or are named, reporting a file
// that is there but cannot be read, or a named word list that is not; the frame
// window shows its palette tool bar when it creates the first window.
// Closing the window (close box, close(), or FormClose() on its own at
// exit) writes the design and "SRC.dat" without asking. Generation and the
// UNIX writer let events run; a close that arrives meanwhile waits until
// they have finished.
class TChildWindowForm : public QWidget, private SourceSink
{
    Q_OBJECT

public:
    enum class Page { ReportForm, Source };

    // palette and arrowButton may be null (a window without creation from
    // a palette).
    explicit TChildWindowForm(TCustomCmpPlt *palette = nullptr,
                              TArrowButton *arrowButton = nullptr, QWidget *parent = nullptr);
    ~TChildWindowForm() override;

    // --- The document.

    // Sets up a freshly created window: design file name, caption, loading.
    // omNew takes name as the design file name itself (the typed name,
    // upper-cased, with ".kfx"); omDesign loads the design file when it
    // exists; omText imports the text file name into the source editor.
    void OpenReport(TOpenMode mode, const QString &name);

    QString DesignFileName() const { return m_designFileName; }
    // Write As: the new name; the caption is the caller's.
    void setDesignFileName(const QString &fileName) { m_designFileName = fileName; }

    // Each operation reports its own failure in a message box (ShowMessage)
    // and returns false then.
    bool LoadDesign(const QString &fileName);
    bool SaveDesign();
    bool LoadSourceText(const QString &fileName);
    // CR LF line ends, or LF when the text was last imported from a file
    // without CR.
    bool SaveSourceText(const QString &fileName);
    // LF line ends, with progress.
    bool WriteUnixFile(const QString &fileName);
    bool LoadEditorSettings(const QString &fileName);
    // Clears the source text first: the settings file never holds text.
    bool SaveEditorSettings(const QString &fileName);
    bool LoadCompletionList();

    // Fills the source editor from the design (progress in the progress
    // panel); false when generation failed and reported it. Does not switch
    // design mode or pages: the frame window's Generate does that.
    bool GenerateSource();
    // The window as generation sees it: page, progress, item marks of the
    // open code dialog, source editor, message box.
    GenerationWindow generationWindow();

    // The closing steps: design mode off, the design written, "SRC.dat"
    // written with an empty text. Runs once; closing the window afterwards
    // does not repeat them.
    void FormClose();

    // --- Pages and design mode.

    Page activePage() const;
    void setActivePage(Page page);
    bool isSourceActive() const { return activePage() == Page::Source; }

    // Design mode through the design switch; each is a no-op when the mode
    // is already so.
    void SwitchOn();
    void SwitchOff();
    bool designing() const;

    // --- Components, by their names in the window.

    QTabWidget *PageControl() const { return m_pageControl; }
    QWidget *ReportFormEdit() const { return m_reportFormEdit; }
    QWidget *SourcePanel() const { return m_sourcePanel; }
    QScrollArea *ScrollBox1() const { return m_scrollBox; }
    TDsnStage *DsnStageReport() const { return m_stageReport; }
    // The one page of the design; after LoadDesign the loaded page.
    TmPage *mPage1() const;
    TDsnSwitch *DsnSwitch1() const { return m_switch; }
    TDsnDpRegister *DsnRegisterReport() const { return m_register; }
    TDsnSelect *DsnSelect1() const { return m_select; }
    TDsnInspector *DsnInspector() const { return m_inspector; }
    TDsnStage *DsnStageSrc() const { return m_stageSrc; }
    // Replaced by LoadEditorSettings: ask again rather than keep it.
    TSourceEditor *SourceEditor() const;
    TProgressPanel *Panel1() const { return m_progress; }
    ComponentOwner &owner() const { return *m_owner; }

    // The open code dialog, in which band generation places item marks;
    // none when no dialog is open.
    ItemMarkOutlet *CodeDialog() const { return m_codeDialog; }
    void setCodeDialog(ItemMarkOutlet *dialog) { m_codeDialog = dialog; }

    // --- The dialogs opened from the design. Without a handler nothing
    // opens.

    // A double click on a text item, band, break band or code block.
    std::function<void(TChildWindowForm &window, QWidget *component)> OnOpenCodeDialog;
    // A double click on the page.
    std::function<void(TChildWindowForm &window, TmPage *page)> OnOpenPageSetup;
    // An inspector button; value is what the inspector then assigns.
    std::function<void(TChildWindowForm &window, const TSelectedComponents &targets,
                       const QString &propName, QString &value)>
        OnInspectorButton;
    // "Edit Property" of the source editor's context menu.
    std::function<void(TChildWindowForm &window, TSourceEditor *editor)> OnEditProperty;

signals:
    void activePageChanged(TChildWindowForm::Page page);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Composition.
    void createPages();
    void createReportStage();
    void createSourceStage();
    void createDesigner(TCustomCmpPlt *palette, TArrowButton *arrowButton);
    void adoptSourceEditor();
    void FormCreate();
    void FormShow();

    // Answers to the design stage.
    void DsnStageReportCoverDblClick(QObject *sender, QWidget *component);
    void DsnInspectorBtnClick(QObject *sender, const TSelectedComponents &targets,
                              const QString &propName, QString &value);
    void EditProperty1Click();

    // The document.
    void fitStageToPage();
    void ensureOnePage();
    // Work that lets events run keeps the window open until it is done.
    void beginBusy() { ++m_busy; }
    void endBusy();

    // SourceSink: generated lines are collected and handed over at once.
    void clearLines() override;
    void addLine(const QString &text) override;
    void endLines() override;

    std::unique_ptr<ComponentOwner> m_owner;
    QString m_designFileName;
    bool m_sourceWithCr = true;
    bool m_shown = false;
    bool m_closed = false;
    int m_busy = 0;
    bool m_closeWhenIdle = false;
    QStringList m_generatedLines;

    QTabWidget *m_pageControl = nullptr;
    QWidget *m_reportFormEdit = nullptr;
    QWidget *m_sourcePanel = nullptr;
    QScrollArea *m_scrollBox = nullptr;
    TDsnStage *m_stageReport = nullptr;
    QPointer<TmPage> m_page;
    TDsnSwitch *m_switch = nullptr;
    TDsnDpRegister *m_register = nullptr;
    TDsnSelect *m_select = nullptr;
    TDsnInspector *m_inspector = nullptr;
    TDsnStage *m_stageSrc = nullptr;
    QPointer<TSourceEditor> m_sourceEditor;
    TProgressPanel *m_progress = nullptr;
    ItemMarkOutlet *m_codeDialog = nullptr;
};
