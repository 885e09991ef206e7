#include "model/Extended80.h"

#include <cmath>
#include <cstdint>

namespace Extended80 {
namespace {

constexpr int Bias = 16383;
constexpr int MaxExponent = 0x7FFF;
constexpr std::uint64_t IntegerBit = std::uint64_t(1) << 63;

} // namespace

Bytes encode(long double value)
{
    std::uint64_t mantissa = 0;
    int exponent = 0;
    if (std::isnan(value)) {
        mantissa = IntegerBit | (IntegerBit >> 1);
        exponent = MaxExponent;
    } else if (std::isinf(value)) {
        mantissa = IntegerBit;
        exponent = MaxExponent;
    } else if (value != 0) {
        int binaryExponent = 0;
        const long double fraction = std::frexp(std::fabs(value), &binaryExponent); // [0.5, 1)
        mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        exponent = binaryExponent - 1 + Bias;
        if (exponent >= MaxExponent) {
            mantissa = IntegerBit;
            exponent = MaxExponent;
        } else if (exponent <= 0) {
            const int shift = 1 - exponent;
            mantissa = shift < 64 ? mantissa >> shift : 0;
            exponent = 0;
        }
    }
    const unsigned signAndExponent = (std::signbit(value) ? 0x8000u : 0u) | unsigned(exponent);
    Bytes bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    bytes[8] = static_cast<unsigned char>(signAndExponent);
    bytes[9] = static_cast<unsigned char>(signAndExponent >> 8);
    return bytes;
}

long double decode(const unsigned char *bytes)
{
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[i];
    const unsigned signAndExponent = bytes[8] | (unsigned(bytes[9]) << 8);
    const int exponent = int(signAndExponent & 0x7FFF);
    long double value = 0;
    if (exponent == MaxExponent) {
        value = (mantissa << 1) == 0 ? HUGE_VALL : std::nanl("");
    } else {
        // Exponent 0 (denormals) scales like exponent 1 without the integer bit.
        const int scale = (exponent == 0 ? 1 : exponent) - Bias - 63;
        value = std::ldexp(static_cast<long double>(mantissa), scale);
    }
    return (signAndExponent & 0x8000) ? -value : value;
}

} // namespace Extended80
