#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/ReportClasses.h"

namespace {

using namespace PropertyValues;
using Props::make;

PropertyInfo sizeRecord()
{
    const auto member = [](const QString &name, BandBase::SizeIndex index) {
        return Props::never(make<BandBase>(
            name, PropKind::Float,
            [index](const BandBase &band) { return PropValue(band.sizeValue(index)); },
            [index](BandBase &band, const PropValue &value) {
                band.setSizeValue(index, toFloat(value));
            }));
    };
    PropertyInfo values = make<BandBase>(
        QStringLiteral("Values"), PropKind::Floats,
        [](const BandBase &band) { return PropValue(band.sizeValues()); },
        [](BandBase &band, const PropValue &value) { band.setSizeValues(toFloats(value)); });
    return Props::record(QStringLiteral("Size"), QStringLiteral("TQRBandSize"),
                         {member(QStringLiteral("Height"), BandBase::SizeHeight),
                          member(QStringLiteral("Width"), BandBase::SizeWidth),
                          Props::definedValue(values)});
}

PropertyTable buildBandTable(bool breakBand)
{
    PropertyTable table = CommonProperties::framedHead();
    PropertyInfo bandType = Props::enumeration<BandBase>(
        QStringLiteral("BandType"), &BandBase::bandType, NamedValues::bandTypeNames());
    PropertyInfo typeBand = make<BandBase>(
        QStringLiteral("TypeBand"), PropKind::Enumeration,
        [](const BandBase &band) { return PropValue(qint64(band.typeOrdinal())); },
        [](BandBase &band, const PropValue &value) { band.setTypeOrdinal(int(toInt(value))); });
    typeBand.names = breakBand ? NamedValues::breakBandNames() : NamedValues::typeBandNames();
    table += {
        Props::lines<BandBase>(QStringLiteral("AfterPrint"), &BandBase::afterPrint),
        Props::boolean<BandBase>(QStringLiteral("AlignToBottom"), &BandBase::alignToBottom),
        Props::lines<BandBase>(QStringLiteral("BeforePrint"), &BandBase::beforePrint),
        CommonProperties::colour(QStringLiteral("Color"), NamedValues::clBtnFace),
        CommonProperties::font(),
        Props::boolean<BandBase>(QStringLiteral("ForceNewColumn"), &BandBase::forceNewColumn),
        Props::boolean<BandBase>(QStringLiteral("ForceNewPage"), &BandBase::forceNewPage),
        CommonProperties::parentFont(),
        sizeRecord(),
        bandType,
        typeBand,
        make<BandBase>(
            QStringLiteral("TypeField"), PropKind::Text,
            [](const BandBase &band) { return PropValue(band.typeField()); },
            [](BandBase &band, const PropValue &value) { band.setTypeField(toText(value)); }),
        Props::lines<BandBase>(QStringLiteral("BandCode"), &BandBase::bandCode),
        Props::lines<BandBase>(QStringLiteral("SubBandCode"), &BandBase::subBandCode),
    };
    if (breakBand) {
        table += {
            Props::boolean<BreakBand>(QStringLiteral("PrintBreakAlways"),
                                      &BreakBand::printBreakAlways),
            Props::boolean<BreakBand>(QStringLiteral("PrintValueOnBreaks"),
                                      &BreakBand::printValueOnBreaks),
            Props::boolean<BreakBand>(QStringLiteral("PrintValueOnPage"),
                                      &BreakBand::printValueOnPage),
            Props::boolean<BreakBand>(QStringLiteral("NewPageOnBreak"), &BreakBand::newPageOnBreak),
        };
    }
    table += {
        Props::boolean<BandBase>(QStringLiteral("BlockMode"), &BandBase::blockMode),
        Props::boolean<BandBase>(QStringLiteral("FieldMode"), &BandBase::fieldMode),
        Props::text<BandBase>(QStringLiteral("Field"), &BandBase::field),
    };
    return table;
}

} // namespace

const PropertyTable &bandPropertyTable()
{
    static const PropertyTable table = buildBandTable(false);
    return table;
}

const PropertyTable &breakBandPropertyTable()
{
    static const PropertyTable table = buildBandTable(true);
    return table;
}
