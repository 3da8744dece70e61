#pragma once
// The table-driven tone effectors: one colour in all lightnesses, and brightness with contrast.

#include "render/effects/effector.h"
#include "render/raster/pixel_layout.h"

#include <array>
#include <cstdint>

namespace poremi {

// Every pixel takes the reference colour's hue and saturation at the pixel's luminance
// Y = (29 × blue + 150 × green + 77 × red) shr 8. White gives grey, a brown gives sepia.
class TGREffectMonoTone : public TGREffector {
public:
    TColor refColor() const { return refColor_; }
    void setRefColor(TColor color) { refColor_ = color; }

    // Entry Y: the colour (0x00BBGGRR) of lightness Y / 255 in the reference colour's hue.
    std::array<std::uint32_t, 256> toneTable() const;

protected:
    bool run(const QImage& source, const QRect& rect, QImage& destination) const override;

private:
    TColor refColor_ = 0;
};

// Brightness and contrast in percent (each taken within −100..100), one table for all three
// channels.
class TGREffectBrightnessContrast : public TGREffector {
public:
    int brightness() const { return brightness_; }
    void setBrightness(int percent) { brightness_ = percent; }
    int contrast() const { return contrast_; }
    void setContrast(int percent) { contrast_ = percent; }

    std::array<std::uint8_t, 256> lightTable() const;

protected:
    bool run(const QImage& source, const QRect& rect, QImage& destination) const override;

private:
    int brightness_ = 0;
    int contrast_ = 0;
};

}  // namespace poremi
