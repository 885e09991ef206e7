// Links: kestrova_model
#include "model/ComponentOwner.h"
#include "model/Extended80.h"
#include "model/ObjectStream.h"
#include "model/PropertyBuilders.h"
#include "model/ReportClasses.h"
#include "model/StreamDump.h"
#include "model/StreamUndump.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>

using namespace ObjectStream;

namespace {

// A short string as the stream holds it: length byte, then the bytes.
QByteArray str(const QByteArray &text)
{
    return char(text.size()) + text;
}

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// An owner with its stage; the stage and a holder of components that lie
// outside it go before the owner that their components name.
struct Design
{
    ComponentOwner owner;
    std::unique_ptr<QWidget> stage = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> outside = std::make_unique<QWidget>();

    ReportPage *page() const
    {
        return stage->findChild<ReportPage *>(QString(), Qt::FindDirectChildrenOnly);
    }
    template<class T>
    T *find(const QString &name) const
    {
        return qobject_cast<T *>(owner.findComponent(name));
    }
};

template<class T>
T *make(Design &design, QWidget *parent, const QString &name)
{
    auto *component = new T(&design.owner, parent);
    component->setName(name);
    return component;
}

QList<QWidget *> controls(const Design &design)
{
    return orderedChildren(design.stage.get(), reportClasses());
}

// Hooks that note every read error and go on.
ReaderHooks collecting(QStringList &errors)
{
    ReaderHooks hooks;
    hooks.onError = [&errors](const QString &message) {
        errors << message;
        return true;
    };
    return hooks;
}

// Counts the events delivered to the descendants of a widget.
class EventCounter : public QObject
{
public:
    explicit EventCounter(const QWidget *root) : m_root(root) {}
    bool eventFilter(QObject *watched, QEvent *) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget != m_root && m_root->isAncestorOf(widget))
            ++count;
        return false;
    }
    int count = 0;

private:
    const QWidget *m_root;
};

// Offset of the first property of the first object of a stream.
qsizetype afterHeader(const QByteArray &stream)
{
    const qsizetype nameAt = 4 + 1 + quint8(stream[4]);
    return nameAt + 1 + quint8(stream[nameAt]);
}

} // namespace

// The binary object stream: byte layout, encodings, reading with its error
// recovery, stage files and the readable dump.
class TestObjectStream : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void bandTemplateEncodesExactly();
    void extendedFloats_data();
    void extendedFloats();
    void integerEncodings_data();
    void integerEncodings();
    void textEncodings_data();
    void textEncodings();
    void colourEncodings_data();
    void colourEncodings();
    void designRoundTripIsByteIdentical();

    void stageFileLayout();
    void propertyErrorsAreSkipped_data();
    void propertyErrorsAreSkipped();
    void unhandledErrorEndsRead();
    void readOnlyProperty();
    void unknownClassSkippedWithChildren();
    void clashRename_data();
    void clashRename();
    void damagedFiles_data();
    void damagedFiles();
    void everyCutFails();
    void missingFileKeepsStage();
    void failedSaveKeepsTarget_data();
    void failedSaveKeepsTarget();
    void childPositionPrefix();
    void bandOnBandGoesToPage();
    void readComponentsLeaveNoEventQueued();
    void nestingIsCapped_data();
    void nestingIsCapped();

    void dumpShowsTemplate();
    void dumpNestsChildren();
    void dumpIndentationStopsGrowing();
    void dumpWritesAsItGoes();
    void undumpGivesBackEachFixture_data();
    void undumpGivesBackEachFixture();
    void undumpKeepsEveryEncoding();
    void undumpNamesLineAndColumn_data();
    void undumpNamesLineAndColumn();

private:
    QString filePath(const QString &name) const { return m_dir->filePath(name); }
    static QByteArray readFile(const QString &path);
    void writeFile(const QString &name, const QByteArray &data) const;
    static ReportPage *buildDesign(Design &design);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestObjectStream::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QByteArray TestObjectStream::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestObjectStream::writeFile(const QString &name, const QByteArray &data) const
{
    QFile file(filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

// A page with bands of each kind, text items, code blocks and a block panel,
// most values away from their defaults.
ReportPage *TestObjectStream::buildDesign(Design &design)
{
    auto *page = make<ReportPage>(design, design.stage.get(), QStringLiteral("mPage1"));
    page->setNewReportValues();
    page->reportName = QStringLiteral("sales");
    page->database = QStringLiteral("shop");
    page->vnode = QStringLiteral("node");
    page->comments.setTexts({QStringLiteral("Monthly sales"), QStringLiteral("Zażółć gęślą jaźń")});
    page->query.setTexts({QStringLiteral("select * from sales")});
    page->sort.setTexts({QStringLiteral("dept")});
    page->setRuler(false);
    page->printerSettings.copies = 3;
    page->options = ReportPage::LastPageFooter | ReportPage::Compression;

    auto *header = make<Band>(design, page, QStringLiteral("mBand1"));
    header->setTypeField(QStringLiteral("REPORT"));
    header->beforePrint.setTexts({QStringLiteral(".NEWPAGE")});
    header->blockMode = true;
    auto *detail = make<Band>(design, page, QStringLiteral("mBand2"));
    detail->setTypeBand(Detail);
    detail->setBounds(0, 0, 700, 72);
    auto *breakBand = make<BreakBand>(design, page, QStringLiteral("mBreakBand1"));
    breakBand->setTypeBand(BreakFooter);
    breakBand->setTypeField(QStringLiteral("dept"));
    breakBand->newPageOnBreak = true;

    auto *name = make<TextItem>(design, detail, QStringLiteral("mText1"));
    name->setBounds(20, 18, 100, 18);
    name->setCaption(QStringLiteral("name"));
    name->setAlignment(taRightJustify);
    FrameRecord frame;
    frame.color = NamedValues::clNavy;
    frame.drawTop = true;
    frame.style = 1;
    frame.width = 2;
    name->setFrame(frame);
    name->setFontSize(8);
    FontRecord font = name->fontRecord();
    font.style = FontRecord::Bold | FontRecord::Italic;
    name->setFontRecord(font);
    name->format = QStringLiteral("c20");
    name->fieldMode = true;
    name->field = QStringLiteral("name");
    name->afterPrint.setTexts({QStringLiteral(".NEWLINE"), QString()});
    name->tabPosition = false;
    name->nWidth = 300;
    auto *price = make<TextItem>(design, detail, QStringLiteral("mText2"));
    price->setBounds(200, 36, 80, 18);
    price->setCaption(QStringLiteral("价格 ") + QString(300, u'x'));
    price->setColor(0x80000019);
    price->setFontSize(10);
    price->setTransparent(false);

    auto *code = make<CodeBlock>(design, detail, QStringLiteral("mBlockCode1"));
    code->setBounds(300, 0, 60, 18);
    CodeLines lines;
    lines.setTexts({QStringLiteral(".PRINT 'x'"), QStringLiteral(".NEWLINE")});
    code->setCode(lines);
    make<CodeBlock>(design, page, QStringLiteral("mBlockCode2"))->setBounds(10, 900, 60, 18);
    auto *block = make<BlockPanel>(design, page, QStringLiteral("mBlock1"));
    block->setBounds(40, 1000, 186, 36);
    block->color1 = NamedValues::clSilver;
    return page;
}

void TestObjectStream::bandTemplateEncodesExactly()
{
    Design design;
    auto *band = make<Band>(design, nullptr, QStringLiteral("Dpst_TmBand"));
    const std::unique_ptr<Band> owned(band);
    band->setBounds(0, 0, 15, 50);
    band->setSizeValues({Geometry::pixelsToStored(50, 96, 100), 40});

    const QByteArray expected =
        "TPF0" + str("TmBand") + str("Dpst_TmBand") + str("Left") + hex("0200") + str("Top")
        + hex("0200") + str("Width") + hex("020F") + str("Height") + hex("0232")
        + str("Frame.Color") + hex("07") + str("clBlack") + str("Frame.DrawTop") + hex("08")
        + str("Frame.DrawBottom") + hex("08") + str("Frame.DrawLeft") + hex("08")
        + str("Frame.DrawRight") + hex("08") + str("AlignToBottom") + hex("08") + str("Color")
        + hex("07") + str("clWhite") + str("ForceNewColumn") + hex("08") + str("ForceNewPage")
        + hex("08") + str("Size.Values")
        + hex("01"
              "05AAAAAAAAAAAA4A840640"
              "0500000000000000A00440"
              "00")
        + str("BandType") + hex("07") + str("rbTitle") + str("TypeBand") + hex("07") + str("Header")
        + str("BlockMode") + hex("08") + str("FieldMode") + hex("08") + hex("00") + hex("00");
    QCOMPARE(writeComponent(band, design.owner, reportClasses()).toHex(' '), expected.toHex(' '));
}

void TestObjectStream::extendedFloats_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("50 px in stored units")
        << Geometry::pixelsToStored(50, 96, 100) << hex("AAAAAAAAAAAA4A840640");
    QTest::newRow("40") << 40.0L << hex("00000000000000A00440");
    QTest::newRow("-0.5") << -0.5L << hex("0000000000000080FEBF");
    QTest::newRow("negative zero") << -0.0L << hex("00000000000000000080");
    QTest::newRow("smallest denormal") << LDBL_TRUE_MIN << hex("01000000000000000000");
    QTest::newRow("largest") << LDBL_MAX << hex("FFFFFFFFFFFFFFFFFE7F");
    QTest::newRow("infinity") << HUGE_VALL << hex("0000000000000080FF7F");
}

void TestObjectStream::extendedFloats()
{
    QFETCH(long double, value);
    QFETCH(QByteArray, bytes);
    const Extended80::Bytes encoded = Extended80::encode(value);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(encoded.data()), 10).toHex(), bytes.toHex());
    const long double decoded =
        Extended80::decode(reinterpret_cast<const unsigned char *>(bytes.data()));
    QVERIFY(decoded == value);
    QCOMPARE(std::signbit(decoded), std::signbit(value));
}

void TestObjectStream::integerEncodings_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("127") << 127 << hex("027F");
    QTest::newRow("-128") << -128 << hex("0280");
    QTest::newRow("128") << 128 << hex("038000");
    QTest::newRow("-129") << -129 << hex("037FFF");
    QTest::newRow("32767") << 32767 << hex("03FF7F");
    QTest::newRow("32768") << 32768 << hex("0400800000");
    QTest::newRow("-32769") << -32769 << hex("04FF7FFFFF");
    QTest::newRow("100000") << 100000 << hex("04A0860100");
}

void TestObjectStream::integerEncodings()
{
    QFETCH(int, value);
    QFETCH(QByteArray, encoded);
    Design design;
    make<TextItem>(design, design.stage.get(), QStringLiteral("mText1"))->nWidth = value;
    const QByteArray block = writeBlock(controls(design), design.owner, reportClasses());
    QVERIFY(block.contains(str("nWidth") + encoded + str("Col")));

    Design copy;
    const QList<QWidget *> read = readStreams(block, copy.owner, copy.stage.get(), reportClasses());
    QCOMPARE(read.size(), 1);
    QCOMPARE(qobject_cast<TextItem *>(read.first())->nWidth, value);
}

void TestObjectStream::textEncodings_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("empty") << QString() << hex("0600");
    QTest::newRow("255 bytes") << QString(255, u'a') << hex("06FF") + QByteArray(255, 'a');
    QTest::newRow("256 bytes") << QString(256, u'a') << hex("0C00010000") + QByteArray(256, 'a');
    QTest::newRow("Windows-1250") << QStringLiteral("Zażółć €") << hex("06085A61BFF3B3E62080");
    QTest::newRow("Chinese") << QStringLiteral("报表") << hex("1202000000A5626888");
    QTest::newRow("emoji") << QStringLiteral("a😀")
                           << hex("12030000006100"
                                  "3DD800DE");
}

void TestObjectStream::textEncodings()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, encoded);
    Design design;
    auto *text = make<TextItem>(design, design.stage.get(), QStringLiteral("mText1"));
    text->beforePrint.setTexts({line, QStringLiteral("end")});
    text->format = line;
    const QByteArray block = writeBlock(controls(design), design.owner, reportClasses());
    QVERIFY(block.contains(str("BeforePrint.Strings") + hex("01") + encoded + hex("0603") + "end"));

    Design copy;
    const QList<QWidget *> read = readStreams(block, copy.owner, copy.stage.get(), reportClasses());
    QCOMPARE(read.size(), 1);
    auto *readText = qobject_cast<TextItem *>(read.first());
    QCOMPARE(readText->beforePrint.texts(), QStringList({line, QStringLiteral("end")}));
    QCOMPARE(readText->format, line);
}

void TestObjectStream::colourEncodings_data()
{
    QTest::addColumn<qint64>("colour");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("named") << qint64(NamedValues::clNavy) << hex("07") + str("clNavy");
    QTest::newRow("named system colour")
        << qint64(NamedValues::clBtnFace) << hex("07") + str("clBtnFace");
    QTest::newRow("plain") << qint64(0x123456) << hex("0456341200");
    QTest::newRow("unnamed system colour") << qint64(0x80000019) << hex("0419000080");
}

void TestObjectStream::colourEncodings()
{
    QFETCH(qint64, colour);
    QFETCH(QByteArray, encoded);
    Design design;
    make<TextItem>(design, design.stage.get(), QStringLiteral("mText1"))->setColor(colour);
    const QByteArray block = writeBlock(controls(design), design.owner, reportClasses());
    QVERIFY(block.contains(str("Color") + encoded));

    Design copy;
    const QList<QWidget *> read = readStreams(block, copy.owner, copy.stage.get(), reportClasses());
    QCOMPARE(qobject_cast<TextItem *>(read.value(0))->color(), colour);
}

void TestObjectStream::designRoundTripIsByteIdentical()
{
    Design design;
    buildDesign(design);
    const QString first = filePath(QStringLiteral("first.kfx"));
    saveStageFile(design.stage.get(), first, design.owner, reportClasses());

    Design copy;
    QStringList errors;
    const ReaderHooks hooks = collecting(errors);
    loadStageFile(copy.stage.get(), first, copy.owner, reportClasses(), hooks);
    QCOMPARE(errors, QStringList());
    const QString second = filePath(QStringLiteral("second.kfx"));
    saveStageFile(copy.stage.get(), second, copy.owner, reportClasses());
    QCOMPARE(readFile(second).toHex(' '), readFile(first).toHex(' '));

    for (QObject *component : copy.owner.components())
        QVERIFY(!qobject_cast<ReportControl *>(component)->isLoading());
    auto *name = copy.find<TextItem>(QStringLiteral("mText1"));
    QVERIFY(name);
    QCOMPARE(name->parentWidget(), copy.find<Band>(QStringLiteral("mBand2")));
    QCOMPARE(name->geometry(), QRect(20, 18, 100, 18));
    QCOMPARE(name->fontRecord().style, FontRecord::Bold | FontRecord::Italic);
    QCOMPARE(name->frame().width, 2);
    QCOMPARE(name->afterPrint.texts(), QStringList({QStringLiteral(".NEWLINE"), QString()}));
    QCOMPARE(copy.find<TextItem>(QStringLiteral("mText2"))->caption(),
             QStringLiteral("价格 ") + QString(300, u'x'));
    QCOMPARE(copy.find<CodeBlock>(QStringLiteral("mBlockCode1"))->code().texts(),
             QStringList({QStringLiteral(".PRINT 'x'"), QStringLiteral(".NEWLINE")}));
    QCOMPARE(copy.find<BreakBand>(QStringLiteral("mBreakBand1"))->typeBand(), BreakFooter);
    QCOMPARE(copy.page()->comments.texts(), design.page()->comments.texts());
    QCOMPARE(copy.page()->options, ReportPage::LastPageFooter | ReportPage::Compression);
    QVERIFY(!copy.page()->ruler());
    QVERIFY(readFile(first).contains(str("Page.Ruler") + hex("08")));
}

void TestObjectStream::stageFileLayout()
{
    Design design;
    const QString file = filePath(QStringLiteral("design.kfx"));
    saveStageFile(design.stage.get(), file, design.owner, reportClasses());
    QCOMPARE(readFile(file), QByteArray());

    auto *page = make<ReportPage>(design, design.stage.get(), QStringLiteral("mPage1"));
    page->setNewReportValues();
    const QByteArray pageStream = writeComponent(page, design.owner, reportClasses());
    QVERIFY(pageStream.startsWith("TPF0"));
    QVERIFY(!pageStream.contains(str("Page.Ruler")));
    saveStageFile(design.stage.get(), file, design.owner, reportClasses());
    QCOMPARE(readFile(file), pageStream + hex("00"));

    auto *block = make<BlockPanel>(design, design.stage.get(), QStringLiteral("mBlock1"));
    saveStageFile(design.stage.get(), file, design.owner, reportClasses());
    QCOMPARE(readFile(file),
             pageStream + writeComponent(block, design.owner, reportClasses()) + hex("0000"));

    Design copy;
    loadStageFile(copy.stage.get(), file, copy.owner, reportClasses());
    const QList<QWidget *> read = controls(copy);
    QCOMPARE(read.size(), 2);
    QVERIFY(qobject_cast<ReportPage *>(read[0]));
    QVERIFY(qobject_cast<BlockPanel *>(read[1]));

    page->setStoredValues({});
    QByteArray zeros;
    for (int value = 0; value < 7; ++value)
        zeros += hex("05") + QByteArray(10, '\0');
    QVERIFY(writeComponent(page, design.owner, reportClasses())
                .contains(str("Page.Values") + hex("01") + zeros + hex("00")));
}

void TestObjectStream::propertyErrorsAreSkipped_data()
{
    QTest::addColumn<QByteArray>("inserted");
    QTest::addColumn<QString>("message");
    const QString prefix = QStringLiteral("Error reading mText1.");
    QTest::newRow("unknown property")
        << str("Foo") + hex("0601") + "x" << prefix + "Foo: Property does not exist";
    QTest::newRow("unknown record member")
        << str("Frame.Depth") + hex("0205") << prefix + "Frame.Depth: Property does not exist";
    QTest::newRow("path through a value")
        << str("Left.Value") + hex("0205") << prefix + "Left.Value: Invalid property path";
    QTest::newRow("text for an integer")
        << str("Left") + hex("0601") + "x" << prefix + "Left: Invalid property value";
    QTest::newRow("unknown enumeration name") << str("Alignment") + hex("07") + str("taNowhere")
                                              << prefix + "Alignment: Invalid property value";
    // Enumerations are stored by name: an ordinal in their place is skipped.
    QTest::newRow("8-bit integer for an enumeration")
        << str("Alignment") + hex("0201") << prefix + "Alignment: Invalid property value";
    QTest::newRow("16-bit integer for an enumeration")
        << str("Frame.Style") + hex("030200") << prefix + "Frame.Style: Invalid property value";
    QTest::newRow("32-bit integer for an enumeration")
        << str("Font.Pitch") + hex("0402000000") << prefix + "Font.Pitch: Invalid property value";
    QTest::newRow("unknown colour name")
        << str("Color") + hex("07") + str("clPlaid") << prefix + "Color: Invalid property value";
    QTest::newRow("unknown set member")
        << str("Font.Style") + hex("0B") + str("fsBold") + str("fsWavy") + hex("00")
        << prefix + "Font.Style: Invalid property value";
    QTest::newRow("list with an integer") << str("AfterPrint.Strings")
                                                 + hex("01"
                                                       "0601")
                                                 + "a"
                                                 + hex("0205"
                                                       "0601")
                                                 + "b" + hex("00")
                                          << prefix + "AfterPrint.Strings: Invalid property value";
    QTest::newRow("list without .Strings")
        << str("AfterPrint") + hex("0100") << prefix + "AfterPrint: Invalid property value";
    QTest::newRow("value for a record")
        << str("Frame") + hex("0205") << prefix + "Frame: Invalid property value";
    QTest::newRow("collection for a text") << str("Format")
                                                  + hex("0E"
                                                        "01")
                                                  + str("Key")
                                                  + hex("0201"
                                                        "00"
                                                        "00")
                                           << prefix + "Format: Invalid property value";
}

void TestObjectStream::propertyErrorsAreSkipped()
{
    QFETCH(QByteArray, inserted);
    QFETCH(QString, message);
    Design design;
    auto *text = make<TextItem>(design, design.stage.get(), QStringLiteral("mText1"));
    text->setCaption(QStringLiteral("total"));
    text->setFontSize(8);
    text->afterPrint.setTexts({QStringLiteral(".NEWLINE")});
    const QByteArray stream = writeComponent(text, design.owner, reportClasses());
    QByteArray damaged = stream;
    damaged.insert(afterHeader(stream), inserted);

    Design copy;
    QStringList errors;
    const ReaderHooks hooks = collecting(errors);
    const QList<QWidget *> read =
        readStreams(damaged + hex("00"), copy.owner, copy.stage.get(), reportClasses(), hooks);
    QCOMPARE(errors, QStringList{message});
    QCOMPARE(read.size(), 1);
    QCOMPARE(writeComponent(read.first(), copy.owner, reportClasses()).toHex(' '),
             stream.toHex(' '));
}

void TestObjectStream::unhandledErrorEndsRead()
{
    Design design;
    auto *first = make<TextItem>(design, design.stage.get(), QStringLiteral("mText1"));
    auto *second = make<TextItem>(design, design.stage.get(), QStringLiteral("mText2"));
    const QByteArray good = writeComponent(first, design.owner, reportClasses());
    QByteArray bad = writeComponent(second, design.owner, reportClasses());
    bad.insert(afterHeader(bad), str("Foo") + hex("0201"));

    Design copy;
    ReaderHooks hooks;
    hooks.onError = [](const QString &) {
        return false;
    };
    try {
        readStreams(good + bad + hex("00"), copy.owner, copy.stage.get(), reportClasses(), hooks);
        QFAIL("the read went on");
    } catch (const StreamError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Error reading mText2.Foo: Property does not exist"));
    }
    const QList<QWidget *> read = controls(copy);
    QCOMPARE(read.size(), 1);
    QCOMPARE(read.first()->objectName(), QStringLiteral("mText1"));
    QVERIFY(!qobject_cast<TextItem *>(read.first())->isLoading());
}

void TestObjectStream::readOnlyProperty()
{
    const PropertyTable table{
        Props::make<QWidget>(QStringLiteral("Fixed"), PropKind::Integer,
                             [](const QWidget &) { return PropValue(qint64(7)); }, {}),
        Props::make<QWidget>(
            QStringLiteral("Width"), PropKind::Integer,
            [](const QWidget &widget) { return PropValue(qint64(widget.width())); },
            [](QWidget &widget, const PropValue &value) {
                widget.resize(int(PropertyValues::toInt(value)), widget.height());
            }),
    };
    ClassInfo probe;
    probe.name = QStringLiteral("TProbe");
    probe.metaObject = &QWidget::staticMetaObject;
    probe.properties = &table;
    probe.create = [](ComponentOwner *, QWidget *parent) {
        return new QWidget(parent);
    };
    ClassRegistry registry;
    registry.add(probe);

    Design design;
    QStringList errors;
    const ReaderHooks hooks = collecting(errors);
    const QByteArray stream = "TPF0" + str("TProbe") + str("p1") + str("Fixed") + hex("0205")
                              + str("Width") + hex("0233")
                              + hex("00"
                                    "00"
                                    "00");
    const QList<QWidget *> read =
        readStreams(stream, design.owner, design.stage.get(), registry, hooks);
    QCOMPARE(errors, QStringList{QStringLiteral("Error reading p1.Fixed: Property is read-only")});
    QCOMPARE(read.size(), 1);
    QCOMPARE(read.first()->objectName(), QStringLiteral("p1"));
    QCOMPARE(read.first()->width(), 0x33);
}

void TestObjectStream::unknownClassSkippedWithChildren()
{
    Design design;
    auto *page = make<ReportPage>(design, design.stage.get(), QStringLiteral("mPage1"));
    auto *strange = make<Band>(design, page, QStringLiteral("Strange"));
    make<TextItem>(design, strange, QStringLiteral("mText1"));
    make<CodeBlock>(design, strange, QStringLiteral("mBlockCode1"));
    make<Band>(design, page, QStringLiteral("mBand2"));
    QByteArray stream = writeComponent(page, design.owner, reportClasses());
    QCOMPARE(stream.count(str("TmBand") + str("Strange")), 1);
    stream.replace(str("TmBand") + str("Strange"), str("TmFancy") + str("Strange"));

    Design copy;
    QStringList errors;
    const ReaderHooks hooks = collecting(errors);
    readStreams(stream + hex("00"), copy.owner, copy.stage.get(), reportClasses(), hooks);
    QCOMPARE(errors, QStringList{QStringLiteral("Class TmFancy not found")});
    QVERIFY(copy.page());
    QCOMPARE(copy.page()->bands().size(), 1);
    QCOMPARE(copy.page()->bands().first()->objectName(), QStringLiteral("mBand2"));
    QVERIFY(!copy.owner.findComponent(QStringLiteral("mText1")));
    QVERIFY(!copy.owner.findComponent(QStringLiteral("mBlockCode1")));
}

// Every widget posts itself a polish request when it is made; one still
// queued makes deleting the widget search the whole event queue, so a
// large design torn down before the event loop runs again would take time
// growing with the square of its size.
void TestObjectStream::readComponentsLeaveNoEventQueued()
{
    Design design;
    buildDesign(design);
    QCoreApplication::sendPostedEvents();
    const QByteArray block = writeBlock(controls(design), design.owner, reportClasses());

    Design copy;
    const QList<QWidget *> read = readStreams(block, copy.owner, copy.stage.get(), reportClasses());
    QVERIFY(!read.isEmpty());
    QVERIFY(copy.stage->findChildren<QWidget *>().size() > 5);

    // Whatever is still queued for the components is delivered now.
    EventCounter queued(copy.stage.get());
    qApp->installEventFilter(&queued);
    QCoreApplication::sendPostedEvents();
    qApp->removeEventFilter(&queued);
    QCOMPARE(queued.count, 0);
}

void TestObjectStream::clashRename_data()
{
    QTest::addColumn<QStringList>("heldOutside");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("loaded");
    QTest::newRow("duplicates") << QStringList{} << QStringList{"Total", "Total"}
                                << QStringList{"Total", "mText1"};
    QTest::newRow("duplicates of a generated name")
        << QStringList{} << QStringList{"mText1", "mText1"} << QStringList{"mText1", "mText2"};
    QTest::newRow("template name")
        << QStringList{"Dpst_TmText"} << QStringList{"Dpst_TmText"} << QStringList{"mText1"};
    QTest::newRow("template name, mText1 taken")
        << QStringList{"Dpst_TmText", "mText1"} << QStringList{"Dpst_TmText"}
        << QStringList{"mText2"};
    QTest::newRow("other letter case")
        << QStringList{"TOTAL"} << QStringList{"total"} << QStringList{"mText1"};
    QTest::newRow("empty name stays empty")
        << QStringList{} << QStringList{"", ""} << QStringList{"", ""};
}

void TestObjectStream::clashRename()
{
    QFETCH(QStringList, heldOutside);
    QFETCH(QStringList, stored);
    QFETCH(QStringList, loaded);
    Design design;
    auto *page = make<ReportPage>(design, design.stage.get(), QStringLiteral("mPage1"));
    auto *band = make<Band>(design, page, QStringLiteral("mBand1"));
    for (const QString &name : stored)
        make<TextItem>(design, band, name);
    const QString file = filePath(QStringLiteral("names.kfx"));
    saveStageFile(design.stage.get(), file, design.owner, reportClasses());

    Design copy;
    for (const QString &name : heldOutside)
        make<TextItem>(copy, copy.outside.get(), name);
    QStringList announced;
    ReaderHooks hooks;
    hooks.onSetName = [&announced](QWidget *, const QString &name) {
        announced << name;
        return name;
    };
    loadStageFile(copy.stage.get(), file, copy.owner, reportClasses(), hooks);
    QStringList names;
    for (QWidget *text : orderedChildren(copy.page()->bands().first(), reportClasses()))
        names << text->objectName();
    QCOMPARE(names, loaded);
    QCOMPARE(announced, QStringList({QStringLiteral("mPage1"), QStringLiteral("mBand1")}) + loaded);
}

void TestObjectStream::damagedFiles_data()
{
    Design design;
    auto *page = make<ReportPage>(design, design.stage.get(), QStringLiteral("mPage1"));
    make<Band>(design, page, QStringLiteral("mBand1"));
    const QByteArray first = writeComponent(page, design.owner, reportClasses());
    const QByteArray second =
        writeComponent(make<BlockPanel>(design, design.stage.get(), QStringLiteral("mBlock1")),
                       design.owner, reportClasses());

    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("controlsAfter");
    QTest::newRow("empty file") << QByteArray() << false << 0;
    QTest::newRow("no signature") << "TPF1" + first.mid(4) + hex("00") << false << 0;
    QTest::newRow("cut in the first stream") << first.left(first.size() / 2) << false << 0;
    QTest::newRow("cut in the second stream") << first + second.left(20) << false << 1;
    QTest::newRow("no end byte") << first << false << 1;
    QTest::newRow("more end bytes") << first + hex("000000") << true << 1;
    QTest::newRow("garbage after the end byte")
        << first + hex("00") + "garbage\xff\x01" << true << 1;
    QTest::newRow("two streams") << first + second + hex("0000") << true << 2;
}

void TestObjectStream::damagedFiles()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, readable);
    QFETCH(int, controlsAfter);
    writeFile(QStringLiteral("damaged.kfx"), data);
    const QString file = filePath(QStringLiteral("damaged.kfx"));
    Design copy;
    make<ReportPage>(copy, copy.stage.get(), QStringLiteral("old"));
    try {
        loadStageFile(copy.stage.get(), file, copy.owner, reportClasses());
        QVERIFY(readable);
    } catch (const StreamError &error) {
        QVERIFY(!readable);
        QCOMPARE(error.message(), file + QStringLiteral(" can not be read"));
    }
    const QList<QWidget *> read = controls(copy);
    QCOMPARE(read.size(), controlsAfter);
    QVERIFY(!copy.owner.findComponent(QStringLiteral("old")));
    for (QWidget *control : read)
        QVERIFY(!qobject_cast<ReportControl *>(control)->isLoading());
}

void TestObjectStream::everyCutFails()
{
    Design design;
    buildDesign(design);
    const QString file = filePath(QStringLiteral("full.kfx"));
    saveStageFile(design.stage.get(), file, design.owner, reportClasses());
    const QByteArray data = readFile(file);
    // Cut anywhere before the final end byte (which the damaged files check).
    const QString cut = filePath(QStringLiteral("cut.kfx"));
    for (qsizetype size = 0; size < data.size() - 1; ++size) {
        writeFile(QStringLiteral("cut.kfx"), data.left(size));
        Design copy;
        QVERIFY_THROWS_EXCEPTION(StreamError,
                                 loadStageFile(copy.stage.get(), cut, copy.owner, reportClasses()));
        QVERIFY(controls(copy).isEmpty());
        QVERIFY(copy.owner.components().isEmpty());
    }
}

void TestObjectStream::missingFileKeepsStage()
{
    Design design;
    make<ReportPage>(design, design.stage.get(), QStringLiteral("mPage1"));
    const QString missing = filePath(QStringLiteral("missing.kfx"));
    try {
        loadStageFile(design.stage.get(), missing, design.owner, reportClasses());
        QFAIL("a missing file was read");
    } catch (const StreamError &error) {
        QCOMPARE(error.message(), missing + QStringLiteral(" can not be read"));
    }
    QVERIFY(design.page());
}

void TestObjectStream::failedSaveKeepsTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("directory path") << QStringLiteral("folder.kfx");
    QTest::newRow("missing folder") << QStringLiteral("nowhere/design.kfx");
}

void TestObjectStream::failedSaveKeepsTarget()
{
    QFETCH(QString, target);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.kfx")));
    writeFile(QStringLiteral("folder.kfx/inside"), "kept");
    Design design;
    make<ReportPage>(design, design.stage.get(), QStringLiteral("mPage1"));
    const QString path = filePath(target);
    try {
        saveStageFile(design.stage.get(), path, design.owner, reportClasses());
        QFAIL("the save succeeded");
    } catch (const StreamError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot create file ") + path);
    }
    QCOMPARE(readFile(filePath(QStringLiteral("folder.kfx/inside"))), QByteArray("kept"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("folder.kfx")});
}

void TestObjectStream::childPositionPrefix()
{
    Design design;
    auto *band = make<Band>(design, design.stage.get(), QStringLiteral("mBand1"));
    make<TextItem>(design, band, QStringLiteral("mText1"));
    make<TextItem>(design, band, QStringLiteral("mText2"));
    QByteArray stream = writeComponent(band, design.owner, reportClasses());
    const QByteArray second = str("TmText") + str("mText2");
    const QByteArray first = str("TmText") + str("mText1");
    stream.replace(second, hex("F20200") + second);
    stream.replace(first, hex("F1") + first);

    Design copy;
    const QList<QWidget *> read =
        readStreams(stream + hex("00"), copy.owner, copy.stage.get(), reportClasses());
    QStringList names;
    for (QWidget *text : orderedChildren(read.value(0), reportClasses()))
        names << text->objectName();
    QCOMPARE(names, QStringList({QStringLiteral("mText2"), QStringLiteral("mText1")}));
}

void TestObjectStream::bandOnBandGoesToPage()
{
    const QByteArray stream = "TPF0" + str("TmPage") + str("mPage1") + hex("00") + str("TmBand")
                              + str("mBand1") + hex("00") + str("TmBreakBand") + str("mBand2")
                              + hex("00") + hex("00") + hex("00") + hex("00") + hex("00");
    Design design;
    readStreams(stream, design.owner, design.stage.get(), reportClasses());
    QVERIFY(design.page());
    QCOMPARE(design.find<Band>(QStringLiteral("mBand1"))->parentWidget(), design.page());
    QCOMPARE(design.find<BreakBand>(QStringLiteral("mBand2"))->parentWidget(), design.page());
    QCOMPARE(design.page()->bands().size(), 2);
}

void TestObjectStream::nestingIsCapped_data()
{
    const int depth = 300;
    QTest::addColumn<QByteArray>("data");
    QByteArray unknown = "TPF0";
    QByteArray texts = "TPF0";
    for (int level = 0; level < depth; ++level) {
        unknown += str("TmNothing") + str("") + hex("00");
        texts += str("TmText") + str("") + hex("00");
    }
    unknown += QByteArray(depth + 1, '\0');
    texts += QByteArray(depth + 1, '\0');
    QTest::newRow("unknown objects") << unknown;
    QTest::newRow("text items") << texts;
    const int lists = 100000;
    QTest::newRow("lists") << "TPF0" + str("TmText") + str("") + str("Foo")
                                  + QByteArray(lists, '\x01') + QByteArray(lists + 3, '\0');
}

void TestObjectStream::nestingIsCapped()
{
    QFETCH(QByteArray, data);
    Design design;
    try {
        readStreams(data, design.owner, design.stage.get(), reportClasses());
        QFAIL("read without limit");
    } catch (const StreamError &error) {
        QCOMPARE(error.message(), QStringLiteral("Stream nested too deeply"));
    }
    QVERIFY(controls(design).isEmpty());
    QVERIFY(design.owner.components().isEmpty());
    QVERIFY_THROWS_EXCEPTION(StreamError, StreamDump::dumpStageFile(data));
}

void TestObjectStream::dumpShowsTemplate()
{
    Design design;
    auto *band = make<Band>(design, design.stage.get(), QStringLiteral("Dpst_TmBand"));
    band->setBounds(0, 0, 15, 50);
    band->setSizeValues({Geometry::pixelsToStored(50, 96, 100), 40});
    band->bandCode.setTexts({QStringLiteral("say \"hi\"\tnow"), QStringLiteral("价")});
    const QByteArray block = writeBlock(controls(design), design.owner, reportClasses());
    const QString expected = QStringLiteral("object Dpst_TmBand: TmBand\n"
                                            "  Left = 0\n"
                                            "  Top = 0\n"
                                            "  Width = 15\n"
                                            "  Height = 50\n"
                                            "  Frame.Color = clBlack\n"
                                            "  Frame.DrawTop = False\n"
                                            "  Frame.DrawBottom = False\n"
                                            "  Frame.DrawLeft = False\n"
                                            "  Frame.DrawRight = False\n"
                                            "  AlignToBottom = False\n"
                                            "  Color = clWhite\n"
                                            "  ForceNewColumn = False\n"
                                            "  ForceNewPage = False\n"
                                            "  Size.Values = (\n"
                                            "    132.29166666666666666\n"
                                            "    40.0\n"
                                            "  )\n"
                                            "  BandType = rbTitle\n"
                                            "  TypeBand = Header\n"
                                            "  BandCode.Strings = (\n"
                                            "    \"say \\\"hi\\\"\\tnow\"\n"
                                            "    \"价\"\n"
                                            "  )\n"
                                            "  BlockMode = False\n"
                                            "  FieldMode = False\n"
                                            "end\n");
    QCOMPARE(StreamDump::dumpStageFile(block), expected);
    QVERIFY_THROWS_EXCEPTION(StreamError, StreamDump::dumpStageFile(block.left(block.size() - 1)));
}

void TestObjectStream::dumpNestsChildren()
{
    const QByteArray stream = "TPF0" + str("TmWhatever") + str("w1") + str("Style") + hex("0B")
                              + str("fsBold") + str("fsItalic") + hex("00") + str("Tag") + hex("0D")
                              + str("Data")
                              + hex("0A"
                                    "03000000"
                                    "0102FF")
                              + str("Keys")
                              + hex("0E"
                                    "01")
                              + str("Command")
                              + hex("0201"
                                    "00"
                                    "0203"
                                    "01"
                                    "00"
                                    "00")
                              + hex("00")
                              + hex("F2"
                                    "0201")
                              + str("TChild") + str("")
                              + hex("00"
                                    "00")
                              + hex("00") + hex("00") + "ignored";
    const QString expected = QStringLiteral("object w1: TmWhatever\n"
                                            "  Style = [fsBold, fsItalic]\n"
                                            "  Tag = nil\n"
                                            "  Data = {0102FF}\n"
                                            "  Keys = <\n"
                                            "    item\n"
                                            "      Command = 1\n"
                                            "    end\n"
                                            "    item [3]\n"
                                            "    end\n"
                                            "  >\n"
                                            "  object TChild [index 1]\n"
                                            "  end\n"
                                            "end\n");
    QCOMPARE(StreamDump::dumpStageFile(stream), expected);
}

// Each level of a deep nest is a byte or two of the stream; indented in
// full it would be hundreds of blanks in the text.
void TestObjectStream::dumpIndentationStopsGrowing()
{
    constexpr int Lists = 200;
    const QByteArray data = "TPF0" + str("TmText") + str("") + str("Foo")
                            + QByteArray(Lists, '\x01') + QByteArray(Lists + 3, '\0');
    const QStringList lines = StreamDump::dumpStageFile(data).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2 * Lists + 1);
    QCOMPARE(lines.first(), QStringLiteral("object TmText"));
    QCOMPARE(lines[1], QStringLiteral("  Foo = ("));
    QCOMPARE(lines[15], QString(30, u' ') + u'(');
    QCOMPARE(lines[16], QString(32, u' ') + u'(');
    QCOMPARE(lines[17], QString(32, u' ') + u'(');
    QCOMPARE(lines[Lists], QString(32, u' ') + QStringLiteral("()"));
    QCOMPARE(lines[2 * Lists - 1], QStringLiteral("  )"));
    QCOMPARE(lines.last(), QStringLiteral("end"));
    for (const QString &line : lines)
        QVERIFY2(line.size() <= 34, qPrintable(line));
}

// Damage late in a stream comes after the text of what came before it has
// been written.
void TestObjectStream::dumpWritesAsItGoes()
{
    const QByteArray data = "TPF0" + str("TmText") + str("mText1") + str("Caption") + hex("06")
                            + str("'Total'") + str("Tag") + hex("FF");
    QString text;
    QTextStream out(&text);
    QVERIFY_THROWS_EXCEPTION(StreamError, StreamDump::dumpStageFile(data, out));
    out.flush();
    QCOMPARE(text, QStringLiteral("object mText1: TmText\n  Caption = \"'Total'\"\n"));
}

void TestObjectStream::undumpGivesBackEachFixture_data()
{
    QTest::addColumn<QString>("path");
    const QDir data(QStringLiteral(KESTROVA_TEST_DATA));
    const QStringList names = data.entryList({QStringLiteral("*.kfx")}, QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 8);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << data.filePath(name);
}

// Dump, then undump, gives the file byte for byte; undump, then dump, the
// same text.
void TestObjectStream::undumpGivesBackEachFixture()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString text = StreamDump::dumpStageFile(bytes);
    const QByteArray again = StreamUndump::stageFile(text);
    QCOMPARE(again.toHex(' '), bytes.toHex(' '));
    QCOMPARE(StreamDump::dumpStageFile(again), text);
}

// Values stored otherwise than this program stores them, names no plain
// word spells, and float bits no number gives back.
void TestObjectStream::undumpKeepsEveryEncoding()
{
    const auto extended = [](long double value) {
        const Extended80::Bytes bytes = Extended80::encode(value);
        return hex("05") + QByteArray(reinterpret_cast<const char *>(bytes.data()), 10);
    };
    const QByteArray nan = hex("05"
                               "0100000000000000FF7F"); // a NaN with its own payload
    const QByteArray stream = "TPF0"
                              + hex("F7"
                                    "0401000000")
                              + str("TmText") + str("odd name")         // prefix, index Int32 1
                              + str("Small") + hex("0405000000")        // Int32 5
                              + str("Whole") + extended(40)             // 40.0
                              + str("Negative") + extended(-2.5L)       // -2.5
                              + str("Infinite") + extended(HUGE_VALL)   // bits
                              + str("NaN") + nan                        // bits
                              + str("Single") + hex("0F0000C03F")       // 1.5
                              + str("Date") + hex("110000000000000C40") // 3.5
                              + str("Money")
                              + hex("10"
                                    "9AFFFFFFFFFFFFFF")                                   // -0.0102
                              + str("Short") + hex("0C03000000") + "abc"                  // LString
                              + str("Wide") + hex("1202000000") + QByteArray("h\0i\0", 4) // WString
                              + str("Word") + hex("07") + str("true")        // Ident, not True
                              + str("Spaced") + hex("07") + str("two words") // Ident
                              + str("object") + hex("02FF")                  // property "object"
                              + str("Items")
                              + hex("0E"
                                    "030300"
                                    "01"
                                    "00"
                                    "00") // item [Int16 3]
                              + str("Style") + hex("0B") + str("fs Bold") + hex("00") // set
                              + hex("00") // end of properties
                              + hex("F0") + str("TChild") + str("")
                              + hex("00"
                                    "00") // prefix, no flags
                              + hex("00") + hex("00");
    const QString text = StreamDump::dumpStageFile(stream);
    for (const char *line :
         {"object \"odd name\": TmText [inherited, index Int32 1, inline]", "  Small = Int32 5",
          "  Whole = 40.0", "  Negative = -2.5", "  Single = Single 1.5", "  Date = Date 3.5",
          "  Money = Currency -0.0102", "  Short = LString \"abc\"", "  Wide = WString \"hi\"",
          "  Word = Ident \"true\"", "  Spaced = Ident \"two words\"", "  object = -1",
          "    item [Int16 3]", "  Style = [\"fs Bold\"]", "  object TChild [prefix]",
          "  NaN = Extended {0100000000000000FF7F}"})
        QVERIFY2(text.contains(QString::fromUtf8(line) + u'\n'), qPrintable(text));
    QCOMPARE(StreamUndump::stageFile(text).toHex(' '), stream.toHex(' '));
}

void TestObjectStream::undumpNamesLineAndColumn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << ""
                           << "Line 1, column 1: the text holds no object";
    QTest::newRow("no object") << "thing\n"
                               << "Line 1, column 1: \"object \" expected";
    QTest::newRow("no end") << "object Foo\n  A = 1\n"
                            << "Line 3, column 1: the text ends before \"end\"";
    QTest::newRow("list not closed") << "object Foo\n  A = (\n    1\n"
                                     << "Line 4, column 1: the text ends before \")\"";
    QTest::newRow("no value") << "object Foo\n  A = \nend\n"
                              << "Line 2, column 7: a value expected";
    QTest::newRow("integer too large") << "object Foo\n  A = 99999999999999999999\nend\n"
                                       << "Line 2, column 7: the integer is too large";
    QTest::newRow("out of its type") << "object Foo\n  A = Int8 300\nend\n"
                                     << "Line 2, column 12: Int8 out of range";
    QTest::newRow("unknown type") << "object Foo\n  A = Long 1\nend\n"
                                  << "Line 2, column 7: unknown type \"Long\"";
    QTest::newRow("open quote") << "object Foo\n  A = \"abc\nend\n"
                                << "Line 2, column 11: the text has no closing quote";
    QTest::newRow("bad escape") << "object Foo\n  A = \"a\\qb\"\nend\n"
                                << "Line 2, column 9: unknown escape";
    QTest::newRow("Null in a list") << "object Foo\n  A = (\n    Null\n  )\nend\n"
                                    << "Line 3, column 5: a list holds no Null";
    QTest::newRow("bad hex") << "object Foo\n  A = {0G}\nend\n"
                             << "Line 2, column 8: a hex digit expected";
    QTest::newRow("bad flag") << "object Foo [index x]\nend\n"
                              << "Line 1, column 19: a number expected";
    QTest::newRow("trailing text") << "object Foo\n  A = 1 2\nend\n"
                                   << "Line 2, column 8: unexpected \" 2\"";
    QTest::newRow("String too long")
        << QStringLiteral("object Foo\n  A = String \"%1\"\nend\n").arg(QString(256, u'x'))
        << "Line 2, column 14: a String holds at most 255 bytes";
    QTest::newRow("name beyond Windows-1250")
        << QString::fromUtf8("object \"价\"\nend\n")
        << QString::fromUtf8("Line 1, column 11: Windows-1250 cannot "
                             "hold the name \"价\"");
}

void TestObjectStream::undumpNamesLineAndColumn()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    try {
        StreamUndump::stageFile(text);
        QFAIL("text that is no dump was read");
    } catch (const StreamError &error) {
        QCOMPARE(error.message(), message);
    }
}

QTEST_MAIN(TestObjectStream)
#include "tst_objectstream.moc"
