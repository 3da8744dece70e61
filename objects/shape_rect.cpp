#include "objects/shape_rect.h"

#include "base/arithmetic.h"
#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_reader.h"
#include "objects/shape_paint.h"
#include "render/geometry/transformer.h"

#include <QtGui/QPainter>
#include <QtGui/QPolygon>
#include <algorithm>

namespace poremi {
namespace {

int saturated(qint64 value) { return int(std::clamp<qint64>(value, INT32_MIN, INT32_MAX)); }

bool isTurned(int angle) { return angle % 360 != 0; }

}  // namespace

const TClassInfo& TLORect::staticClassInfo() {
    static const TClassInfo info = describeClass<TLORect, TLORectBase>("TLORect", [](auto& c) {
        c.integer("FrameWidth", &TLORect::frameWidth, &TLORect::setFrameWidth);
        c.object("FrameColor", &TLORect::frameColorObject);
        c.object("FillColor", &TLORect::fillColorObject);
        c.boolean("FillInside", &TLORect::fillInside, &TLORect::setFillInside);
        c.integer("Angle", &TLORect::angle, &TLORect::setAngle);
        c.boolean("RoundRect", &TLORect::roundRect, &TLORect::setRoundRect);
    });
    return info;
}

TLORect::TLORect(TComponent* owner) : Blendable<TLORectBase>(owner) {
    listener().listenTo(frameColor_.notifier());
    listener().listenTo(fillColor_.notifier());
}

void TLORect::setFrameWidth(int width) {
    width = std::max(width, 0);
    if (width == frameWidth_) return;
    frameWidth_ = width;
    updateControlBounds();
    changed();
}

void TLORect::setFillInside(bool fillInside) {
    if (fillInside == fillInside_) return;
    fillInside_ = fillInside;
    changed();
}

void TLORect::setAngle(int angle) {
    if (angle == angle_) return;
    angle_ = angle;
    outlineChanged();
}

void TLORect::setRoundRect(bool roundRect) {
    if (roundRect == roundRect_) return;
    roundRect_ = roundRect;
    outlineChanged();
}

void TLORect::outlineChanged() {
    outline_.reset();
    updateControlBounds();
    changed();
}

void TLORect::prepareForTool(const QString& toolName, const DrawSite& site) {
    Blendable<TLORectBase>::prepareForTool(toolName, site);
    if (rectWidth(rect()) == 0 && rectHeight(rect()) == 0) setRect({0, 0, 300, 200});
}

void TLORect::setRect(const TRect& rect) {
    // Before the base announces the change, so that its receivers see the new outline.
    outline_.reset();
    TLORectBase::setRect(rect);
}

int TLORect::cornerDiameter() const { return std::min(width(), height()) / 3; }

void TLORect::buildOutline(TStroke& stroke, const TRect& rect, int diameter) const {
    if (roundRect_)
        stroke.setRoundRect(rect, diameter);
    else
        stroke.setRectangle(rect);
}

TStroke TLORect::turnedOutline(const TRect& rect, int diameter) const {
    TStroke stroke;
    buildOutline(stroke, rect, diameter);
    if (isTurned(angle_)) TRotator(angle_, rectCenter(this->rect())).transformStroke(stroke);
    return stroke;
}

const TStroke& TLORect::outline() const {
    if (!outline_) outline_ = turnedOutline(rect(), cornerDiameter());
    return *outline_;
}

TRect TLORect::outerRect(int penWidth) const {
    const TRect& r = rect();
    const int before = penWidth / 2;
    const int after = penWidth - before;
    return {saturated(qint64{r.left} - before), saturated(qint64{r.top} - before), saturated(qint64{r.right} + after),
            saturated(qint64{r.bottom} + after)};
}

QPainterPath TLORect::frameArea(int penWidth) const {
    if (penWidth >= width() || penWidth >= height()) {
        // No inner edge is left: the band is the whole grown shape (a flat rectangle with a
        // frame is a solid rule).
        QPainterPath whole = turnedOutline(outerRect(penWidth), cornerDiameter() + penWidth).toPath();
        whole.setFillRule(Qt::WindingFill);
        return whole;
    }
    if (framesByWidening()) return widenedPath(outlinePath(), penWidth, Qt::SquareCap, Qt::MiterJoin);
    const TRect& r = rect();
    const int before = penWidth / 2;
    const int after = penWidth - before;
    const TRect inner{r.left + after, r.top + after, r.right - before, r.bottom - before};
    QPainterPath band;
    band.setFillRule(Qt::OddEvenFill);
    for (const TRect& edge : {outerRect(penWidth), inner}) {
        TStroke corners;
        corners.setRectangle(edge);
        if (isTurned(angle_)) TRotator(angle_, rectCenter(r)).transformStroke(corners);
        corners.replay(band);
    }
    return band;
}

TRect TLORect::getBounds() const {
    const TRect outer = outerRect(frameWidth_);
    if (!isTurned(angle_)) return outer;
    TStroke corners;
    corners.setRectangle(outer);
    TRotator(angle_, rectCenter(rect())).transformStroke(corners);
    return corners.getBoundsRect();
}

bool TLORect::paintsInside() const { return fillInside_ && frameWidth_ < width() && frameWidth_ < height(); }

int TLORect::paintedFrameWidth() const {
    return site() ? std::max(frameWidth_, sitePixelsInUnits(*this, 2, 0)) : frameWidth_;
}

bool TLORect::hitTest(QPoint point) const {
    const QPainterPath path = outlinePath();
    if ((fillInside_ || frameWidth_ == 0) && covers(path, point)) return true;
    const int pen = frameWidth_ + sitePixelsInUnits(*this, 1, 3);
    return covers(widenedPath(path, pen, Qt::SquareCap, Qt::MiterJoin), point);
}

void TLORect::setExtent(int width, int height) {
    const TRect& r = rect();
    int w = width - frameWidth_, h = height - frameWidth_;
    if (isTurned(angle_)) {
        const TRect visual = getBounds();
        const auto scaled = [](int size, int wanted, int current) { return current == 0 ? size : mulDiv(size, wanted, current); };
        w = scaled(this->width(), width, rectWidth(visual));
        h = scaled(this->height(), height, rectHeight(visual));
    }
    setRect({r.left, r.top, saturated(qint64{r.left} + w), saturated(qint64{r.top} + h)});
}

void TLORect::strokeOutline(QPainter& painter) { painter.drawPath(outlinePath()); }

void TLORect::notify(MessageSender sender, const Guid& message) {
    if (message == msgChanged && (sender == &frameColor_.notifier() || sender == &fillColor_.notifier())) changed();
}

void TLORect::defineProperties(TFiler& filer) {
    TLORectBase::defineProperties(filer);
    filer.defineProperty(
        QStringLiteral("Round"),
        [this](ValueReader& reader) {
            const QString value = reader.readIdent();
            if (value != u"True" && value != u"False") stream_error::invalidPropertyValue();
            setRoundRect(value == u"True");
        },
        [](ValueWriter&) {}, false);
}

void TLORect::paint(QPainter& painter) {
    const int pen = paintedFrameWidth();
    // A pen widened for the screen paints beyond the stored bounds.
    const TRect bounds = inflateRect(getBounds(), pen - frameWidth_, pen - frameWidth_);
    if (paintsInside()) paintThroughClip(painter, outlinePath(), fillColor_, bounds);
    if (frameWidth_ > 0) paintThroughClip(painter, frameArea(pen), frameColor_, bounds);
}

}  // namespace poremi
