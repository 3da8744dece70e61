#include "objects/text_object.h"

#include "base/arithmetic.h"
#include "document/model/draw_site.h"
#include "document/stream/class_declaration.h"
#include "paper/product_info.h"
#include "render/geometry/arc.h"
#include "render/geometry/stroke.h"
#include "render/geometry/transformer.h"
#include "render/raster/canvas_guards.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace poremi {
namespace {

constexpr int kMinimumSide = 20;
// Glyph outlines that are bent are taken from a copy at least this large, so that rounding
// their points to document units does not show.
constexpr int kDistortionFontSize = 72;

QColor colorOf(TColor color) { return QColor::fromRgb(qRgbFromColorRef(std::uint32_t(color))); }

TRect boundsOf(const QPolygon& polygon) {
    const QRect box = polygon.boundingRect();
    return {box.left(), box.top(), box.left() + box.width() - 1, box.top() + box.height() - 1};
}

QPolygon turnedRectangle(const TRect& r, const TRotator& rotator) {
    return QPolygon({rotator.transformPoint({r.left, r.top}), rotator.transformPoint({r.right, r.top}),
                     rotator.transformPoint({r.right, r.bottom}), rotator.transformPoint({r.left, r.bottom})});
}

// The solid pen of a band of the given width around the glyph edges.
QPen bandPen(const QColor& color, int width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

const TClassInfo& TLOText::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOText, TLORectBase>("TLOText", [](auto& c) {
        c.integer("Version", &TLOText::version, &TLOText::setVersion);
        c.object("Text", &TLOText::linesObject);
        c.object("Font", &TLOText::fontObject);
        c.integer("Align", &TLOText::align, &TLOText::setStoredAlign).defaultValue(0);
        c.boolean("Vertical", &TLOText::vertical, &TLOText::setStoredVertical).defaultValue(false);
        c.integer("CharSpacing", &TLOText::charSpacing, &TLOText::setCharSpacing).defaultValue(0);
        c.integer("LineSpacing", &TLOText::lineSpacing, &TLOText::setLineSpacing).defaultValue(0);
        c.integer("Angle", &TLOText::angle, &TLOText::setAngle);
        c.object("CoonsDistortion", &TLOText::distortionObject);
        c.integer("DistortionRatio", &TLOText::distortionRatio, &TLOText::setDistortionRatio);
        c.object("TextColor", &TLOText::textColorObject);
        c.boolean("Outline", &TLOText::outline, &TLOText::setOutline);
        c.object("OutlineColor", &TLOText::outlineColorObject);
        c.integer("OutLineWidth", &TLOText::outlineWidth, &TLOText::setOutlineWidth);
        c.integer("Shadow", &TLOText::shadow, &TLOText::setShadow).stored(&TLOText::isShadowStored);
        c.integer("ShadowOffsetX", &TLOText::shadowOffsetX, &TLOText::setShadowOffsetX)
            .stored(&TLOText::areShadowOffsetsStored);
        c.integer("ShadowOffsetY", &TLOText::shadowOffsetY, &TLOText::setShadowOffsetY)
            .stored(&TLOText::areShadowOffsetsStored);
        c.object("ShadowColor", &TLOText::shadowColorObject);
        c.boolean("AutoSize", &TLOText::autoSize, &TLOText::setAutoSize);
        c.integer("Bulge", &TLOText::bulge, &TLOText::setBulge);
        c.integer("FieldNo", &TLOText::fieldNo, &TLOText::setFieldNo);
        c.enumeration("FieldType", &TLOText::fieldType, &TLOText::setFieldType,
                      {QStringLiteral("ftProduct"), QStringLiteral("ftCreatorJapanese"),
                       QStringLiteral("ftCreatorEnglish")});
        c.boolean("HanToZen", &TLOText::hanToZen, &TLOText::setHanToZen).defaultValue(false);
        c.boolean("NumToKnj", &TLOText::numToKnj, &TLOText::setNumToKnj).defaultValue(false);
        c.boolean("MinusExc", &TLOText::minusExc, &TLOText::setMinusExc).defaultValue(false);
        c.integer("FeedAngle", &TLOText::feedAngle, &TLOText::setFeedAngle).defaultValue(0);
        c.integer("DiagonalAlign", &TLOText::diagonalAlign, &TLOText::setDiagonalAlign).notStored();
    });
    return info;
}

const std::array<QPoint, 9>& TLOText::shadowPresets() {
    static const std::array<QPoint, 9> presets{QPoint(0, 0),  QPoint(-7, -7), QPoint(0, -7),
                                               QPoint(7, -7), QPoint(-7, 0),  QPoint(7, 0),
                                               QPoint(-7, 7), QPoint(0, 7),   QPoint(7, 7)};
    return presets;
}

TLOText::TLOText(TComponent* owner) : Blendable<TLORectBase>(owner) {
    font_.setSize(24);
    engine();
    engine_.OnChange = [this] { engineChanged(); };
    distortion_.OnChange = [this] { styleChanged(); };
    for (TColorSpec* fill : {&textColor_, &outlineColor_, &shadowColor_}) fill->OnChange = [this] { styleChanged(); };
}

// ---- the engine ----

TSimpleText& TLOText::engine() const {
    if (engine_.text() != lines_.lines() || !(engine_.font() == font_)) {
        // Streams and assign write the lines and the font directly; the engine follows quietly.
        syncing_ = true;
        engine_.beginUpdate();
        engine_.setText(lines_.lines());
        engine_.setFont(font_);
        engine_.endUpdate();
        syncing_ = false;
    }
    return engine_;
}

void TLOText::engineChanged() {
    if (syncing_) return;
    adjustSize();
    updateControlBounds();
    changed();
}

void TLOText::styleChanged() {
    updateControlBounds();
    changed();
}

// ---- properties ----

void TLOText::setText(const QStringList& lines) {
    if (lines == lines_.lines()) return;
    lines_.setLines(lines);
    engine();
    engineChanged();
}

void TLOText::setFont(const TPointBasedFont& font) {
    if (font == font_) return;
    font_ = font;
    engine();
    engineChanged();
}

void TLOText::setAlign(int align) {
    if (align < taLeft || align > taJustify) return;
    engine_.setAlign(align);
}

void TLOText::setStoredAlign(int align) {
    const bool legacy = align == 4 || align == 5;
    legacyAlign_ = legacy ? align : 0;
    if (legacy)
        engine_.setAlign(taCenter);
    else
        engine_.setAlign(align >= taLeft && align <= taJustify ? align : taLeft);
}

void TLOText::setVertical(bool vertical) {
    if (vertical == engine_.vertical()) return;
    const TRect& r = rect();
    const QPoint center = rectCenter(r);
    const int w = width(), h = height();
    const int left = center.x() - h / 2, top = center.y() - w / 2;
    setRect({left, top, left + h, top + w});
    engine_.setVertical(vertical);
}

void TLOText::setCharSpacing(int spacing) { engine_.setCharSpacing(std::clamp(spacing, -kMaxSpacing, kMaxSpacing)); }

void TLOText::setLineSpacing(int spacing) { engine_.setLineSpacing(std::clamp(spacing, -kMaxSpacing, kMaxSpacing)); }

void TLOText::setAngle(int angle) { engine_.setAngle((angle % 360 + 360) % 360); }

void TLOText::setDistortionRatio(int ratio) {
    ratio = std::clamp(ratio, 0, 100);
    if (ratio == distortionRatio_) return;
    distortionRatio_ = ratio;
    styleChanged();
}

void TLOText::setOutline(bool outline) {
    if (outline == outline_) return;
    outline_ = outline;
    styleChanged();
}

void TLOText::setOutlineWidth(int width) {
    width = std::clamp(width, 0, kMaxOutlineWidth);
    if (width == outlineWidth_) return;
    outlineWidth_ = width;
    styleChanged();
}

int TLOText::shadow() const {
    const auto& presets = shadowPresets();
    const auto found = std::find(presets.begin(), presets.end(), shadowOffset_);
    return found == presets.end() ? kCustomShadow : int(found - presets.begin());
}

void TLOText::setShadow(int preset) {
    if (preset < 0 || preset >= int(shadowPresets().size())) return;
    const QPoint offset = shadowPresets()[std::size_t(preset)];
    if (offset == shadowOffset_) return;
    shadowOffset_ = offset;
    styleChanged();
}

void TLOText::setShadowOffsetX(int percent) {
    percent = std::clamp(percent, -kMaxShadowOffset, kMaxShadowOffset);
    if (percent == shadowOffset_.x()) return;
    shadowOffset_.setX(percent);
    styleChanged();
}

void TLOText::setShadowOffsetY(int percent) {
    percent = std::clamp(percent, -kMaxShadowOffset, kMaxShadowOffset);
    if (percent == shadowOffset_.y()) return;
    shadowOffset_.setY(percent);
    styleChanged();
}

void TLOText::setAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    adjustSize();
    changed();
}

void TLOText::setBulge(int bulge) { engine_.setBulge(std::clamp(bulge, -kMaxBulge, kMaxBulge)); }

void TLOText::setFieldNo(int fieldNo) {
    if (fieldNo == fieldNo_) return;
    fieldNo_ = fieldNo;
    changed();
}

void TLOText::setFieldType(TFieldType type) {
    if (type == fieldType_) return;
    fieldType_ = type;
    changed();
}

void TLOText::setDiagonalAlign(int value) {
    if (value == 1 || value == 4) setFeedAngle(45);
    if (value == 2 || value == 3) setFeedAngle(-45);
}

// ---- geometry ----

int TLOText::lineHeight() const { return engine().lineHeight(); }

TRect TLOText::textRect() const { return engine().textBounds(rect()); }

QPoint TLOText::shadowDisplacement() const {
    const int h = lineHeight();
    return {mulDiv(h, shadowOffset_.x(), 100), mulDiv(h, shadowOffset_.y(), 100)};
}

bool TLOText::isDistorted() const { return !coonsDistortion().isIdentity() && bulge() == 0; }

QPoint TLOText::chordStart() const {
    const TRect& r = rect();
    const QPoint c = rectCenter(r);
    return TRotator(angle(), c).transformPoint(vertical() ? QPoint(c.x(), r.top) : QPoint(r.left, c.y()));
}

QPoint TLOText::chordEnd() const {
    const TRect& r = rect();
    const QPoint c = rectCenter(r);
    return TRotator(angle(), c).transformPoint(vertical() ? QPoint(c.x(), r.bottom) : QPoint(r.right, c.y()));
}

bool TLOText::isArc() const {
    if (bulge() == 0) return false;
    const QPoint p1 = chordStart(), p2 = chordEnd();
    return p1 != p2 && arcFromChord(p1, p2, bulge()).valid;
}

int TLOText::bandThickness() const {
    const TRect bounds = engine().textBounds(rect());
    return vertical() ? rectWidth(bounds) : rectHeight(bounds);
}

QPainterPath TLOText::arcBand(int extraWidth) const {
    QPainterPath band;
    const TChordArc chord = arcFromChord(chordStart(), chordEnd(), bulge());
    if (!chord.valid) return band;
    const TArcInfo& arc = chord.arc;
    const int thickness = bandThickness();
    const double radius = arc.radius + lineHeight() / 2 - thickness / 2;
    double span = double(arc.endAngle - arc.startAngle);
    if (span < 0) span += 2 * std::numbers::pi;
    const auto at = [&](double angle) {
        return QPoint(int(roundHalfEven(arc.centerX + radius * std::cos(angle))),
                      int(roundHalfEven(arc.centerY + radius * std::sin(angle))));
    };
    const double start = double(arc.startAngle);
    drawBand3(band, at(start), at(start + span / 2), at(start + span), thickness + extraWidth);
    band.setFillRule(Qt::WindingFill);
    return band;
}

QPolygon TLOText::framePolygon() const {
    const TRect& r = rect();
    const QPoint center = rectCenter(r);
    TRect frame = inflateRect(r, outlineWidth_, outlineWidth_);
    const QPoint shift = shadowDisplacement();
    if (!shift.isNull()) {
        // The displacement is on the page; in the object's own turned frame it is turned back.
        const QPoint d = TRotator(-angle(), {}).transformPoint(shift);
        const TRect moved = offsetRect(r, d.x(), d.y());
        frame = {std::min(frame.left, moved.left), std::min(frame.top, moved.top), std::max(frame.right, moved.right),
                 std::max(frame.bottom, moved.bottom)};
    }
    return turnedRectangle(frame, TRotator(angle(), center));
}

QPainterPath TLOText::clipArea() const {
    if (isArc()) {
        QPainterPath area = arcBand(outline_ ? 2 * outlineWidth_ : 0);
        const QPoint shift = shadowDisplacement();
        if (!shift.isNull()) area = area.united(area.translated(shift));
        return area;
    }
    QPainterPath area;
    area.addPolygon(QPolygonF(framePolygon()));
    area.closeSubpath();
    return area;
}

void TLOText::buildGlyphOutline(TStroke& stroke) const {
    TSimpleText& own = engine();
    const TRect& r = rect();
    if (!isDistorted()) {
        own.buildOutline(stroke, r, true);
        return;
    }
    TSimpleText copy;
    copy.assign(own);
    copy.setAngle(0);
    TPointBasedFont large = font_;
    large.setSize(std::max(font_.size(), kDistortionFontSize));
    copy.setFont(large);
    const int ownHeight = std::max(own.lineHeight(), 1);
    const int copyHeight = copy.lineHeight();
    const TRect frame{r.left, r.top, r.left + mulDiv(width(), copyHeight, ownHeight),
                      r.top + mulDiv(height(), copyHeight, ownHeight)};
    TStroke bent;
    copy.buildOutline(bent, frame, false);
    bent.subdivide();
    TCoonsDistortion distortion;
    distortion.assign(coonsDistortion());
    distortion.applyRatio(distortionRatio_);
    distortion.setSource(copy.textBounds(frame));
    distortion.setDestination(r);
    distortion.transformStroke(bent);
    TRotator(angle(), rectCenter(r)).transformStroke(bent);
    for (int i = 0; i < bent.count(); ++i) stroke.addPoint(bent.point(i), bent.pointType(i));
}

TRect TLOText::getBounds() const {
    if (bulge() != 0 && !isArc()) return rect();
    if (!isArc()) return boundsOf(framePolygon());
    const QRect box = clipArea().boundingRect().toAlignedRect();
    const int half = bandThickness() / 2;
    return inflateRect(TRect::fromQRect(box), half, half);
}

bool TLOText::hitTest(QPoint point) const {
    if (bulge() == 0) {
        const QPoint unturned = TRotator(-angle(), rectCenter(rect())).transformPoint(point);
        return TLORectBase::hitTest(unturned);
    }
    if (!isArc()) return true;
    int pixel = 3;
    if (const DrawSite* s = site()) pixel = std::max(1, s->scaler().devToLogPoint(s->resolution(), {1, 1}).x());
    return arcBand(pixel).contains(point);
}

void TLOText::setExtent(int width, int height) {
    const TRect& r = rect();
    const TRect visual = getBounds();
    int w = 0, h = 0;
    if (angle() != 0 || bulge() != 0) {
        w = rectWidth(visual) == 0 ? TLORectBase::width() : mulDiv(TLORectBase::width(), width, rectWidth(visual));
        h = rectHeight(visual) == 0 ? TLORectBase::height()
                                    : mulDiv(TLORectBase::height(), height, rectHeight(visual));
    } else {
        w = TLORectBase::width() + width - rectWidth(visual);
        h = TLORectBase::height() + height - rectHeight(visual);
    }
    setRect({r.left, r.top, r.left + w, r.top + h});
}

void TLOText::adjustSize() {
    if (!autoSize_ || !site() || bulge() != 0) return;
    TSimpleText& e = engine();
    const TRect old = rect();
    TRect r = e.textBounds(old, true);
    const int align = e.align();
    const bool vert = e.vertical();
    if (rectWidth(r) < kMinimumSide) {
        if (vert || align == taRight)
            r.left = r.right - kMinimumSide;
        else if (align == taCenter)
            r.left = (r.left + r.right) / 2 - kMinimumSide / 2;
        r.right = r.left + kMinimumSide;
    }
    if (rectHeight(r) < kMinimumSide) {
        if (vert && align == taRight)
            r.top = r.bottom - kMinimumSide;
        else if (vert && align == taCenter)
            r.top = (r.top + r.bottom) / 2 - kMinimumSide / 2;
        r.bottom = r.top + kMinimumSide;
    }
    if (angle() != 0 && !(align == taJustify && old.isEmpty())) {
        const auto anchor = [&](const TRect& f) {
            const QPoint c = rectCenter(f);
            if (vert) {
                if (align == taCenter) return QPoint(f.right, c.y());
                if (align == taRight) return QPoint(f.right, f.bottom);
                return QPoint(f.right, f.top);
            }
            if (align == taCenter) return QPoint(c.x(), f.top);
            if (align == taRight) return QPoint(f.right, f.top);
            return QPoint(f.left, f.top);
        };
        const QPoint fixed = TRotator(angle(), rectCenter(old)).transformPoint(anchor(old));
        const QPoint moved = TRotator(angle(), rectCenter(r)).transformPoint(anchor(r));
        r = offsetRect(r, fixed.x() - moved.x(), fixed.y() - moved.y());
    }
    setRect(r);
}

// ---- painting ----

void TLOText::paintBody(QPainter& painter, const TColorSpec& fill, const TColorSpec* outlineFill,
                        const TStroke* glyphs) {
    TCanvasSaver saver(painter, true);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(clipArea(), Qt::IntersectClip);
    const QRect area = getBounds().toQRect();
    const auto glyphPath = [&] {
        QPainterPath path = glyphs->toPath(painter.combinedTransform());
        path.setFillRule(Qt::WindingFill);
        return path;
    };
    const auto fillPath = [&](const QPainterPath& path, const TColorSpec& spec) {
        if (spec.isPlainSolid()) {
            painter.fillPath(path, colorOf(spec.color()));
            return;
        }
        painter.save();
        painter.setClipPath(path, Qt::IntersectClip);
        spec.paint(painter, area);
        painter.restore();
    };

    if (outlineFill) {
        const QPainterPath path = glyphPath();
        const int penWidth = 2 * outlineWidth_;
        if (outlineFill->isPlainSolid()) {
            painter.strokePath(path, bandPen(colorOf(outlineFill->color()), penWidth));
        } else {
            QPainterPathStroker widen(bandPen(Qt::black, penWidth));
            fillPath(widen.createStroke(path).united(path), *outlineFill);
        }
        fillPath(path, fill);
    } else if (!isDistorted() && fill.isPlainSolid()) {
        TSimpleText& e = engine();
        e.setTextColor(std::uint32_t(fill.color()));
        e.draw(painter, rect());
    } else {
        fillPath(glyphPath(), fill);
    }
}

void TLOText::paint(QPainter& painter) {
    const bool withOutline = outline_ && outlineWidth_ > 0;
    const bool needsOutline = withOutline || isDistorted() || !textColor_.isPlainSolid() ||
                              (!shadowDisplacement().isNull() && !shadowColor_.isPlainSolid());
    TStroke glyphs;
    if (needsOutline) buildGlyphOutline(glyphs);
    const QPoint shift = shadowDisplacement();
    if (!shift.isNull()) {
        TCanvasSaver saver(painter, true);
        painter.translate(shift);
        paintBody(painter, shadowColor_, nullptr, &glyphs);
    }
    paintBody(painter, textColor_, withOutline ? &outlineColor_ : nullptr, &glyphs);
}

void TLOText::strokeOutline(QPainter& painter) {
    if (isArc()) {
        painter.drawPath(arcBand(0));
        return;
    }
    TSimpleText& e = engine();
    const TRect& r = rect();
    const TRotator rotator(angle(), rectCenter(r));
    if (isDistorted()) {
        TStroke box;
        box.setRectangle(e.textBounds(r));
        box.subdivide();
        TCoonsDistortion distortion;
        distortion.assign(coonsDistortion());
        distortion.applyRatio(distortionRatio_);
        distortion.setSource(e.textBounds(r));
        distortion.setDestination(r);
        distortion.transformStroke(box);
        rotator.transformStroke(box);
        painter.drawPath(box.toPath(painter.combinedTransform()));
        return;
    }
    {
        TCanvasSaver saver(painter, true);
        QPen solid = painter.pen();
        solid.setStyle(Qt::SolidLine);
        painter.setPen(solid);
        painter.drawPolygon(turnedRectangle(intersectRect(e.textBounds(r), r), rotator));
    }
    painter.drawPolygon(framePolygon());
}

// ---- life cycle ----

void TLOText::prepareForTool(const QString& toolName, const DrawSite& site) {
    TLORectBase::prepareForTool(toolName, site);
    TColorSpec grey;
    grey.setColor(0x808080);
    setShadowColor(grey);
    if (toolName == QLatin1String("TLOText") || toolName == QLatin1String("TLOTextPaste")) setAutoSize(true);
}

void TLOText::assign(const TPersistent& source) {
    const QStringList lines = lines_.lines();
    const TPointBasedFont font = font_;
    engine_.beginUpdate();
    try {
        TLORectBase::assign(source);
    } catch (...) {
        engine_.endUpdate();
        throw;
    }
    engine_.endUpdate();
    if (lines != lines_.lines() || !(font == font_)) {
        engine();
        engineChanged();
    }
}

void TLOText::loaded() {
    TLORectBase::loaded();
    convertLegacy();
}

void TLOText::convertLegacy() {
    // Outlines of older documents had at least one unit.
    if (outline_ && outlineWidth_ == 0) outlineWidth_ = 1;
    const int h = lineHeight();
    if (legacyAlign_ == 4 || legacyAlign_ == 5) {
        // Text on the upper (4) or lower (5) half of a circle inscribed in the rectangle.
        const int side = std::min(width(), height());
        const QPoint center = rectCenter(rect());
        const TRect square = centerRectAt({0, 0, side, side}, center);
        setBulge(legacyAlign_ == 4 ? (side - h) / 2 : (h - side) / 2);
        setRect(inflateRect(square, -(h / 2), -(h / 2)));
        engine_.setAlign(taCenter);
        legacyAlign_ = 0;
    }
    if (storedVersion_ == 0 && bulge() != 0) {
        // Arc text before versions held one centred line; vertical arcs ran a quarter turn on.
        engine_.setAlign(taCenter);
        engine_.setCharSpacing(0);
        if (lines_.count() > 1) setText({lines_.lines().first()});
        if (vertical()) {
            const TRect& r = rect();
            setRect(centerRectAt({0, 0, width(), width()}, rectCenter(r)));
            setAngle(angle() - 90);
        }
    }
    storedVersion_ = 1;
}

void TLOText::applyField(TFieldType type, const TProductInfo* info) {
    if (fieldNo_ <= 0 || type != fieldType_ || !info) return;
    const auto& items = info->items();
    if (fieldNo_ > items.count()) return;
    setText(items[fieldNo_ - 1].info().lines());
}

// ---- arc editing ----

bool TLOText::curveAvailable() const { return bulge() != 0 || coonsDistortion().isIdentity(); }

QPoint TLOText::startPoint() const { return curve_.active ? curve_.start : chordStart(); }

QPoint TLOText::endPoint() const { return curve_.active ? curve_.end : chordEnd(); }

QPoint TLOText::apex() const {
    if (curve_.active) return curve_.apex;
    return apexFromChord(chordStart(), chordEnd(), bulge());
}

void TLOText::beginCurveEdit() {
    curve_.start = chordStart();
    curve_.end = chordEnd();
    curve_.apex = apexFromChord(curve_.start, curve_.end, bulge());
    curve_.active = true;
}

void TLOText::setStartPoint(QPoint point) {
    if (!curve_.active) beginCurveEdit();
    setAutoSize(false);
    curve_.start = point;
}

void TLOText::setEndPoint(QPoint point) {
    if (!curve_.active) beginCurveEdit();
    setAutoSize(false);
    curve_.end = point;
}

void TLOText::setApex(QPoint point) {
    if (!curve_.active) beginCurveEdit();
    curve_.apex = point;
    setBulge(sagittaFrom3(curve_.start, point, curve_.end));
}

void TLOText::endCurveEdit() {
    if (!curve_.active) return;
    curve_.active = false;
    setAutoSize(false);
    const QPoint s = curve_.start, e = curve_.end;
    const double dx = e.x() - s.x(), dy = e.y() - s.y();
    const int length = int(roundHalfEven(std::hypot(dx, dy)));
    const int direction = int(roundHalfEven(std::atan2(dy, dx) * 180 / std::numbers::pi));
    const QPoint middle((s.x() + e.x()) / 2, (s.y() + e.y()) / 2);
    const TRect unturned = vertical() ? TRect{0, 0, width(), length} : TRect{0, 0, length, height()};
    setRect(centerRectAt(unturned, middle));
    setAngle(vertical() ? direction - 90 : direction);
}

}  // namespace poremi
