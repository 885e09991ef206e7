#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/ReportClasses.h"

namespace {

using namespace PropertyValues;
using Props::make;

PropertyInfo pageValue(const QString &name, PageValue index)
{
    return Props::never(make<ReportPage>(
        name, PropKind::Float,
        [index](const ReportPage &page) { return PropValue(page.pageValue(index)); },
        [index](ReportPage &page, const PropValue &value) {
            page.setPageValue(index, toFloat(value));
        }));
}

PropertyInfo pageRecord()
{
    PropertyInfo orientation = make<ReportPage>(
        QStringLiteral("Orientation"), PropKind::Enumeration,
        [](const ReportPage &page) { return PropValue(qint64(page.orientation())); },
        [](ReportPage &page, const PropValue &value) {
            page.setOrientation(toInt(value) == 1 ? poLandscape : poPortrait);
        });
    orientation.names = NamedValues::orientationNames();
    PropertyInfo paperSize = make<ReportPage>(
        QStringLiteral("PaperSize"), PropKind::Enumeration,
        [](const ReportPage &page) { return PropValue(qint64(page.paperSize())); },
        [](ReportPage &page, const PropValue &value) { page.setPaperSize(int(toInt(value))); });
    paperSize.names = NamedValues::paperSizeNames();
    PropertyInfo values = make<ReportPage>(
        QStringLiteral("Values"), PropKind::Floats,
        [](const ReportPage &page) {
            const auto &stored = page.pageRecord().values;
            return PropValue(QList<long double>(stored.begin(), stored.end()));
        },
        [](ReportPage &page, const PropValue &value) {
            std::array<long double, PageValueCount> stored = page.pageRecord().values;
            const QList<long double> list = toFloats(value);
            for (int i = 0; i < std::min<qsizetype>(list.size(), PageValueCount); ++i)
                stored[i] = list[i];
            page.setStoredValues(stored);
        });
    return Props::record(
        QStringLiteral("Page"), QStringLiteral("TQRPage"),
        {
            pageValue(QStringLiteral("BottomMargin"), BottomMargin),
            pageValue(QStringLiteral("ColumnSpace"), ColumnSpace),
            make<ReportPage>(
                QStringLiteral("Columns"), PropKind::Integer,
                [](const ReportPage &page) { return PropValue(qint64(page.columns())); },
                [](ReportPage &page, const PropValue &value) {
                    page.setColumns(int(toInt(value)));
                }),
            pageValue(QStringLiteral("LeftMargin"), LeftMargin),
            pageValue(QStringLiteral("Length"), Length),
            orientation,
            paperSize,
            pageValue(QStringLiteral("RightMargin"), RightMargin),
            Props::withDefault(
                make<ReportPage>(
                    QStringLiteral("Ruler"), PropKind::Boolean,
                    [](const ReportPage &page) { return PropValue(page.ruler()); },
                    [](ReportPage &page, const PropValue &value) { page.setRuler(toBool(value)); }),
                1),
            pageValue(QStringLiteral("TopMargin"), TopMargin),
            pageValue(QStringLiteral("Width"), Width),
            Props::definedValue(values),
        });
}

PropertyInfo functionsRecord()
{
    PropertyInfo names = make<ReportPage>(
        QStringLiteral("Strings"), PropKind::Strings,
        [](const ReportPage &page) { return PropValue(page.functionNames); },
        [](ReportPage &page, const PropValue &value) { page.functionNames = toStrings(value); });
    names = Props::storedWhen(Props::definedValue(names), [](const QObject *object) {
        return !static_cast<const ReportPage *>(object)->functionNames.isEmpty();
    });
    PropertyInfo expressions = make<ReportPage>(
        QStringLiteral("DATA"), PropKind::Strings,
        [](const ReportPage &page) { return PropValue(page.functionExpressions); },
        [](ReportPage &page, const PropValue &value) {
            page.functionExpressions = toStrings(value);
        });
    return Props::record(QStringLiteral("Functions"), QStringLiteral("TQREvEnvironment"),
                         {names, Props::definedValue(expressions)});
}

PropertyInfo printerSettingsRecord()
{
    const auto member = [](const QString &name, int PrinterSettings::*field) {
        return make<ReportPage>(
            name, PropKind::Integer,
            [field](const ReportPage &page) {
                return PropValue(qint64(page.printerSettings.*field));
            },
            [field](ReportPage &page, const PropValue &value) {
                page.printerSettings.*field = int(toInt(value));
            });
    };
    PropertyInfo outputBin = member(QStringLiteral("OutputBin"), &PrinterSettings::outputBin);
    outputBin.kind = PropKind::Enumeration;
    outputBin.names = NamedValues::outputBinNames();
    return Props::record(
        QStringLiteral("PrinterSettings"), QStringLiteral("TQRPrinterSettings"),
        {
            member(QStringLiteral("Copies"), &PrinterSettings::copies),
            make<ReportPage>(
                QStringLiteral("Duplex"), PropKind::Boolean,
                [](const ReportPage &page) { return PropValue(page.printerSettings.duplex); },
                [](ReportPage &page, const PropValue &value) {
                    page.printerSettings.duplex = toBool(value);
                }),
            member(QStringLiteral("FirstPage"), &PrinterSettings::firstPage),
            member(QStringLiteral("LastPage"), &PrinterSettings::lastPage),
            outputBin,
        });
}

PropertyTable buildPageTable()
{
    PropertyTable table = CommonProperties::framedHead();
    table.append(CommonProperties::font());
    table.append(functionsRecord());
    PropertyInfo options =
        Props::integer<ReportPage>(QStringLiteral("Options"), &ReportPage::options);
    options.kind = PropKind::Set;
    options.names = NamedValues::pageOptionNames();
    table.append(options);
    table.append(pageRecord());
    table.append(printerSettingsRecord());
    table.append(
        Props::boolean<ReportPage>(QStringLiteral("PrintIfEmpty"), &ReportPage::printIfEmpty));
    table.append(Props::boolean<ReportPage>(QStringLiteral("SnapToGrid"), &ReportPage::snapToGrid));
    PropertyInfo units = make<ReportPage>(
        QStringLiteral("Units"), PropKind::Enumeration,
        [](const ReportPage &page) { return PropValue(qint64(page.units())); },
        [](ReportPage &page, const PropValue &value) {
            const qint64 units = toInt(value);
            if (units >= MM && units <= Native)
                page.setUnits(static_cast<PageUnits>(units));
        });
    units.names = NamedValues::unitNames();
    table.append(units);
    table.append(make<ReportPage>(
        QStringLiteral("Zoom"), PropKind::Integer,
        [](const ReportPage &page) { return PropValue(qint64(page.zoom())); },
        [](ReportPage &page, const PropValue &value) { page.setZoom(int(toInt(value))); }));
    table += {
        Props::lines<ReportPage>(QStringLiteral("PageCode"), &ReportPage::pageCode),
        Props::lines<ReportPage>(QStringLiteral("Break"), &ReportPage::breakSection),
        Props::lines<ReportPage>(QStringLiteral("Cleanup"), &ReportPage::cleanup),
        Props::lines<ReportPage>(QStringLiteral("Data"), &ReportPage::data),
        Props::lines<ReportPage>(QStringLiteral("Declare"), &ReportPage::declare),
        Props::lines<ReportPage>(QStringLiteral("Include"), &ReportPage::include),
        Props::lines<ReportPage>(QStringLiteral("LongRemark"), &ReportPage::longRemark),
        Props::text<ReportPage>(QStringLiteral("Nam"), &ReportPage::reportName),
        Props::text<ReportPage>(QStringLiteral("Output"), &ReportPage::output),
        Props::lines<ReportPage>(QStringLiteral("Query"), &ReportPage::query),
        Props::lines<ReportPage>(QStringLiteral("Setup"), &ReportPage::setup),
        Props::text<ReportPage>(QStringLiteral("ShortRemark"), &ReportPage::shortRemark),
        Props::lines<ReportPage>(QStringLiteral("Sort"), &ReportPage::sort),
        Props::text<ReportPage>(QStringLiteral("Database"), &ReportPage::database),
        Props::lines<ReportPage>(QStringLiteral("Table"), &ReportPage::table),
        Props::lines<ReportPage>(QStringLiteral("Comments"), &ReportPage::comments),
        Props::boolean<ReportPage>(QStringLiteral("AsciiPrinter"), &ReportPage::asciiPrinter),
        Props::text<ReportPage>(QStringLiteral("VNode"), &ReportPage::vnode),
    };
    return table;
}

} // namespace

const PropertyTable &pagePropertyTable()
{
    static const PropertyTable table = buildPageTable();
    return table;
}
