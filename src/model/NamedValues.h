#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// Colour values are 0x00BBGGRR for plain colours and 0x80000000 + index
// for system colours; the named ones are written to streams by name.
namespace NamedValues {

inline constexpr quint32 clBlack = 0x000000;
inline constexpr quint32 clNavy = 0x800000;
inline constexpr quint32 clSilver = 0xC0C0C0;
inline constexpr quint32 clWhite = 0xFFFFFF;
inline constexpr quint32 clBtnFace = 0x8000000F;
inline constexpr quint32 clWindow = 0x80000005;
inline constexpr quint32 clWindowText = 0x80000008;
inline constexpr quint32 clNone = 0x1FFFFFFF;

inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int EASTEUROPE_CHARSET = 238;

std::optional<QString> colourName(qint64 value);
std::optional<qint64> colourValue(QStringView name);
std::optional<QString> charsetName(qint64 value);
std::optional<qint64> charsetValue(QStringView name);

// The colour a value stands for on screen (system colours resolved).
QColor toQColor(qint64 value);

// Enumeration and set names of the report vocabulary, by ordinal.
const QStringList &alignmentNames();
const QStringList &fontPitchNames();
const QStringList &fontStyleNames();
const QStringList &penStyleNames();
const QStringList &pageOptionNames();
const QStringList &orientationNames();
const QStringList &paperSizeNames();
const QStringList &outputBinNames();
const QStringList &unitNames();
const QStringList &bandTypeNames();
const QStringList &typeBandNames();
const QStringList &breakBandNames();

} // namespace NamedValues
