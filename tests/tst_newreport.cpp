#include "FrameFixture.h"

#include <QMdiSubWindow>
#include <QToolBar>
#include <QToolButton>

// New Report: the "New Items" window, the "New Report" dialog and the name
// a new report's design file gets.
class TestNewReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileNames_data();
    void fileNames();
    void newItemsOffersOnlyTheEmptyReport();
    void nameFieldHasTheFocus();
    void typedNames_data();
    void typedNames();
    void emptyNameGivesTheMessageAndNoWindow();
    void closingNewItemsCreatesNothing();
    void cancellingTheNameCreatesNothing();
    void toolButtonStartsANewReport();
    void returnOpensTheChosenKind();

private:
    FrameFixture *f = nullptr;
};

void TestNewReport::init()
{
    f = new FrameFixture;
}

void TestNewReport::cleanup()
{
    delete f;
    f = nullptr;
}

void TestNewReport::fileNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("plain") << "sales"
                           << "SALES.kfx";
    QTest::newRow("with extension") << "sales.kfx"
                                    << "SALES.KFX";
    QTest::newRow("extension inside") << "a.kfx.old"
                                      << "A.KFX.OLD";
    QTest::newRow("other extension") << "sales.rw"
                                     << "SALES.RW.kfx";
    QTest::newRow("blanks around") << "  sales "
                                   << "SALES.kfx";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blank") << "   "
                           << "";
}

void TestNewReport::fileNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, fileName);
    QCOMPARE(newReportFileName(typed), fileName);
}

void TestNewReport::newItemsOffersOnlyTheEmptyReport()
{
    NewItemsDialog items(f->frame.get());
    QCOMPARE(items.windowTitle(), QStringLiteral("New Items"));
    QVERIFY(items.windowFlags().testFlag(Qt::Tool));
    const auto button = [&](const char *name) {
        return items.findChild<QToolButton *>(QLatin1String(name));
    };
    QCOMPARE(button("EmptyReportButton")->text(), QStringLiteral("Empty Report"));
    QVERIFY(button("EmptyReportButton")->isEnabled());
    QCOMPARE(button("TabularReportButton")->text(), QStringLiteral("Tabular Report"));
    QVERIFY(!button("TabularReportButton")->isEnabled());
    QCOMPARE(button("MailingLabelsButton")->text(), QStringLiteral("Mailing Labels"));
    QVERIFY(!button("MailingLabelsButton")->isEnabled());
}

void TestNewReport::nameFieldHasTheFocus()
{
    bool focused = false;
    f->onModal<NewReportDialog>([&focused](NewReportDialog *naming) {
        focused = QApplication::focusWidget() == naming->nameEdit();
        naming->reject();
    });
    NewReportDialog naming(f->frame.get());
    QCOMPARE(naming.windowTitle(), QStringLiteral("New Report"));
    naming.exec();
    QVERIFY(focused);
}

void TestNewReport::typedNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption");

    QTest::newRow("sales") << "sales"
                           << "SALES.kfx";
    QTest::newRow("sales.kfx") << "sales.kfx"
                               << "SALES.KFX";
}

void TestNewReport::typedNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, caption);

    f->newReport(typed);
    QTRY_VERIFY(f->active());
    ReportWindow *window = f->active();
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->designFileName(), caption);
    QCOMPARE(window->activePage(), ReportWindow::Page::ReportForm);
    QVERIFY(window->designing());
    QCOMPARE(f->failures(), QStringList());
}

void TestNewReport::emptyNameGivesTheMessageAndNoWindow()
{
    f->newReport(QString());
    QCOMPARE(f->failures(), QStringList({"Name cannot to be Empty."}));
    QVERIFY(f->frame->reportWindows().isEmpty());
}

void TestNewReport::closingNewItemsCreatesNothing()
{
    bool asked = false;
    f->onModal<NewItemsDialog>([](NewItemsDialog *items) { items->close(); });
    f->onModal<NewReportDialog>([&asked](NewReportDialog *naming) {
        asked = true;
        naming->reject();
    });
    f->action(QStringLiteral("Nowyraport1"))->trigger();
    QTest::qWait(100);
    QVERIFY(!asked);
    QVERIFY(f->frame->reportWindows().isEmpty());
    QVERIFY(f->messages.isEmpty());
}

void TestNewReport::cancellingTheNameCreatesNothing()
{
    f->onModal<NewItemsDialog>([this](NewItemsDialog *items) {
        f->onModal<NewReportDialog>([](NewReportDialog *naming) {
            QTest::keyClicks(naming->nameEdit(), QStringLiteral("sales"));
            QTest::mouseClick(naming->findChild<QPushButton *>(QStringLiteral("AnulujButton")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(items->emptyReportButton(), Qt::LeftButton);
    });
    f->action(QStringLiteral("Nowyraport1"))->trigger();
    QVERIFY(f->frame->reportWindows().isEmpty());
    QVERIFY(f->messages.isEmpty());
}

void TestNewReport::toolButtonStartsANewReport()
{
    f->onModal<NewItemsDialog>([this](NewItemsDialog *items) {
        f->onModal<NewReportDialog>([](NewReportDialog *naming) {
            QTest::keyClicks(naming->nameEdit(), QStringLiteral("tool"));
            QTest::keyClick(naming->nameEdit(), Qt::Key_Return);
        });
        QTest::mouseClick(items->emptyReportButton(), Qt::LeftButton);
    });
    QWidget *button = f->frame->mainToolBar()->widgetForAction(f->action("NewReportButton"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(f->active());
    QCOMPARE(f->active()->windowTitle(), QStringLiteral("TOOL.kfx"));
}

// Return in "New Items" opens the kind of report whose button is chosen.
void TestNewReport::returnOpensTheChosenKind()
{
    f->onModal<NewItemsDialog>([this](NewItemsDialog *items) {
        f->onModal<NewReportDialog>([](NewReportDialog *naming) {
            QTest::keyClicks(naming->nameEdit(), QStringLiteral("keys"));
            QTest::keyClick(naming->nameEdit(), Qt::Key_Return);
        });
        QTRY_VERIFY(items->emptyReportButton()->hasFocus());
        QTest::keyClick(items->emptyReportButton(), Qt::Key_Return);
    });
    f->action(QStringLiteral("Nowyraport1"))->trigger();
    QTRY_VERIFY(f->active());
    QCOMPARE(f->active()->windowTitle(), QStringLiteral("KEYS.kfx"));
}

QTEST_MAIN(TestNewReport)
#include "tst_newreport.moc"
