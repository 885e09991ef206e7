// Links: kestrova_designer
#include "designer/ObjectProperties.h"
#include "designer/PropertyConversions.h"
#include "model/ComponentOwner.h"
#include "model/PropertyBuilders.h"
#include "model/ReportClasses.h"

#include <QTest>

#include <memory>

// A class with the kinds no report component publishes at top level.
class Sample : public QWidget
{
    Q_OBJECT

public:
    int style = 0;
    long double ratio = 0;
    int fixed = 7;
};

namespace {

const PropertyTable &sampleTable()
{
    static const PropertyTable table = [] {
        PropertyInfo style = Props::integer<Sample>(QStringLiteral("Style"), &Sample::style);
        style.kind = PropKind::Set;
        style.names = NamedValues::fontStyleNames();
        PropertyInfo ratio = Props::make<Sample>(
            QStringLiteral("Ratio"), PropKind::Float,
            [](const Sample &sample) { return PropValue(sample.ratio); },
            [](Sample &sample, const PropValue &value) {
                sample.ratio = PropertyValues::toFloat(value);
            });
        PropertyInfo fixed = Props::integer<Sample>(QStringLiteral("Fixed"), &Sample::fixed);
        fixed.set = {};
        return PropertyTable{style, ratio, fixed};
    }();
    return table;
}

const ClassRegistry &sampleClasses()
{
    static const ClassRegistry registry = [] {
        ClassRegistry classes;
        ClassInfo info;
        info.name = QStringLiteral("Sample");
        info.metaObject = &Sample::staticMetaObject;
        info.properties = &sampleTable();
        classes.add(info);
        return classes;
    }();
    return registry;
}

QString valueOf(const QObject *object, const QString &name)
{
    const ObjectProperties info(object);
    return info.item(info.indexOf(name)).value;
}

} // namespace

// Property lists of one component and the conversions between value texts
// and property values.
class TestPropInfo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsPublishedPropertiesInDeclarationOrder();
    void invalidIndexRaises();
    void valueTexts_data();
    void valueTexts();
    void setAndFloatTexts();
    void parseInteger_data();
    void parseInteger();
    void writeConverts_data();
    void writeConverts();
    void illegalValueLeavesPropertyAlone_data();
    void illegalValueLeavesPropertyAlone();
    void emptyValueEmptiesOnlyStrings();
    void setsAndRecordsAreNotWritten();
    void failureStopsAtTheFailingTarget();
    void floatsFollowTheLocale();
    void nameMustBeValidAndUnique_data();
    void nameMustBeValidAndUnique();

private:
    std::unique_ptr<ComponentOwner> m_owner;
    std::unique_ptr<ReportPage> m_page;
    Band *m_band = nullptr;
    TextItem *m_text = nullptr;
};

void TestPropInfo::init()
{
    m_owner = std::make_unique<ComponentOwner>();
    m_page = std::make_unique<ReportPage>(m_owner.get(), nullptr);
    m_page->setNewReportValues();
    m_page->setObjectName(QStringLiteral("mPage1"));
    m_band = new Band(m_owner.get(), m_page.get());
    m_band->setName(QStringLiteral("mBand1"));
    m_text = new TextItem(m_owner.get(), m_band);
    m_text->setName(QStringLiteral("mText1"));
}

void TestPropInfo::cleanup()
{
    m_page.reset();
    m_owner.reset();
    QLocale::setDefault(QLocale::c());
}

void TestPropInfo::listsPublishedPropertiesInDeclarationOrder()
{
    const ObjectProperties info(m_text);
    QCOMPARE(info.className(), QStringLiteral("TmText"));
    QStringList names;
    for (int i = 0; i < info.count(); ++i)
        names.append(info.item(i).name);
    QCOMPARE(names.mid(0, 8),
             (QStringList{"Name", "Left", "Top", "Width", "Height", "Frame", "Size", "Alignment"}));
    // Stream-only values are no published properties.
    QVERIFY(!names.contains(QStringLiteral("FontSize")));
    QCOMPARE(info.indexOf(u"tabposition"), int(names.indexOf(QStringLiteral("TabPosition"))));
    QCOMPARE(info.indexOf(u"Nonsense"), -1);
}

void TestPropInfo::invalidIndexRaises()
{
    const ObjectProperties info(m_text);
    for (int index : {-1, info.count()}) {
        try {
            info.item(index);
            QFAIL("no error raised");
        } catch (const PropertyError &error) {
            QCOMPARE(error.message(), QStringLiteral("Invalid Index"));
        }
    }
}

void TestPropInfo::valueTexts_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << "text"
                             << "Width"
                             << "10";
    QTest::newRow("white colour") << "band"
                                  << "Color"
                                  << "16777215";
    QTest::newRow("system colour") << "text"
                                   << "Color"
                                   << "-2147483643";
    QTest::newRow("boolean") << "text"
                             << "TabPosition"
                             << "True";
    QTest::newRow("enumeration") << "band"
                                 << "TypeBand"
                                 << "Header";
    QTest::newRow("string") << "text"
                            << "Name"
                            << "mText1";
    QTest::newRow("font record") << "text"
                                 << "Font"
                                 << "(TFont)";
    QTest::newRow("string list") << "text"
                                 << "PrintCode"
                                 << "(TStrings)";
    QTest::newRow("page options") << "page"
                                  << "Options"
                                  << "[FirstPageHeader,LastPageFooter]";
}

void TestPropInfo::valueTexts()
{
    QFETCH(QString, component);
    QFETCH(QString, property);
    QFETCH(QString, text);
    m_text->setColor(NamedValues::clWindow);
    const QObject *object = component == u"text"   ? static_cast<QObject *>(m_text)
                            : component == u"band" ? static_cast<QObject *>(m_band)
                                                   : m_page.get();
    QCOMPARE(valueOf(object, property), text);
}

void TestPropInfo::setAndFloatTexts()
{
    Sample sample;
    sample.style = 1 | 4 | (1 << 20);
    sample.ratio = 2.0L / 3.0L;
    const ObjectProperties info(&sample, sampleClasses());
    QCOMPARE(info.item(0).value, QStringLiteral("[fsBold,fsUnderline]"));
    QCOMPARE(info.item(0).kind, PropertyTypeKind::Set);
    QCOMPARE(info.item(1).value, QStringLiteral("0.666666666666667"));
    sample.style = 0;
    QCOMPARE(info.item(0).value, QStringLiteral("[]"));
}

void TestPropInfo::parseInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "42" << true << 42;
    QTest::newRow("blanks") << " 7 " << true << 7;
    QTest::newRow("negative") << "-12" << true << -12;
    QTest::newRow("hex") << "$1F" << true << 31;
    QTest::newRow("hex lower") << "$ff" << true << 255;
    QTest::newRow("negative hex") << "-$10" << true << -16;
    QTest::newRow("hex all bits") << "$FFFFFFFF" << true << -1;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("hex too large") << "$100000000" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("trailing letters") << "12abc" << false << 0;
    QTest::newRow("bare dollar") << "$" << false << 0;
    QTest::newRow("two signs") << "+-5" << false << 0;
    QTest::newRow("c hex") << "0x10" << false << 0;
}

void TestPropInfo::parseInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<qint32> parsed = PropertyConversions::parseInteger(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void TestPropInfo::writeConverts_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("decimal width") << "Width"
                                   << "120"
                                   << "120";
    QTest::newRow("hex width") << "Width"
                               << "$40"
                               << "64";
    QTest::newRow("colour") << "Color"
                            << "$FF"
                            << "255";
    QTest::newRow("system colour") << "Color"
                                   << "-2147483633"
                                   << "-2147483633";
    QTest::newRow("enumeration") << "Alignment"
                                 << "taCenter"
                                 << "taCenter";
    QTest::newRow("enumeration any case") << "alignment"
                                          << "TARIGHTJUSTIFY"
                                          << "taRightJustify";
    QTest::newRow("boolean") << "AutoSize"
                             << "True"
                             << "True";
    QTest::newRow("string") << "Caption"
                            << " spaced "
                            << " spaced ";
}

void TestPropInfo::writeConverts()
{
    QFETCH(QString, property);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    PropertyConversions::writeToTargets({m_text}, property, value, reportClasses());
    QCOMPARE(valueOf(m_text, property), shown);
}

void TestPropInfo::illegalValueLeavesPropertyAlone_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");
    QTest::newRow("letters for a number") << "Width"
                                          << "abc";
    QTest::newRow("number out of range") << "Left"
                                         << "99999999999";
    QTest::newRow("unknown enumeration name") << "Alignment"
                                              << "taMiddle";
    QTest::newRow("boolean word") << "AutoSize"
                                  << "yes";
    QTest::newRow("property the class lacks") << "TypeBand"
                                              << "Header";
}

void TestPropInfo::illegalValueLeavesPropertyAlone()
{
    QFETCH(QString, property);
    QFETCH(QString, value);
    const ObjectProperties info(m_text);
    const int index = info.indexOf(property);
    const QString before = index < 0 ? QString() : info.item(index).value;
    try {
        PropertyConversions::writeToTargets({m_text}, property, value, reportClasses());
        QFAIL("no error raised");
    } catch (const PropertyError &error) {
        QCOMPARE(error.message(), value + " is illegal (" + property + ")");
    }
    if (index >= 0)
        QCOMPARE(info.item(index).value, before);
}

void TestPropInfo::emptyValueEmptiesOnlyStrings()
{
    m_text->setCaption(QStringLiteral("Total"));
    m_text->setAlignment(taCenter);
    const QRect bounds = m_text->geometry();
    for (const char *name : {"Width", "Left", "Alignment", "Color", "Caption", "Format"})
        PropertyConversions::writeToTargets({m_text}, QString::fromLatin1(name), {},
                                            reportClasses());
    QCOMPARE(m_text->geometry(), bounds);
    QCOMPARE(m_text->alignment(), taCenter);
    QCOMPARE(m_text->caption(), QString());
}

void TestPropInfo::setsAndRecordsAreNotWritten()
{
    const int options = m_page->options;
    PropertyConversions::writeToTargets({m_page.get()}, QStringLiteral("Options"),
                                        QStringLiteral("[]"), reportClasses());
    QCOMPARE(m_page->options, options);
    const FontRecord font = m_text->fontRecord();
    PropertyConversions::writeToTargets({m_text}, QStringLiteral("Font"), QStringLiteral("(TFont)"),
                                        reportClasses());
    QCOMPARE(m_text->fontRecord(), font);

    Sample sample;
    try {
        PropertyConversions::writeToTargets({&sample}, QStringLiteral("Fixed"), QStringLiteral("3"),
                                            sampleClasses());
        QFAIL("read-only property written");
    } catch (const PropertyError &error) {
        QCOMPARE(error.message(), QStringLiteral("3 is illegal (Fixed)"));
    }
    QCOMPARE(sample.fixed, 7);
}

void TestPropInfo::failureStopsAtTheFailingTarget()
{
    auto *second = new TextItem(m_owner.get(), m_band);
    int written = -1;
    try {
        PropertyConversions::writeToTargets({m_text, m_band, second}, QStringLiteral("Alignment"),
                                            QStringLiteral("taCenter"), reportClasses(), &written);
        QFAIL("no error raised");
    } catch (const PropertyError &error) {
        QCOMPARE(error.message(), QStringLiteral("taCenter is illegal (Alignment)"));
    }
    QCOMPARE(written, 1);
    QCOMPARE(m_text->alignment(), taCenter);
    QCOMPARE(second->alignment(), taLeftJustify);
}

void TestPropInfo::floatsFollowTheLocale()
{
    Sample sample;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    PropertyConversions::writeToTargets({&sample}, QStringLiteral("Ratio"),
                                        QStringLiteral("1234,5"), sampleClasses());
    QCOMPARE(double(sample.ratio), 1234.5);
    QCOMPARE(ObjectProperties(&sample, sampleClasses()).item(1).value, QStringLiteral("1234,5"));
    QVERIFY_THROWS_EXCEPTION(PropertyError, PropertyConversions::writeToTargets(
                                                {&sample}, QStringLiteral("Ratio"),
                                                QStringLiteral("1.5.5"), sampleClasses()));
    QLocale::setDefault(QLocale::c());
    PropertyConversions::writeToTargets({&sample}, QStringLiteral("Ratio"), QStringLiteral("0.25"),
                                        sampleClasses());
    QCOMPARE(double(sample.ratio), 0.25);
    QVERIFY_THROWS_EXCEPTION(
        PropertyError, PropertyConversions::writeToTargets({&sample}, QStringLiteral("Ratio"),
                                                           QStringLiteral("inf"), sampleClasses()));
}

void TestPropInfo::nameMustBeValidAndUnique_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("new name") << "Total_2" << true;
    QTest::newRow("own name in other case") << "MTEXT1" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("starts with a digit") << "2nd" << false;
    QTest::newRow("blank inside") << "my text" << false;
    QTest::newRow("non-ASCII letter") << "Łącznie" << false;
    QTest::newRow("name of the band") << "mBand1" << false;
    QTest::newRow("name of the band in other case") << "MBAND1" << false;
}

void TestPropInfo::nameMustBeValidAndUnique()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    try {
        PropertyConversions::writeToTargets({m_text}, QStringLiteral("Name"), name,
                                            reportClasses());
        QVERIFY(accepted);
        QCOMPARE(m_text->objectName(), name);
        QCOMPARE(m_owner->findComponent(name), m_text);
    } catch (const PropertyError &error) {
        QVERIFY2(!accepted, qPrintable(error.message()));
        QVERIFY(!error.message().isEmpty());
        QCOMPARE(m_text->objectName(), QStringLiteral("mText1"));
        QCOMPARE(m_owner->findComponent(u"mBand1"), m_band);
    }
}

QTEST_MAIN(TestPropInfo)
#include "tst_propinfo.moc"
