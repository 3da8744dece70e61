#include "base/progress.h"

#include <algorithm>
#include <cstdint>

namespace poremi {

void PhasedProgress::beginPhase(int min, int max) { phases_.push_back({min, std::max(max, min), min}); }

void PhasedProgress::endPhase() {
    if (!phases_.empty()) phases_.pop_back();
}

void PhasedProgress::step() {
    if (phases_.empty()) return;
    ++phases_.back().position;
    if (listener_) listener_(overall());
}

int PhasedProgress::overall() const {
    std::int64_t share = kScale;
    std::int64_t sum = 0;
    for (const Phase& phase : phases_) {
        const std::int64_t b = std::int64_t(phase.max) - phase.min + 1;
        const std::int64_t d = std::clamp<std::int64_t>(std::int64_t(phase.position) - phase.min, 0, b);
        sum += share * d / b;
        share = share * (d + 1) / b - share * d / b;
    }
    return static_cast<int>(sum);
}

}  // namespace poremi
