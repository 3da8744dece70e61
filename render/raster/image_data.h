#pragma once
// The holder of a source picture with its filter chain and the processed picture built from
// them on demand. Any change of the picture, a filter or the transparent colour drops the
// processed picture and notifies the listeners once.

#include "document/stream/persistent.h"
#include "render/raster/change_notifier.h"
#include "render/raster/image_filters.h"
#include "render/raster/picture.h"
#include "render/raster/pixel_layout.h"

#include <memory>

namespace poremi {

class TImageData : public TPersistent {
    POREMI_PERSISTENT(TImageData)
public:
    static constexpr TColor noTransparentColor = 0x1FFFFFFF;

    TImageData();
    ~TImageData() override;

    TPicture& picture() { return picture_; }
    const TPicture& picture() const { return picture_; }
    TClipFilter& clipFilter() { return clipFilter_; }
    TBlurFilter& blurFilter() { return blurFilter_; }
    TLightFilter& lightFilter() { return lightFilter_; }
    TMonotoneFilter& monotoneFilter() { return monotoneFilter_; }
    const TClipFilter& clipFilter() const { return clipFilter_; }

    TColor transparentColor() const { return transparentColor_; }
    void setTransparentColor(TColor color);
    // A transparent colour is set and the source is a bitmap, PNG or JPEG picture.
    bool usesTransparency() const;

    bool isEmpty() const { return !picture_.hasGraphic() || picture_.graphic()->isEmpty(); }
    // Built when missing: clipped, made transparent, filtered. Null without a picture.
    const TGraphic* processedPicture() const;
    bool hasProcessedPicture() const { return processed_ != nullptr; }
    // Stretches the processed picture onto rect.
    void draw(QPainter& painter, const QRect& rect) const;

    ChangeNotifier& notifier() { return notifier_; }
    // Sent after the source picture's size changed (the clip rectangle was reset).
    std::function<void()> OnSizeChanged;

    void assign(const TPersistent& source) override;

private:
    void sourceChanged();
    void somethingChanged();

    TPicture picture_;
    TClipFilter clipFilter_;
    TBlurFilter blurFilter_;
    TLightFilter lightFilter_;
    TMonotoneFilter monotoneFilter_;
    TColor transparentColor_ = noTransparentColor;
    mutable std::unique_ptr<TGraphic> processed_;
    QSize lastSize_;
    ChangeNotifier notifier_;
};

}  // namespace poremi
