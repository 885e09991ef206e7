#include "shell/MainWindow.h"

#include "shell/InspectorPlacementSettings.h"
#include "shell/ProgramInfo.h"
#include "shell/RecentFilesMenu.h"
#include "shell/Settings.h"
#include "shell/ShellGlyphs.h"

#include "windows/DesignFileName.h"
#include "windows/PageSetupConnection.h"
#include "windows/ShowMessage.h"

#include "designer/ComponentPalette.h"
#include "designer/DesignSwitch.h"
#include "designer/InspectorPlacement.h"
#include "designer/ObjectInspector.h"
#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

namespace {

constexpr QSize FrameSize(715, 494);
// The inspector window's place at the screen's left edge: as wide as it
// grows to show its captions, and a margin.
constexpr int InspectorColumn = 420;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), m_templates(std::make_unique<ComponentOwner>())
{
    setObjectName(QStringLiteral("WindowMainForm"));
    setWindowTitle(QStringLiteral("%1 ver. %2").arg(ProgramInfo::Name, ProgramInfo::Version));
    setWindowIcon(ShellGlyphs::program());

    m_mdiArea = new QMdiArea;
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::followActiveWindow);

    createMenus();
    createToolBars();
    createPalette();
    initialize();

    placeOnScreen();
    updateCommandStates();
}

MainWindow::~MainWindow()
{
    // Report windows refer to the palette and its templates, and the
    // templates to the owner that knows them: each goes before what it
    // refers to.
    delete m_mdiArea;
    delete m_palette;
    delete m_templateHolder;
}

void MainWindow::placeOnScreen()
{
    // A design page is wider than the frame's first size: on a screen with
    // room, start large enough to show one, yet clear of the column at the
    // screen's left edge where the object inspector opens, so that it hides
    // no part of a report window.
    QSize size = FrameSize;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        size = size.expandedTo(available.size() * 3 / 4).boundedTo(available.size());
        QRect room = available;
        if (available.width() - InspectorColumn >= FrameSize.width())
            room.setLeft(available.left() + InspectorColumn);
        size.setWidth(std::min(size.width(), room.width()));
        move(room.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    resize(size);
}

void MainWindow::initialize()
{
    m_paletteToolBar->hide();
    readCompletionSettings();
    m_inspectorPlacement = std::make_shared<InspectorPlacement>(
        [this](QSize size) { return inspectorDefaultPlace(size); });
    if (const std::optional<QRect> kept = InspectorPlacementSettings::read())
        m_inspectorPlacement->setBounds(*kept);
}

QPoint MainWindow::inspectorDefaultPlace(QSize size) const
{
    const QRect frame = frameGeometry();
    const QScreen *screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : frame;
    // The window manager's frame around the inspector, as around this one.
    const int framed = size.width() + std::max(0, frame.width() - geometry().width());
    const QPoint belowToolBars = m_mdiArea->mapToGlobal(QPoint(0, 0));
    if (frame.right() + framed <= available.right())
        return {frame.right() + 1, belowToolBars.y()};
    if (frame.left() - framed >= available.left())
        return {frame.left() - framed, belowToolBars.y()};
    return {std::max(available.left(), frame.left() - framed), belowToolBars.y()};
}

ReportWindow *MainWindow::createReportWindow(const QString &name, OpenMode mode)
{
    // A file opened twice would have two windows writing one design.
    if (mode != omNew) {
        for (ReportWindow *open : reportWindows()) {
            if (open->isWindowOf(name, mode)) {
                m_mdiArea->setActiveSubWindow(subWindowOf(open));
                return open;
            }
        }
    }
    // Made inside the frame, so that what the window says while it is
    // being created stands over the frame.
    auto *window = new ReportWindow(m_palette, m_palette->arrowButton(), this);
    window->inspector()->setPlacement(m_inspectorPlacement);
    QMdiSubWindow *subWindow = m_mdiArea->addSubWindow(window);
    subWindow->setAttribute(Qt::WA_DeleteOnClose);
    // Close Window saves first and then closes; the sub-window's own close
    // shortcut would skip that first save.
    if (QMenu *menu = subWindow->systemMenu()) {
        for (QAction *action : menu->actions())
            action->setShortcuts({});
    }
    connect(subWindow, &QObject::destroyed, this, &MainWindow::updateCommandStates,
            Qt::QueuedConnection);
    connect(subWindow, &QObject::destroyed, this, &MainWindow::followActiveWindow,
            Qt::QueuedConnection);
    // Queued: the register has finished switching when the palette follows.
    connect(window->designSwitch(), &QAbstractButton::toggled, this,
            &MainWindow::followActiveWindow, Qt::QueuedConnection);
    m_paletteToolBar->show();

    window->setDesignPathChooser([this] { return askFile(FileDialogs::saveDialogKfx()); });
    window->setSourcePathChooser([this] { return askFile(FileDialogs::saveDialog()); });
    window->setPreviewPreparation([this, window](const QStringList &parameters) {
        return preparePreview(window, parameters);
    });
    m_recentFiles->follow(window);
    connect(window->undoStack(), &QUndoStack::indexChanged, this, &MainWindow::updateUndoActions);
    connect(window, &ReportWindow::activePageChanged, this, &MainWindow::updateUndoActions);
    connectPageSetup(window);
    window->connectCodeDialogs();
    window->setActivePage(mode == omText ? ReportWindow::Page::Source
                                         : ReportWindow::Page::ReportForm);
    window->openReport(mode, name);
    subWindow->show();
    fitSubWindow(subWindow);
    m_mdiArea->setActiveSubWindow(subWindow);
    updateCommandStates();
    return window;
}

namespace {

bool isReportFileName(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("rw"), Qt::CaseInsensitive) == 0;
}

} // namespace

ReportWindow *MainWindow::openFile(const QString &path)
{
    if (isDesignFileName(path))
        return createReportWindow(path, omDesign);
    return createReportWindow(path, isReportFileName(path) && opensReportAsDesign(path) ? omImport
                                                                                        : omText);
}

// Asked once; the answer stays in the settings, where it can be changed.
bool MainWindow::opensReportAsDesign(const QString &path)
{
    const QString kept = Settings::read(SettingKeys::OpenReportAs, QString());
    if (kept == QLatin1String("design") || kept == QLatin1String("text"))
        return kept == QLatin1String("design");
    const bool design = askQuestion(
        this, QStringLiteral("Open %1 as a design?\n\n"
                             "Yes: as a design, its sections as bands and what it prints as "
                             "text items.\nNo: as text, on the Source page.\n\n"
                             "The answer is kept for the next report "
                             "(KFX.ini, [Import] OpenReportAs).")
                  .arg(QFileInfo(path).fileName()));
    Settings::write(SettingKeys::OpenReportAs,
                    design ? QStringLiteral("design") : QStringLiteral("text"));
    return design;
}

void MainWindow::fitSubWindow(QMdiSubWindow *subWindow)
{
    // The window keeps its own size as far as the frame has room for it.
    const QSize room = m_mdiArea->viewport()->size();
    if (!room.isEmpty())
        subWindow->resize(subWindow->size().boundedTo(room));
}

void MainWindow::followActiveWindow()
{
    // One palette and one visible inspector serve the active window only.
    ReportWindow *active = activeReportWindow();
    for (ReportWindow *window : reportWindows())
        window->inspector()->setWindowAllowed(window == active);
    m_palette->setDesigning(active && active->designing());
    updateUndoActions();
}

ReportWindow *MainWindow::activeReportWindow() const
{
    // The current sub-window stays current while a tool window such as the
    // inspector has the focus.
    const QMdiSubWindow *subWindow = m_mdiArea->currentSubWindow();
    return subWindow ? qobject_cast<ReportWindow *>(subWindow->widget()) : nullptr;
}

QList<ReportWindow *> MainWindow::reportWindows() const
{
    QList<ReportWindow *> windows;
    for (const QMdiSubWindow *subWindow : m_mdiArea->subWindowList()) {
        if (auto *window = qobject_cast<ReportWindow *>(subWindow->widget()))
            windows.append(window);
    }
    return windows;
}

QMdiSubWindow *MainWindow::subWindowOf(const ReportWindow *window) const
{
    for (QMdiSubWindow *subWindow : m_mdiArea->subWindowList()) {
        if (subWindow->widget() == window)
            return subWindow;
    }
    return nullptr;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every report window takes its closing steps, so ending the program
    // writes each design as closing its window would.
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    if (const std::optional<QRect> bounds = m_inspectorPlacement->bounds())
        InspectorPlacementSettings::write(*bounds);
    QMainWindow::closeEvent(event);
}

void MainWindow::showDone(const QString &text)
{
    statusBar()->showMessage(text);
}

void MainWindow::runCommand(Handler handler)
{
    try {
        (this->*handler)();
    } catch (const StreamError &error) {
        showMessage(this, error.message());
    } catch (const std::exception &error) {
        showMessage(this, QString::fromUtf8(error.what()));
    }
}

void MainWindow::connectCommand(QAction *action, Handler handler, Needs needs)
{
    if (handler)
        connect(action, &QAction::triggered, this, [this, handler] { runCommand(handler); });
    m_commands.append({action, handler ? needs : Needs::Unavailable});
}

void MainWindow::updateCommandStates()
{
    const bool haveWindow = !m_mdiArea->subWindowList().isEmpty();
    for (const Command &command : std::as_const(m_commands)) {
        switch (command.needs) {
        case Needs::Nothing:
            command.action->setEnabled(true);
            break;
        case Needs::ReportWindow:
            command.action->setEnabled(haveWindow);
            break;
        case Needs::Unavailable:
            command.action->setEnabled(false);
            break;
        }
    }
}

QString MainWindow::askFile(const FileDialogOptions &options)
{
    return chooseFile(m_chooseFile, this, options);
}
