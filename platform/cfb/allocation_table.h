#pragma once
// A sector allocation table (the FAT or the mini FAT): chains of sectors, allocation of free
// sectors (lowest first) and the bounded walk that never trusts a chain read from a file.

#include "platform/cfb/compound_file_format.h"

#include <vector>

namespace poremi::cfb {

using Chain = std::vector<SectorId>;

class AllocationTable {
public:
    std::vector<SectorId>& entries() { return entries_; }
    const std::vector<SectorId>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }

    // The chain from start; throws Corrupt on a sector out of range or a loop.
    Chain walk(SectorId start, const char* what) const;

    // A free sector (marked end of chain), appending one when none is free.
    SectorId allocate();
    void release(SectorId sector);
    // Grows or shrinks chain to count sectors and links it.
    void resize(Chain& chain, std::size_t count);
    void releaseAll(Chain& chain) { resize(chain, 0); }
    // Drops free entries at the end.
    void trimFreeTail();
    // Marks every sector of the given kind free.
    void releaseMarked(SectorId marker);

private:
    std::vector<SectorId> entries_;
    std::size_t freeHint_ = 0;
};

inline SectorId chainStart(const Chain& chain) { return chain.empty() ? kEndOfChain : chain.front(); }

}  // namespace poremi::cfb
