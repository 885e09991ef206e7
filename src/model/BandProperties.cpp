#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/mKomponents.h"

namespace {

using namespace PropValues;
using Props::make;

PropertyInfo sizeRecord()
{
    const auto member = [](const QString &name, TBandBase::SizeIndex index) {
        return Props::never(make<TBandBase>(
            name, PropKind::Float,
            [index](const TBandBase &band) { return PropValue(band.sizeValue(index)); },
            [index](TBandBase &band, const PropValue &value) {
                band.setSizeValue(index, toFloat(value));
            }));
    };
    PropertyInfo values = make<TBandBase>(
        QStringLiteral("Values"), PropKind::Floats,
        [](const TBandBase &band) { return PropValue(band.sizeValues()); },
        [](TBandBase &band, const PropValue &value) { band.setSizeValues(toFloats(value)); });
    return Props::record(QStringLiteral("Size"), QStringLiteral("TQRBandSize"),
                         {member(QStringLiteral("Height"), TBandBase::SizeHeight),
                          member(QStringLiteral("Width"), TBandBase::SizeWidth),
                          Props::definedValue(values)});
}

PropertyTable buildBandTable(bool breakBand)
{
    PropertyTable table = CommonProperties::framedHead();
    PropertyInfo bandType = Props::enumeration<TBandBase>(
        QStringLiteral("BandType"), &TBandBase::bandType, NamedValues::bandTypeNames());
    PropertyInfo typeBand = make<TBandBase>(
        QStringLiteral("TypeBand"), PropKind::Enumeration,
        [](const TBandBase &band) { return PropValue(qint64(band.typeOrdinal())); },
        [](TBandBase &band, const PropValue &value) { band.setTypeOrdinal(int(toInt(value))); });
    typeBand.names = breakBand ? NamedValues::breakBandNames() : NamedValues::typeBandNames();
    table += {
        Props::lines<TBandBase>(QStringLiteral("AfterPrint"), &TBandBase::AfterPrint),
        Props::boolean<TBandBase>(QStringLiteral("AlignToBottom"), &TBandBase::alignToBottom),
        Props::lines<TBandBase>(QStringLiteral("BeforePrint"), &TBandBase::BeforePrint),
        CommonProperties::colour(QStringLiteral("Color"), NamedValues::clBtnFace),
        CommonProperties::font(),
        Props::boolean<TBandBase>(QStringLiteral("ForceNewColumn"), &TBandBase::forceNewColumn),
        Props::boolean<TBandBase>(QStringLiteral("ForceNewPage"), &TBandBase::forceNewPage),
        CommonProperties::parentFont(),
        sizeRecord(),
        bandType,
        typeBand,
        make<TBandBase>(
            QStringLiteral("TypeField"), PropKind::Text,
            [](const TBandBase &band) { return PropValue(band.typeField()); },
            [](TBandBase &band, const PropValue &value) { band.setTypeField(toText(value)); }),
        Props::lines<TBandBase>(QStringLiteral("BandCode"), &TBandBase::BandCode),
        Props::lines<TBandBase>(QStringLiteral("SubBandCode"), &TBandBase::SubBandCode),
    };
    if (breakBand) {
        table += {
            Props::boolean<TmBreakBand>(QStringLiteral("PrintBreakAlways"),
                                        &TmBreakBand::PrintBreakAlways),
            Props::boolean<TmBreakBand>(QStringLiteral("PrintValueOnBreaks"),
                                        &TmBreakBand::PrintValueOnBreaks),
            Props::boolean<TmBreakBand>(QStringLiteral("PrintValueOnPage"),
                                        &TmBreakBand::PrintValueOnPage),
            Props::boolean<TmBreakBand>(QStringLiteral("NewPageOnBreak"),
                                        &TmBreakBand::NewPageOnBreak),
        };
    }
    table += {
        Props::boolean<TBandBase>(QStringLiteral("BlockMode"), &TBandBase::BlockMode),
        Props::boolean<TBandBase>(QStringLiteral("FieldMode"), &TBandBase::FieldMode),
        Props::text<TBandBase>(QStringLiteral("Field"), &TBandBase::Field),
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
