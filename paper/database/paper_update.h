#pragma once
// The release stamp a paper database carries: which paper data release it holds and when an
// update was last merged into it.

#include "document/stream/component.h"

namespace poremi {

class TPaperUpdate : public TComponent {
    POREMI_PERSISTENT(TPaperUpdate)
public:
    explicit TPaperUpdate(TComponent* owner = nullptr) : TComponent(owner) {}

    int pprNo() const { return pprNo_; }
    void setPprNo(int number) { pprNo_ = number; }
    // Days since 30 December 1899; 0 when never updated.
    double lastUpdate() const { return lastUpdate_; }
    void setLastUpdate(double value) { lastUpdate_ = value; }

private:
    int pprNo_ = 0;
    double lastUpdate_ = 0;
};

}  // namespace poremi
