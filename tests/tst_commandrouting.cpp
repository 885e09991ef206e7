#include "FrameFixture.h"

#include "shell/AboutBox.h"
#include "shell/Settings.h"
#include "shell/SetupDialog.h"
#include "windows/FindDialog.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "model/ReportClasses.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

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
    void generationAsksBeforeReplacingText_data();
    void generationAsksBeforeReplacingText();
    void sourceEditsMarkTheWindowModified();
    void saveSourceButtonByPage();
    void setupAndAboutAreModal();
    void windowListAndArrangement();
    void eachMenuItemReachesItsCommand_data();
    void eachMenuItemReachesItsCommand();

private:
    // A new report with one section on its page, selected.
    ReportWindow *reportWithBand(const QString &name);
    static QList<Band *> bands(ReportWindow *window);
    // What a user can see of the frame, its windows, the clipboard and the
    // working folder, one fact per line.
    QStringList observe(ReportWindow *route, QMdiSubWindow *other, QMdiSubWindow *routeSub) const;

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
    {"Check Report", &MainWindow::checkReportTriggered},
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
    QWidget *band =
        f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(), QPoint(60, 10), QPoint(400, 30));
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
    // The form in view stays designable.
    QVERIFY(window->designing());
    // An empty page generates no text.
    QCOMPARE(window->sourceEditor()->text(), QString());
}

void TestCommandRouting::generationAsksBeforeReplacingText_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replaced, then undone") << true;
    QTest::newRow("kept") << false;
}

// A text read from a file is no generated text: F9 asks before replacing
// it. Kept, nothing changes; replaced, Ctrl+Z on the Source page brings it
// back in one step, and Ctrl+Shift+Z the generated text again. Text as
// generation left it is replaced without a question.
void TestCommandRouting::generationAsksBeforeReplacingText()
{
    QFETCH(bool, replace);
    const QString path = f->path(QStringLiteral("old.rw"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(".NAME old\n.PRINT 'typed by hand'\n");
    file.close();
    // Opened as text, on the Source page.
    QVERIFY(Settings::write(SettingKeys::OpenReportAs, QStringLiteral("text")));
    f->frame->openFile(path);
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    auto *band = new Band(&window->owner(), window->mPage1());
    band->setName(QStringLiteral("mBand1"));
    SourceEditor *editor = window->sourceEditor();
    const QString read = editor->text();
    QCOMPARE(read, QStringLiteral(".NAME old\n.PRINT 'typed by hand'"));
    f->activateFrame();
    editor->setFocus();

    f->yesNoAnswer = replace;
    QTest::keyClick(editor, Qt::Key_F9);
    QCOMPARE(f->yesNoQuestions.size(), 1);
    if (!replace) {
        QCOMPARE(editor->text(), read);
        return;
    }
    const QString generated = editor->text();
    QVERIFY(generated.startsWith(QStringLiteral(".HEADER")));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), read);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(editor->text(), generated);

    // What generation left is replaced without asking; once typed on, not.
    QTest::keyClick(editor, Qt::Key_F9);
    QCOMPARE(f->yesNoQuestions.size(), 1);
    QCOMPARE(editor->text(), generated);
    editor->setCursorPosition(0, 0);
    QTest::keyClicks(editor, "/* mine */ ");
    f->yesNoAnswer = false;
    QTest::keyClick(editor, Qt::Key_F9);
    QCOMPARE(f->yesNoQuestions.size(), 2);
    QCOMPARE(editor->text(), QStringLiteral("/* mine */ ") + generated);
    QCOMPARE(f->failures(), QStringList{});
}

// Typing and Replace All on the Source page mark the window modified, as
// changes of the design do; undoing them back to the text as read, or
// writing the text, ends that.
void TestCommandRouting::sourceEditsMarkTheWindowModified()
{
    const QString path = f->path(QStringLiteral("TYPED.rw"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(".NAME typed\n");
    file.close();
    QVERIFY(Settings::write(SettingKeys::OpenReportAs, QStringLiteral("text")));
    f->frame->openFile(path);
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    const QString caption = window->windowTitle();
    QVERIFY(!caption.endsWith(u'*'));
    QVERIFY(!window->modified());
    f->activateFrame();
    SourceEditor *editor = window->sourceEditor();
    editor->setFocus();

    editor->setCursorPosition(0, 11);
    QTest::keyClicks(editor, "s");
    QVERIFY(window->modified());
    QCOMPARE(window->windowTitle(), caption + u'*');
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral(".NAME typed"));
    QCOMPARE(window->windowTitle(), caption);

    FindDialog *find = window->findDialog();
    find->findField()->setText(QStringLiteral("typed"));
    find->replaceField()->setText(QStringLiteral("replaced"));
    find->replaceAll();
    QCOMPARE(editor->text(), QStringLiteral(".NAME replaced"));
    QCOMPARE(window->windowTitle(), caption + u'*');

    f->answers = {f->path(QStringLiteral("written.rw"))};
    f->action(QStringLiteral("SaveButton"))->trigger();
    QCOMPARE(FrameFixture::contents(f->path(QStringLiteral("written.rw"))),
             QByteArray(".NAME replaced\n"));
    QCOMPARE(window->windowTitle(), caption);
    QVERIFY(!window->modified());
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

namespace {

QString pageName(ReportWindow *window)
{
    return window->activePage() == ReportWindow::Page::Source ? QStringLiteral("Source")
                                                              : QStringLiteral("Form");
}

QString escaped(QString text)
{
    return text.replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"));
}

QString layoutOf(const QMdiSubWindow *first, const QMdiSubWindow *second)
{
    const QRect a = first->geometry();
    const QRect b = second->geometry();
    if (a.topLeft() == b.topLeft())
        return QStringLiteral("same place");
    if (a.left() == b.left())
        return QStringLiteral("one above the other");
    if (a.top() == b.top())
        return QStringLiteral("side by side");
    return QStringLiteral("cascaded");
}

QString activeFact(ReportWindow *active)
{
    if (!active)
        return QStringLiteral("none");
    // Which design it is: whether it is modified shows in the window list.
    return QFileInfo(active->designFileName()).fileName() + " on " + pageName(active)
           + (active->designing() ? ", designing" : "");
}

QString clipboardFact()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (mime && mime->hasFormat(QStringLiteral("Dsn_ClipboardFormat")))
        return QStringLiteral("components");
    return u'\'' + QGuiApplication::clipboard()->text() + u'\'';
}

// The files of folder by name; text files with their bytes.
QString filesFact(const QString &folder)
{
    QStringList files;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(folder).filePath(name));
        files.append(name.endsWith(QLatin1String(".rw")) && file.open(QIODevice::ReadOnly)
                         ? name + " = " + escaped(QString::fromLatin1(file.readAll()))
                         : name);
    }
    return files.join(QStringLiteral(", "));
}

// The facts as the set-up leaves them, with the report ROUTE on the page
// given; a row of the table names only the facts its command changes. The
// typed source keeps ROUTE modified until the source is generated again or
// written.
QStringList baseline(const QString &page)
{
    return {"windows: OTHER.kfx, ROUTE.kfx*",
            "active: ROUTE.kfx on " + page + (page == u"Form" ? ", designing" : ""),
            "route: 1 band, editor 'base typed'",
            "clipboard: 'clip'",
            "files: sales.kfx",
            "dialogs: ",
            "frame: shown",
            "layout: same place",
            "failures: "};
}

QStringList withChanges(QStringList facts, const QStringList &changes)
{
    for (const QString &change : changes) {
        const QString key = change.left(change.indexOf(u':') + 1);
        for (QString &fact : facts) {
            if (fact.startsWith(key))
                fact = change;
        }
    }
    return facts;
}

} // namespace

QStringList TestCommandRouting::observe(ReportWindow *route, QMdiSubWindow *other,
                                        QMdiSubWindow *routeSub) const
{
    QStringList titles;
    for (ReportWindow *window : f->frame->reportWindows())
        titles.append(QFileInfo(window->windowTitle()).fileName());
    const int bandCount = route ? int(bands(route).size()) : 0;
    return {
        "windows: " + titles.join(QStringLiteral(", ")),
        "active: " + activeFact(f->active()),
        "route: "
            + (route ? QStringLiteral("%1 band%2, editor '%3'")
                           .arg(bandCount)
                           .arg(bandCount == 1 ? "" : "s")
                           .arg(escaped(FrameFixture::editorLines(route).join(u'\n')))
                     : QStringLiteral("closed")),
        "clipboard: " + clipboardFact(),
        "files: " + filesFact(f->workDir.path()),
        "dialogs: " + f->askedDialogs.join(QStringLiteral(", ")),
        "frame: " + QString::fromLatin1(f->frame->isVisible() ? "shown" : "closed"),
        "layout: " + (other && routeSub ? layoutOf(other, routeSub) : QStringLiteral("-")),
        "failures: " + f->failures().join(QStringLiteral(", ")),
    };
}

void TestCommandRouting::eachMenuItemReachesItsCommand_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("componentsCopied"); // the band is on the clipboard first
    QTest::addColumn<QStringList>("answers");   // of the file dialogs, in the working folder
    QTest::addColumn<QStringList>("changes");   // facts that differ from the set-up's

    const QString generated = QStringLiteral("editor '.HEADER \\n\\t.NEED 2'");
    const QString onSource = QStringLiteral("active: ROUTE.kfx on Source");
    const QStringList none;

    QTest::newRow("Undo") << "UndoMenu"
                          << "Source" << false << none
                          << QStringList{"route: 1 band, editor 'base'"};
    QTest::newRow("Cut, source") << "CutMenu"
                                 << "Source" << false << none
                                 << QStringList{"route: 1 band, editor ''",
                                                "clipboard: 'base typed'"};
    QTest::newRow("Copy, source") << "CopyMenu"
                                  << "Source" << false << none
                                  << QStringList{"clipboard: 'base typed'"};
    QTest::newRow("Paste, source")
        << "PasteMenu"
        << "Source" << false << none << QStringList{"route: 1 band, editor 'clip'"};
    // Taking the new band away again is a second step of the history: the
    // caption still shows a design changed since it was opened.
    QTest::newRow("Cut, form") << "CutMenu"
                               << "Form" << false << none
                               << QStringList{"windows: OTHER.kfx, ROUTE.kfx*",
                                              "route: 0 bands, editor 'base typed'",
                                              "clipboard: components"};
    QTest::newRow("Copy, form") << "CopyMenu"
                                << "Form" << false << none << QStringList{"clipboard: components"};
    QTest::newRow("Paste, form") << "PasteMenu"
                                 << "Form" << true << none
                                 << QStringList{"route: 2 bands, editor 'base typed'",
                                                "clipboard: components"};
    QTest::newRow("Delete") << "DeleteMenu"
                            << "Form" << false << none
                            << QStringList{"windows: OTHER.kfx, ROUTE.kfx*",
                                           "route: 0 bands, editor 'base typed'"};
    QTest::newRow("Toggle to the source") << "ToggleMenu"
                                          << "Form" << false << none << QStringList{onSource};
    QTest::newRow("Toggle to the form")
        << "ToggleMenu"
        << "Source" << false << none << QStringList{"active: ROUTE.kfx on Form, designing"};
    QTest::newRow("Generate") << "GenerateTextMenu"
                              << "Form" << false << none
                              << QStringList{onSource, "route: 1 band, " + generated};
    QTest::newRow("Check Report") << "CheckReportMenu"
                                  << "Form" << false << none
                                  << QStringList{onSource, "route: 1 band, " + generated};
    QTest::newRow("Write Text File")
        << "WriteTextFileMenu"
        << "Form" << false << QStringList{"route.rw"}
        << QStringList{onSource, "route: 1 band, " + generated,
                       "files: route.rw = .HEADER \\r\\n\\t.NEED 2\\r\\n, sales.kfx",
                       "dialogs: SaveDialog"};
    QTest::newRow("Write Text File As")
        << "WriteTextFileAsMenu"
        << "Form" << false << QStringList{"route.rw"}
        << QStringList{onSource, "route: 1 band, " + generated,
                       "files: route.rw = .HEADER \\r\\n\\t.NEED 2\\r\\n, sales.kfx",
                       "dialogs: SaveDialog"};
    QTest::newRow("Write As UNIX File")
        << "WriteUNIXFileMenu"
        << "Form" << false << QStringList{"route.rw"}
        << QStringList{onSource, "route: 1 band, " + generated,
                       "files: route.rw = .HEADER \\n\\t.NEED 2\\n, sales.kfx",
                       "dialogs: SaveDialog"};
    QTest::newRow("Write Report") << "WriteReportMenu"
                                  << "Form" << false << none
                                  << QStringList{"windows: OTHER.kfx, ROUTE.kfx*",
                                                 "files: ROUTE.kfx, sales.kfx"};
    QTest::newRow("Write Report, source")
        << "WriteReportMenu"
        << "Source" << false << none
        << QStringList{"windows: OTHER.kfx, ROUTE.kfx*", "files: ROUTE.kfx, sales.kfx"};
    QTest::newRow("Write As") << "WriteReportAsMenu"
                              << "Form" << false << QStringList{"copy.kfx"}
                              << QStringList{"windows: OTHER.kfx, copy.kfx*",
                                             "active: copy.kfx on Form, designing",
                                             "files: copy.kfx, sales.kfx",
                                             "dialogs: SaveDialog_kfx"};
    QTest::newRow("Close Window") << "CloseWindowMenu"
                                  << "Form" << false << none
                                  << QStringList{"windows: OTHER.kfx",
                                                 "active: OTHER.kfx on Form, designing",
                                                 "route: closed", "files: ROUTE.kfx, sales.kfx",
                                                 "layout: -"};
    QTest::newRow("Save Source button, form")
        << "SaveButton"
        << "Form" << false << none
        << QStringList{"windows: OTHER.kfx, ROUTE.kfx*", "files: ROUTE.kfx, sales.kfx"};
    QTest::newRow("Save Source button, source")
        << "SaveButton"
        << "Source" << false << QStringList{"typed.rw"}
        << QStringList{"files: sales.kfx, typed.rw = base typed\\r\\n", "dialogs: SaveDialog"};
    QTest::newRow("New Report") << "Nowyraport1"
                                << "Form" << false << none
                                << QStringList{"dialogs: NewItemsDialog"};
    QTest::newRow("Open Report") << "Otwrz1"
                                 << "Form" << false << QStringList{"sales.kfx"}
                                 << QStringList{"windows: OTHER.kfx, ROUTE.kfx*, sales.kfx",
                                                "active: sales.kfx on Form, designing",
                                                "dialogs: OpenDialog"};
    QTest::newRow("Import Report File")
        << "ImportReportFromFilerw1"
        << "Form" << false << QStringList{"sales.kfx"}
        << QStringList{"windows: OTHER.kfx, ROUTE.kfx*, sales.kfx",
                       "active: sales.kfx on Source, designing", "dialogs: OpenDialog"};
    QTest::newRow("Exit") << "Zakocz1"
                          << "Form" << false << none
                          << QStringList{"windows: ",     "active: none",
                                         "route: closed", "files: ROUTE.kfx, sales.kfx",
                                         "frame: closed", "layout: -"};
    QTest::newRow("Setup") << "Ustawienia1"
                           << "Form" << false << none << QStringList{"dialogs: SetupDialog"};
    QTest::newRow("About") << "Oprogramie1"
                           << "Form" << false << none << QStringList{"dialogs: AboutBox"};
    QTest::newRow("Window Cascade") << "WindowCascadeMenu"
                                    << "Form" << false << none << QStringList{"layout: cascaded"};
    QTest::newRow("Window Tile Horizontal")
        << "WindowTileHorizontalMenu"
        << "Form" << false << none << QStringList{"layout: one above the other"};
    QTest::newRow("Window Tile Vertical")
        << "WindowTileVerticalMenu"
        << "Form" << false << none << QStringList{"layout: side by side"};
}

// Two report windows, OTHER and ROUTE, in one place; ROUTE is active, with
// a selected section and the source text "base typed" all selected, whose
// last word can be undone. Each menu item is triggered as the menu does
// it, and what changes is what its own command does.
void TestCommandRouting::eachMenuItemReachesItsCommand()
{
    QFETCH(QString, action);
    QFETCH(QString, page);
    QFETCH(bool, componentsCopied);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, changes);

    QVERIFY(QFile::copy(QStringLiteral(KESTROVA_TEST_DATA "/sales.kfx"),
                        f->path(QStringLiteral("sales.kfx"))));
    f->newReport(QStringLiteral("other"));
    QTRY_VERIFY(f->active());
    ReportWindow *otherWindow = f->active();
    QPointer<ReportWindow> route = reportWithBand(QStringLiteral("route"));
    QVERIFY(route && route != otherWindow);
    QCOMPARE(bands(route).size(), 1);
    QPointer<QMdiSubWindow> other = f->frame->subWindowOf(otherWindow);
    QPointer<QMdiSubWindow> routeSub = f->frame->subWindowOf(route);
    other->setGeometry(10, 10, 300, 200);
    routeSub->setGeometry(10, 10, 300, 200);

    SourceEditor *editor = route->sourceEditor();
    editor->setText(QStringLiteral("base"));
    editor->setCursorPosition(0, 4);
    editor->insert(QStringLiteral(" typed"));
    editor->selectAll();
    if (componentsCopied)
        route->reportStage()->copySelected();
    else
        QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    if (page == u"Source") {
        route->switchOff();
        route->setActivePage(ReportWindow::Page::Source);
    }
    f->messages.clear();
    QStringList expectedBefore = baseline(page);
    if (componentsCopied)
        expectedBefore = withChanges(expectedBefore, {"clipboard: components"});
    QCOMPARE(observe(route, other, routeSub), expectedBefore);

    for (const QString &answer : std::as_const(answers))
        f->answers.append(f->path(answer));
    f->onModal<QDialog>([this](QDialog *dialog) {
        f->askedDialogs.append(QString::fromLatin1(dialog->metaObject()->className()));
        dialog->reject();
    });
    QAction *item = f->action(action);
    QVERIFY(item);
    QVERIFY(item->isEnabled());
    item->trigger();
    qDeleteAll(f->modalWatch.findChildren<QTimer *>());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(observe(route, other, routeSub), withChanges(expectedBefore, changes));
}

QTEST_MAIN(TestCommandRouting)
#include "tst_commandrouting.moc"
