#include "objects/picture_back_image.h"

#include "document/stream/class_declaration.h"
#include "objects/picture_layer.h"
#include "objects/picture_size.h"
#include "render/effects/blenders.h"

#include <QtGui/QPainter>

namespace poremi {

namespace {

constexpr TColor white = 0xFFFFFF;

}  // namespace

const TClassInfo& TLOBackImage::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOBackImage, TLORectBase>("TLOBackImage", [](auto& c) {
        c.object("FillColor", qNonConstOverload<>(&TLOBackImage::fillColor));
        c.object("FrameColor", qNonConstOverload<>(&TLOBackImage::frameColor));
        c.integer("FrameWidth", &TLOBackImage::frameWidth, &TLOBackImage::setFrameWidth).defaultValue(0);
        c.object("BlendColor", qNonConstOverload<>(&TLOBackImage::blendColor));
        c.object("BlendPicture", qNonConstOverload<>(&TLOBackImage::blendPicture));
        c.object("Image", &TLOBackImage::legacyImage).notStored();
        c.boolean("EllipseClip", &TLOBackImage::legacyFlag, &TLOBackImage::ignoreFlag).notStored();
        c.boolean("CenterClip", &TLOBackImage::legacyFlag, &TLOBackImage::ignoreFlag).notStored();
        c.integer("CenterRadius", &TLOBackImage::legacyRadius, &TLOBackImage::ignoreRadius).notStored();
    });
    return info;
}

TLOBackImage::TLOBackImage(TComponent* owner) : TLORectBase(owner) {
    setLayerGroup(kBackgroundLayer);
    for (TColorSpec* fill : {&fillColor_, &frameColor_, &blendColor_}) fill->notifier().addListener([this] { changed(); });
    blendPicture_.notifier().addListener([this] { changed(); });
}

void TLOBackImage::setFrameWidth(int width) {
    if (width == frameWidth_) return;
    frameWidth_ = width;
    changed();
}

void TLOBackImage::setFaceInfo(const TFaceInfo& face) {
    if (face == faceInfo_) return;
    faceInfo_ = face;
    changed();
}

bool TLOBackImage::isDefaultBackground() const {
    return frameWidth_ == 0 && fillColor_.isPlainSolid() && colorToRgb(fillColor_.color()) == white &&
           !blendPicture_.hasGraphic();
}

void TLOBackImage::clearBackground() {
    ChangeBracket bracket(changeNotify());
    setFrameWidth(0);
    for (TColorSpec* fill : {&fillColor_, &frameColor_}) {
        fill->imageData().picture().clear();
        fill->setKind(TColorSpecKind::cskSolid);
    }
    fillColor_.setStyle(TBrushStyle::bsSolid);
    fillColor_.setColor(white);
    blendPicture_.clear();
}

void TLOBackImage::setExtent(int width, int height) { setRect({left(), top(), left() + width, top() + height}); }

void TLOBackImage::strokeOutline(QPainter& painter) { painter.drawRect(rect().toQRect()); }

void TLOBackImage::prepareForTool(const QString&, const DrawSite&) {
    fillColor_.setKind(TColorSpecKind::cskSolid);
    fillColor_.setColor(white);
    setEnabled(false);
    setSelectable(false);
}

void TLOBackImage::loaded() {
    TLORectBase::loaded();
    if (!legacyImage_.hasGraphic()) return;
    fillColor_.imageData().picture().assign(legacyImage_);
    fillColor_.setKind(TColorSpecKind::cskBitmap);
    legacyImage_.clear();
}

TFaceInfo TLOBackImage::placedFace() const {
    TFaceInfo face = faceInfo_;
    if (face.outerRect().isEmpty()) {
        face = TFaceInfo();
        face.faceRect = rect();
        return face;
    }
    const TRect outer = face.outerRect();
    face.setOuterRect(offsetRect(outer, left() - outer.left, top() - outer.top));
    return face;
}

TRect TLOBackImage::fillTarget() const {
    if (fillColor_.kind() != TColorSpecKind::cskBitmap || fillColor_.tile()) return rect();
    const QSize picture = clippedPictureSize(fillColor_.imageData());
    if (picture.isEmpty()) return rect();
    return fitRectCovering({0, 0, picture.width(), picture.height()}, rect());
}

void TLOBackImage::paint(QPainter& painter) {
    const TFaceInfo face = placedFace();
    const TRect target = fillTarget();
    painter.save();
    painter.setClipPath(face.clipPath(true), Qt::IntersectClip);
    if (frameWidth_ > 0) {
        frameColor_.paint(painter, rect().toQRect());
        TFaceInfo inner = face;
        inner.faceMargin -= frameWidth_;
        painter.setClipPath(inner.clipPath(true), Qt::IntersectClip);
    }
    if (blendPicture_.hasGraphic())
        paintBlendPicture(painter, target);
    else
        fillColor_.paint(painter, target.toQRect());
    painter.restore();

    if (face.hasCutCenter()) {
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        face.drawCutCenter(painter);
        painter.restore();
    }
}

void TLOBackImage::paintBlendPicture(QPainter& painter, const TRect& target) const {
    const DeviceLayer layer(painter, target);
    if (layer.isEmpty()) return;
    QImage fill = layer.newImage(QImage::Format_RGB32, Qt::white);
    QImage blend = layer.newImage(QImage::Format_RGB32, Qt::white);
    QImage mask = layer.newImage(QImage::Format_RGB32, Qt::black);
    {
        QPainter onFill(&fill);
        layer.prepare(onFill);
        fillColor_.paint(onFill, target.toQRect());
        QPainter onBlend(&blend);
        layer.prepare(onBlend);
        blendColor_.paint(onBlend, target.toQRect());
        QPainter onMask(&mask);
        layer.prepare(onMask);
        onMask.setRenderHint(QPainter::SmoothPixmapTransform);
        onMask.drawImage(target.toQRectF(), blendPicture_.image());
    }
    const TRect whole{0, 0, fill.width(), fill.height()};
    TGRBlendAlphaMapRatio blender;
    blender.setRatio(blendRatio());
    blender.setDestinationRect(whole);
    blender.setSource(blend, whole);
    blender.setMask(greyOf(mask), whole);
    blender.execute(fill);
    layer.draw(painter, fill);
}

}  // namespace poremi
