#include "FrameFixture.h"

#include "shell/AboutBox.h"
#include "shell/SetupDialog.h"

#include "designer/DesignStage.h"
#include "designer/ReportRegister.h"
#include "model/ReportClasses.h"

#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

// Commands routed to the active report window by the page it shows, the
// keys of the menu taking precedence over the editor's, and the commands
// of the Project and Window menus.
class TestCommandRouting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutAWindowCommandsDoNothing_data();
    void withoutAWindowCommandsDoNothing();
    void deleteActsOnTheFormOnly();
    void undoActsOnTheSourceOnly();
    void clipboardOnTheSource();
    void clipboardOnTheForm();
    void menuKeysWinOverTheEditor();
    void toggleDoesNotGenerate();
    void generateActiveReportKeepsThePage();
    void saveSourceButtonByPage();
    void setupAndAboutAreModal();
    void windowListAndArrangement();

private:
    // A new report with one section on its page, selected.
    ReportWindow *reportWithBand(const QString &name);
    static QList<Band *> bands(ReportWindow *window);

    FrameFixture *f = nullptr;
};

using Handler = void (MainWindow::*)();

namespace {

struct NamedHandler
{
    const char *name;
    Handler handler;
};

const NamedHandler editAndProjectCommands[] = {
    {"Undo", &MainWindow::undoTriggered},
    {"Cut", &MainWindow::cutTriggered},
    {"Copy", &MainWindow::copyTriggered},
    {"Paste", &MainWindow::pasteTriggered},
    {"Delete", &MainWindow::deleteTriggered},
    {"Toggle", &MainWindow::toggleTriggered},
    {"Generate", &MainWindow::generateTextTriggered},
    {"Close Window", &MainWindow::closeWindowTriggered},
    {"Write Report", &MainWindow::writeReportTriggered},
    {"Write As", &MainWindow::writeReportAsTriggered},
    {"Write Text File", &MainWindow::writeTextFileTriggered},
    {"Write UNIX File", &MainWindow::writeUnixFileTriggered},
    {"Save Source", &MainWindow::saveTriggered},
    {"Cascade", &MainWindow::cascadeTriggered},
    {"Tile", &MainWindow::tileVerticallyTriggered},
};

} // namespace

void TestCommandRouting::init()
{
    f = new FrameFixture;
}

void TestCommandRouting::cleanup()
{
    delete f;
    f = nullptr;
}

ReportWindow *TestCommandRouting::reportWithBand(const QString &name)
{
    f->newReport(name);
    if (!QTest::qWaitFor([this] { return f->active() != nullptr; }))
        return nullptr;
    ReportWindow *window = f->active();
    QWidget *band = f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(), QPoint(60, 10),
                              QPoint(400, 30));
    if (band)
        window->designRegister()->selectOnly(band);
    return window;
}

QList<Band *> TestCommandRouting::bands(ReportWindow *window)
{
    return window->mPage1()->findChildren<Band *>(Qt::FindDirectChildrenOnly);
}

void TestCommandRouting::withoutAWindowCommandsDoNothing_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(editAndProjectCommands)); ++i)
        QTest::newRow(editAndProjectCommands[i].name) << i;
}

void TestCommandRouting::withoutAWindowCommandsDoNothing()
{
    QFETCH(int, index);
    f->answers = {f->path(QStringLiteral("unasked.rw"))};
    (f->frame.get()->*editAndProjectCommands[index].handler)();
    QVERIFY(f->frame->reportWindows().isEmpty());
    QVERIFY(f->messages.isEmpty());
    QVERIFY(f->askedDialogs.isEmpty());
    // And the menu items say so.
    QVERIFY(!f->action(QStringLiteral("GenerateTextMenu"))->isEnabled());
    QVERIFY(f->action(QStringLiteral("Ustawienia1"))->isEnabled());
}

void TestCommandRouting::deleteActsOnTheFormOnly()
{
    ReportWindow *window = reportWithBand(QStringLiteral("delete"));
    QVERIFY(window);
    QCOMPARE(bands(window).size(), 1);

    window->setActivePage(ReportWindow::Page::Source);
    f->action(QStringLiteral("DeleteMenu"))->trigger();
    QCOMPARE(bands(window).size(), 1);

    window->setActivePage(ReportWindow::Page::ReportForm);
    f->action(QStringLiteral("DeleteMenu"))->trigger();
    QTRY_COMPARE(bands(window).size(), 0);
}

void TestCommandRouting::undoActsOnTheSourceOnly()
{
    f->newReport(QStringLiteral("undo"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    SourceEditor *editor = window->sourceEditor();
    editor->insert(QStringLiteral("typed"));
    QCOMPARE(editor->text(), QStringLiteral("typed"));

    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(editor->text(), QStringLiteral("typed"));

    window->setActivePage(ReportWindow::Page::Source);
    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(editor->text(), QString());
}

void TestCommandRouting::clipboardOnTheSource()
{
    f->newReport(QStringLiteral("clip"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    window->setActivePage(ReportWindow::Page::Source);
    SourceEditor *editor = window->sourceEditor();
    editor->setText(QStringLiteral(".PRINT x"));
    editor->selectAll();

    f->action(QStringLiteral("CopyMenu"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(".PRINT x"));
    f->action(QStringLiteral("CutMenu"))->trigger();
    QCOMPARE(editor->text(), QString());
    f->action(QStringLiteral("PasteMenu"))->trigger();
    f->action(QStringLiteral("PasteMenu"))->trigger();
    QCOMPARE(editor->text(), QStringLiteral(".PRINT x.PRINT x"));
    QCOMPARE(bands(window).size(), 0);
}

void TestCommandRouting::clipboardOnTheForm()
{
    ReportWindow *window = reportWithBand(QStringLiteral("formclip"));
    QVERIFY(window);
    window->sourceEditor()->setText(QStringLiteral("untouched"));

    f->action(QStringLiteral("CopyMenu"))->trigger();
    f->action(QStringLiteral("PasteMenu"))->trigger();
    QTRY_COMPARE(bands(window).size(), 2);
    f->action(QStringLiteral("CutMenu"))->trigger();
    QTRY_COMPARE(bands(window).size(), 1);
    QCOMPARE(window->sourceEditor()->text(), QStringLiteral("untouched"));
    QCOMPARE(f->failures(), QStringList());
}

void TestCommandRouting::menuKeysWinOverTheEditor()
{
    f->newReport(QStringLiteral("keys"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    window->setActivePage(ReportWindow::Page::Source);
    f->activateFrame();
    SourceEditor *editor = window->sourceEditor();
    editor->setFocus();
    editor->setText(QStringLiteral("one two"));
    editor->setCursorPosition(0, 0);

    // Ctrl+Del is the menu's removeTarget, which does nothing on the source.
    QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral("one two"));

    // Ctrl+S writes the design rather than reaching the editor.
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(f->path(QStringLiteral("KEYS.kfx"))));

    // Ctrl+Z reaches the editor through the menu's Undo.
    editor->insert(QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral("one two"));

    // Ctrl+I imports, whatever the editor would make of it.
    f->answers = {QString()};
    QTest::keyClick(editor, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(f->askedDialogs, QStringList({"OpenDialog"}));
    QCOMPARE(editor->text(), QStringLiteral("one two"));
}

void TestCommandRouting::toggleDoesNotGenerate()
{
    f->newReport(QStringLiteral("toggle"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    window->sourceEditor()->setText(QStringLiteral("hand-written"));

    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QCOMPARE(window->activePage(), ReportWindow::Page::Source);
    QVERIFY(!window->designing());
    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());
    QCOMPARE(window->sourceEditor()->text(), QStringLiteral("hand-written"));
}

void TestCommandRouting::generateActiveReportKeepsThePage()
{
    f->newReport(QStringLiteral("run"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    window->sourceEditor()->setText(QStringLiteral("old text"));

    QVERIFY(f->frame->generateActiveReport());
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(!window->designing());
    // An empty page generates no text.
    QCOMPARE(window->sourceEditor()->text(), QString());
}

void TestCommandRouting::saveSourceButtonByPage()
{
    f->newReport(QStringLiteral("button"));
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QAction *save = f->action(QStringLiteral("SaveButton"));

    save->trigger();
    QVERIFY(QFile::exists(f->path(QStringLiteral("BUTTON.kfx"))));
    QVERIFY(f->askedDialogs.isEmpty());

    // On the source page: the text as it stands, not generated again.
    window->setActivePage(ReportWindow::Page::Source);
    window->sourceEditor()->setText(QStringLiteral("by hand\nsecond"));
    f->answers = {f->path(QStringLiteral("hand.rw"))};
    save->trigger();
    QCOMPARE(f->askedDialogs, QStringList({"SaveDialog"}));
    QCOMPARE(FrameFixture::contents(f->path(QStringLiteral("hand.rw"))),
             QByteArray("by hand\r\nsecond\r\n"));
}

void TestCommandRouting::setupAndAboutAreModal()
{
    bool setupShown = false;
    bool aboutShown = false;
    f->onModal<SetupDialog>([&setupShown](SetupDialog *setup) {
        setupShown = setup->windowTitle() == QStringLiteral("Setup");
        setup->reject();
    });
    f->action(QStringLiteral("Ustawienia1"))->trigger();
    QVERIFY(setupShown);

    f->onModal<AboutBox>([&aboutShown](AboutBox *about) {
        aboutShown = about->findChild<QLabel *>(QStringLiteral("VersionLabel"))->text()
                     == QStringLiteral("Version 1.0 beta 1");
        about->accept();
    });
    f->action(QStringLiteral("Oprogramie1"))->trigger();
    QVERIFY(aboutShown);
}

void TestCommandRouting::windowListAndArrangement()
{
    f->newReport(QStringLiteral("first"));
    QTRY_VERIFY(f->active());
    ReportWindow *first = f->active();
    f->newReport(QStringLiteral("second"));
    QTRY_VERIFY(f->active() != first);
    ReportWindow *second = f->active();
    QMdiSubWindow *firstSub = f->frame->subWindowOf(first);
    QMdiSubWindow *secondSub = f->frame->subWindowOf(second);
    const QRect area = f->frame->mdiArea()->viewport()->rect();

    f->action(QStringLiteral("WindowTileHorizontalMenu"))->trigger();
    QCOMPARE(firstSub->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    QCOMPARE(secondSub->geometry().top(), area.height() / 2);
    QCOMPARE(secondSub->geometry().width(), area.width());

    f->action(QStringLiteral("WindowTileVerticalMenu"))->trigger();
    QCOMPARE(firstSub->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    QCOMPARE(secondSub->geometry().left(), area.width() / 2);
    QCOMPARE(secondSub->geometry().height(), area.height());

    f->action(QStringLiteral("WindowCascadeMenu"))->trigger();
    QVERIFY(firstSub->geometry().topLeft() != secondSub->geometry().topLeft());

    // The window list names each window; choosing one activates it.
    QMenu *menu = f->frame->windowMenu();
    emit menu->aboutToShow();
    QStringList entries;
    QAction *firstEntry = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator() || !action->objectName().isEmpty())
            continue;
        entries.append(action->text());
        if (action->text().endsWith(QLatin1String("FIRST.kfx")))
            firstEntry = action;
    }
    QCOMPARE(entries, QStringList({"&1 FIRST.kfx", "&2 SECOND.kfx"}));
    QVERIFY(firstEntry);
    firstEntry->trigger();
    QCOMPARE(f->active(), first);
}

QTEST_MAIN(TestCommandRouting)
#include "tst_commandrouting.moc"
