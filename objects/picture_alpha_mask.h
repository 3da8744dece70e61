#pragma once
// A colour mark: a fill painted through a grey mask picture (black transparent, white
// opaque) whose edges fade over ShadeSize mask pixels, turned about the centre of its
// rectangle.

#include "document/model/label_object.h"
#include "document/model/property_interfaces.h"
#include "document/model/rect_object.h"
#include "render/raster/fill_color.h"
#include "render/raster/picture.h"

#include <optional>

namespace poremi {

class TLOAlphaMask : public Blendable<TLORectBase>, public IDOAngle, public IDOFillColor {
    POREMI_PERSISTENT(TLOAlphaMask)
public:
    explicit TLOAlphaMask(TComponent* owner = nullptr);

    // Published: Angle, FillColor, Picture, ShadeSize; every change redraws.
    int angle() const override { return angle_; }
    void setAngle(int angle) override;
    TColorSpec& fillColor() { return fillColor_; }
    const TColorSpec& fillColor() const override { return fillColor_; }
    void setFillColor(const TColorSpec& fill) override { fillColor_.assign(fill); }
    // A colour mark is always filled.
    bool fillInside() const override { return true; }
    void setFillInside(bool) override {}
    TPicture& picture() { return picture_; }
    const TPicture& picture() const { return picture_; }
    void setPicture(const TPicture& picture) { picture_.assign(picture); }
    int shadeSize() const { return shadeSize_; }
    void setShadeSize(int size);

    // Width and height from the mask picture's pixels (on a site fitted to the current
    // rectangle); 300 × 200 without a picture.
    void sizeFromPicture();

    TRect getBounds() const override;
    bool hitTest(QPoint point) const override;
    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;
    void setRect(const TRect& rect) override;
    bool needsBlending() const override;
    // The coverage in white on a black canvas, the painter in document units: the mask
    // stretched into the bounds; nothing without a picture.
    void drawMask(QPainter& painter) const;
    // The 8-bit mask before it is stretched: the picture with a black border of ShadeSize,
    // blurred by ShadeSize, turned. Null without a picture, or when it would not fit the
    // picture budget.
    QImage mask() const;

protected:
    void paint(QPainter& painter) override;

private:
    void maskChanged();

    int angle_ = 0;
    TColorSpec fillColor_;
    TPicture picture_;
    int shadeSize_ = 0;
    mutable std::optional<QImage> mask_;
};

}  // namespace poremi
