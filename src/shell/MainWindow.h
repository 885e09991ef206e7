#pragma once

#include "shell/FileDialogs.h"
#include "windows/OpenMode.h"
#include "windows/ReportWindow.h"

#include "designer/DesignRegister.h"

#include <QMainWindow>

#include <memory>

class ComponentOwner;
class InspectorPlacement;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class ComponentPalette;
class RecentFilesMenu;

// The frame window: menus, tool bars and the shared component palette
// around any number of report windows. It keeps no document state: every
// command acts on the report window that is current when it runs, and does
// nothing when there is none.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Creates a report window, opens name in mode, shows and activates it.
    ReportWindow *createReportWindow(const QString &name, OpenMode mode);
    // Opens a design ("*.kfx" in any letter case) or imports any other file,
    // as Open does with the chosen file.
    ReportWindow *openFile(const QString &path);
    // How a Report-Writer file opens: as a design, or as text.
    bool opensReportAsDesign(const QString &path);

    ReportWindow *activeReportWindow() const;
    QList<ReportWindow *> reportWindows() const;
    QMdiSubWindow *subWindowOf(const ReportWindow *window) const;

    // For running the report: design mode off and the source generated,
    // the page left as it is. False when there is no window or generation
    // failed (and said so).
    bool generateActiveReport();

    // The file dialogs ask through chooser; none restores the platform's.
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    // --- Components, by their names in the window.
    QMdiArea *mdiArea() const { return m_mdiArea; }
    QToolBar *mainToolBar() const { return m_mainToolBar; }
    QToolBar *sourceToolBar() const { return m_sourceToolBar; }
    // The tool bar that carries the palette; hidden until the first report
    // window is created, then shown for the rest of the run.
    QToolBar *paletteToolBar() const { return m_paletteToolBar; }
    ComponentPalette *palette() const { return m_palette; }
    QWidget *templateHolder() const { return m_templateHolder; }
    QMenu *windowMenu() const { return m_windowMenu; }

    // --- Command handlers, named after their menu items.
    void newReportTriggered();
    void openReportTriggered();
    void closeWindowTriggered();
    void writeReportTriggered();
    void writeReportAsTriggered();
    void writeTextFileTriggered();
    void writeTextFileAsTriggered();
    void writeUnixFileTriggered();
    void importReportTriggered();
    void openReportAsDesignTriggered();
    void exitTriggered();
    void undoTriggered();
    void redoTriggered();
    // One handler per alignment of the Align menu.
    template<DesignRegister::Alignment alignment>
    void alignTriggered()
    {
        alignActive(alignment);
    }
    void cutTriggered();
    void copyTriggered();
    void pasteTriggered();
    void deleteTriggered();
    void toggleTriggered();
    void generateTextTriggered();
    void viewObjectListTriggered();
    void findTriggered();
    void findNextTriggered();
    void findPreviousTriggered();
    void replaceTriggered();
    void runReportTriggered();
    void printSourceTriggered();
    void previewReportTriggered();
    void dataSourceTriggered();
    void savePreviewAsTriggered();
    void textEditorTriggered();
    void terminalEmulatorTriggered();
    void checkReportTriggered();
    void sendReportToFtpServerTriggered();
    void setupTriggered();
    void cascadeTriggered();
    void tileHorizontallyTriggered();
    void tileVerticallyTriggered();
    void aboutTriggered();
    // The Save Source tool button.
    void saveTriggered();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    using Handler = void (MainWindow::*)();
    enum class Needs { Nothing, ReportWindow, Unavailable };
    struct Command
    {
        QAction *action;
        Needs needs;
    };

    void initialize();
    void placeOnScreen();
    // Where the inspector opens until the user moves it: beside the frame
    // when the screen has room there, else at the frame's left edge below
    // the tool bars; never over the menus and tool bars.
    QPoint inspectorDefaultPlace(QSize size) const;
    void createMenus();
    // The recent files in the File menu, before Exit.
    void createRecentFilesMenu();
    void openRecentFile(const QString &path);
    QMenu *addMenu(const QString &name, const QString &caption);
    QAction *addCommand(QMenu *menu, const char *name, const char *caption, const char *shortcut,
                        Handler handler, Needs needs);
    void createToolBars();
    void createPalette();
    QAction *addToolButton(QToolBar *bar, const char *name, const QIcon &icon, const char *hint,
                           Handler handler, Needs needs);
    void connectCommand(QAction *action, Handler handler, Needs needs);
    // One user operation: a failure nothing else caught is shown here.
    void runCommand(Handler handler);
    // What a command that writes, runs or sends a report did, in the
    // status bar until the next one.
    void showDone(const QString &text);
    void updateCommandStates();
    // The shared palette and the inspectors follow the active window.
    void followActiveWindow();
    // Undo and Redo name the step they would take on the Report Form page.
    void updateUndoActions();
    void alignActive(DesignRegister::Alignment alignment);
    // Find Next and Find Previous; the find dialog when there is no text yet.
    void findAgain(bool forward);

    // The active report window when it shows page; none otherwise.
    ReportWindow *activeOn(ReportWindow::Page page) const;
    // What a preview of window runs over: its data source, and the values
    // of parameters asked for; nothing when the user cancelled.
    std::optional<PreviewSetup> preparePreview(ReportWindow *window, const QStringList &parameters);
    // Generate: design mode off, Source page, source generated. The window
    // when generation succeeded.
    ReportWindow *generateToSource();
    QString askFile(const FileDialogOptions &options);
    void fitSubWindow(QMdiSubWindow *subWindow);
    void tile(Qt::Orientation orientation);
    void fillWindowList();

    std::unique_ptr<ComponentOwner> m_templates;
    QMdiArea *m_mdiArea = nullptr;
    QToolBar *m_mainToolBar = nullptr;
    QToolBar *m_paletteToolBar = nullptr;
    QToolBar *m_sourceToolBar = nullptr;
    ComponentPalette *m_palette = nullptr;
    QWidget *m_templateHolder = nullptr;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_alignMenu = nullptr;
    QToolBar *m_alignToolBar = nullptr;
    QList<QAction *> m_windowListActions;
    RecentFilesMenu *m_recentFiles = nullptr;
    QList<Command> m_commands;
    FileChooser m_chooseFile;
    std::shared_ptr<InspectorPlacement> m_inspectorPlacement;
};
