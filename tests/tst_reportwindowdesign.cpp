// Links: kestrova_windows
#include "DesignFixture.h"
#include "ReportWindowFixture.h"

#include "designer/DsnInspector.h"
#include "designer/DsnSelect.h"
#include "designer/DsnStage.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnSwitch.h"

#include "model/mKomponents.h"

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
    void pastedTextIsSizedAgain();
    void doubleClickOpensDialogs_data();
    void doubleClickOpensDialogs();
    void togglingDesignMode();

private:
    TDsnButton *button(const QString &geneName) const;
    QList<QWidget *> newComponents(const QSet<QObject *> &before) const;

    ReportWindowFixture *f = nullptr;
    std::unique_ptr<TChildWindowForm> window;
    TmBand *band = nullptr;
    TmText *text = nullptr;
};

void TestReportWindowDesign::init()
{
    f = new ReportWindowFixture;
    window = f->create(omNew, QStringLiteral("A.kfx"));
    band = new TmBand(&window->owner(), window->mPage1());
    band->setName(QStringLiteral("mBand1"));
    band->setTypeBand(Detail);
    band->setHeightPx(108);
    text = new TmText(&window->owner(), band);
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

TDsnButton *TestReportWindowDesign::button(const QString &geneName) const
{
    for (TDsnButton *candidate : f->palette->buttons()) {
        if (candidate->GeneName() == geneName)
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
    TDsnDpRegister *reg = window->DsnRegisterReport();
    QCOMPARE(reg->DsnStage(), window->DsnStageReport());
    QCOMPARE(reg->DsnPanel(), f->palette);
    QCOMPARE(reg->ArrowButton(), f->palette->arrowButton());
    QCOMPARE(reg->DsnInspector(), window->DsnInspector());
    QCOMPARE(window->DsnSelect1()->DsnRegister(), reg);
    QCOMPARE(window->DsnSwitch1()->DsnRegister(), reg);
    QVERIFY(!window->DsnSwitch1()->isVisible());
    QCOMPARE(window->DsnInspector()->SelfProps().size(), 39);
    QCOMPARE(window->DsnInspector()->BtnProps().size(), 20);

    const TRubberband report = window->DsnStageReport()->Rubberband;
    QCOMPARE((QList<int>{report.PenWidth, report.MoveWidth, report.MoveHeight}),
             (QList<int>{2, 6, 18}));
    const TRubberband source = window->DsnStageSrc()->Rubberband;
    QCOMPARE((QList<int>{source.MoveWidth, source.MoveHeight}), (QList<int>{8, 8}));
    QVERIFY(!window->DsnStageSrc()->Register());
    QCOMPARE(window->SourceEditor()->parentWidget(), window->DsnStageSrc());
    QCOMPARE(window->mPage1()->parentWidget(), window->DsnStageReport());
}

void TestReportWindowDesign::pageIsNeitherDeletedNorMoved()
{
    QPointer<TmPage> page = window->mPage1();
    window->DsnRegisterReport()->SelectOnly(page);
    window->DsnStageReport()->DeleteSelected();
    QVERIFY(page);
    QCOMPARE(window->mPage1(), page.data());
    QCOMPARE(window->DsnStageReport()->findChildren<TmPage *>().size(), 1);

    // A drag on the page's empty area selects it and ends refused.
    const QPoint from(300, 300);
    Gesture::drag(page, from, from + QPoint(60, 36));
    QCOMPARE(window->DsnRegisterReport()->targets()->items(), QList<QWidget *>{page.data()});
    QCOMPARE(page->pos(), QPoint(0, 0));
}

void TestReportWindowDesign::otherComponentsAreDeletedAndMoved()
{
    Gesture::drag(text, QPoint(10, 9), QPoint(40, 9));
    QCOMPARE(text->pos(), QPoint(90, 18));

    QPointer<TmBand> watched = band;
    window->DsnRegisterReport()->SelectOnly(band);
    window->DsnStageReport()->DeleteSelected();
    QVERIFY(watched.isNull());
}

void TestReportWindowDesign::paletteItemsGetDefaultSizes_data()
{
    QTest::addColumn<QString>("geneName");
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
    QFETCH(QString, geneName);
    QFETCH(bool, onBand);
    QFETCH(QSize, size);
    TDsnButton *chosen = button(geneName);
    QVERIFY(chosen);
    chosen->click();
    QCOMPARE(f->palette->CurrentTemplate()->objectName(), geneName);

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

void TestReportWindowDesign::pastedTextIsSizedAgain()
{
    text->setBounds(60, 18, 72, 36);
    window->DsnRegisterReport()->SelectOnly(text);
    window->DsnStageReport()->CopySelected();
    window->DsnRegisterReport()->SelectOnly(band);

    const QList<QObject *> existing = window->owner().components();
    const QSet<QObject *> before(existing.cbegin(), existing.cend());
    window->DsnStageReport()->PasteFromClipboard();
    QCoreApplication::processEvents();

    const QList<QWidget *> pasted = newComponents(before);
    QCOMPARE(pasted.size(), 1);
    QVERIFY(qobject_cast<TmText *>(pasted.first()));
    QCOMPARE(pasted.first()->objectName(), QStringLiteral("mText2"));
    QCOMPARE(pasted.first()->size(), QSize(100, 18));
    QCOMPARE(text->size(), QSize(72, 36));
}

void TestReportWindowDesign::doubleClickOpensDialogs_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("opened");

    QTest::newRow("text") << "text" << "code mText1";
    QTest::newRow("band") << "band" << "code mBand1";
    QTest::newRow("page") << "page" << "page setup mPage1";
}

void TestReportWindowDesign::doubleClickOpensDialogs()
{
    QFETCH(QString, component);
    QFETCH(QString, opened);
    QStringList log;
    window->OnOpenCodeDialog = [&](TChildWindowForm &owner, QWidget *target) {
        QCOMPARE(&owner, window.get());
        log << "code " + target->objectName();
    };
    window->OnOpenPageSetup = [&](TChildWindowForm &, TmPage *page) {
        log << "page setup " + page->objectName();
    };
    QWidget *target = component == "text" ? static_cast<QWidget *>(text)
        : component == "band"             ? static_cast<QWidget *>(band)
                                          : window->mPage1();
    const QPoint at = component == "page" ? QPoint(300, 300) : QPoint(5, 5);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(log, QStringList{opened});
    QVERIFY(window->designing());
}

void TestReportWindowDesign::togglingDesignMode()
{
    window->SwitchOff();
    QVERIFY(!window->designing());
    QVERIFY(!window->DsnSwitch1()->isChecked());
    QVERIFY(!window->DsnInspector()->designing());
    window->SwitchOff();
    QVERIFY(!window->designing());
    window->SwitchOn();
    QVERIFY(window->designing());
    QVERIFY(window->DsnSelect1()->designing());
}

QTEST_MAIN(TestReportWindowDesign)
#include "tst_reportwindowdesign.moc"
