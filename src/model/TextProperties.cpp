#include "model/CommonProperties.h"
#include "model/PropertyBuilders.h"
#include "model/mKomponents.h"

namespace {

using namespace PropValues;
using Props::make;

PropertyInfo sizeRecord()
{
    const auto member = [](const QString &name, TmText::SizeIndex index) {
        return Props::never(make<TmText>(
            name, PropKind::Float,
            [index](const TmText &text) { return PropValue(text.sizeValue(index)); },
            [index](TmText &text, const PropValue &value) {
                text.setSizeValue(index, toFloat(value));
            }));
    };
    PropertyInfo values = make<TmText>(
        QStringLiteral("Values"), PropKind::Floats,
        [](const TmText &text) { return PropValue(text.sizeValues()); },
        [](TmText &text, const PropValue &value) { text.setSizeValues(toFloats(value)); });
    return Props::record(QStringLiteral("Size"), QStringLiteral("TQRLabelSize"),
                         {member(QStringLiteral("Height"), TmText::SizeHeight),
                          member(QStringLiteral("Left"), TmText::SizeLeft),
                          member(QStringLiteral("Top"), TmText::SizeTop),
                          member(QStringLiteral("Width"), TmText::SizeWidth),
                          Props::definedValue(values)});
}

PropertyInfo flag(const QString &name, bool (TmText::*get)() const, void (TmText::*set)(bool))
{
    return make<TmText>(
        name, PropKind::Boolean, [get](const TmText &text) { return PropValue((text.*get)()); },
        [set](TmText &text, const PropValue &value) { (text.*set)(toBool(value)); });
}

PropertyTable buildTextTable()
{
    PropertyTable table = CommonProperties::framedHead();
    PropertyInfo alignment = make<TmText>(
        QStringLiteral("Alignment"), PropKind::Enumeration,
        [](const TmText &text) { return PropValue(qint64(text.alignment())); },
        [](TmText &text, const PropValue &value) {
            const qint64 alignment = toInt(value);
            if (alignment >= taLeftJustify && alignment <= taCenter)
                text.setAlignment(static_cast<TAlignment>(alignment));
        });
    alignment.names = NamedValues::alignmentNames();
    PropertyInfo fontSize = make<TmText>(
        QStringLiteral("FontSize"), PropKind::Integer,
        [](const TmText &text) { return PropValue(qint64(text.fontSize())); },
        [](TmText &text, const PropValue &value) {
            if (text.isLoading())
                text.setStoredFontSize(int(toInt(value)));
            else if (toInt(value) > 0)
                text.setFontSize(int(toInt(value)));
        });
    table += {
        sizeRecord(),
        alignment,
        flag(QStringLiteral("AlignToBand"), &TmText::alignToBand, &TmText::setAlignToBand),
        Props::boolean<TmText>(QStringLiteral("AutoSize"), &TmText::autoSize),
        Props::boolean<TmText>(QStringLiteral("AutoStretch"), &TmText::autoStretch),
        make<TmText>(
            QStringLiteral("Caption"), PropKind::Text,
            [](const TmText &text) { return PropValue(text.caption()); },
            [](TmText &text, const PropValue &value) { text.setCaption(toText(value)); }),
        CommonProperties::colour(QStringLiteral("Color"), NamedValues::clWindow),
        CommonProperties::font(),
        CommonProperties::parentFont(),
        flag(QStringLiteral("Transparent"), &TmText::transparent, &TmText::setTransparent),
        flag(QStringLiteral("WordWrap"), &TmText::wordWrap, &TmText::setWordWrap),
        Props::lines<TmText>(QStringLiteral("PrintCode"), &TmText::PrintCode),
        Props::integer<TmText>(QStringLiteral("nWidth"), &TmText::nWidth),
        Props::integer<TmText>(QStringLiteral("Col"), &TmText::Col),
        Props::integer<TmText>(QStringLiteral("Row"), &TmText::Row),
        Props::lines<TmText>(QStringLiteral("BeforePrint"), &TmText::BeforePrint),
        Props::lines<TmText>(QStringLiteral("AfterPrint"), &TmText::AfterPrint),
        Props::lines<TmText>(QStringLiteral("SubTextCode"), &TmText::SubTextCode),
        Props::text<TmText>(QStringLiteral("Format"), &TmText::Format),
        Props::boolean<TmText>(QStringLiteral("BlockMode"), &TmText::BlockMode),
        Props::boolean<TmText>(QStringLiteral("FieldMode"), &TmText::FieldMode),
        Props::text<TmText>(QStringLiteral("Field"), &TmText::Field),
        Props::boolean<TmText>(QStringLiteral("Printable"), &TmText::Printable),
        Props::boolean<TmText>(QStringLiteral("TabPosition"), &TmText::TabPosition),
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
