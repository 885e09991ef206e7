#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/ReportClasses.h"

namespace {

using namespace PropertyValues;
using Props::make;

PropertyTable buildBlockCodeTable()
{
    PropertyTable table = CommonProperties::nameAndBounds();
    table += {
        Props::withDefault(
            Props::boolean<CodeBlock>(QStringLiteral("AutoSize"), &CodeBlock::autoSize), 1),
        make<CodeBlock>(
            QStringLiteral("Caption"), PropKind::Text,
            [](const CodeBlock &block) { return PropValue(block.caption()); },
            [](CodeBlock &block, const PropValue &value) { block.setCaption(toText(value)); }),
        Props::never(CommonProperties::colour(QStringLiteral("Color"), {})),
        CommonProperties::font(),
        CommonProperties::parentFont(),
        Props::withDefault(
            Props::boolean<CodeBlock>(QStringLiteral("Transparent"), &CodeBlock::transparent), 0),
        Props::withDefault(
            Props::boolean<CodeBlock>(QStringLiteral("WordWrap"), &CodeBlock::wordWrap), 0),
        make<CodeBlock>(
            QStringLiteral("Code"), PropKind::Strings,
            [](const CodeBlock &block) { return PropValue(block.code().texts()); },
            [](CodeBlock &block, const PropValue &value) {
                CodeLines code;
                code.setTexts(toStrings(value));
                block.setCode(code);
            }),
    };
    return table;
}

PropertyInfo blockEnum(const QString &name, int BlockPanel::*member, const QStringList &names)
{
    return Props::enumeration<BlockPanel>(name, member, names);
}

PropertyTable buildBlockTable()
{
    const QStringList bevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    PropertyTable table = CommonProperties::nameAndBounds();
    table += {
        blockEnum(QStringLiteral("BevelInner"), &BlockPanel::bevelInner, bevels),
        blockEnum(QStringLiteral("BevelOuter"), &BlockPanel::bevelOuter, bevels),
        Props::integer<BlockPanel>(QStringLiteral("BevelWidth"), &BlockPanel::bevelWidth),
        Props::integer<BlockPanel>(QStringLiteral("BorderWidth"), &BlockPanel::borderWidth),
        blockEnum(QStringLiteral("BorderStyle"), &BlockPanel::borderStyle, {"bsNone", "bsSingle"}),
        make<BlockPanel>(
            QStringLiteral("Caption"), PropKind::Text,
            [](const BlockPanel &block) { return PropValue(block.caption()); },
            [](BlockPanel &block, const PropValue &value) { block.setCaption(toText(value)); }),
        CommonProperties::colour(QStringLiteral("Color"), {}),
        CommonProperties::font(),
        CommonProperties::parentFont(),
        Props::integer<BlockPanel>(QStringLiteral("TabOrder"), &BlockPanel::tabOrder),
        Props::integer<BlockPanel>(QStringLiteral("PanelWidth"), &BlockPanel::panelWidth),
        Props::integer<BlockPanel>(QStringLiteral("PanelHeight"), &BlockPanel::panelHeight),
        Props::integer<BlockPanel>(QStringLiteral("SemiPercent"), &BlockPanel::semiPercent),
        Props::integer<BlockPanel>(QStringLiteral("BevelWidthInner"), &BlockPanel::bevelWidthInner),
        Props::withDefault(
            Props::integer<BlockPanel>(QStringLiteral("CaptionAngle"), &BlockPanel::captionAngle),
            0),
        blockEnum(QStringLiteral("CaptionHAlign"), &BlockPanel::captionHAlign,
                  {"iasphNone", "iasphLeft", "iasphCenter", "iasphRight"}),
        blockEnum(QStringLiteral("CaptionValign"), &BlockPanel::captionVAlign,
                  {"iaspvNone", "iaspvTop", "iaspvCenter", "iaspvBottom"}),
        Props::integer<BlockPanel>(QStringLiteral("CaptionLeft"), &BlockPanel::captionLeft),
        Props::integer<BlockPanel>(QStringLiteral("CaptionTop"), &BlockPanel::captionTop),
        Props::boolean<BlockPanel>(QStringLiteral("CaptionTransparent"),
                                   &BlockPanel::captionTransparent),
        make<BlockPanel>(
            QStringLiteral("Color1"), PropKind::Colour,
            [](const BlockPanel &block) { return PropValue(block.color1); },
            [](BlockPanel &block, const PropValue &value) {
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
