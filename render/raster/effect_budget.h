#pragma once
// The one size check every effect, clip and mapping bitmap passes before it is allocated, so a
// hostile rectangle or corner from a stream cannot demand gigabytes.

#include <cstdint>

namespace poremi {

// True when a bitmap of width × height pixels may be allocated (both positive, within the
// picture limits).
bool effectBitmapFits(std::int64_t width, std::int64_t height);

}  // namespace poremi
