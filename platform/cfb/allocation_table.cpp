#include "platform/cfb/allocation_table.h"

#include "platform/cfb/compound_file_error.h"

namespace poremi::cfb {

Chain AllocationTable::walk(SectorId start, const char* what) const {
    Chain chain;
    for (SectorId sector = start; sector != kEndOfChain; sector = entries_[sector]) {
        // A chain longer than the table must loop.
        if (sector >= entries_.size() || chain.size() >= entries_.size()) {
            throwError(ErrorCode::Corrupt, QStringLiteral("%1 chain").arg(QLatin1String(what)));
        }
        chain.push_back(sector);
    }
    return chain;
}

SectorId AllocationTable::allocate() {
    while (freeHint_ < entries_.size() && entries_[freeHint_] != kFreeSector) ++freeHint_;
    if (freeHint_ == entries_.size()) {
        if (entries_.size() >= kMaxRegularSector) throwError(ErrorCode::TooLarge, QStringLiteral("sectors"));
        entries_.push_back(kFreeSector);
    }
    const auto sector = SectorId(freeHint_++);
    entries_[sector] = kEndOfChain;
    return sector;
}

void AllocationTable::release(SectorId sector) {
    entries_[sector] = kFreeSector;
    if (sector < freeHint_) freeHint_ = sector;
}

void AllocationTable::resize(Chain& chain, std::size_t count) {
    while (chain.size() > count) {
        release(chain.back());
        chain.pop_back();
    }
    if (!chain.empty()) entries_[chain.back()] = kEndOfChain;
    chain.reserve(count);
    while (chain.size() < count) {
        const SectorId sector = allocate();
        if (!chain.empty()) entries_[chain.back()] = sector;
        chain.push_back(sector);
    }
}

void AllocationTable::trimFreeTail() {
    while (!entries_.empty() && entries_.back() == kFreeSector) entries_.pop_back();
    if (freeHint_ > entries_.size()) freeHint_ = entries_.size();
}

void AllocationTable::releaseMarked(SectorId marker) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i] == marker) release(SectorId(i));
    }
}

}  // namespace poremi::cfb
