#pragma once
// Blenders mix a source bitmap into a destination bitmap through an 8-bit alpha mask
// (0 transparent .. 255 opaque): d = d + (α × (s − d)) / 255 truncated toward zero, per blue,
// green and red byte. Source and destination share one effect format (see effector.h).

#include "render/geometry/rect.h"

#include <QtGui/QImage>

#include <array>
#include <cstdint>

namespace poremi {

class TGRBlender {
public:
    virtual ~TGRBlender() = default;

    void setDestinationRect(const TRect& rect) { destinationRect_ = rect; }
    void setSource(const QImage& source, const TRect& rect);
    void setMask(const QImage& mask, const TRect& rect);

    // Source and destination of the same effect format, an 8-bit mask.
    virtual bool formatsValid(const QImage& destination) const;
    // Blends into destination; changes nothing when the formats are not valid, the mask
    // rectangle reaches outside the mask, a rectangle differs in size from the destination
    // rectangle, or nothing of it lies on all three bitmaps.
    void execute(QImage& destination) const;

protected:
    // The alpha of each mask byte.
    virtual std::array<std::uint8_t, 256> alphaTable() const = 0;

private:
    TRect destinationRect_;
    QImage source_;
    TRect sourceRect_;
    QImage mask_;
    TRect maskRect_;
};

// α is the mask byte.
class TGRBlendAlphaMap : public TGRBlender {
protected:
    std::array<std::uint8_t, 256> alphaTable() const override;
};

// α is the mask byte scaled by the ratio (percent, taken within 0..100): min(255,
// MulDiv(mask, ratio, 100)).
class TGRBlendAlphaMapRatio : public TGRBlender {
public:
    int ratio() const { return ratio_; }
    void setRatio(int percent) { ratio_ = percent; }

protected:
    std::array<std::uint8_t, 256> alphaTable() const override;

private:
    int ratio_ = 100;
};

}  // namespace poremi
