#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/ReportClasses.h"

namespace {

using namespace PropertyValues;
using Props::make;

PropertyInfo sizeRecord()
{
    const auto member = [](const QString &name, TextItem::SizeIndex index) {
        return Props::never(make<TextItem>(
            name, PropKind::Float,
            [index](const TextItem &text) { return PropValue(text.sizeValue(index)); },
            [index](TextItem &text, const PropValue &value) {
                text.setSizeValue(index, toFloat(value));
            }));
    };
    PropertyInfo values = make<TextItem>(
        QStringLiteral("Values"), PropKind::Floats,
        [](const TextItem &text) { return PropValue(text.sizeValues()); },
        [](TextItem &text, const PropValue &value) { text.setSizeValues(toFloats(value)); });
    return Props::record(QStringLiteral("Size"), QStringLiteral("TQRLabelSize"),
                         {member(QStringLiteral("Height"), TextItem::SizeHeight),
                          member(QStringLiteral("Left"), TextItem::SizeLeft),
                          member(QStringLiteral("Top"), TextItem::SizeTop),
                          member(QStringLiteral("Width"), TextItem::SizeWidth),
                          Props::definedValue(values)});
}

PropertyInfo flag(const QString &name, bool (TextItem::*get)() const, void (TextItem::*set)(bool))
{
    return make<TextItem>(
        name, PropKind::Boolean, [get](const TextItem &text) { return PropValue((text.*get)()); },
        [set](TextItem &text, const PropValue &value) { (text.*set)(toBool(value)); });
}

PropertyTable buildTextTable()
{
    PropertyTable table = CommonProperties::framedHead();
    PropertyInfo alignment = make<TextItem>(
        QStringLiteral("Alignment"), PropKind::Enumeration,
        [](const TextItem &text) { return PropValue(qint64(text.alignment())); },
        [](TextItem &text, const PropValue &value) {
            const qint64 alignment = toInt(value);
            if (alignment >= taLeftJustify && alignment <= taCenter)
                text.setAlignment(static_cast<TextAlignment>(alignment));
        });
    alignment.names = NamedValues::alignmentNames();
    PropertyInfo fontSize = make<TextItem>(
        QStringLiteral("FontSize"), PropKind::Integer,
        [](const TextItem &text) { return PropValue(qint64(text.fontSize())); },
        [](TextItem &text, const PropValue &value) {
            if (text.isLoading())
                text.setStoredFontSize(int(toInt(value)));
            else if (toInt(value) > 0)
                text.setFontSize(int(toInt(value)));
        });
    table += {
        sizeRecord(),
        alignment,
        flag(QStringLiteral("AlignToBand"), &TextItem::alignToBand, &TextItem::setAlignToBand),
        Props::boolean<TextItem>(QStringLiteral("AutoSize"), &TextItem::autoSize),
        Props::boolean<TextItem>(QStringLiteral("AutoStretch"), &TextItem::autoStretch),
        make<TextItem>(
            QStringLiteral("Caption"), PropKind::Text,
            [](const TextItem &text) { return PropValue(text.caption()); },
            [](TextItem &text, const PropValue &value) { text.setCaption(toText(value)); }),
        CommonProperties::colour(QStringLiteral("Color"), NamedValues::clWindow),
        CommonProperties::font(),
        CommonProperties::parentFont(),
        flag(QStringLiteral("Transparent"), &TextItem::transparent, &TextItem::setTransparent),
        flag(QStringLiteral("WordWrap"), &TextItem::wordWrap, &TextItem::setWordWrap),
        Props::lines<TextItem>(QStringLiteral("PrintCode"), &TextItem::printCode),
        Props::integer<TextItem>(QStringLiteral("nWidth"), &TextItem::nWidth),
        Props::integer<TextItem>(QStringLiteral("Col"), &TextItem::column),
        Props::integer<TextItem>(QStringLiteral("Row"), &TextItem::row),
        Props::lines<TextItem>(QStringLiteral("BeforePrint"), &TextItem::beforePrint),
        Props::lines<TextItem>(QStringLiteral("AfterPrint"), &TextItem::afterPrint),
        Props::lines<TextItem>(QStringLiteral("SubTextCode"), &TextItem::subTextCode),
        Props::text<TextItem>(QStringLiteral("Format"), &TextItem::format),
        Props::boolean<TextItem>(QStringLiteral("BlockMode"), &TextItem::blockMode),
        Props::boolean<TextItem>(QStringLiteral("FieldMode"), &TextItem::fieldMode),
        Props::text<TextItem>(QStringLiteral("Field"), &TextItem::field),
        Props::boolean<TextItem>(QStringLiteral("Printable"), &TextItem::printable),
        Props::boolean<TextItem>(QStringLiteral("TabPosition"), &TextItem::tabPosition),
        Props::definedValue(fontSize),
    };
    return table;
}

} // namespace

const PropertyTable &textPropertyTable()
{
    static const PropertyTable table = buildTextTable();
    return table;
}
