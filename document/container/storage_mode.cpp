#include "document/container/storage_mode.h"

namespace poremi {

cfb::OpenMode StorageModeOf(int mode) {
    if (mode == fmCreate) return cfb::kReadWriteExclusive;
    cfb::OpenMode result;
    switch (mode & 3) {
    case fmOpenRead: result.access = cfb::Access::Read; break;
    case fmOpenWrite: result.access = cfb::Access::Write; break;
    default: result.access = cfb::Access::ReadWrite; break;
    }
    switch (mode & 0xF0) {
    case fmShareDenyWrite: result.share = cfb::Share::DenyWrite; break;
    case fmShareDenyRead: result.share = cfb::Share::DenyRead; break;
    case fmShareDenyNone: result.share = cfb::Share::DenyNone; break;
    default: result.share = cfb::Share::Exclusive; break;
    }
    return result;
}

}  // namespace poremi
