#include "model/PageGeometry.h"

#include <algorithm>
#include <cmath>

namespace Geometry {

long double charWidthMM(int fontPoints)
{
    return 80.0L / fontPoints / 2.54L;
}

long double lineHeightMM(int fontPoints)
{
    return 145.3L / fontPoints / 2.54L;
}

long double storedToPixels(long double stored, int ppi, int zoom)
{
    return stored / (254.0L / ppi) * zoom / 100;
}

long double pixelsToStored(long double pixels, int ppi, int zoom)
{
    return pixels * 100 / zoom * (254.0L / ppi);
}

long double storedToUnits(long double stored, bool vertical, PageUnits units, int ppi, int zoom,
                          int fontPoints)
{
    switch (units) {
    case MM:
        return stored / 10;
    case Inches:
        return stored / 254;
    case Pixels:
        return storedToPixels(stored, ppi, zoom);
    case Characters:
        return stored / (vertical ? lineHeightMM(fontPoints) : charWidthMM(fontPoints)) / 10;
    case Native:
        break;
    }
    return stored;
}

long double unitsToStored(long double value, bool vertical, PageUnits units, int ppi, int zoom,
                          int fontPoints)
{
    switch (units) {
    case MM:
        return value * 10;
    case Inches:
        return value * 254;
    case Pixels:
        return pixelsToStored(value, ppi, zoom);
    case Characters:
        return value * (vertical ? lineHeightMM(fontPoints) : charWidthMM(fontPoints)) * 10;
    case Native:
        break;
    }
    return value;
}

bool isVertical(PageValue index)
{
    return index == BottomMargin || index == Length || index == TopMargin;
}

QSizeF paperSizeMM(int paperSize)
{
    static const QSizeF sizes[] = {
        {},
        {215.9, 279.4},
        {215.9, 279.4},
        {279.4, 431.8},
        {431.8, 279.4},
        {215.9, 355.6},
        {139.7, 215.9},
        {190.5, 254.0},
        {297, 420},
        {210, 297},
        {210, 297},
        {148, 210},
        {250, 354},
        {182, 257},
        {215.9, 330.2},
        {215, 275},
        {254.0, 355.6},
        {279.4, 431.8},
        {215.9, 279.0},
        {98.43, 225.4},
        {104.8, 241.3},
        {114.3, 263.5},
        {101.6, 279.4},
        {127.0, 292.1},
        {100, 100},
        {100, 100},
        {100, 100},
    };
    if (paperSize <= PaperDefault || paperSize >= PaperCustom)
        return {};
    return sizes[paperSize];
}

namespace {

// Stored values can be anything a file holds: results saturate far beyond
// any page, where sums and differences of two of them still fit an int.
int toInt(long double rounded)
{
    constexpr long double limit = 1e9L;
    if (std::isnan(rounded))
        return 0;
    return static_cast<int>(std::clamp(rounded, -limit, limit));
}

} // namespace

int clampPixels(qint64 pixels)
{
    return int(std::clamp<qint64>(pixels, -MaxPixels, MaxPixels));
}

long double clampStored(long double stored)
{
    constexpr long double limit = MaxPixels * (254.0L / 96);
    if (std::isnan(stored))
        return 0;
    return std::clamp(stored, -limit, limit);
}

int roundEven(long double value)
{
    return toInt(std::nearbyintl(value));
}

int roundAway(long double value)
{
    return toInt(std::roundl(value));
}

} // namespace Geometry
