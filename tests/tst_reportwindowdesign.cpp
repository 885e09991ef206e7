// Links: kestrova_windows
#include "DesignFixture.h"
#include "ReportWindowFixture.h"

#include "designer/DesignClipboard.h"
#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/DesignSwitch.h"
#include "designer/ObjectInspector.h"
#include "designer/SelectionPartner.h"

#include "model/ReportClasses.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSet>

// The report window's design surface: how it configures stage, register,
// partner and inspector, and how it answers the stage: one page that can be
// neither deleted nor moved, default sizes for created and pasted
// components, dialogs on a double click.
class TestReportWindowDesign : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void configuration();
    void pageIsNeitherDeletedNorMoved();
    void otherComponentsAreDeletedAndMoved();
    void paletteItemsGetDefaultSizes_data();
    void paletteItemsGetDefaultSizes();
    void newTextPrintsWhereDrawn();
    void pastedTextIsSizedAgain();
    void designKeepsOnePage();
    void doubleClickOpensDialogs_data();
    void doubleClickOpensDialogs();
    void togglingDesignMode();

private:
    PaletteButton *button(const QString &templateName) const;
    QList<QWidget *> newComponents(const QSet<QObject *> &before) const;

    ReportWindowFixture *f = nullptr;
    std::unique_ptr<ReportWindow> window;
    Band *band = nullptr;
    TextItem *text = nullptr;
};

void TestReportWindowDesign::init()
{
    f = new ReportWindowFixture;
    window = f->create(omNew, QStringLiteral("A.kfx"));
    band = new Band(&window->owner(), window->mPage1());
    band->setName(QStringLiteral("mBand1"));
    band->setTypeBand(Detail);
    band->setHeightPx(108);
    text = new TextItem(&window->owner(), band);
    text->setName(QStringLiteral("mText1"));
    text->setBounds(60, 18, 60, 18);
    window->move(300, 100);
    ReportWindowFixture::show(*window);
    QVERIFY(window->designing());
}

void TestReportWindowDesign::cleanup()
{
    window.reset();
    delete f;
    f = nullptr;
}

PaletteButton *TestReportWindowDesign::button(const QString &templateName) const
{
    for (PaletteButton *candidate : f->palette->buttons()) {
        if (candidate->templateName() == templateName)
            return candidate;
    }
    return nullptr;
}

QList<QWidget *> TestReportWindowDesign::newComponents(const QSet<QObject *> &before) const
{
    QList<QWidget *> created;
    for (QObject *component : window->owner().components()) {
        if (!before.contains(component))
            created.append(qobject_cast<QWidget *>(component));
    }
    return created;
}

void TestReportWindowDesign::configuration()
{
    DesignRegister *reg = window->designRegister();
    QCOMPARE(reg->stage(), window->reportStage());
    QCOMPARE(reg->palette(), f->palette);
    QCOMPARE(reg->arrowButton(), f->palette->arrowButton());
    QCOMPARE(reg->inspector(), window->inspector());
    QCOMPARE(window->selectionPartner()->designRegister(), reg);
    QCOMPARE(window->designSwitch()->designRegister(), reg);
    QVERIFY(!window->designSwitch()->isVisible());
    QCOMPARE(window->inspector()->selfProperties().size(), 39);
    QCOMPARE(window->inspector()->buttonProperties().size(), 20);

    const RubberBandStyle report = window->reportStage()->rubberBand;
    QCOMPARE((QList<int>{report.penWidth, report.moveWidth, report.moveHeight}),
             (QList<int>{2, 6, 18}));
    const RubberBandStyle source = window->sourceStage()->rubberBand;
    QCOMPARE((QList<int>{source.moveWidth, source.moveHeight}), (QList<int>{8, 8}));
    QVERIFY(!window->sourceStage()->designRegister());
    QCOMPARE(window->sourceEditor()->parentWidget(), window->sourceStage());
    QCOMPARE(window->mPage1()->parentWidget(), window->reportStage());
}

void TestReportWindowDesign::pageIsNeitherDeletedNorMoved()
{
    QPointer<ReportPage> page = window->mPage1();
    window->designRegister()->selectOnly(page);
    window->reportStage()->deleteSelected();
    QVERIFY(page);
    QCOMPARE(window->mPage1(), page.data());
    QCOMPARE(window->reportStage()->findChildren<ReportPage *>().size(), 1);

    // A drag on the page's empty area selects it and ends refused.
    const QPoint from(300, 300);
    Gesture::drag(page, from, from + QPoint(60, 36));
    QCOMPARE(window->designRegister()->targets()->items(), QList<QWidget *>{page.data()});
    QCOMPARE(page->pos(), QPoint(0, 0));
}

void TestReportWindowDesign::otherComponentsAreDeletedAndMoved()
{
    Gesture::drag(text, QPoint(10, 9), QPoint(40, 9));
    QCOMPARE(text->pos(), QPoint(90, 18));

    QPointer<Band> watched = band;
    window->designRegister()->selectOnly(band);
    window->reportStage()->deleteSelected();
    QVERIFY(watched.isNull());
}

void TestReportWindowDesign::paletteItemsGetDefaultSizes_data()
{
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<bool>("onBand");
    QTest::addColumn<QSize>("size"); // a negative extent: only the other one is fixed

    QTest::newRow("text") << "Dpst_TmText" << true << QSize(100, 18);
    QTest::newRow("code block") << "Dpst_TMBlockCode" << true << QSize(60, 18);
    QTest::newRow("band") << "Dpst_TmBand" << false << QSize(-1, 40);
    QTest::newRow("break band") << "Dpst_TmBreakBand" << false << QSize(-1, 40);
    QTest::newRow("block panel") << "Dpst_TmBlock" << false << QSize(186, 36);
}

void TestReportWindowDesign::paletteItemsGetDefaultSizes()
{
    QFETCH(QString, templateName);
    QFETCH(bool, onBand);
    QFETCH(QSize, size);
    PaletteButton *chosen = button(templateName);
    QVERIFY(chosen);
    chosen->click();
    QCOMPARE(f->palette->currentTemplate()->objectName(), templateName);

    const QList<QObject *> existing = window->owner().components();
    const QSet<QObject *> before(existing.cbegin(), existing.cend());
    QWidget *target = onBand ? static_cast<QWidget *>(band) : window->mPage1();
    const QPoint from = onBand ? QPoint(200, 54) : QPoint(100, 400);
    Gesture::drag(target, from, from + QPoint(150, 90));
    QCoreApplication::processEvents();

    const QList<QWidget *> created = newComponents(before);
    QCOMPARE(created.size(), 1);
    QCOMPARE(created.first()->parentWidget(), target);
    if (size.width() >= 0)
        QCOMPARE(created.first()->width(), size.width());
    QCOMPARE(created.first()->height(), size.height());
}

void TestReportWindowDesign::newTextPrintsWhereDrawn()
{
    button(QStringLiteral("Dpst_TmText"))->click();
    Gesture::drag(band, {200, 54}, {260, 70});
    QCoreApplication::processEvents();
    auto *created = qobject_cast<TextItem *>(window->owner().findComponent(u"mText2"));
    QVERIFY(created);
    QVERIFY(created->x() >= 190);

    QVERIFY(window->generateSource());
    const QStringList lines = window->sourceEditor()->lines().texts();
    const qsizetype print = lines.indexOf(QStringLiteral("\t.PRINT mText2"));
    QVERIFY(print > 0);
    // The page's left margin is 2 columns; a column is 10 pixels.
    QCOMPARE(lines.at(print - 1), QStringLiteral("\t.TAB %1").arg(2 + created->x() / 10));
}

void TestReportWindowDesign::pastedTextIsSizedAgain()
{
    text->setBounds(60, 18, 72, 36);
    window->designRegister()->selectOnly(text);
    window->reportStage()->copySelected();
    window->designRegister()->selectOnly(band);

    const QList<QObject *> existing = window->owner().components();
    const QSet<QObject *> before(existing.cbegin(), existing.cend());
    window->reportStage()->pasteFromClipboard();
    QCoreApplication::processEvents();

    const QList<QWidget *> pasted = newComponents(before);
    QCOMPARE(pasted.size(), 1);
    QVERIFY(qobject_cast<TextItem *>(pasted.first()));
    QCOMPARE(pasted.first()->objectName(), QStringLiteral("mText2"));
    QCOMPARE(pasted.first()->size(), QSize(100, 18));
    QCOMPARE(text->size(), QSize(72, 36));
}

void TestReportWindowDesign::designKeepsOnePage()
{
    const auto pages = [](const ReportWindow &w) {
        return w.reportStage()->findChildren<ReportPage *>().size();
    };
    DesignStage *stage = window->reportStage();
    DesignRegister *reg = window->designRegister();
    QGuiApplication::clipboard()->clear();

    // Copy and cut of the page put nothing of it on the clipboard.
    reg->selectOnly(window->mPage1());
    stage->copySelected();
    QVERIFY(!DesignClipboard::offersFormat());
    stage->cutSelected();
    QVERIFY(!DesignClipboard::offersFormat());
    QCOMPARE(pages(*window), 1);
    QCOMPARE(band->parentWidget(), window->mPage1());

    // A block holding a page, from any source, pastes everything but the page.
    ComponentOwner otherOwner;
    ReportPage otherPage(&otherOwner, nullptr);
    otherPage.setNewReportValues();
    otherPage.setName(QStringLiteral("mPage1"));
    auto *otherBand = new Band(&otherOwner, &otherPage);
    otherBand->setName(QStringLiteral("mBand7"));
    TextItem loose(&otherOwner, nullptr);
    loose.setName(QStringLiteral("mText9"));
    DesignClipboard::put(
        ObjectStream::writeBlock({&otherPage, &loose}, otherOwner, reportClasses()));
    const int componentsBefore = int(window->owner().components().size());
    for (QWidget *target : {static_cast<QWidget *>(nullptr), static_cast<QWidget *>(band)}) {
        if (target)
            reg->selectOnly(target);
        else
            reg->clearSelection();
        stage->pasteFromClipboard();
        QCoreApplication::processEvents();
        QCOMPARE(pages(*window), 1);
    }
    QCOMPARE(window->owner().components().size(), componentsBefore + 2);
    QVERIFY(!window->owner().findComponent(QStringLiteral("mBand7")));

    // Copying the page adds nothing to the block, and another window
    // pasting the block gets no second page either.
    auto other = f->create(omNew, QStringLiteral("B.kfx"));
    ReportWindowFixture::show(*other);
    reg->selectOnly(window->mPage1());
    stage->copySelected();
    other->designRegister()->clearSelection();
    other->reportStage()->pasteFromClipboard();
    QCoreApplication::processEvents();
    QCOMPARE(pages(*other), 1);
    QCOMPARE(pages(*window), 1);
}

void TestReportWindowDesign::doubleClickOpensDialogs_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("opened");

    QTest::newRow("text") << "text"
                          << "code mText1";
    QTest::newRow("band") << "band"
                          << "code mBand1";
    QTest::newRow("page") << "page"
                          << "page setup mPage1";
}

void TestReportWindowDesign::doubleClickOpensDialogs()
{
    QFETCH(QString, component);
    QFETCH(QString, opened);
    QStringList log;
    QObject::connect(window.get(), &ReportWindow::openCodeDialog, window.get(),
                     [&](QWidget *target) { log << "code " + target->objectName(); });
    QObject::connect(window.get(), &ReportWindow::openPageSetup, window.get(),
                     [&](ReportPage *page) { log << "page setup " + page->objectName(); });
    QWidget *target = component == "text"   ? static_cast<QWidget *>(text)
                      : component == "band" ? static_cast<QWidget *>(band)
                                            : window->mPage1();
    const QPoint at = component == "page" ? QPoint(300, 300) : QPoint(5, 5);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(log, QStringList{opened});
    QVERIFY(window->designing());
}

void TestReportWindowDesign::togglingDesignMode()
{
    window->switchOff();
    QVERIFY(!window->designing());
    QVERIFY(!window->designSwitch()->isChecked());
    QVERIFY(!window->inspector()->designing());
    window->switchOff();
    QVERIFY(!window->designing());
    window->switchOn();
    QVERIFY(window->designing());
    QVERIFY(window->selectionPartner()->designing());
}

QTEST_MAIN(TestReportWindowDesign)
#include "tst_reportwindowdesign.moc"
