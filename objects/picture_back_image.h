#pragma once
// The background of a face: a fill that covers the face without distortion, optionally a
// band of another fill along the face's outline and a second fill mixed in through a grey
// blend picture, all clipped to the face's shape; the centre hole stays white.

#include "document/model/rect_object.h"
#include "paper/face_info.h"
#include "render/raster/fill_color.h"
#include "render/raster/picture_ex.h"

namespace poremi {

class TLOBackImage : public TLORectBase, public IDOFaceBackground, public IDOFaceInfo {
    POREMI_PERSISTENT(TLOBackImage)
public:
    // In the layer group of backgrounds, BlendRatio 100, no frame.
    explicit TLOBackImage(TComponent* owner = nullptr);

    // Published: FillColor, FrameColor, FrameWidth, BlendColor, BlendPicture (BlendRatio is
    // the inherited one: the strength of the blend).
    TColorSpec& fillColor() { return fillColor_; }
    const TColorSpec& fillColor() const { return fillColor_; }
    TColorSpec& frameColor() { return frameColor_; }
    const TColorSpec& frameColor() const { return frameColor_; }
    int frameWidth() const { return frameWidth_; }
    void setFrameWidth(int width);
    TColorSpec& blendColor() { return blendColor_; }
    const TColorSpec& blendColor() const { return blendColor_; }
    TPictureEx& blendPicture() { return blendPicture_; }
    const TPictureEx& blendPicture() const { return blendPicture_; }
    // The never-written "Image" of older documents: read, it becomes a picture fill.
    TPicture& legacyImage() { return legacyImage_; }
    // "EllipseClip", "CenterClip", "CenterRadius" of older documents: read and ignored.
    bool legacyFlag() const { return false; }
    void ignoreFlag(bool) {}
    int legacyRadius() const { return 0; }
    void ignoreRadius(int) {}

    // The face the background lies on; without one the background is a plain rectangle.
    const TFaceInfo& faceInfo() const override { return faceInfo_; }
    void setFaceInfo(const TFaceInfo& face) override;

    // No frame, a solid white fill and no blend picture.
    bool isDefaultBackground() const override;
    // Makes the background blank: the default state, the pictures of both fills removed.
    void clearBackground();
    void setWidth(int width) override { TLORectBase::setWidth(width); }
    void setHeight(int height) override { TLORectBase::setHeight(height); }

    // Never hit: the background is not picked on the label.
    bool hitTest(QPoint) const override { return false; }
    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;
    // A white fill over the face, disabled and not selectable.
    void prepareForTool(const QString& toolName, const DrawSite& site) override;

    void loaded() override;

protected:
    void paint(QPainter& painter) override;

private:
    // The face moved onto the object: its printable area starts at the object's top-left.
    TFaceInfo placedFace() const;
    // Where the fill goes: a picture that is not tiled covers the rectangle keeping its shape.
    TRect fillTarget() const;
    // The fill with the blend colour mixed in through the blend picture by BlendRatio,
    // composed in device pixels.
    void paintBlendPicture(QPainter& painter, const TRect& target) const;

    TColorSpec fillColor_;
    TColorSpec frameColor_;
    int frameWidth_ = 0;
    TColorSpec blendColor_;
    TPictureEx blendPicture_;
    TPicture legacyImage_;
    TFaceInfo faceInfo_;
};

}  // namespace poremi
