#pragma once
// The distortion of a text object as its stream holds it: the patch as the binary "Data",
// always written.

#include "document/stream/persistent.h"
#include "render/distortion/coons_distortion.h"

#include <functional>

namespace poremi {

class TTextDistortion : public TPersistent {
    POREMI_PERSISTENT(TTextDistortion)
public:
    TTextDistortion() = default;

    // Points read from a stream lie within this many squares of the unit square's origin, so
    // that mapping them onto a label stays within integer coordinates.
    static constexpr double kMaxCoordinate = 16;

    const TCoonsDistortion& distortion() const { return distortion_; }
    // Copies the points, flags and identifier.
    void setDistortion(const TCoonsDistortion& distortion);
    // Removes every point: the text is drawn undistorted.
    void clear();

    // Fired after every change, a read from a stream included.
    std::function<void()> OnChange;

    void defineProperties(TFiler& filer) override;
    void assign(const TPersistent& source) override;

private:
    void boundPoints();
    void changed();

    TCoonsDistortion distortion_;
};

}  // namespace poremi
