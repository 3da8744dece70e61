#pragma once
// The 3 × 3 box blur, repeated, and the unsharp mask built on it.

#include "render/effects/effector.h"

namespace poremi {

// No run makes more passes than the picture editor offers; larger counts from streams are
// taken as this many.
constexpr int maxBlurPasses = 10;

// Each pass averages every pixel with its eight neighbours (edge rows and columns repeated)
// through the box-average table. A pass count of 1 or less makes one pass.
class TGREffectBlur : public TGREffector {
public:
    int passCount() const { return passCount_; }
    void setPassCount(int count) { passCount_ = count; }

protected:
    bool run(const QImage& source, const QRect& rect, QImage& destination) const override;

private:
    int passCount_ = 1;
};

// destination = clamp(2 × source − blurred, 0, 255) per channel, the blur making
// round(strength) passes (at most maxBlurPasses).
class TGREffectUnsharpMask : public TGREffector {
public:
    double strength() const { return strength_; }
    void setStrength(double strength) { strength_ = strength; }

protected:
    bool run(const QImage& source, const QRect& rect, QImage& destination) const override;

private:
    double strength_ = 1;
};

}  // namespace poremi
