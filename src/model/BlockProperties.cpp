#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/mKomponents.h"

namespace {

using namespace PropValues;
using Props::make;

PropertyTable buildBlockCodeTable()
{
    PropertyTable table = CommonProperties::nameAndBounds();
    table += {
        Props::withDefault(Props::boolean<TMBlockCode>(QStringLiteral("AutoSize"),
                                                       &TMBlockCode::autoSize),
                           1),
        make<TMBlockCode>(
            QStringLiteral("Caption"), PropKind::Text,
            [](const TMBlockCode &block) { return PropValue(block.caption()); },
            [](TMBlockCode &block, const PropValue &value) { block.setCaption(toText(value)); }),
        Props::never(CommonProperties::colour(QStringLiteral("Color"), {})),
        CommonProperties::font(),
        CommonProperties::parentFont(),
        Props::withDefault(Props::boolean<TMBlockCode>(QStringLiteral("Transparent"),
                                                       &TMBlockCode::transparent),
                           0),
        Props::withDefault(Props::boolean<TMBlockCode>(QStringLiteral("WordWrap"),
                                                       &TMBlockCode::wordWrap),
                           0),
        make<TMBlockCode>(
            QStringLiteral("Code"), PropKind::Strings,
            [](const TMBlockCode &block) { return PropValue(block.Code().texts()); },
            [](TMBlockCode &block, const PropValue &value) {
                CodeLines code;
                code.setTexts(toStrings(value));
                block.setCode(code);
            }),
    };
    return table;
}

PropertyInfo blockEnum(const QString &name, int TmBlock::*member, const QStringList &names)
{
    return Props::enumeration<TmBlock>(name, member, names);
}

PropertyTable buildBlockTable()
{
    const QStringList bevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    PropertyTable table = CommonProperties::nameAndBounds();
    table += {
        blockEnum(QStringLiteral("BevelInner"), &TmBlock::bevelInner, bevels),
        blockEnum(QStringLiteral("BevelOuter"), &TmBlock::bevelOuter, bevels),
        Props::integer<TmBlock>(QStringLiteral("BevelWidth"), &TmBlock::bevelWidth),
        Props::integer<TmBlock>(QStringLiteral("BorderWidth"), &TmBlock::borderWidth),
        blockEnum(QStringLiteral("BorderStyle"), &TmBlock::borderStyle, {"bsNone", "bsSingle"}),
        make<TmBlock>(
            QStringLiteral("Caption"), PropKind::Text,
            [](const TmBlock &block) { return PropValue(block.caption()); },
            [](TmBlock &block, const PropValue &value) { block.setCaption(toText(value)); }),
        CommonProperties::colour(QStringLiteral("Color"), {}),
        CommonProperties::font(),
        CommonProperties::parentFont(),
        Props::integer<TmBlock>(QStringLiteral("TabOrder"), &TmBlock::tabOrder),
        Props::integer<TmBlock>(QStringLiteral("PanelWidth"), &TmBlock::panelWidth),
        Props::integer<TmBlock>(QStringLiteral("PanelHeight"), &TmBlock::panelHeight),
        Props::integer<TmBlock>(QStringLiteral("SemiPercent"), &TmBlock::semiPercent),
        Props::integer<TmBlock>(QStringLiteral("BevelWidthInner"), &TmBlock::bevelWidthInner),
        Props::withDefault(Props::integer<TmBlock>(QStringLiteral("CaptionAngle"),
                                                   &TmBlock::captionAngle),
                           0),
        blockEnum(QStringLiteral("CaptionHAlign"), &TmBlock::captionHAlign,
                  {"iasphNone", "iasphLeft", "iasphCenter", "iasphRight"}),
        blockEnum(QStringLiteral("CaptionValign"), &TmBlock::captionVAlign,
                  {"iaspvNone", "iaspvTop", "iaspvCenter", "iaspvBottom"}),
        Props::integer<TmBlock>(QStringLiteral("CaptionLeft"), &TmBlock::captionLeft),
        Props::integer<TmBlock>(QStringLiteral("CaptionTop"), &TmBlock::captionTop),
        Props::boolean<TmBlock>(QStringLiteral("CaptionTransparent"), &TmBlock::captionTransparent),
        make<TmBlock>(
            QStringLiteral("Color1"), PropKind::Colour,
            [](const TmBlock &block) { return PropValue(block.color1); },
            [](TmBlock &block, const PropValue &value) {
                block.color1 = toInt(value);
                block.update();
            }),
    };
    return table;
}

} // namespace

const PropertyTable &blockCodePropertyTable()
{
    static const PropertyTable table = buildBlockCodeTable();
    return table;
}

const PropertyTable &blockPropertyTable()
{
    static const PropertyTable table = buildBlockTable();
    return table;
}
