#include "FrameFixture.h"

#include "shell/AboutBox.h"
#include "shell/UstawieniaFrm.h"

#include "designer/DsnStage.h"
#include "designer/DsnSubDp.h"
#include "model/mKomponents.h"

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
    TChildWindowForm *reportWithBand(const QString &name);
    static QList<TmBand *> bands(TChildWindowForm *window);

    FrameFixture *f = nullptr;
};

using Handler = void (TWindowMainForm::*)();

namespace {

struct NamedHandler
{
    const char *name;
    Handler handler;
};

const NamedHandler editAndProjectCommands[] = {
    {"Undo", &TWindowMainForm::UndoMenuClick},
    {"Cut", &TWindowMainForm::CutMenuClick},
    {"Copy", &TWindowMainForm::CopyMenuClick},
    {"Paste", &TWindowMainForm::PasteMenuClick},
    {"Delete", &TWindowMainForm::DeleteMenuClick},
    {"Toggle", &TWindowMainForm::ToggleMenuClick},
    {"Generate", &TWindowMainForm::GenerateTextMenuClick},
    {"Close Window", &TWindowMainForm::CloseWindowMenuClick},
    {"Write Report", &TWindowMainForm::WriteReportMenuClick},
    {"Write As", &TWindowMainForm::WriteReportAsMenuClick},
    {"Write Text File", &TWindowMainForm::WriteTextFileMenuClick},
    {"Write UNIX File", &TWindowMainForm::WriteUNIXFileMenuClick},
    {"Save Source", &TWindowMainForm::SaveButtonClick},
    {"Cascade", &TWindowMainForm::WindowCascadeMenuClick},
    {"Tile", &TWindowMainForm::WindowTileVerticalMenuClick},
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

TChildWindowForm *TestCommandRouting::reportWithBand(const QString &name)
{
    f->newReport(name);
    if (!QTest::qWaitFor([this] { return f->active() != nullptr; }))
        return nullptr;
    TChildWindowForm *window = f->active();
    QWidget *band = f->create(QStringLiteral("Dpst_TmBand"), window->mPage1(), QPoint(60, 10),
                              QPoint(400, 30));
    if (band)
        window->DsnRegisterReport()->SelectOnly(band);
    return window;
}

QList<TmBand *> TestCommandRouting::bands(TChildWindowForm *window)
{
    return window->mPage1()->findChildren<TmBand *>(Qt::FindDirectChildrenOnly);
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
    TChildWindowForm *window = reportWithBand(QStringLiteral("delete"));
    QVERIFY(window);
    QCOMPARE(bands(window).size(), 1);

    window->setActivePage(TChildWindowForm::Page::Source);
    f->action(QStringLiteral("DeleteMenu"))->trigger();
    QCOMPARE(bands(window).size(), 1);

    window->setActivePage(TChildWindowForm::Page::ReportForm);
    f->action(QStringLiteral("DeleteMenu"))->trigger();
    QTRY_COMPARE(bands(window).size(), 0);
}

void TestCommandRouting::undoActsOnTheSourceOnly()
{
    f->newReport(QStringLiteral("undo"));
    QTRY_VERIFY(f->active());
    TChildWindowForm *window = f->active();
    TSourceEditor *editor = window->SourceEditor();
    editor->insert(QStringLiteral("typed"));
    QCOMPARE(editor->text(), QStringLiteral("typed"));

    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(editor->text(), QStringLiteral("typed"));

    window->setActivePage(TChildWindowForm::Page::Source);
    f->action(QStringLiteral("UndoMenu"))->trigger();
    QCOMPARE(editor->text(), QString());
}

void TestCommandRouting::clipboardOnTheSource()
{
    f->newReport(QStringLiteral("clip"));
    QTRY_VERIFY(f->active());
    TChildWindowForm *window = f->active();
    window->setActivePage(TChildWindowForm::Page::Source);
    TSourceEditor *editor = window->SourceEditor();
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
    TChildWindowForm *window = reportWithBand(QStringLiteral("formclip"));
    QVERIFY(window);
    window->SourceEditor()->setText(QStringLiteral("untouched"));

    f->action(QStringLiteral("CopyMenu"))->trigger();
    f->action(QStringLiteral("PasteMenu"))->trigger();
    QTRY_COMPARE(bands(window).size(), 2);
    f->action(QStringLiteral("CutMenu"))->trigger();
    QTRY_COMPARE(bands(window).size(), 1);
    QCOMPARE(window->SourceEditor()->text(), QStringLiteral("untouched"));
    QCOMPARE(f->failures(), QStringList());
}

void TestCommandRouting::menuKeysWinOverTheEditor()
{
    f->newReport(QStringLiteral("keys"));
    QTRY_VERIFY(f->active());
    TChildWindowForm *window = f->active();
    window->setActivePage(TChildWindowForm::Page::Source);
    f->activateFrame();
    TSourceEditor *editor = window->SourceEditor();
    editor->setFocus();
    editor->setText(QStringLiteral("one two"));
    editor->setCursorPosition(0, 0);

    // Ctrl+Del is the menu's Delete, which does nothing on the source.
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
    TChildWindowForm *window = f->active();
    window->SourceEditor()->setText(QStringLiteral("hand-written"));

    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QCOMPARE(window->activePage(), TChildWindowForm::Page::Source);
    QVERIFY(!window->designing());
    f->action(QStringLiteral("ToggleMenu"))->trigger();
    QCOMPARE(window->activePage(), TChildWindowForm::Page::ReportForm);
    QVERIFY(window->designing());
    QCOMPARE(window->SourceEditor()->text(), QStringLiteral("hand-written"));
}

void TestCommandRouting::generateActiveReportKeepsThePage()
{
    f->newReport(QStringLiteral("run"));
    QTRY_VERIFY(f->active());
    TChildWindowForm *window = f->active();
    window->SourceEditor()->setText(QStringLiteral("old text"));

    QVERIFY(f->frame->GenerateActiveReport());
    QCOMPARE(window->activePage(), TChildWindowForm::Page::ReportForm);
    QVERIFY(!window->designing());
    // An empty page generates no text.
    QCOMPARE(window->SourceEditor()->text(), QString());
}

void TestCommandRouting::saveSourceButtonByPage()
{
    f->newReport(QStringLiteral("button"));
    QTRY_VERIFY(f->active());
    TChildWindowForm *window = f->active();
    QAction *save = f->action(QStringLiteral("SaveButton"));

    save->trigger();
    QVERIFY(QFile::exists(f->path(QStringLiteral("BUTTON.kfx"))));
    QVERIFY(f->askedDialogs.isEmpty());

    // On the source page: the text as it stands, not generated again.
    window->setActivePage(TChildWindowForm::Page::Source);
    window->SourceEditor()->setText(QStringLiteral("by hand\nsecond"));
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
    f->onModal<TUstawieniaForm>([&setupShown](TUstawieniaForm *setup) {
        setupShown = setup->windowTitle() == QStringLiteral("Setup");
        setup->reject();
    });
    f->action(QStringLiteral("Ustawienia1"))->trigger();
    QVERIFY(setupShown);

    f->onModal<TAboutBox>([&aboutShown](TAboutBox *about) {
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
    TChildWindowForm *first = f->active();
    f->newReport(QStringLiteral("second"));
    QTRY_VERIFY(f->active() != first);
    TChildWindowForm *second = f->active();
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
