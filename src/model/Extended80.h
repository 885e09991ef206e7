#pragma once

#include <array>

// The 10-byte extended float of the object stream: a 64-bit mantissa with
// an explicit integer bit, a 15-bit exponent biased by 16383 and a sign
// bit, little-endian. Where long double is that very format both
// directions are exact; elsewhere they round to long double.
namespace Extended80 {

using Bytes = std::array<unsigned char, 10>;

Bytes encode(long double value);
long double decode(const unsigned char *bytes);

} // namespace Extended80
