#pragma once
// The 80-bit extended-precision float of the x87 unit (sign, 15-bit exponent, 64-bit
// significand with an explicit integer bit), converted without relying on long double.

#include <array>
#include <cstdint>

namespace poremi {

using ExtendedBytes = std::array<std::uint8_t, 10>;  // little-endian, as stored

// Exact for every double: zeros keep their sign, denormals become normal extended values,
// infinities stay infinite and NaNs keep their payload's upper bits.
ExtendedBytes toExtended(double value);

// Rounds to the nearest double, halves to even; too large values become infinite, too small
// ones denormal or zero. An exponent of all ones gives infinity or NaN, whatever the integer bit.
double fromExtended(const ExtendedBytes& bytes);

}  // namespace poremi
