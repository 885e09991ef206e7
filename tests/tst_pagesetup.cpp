// Links: kestrova_windows
#include "ReportWindowFixture.h"

#include "windows/PageSetupConnection.h"
#include "windows/PageSetupDialog.h"

#include "designer/DesignStage.h"
#include "designer/InspectorWindow.h"
#include "designer/ObjectInspector.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QLocale>
#include <QTableWidget>
#include <QTimer>

#include <functional>

// The page setup dialog: paper sizes applied at once, fields in the page's
// units, OK that checks every field before it writes any, and the dialog
// opened from a report window by a double click on the page and by the
// inspector's "Page" button.
class TestPageSetup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void templatePageShowsCustom();
    void paperSizeEnablesDimensions_data();
    void paperSizeEnablesDimensions();
    void marginsInThePageUnits_data();
    void marginsInThePageUnits();
    void invalidNumberChangesNothing_data();
    void invalidNumberChangesNothing();
    void numbersUseThePlatformSeparator();
    void valuesLeftAsShownStayExact();
    void cancelKeepsChosenPaperSize();
    void doubleClickOnThePageOpensIt();
    void inspectorPageButtonOpensIt();
    void otherButtonsAndComponentsOpenNothing();
    void generationFollowsTheDialog();

private:
    ReportPage *page() const { return window->mPage1(); }
    QLineEdit *edit(PageSetupDialog &dialog, const QString &name) const;
    // Once the page setup dialog is shown modally, act runs on it; a dialog
    // that act leaves open is cancelled. opened counts the dialogs seen.
    void onDialog(std::function<void(PageSetupDialog *)> act);
    // Cancels every page setup dialog shown from now on, counting them.
    void cancelEveryDialog();
    static void type(QLineEdit *edit, const QString &text);
    static void choose(QComboBox *box, const QString &name);
    static void typeInto(QComboBox *box, const QString &text);

    ReportWindowFixture *f = nullptr;
    std::unique_ptr<ReportWindow> window;
    QLocale previousLocale;
    int opened = 0;
};

void TestPageSetup::init()
{
    // Numbers are shown and read in the platform's format: one with a
    // thousands separator, whatever the machine's.
    previousLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    f = new ReportWindowFixture;
    window = f->create(omNew, QStringLiteral("A.kfx"));
    connectPageSetup(window.get());
    window->move(300, 100);
    ReportWindowFixture::show(*window);
    opened = 0;
}

void TestPageSetup::cleanup()
{
    window.reset();
    delete f;
    f = nullptr;
    QLocale::setDefault(previousLocale);
}

QLineEdit *TestPageSetup::edit(PageSetupDialog &dialog, const QString &name) const
{
    auto *found = dialog.findChild<QLineEdit *>(name);
    if (!found)
        qFatal("no field %s", qPrintable(name));
    return found;
}

void TestPageSetup::onDialog(std::function<void(PageSetupDialog *)> act)
{
    auto *timer = new QTimer(window.get());
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, act, deadline] {
        auto *dialog = qobject_cast<PageSetupDialog *>(QApplication::activeModalWidget());
        if (!dialog && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (!dialog)
            return;
        ++opened;
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start(10);
}

void TestPageSetup::cancelEveryDialog()
{
    auto *timer = new QTimer(window.get());
    QObject::connect(timer, &QTimer::timeout, timer, [this] {
        if (auto *dialog = qobject_cast<PageSetupDialog *>(QApplication::activeModalWidget())) {
            ++opened;
            dialog->reject();
        }
    });
    timer->start(10);
}

void TestPageSetup::type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// As a user picks it: the list opened, the name clicked.
void TestPageSetup::choose(QComboBox *box, const QString &name)
{
    box->showPopup();
    QAbstractItemView *view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex index = view->model()->index(box->findText(name), 0);
    QVERIFY(index.isValid());
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    // The list ignores a release that comes too soon after it opened.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!view->isVisible());
}

void TestPageSetup::typeInto(QComboBox *box, const QString &text)
{
    type(box->lineEdit(), text);
}

void TestPageSetup::templatePageShowsCustom()
{
    PageSetupDialog dialog(window.get());
    dialog.showPage(page());
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Page Setup Form"));
    QCOMPARE(dialog.page(), page());
    QCOMPARE(dialog.paperSizeBox()->currentText(), QStringLiteral("Custom"));
    QVERIFY(dialog.paperSizeBox()->isEditable());
    QVERIFY(dialog.widthEdit()->isEnabled());
    QVERIFY(dialog.lengthEdit()->isEnabled());
    // The template page in characters, rounded to two decimals.
    QCOMPARE(dialog.widthEdit()->text(), QStringLiteral("80.01"));
    QCOMPARE(dialog.lengthEdit()->text(), QStringLiteral("62.3"));
    QCOMPARE(dialog.topEdit()->text(), QStringLiteral("2"));
    QCOMPARE(dialog.leftEdit()->text(), QStringLiteral("2"));
    QCOMPARE(dialog.bottomEdit()->text(), QStringLiteral("30"));
    QCOMPARE(dialog.rightEdit()->text(), QStringLiteral("1"));
    // Sorted without regard to letter case.
    QStringList names;
    for (int i = 0; i < dialog.paperSizeBox()->count(); ++i)
        names << dialog.paperSizeBox()->itemText(i);
    QCOMPARE(names.size(), 28);
    QCOMPARE(names.mid(0, 4), (QStringList{"A3", "A4", "A4Small", "A5"}));
    QCOMPARE(names.mid(names.indexOf("qr10X14"), 3), (QStringList{"qr10X14", "qr11X17", "Quarto"}));
    QVERIFY(!dialog.okButton()->isDefault() && !dialog.okButton()->autoDefault());
    QVERIFY(!dialog.cancelButton()->isDefault() && !dialog.cancelButton()->autoDefault());
    QCOMPARE(PageSetupDialog::paperSizeName(9), QStringLiteral("A4"));
    QCOMPARE(PageSetupDialog::paperSizeFromName(QStringLiteral("qr11X17")), 17);
    QCOMPARE(PageSetupDialog::paperSizeFromName(QStringLiteral("QR11X17")), -1);
}

void TestPageSetup::paperSizeEnablesDimensions_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<int>("paperSize");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("length");

    // Page units are millimetres here; a new report's page is 210 x 297.
    QTest::newRow("A4 chosen") << 27 << "A4" << false << 9 << false << "210"
                               << "297";
    QTest::newRow("Letter chosen") << 27 << "Letter" << false << 1 << false << "215.9"
                                   << "279.4";
    QTest::newRow("Custom keeps Letter's size") << 1 << "Custom" << false << 27 << true << "215.9"
                                                << "279.4";
    QTest::newRow("Default keeps Letter's size") << 1 << "Default" << false << 0 << false << "215.9"
                                                 << "279.4";
    QTest::newRow("A3 typed") << 27 << "A3" << true << 8 << false << "297"
                              << "420";
    QTest::newRow("Custom typed over A5") << 11 << "Custom" << true << 27 << true << "148"
                                          << "210";
    QTest::newRow("wrong letter case names nothing") << 27 << "a4" << true << 27 << true << "210"
                                                     << "297";
}

void TestPageSetup::paperSizeEnablesDimensions()
{
    QFETCH(int, start);
    QFETCH(QString, chosen);
    QFETCH(bool, typed);
    QFETCH(int, paperSize);
    QFETCH(bool, enabled);
    QFETCH(QString, width);
    QFETCH(QString, length);

    page()->setUnits(MM);
    page()->setPaperSize(start);
    PageSetupDialog dialog(window.get());
    dialog.showPage(page());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.widthEdit()->isEnabled(), start == PaperCustom);
    if (typed)
        typeInto(dialog.paperSizeBox(), chosen);
    else
        choose(dialog.paperSizeBox(), chosen);

    QCOMPARE(dialog.paperSizeBox()->currentText(), chosen);
    QCOMPARE(page()->paperSize(), paperSize);
    QCOMPARE(dialog.widthEdit()->isEnabled(), enabled);
    QCOMPARE(dialog.lengthEdit()->isEnabled(), enabled);
    QCOMPARE(dialog.widthEdit()->text(), width);
    QCOMPARE(dialog.lengthEdit()->text(), length);
    // A disabled field takes no typing.
    type(dialog.widthEdit(), QStringLiteral("99"));
    QCOMPARE(dialog.widthEdit()->text(), enabled ? QStringLiteral("99") : width);
}

void TestPageSetup::marginsInThePageUnits_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("shownBottom");
    QTest::addColumn<double>("storedLeft");

    // The new report's bottom margin is 1430.118... stored units.
    QTest::newRow("characters") << int(Characters) << "30" << 5 * 26.246719160105;
    QTest::newRow("millimetres") << int(MM) << "143.01" << 50.0;
    QTest::newRow("inches") << int(Inches) << "5.63" << 1270.0;
    QTest::newRow("native") << int(Native) << "1430.12" << 5.0;
}

void TestPageSetup::marginsInThePageUnits()
{
    QFETCH(int, units);
    QFETCH(QString, shownBottom);
    QFETCH(double, storedLeft);

    page()->setUnits(PageUnits(units));
    PageSetupDialog dialog(window.get());
    dialog.showPage(page());
    dialog.show();
    QCOMPARE(dialog.bottomEdit()->text(), shownBottom);
    for (QLineEdit *margin :
         {dialog.topEdit(), dialog.leftEdit(), dialog.bottomEdit(), dialog.rightEdit()})
        type(margin, QStringLiteral("5"));
    const long double widthBefore = page()->pageValue(Width);
    type(dialog.widthEdit(), QStringLiteral("6000"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(f->messages.isEmpty());
    for (PageValue index : {TopMargin, LeftMargin, BottomMargin, RightMargin})
        QVERIFY2(qAbs(double(page()->pageValue(index)) - 5) < 1e-9,
                 qPrintable(QString::number(index)));
    QVERIFY(qAbs(double(page()->storedValue(LeftMargin)) - storedLeft) < 1e-9);
    QVERIFY(page()->pageValue(Width) != widthBefore);
    QVERIFY(qAbs(double(page()->pageValue(Width)) - 6000) < 1e-9);
    // The stage follows the page's new width.
    QCOMPARE(window->reportStage()->size(), page()->size());
}

void TestPageSetup::invalidNumberChangesNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("laterBadField");

    QTest::newRow("width letters") << "WidthEdit"
                                   << "abc" << QString();
    QTest::newRow("length empty") << "LengthEdit" << QString() << QString();
    QTest::newRow("top two points") << "TopEdit"
                                    << "1.2.3" << QString();
    QTest::newRow("left trailing letter") << "LeftEdit"
                                          << "5x" << QString();
    QTest::newRow("bottom thousands separator") << "BottomEdit"
                                                << "1,000" << QString();
    QTest::newRow("right infinite") << "RightEdit"
                                    << "inf" << QString();
    QTest::newRow("first of two named") << "TopEdit"
                                        << "a"
                                        << "RightEdit";
}

void TestPageSetup::invalidNumberChangesNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, laterBadField);

    page()->setUnits(MM);
    std::array<long double, PageValueCount> before;
    for (int i = 0; i < PageValueCount; ++i)
        before[i] = page()->storedValue(PageValue(i));
    const QSize sizeBefore = page()->size();

    PageSetupDialog dialog(window.get());
    dialog.showPage(page());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QStringList fields{"WidthEdit", "LengthEdit", "TopEdit",
                             "LeftEdit",  "BottomEdit", "RightEdit"};
    for (const QString &name : fields)
        type(edit(dialog, name), QStringLiteral("7"));
    type(edit(dialog, field), text);
    if (!laterBadField.isEmpty())
        type(edit(dialog, laterBadField), QStringLiteral("b"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);

    QCOMPARE(f->messages, QStringList{"'" + text + "' is not a valid floating point value"});
    QVERIFY(dialog.isVisible());
    QLineEdit *bad = edit(dialog, field);
    QTRY_VERIFY(bad->hasFocus());
    QCOMPARE(bad->selectedText(), text);
    QCOMPARE(bad->text(), text);
    for (int i = 0; i < PageValueCount; ++i)
        QCOMPARE(page()->storedValue(PageValue(i)), before[i]);
    QCOMPARE(page()->size(), sizeBefore);

    // Put right, OK writes every field.
    type(bad, QStringLiteral("7"));
    if (!laterBadField.isEmpty())
        type(edit(dialog, laterBadField), QStringLiteral("7"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(f->messages.size(), 1);
    for (PageValue index : {Width, Length, TopMargin, LeftMargin, BottomMargin, RightMargin})
        QCOMPARE(double(page()->pageValue(index)), 7.0);
}

void TestPageSetup::numbersUseThePlatformSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    PageSetupDialog dialog(window.get());
    dialog.showPage(page());
    dialog.show();
    QCOMPARE(dialog.widthEdit()->text(), QStringLiteral("80,01"));
    type(dialog.leftEdit(), QStringLiteral("2,5"));
    type(dialog.rightEdit(), QStringLiteral("1.5"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(f->messages, QStringList{"'1.5' is not a valid floating point value"});
    QCOMPARE(double(page()->pageValue(LeftMargin)), 2.0);
    type(dialog.rightEdit(), QStringLiteral("1,5"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(double(page()->pageValue(LeftMargin)), 2.5);
    QCOMPARE(double(page()->pageValue(RightMargin)), 1.5);
}

// The fields show two decimals; OK keeps the exact value of every field
// left as shown, and stores what was typed into the others.
void TestPageSetup::valuesLeftAsShownStayExact()
{
    page()->setUnits(MM);
    const long double length = page()->pageValue(Length);
    const long double bottom = page()->pageValue(BottomMargin);
    PageSetupDialog dialog(window.get());
    dialog.showPage(page());
    dialog.show();
    QCOMPARE(dialog.bottomEdit()->text(), QStringLiteral("143.01"));
    type(dialog.topEdit(), QStringLiteral("12.345"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(double(page()->pageValue(Length)), double(length));
    QCOMPARE(double(page()->pageValue(BottomMargin)), double(bottom));
    QVERIFY(qAbs(double(page()->pageValue(TopMargin)) - 12.345) < 1e-9);
}

void TestPageSetup::cancelKeepsChosenPaperSize()
{
    const long double leftBefore = page()->storedValue(LeftMargin);
    const QSize stageBefore = window->reportStage()->size();
    QCOMPARE(stageBefore, QSize(794, 1123));
    onDialog([](PageSetupDialog *dialog) {
        choose(dialog->paperSizeBox(), QStringLiteral("Letter"));
        type(dialog->leftEdit(), QStringLiteral("9"));
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    });
    QVERIFY(!PageSetupDialog::openPageSetup(page(), window.get()));
    QCOMPARE(opened, 1);

    QCOMPARE(page()->paperSize(), int(PaperLetter));
    QCOMPARE(page()->size(), QSize(816, 1056));
    QCOMPARE(page()->storedValue(LeftMargin), leftBefore);
    // The stage follows the page at once, not at its next resize.
    QCOMPARE(window->reportStage()->size(), QSize(816, 1056));
    // Created for one use.
    QVERIFY(window->findChildren<PageSetupDialog *>().isEmpty());
}

void TestPageSetup::doubleClickOnThePageOpensIt()
{
    ReportPage *shown = nullptr;
    QWidget *owner = nullptr;
    onDialog([&](PageSetupDialog *dialog) {
        shown = dialog->page();
        owner = dialog->parentWidget();
        choose(dialog->paperSizeBox(), QStringLiteral("A4"));
        type(dialog->topEdit(), QStringLiteral("4"));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseDClick(page(), Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(opened, 1);
    QCOMPARE(shown, page());
    QCOMPARE(owner, window.get());
    QVERIFY(window->designing());
    QCOMPARE(page()->paperSize(), int(PaperA4));
    QCOMPARE(double(page()->pageValue(TopMargin)), 4.0);
}

void TestPageSetup::inspectorPageButtonOpensIt()
{
    QTest::mouseClick(page(), Qt::LeftButton, {}, QPoint(300, 300));
    InspectorWindow *inspector = window->inspector()->window();
    QTRY_VERIFY(inspector && inspector->isVisible());
    QTableWidget *grid = inspector->grid();
    int row = -1;
    for (int i = 1; i < grid->rowCount(); ++i) {
        if (inspector->rowName(i) == QLatin1String("Page"))
            row = i;
    }
    QVERIFY(row > 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, 1)).center());
    QTRY_VERIFY(inspector->valueButton()->isVisible());

    ReportPage *shown = nullptr;
    onDialog([&](PageSetupDialog *dialog) {
        shown = dialog->page();
        type(dialog->rightEdit(), QStringLiteral("3"));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(inspector->valueButton(), Qt::LeftButton);
    QCOMPARE(opened, 1);
    QCOMPARE(shown, page());
    QCOMPARE(double(page()->pageValue(RightMargin)), 3.0);
    QVERIFY(f->messages.isEmpty());
}

void TestPageSetup::otherButtonsAndComponentsOpenNothing()
{
    auto *band = ReportWindowFixture::addBand(*window);
    QStringList otherListener;
    QObject::connect(window.get(), &ReportWindow::inspectorButton, window.get(),
                     [&](const SelectedComponents &, const QString &propName, QString &) {
                         otherListener << propName;
                     });
    cancelEveryDialog();
    QString value = QStringLiteral("kept");
    emit window->inspectorButton(SelectedComponents({band, page()}), QStringLiteral("Page"), value);
    emit window->inspectorButton(SelectedComponents({page()}), QStringLiteral("Font"), value);
    emit window->inspectorButton(SelectedComponents({page()}), QStringLiteral("page"), value);
    emit window->inspectorButton(SelectedComponents({}), QStringLiteral("Page"), value);
    QVERIFY(!PageSetupDialog::openPageSetup(band, window.get()));
    QVERIFY(!PageSetupDialog::openPageSetup(nullptr, window.get()));
    QTest::qWait(50);
    QCOMPARE(opened, 0);
    QCOMPARE(value, QStringLiteral("kept"));
    QCOMPARE(otherListener, (QStringList{"Page", "Font", "page", "Page"}));
}

void TestPageSetup::generationFollowsTheDialog()
{
    auto *header = ReportWindowFixture::addBand(*window, QStringLiteral("mBand1"));
    header->setTypeBand(Header);
    header->setTypeField(QStringLiteral("REPORT"));
    auto *item = new TextItem(&window->owner(), header);
    item->setName(QStringLiteral("mText1"));
    item->setBounds(30, 0, 100, 18);

    onDialog([](PageSetupDialog *dialog) {
        choose(dialog->paperSizeBox(), QStringLiteral("A3"));
        type(dialog->leftEdit(), QStringLiteral("5"));
        type(dialog->rightEdit(), QStringLiteral("5"));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseDClick(page(), Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(opened, 1);
    QVERIFY(window->generateSource());

    // A3 in characters: 113.16 columns, 88.1 lines.
    const QStringList lines = window->sourceEditor()->lines().texts();
    for (const QString &expected :
         {"\t.LEFTMARGIN 5", "\t.PAGELENGTH 88", "\t.RIGHTMARGIN 108", "\t.PAGEWIDTH 113"})
        QVERIFY2(lines.contains(expected), qPrintable(expected + " in\n" + lines.join('\n')));
    // The item's column counts from the left margin.
    QVERIFY2(lines.contains("\t.TAB 8"), qPrintable(lines.join('\n')));
}

QTEST_MAIN(TestPageSetup)
#include "tst_pagesetup.moc"
