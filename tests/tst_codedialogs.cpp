#include "FrameFixture.h"
#include "PropertyGridInput.h"

#include "dialogs/PropertyEditWindow.h"

#include <QMenu>

#include <memory>

class tst_CodeDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sourcePageEditProperty();

private:
    std::unique_ptr<FrameFixture> f;
    ReportWindow *window = nullptr;
};

void tst_CodeDialogs::init()
{
    f = std::make_unique<FrameFixture>();
    window = f->frame->createReportWindow(QStringLiteral("A.kfx"), omNew);
    QVERIFY(window);
    f->activateFrame();
}

void tst_CodeDialogs::cleanup()
{
    f.reset();
}

void tst_CodeDialogs::sourcePageEditProperty()
{
    SourceEditor *editor = window->sourceEditor();
    editor->contextMenu()->actions().first()->trigger();
    auto *properties = window->findChild<PropertyEditWindow *>();
    QVERIFY(properties);
    QVERIFY(properties->isVisible());
    QCOMPARE(properties->grid()->object(), editor);
    typeIntoGrid(properties->grid(), QStringLiteral("RightEdge"), QStringLiteral("90"));
    QCOMPARE(editor->rightEdge(), 90);

    // Each time a new window.
    editor->contextMenu()->actions().first()->trigger();
    QCOMPARE(window->findChildren<PropertyEditWindow *>().size(), 2);
}

QTEST_MAIN(tst_CodeDialogs)
#include "tst_codedialogs.moc"
