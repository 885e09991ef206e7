// Links: kestrova_designer
#include "DesignFixture.h"

#include "designer/DesignClipboard.h"

#include "model/ObjectStream.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

// removeTarget, cut, copy and paste on the design stage, the clipboard's block
// layout, the stage's keys, and saving and loading a stage.
class TestDesignClipboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clipboardHoldsCountAndBlock();
    void pasteRenamesTheCopy();
    void pasteIntoTheStageWithoutSelection();
    void pastedControlIsPulledInside_data();
    void pastedControlIsPulledInside();
    void cutMovesControlsToTheClipboard();
    void pasteNeedsOneContainerOrNone();
    void copyNeedsOneParent();
    void deleteAsksForEachControl();
    void deleteTakesChildrenBeforeParents();
    void stageKeys();
    void brokenClipboardStreamReachesTheCaller();
    void saveAndLoadRestoreDesignMode();
    void loadFailureLeavesDesignModeOff();
    void stageWithoutRegister();

private:
    void select(const QList<QWidget *> &controls);
    DesignFixture *f = nullptr;
};

void TestDesignClipboard::init()
{
    QGuiApplication::clipboard()->clear();
    f = new DesignFixture;
    f->build();
}

void TestDesignClipboard::cleanup()
{
    delete f;
    f = nullptr;
}

void TestDesignClipboard::select(const QList<QWidget *> &controls)
{
    f->reg->ensureSelectionList();
    f->reg->targets()->clearTargets();
    for (QWidget *control : controls)
        f->reg->targets()->addTarget(control);
    f->reg->targets()->refreshTargets();
}

void TestDesignClipboard::clipboardHoldsCountAndBlock()
{
    auto *second = new CodeBlock(&f->owner, f->detail);
    second->setName(QStringLiteral("MBlockCode2"));
    second->setBounds(300, 72, 36, 18);
    CodeLines code;
    code.add(QStringLiteral("a"));
    second->setCode(code);
    select({f->code, second});
    f->reg->copySelected();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime && mime->hasFormat(QStringLiteral("Dsn_ClipboardFormat")));

    // The byte count, then one stream per copied control and a final 0.
    // MBlockCode1 at 240, 54, 60 x 18 has no code: its name is its caption.
    const QByteArray expected =
        QByteArray::fromHex("dc 00 00 00"                            // 220 bytes follow
                            "54 50 46 30"                            // TPF0
                            "0b 54 4d 42 6c 6f 63 6b 43 6f 64 65"    // TMBlockCode
                            "0b 4d 42 6c 6f 63 6b 43 6f 64 65 31"    // MBlockCode1
                            "04 4c 65 66 74 03 f0 00"                // Left 240 (16 bits)
                            "03 54 6f 70 02 36"                      // Top 54
                            "05 57 69 64 74 68 02 3c"                // Width 60
                            "06 48 65 69 67 68 74 02 12"             // Height 18
                            "08 41 75 74 6f 53 69 7a 65 08"          // AutoSize False
                            "07 43 61 70 74 69 6f 6e"                // Caption
                            "06 0b 4d 42 6c 6f 63 6b 43 6f 64 65 31" //   MBlockCode1
                            "0b 54 72 61 6e 73 70 61 72 65 6e 74 09" // Transparent True
                            "00 00" // no more properties, no children
                            // MBlockCode2 at 300, 72, 36 x 18, with the code line "a".
                            "54 50 46 30"
                            "0b 54 4d 42 6c 6f 63 6b 43 6f 64 65"
                            "0b 4d 42 6c 6f 63 6b 43 6f 64 65 32" // MBlockCode2
                            "04 4c 65 66 74 03 2c 01"             // Left 300
                            "03 54 6f 70 02 48"                   // Top 72
                            "05 57 69 64 74 68 02 24"             // Width 36
                            "06 48 65 69 67 68 74 02 12"
                            "08 41 75 74 6f 53 69 7a 65 08"
                            "07 43 61 70 74 69 6f 6e 06 02 0d 61" // Caption: CR a
                            "0b 54 72 61 6e 73 70 61 72 65 6e 74 09"
                            "0c 43 6f 64 65 2e 53 74 72 69 6e 67 73" // code.Strings
                            "01 06 01 61 00"                         // list: "a", end
                            "00 00"
                            "00"); // end of the block
    QCOMPARE(mime->data(QStringLiteral("Dsn_ClipboardFormat")).toHex(' '), expected.toHex(' '));
    QCOMPARE(DesignClipboard::unpack(QByteArray("\x05\0\0\0ab", 6)), QByteArray("ab"));
    QVERIFY(!DesignClipboard::unpack(QByteArray("\x05\0", 2)));
}

void TestDesignClipboard::pasteRenamesTheCopy()
{
    QList<QWidget *> created;
    f->dropCreationSizing();
    QObject::connect(f->stage, &DesignStage::controlCreated, f->stage,
                     [&](QWidget *component) { created.append(component); });
    f->text1->format = QStringLiteral("c20");
    select({f->text1});
    f->reg->copySelected();
    select({f->detail});
    f->reg->pasteFromClipboard();
    auto *copy = qobject_cast<TextItem *>(f->owner.findComponent(u"mText4"));
    QVERIFY(copy);
    QCOMPARE(copy->parentWidget(), f->detail);
    // One grid step aside, so that the original stays visible.
    QCOMPARE(copy->geometry(), QRect(18, 36, 60, 18));
    QCOMPARE(copy->format, QStringLiteral("c20"));
    QCOMPARE(f->selection(), QList<QWidget *>{copy});
    QVERIFY(f->reg->coverOf(copy));
    // controlCreated comes once the paste has finished.
    QVERIFY(created.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(created, QList<QWidget *>{copy});

    // Pasted again, it steps past the first copy; elsewhere it keeps its place.
    select({f->detail});
    f->reg->pasteFromClipboard();
    QCOMPARE(f->selection().first()->pos(), QPoint(24, 54));
    select({f->header});
    f->reg->pasteFromClipboard();
    QCOMPARE(f->selection().first()->pos(), QPoint(12, 18));
}

void TestDesignClipboard::pasteIntoTheStageWithoutSelection()
{
    select({f->detail});
    f->reg->copySelected();
    select({});
    f->reg->pasteFromClipboard();
    auto *band = qobject_cast<Band *>(f->owner.findComponent(u"mBand3"));
    QVERIFY(band);
    QCOMPARE(band->parentWidget(), f->stage);
    // The band's items came along with names of their own.
    QCOMPARE(band->findChildren<TextItem *>().size(), 3);
    QVERIFY(f->owner.findComponent(u"mText4"));
    QVERIFY(f->owner.findComponent(u"MBlockCode2"));
}

void TestDesignClipboard::pastedControlIsPulledInside_data()
{
    QTest::addColumn<QRect>("source");
    QTest::addColumn<int>("targetWidth");
    QTest::addColumn<QPoint>("pasted");

    QTest::newRow("right of the parent") << QRect(900, 18, 60, 18) << 300 << QPoint(240, 18);
    QTest::newRow("parent narrower than it") << QRect(900, 18, 60, 18) << 40 << QPoint(0, 18);
    QTest::newRow("inside stays") << QRect(100, 18, 60, 18) << 300 << QPoint(100, 18);
    QTest::newRow("below the parent") << QRect(10, 500, 60, 18) << 300 << QPoint(10, 90);
}

void TestDesignClipboard::pastedControlIsPulledInside()
{
    QFETCH(QRect, source);
    QFETCH(int, targetWidth);
    QFETCH(QPoint, pasted);
    TextItem *far = f->addText(QStringLiteral("mText9"), source, f->stage);
    select({far});
    f->reg->copySelected();
    auto *block = new BlockPanel(&f->owner, f->detail);
    block->setName(QStringLiteral("mBlock1"));
    block->setBounds(0, 0, targetWidth, 108);
    select({block});
    f->reg->pasteFromClipboard();
    QCOMPARE(f->selection().size(), 1);
    QWidget *copy = f->selection().first();
    QCOMPARE(copy->parentWidget(), block);
    QCOMPARE(copy->pos(), pasted);
}

void TestDesignClipboard::cutMovesControlsToTheClipboard()
{
    select({f->text1, f->text2});
    f->reg->cutSelected();
    QVERIFY(!f->owner.findComponent(u"mText1"));
    QVERIFY(!f->owner.findComponent(u"mText2"));
    QVERIFY(f->selection().isEmpty());
    select({f->header});
    f->reg->pasteFromClipboard();
    // The names are free again, so the pasted controls keep them.
    auto *first = qobject_cast<QWidget *>(f->owner.findComponent(u"mText1"));
    auto *second = qobject_cast<QWidget *>(f->owner.findComponent(u"mText2"));
    QVERIFY(first && second);
    QCOMPARE(first->parentWidget(), f->header);
    QCOMPARE(f->selection(), (QList<QWidget *>{first, second}));
}

void TestDesignClipboard::pasteNeedsOneContainerOrNone()
{
    select({f->text1});
    f->reg->copySelected();
    const int count = int(f->owner.components().size());
    select({f->header, f->detail});
    QVERIFY(!f->reg->canPaste());
    f->reg->pasteFromClipboard();
    QCOMPARE(f->selection(), (QList<QWidget *>{f->header, f->detail}));
    select({f->text2});
    QVERIFY(!f->reg->canPaste());
    f->reg->pasteFromClipboard();
    QCOMPARE(int(f->owner.components().size()), count);
    QGuiApplication::clipboard()->clear();
    select({f->detail});
    QVERIFY(!f->reg->canPaste());
}

void TestDesignClipboard::copyNeedsOneParent()
{
    select({f->text1, f->header});
    QVERIFY(!f->reg->canCopy());
    f->reg->copySelected();
    QVERIFY(!DesignClipboard::offersFormat());
    f->reg->cutSelected();
    QVERIFY(f->owner.findComponent(u"mText1"));
}

void TestDesignClipboard::deleteAsksForEachControl()
{
    QStringList asked;
    f->policy->deleteQuery = [&](QWidget *component, bool &canDelete) {
        asked << component->objectName();
        canDelete = ReportStageAnswers().canDelete(component);
    };
    select({f->page});
    f->reg->deleteSelected();
    QVERIFY(f->owner.findComponent(u"mPage1"));
    QVERIFY(f->selection().isEmpty());
    select({f->text1, f->text2, f->code});
    asked.clear();
    f->reg->deleteSelected();
    QCOMPARE(asked, (QStringList{"MBlockCode1", "mText2", "mText1"}));
    QVERIFY(!f->owner.findComponent(u"mText1"));
    QVERIFY(!f->owner.findComponent(u"MBlockCode1"));
    f->policy->deleteQuery = [](QWidget *, bool &canDelete) {
        canDelete = false;
    };
    select({f->text3});
    f->reg->deleteSelected();
    QVERIFY(f->owner.findComponent(u"mText3"));
    QVERIFY(f->selection().isEmpty());
}

void TestDesignClipboard::deleteTakesChildrenBeforeParents()
{
    select({f->detail, f->text1});
    f->reg->deleteSelected();
    QVERIFY(!f->owner.findComponent(u"mBand2"));
    QVERIFY(!f->owner.findComponent(u"mText1"));
    QVERIFY(!f->owner.findComponent(u"mText2"));
    QVERIFY(f->owner.findComponent(u"mBand1"));
}

void TestDesignClipboard::stageKeys()
{
    Gesture::click(f->text1, {5, 5});
    QVERIFY(f->stage->hasFocus());
    QTest::keyClick(f->stage, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(DesignClipboard::offersFormat());
    Gesture::click(f->detail, {400, 90});
    QTest::keyClick(f->stage, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(f->owner.findComponent(u"mText4"));
    // removeTarget acts when the key is released.
    QTest::keyPress(f->stage, Qt::Key_Delete);
    QVERIFY(f->owner.findComponent(u"mText4"));
    QTest::keyRelease(f->stage, Qt::Key_Delete);
    QVERIFY(!f->owner.findComponent(u"mText4"));
    Gesture::click(f->text2, {5, 5});
    QTest::keyClick(f->stage, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(!f->owner.findComponent(u"mText2"));
}

void TestDesignClipboard::brokenClipboardStreamReachesTheCaller()
{
    auto *mime = new QMimeData;
    mime->setData(QStringLiteral("Dsn_ClipboardFormat"), DesignClipboard::pack("TPF0\x06TmTe"));
    QGuiApplication::clipboard()->setMimeData(mime);
    select({f->detail});
    QVERIFY_THROWS_EXCEPTION(StreamError, f->reg->pasteFromClipboard());
    QVERIFY(f->selection().isEmpty());
}

void TestDesignClipboard::saveAndLoadRestoreDesignMode()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("design.kfx"));
    Gesture::click(f->text1, {5, 5});
    f->stage->saveToFile(file);
    QVERIFY(f->selection().isEmpty());

    QStringList loading;
    QStringList loaded;
    bool designingWhileLoading = true;
    QObject::connect(f->stage, &DesignStage::controlLoading, f->stage, [&](QWidget *) {
        designingWhileLoading = f->reg->designing();
        loading << QString();
    });
    QObject::connect(f->stage, &DesignStage::controlLoaded, f->stage,
                     [&](QWidget *component) { loaded << component->objectName(); });
    f->stage->loadFromFile(file);
    QVERIFY(!designingWhileLoading);
    QVERIFY(f->reg->designing());
    QCOMPARE(loading.size(), 7);
    QVERIFY(loaded.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(loaded.first(), QStringLiteral("mPage1"));
    QCOMPARE(loaded.size(), 7);
    auto *text = qobject_cast<TextItem *>(f->owner.findComponent(u"mText2"));
    QVERIFY(text);
    QVERIFY(f->reg->coverOf(text));
    Gesture::click(text, {5, 5});
    QCOMPARE(f->selection(), QList<QWidget *>{text});

    f->reg->setDesigning(false);
    f->stage->loadFromFile(file);
    QVERIFY(!f->reg->designing());
}

void TestDesignClipboard::loadFailureLeavesDesignModeOff()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing.kfx"));
    try {
        f->stage->loadFromFile(file);
        QFAIL("no error");
    } catch (const StreamError &error) {
        QCOMPARE(error.message(), file + QStringLiteral(" can not be read"));
    }
    QVERIFY(!f->reg->designing());
    QVERIFY(f->owner.findComponent(u"mPage1"));
}

void TestDesignClipboard::stageWithoutRegister()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain.kfx"));
    ComponentOwner owner;
    DesignStage stage(&owner);
    auto *text = new TextItem(&owner, &stage);
    text->setName(QStringLiteral("mText1"));
    stage.deleteSelected();
    stage.copySelected();
    stage.pasteFromClipboard();
    stage.cutSelected();
    QCOMPARE(owner.findComponent(u"mText1"), text);
    stage.saveToFile(file);
    delete text;
    int loaded = 0;
    QObject::connect(&stage, &DesignStage::controlLoaded, &stage, [&](QWidget *) { ++loaded; });
    stage.loadFromFile(file);
    QCoreApplication::processEvents();
    QCOMPARE(loaded, 1);
    QVERIFY(qobject_cast<TextItem *>(owner.findComponent(u"mText1")));
}

QTEST_MAIN(TestDesignClipboard)
#include "tst_designclipboard.moc"
