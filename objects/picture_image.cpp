#include "objects/picture_image.h"

#include "document/stream/class_declaration.h"
#include "objects/picture_layer.h"
#include "objects/picture_size.h"
#include "objects/picture_turned_rect.h"
#include "render/effects/quadrilateral_mapping.h"
#include "render/geometry/transformer.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QPainter>

namespace poremi {

const TClassInfo& TLOImage::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOImage, TLORectBase>("TLOImage", [](auto& c) {
        c.object("ImageData", qNonConstOverload<>(&TLOImage::imageData));
        c.object("FramePicture", qNonConstOverload<>(&TLOImage::framePicture));
        c.boolean("AlphaFrame", &TLOImage::alphaFrame, &TLOImage::setAlphaFrame).defaultValue(false);
        c.integer("Angle", &TLOImage::angle, &TLOImage::setAngle);
        c.enumeration("ImageSource", &TLOImage::imageSource, &TLOImage::setImageSource,
                      {QStringLiteral("isFile"), QStringLiteral("isOnePoint"), QStringLiteral("isTwain"),
                       QStringLiteral("isPlugin")});
        c.object("Picture", &TLOImage::legacyPicture).notStored();
    });
    return info;
}

TLOImage::TLOImage(TComponent* owner) : Blendable<TLORectBase>(owner) {
    imageData_.notifier().addListener([this] { pictureChanged(); });
    framePicture_.notifier().addListener([this] { pictureChanged(); });
}

void TLOImage::pictureChanged() {
    rendering_.reset();
    changed();
}

void TLOImage::setAlphaFrame(bool on) {
    if (on == alphaFrame_) return;
    alphaFrame_ = on;
    pictureChanged();
}

void TLOImage::setAngle(int angle) {
    if (angle == angle_) return;
    angle_ = angle;
    rendering_.reset();
    updateControlBounds();
    changed();
}

void TLOImage::setImageSource(TImageSource source) {
    if (source == imageSource_) return;
    imageSource_ = source;
    changed();
}

void TLOImage::sizeFromPicture() {
    const QSize pixels = clippedPictureSize(imageData_);
    if (pixels.isEmpty()) return;
    const QSize size = pictureExtent(naturalPictureSize(pixels), rect(), site() != nullptr);
    setRect({left(), top(), left() + size.width(), top() + size.height()});
}

TRect TLOImage::getBounds() const { return turnedRectBounds(rect(), angle_); }

bool TLOImage::hitTest(QPoint point) const { return turnedRectContains(rect(), angle_, point); }

void TLOImage::setExtent(int width, int height) {
    const QSize size = turnedRectExtent(rect(), angle_, width, height);
    setRect({left(), top(), left() + size.width(), top() + size.height()});
}

void TLOImage::strokeOutline(QPainter& painter) { painter.drawPolygon(turnedRectOutline(rect(), angle_)); }

void TLOImage::setRect(const TRect& rect) {
    const TRect before = this->rect();
    TLORectBase::setRect(rect);
    const TRect& after = this->rect();
    if (rectWidth(after) != rectWidth(before) || rectHeight(after) != rectHeight(before)) rendering_.reset();
}

bool TLOImage::needsBlending() const {
    return !imageData_.isEmpty() &&
           (blendRatio() != 100 || blendShade() || (framePicture_.hasGraphic() && alphaFrame_));
}

void TLOImage::loaded() {
    TLORectBase::loaded();
    if (!legacyPicture_.hasGraphic()) return;
    imageData_.picture().assign(legacyPicture_);
    legacyPicture_.clear();
    if (imageSource_ == TImageSource::isOnePoint) imageData_.setTransparentColor(TColor(colorRefFromQRgb(frameWindowColor)));
}

bool TLOImage::isPlain() const { return angle_ % 360 == 0 && !framePicture_.hasGraphic(); }

void TLOImage::paint(QPainter& painter) {
    if (imageData_.isEmpty()) return;
    if (isPlain()) {
        imageData_.draw(painter, rect().toQRect());
        return;
    }
    if (const Rendering* drawn = rendering()) painter.drawImage(getBounds().toQRectF(), drawn->painted);
}

void TLOImage::drawMask(QPainter& painter) const {
    if (imageData_.isEmpty()) return;
    if (isPlain() && !imageData_.usesTransparency()) {
        painter.fillRect(rect().toQRectF(), Qt::white);
        return;
    }
    if (const Rendering* drawn = rendering()) painter.drawImage(getBounds().toQRectF(), drawn->coverage);
}

namespace {

// The frame picture stretched pixel for pixel (no smoothing, so that its key colours stay).
QImage stretchedFrame(const QImage& frame, QSize size) {
    QImage stretched = allocateImage(size.width(), size.height(), QImage::Format_RGB32);
    QPainter painter(&stretched);
    painter.drawImage(QRect(QPoint(0, 0), size), frame);
    return stretched;
}

// Where the picture goes when turned: a rectangle of the object's aspect ratio fitted inside
// the picture, turned about its top-left corner.
Quadrilateral turnedCorners(QSize picture, const TRect& object, int angle) {
    const TRect fitted = fitRectInside({0, 0, std::max(1, rectWidth(object)), std::max(1, rectHeight(object))},
                                       {0, 0, picture.width(), picture.height()});
    const int w = rectWidth(fitted), h = rectHeight(fitted);
    const TRotator rotator(angle, {0, 0});
    return {rotator.transformPoint({0, 0}), rotator.transformPoint({w, 0}), rotator.transformPoint({w, h}),
            rotator.transformPoint({0, h})};
}

}  // namespace

const TLOImage::Rendering* TLOImage::rendering() const {
    if (rendering_) return &*rendering_;
    const TGraphic* processed = imageData_.processedPicture();
    if (!processed) return nullptr;
    const QImage pixels = processed->paintedImage();
    if (pixels.isNull()) return nullptr;  // metafiles are not drawn yet
    // Alpha is the coverage: 0 where the picture's transparent colour was.
    QImage image = convertImage(pixels, QImage::Format_ARGB32);
    const QSize size = image.size();

    QImage frameCoverage;
    const QImage frame = framePicture_.image();
    if (!frame.isNull()) {
        const QImage stretched = stretchedFrame(frame, size);
        if (alphaFrame_) {
            frameCoverage = greyOf(stretched);
        } else {
            for (int y = 0; y < size.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
                const auto* over = reinterpret_cast<const QRgb*>(stretched.constScanLine(y));
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb f = over[x] | 0xFF000000u;
                    if (f == frameWindowColor) continue;  // the image and its own mask show
                    row[x] = f == frameCutColor ? qRgba(255, 255, 255, 0) : f;
                }
            }
        }
    }
    if (angle_ % 360 != 0) {
        const Quadrilateral corners = turnedCorners(size, rect(), angle_);
        image = mapOntoQuadrilateral(image, corners, QColor(255, 255, 255, 0)).image;
        if (!frameCoverage.isNull()) frameCoverage = mapOntoQuadrilateral(frameCoverage, corners, Qt::white).image;
        if (image.isNull()) return nullptr;
    }

    Rendering made;
    made.coverage = allocateImage(image.width(), image.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* cover = made.coverage.scanLine(y);
        const uchar* frameRow = frameCoverage.isNull() ? nullptr : frameCoverage.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            // Covered or not; the frame's dark parts then cut the image away.
            const uchar covered = qAlpha(row[x]) >= 128 ? 255 : 0;
            cover[x] = frameRow ? covered & frameRow[x] : covered;
        }
    }
    made.painted = convertImage(image, QImage::Format_ARGB32_Premultiplied);
    applyCoverage(made.painted, made.coverage);
    rendering_ = std::move(made);
    return &*rendering_;
}

}  // namespace poremi
