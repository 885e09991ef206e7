#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/mKomponents.h"

namespace {

using namespace PropValues;
using Props::make;

PropertyInfo pageValue(const QString &name, TPageValue index)
{
    return Props::never(make<TmPage>(
        name, PropKind::Float,
        [index](const TmPage &page) { return PropValue(page.pageValue(index)); },
        [index](TmPage &page, const PropValue &value) { page.setPageValue(index, toFloat(value)); }));
}

PropertyInfo pageRecord()
{
    PropertyInfo orientation = make<TmPage>(
        QStringLiteral("Orientation"), PropKind::Enumeration,
        [](const TmPage &page) { return PropValue(qint64(page.orientation())); },
        [](TmPage &page, const PropValue &value) {
            page.setOrientation(toInt(value) == 1 ? poLandscape : poPortrait);
        });
    orientation.names = NamedValues::orientationNames();
    PropertyInfo paperSize = make<TmPage>(
        QStringLiteral("PaperSize"), PropKind::Enumeration,
        [](const TmPage &page) { return PropValue(qint64(page.paperSize())); },
        [](TmPage &page, const PropValue &value) { page.setPaperSize(int(toInt(value))); });
    paperSize.names = NamedValues::paperSizeNames();
    PropertyInfo values = make<TmPage>(
        QStringLiteral("Values"), PropKind::Floats,
        [](const TmPage &page) {
            const auto &stored = page.pageRecord().values;
            return PropValue(QList<long double>(stored.begin(), stored.end()));
        },
        [](TmPage &page, const PropValue &value) {
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
            make<TmPage>(
                QStringLiteral("Columns"), PropKind::Integer,
                [](const TmPage &page) { return PropValue(qint64(page.columns())); },
                [](TmPage &page, const PropValue &value) { page.setColumns(int(toInt(value))); }),
            pageValue(QStringLiteral("LeftMargin"), LeftMargin),
            pageValue(QStringLiteral("Length"), Length),
            orientation,
            paperSize,
            pageValue(QStringLiteral("RightMargin"), RightMargin),
            Props::withDefault(make<TmPage>(
                                   QStringLiteral("Ruler"), PropKind::Boolean,
                                   [](const TmPage &page) { return PropValue(page.ruler()); },
                                   [](TmPage &page, const PropValue &value) {
                                       page.setRuler(toBool(value));
                                   }),
                               1),
            pageValue(QStringLiteral("TopMargin"), TopMargin),
            pageValue(QStringLiteral("Width"), Width),
            Props::definedValue(values),
        });
}

PropertyInfo functionsRecord()
{
    PropertyInfo names = make<TmPage>(
        QStringLiteral("Strings"), PropKind::Strings,
        [](const TmPage &page) { return PropValue(page.functionNames); },
        [](TmPage &page, const PropValue &value) { page.functionNames = toStrings(value); });
    names = Props::storedWhen(Props::definedValue(names), [](const QObject *object) {
        return !static_cast<const TmPage *>(object)->functionNames.isEmpty();
    });
    PropertyInfo expressions = make<TmPage>(
        QStringLiteral("DATA"), PropKind::Strings,
        [](const TmPage &page) { return PropValue(page.functionExpressions); },
        [](TmPage &page, const PropValue &value) { page.functionExpressions = toStrings(value); });
    return Props::record(QStringLiteral("Functions"), QStringLiteral("TQREvEnvironment"),
                         {names, Props::definedValue(expressions)});
}

PropertyInfo printerSettingsRecord()
{
    const auto member = [](const QString &name, int TPrinterSettings::*field) {
        return make<TmPage>(
            name, PropKind::Integer,
            [field](const TmPage &page) { return PropValue(qint64(page.printerSettings.*field)); },
            [field](TmPage &page, const PropValue &value) {
                page.printerSettings.*field = int(toInt(value));
            });
    };
    PropertyInfo outputBin = member(QStringLiteral("OutputBin"), &TPrinterSettings::outputBin);
    outputBin.kind = PropKind::Enumeration;
    outputBin.names = NamedValues::outputBinNames();
    return Props::record(
        QStringLiteral("PrinterSettings"), QStringLiteral("TQRPrinterSettings"),
        {
            member(QStringLiteral("Copies"), &TPrinterSettings::copies),
            make<TmPage>(
                QStringLiteral("Duplex"), PropKind::Boolean,
                [](const TmPage &page) { return PropValue(page.printerSettings.duplex); },
                [](TmPage &page, const PropValue &value) {
                    page.printerSettings.duplex = toBool(value);
                }),
            member(QStringLiteral("FirstPage"), &TPrinterSettings::firstPage),
            member(QStringLiteral("LastPage"), &TPrinterSettings::lastPage),
            outputBin,
        });
}

PropertyTable buildPageTable()
{
    PropertyTable table = CommonProperties::framedHead();
    table.append(CommonProperties::font());
    table.append(functionsRecord());
    PropertyInfo options = Props::integer<TmPage>(QStringLiteral("Options"), &TmPage::options);
    options.kind = PropKind::Set;
    options.names = NamedValues::pageOptionNames();
    table.append(options);
    table.append(pageRecord());
    table.append(printerSettingsRecord());
    table.append(Props::boolean<TmPage>(QStringLiteral("PrintIfEmpty"), &TmPage::printIfEmpty));
    table.append(Props::boolean<TmPage>(QStringLiteral("SnapToGrid"), &TmPage::snapToGrid));
    PropertyInfo units = make<TmPage>(
        QStringLiteral("Units"), PropKind::Enumeration,
        [](const TmPage &page) { return PropValue(qint64(page.units())); },
        [](TmPage &page, const PropValue &value) {
            const qint64 units = toInt(value);
            if (units >= MM && units <= Native)
                page.setUnits(static_cast<TUnits>(units));
        });
    units.names = NamedValues::unitNames();
    table.append(units);
    table.append(make<TmPage>(
        QStringLiteral("Zoom"), PropKind::Integer,
        [](const TmPage &page) { return PropValue(qint64(page.zoom())); },
        [](TmPage &page, const PropValue &value) { page.setZoom(int(toInt(value))); }));
    table += {
        Props::lines<TmPage>(QStringLiteral("PageCode"), &TmPage::PageCode),
        Props::lines<TmPage>(QStringLiteral("Break"), &TmPage::Break),
        Props::lines<TmPage>(QStringLiteral("Cleanup"), &TmPage::Cleanup),
        Props::lines<TmPage>(QStringLiteral("Data"), &TmPage::Data),
        Props::lines<TmPage>(QStringLiteral("Declare"), &TmPage::Declare),
        Props::lines<TmPage>(QStringLiteral("Include"), &TmPage::Include),
        Props::lines<TmPage>(QStringLiteral("LongRemark"), &TmPage::LongRemark),
        Props::text<TmPage>(QStringLiteral("Nam"), &TmPage::Nam),
        Props::text<TmPage>(QStringLiteral("Output"), &TmPage::Output),
        Props::lines<TmPage>(QStringLiteral("Query"), &TmPage::Query),
        Props::lines<TmPage>(QStringLiteral("Setup"), &TmPage::Setup),
        Props::text<TmPage>(QStringLiteral("ShortRemark"), &TmPage::ShortRemark),
        Props::lines<TmPage>(QStringLiteral("Sort"), &TmPage::Sort),
        Props::text<TmPage>(QStringLiteral("Database"), &TmPage::Database),
        Props::lines<TmPage>(QStringLiteral("Table"), &TmPage::Table),
        Props::lines<TmPage>(QStringLiteral("Comments"), &TmPage::Comments),
        Props::boolean<TmPage>(QStringLiteral("AsciiPrinter"), &TmPage::AsciiPrinter),
        Props::text<TmPage>(QStringLiteral("VNode"), &TmPage::VNode),
    };
    return table;
}

} // namespace

const PropertyTable &pagePropertyTable()
{
    static const PropertyTable table = buildPageTable();
    return table;
}
