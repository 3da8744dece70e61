#include "base/arithmetic.h"

#include <cmath>

namespace poremi {

std::int64_t roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which the program never changes from
    // round-to-nearest-even; std::round would send halves away from zero.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int64_t truncate(double value) { return static_cast<std::int64_t>(std::trunc(value)); }

std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    return static_cast<std::int32_t>(mulDiv64(a, b, c));
}

std::int64_t mulDiv64(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0) return -1;
    const __int128 product = static_cast<__int128>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const unsigned __int128 magnitude = product < 0 ? -product : product;
    const unsigned __int128 divisor = c < 0 ? -static_cast<__int128>(c) : c;
    unsigned __int128 quotient = magnitude / divisor;
    if ((magnitude % divisor) * 2 >= divisor) ++quotient;
    const auto result = static_cast<__int128>(quotient);
    return static_cast<std::int64_t>(negative ? -result : result);
}

}  // namespace poremi
