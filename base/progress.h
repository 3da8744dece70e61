#pragma once
// Progress of nested phases reported on one 0..10000 scale (printing uses it).

#include <functional>
#include <vector>

namespace poremi {

class PhasedProgress {
public:
    static constexpr int kScale = 10000;
    using Listener = std::function<void(int overall)>;

    void setListener(Listener listener) { listener_ = std::move(listener); }

    // Pushes a phase covering min..max (max is raised to min when smaller).
    void beginPhase(int min, int max);
    void endPhase();
    // Advances the innermost phase by one and reports.
    void step();

    int overall() const;
    int depth() const { return static_cast<int>(phases_.size()); }

private:
    struct Phase {
        int min;
        int max;
        int position;
    };
    std::vector<Phase> phases_;
    Listener listener_;
};

}  // namespace poremi
