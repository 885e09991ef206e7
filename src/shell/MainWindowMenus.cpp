#include "shell/MainWindow.h"

#include "shell/ShellGlyphs.h"

#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace {

using Handler = void (MainWindow::*)();

// One menu item; a row without a name is a separator. at without a
// handler belong to commands this program does not offer yet: they stay
// disabled.
struct MenuItem
{
    const char *name = nullptr;
    const char *caption = nullptr;
    const char *shortcut = nullptr;
    Handler handler = nullptr;
    bool needsWindow = true;
};

constexpr MenuItem Separator{};

struct MenuColumn
{
    const char *name;
    const char *caption;
    std::vector<MenuItem> items;
};

using F = MainWindow;
using Alignment = DesignRegister::Alignment;

const MenuColumn &fileColumn()
{
    static const MenuColumn menu{
        "File1",
        "&File",
        {
            {"Nowyraport1", "New Report", "Ctrl+N", &F::newReportTriggered, false},
            {"Otwrz1", "Open Report", "Ctrl+O", &F::openReportTriggered, false},
            {"OpenReportAsDesignMenu", "Open Report as Design...", "",
             &F::openReportAsDesignTriggered, false},
            {"CloseWindowMenu", "Close Window", "Ctrl+F4", &F::closeWindowTriggered},
            Separator,
            {"WriteReportMenu", "Write Report", "Ctrl+S", &F::writeReportTriggered},
            {"WriteReportAsMenu", "Write As...", "", &F::writeReportAsTriggered},
            Separator,
            {"WriteTextFileMenu", "Write Text File", "Ctrl+T", &F::writeTextFileTriggered},
            {"WriteTextFileAsMenu", "Write Text File As...", "", &F::writeTextFileAsTriggered},
            {"WriteUNIXFileMenu", "Write As UNIX File", "Ctrl+U", &F::writeUnixFileTriggered},
            {"SavePreviewAsMenu", "Save Preview As...", "", &F::savePreviewAsTriggered},
            Separator,
            {"ImportReportFromFilerw1", "Import Report File", "Ctrl+I", &F::importReportTriggered,
             false},
            Separator,
            {"Zakocz1", "E&xit", "Alt+F4", &F::exitTriggered, false},
        }};
    return menu;
}

const MenuColumn &editColumn()
{
    static const MenuColumn menu{
        "Edit1",
        "&Edit",
        {
            {"UndoMenu", "Undo", "Ctrl+Z", &F::undoTriggered},
            {"RedoMenu", "Redo", "Ctrl+Shift+Z; Ctrl+Y", &F::redoTriggered},
            Separator,
            {"CutMenu", "Cut", "Ctrl+X", &F::cutTriggered},
            {"CopyMenu", "Copy", "Ctrl+C", &F::copyTriggered},
            {"PasteMenu", "Paste", "Ctrl+V", &F::pasteTriggered},
            {"DeleteMenu", "Delete", "Ctrl+Del", &F::deleteTriggered},
            Separator,
            {"FindMenu", "Find", "Ctrl+F", &F::findTriggered},
            {"FindNextMenu", "Find Next", "F3", &F::findNextTriggered},
            {"FindPreviousMenu", "Find Previous", "Shift+F3", &F::findPreviousTriggered},
            {"ReplaceMenu", "Replace...", "Ctrl+H", &F::replaceTriggered},
        }};
    return menu;
}

const MenuColumn &projectColumn()
{
    // Reload Project has never done anything; it stays disabled rather
    // than pretend, and its key runs the preview.
    static const MenuColumn menu{
        "Project1",
        "P&roject",
        {
            {"ToggleMenu", "Toggle Form/Source", "F12", &F::toggleTriggered},
            {"ReloadProjectMenu", "Reload Project", "", nullptr},
            Separator,
            {"ViewObjectList1", "View Object List", "F11", &F::viewObjectListTriggered},
            Separator,
            {"GenerateTextMenu", "Generate Text File Report", "F9", &F::generateTextTriggered},
            {"CheckReportMenu", "Check Report", "Ctrl+F9", &F::checkReportTriggered},
            {"SendReportToFTPServer1", "Send Report to FTP Server", "Shift+F9",
             &F::sendReportToFtpServerTriggered},
            {"RunReport1", "Run Report", "Alt+F9", &F::runReportTriggered},
            {"PreviewReportMenu", "Preview Report", "F5", &F::previewReportTriggered},
            {"DataSourceMenu", "Data Source\u2026", "", &F::dataSourceTriggered},
            Separator,
            {"PrintSourceMenu", "Print Source", "Ctrl+P", &F::printSourceTriggered},
            Separator,
            {"Ustawienia1", "Setup", "", &F::setupTriggered, false},
        }};
    return menu;
}

const MenuColumn &alignColumn()
{
    static const MenuColumn menu{
        "Align1",
        "&Align",
        {
            {"AlignLeftMenu", "Align Left Edges", "", &F::alignTriggered<Alignment::Left>},
            {"AlignRightMenu", "Align Right Edges", "", &F::alignTriggered<Alignment::Right>},
            {"AlignTopMenu", "Align Tops", "", &F::alignTriggered<Alignment::Top>},
            {"AlignBottomMenu", "Align Bottoms", "", &F::alignTriggered<Alignment::Bottom>},
            Separator,
            {"SameWidthMenu", "Make Same Width", "", &F::alignTriggered<Alignment::SameWidth>},
            {"SameHeightMenu", "Make Same Height", "", &F::alignTriggered<Alignment::SameHeight>},
        }};
    return menu;
}

const MenuColumn &windowColumn()
{
    static const MenuColumn menu{
        "Window1",
        "&Window",
        {
            {"WindowCascadeMenu", "Window Cascade", "", &F::cascadeTriggered},
            {"WindowTileHorizontalMenu", "Window Tile Horizontal", "",
             &F::tileHorizontallyTriggered},
            {"WindowTileVerticalMenu", "Window Tile Vertical", "", &F::tileVerticallyTriggered},
        }};
    return menu;
}

const MenuColumn &toolsColumn()
{
    static const MenuColumn menu{
        "Tools1",
        "&Tools",
        {
            {"TextEditorMenu", "Text Editor", "", &F::textEditorTriggered, false},
            {"TerminalEmulatorMenu", "Terminal Emulator", "", &F::terminalEmulatorTriggered, false},
        }};
    return menu;
}

const MenuColumn &helpColumn()
{
    static const MenuColumn menu{"Help1",
                                 "Help",
                                 {
                                     {"Index1", "Index", "", nullptr},
                                     Separator,
                                     {"Oprogramie1", "About...", "", &F::aboutTriggered, false},
                                 }};
    return menu;
}

QIcon iconOf(const char *name)
{
    const QLatin1StringView item(name);
    if (item == "Nowyraport1")
        return ShellGlyphs::newReport();
    if (item == "Otwrz1")
        return ShellGlyphs::openReport();
    if (item == "WriteReportMenu")
        return ShellGlyphs::saveSource();
    if (item == "Zakocz1")
        return ShellGlyphs::closeApplication();
    if (item == "FindMenu")
        return ShellGlyphs::find();
    if (item == "PrintSourceMenu")
        return ShellGlyphs::printSource();
    if (item == "GenerateTextMenu")
        return ShellGlyphs::generate();
    if (item == "ToggleMenu")
        return ShellGlyphs::toggle();
    return QIcon();
}

} // namespace

void MainWindow::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    for (const MenuColumn *column : {&fileColumn(), &editColumn(), &projectColumn(), &alignColumn(),
                                     &windowColumn(), &toolsColumn(), &helpColumn()}) {
        QMenu *menu =
            addMenu(QString::fromLatin1(column->name), QString::fromLatin1(column->caption));
        for (const MenuItem &item : column->items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            addCommand(menu, item.name, item.caption, item.shortcut, item.handler,
                       item.needsWindow ? Needs::ReportWindow : Needs::Nothing);
        }
        if (column == &windowColumn())
            m_windowMenu = menu;
        if (column == &alignColumn())
            m_alignMenu = menu;
    }
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::fillWindowList);
    createRecentFilesMenu();
}

QMenu *MainWindow::addMenu(const QString &name, const QString &caption)
{
    QMenu *menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
    return menu;
}

QAction *MainWindow::addCommand(QMenu *menu, const char *name, const char *caption,
                                const char *shortcut, Handler handler, Needs needs)
{
    QAction *action = menu->addAction(iconOf(name), QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(shortcut)));
    // The menu's keys act wherever the user types in the program, also in
    // the inspector's tool window; the editors see a key only when no menu
    // item takes it, and modal dialogs keep theirs.
    action->setShortcutContext(Qt::ApplicationShortcut);
    connectCommand(action, handler, needs);
    return action;
}
