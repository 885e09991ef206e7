#include "model/NamedValues.h"

#include <QGuiApplication>
#include <QPalette>

#include <utility>

namespace NamedValues {
namespace {

struct NamedValue
{
    const char16_t *name;
    qint64 value;
};

constexpr NamedValue colours[] = {
    {u"clBlack", 0x000000},
    {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},
    {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},
    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},
    {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF},
    {u"clScrollBar", 0x80000000},
    {u"clBackground", 0x80000001},
    {u"clActiveCaption", 0x80000002},
    {u"clInactiveCaption", 0x80000003},
    {u"clMenu", 0x80000004},
    {u"clWindow", 0x80000005},
    {u"clWindowFrame", 0x80000006},
    {u"clMenuText", 0x80000007},
    {u"clWindowText", 0x80000008},
    {u"clCaptionText", 0x80000009},
    {u"clActiveBorder", 0x8000000A},
    {u"clInactiveBorder", 0x8000000B},
    {u"clAppWorkSpace", 0x8000000C},
    {u"clHighlight", 0x8000000D},
    {u"clHighlightText", 0x8000000E},
    {u"clBtnFace", 0x8000000F},
    {u"clBtnShadow", 0x80000010},
    {u"clGrayText", 0x80000011},
    {u"clBtnText", 0x80000012},
    {u"clInactiveCaptionText", 0x80000013},
    {u"clBtnHighlight", 0x80000014},
    {u"cl3DDkShadow", 0x80000015},
    {u"cl3DLight", 0x80000016},
    {u"clInfoText", 0x80000017},
    {u"clInfoBk", 0x80000018},
    {u"clNone", 0x1FFFFFFF},
};

constexpr NamedValue charsets[] = {
    {u"ANSI_CHARSET", 0},     {u"DEFAULT_CHARSET", 1},      {u"SYMBOL_CHARSET", 2},
    {u"MAC_CHARSET", 77},     {u"SHIFTJIS_CHARSET", 128},   {u"HANGEUL_CHARSET", 129},
    {u"JOHAB_CHARSET", 130},  {u"GB2312_CHARSET", 134},     {u"CHINESEBIG5_CHARSET", 136},
    {u"GREEK_CHARSET", 161},  {u"TURKISH_CHARSET", 162},    {u"HEBREW_CHARSET", 177},
    {u"ARABIC_CHARSET", 178}, {u"BALTIC_CHARSET", 186},     {u"RUSSIAN_CHARSET", 204},
    {u"THAI_CHARSET", 222},   {u"EASTEUROPE_CHARSET", 238}, {u"OEM_CHARSET", 255},
};

template<std::size_t N>
std::optional<QString> nameOf(const NamedValue (&table)[N], qint64 value)
{
    for (const NamedValue &entry : table) {
        if (entry.value == value)
            return QString::fromUtf16(entry.name);
    }
    return std::nullopt;
}

template<std::size_t N>
std::optional<qint64> valueOf(const NamedValue (&table)[N], QStringView name)
{
    for (const NamedValue &entry : table) {
        if (name.compare(QStringView(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

QColor systemColour(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0x05:
        return palette.color(QPalette::Base);
    case 0x07:
    case 0x08:
    case 0x12:
    case 0x17:
        return palette.color(QPalette::Text);
    case 0x0D:
        return palette.color(QPalette::Highlight);
    case 0x0E:
        return palette.color(QPalette::HighlightedText);
    case 0x0F:
    case 0x04:
        return palette.color(QPalette::Button);
    case 0x10:
        return palette.color(QPalette::Dark);
    case 0x11:
        return palette.color(QPalette::PlaceholderText);
    case 0x14:
    case 0x16:
        return palette.color(QPalette::Light);
    case 0x15:
        return palette.color(QPalette::Shadow);
    case 0x18:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

std::optional<QString> colourName(qint64 value)
{
    return nameOf(colours, value);
}
std::optional<qint64> colourValue(QStringView name)
{
    return valueOf(colours, name);
}
std::optional<QString> charsetName(qint64 value)
{
    return nameOf(charsets, value);
}
std::optional<qint64> charsetValue(QStringView name)
{
    return valueOf(charsets, name);
}

QColor toQColor(qint64 value)
{
    const auto bits = static_cast<quint32>(value);
    if (bits & 0x80000000u)
        return systemColour(int(bits & 0xFF));
    if (bits == clNone)
        return Qt::transparent;
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

#define KESTROVA_NAMES(function, ...) \
    const QStringList &function() \
    { \
        static const QStringList names{__VA_ARGS__}; \
        return names; \
    }

KESTROVA_NAMES(alignmentNames, "taLeftJustify", "taRightJustify", "taCenter")
KESTROVA_NAMES(fontPitchNames, "fpDefault", "fpVariable", "fpFixed")
KESTROVA_NAMES(fontStyleNames, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
KESTROVA_NAMES(penStyleNames, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
               "psInsideFrame")
KESTROVA_NAMES(pageOptionNames, "FirstPageHeader", "LastPageFooter", "Compression")
KESTROVA_NAMES(orientationNames, "poPortrait", "poLandscape")
KESTROVA_NAMES(paperSizeNames, "Default", "Letter", "LetterSmall", "Tabloid", "Ledger", "Legal",
               "Statement", "Executive", "A3", "A4", "A4Small", "A5", "B4", "B5", "Folio", "Quarto",
               "qr10X14", "qr11X17", "Note", "Env9", "Env10", "Env11", "Env12", "Env14", "CSheet",
               "DSheet", "ESheet", "Custom")
KESTROVA_NAMES(outputBinNames, "First", "Upper", "Lower", "Middle", "Manual", "Envelope",
               "EnvManual", "Auto", "Tractor", "SmallFormat", "LargeFormat", "LargeCapacity",
               "Cassette", "Last")
KESTROVA_NAMES(unitNames, "MM", "Inches", "Pixels", "Characters", "Native")
KESTROVA_NAMES(bandTypeNames, "rbTitle", "rbPageHeader", "rbDetail", "rbPageFooter", "rbSummary",
               "rbGroupHeader", "rbGroupFooter", "rbSubDetail", "rbColumnHeader", "rbOverlay",
               "rbChild")
KESTROVA_NAMES(typeBandNames, "Header", "Detail", "Footer")
KESTROVA_NAMES(breakBandNames, "BreakHeader", "BreakFooter")

#undef KESTROVA_NAMES

} // namespace NamedValues
