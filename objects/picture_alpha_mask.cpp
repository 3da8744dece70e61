#include "objects/picture_alpha_mask.h"

#include "document/stream/class_declaration.h"
#include "objects/picture_layer.h"
#include "objects/picture_size.h"
#include "objects/picture_turned_rect.h"
#include "render/effects/quadrilateral_mapping.h"
#include "render/raster/blur.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QPainter>

namespace poremi {

const TClassInfo& TLOAlphaMask::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOAlphaMask, TLORectBase>("TLOAlphaMask", [](auto& c) {
        c.integer("Angle", &TLOAlphaMask::angle, &TLOAlphaMask::setAngle).defaultValue(0);
        c.object("FillColor", qNonConstOverload<>(&TLOAlphaMask::fillColor));
        c.object("Picture", qNonConstOverload<>(&TLOAlphaMask::picture));
        c.integer("ShadeSize", &TLOAlphaMask::shadeSize, &TLOAlphaMask::setShadeSize).defaultValue(0);
    });
    return info;
}

TLOAlphaMask::TLOAlphaMask(TComponent* owner) : Blendable<TLORectBase>(owner) {
    fillColor_.notifier().addListener([this] { changed(); });
    picture_.notifier().addListener([this] { maskChanged(); });
}

void TLOAlphaMask::maskChanged() {
    mask_.reset();
    changed();
}

void TLOAlphaMask::setAngle(int angle) {
    if (angle == angle_) return;
    angle_ = angle;
    mask_.reset();
    updateControlBounds();
    changed();
}

void TLOAlphaMask::setShadeSize(int size) {
    if (size == shadeSize_) return;
    shadeSize_ = size;
    maskChanged();
}

void TLOAlphaMask::sizeFromPicture() {
    QSize size(300, 200);
    if (picture_.hasGraphic() && !picture_.graphic()->isEmpty())
        size = pictureExtent(naturalPictureSize(picture_.graphic()->size()), rect(), site() != nullptr);
    setRect({left(), top(), left() + size.width(), top() + size.height()});
}

TRect TLOAlphaMask::getBounds() const { return turnedRectBounds(rect(), angle_); }

bool TLOAlphaMask::hitTest(QPoint point) const { return turnedRectContains(rect(), angle_, point); }

void TLOAlphaMask::setExtent(int width, int height) {
    const QSize size = turnedRectExtent(rect(), angle_, width, height);
    setRect({left(), top(), left() + size.width(), top() + size.height()});
}

void TLOAlphaMask::strokeOutline(QPainter& painter) { painter.drawPolygon(turnedRectOutline(rect(), angle_)); }

void TLOAlphaMask::setRect(const TRect& rect) {
    const TRect before = this->rect();
    TLORectBase::setRect(rect);
    // A turned mask is mapped onto the object's size.
    if (angle_ % 360 != 0 && (rectWidth(before) != width() || rectHeight(before) != height())) mask_.reset();
}

bool TLOAlphaMask::needsBlending() const { return blendRatio() != 100 || picture_.hasGraphic() || blendShade(); }

QImage TLOAlphaMask::mask() const {
    if (mask_) return *mask_;
    mask_ = QImage();
    const QImage source = picture_.image();
    if (source.isNull()) return *mask_;
    // Sizes from a stream go through the picture budget: too large paints nothing.
    const std::int64_t border = std::max(0, shadeSize_);
    const std::int64_t maskWidth = source.width() + 2 * border, maskHeight = source.height() + 2 * border;
    if (!isAcceptablePictureSize(maskWidth, maskHeight, 8)) return *mask_;
    QImage grey = allocateImage(int(maskWidth), int(maskHeight), QImage::Format_Grayscale8);
    grey.fill(0);
    {
        QPainter painter(&grey);
        painter.drawImage(QPoint(int(border), int(border)), greyOf(source));
    }
    if (border > 0) blurBitmap(grey, grey.rect(), double(border), double(border));
    if (angle_ % 360 != 0) {
        const TRect size{0, 0, std::max(1, width()), std::max(1, height())};
        const QPolygon turned = turnedRectOutline(size, angle_);
        grey = mapOntoQuadrilateral(grey, {turned[0], turned[1], turned[2], turned[3]}, Qt::black).image;
    }
    mask_ = grey;
    return *mask_;
}

void TLOAlphaMask::drawMask(QPainter& painter) const {
    const QImage coverage = mask();
    if (coverage.isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(getBounds().toQRectF(), coverage);
    painter.restore();
}

void TLOAlphaMask::paint(QPainter& painter) {
    // Without a mask nothing shows.
    if (mask().isNull()) return;
    const TRect bounds = getBounds();
    const DeviceLayer layer(painter, bounds);
    if (layer.isEmpty()) return;
    QImage colour = layer.newImage(QImage::Format_ARGB32_Premultiplied, Qt::transparent);
    QImage coverage = layer.newImage(QImage::Format_RGB32, Qt::black);
    {
        QPainter onColour(&colour);
        layer.prepare(onColour);
        fillColor_.paint(onColour, bounds.toQRect());
        QPainter onCoverage(&coverage);
        layer.prepare(onCoverage);
        drawMask(onCoverage);
    }
    applyCoverage(colour, greyOf(coverage));
    layer.draw(painter, colour);
}

}  // namespace poremi
