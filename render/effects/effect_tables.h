#pragma once
// The two process-wide tables of the pixel effects, each computed once on first use
// (thread-safe static initialisation) and never changed.

#include <cstdint>

namespace poremi {

// Row α (0..255) of the blend table: entry δ (−255..255, indexed from −255) is the low byte of
// (α × δ) / 255 truncated toward zero; adding it to d modulo 256 moves d toward s = d + δ.
const std::uint8_t* blendTableRow(int alpha);

// The box average of a 3 × 3 sum s (0..2303): min(255, (2s + 9) div 18), s / 9 with halves up.
constexpr int boxAverageTableSize = 2304;
const std::uint8_t* boxAverageTable();

}  // namespace poremi
