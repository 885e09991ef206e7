#include "FrameFixture.h"

#include "shell/AboutBox.h"
#include "shell/FtpWindow.h"
#include "shell/HeadlessReport.h"
#include "shell/SetupDialog.h"
#include "shell/SplashWindow.h"
#include "windows/PageSetupDialog.h"
#include "windows/ReportCheckList.h"

#include "designer/DesignStage.h"
#include "designer/InspectorWindow.h"
#include "designer/ObjectInspector.h"
#include "editor/SourceEditor.h"
#include "model/ReportClasses.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

using DialogMaker = std::function<QWidget *(QWidget *parent)>;
Q_DECLARE_METATYPE(DialogMaker)

// The frame window as a whole: its composition and menus, and a report
// made from start to finish through the widgets a user works with.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void composition();
    void splashWindow();
    void menus_data();
    void menus();
    void laterCommandsAreDisabled();
    void paletteStaysShownOnceAReportWindowShowedIt();
    void paletteAndInspectorFollowTheActiveWindow();
    void reportFormTabTurnsDesignModeOn();
    void reportFromStartToFinish();
    void pageSetupFromThePage();
    void inspectorOpensClearOfMenusAndToolBars();
    void inspectorKeepsItsPlace();
    void fixedDialogsHaveNoMaximiseButton_data();
    void fixedDialogsHaveNoMaximiseButton();

private:
    FrameFixture *f = nullptr;
};

void TestMainWindow::init()
{
    f = new FrameFixture;
}

void TestMainWindow::cleanup()
{
    delete f;
    f = nullptr;
}

void TestMainWindow::composition()
{
    QCOMPARE(f->frame->windowTitle(), QStringLiteral("Kestrova ver. 1.0 beta 1"));
    QVERIFY(f->frame->mdiArea());
    QCOMPARE(f->frame->mainToolBar()->windowTitle(), QStringLiteral("Main Tool Bar"));
    QCOMPARE(f->frame->sourceToolBar()->windowTitle(), QStringLiteral("Edit Tool Bar"));

    const auto hints = [](QToolBar *bar) {
        QStringList result;
        for (QAction *action : bar->actions())
            result.append(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
        return result;
    };
    QCOMPARE(hints(f->frame->mainToolBar()),
             QStringList({"New Report", "Open Report", "-", "Close Application"}));
    QCOMPARE(hints(f->frame->sourceToolBar()), QStringList({"Save Source", "Print Source", ""}));

    // The palette: arrow, then text, free code, section and break section;
    // the block panel's button hidden; templates found by name.
    ComponentPalette *palette = f->frame->palette();
    QCOMPARE(palette->objectName(), QStringLiteral("DsnPanel1"));
    QVERIFY(palette->arrowButton());
    QStringList geneNames;
    for (PaletteButton *button : palette->buttons())
        geneNames.append(button->templateName());
    QCOMPARE(geneNames, QStringList({"Dpst_TmText", "Dpst_TMBlockCode", "Dpst_TmBand",
                                     "Dpst_TmBreakBand", "Dpst_TmBlock"}));
    QVERIFY(palette->buttons().constFirst()->isChecked());
    QVERIFY(palette->buttons().constLast()->isHidden());
    QWidget *holder = f->frame->templateHolder();
    QCOMPARE(holder->objectName(), QStringLiteral("DsnDpstPanel"));
    QCOMPARE(holder->geometry(), QRect(-100, -100, 50, 50));
    for (const QString &name : std::as_const(geneNames))
        QVERIFY2(holder->findChild<QWidget *>(name), qPrintable(name));
}

void TestMainWindow::splashWindow()
{
    SplashWindow splash;
    splash.showAtOnce();
    QVERIFY(splash.isVisible());
    QCOMPARE(splash.size(), QSize(208, 104));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.cursor().shape(), Qt::WaitCursor);
    const QImage picture = splash.grab().toImage();
    QCOMPARE(picture.pixelColor(4, picture.height() / 2), QColor(192, 192, 192));
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");

    // caption and shortcut of every item; "-" is a separator.
    QTest::newRow("File") << "&File"
                          << QStringList{"New Report|Ctrl+N",
                                         "Open Report|Ctrl+O",
                                         "Open Report as Design...|",
                                         "Close Window|Ctrl+F4",
                                         "-",
                                         "Write Report|Ctrl+S",
                                         "Write As...|",
                                         "-",
                                         "Write Text File|Ctrl+T",
                                         "Write Text File As...|",
                                         "Write As UNIX File|Ctrl+U",
                                         "Save Preview As...|",
                                         "-",
                                         "Import Report File|Ctrl+I",
                                         "-",
                                         "E&xit|Alt+F4"};
    QTest::newRow("Edit") << "&Edit"
                          << QStringList{"Undo|Ctrl+Z",
                                         "Redo|Ctrl+Shift+Z",
                                         "-",
                                         "Cut|Ctrl+X",
                                         "Copy|Ctrl+C",
                                         "Paste|Ctrl+V",
                                         "Delete|Ctrl+Del",
                                         "-",
                                         "Find|Ctrl+F",
                                         "Find Next|F3",
                                         "Find Previous|Shift+F3",
                                         "Replace...|Ctrl+H"};
    QTest::newRow("Project") << "P&roject"
                             << QStringList{"Toggle Form/Source|F12",
                                            "Reload Project|",
                                            "-",
                                            "View Object List|F11",
                                            "-",
                                            "Generate Text File Report|F9",
                                            "Check Report|Ctrl+F9",
                                            "Send Report to FTP Server|Shift+F9",
                                            "Run Report|Alt+F9",
                                            "Preview Report|F5",
                                            QString::fromUtf8("Data Source\u2026|"),
                                            "-",
                                            "Print Source|Ctrl+P",
                                            "-",
                                            "Setup|"};
    QTest::newRow("Align") << "&Align" << QStringList{"Align Left Edges|",
                                                      "Align Right Edges|",
                                                      "Align Tops|",
                                                      "Align Bottoms|",
                                                      "-",
                                                      "Make Same Width|",
                                                      "Make Same Height|"};
    QTest::newRow("Window") << "&Window"
                            << QStringList{"Window Cascade|", "Window Tile Horizontal|",
                                           "Window Tile Vertical|"};
    QTest::newRow("Tools") << "&Tools" << QStringList{"Text Editor|", "Terminal Emulator|"};
    QTest::newRow("Help") << "Help" << QStringList{"Index|", "-", "About...|"};
}

void TestMainWindow::menus()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);

    QMenu *found = nullptr;
    for (QAction *top : f->frame->menuBar()->actions()) {
        if (top->text() == menu)
            found = top->menu();
    }
    QVERIFY(found);
    // As the user sees it: the recent files' entries are hidden while the
    // list is empty.
    QStringList actual;
    for (QAction *action : found->actions()) {
        if (!action->isVisible())
            continue;
        actual.append(action->isSeparator()
                          ? QStringLiteral("-")
                          : action->text() + u'|'
                                + action->shortcut().toString(QKeySequence::PortableText));
    }
    QCOMPARE(actual, items);
}

void TestMainWindow::laterCommandsAreDisabled()
{
    f->newReport(QStringLiteral("later"));
    QTRY_VERIFY(f->active());
    for (const char *name : {"ReloadProjectMenu", "Index1"})
        QVERIFY2(!f->action(QLatin1String(name))->isEnabled(), name);
    for (const char *name : {"GenerateTextMenu",     "SendReportToFTPServer1",
                             "CheckReportMenu",      "ToggleMenu",
                             "WriteReportMenu",      "CutMenu",
                             "SaveButton",           "Ustawienia1",
                             "Oprogramie1",          "ViewObjectList1",
                             "RunReport1",           "TextEditorMenu",
                             "TerminalEmulatorMenu", "FindMenu",
                             "FindButton",           "ReplaceMenu",
                             "PrintSourceMenu",      "PrintButton",
                             "PreviewReportMenu",    "DataSourceMenu",
                             "SavePreviewAsMenu"})
        QVERIFY2(f->action(QLatin1String(name))->isEnabled(), name);
}

void TestMainWindow::paletteStaysShownOnceAReportWindowShowedIt()
{
    QVERIFY(f->frame->paletteToolBar()->isHidden());
    f->newReport(QStringLiteral("first"));
    QTRY_VERIFY(f->active());
    QVERIFY(!f->frame->paletteToolBar()->isHidden());
    f->action(QStringLiteral("CloseWindowMenu"))->trigger();
    QTRY_VERIFY(f->frame->reportWindows().isEmpty());
    QVERIFY(!f->frame->paletteToolBar()->isHidden());
    // Untouched, the new report left nothing behind.
    QVERIFY(!QFile::exists(f->path(QStringLiteral("FIRST.kfx"))));
}

void TestMainWindow::paletteAndInspectorFollowTheActiveWindow()
{
    const auto inspectorShown = [](const ReportWindow *window) {
        return window->inspector()->window() && window->inspector()->window()->isVisible();
    };
    const auto subWindowOf = [](ReportWindow *window) {
        return qobject_cast<QMdiSubWindow *>(window->parentWidget());
    };
    PaletteButton *text = f->paletteButton(QStringLiteral("Dpst_TmText"));
    f->newReport(QStringLiteral("one"));
    QTRY_VERIFY(f->active());
    ReportWindow *one = f->active();
    f->newReport(QStringLiteral("two"));
    QTRY_VERIFY(f->active() != one);
    ReportWindow *two = f->active();
    QTRY_VERIFY(inspectorShown(two));
    QVERIFY(!inspectorShown(one));

    subWindowOf(one)->mdiArea()->setActiveSubWindow(subWindowOf(one));
    QTRY_VERIFY(inspectorShown(one));
    QVERIFY(!inspectorShown(two));

    // Closing the other window leaves the palette to the active one.
    subWindowOf(two)->close();
    QTRY_COMPARE(f->frame->reportWindows(), QList<ReportWindow *>{one});
    QTRY_VERIFY(text->isEnabled());
    QVERIFY(one->designing());
    QVERIFY(inspectorShown(one));

    // Design mode off in the active window greys the palette out.
    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QTRY_VERIFY(!text->isEnabled());
}

namespace {

QRect globalRect(const QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

} // namespace

void TestMainWindow::inspectorOpensClearOfMenusAndToolBars()
{
    f->newReport(QStringLiteral("one"));
    QTRY_VERIFY(f->active());
    ObjectInspector *inspector = f->active()->inspector();
    QTRY_VERIFY(inspector->window() && inspector->window()->isVisible());
    const QRect place = inspector->window()->frameGeometry();
    QList<QWidget *> bars = {f->frame->menuBar()};
    for (QToolBar *bar : f->frame->findChildren<QToolBar *>()) {
        if (bar->isVisible())
            bars.append(bar);
    }
    QVERIFY(bars.size() > 2);
    for (const QWidget *bar : std::as_const(bars))
        QVERIFY2(!place.intersects(globalRect(bar)), qPrintable(bar->objectName()));
    QVERIFY(f->frame->screen()->availableGeometry().contains(place.topLeft()));
}

// Where the user puts the inspector it stays: whenever design mode starts
// again, in another report window, and in the next run.
void TestMainWindow::inspectorKeepsItsPlace()
{
    const auto inspectorOf = [](ReportWindow *window) {
        return window->inspector()->window();
    };
    const QRect userPlace(37, 311, 251, 233);
    const auto placed = [&userPlace](const InspectorWindow *window) {
        return window && window->isVisible() && QRect(window->pos(), window->size()) == userPlace;
    };
    f->newReport(QStringLiteral("one"));
    QTRY_VERIFY(f->active());
    ReportWindow *one = f->active();
    QTRY_VERIFY(inspectorOf(one) && inspectorOf(one)->isVisible());
    inspectorOf(one)->resize(userPlace.size());
    inspectorOf(one)->move(userPlace.topLeft());
    QVERIFY(placed(inspectorOf(one)));

    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QVERIFY(!inspectorOf(one));
    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QVERIFY(placed(inspectorOf(one)));

    // A break band without a column: a problem of its own for the check.
    QVERIFY(f->create(QStringLiteral("Dpst_TmBreakBand"), one->mPage1(), QPoint(60, 10),
                      QPoint(400, 30)));
    one->undoStack()->undo();
    QTRY_VERIFY(placed(inspectorOf(one)));
    one->undoStack()->redo();
    QTRY_VERIFY(placed(inspectorOf(one)));

    // A problem's double click in the check list starts design mode again.
    f->action(QStringLiteral("CheckReportMenu"))->trigger();
    auto *list = one->findChild<ReportCheckList *>();
    QVERIFY(list);
    int bandProblem = -1;
    for (int row = 0; row < list->problems().size(); ++row) {
        if (list->problems().at(row).component)
            bandProblem = row;
    }
    QVERIFY(bandProblem >= 0);
    QVERIFY(!inspectorOf(one));
    list->goToProblem(bandProblem);
    QVERIFY(one->designing());
    QVERIFY(placed(inspectorOf(one)));

    f->newReport(QStringLiteral("two"));
    QTRY_VERIFY(f->active() != one);
    ReportWindow *two = f->active();
    QTRY_VERIFY(placed(inspectorOf(two)));

    f->frame->close();
    QTRY_VERIFY(!f->frame->isVisible());
    f->frame = std::make_unique<MainWindow>();
    f->frame->show();
    f->newReport(QStringLiteral("three"));
    QTRY_VERIFY(f->active());
    QTRY_VERIFY(placed(inspectorOf(f->active())));
}

void TestMainWindow::fixedDialogsHaveNoMaximiseButton_data()
{
    using Make = DialogMaker;
    QTest::addColumn<Make>("make");
    QTest::newRow("page setup") << Make([](QWidget *p) { return new PageSetupDialog(p); });
    QTest::newRow("new report") << Make([](QWidget *p) { return new NewReportDialog(p); });
    QTest::newRow("about") << Make([](QWidget *p) { return new AboutBox(p); });
    QTest::newRow("setup") << Make([](QWidget *p) { return new SetupDialog(p); });
    QTest::newRow("upload") << Make([](QWidget *p) { return new FtpWindow(p); });
}

// A dialog the user cannot resize offers no size it cannot take.
void TestMainWindow::fixedDialogsHaveNoMaximiseButton()
{
    QFETCH(DialogMaker, make);
    std::unique_ptr<QWidget> dialog(make(f->frame.get()));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(dialog->isWindow());
}

void TestMainWindow::reportFormTabTurnsDesignModeOn()
{
    f->newReport(QStringLiteral("tabs"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    f->action(QStringLiteral("GenerateTextMenu"))->trigger();
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    QVERIFY(!window->designing());

    QTabBar *tabs = window->pageControl()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());
}

void TestMainWindow::reportFromStartToFinish()
{
    // New Report "sales": a window captioned SALES.kfx in design mode.
    f->newReport(QStringLiteral("sales"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QCOMPARE(window->windowTitle(), QStringLiteral("SALES.kfx"));
    QCOMPARE(f->frame->subWindowOf(window)->windowTitle(), QStringLiteral("SALES.kfx"));
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());

    // A section and a text item on it, from the palette.
    ReportPage *page = window->mPage1();
    auto *band = qobject_cast<Band *>(
        f->create(QStringLiteral("Dpst_TmBand"), page, QPoint(60, 10), QPoint(400, 30)));
    QVERIFY(band);
    QCOMPARE(band->height(), 40);
    auto *text = qobject_cast<TextItem *>(
        f->create(QStringLiteral("Dpst_TmText"), band, QPoint(20, 2), QPoint(90, 14)));
    QVERIFY(text);
    QCOMPARE(text->parentWidget(), band);
    QCOMPARE(text->objectName(), QStringLiteral("mText1"));
    QCOMPARE(text->size(), QSize(100, 18));

    // Generate (F9): the Source page shows the generated text.
    f->activateFrame();
    QTest::keyClick(window->reportStage(), Qt::Key_F9);
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    QVERIFY(!window->designing());
    const QStringList generated = FrameFixture::editorLines(window);
    // The item prints where it was drawn: column 18 div 10 after the
    // page's left margin of 2 columns.
    QCOMPARE(text->x(), 18);
    QCOMPARE(generated, QStringList({".HEADER ", "\t.NEED 2", "\t.TAB 3", "\t.PRINT mText1"}));

    // Toggle twice: the form in design mode, then the source again.
    f->activateFrame();
    QTest::keyClick(window->sourceEditor(), Qt::Key_F12);
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());
    f->activateFrame();
    QTest::keyClick(window->reportStage(), Qt::Key_F12);
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    QVERIFY(!window->designing());

    // Write Text File (Ctrl+T) and Write As UNIX File (Ctrl+U), from the
    // editor, whose own keys give way to the menu's.
    f->activateFrame();
    window->sourceEditor()->setFocus();
    f->answers = {f->path(QStringLiteral("sales.rw")), f->path(QStringLiteral("sales-unix.rw"))};
    QTest::keyClick(window->sourceEditor(), Qt::Key_T, Qt::ControlModifier);
    f->activateFrame();
    QTest::keyClick(window->sourceEditor(), Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(f->askedDialogs, QStringList({"SaveDialog", "SaveDialog"}));
    QCOMPARE(FrameFixture::contents(f->path(QStringLiteral("sales.rw"))),
             QByteArray(".HEADER \r\n\t.NEED 2\r\n\t.TAB 3\r\n\t.PRINT mText1\r\n"));
    QCOMPARE(FrameFixture::contents(f->path(QStringLiteral("sales-unix.rw"))),
             QByteArray(".HEADER \n\t.NEED 2\n\t.TAB 3\n\t.PRINT mText1\n"));

    // Close Window (Ctrl+F4) writes the design into the current folder.
    f->activateFrame();
    QTest::keyClick(window->sourceEditor(), Qt::Key_F4, Qt::ControlModifier);
    QTRY_VERIFY(f->frame->reportWindows().isEmpty());
    const QString design = f->path(QStringLiteral("SALES.kfx"));
    QVERIFY(QFile::exists(design));
    HeadlessReport saved;
    saved.load(design);
    QCOMPARE(saved.page()->findChildren<TextItem *>().size(), 1);

    // Opened again, the design generates the same text.
    f->answers = {design};
    f->activateFrame();
    QTest::keyClick(f->frame.get(), Qt::Key_O, Qt::ControlModifier);
    QTRY_VERIFY(f->active());
    window = f->active();
    QCOMPARE(window->windowTitle(), design);
    QVERIFY(window->designing());
    f->action(QStringLiteral("GenerateTextMenu"))->trigger();
    QCOMPARE(FrameFixture::editorLines(window), generated);
    QCOMPARE(f->failures(), QStringList());
}

void TestMainWindow::pageSetupFromThePage()
{
    f->newReport(QStringLiteral("sales"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    ReportPage *page = window->mPage1();
    auto *band = qobject_cast<Band *>(
        f->create(QStringLiteral("Dpst_TmBand"), page, QPoint(60, 10), QPoint(400, 30)));
    QVERIFY(band);
    band->setTypeField(QStringLiteral("REPORT"));

    // A4 with margins of 5 characters, by a double click on the page.
    f->onModal<PageSetupDialog>([](PageSetupDialog *dialog) {
        QLineEdit *paper = dialog->paperSizeBox()->lineEdit();
        paper->selectAll();
        QTest::keyClicks(paper, QStringLiteral("A4"));
        for (QLineEdit *margin :
             {dialog->topEdit(), dialog->leftEdit(), dialog->bottomEdit(), dialog->rightEdit()}) {
            margin->selectAll();
            QTest::keyClicks(margin, QStringLiteral("5"));
        }
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseDClick(page, Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(page->paperSize(), int(PaperA4));
    QCOMPARE(double(page->pageValue(LeftMargin)), 5.0);

    f->activateFrame();
    QTest::keyClick(window->reportStage(), Qt::Key_F9);
    QCOMPARE(FrameFixture::editorLines(window),
             QStringList({".HEADER REPORT", "\t.LEFTMARGIN 5", "\t.PAGELENGTH 62",
                          "\t.RIGHTMARGIN 75", "\t.PAGEWIDTH 80", "\t.NEED 2"}));
    QCOMPARE(f->failures(), QStringList());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
