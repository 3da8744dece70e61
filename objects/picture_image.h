#pragma once
// A picture on a label: the photo or illustration of a TImageData, turned about the centre of
// its rectangle, with an optional frame picture drawn over it or used as its shape.

#include "document/model/label_object.h"
#include "document/model/property_interfaces.h"
#include "document/model/rect_object.h"
#include "render/raster/image_data.h"

#include <optional>

namespace poremi {

enum class TImageSource { isFile, isOnePoint, isTwain, isPlugin };

class TLOImage : public Blendable<TLORectBase>, public IDOAngle {
    POREMI_PERSISTENT(TLOImage)
public:
    // The frame colour where the image shows through, and the one that cuts the image away.
    static constexpr QRgb frameWindowColor = 0xFFF0F0F0;
    static constexpr QRgb frameCutColor = 0xFF907060;

    explicit TLOImage(TComponent* owner = nullptr);

    // Published: ImageData, FramePicture, AlphaFrame, Angle, ImageSource; every change redraws.
    TImageData& imageData() { return imageData_; }
    const TImageData& imageData() const { return imageData_; }
    void setImageData(const TImageData& data) { imageData_.assign(data); }
    TPicture& framePicture() { return framePicture_; }
    const TPicture& framePicture() const { return framePicture_; }
    void setFramePicture(const TPicture& picture) { framePicture_.assign(picture); }
    bool alphaFrame() const { return alphaFrame_; }
    void setAlphaFrame(bool on);
    int angle() const override { return angle_; }
    void setAngle(int angle) override;
    TImageSource imageSource() const { return imageSource_; }
    void setImageSource(TImageSource source);
    // The never-written "Picture" of older documents; read, it becomes ImageData's picture.
    TPicture& legacyPicture() { return legacyPicture_; }

    // Width and height from the picture's pixels (on a site fitted to the current rectangle).
    void sizeFromPicture();

    TRect getBounds() const override;
    bool hitTest(QPoint point) const override;
    void setExtent(int width, int height) override;
    bool keepAspect() const override { return true; }
    void strokeOutline(QPainter& painter) override;
    void setRect(const TRect& rect) override;
    bool needsBlending() const override;
    // The coverage in white on a black canvas, the painter in document units.
    void drawMask(QPainter& painter) const;

    void loaded() override;

protected:
    void paint(QPainter& painter) override;

private:
    // The picture as drawn when turned or framed, with its coverage.
    struct Rendering {
        QImage painted;   // premultiplied 32-bit, transparent where not covered
        QImage coverage;  // 8-bit grey, 255 covered
    };
    const Rendering* rendering() const;
    bool isPlain() const;
    void pictureChanged();

    TImageData imageData_;
    TPicture framePicture_;
    TPicture legacyPicture_;
    bool alphaFrame_ = false;
    int angle_ = 0;
    TImageSource imageSource_ = TImageSource::isFile;
    mutable std::optional<Rendering> rendering_;
};

}  // namespace poremi
