#include "document/stream/extended_float.h"

#include <bit>
#include <cstring>

namespace poremi {
namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kDoubleFraction = (std::uint64_t{1} << 52) - 1;

// value >> shift, rounding the dropped bits to nearest, halves to even.
std::uint64_t shiftRightRounded(std::uint64_t value, int shift) {
    if (shift <= 0) return value;
    if (shift > 64) return 0;
    const std::uint64_t kept = shift == 64 ? 0 : value >> shift;
    const std::uint64_t dropped = shift == 64 ? value : value & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (dropped > half || (dropped == half && (kept & 1))) return kept + 1;
    return kept;
}

double fromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

}  // namespace

ExtendedBytes toExtended(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = bits >> 63;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kDoubleFraction;

    std::uint16_t extExponent = 0;
    std::uint64_t significand = 0;
    if (exponent == 0x7FF) {
        extExponent = 0x7FFF;
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
    } else if (exponent != 0) {
        extExponent = static_cast<std::uint16_t>(exponent - kDoubleBias + kExtendedBias);
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
    } else if (fraction != 0) {
        // A denormal double is fraction × 2^-1074; extended holds it normalised.
        const int leading = std::countl_zero(fraction);
        significand = fraction << leading;
        extExponent = static_cast<std::uint16_t>(-1074 + 63 - leading + kExtendedBias);
    }
    if (negative) extExponent |= 0x8000;

    ExtendedBytes out{};
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    out[8] = static_cast<std::uint8_t>(extExponent);
    out[9] = static_cast<std::uint8_t>(extExponent >> 8);
    return out;
}

double fromExtended(const ExtendedBytes& bytes) {
    std::uint64_t significand = 0;
    for (int i = 0; i < 8; ++i) significand |= std::uint64_t{bytes[i]} << (8 * i);
    const int signAndExponent = bytes[8] | (bytes[9] << 8);
    const std::uint64_t sign = std::uint64_t(signAndExponent >> 15) << 63;
    const int exponent = signAndExponent & 0x7FFF;

    if (exponent == 0x7FFF) {
        const std::uint64_t payload = significand & ~(std::uint64_t{1} << 63);
        if (payload == 0) return fromBits(sign | (std::uint64_t{0x7FF} << 52));
        std::uint64_t fraction = payload >> 11;
        if (fraction == 0) fraction = std::uint64_t{1} << 51;  // keep it a NaN
        return fromBits(sign | (std::uint64_t{0x7FF} << 52) | fraction);
    }
    if (significand == 0) return fromBits(sign);

    // value = significand × 2^scale
    const int scale = (exponent == 0 ? 1 : exponent) - kExtendedBias - 63;
    const int top = 63 - std::countl_zero(significand);
    int doubleExponent = top + scale;
    if (doubleExponent > kDoubleBias) return fromBits(sign | (std::uint64_t{0x7FF} << 52));

    if (doubleExponent >= 1 - kDoubleBias) {
        std::uint64_t mantissa = top > 52 ? shiftRightRounded(significand, top - 52) : significand << (52 - top);
        if (mantissa >> 53) {
            mantissa >>= 1;
            ++doubleExponent;
            if (doubleExponent > kDoubleBias) return fromBits(sign | (std::uint64_t{0x7FF} << 52));
        }
        const auto biased = static_cast<std::uint64_t>(doubleExponent + kDoubleBias);
        return fromBits(sign | (biased << 52) | (mantissa & kDoubleFraction));
    }
    // Denormal result in units of 2^-1074; a carry into bit 52 makes it the smallest normal.
    const int shift = -1074 - scale;
    const std::uint64_t units = shift > 0 ? shiftRightRounded(significand, shift) : significand << -shift;
    return fromBits(sign | units);
}

}  // namespace poremi
