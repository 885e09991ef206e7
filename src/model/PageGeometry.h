#pragma once

#include <QSizeF>
#include <QtGlobal>

#include <array>

// Display units of the page; stored values are always tenths of a millimetre.
enum PageUnits { MM, Inches, Pixels, Characters, Native };

enum PageOrientation { poPortrait, poLandscape };

// Paper sizes by their stream ordinal; Default and Custom keep the values.
enum PaperSize { PaperDefault = 0, PaperLetter = 1, PaperA4 = 9, PaperCustom = 27 };

// The seven page values by index, which is also their stored order.
enum PageValue { BottomMargin, Length, TopMargin, Width, LeftMargin, RightMargin, ColumnSpace };

inline constexpr int PageValueCount = 7;

// Conversions between stored units (254 per inch), pixels and the display
// units. Every formula keeps the order of operations it is specified with:
// the stored 80-bit values of a design depend on it.
namespace Geometry {

long double charWidthMM(int fontPoints);
long double lineHeightMM(int fontPoints);

long double storedToPixels(long double stored, int ppi, int zoom);
long double pixelsToStored(long double pixels, int ppi, int zoom);

long double storedToUnits(long double stored, bool vertical, PageUnits units, int ppi, int zoom,
                          int fontPoints);
long double unitsToStored(long double value, bool vertical, PageUnits units, int ppi, int zoom,
                          int fontPoints);

bool isVertical(PageValue index);

// Width × length in millimetres, portrait; an invalid size for Default,
// Custom and anything out of range.
QSizeF paperSizeMM(int paperSize);

// The bounds of positions and extents a design may hold: about 26 metres
// at 96 pixels per inch, far beyond any report, and small enough that sums
// and differences of a few of them stay well inside an int. Values read
// from a file are clamped to them.
inline constexpr int MaxPixels = 1'000'000;
int clampPixels(qint64 pixels);
// A stored value within MaxPixels at 96 pixels per inch; NaN becomes 0.
long double clampStored(long double stored);

// Nearest integer, halves to even (the rounding of pixel sizes).
int roundEven(long double value);
// Nearest integer, halves away from zero.
int roundAway(long double value);

} // namespace Geometry

// The page record: paper, orientation, columns, ruler and the page values.
struct PageRecord
{
    int columns = 1;
    PageOrientation orientation = poPortrait;
    int paperSize = PaperCustom;
    bool ruler = true;
    std::array<long double, PageValueCount> values{};
};
