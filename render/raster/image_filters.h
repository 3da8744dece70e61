#pragma once
// The persistent filters of a picture holder, applied in the order clip, blur, monotone tone,
// light. The clip filter cuts the picture here; the pixel effects of the others live in the
// image effects library above this one, which installs them through installFilterEffectRunner
// (until then every effect filter is neutral: a copy).

#include "document/stream/persistent.h"
#include "render/geometry/rect.h"
#include "render/raster/change_notifier.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QImage>

#include <cstdint>

namespace poremi {

class TPicture;

class TImageFilter : public TPersistent {
    POREMI_PERSISTENT(TImageFilter)
public:
    virtual bool canApply(const TPicture& picture) const;
    virtual bool isActive(const TPicture& picture) const;
    // The processed pixels of source (24- or 32-bit).
    virtual QImage apply(const QImage& source) const { return source; }
    ChangeNotifier& notifier() { return notifier_; }

protected:
    ChangeNotifier notifier_;
};

class TClipFilter : public TImageFilter {
    POREMI_PERSISTENT(TClipFilter)
public:
    const TRect& clipRect() const { return clipRect_; }
    void setClipRect(const TRect& rect);
    // Set by the picture holder before applying: what the area outside the picture becomes.
    void setFillColor(std::uint32_t color) { fillColor_ = color; }
    void setTransparentMode(bool on) { transparentMode_ = on; }

    bool canApply(const TPicture&) const override { return true; }
    bool isActive(const TPicture& picture) const override;
    // The cut rectangle (the whole picture when the clip is empty), unscaled; parts outside
    // the picture take the fill colour. A cut too large for a bitmap gives a null image.
    QImage apply(const QImage& source) const override { return cut(source, fillColor_, transparentMode_); }
    QImage cut(const QImage& source, std::uint32_t fillColor, bool transparentMode) const;

    // "ClipRect": a list of Left, Top, Right, Bottom, written only when not empty.
    void defineProperties(TFiler& filer) override;
    void assign(const TPersistent& source) override;

private:
    TRect clipRect_;
    std::uint32_t fillColor_ = 0xFFFFFF;
    bool transparentMode_ = false;
};

class TGREFilter;

// Runs the pixel effect of an effect filter on a 24-bit bitmap and returns the result, or a
// null image when the filter's values make it neutral.
using FilterEffectRunner = QImage (*)(const TGREFilter& filter, const QImage& source);
void installFilterEffectRunner(FilterEffectRunner runner);

class TGREFilter : public TImageFilter {
    POREMI_PERSISTENT(TGREFilter)
public:
    // A 24-bit copy of source run through the filter's effect; source itself when neutral.
    QImage apply(const QImage& source) const override;
};

class TBlurFilter : public TGREFilter {
    POREMI_PERSISTENT(TBlurFilter)
public:
    int blurCount() const { return blurCount_; }
    void setBlurCount(int count);
    bool isActive(const TPicture&) const override { return blurCount_ != 0; }
    void assign(const TPersistent& source) override;

private:
    int blurCount_ = 0;
};

class TLightFilter : public TGREFilter {
    POREMI_PERSISTENT(TLightFilter)
public:
    int brightness() const { return brightness_; }
    void setBrightness(int value);
    int contrast() const { return contrast_; }
    void setContrast(int value);
    bool isActive(const TPicture&) const override { return brightness_ != 0 || contrast_ != 0; }
    void assign(const TPersistent& source) override;

private:
    int brightness_ = 0;
    int contrast_ = 0;
};

class TMonotoneFilter : public TGREFilter {
    POREMI_PERSISTENT(TMonotoneFilter)
public:
    static constexpr TColor noColor = 0x1FFFFFFF;
    TColor refColor() const { return refColor_; }
    void setRefColor(TColor color);
    bool isActive(const TPicture&) const override { return refColor_ != noColor; }
    void assign(const TPersistent& source) override;

private:
    TColor refColor_ = noColor;
};

}  // namespace poremi
