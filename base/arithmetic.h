#pragma once
// The arithmetic words used throughout: round, trunc, div, mod and MulDiv.

#include <cstdint>

namespace poremi {

// Nearest integer, halves to the even neighbour (the floating-point unit's default mode).
std::int64_t roundHalfEven(double value);

// Toward zero.
std::int64_t truncate(double value);

// Integer division toward zero; the remainder keeps the sign of the dividend (C++ semantics,
// named so that call sites read like the rules they implement).
constexpr std::int64_t idiv(std::int64_t a, std::int64_t b) { return a / b; }
constexpr std::int64_t imod(std::int64_t a, std::int64_t b) { return a % b; }

// a × b / c with a 64-bit intermediate, halves away from zero; −1 when c is 0.
std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// The same on 64-bit operands for coordinates that outgrow 32 bits (printer resolutions at
// high zoom); the intermediate is 128 bits wide.
std::int64_t mulDiv64(std::int64_t a, std::int64_t b, std::int64_t c);

}  // namespace poremi
