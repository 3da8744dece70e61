#pragma once
// File-open modes as callers give them, mapped onto the open modes of compound files.

#include "platform/cfb/storage.h"

namespace poremi {

inline constexpr int fmCreate = -1;
inline constexpr int fmOpenRead = 0x0000;
inline constexpr int fmOpenWrite = 0x0001;
inline constexpr int fmOpenReadWrite = 0x0002;
inline constexpr int fmShareCompat = 0x0000;
inline constexpr int fmShareExclusive = 0x0010;
inline constexpr int fmShareDenyWrite = 0x0020;
inline constexpr int fmShareDenyRead = 0x0030;
inline constexpr int fmShareDenyNone = 0x0040;

// Create is read-write and exclusive; the low two bits give the access, bits 4 to 7 the sharing.
cfb::OpenMode StorageModeOf(int mode);

}  // namespace poremi
