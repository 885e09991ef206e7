#pragma once

#include "generation/GenerationOutlet.h"
#include "windows/DesignChange.h"
#include "windows/OpenMode.h"
#include "windows/UnsavedDesignQuestion.h"

#include "designer/DesignChangeRecorder.h"
#include "designer/SelectionList.h"
#include "dialogs/CodeDialogHost.h"
#include "editor/SourceEditor.h"
#include "model/ReportPage.h"
#include "preview/PreviewRun.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace ReportImport {
struct Result;
}

class ComponentOwner;
class QScrollArea;
class QTabWidget;
class ArrowButton;
class PaletteBase;
class DesignRegister;
class ObjectInspector;
class SelectionPartner;
class DesignStage;
class DesignSwitch;
class ProgressPanel;
class FindDialog;
class QUndoStack;
class DesignChangeCapture;
class QPagedPaintDevice;
class PreviewPage;

// What a preview run takes from outside its window: where the rows come
// from and the values of the report's $parameters.
struct PreviewSetup
{
    DataSource data;
    PreviewOptions options;
};

// Asked before each run with the $parameters the report uses; nothing when
// the user cancelled the run.
using PreviewPreparation =
    std::function<std::optional<PreviewSetup>(const QStringList &parameters)>;

// One open report: the design of its page on the "Report Form" page and
// the Report-Writer source on the "Source" page. The window owns the
// design, its register, selection partner and inspector, and the source
// editor; the frame window lends it the shared palette.
//
// Creating the window loads the source editor's settings ("SRC.dat") and
// the completion word list when they exist or are named, reporting a file
// that is there but cannot be read, or a named word list that is not; the frame
// window shows its palette tool bar when it creates the first window.
// Closing the window (close box, close(), or closeReport() on its own at
// exit) writes "SRC.dat", and the design when it changed since it was
// opened or last written: without asking into a file this window loaded or
// wrote (or that does not exist yet), otherwise only as the user decides
// (see UnsavedDesignQuestion.h), who may also cancel the close. Generation
// and the UNIX writer let events run; a close that arrives meanwhile waits
// until they have finished.
class ReportWindow :
    public QWidget,
    private SourceSink,
    private DesignChangeRecorder,
    private CodeDialogHost
{
    Q_OBJECT

public:
    enum class Page { ReportForm, Source, Preview };

    // palette and arrowButton may be null (a window without creation from
    // a palette).
    explicit ReportWindow(PaletteBase *palette = nullptr, ArrowButton *arrowButton = nullptr,
                          QWidget *parent = nullptr);
    ~ReportWindow() override;

    // --- The document.

    // Sets up a freshly created window: design file name, caption, loading.
    // omNew takes name as the design file name itself (the typed name,
    // upper-cased, with ".kfx"); omDesign loads the design file when it
    // exists; omText imports the text file name into the source editor.
    void openReport(OpenMode mode, const QString &name);

    QString designFileName() const { return m_designFileName; }
    // Names another design file without writing it; the caption is the caller's.
    void setDesignFileName(const QString &fileName) { m_designFileName = fileName; }
    // The text file the window was opened from; empty for a design.
    QString sourceFileName() const { return m_sourceFileName; }
    // Whether opening path in mode would show what this window shows.
    bool isWindowOf(const QString &path, OpenMode mode) const;
    // Whether the design differs from what was last loaded or written.
    bool designModified() const;
    // Whether the design changed, or the source was edited since it was
    // last read, generated or written; the caption then ends in "*".
    bool modified() const;
    // Asked for another design file when a closing design cannot go to its
    // own; without a chooser that choice cancels the close.
    void setDesignPathChooser(std::function<QString()> chooser)
    {
        m_chooseDesignPath = std::move(chooser);
    }
    // Asked for a text file when a closing window's edited Source page is
    // to be kept; without a chooser that choice cancels the close.
    void setSourcePathChooser(std::function<QString()> chooser)
    {
        m_chooseSourcePath = std::move(chooser);
    }

    // Each operation reports its own failure in a message box (showMessage)
    // and returns false then.
    bool loadDesign(const QString &fileName);
    bool saveDesign();
    // Writes the design to fileName and makes it the design file and the
    // caption; a failure changes nothing.
    bool saveDesignAs(const QString &fileName);
    bool loadSourceText(const QString &fileName);
    // Makes a design of a Report-Writer file: the source page shows the
    // file, the form its design, and the check list what stayed code.
    bool importDesign(const QString &fileName);
    void showImportNotes(const ReportImport::Result &result);
    // CR LF line ends, or LF when the text was last imported from a file
    // without CR.
    bool saveSourceText(const QString &fileName);
    // LF line ends, with progress.
    bool writeUnixFile(const QString &fileName);
    // The source as the report program reads it: the platform's line ends.
    // A symbolic link of that name is replaced, never written through: it
    // may lead to any file of the user.
    bool writeReportProgramFile(const QString &fileName);
    bool loadEditorSettings(const QString &fileName);
    // Clears the source text first: the settings file never holds text.
    bool saveEditorSettings(const QString &fileName);
    bool loadCompletionList();
    // Prints the source in the editor's font, tabs expanded, with the
    // "Printing" window; Cancel there ends the job after the current line.
    // False (and a message) when the device cannot be printed on.
    bool printSource(QPagedPaintDevice &device);

    // Fills the source editor from the design (progress in the progress
    // panel); false when generation failed and reported it. Does not switch
    // design mode or pages: the frame window's Generate does that.
    bool generateSource();
    // Whether generation may replace the Source page: at once when it holds
    // what generation last put there (or nothing), otherwise as the user
    // decides, who may keep the text and cancel. The replacement itself is
    // one step that the source editor's undo takes back.
    bool confirmSourceReplacement();
    // The window as generation sees it: page, progress, item marks of the
    // open code dialog, source editor, message box.
    GenerationWindow generationWindow();

    // The closing steps: design mode off, the design settled (written, or
    // discarded as the user decides), "SRC.dat" written with an empty text.
    // False when the user cancelled: the window stays as it was. Runs once;
    // closing the window afterwards does not repeat them.
    bool closeReport();

    // --- The preview.

    // The source a preview runs: the design's generated source for a
    // design, the Source page's text for a text file opened in the window.
    // Generation leaves the Source page as it is. False when generation
    // failed and said so.
    bool previewSource(QStringList &lines);
    // Whether the window previews the text of its Source page.
    bool previewsText() const { return !m_sourceFileName.isEmpty(); }
    // The file the preview's data source is remembered for.
    QString previewKey() const;
    // Without a preparation the preview runs over sample data.
    void setPreviewPreparation(PreviewPreparation preparation)
    {
        m_preparePreview = std::move(preparation);
    }
    // Shows the Preview page and runs the preview again.
    void previewReport();
    // The data source or the parameters changed: a preview in view runs
    // again, one not in view when it is next shown.
    void previewSettingsChanged();
    // The source line of a preview message, shown on the Source page with
    // the source that was previewed.
    void showPreviewLine(int line);
    // Every page of the last run in a text file as the report program
    // writes one; a message and false when it cannot be written.
    bool savePreviewText(const QString &fileName);
    // Prints the pages of the last run; false (and a message) when the
    // device cannot be printed on.
    bool printPreview(QPagedPaintDevice &device);

    // --- Pages and design mode.

    Page activePage() const;
    void setActivePage(Page page);
    bool isSourceActive() const { return activePage() == Page::Source; }

    // Design mode through the design switch; each is a no-op when the mode
    // is already so.
    void switchOn();
    void switchOff();
    bool designing() const;

    // --- Components, by their names in the window.

    QTabWidget *pageControl() const { return m_pageControl; }
    QWidget *reportFormPage() const { return m_reportFormPage; }
    QWidget *sourcePage() const { return m_sourcePage; }
    PreviewPage *previewPage() const { return m_previewPage; }
    QScrollArea *scrollArea() const { return m_scrollArea; }
    DesignStage *reportStage() const { return m_reportStage; }
    // The one page of the design; after loadDesign the loaded page.
    ReportPage *mPage1() const;
    DesignSwitch *designSwitch() const { return m_switch; }
    DesignRegister *designRegister() const { return m_register; }
    SelectionPartner *selectionPartner() const { return m_selectionPartner; }
    ObjectInspector *inspector() const { return m_inspector; }
    DesignStage *sourceStage() const { return m_sourceStage; }
    // Replaced by loadEditorSettings: ask again rather than keep it.
    SourceEditor *sourceEditor() const;
    ProgressPanel *progressPanel() const { return m_progress; }
    ComponentOwner &owner() const { return *m_owner; }

    // Every change of the design is a step here; at most 200 are kept, and
    // reopening a design clears them.
    QUndoStack *undoStack() const { return m_undoStack; }
    // Takes a step back (or does it again) and selects what was selected
    // before (or after) it.
    void replayChange(const DesignChange &change, bool forward);

    // The find dialog over the source editor, made at its first use.
    FindDialog *findDialog();

    // The open code dialog, in which band generation places item marks;
    // none when no dialog is open.
    ItemMarkOutlet *codeDialog() const override { return m_codeDialog; }
    void setCodeDialog(ItemMarkOutlet *dialog) override { m_codeDialog = dialog; }

    // Lets the code dialogs answer the signals below: the object code
    // dialog, the report section editors, the colour and font dialogs and
    // the editor's property window. The frame window does this for every
    // report window it makes.
    void connectCodeDialogs();

signals:
    void activePageChanged(ReportWindow::Page page);
    // The design or text file opening read into the window, and each design
    // file written, closing included: what the user may want back later.
    void documentOpened(const QString &path);
    void designWritten(const QString &path);

    // --- The dialogs opened from the design. Without a listener nothing
    // opens.

    // A double click on a text item, band, break band or code block.
    void openCodeDialog(QWidget *component);
    // A double click on the page.
    void openPageSetup(ReportPage *page);
    // An inspector button; value is what the inspector then assigns.
    void inspectorButton(const SelectedComponents &targets, const QString &propName,
                         QString &value);
    // "Edit Property" of the source editor's context menu.
    void editProperty(SourceEditor *editor);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Composition.
    void createPages();
    void createReportStage();
    void createSourceStage();
    void createDesigner(PaletteBase *palette, ArrowButton *arrowButton);
    void adoptSourceEditor();
    void initialize();
    void firstShow();

    // Runs the preview when the page comes into view with a source, data
    // source or parameters other than those of its last run.
    void previewPageShown();
    void startPreview(const QStringList &lines);

    // Answers to the design stage.
    void reportStageCoverDoubleClicked(QWidget *component);
    void editPropertyTriggered();

    // The document.
    void fitStageToPage();
    void ensureOnePage();
    // The design as the stage file would hold it.
    QByteArray designBytes() const;
    void markDesignWritten();
    void markSourceUnmodified();
    // False when the user cancelled closing.
    bool settleSourceBeforeClose();
    bool settleDesignBeforeClose();
    bool writeAfterQuestion(UnsavedDesignReason reason);
    // Runs a print job with the "Printing" window over steps lines or
    // pages; Cancel there ends the job after the current one. failure is
    // shown when the device cannot be printed on.
    using PrintJob = std::function<bool(const std::function<bool()> &afterStep)>;
    bool printWithProgress(int steps, const QString &failure, const PrintJob &print);
    // Work that lets events run keeps the window open until it is done.
    void beginBusy() { ++m_busy; }
    void endBusy();

    // DesignChangeRecorder: each change of the design becomes an undo step.
    void beginChange() override;
    void endChange(const QString &text) override;
    void componentLeaving(QWidget *component) override;
    void componentMade(QWidget *component) override;
    QList<QWidget *> selectedComponents() const;
    // Frees the components at the paths, or reads their blocks back where
    // they were; the paths keep up.
    void freeComponent(ComponentPaths &paths, const ComponentPath &path);
    template<class Placed>
    void insertComponents(ComponentPaths &paths, Placed first, Placed last);
    void selectPaths(ComponentPaths &paths, const QList<ComponentPath> &selection);
    // The caption is the design file's name, with "*" while it is modified.
    void updateCaption();
    // CodeDialogHost.
    QWidget *dialogOwner() override { return this; }
    void generateForDialog(const std::function<void(const GenerationWindow &)> &work) override;
    void showDialogMessage(const QString &text) override;
    void componentsChangedByDialog() override;

    // SourceSink: generated lines are collected and handed over at once.
    void clearLines() override;
    void addLine(const QString &text) override;
    void endLines() override;

    std::unique_ptr<ComponentOwner> m_owner;
    QString m_designFileName;
    QString m_sourceFileName;
    // The design as last loaded or written, to tell whether it changed.
    QByteArray m_writtenDesign;
    // The design file was loaded or written by this window.
    bool m_ownsDesignFile = false;
    bool m_designLoadFailed = false;
    // An imported design has no file yet: Write Report asks for one.
    bool m_designUnnamed = false;
    std::function<QString()> m_chooseDesignPath;
    std::function<QString()> m_chooseSourcePath;
    bool m_sourceWithCr = true;
    bool m_shown = false;
    bool m_closed = false;
    int m_busy = 0;
    bool m_closeWhenIdle = false;
    QStringList m_generatedLines;
    // The source editor's text as generation last left it.
    QString m_generatedSource;

    QTabWidget *m_pageControl = nullptr;
    QWidget *m_reportFormPage = nullptr;
    QWidget *m_sourcePage = nullptr;
    PreviewPage *m_previewPage = nullptr;
    PreviewPreparation m_preparePreview;
    // The source of the last preview run, line by line, and whether the
    // data source changed since.
    QStringList m_previewedLines;
    bool m_previewSettingsChanged = false;
    bool m_previewCommand = false;
    QScrollArea *m_scrollArea = nullptr;
    DesignStage *m_reportStage = nullptr;
    QPointer<ReportPage> m_page;
    DesignSwitch *m_switch = nullptr;
    DesignRegister *m_register = nullptr;
    SelectionPartner *m_selectionPartner = nullptr;
    ObjectInspector *m_inspector = nullptr;
    DesignStage *m_sourceStage = nullptr;
    QPointer<SourceEditor> m_sourceEditor;
    ProgressPanel *m_progress = nullptr;
    ItemMarkOutlet *m_codeDialog = nullptr;
    QPointer<FindDialog> m_findDialog;
    QUndoStack *m_undoStack = nullptr;
    // What the change that runs may touch, taken when it began.
    std::unique_ptr<DesignChangeCapture> m_capture;
};
