#include "render/text/simple_text.h"

#include "base/arithmetic.h"
#include "document/stream/class_declaration.h"
#include "render/geometry/arc.h"
#include "render/geometry/stroke.h"
#include "render/geometry/transformer.h"
#include "render/text/char_conversion.h"
#include "render/text/font_library.h"
#include "render/text/text_font.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace poremi {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

int rounded(double v) { return int(roundHalfEven(v)); }

QTransform cellTransform(QPointF origin, double rotation) {
    QTransform t = QTransform::fromTranslate(origin.x(), origin.y());
    t.rotate(rotation);
    return t;
}

QPointF rotated(QPointF v, double degrees) {
    const double c = std::cos(degrees * kDegree), s = std::sin(degrees * kDegree);
    return {v.x() * c - v.y() * s, v.x() * s + v.y() * c};
}

QColor colorOf(std::uint32_t colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

// Puts one character down: its cell's top-left corner and the turn of the cell.
void placeGlyph(TTextPicture& picture, const TextFont& font, double pixelsPerUnit, const TCharLayout& layout, int line,
                int index, QPointF cellOrigin, double rotation) {
    const char32_t character = layout.characters[std::size_t(index)];
    if (character == U'\t') return;
    const GlyphChoice choice = font.choose(character);
    TPlacedGlyph placed;
    placed.face = font.face();
    placed.glyph = choice.glyph;
    placed.character = character;
    placed.line = line;
    placed.index = index;
    placed.upright = choice.upright;
    placed.cellOrigin = cellOrigin;
    placed.cellRotation = rotation;
    placed.transform = font.glyphToCell(choice) * QTransform::fromScale(1 / pixelsPerUnit, 1 / pixelsPerUnit) *
                       cellTransform(cellOrigin, rotation);
    picture.glyphs.push_back(std::move(placed));
}

}  // namespace

const TClassInfo& TSimpleText::staticClassInfo() {
    static const TClassInfo info = describeClass<TSimpleText, TPersistent>("TSimpleText", [](auto& c) {
        c.object("Text", &TSimpleText::textObject);
        c.object("Font", &TSimpleText::fontObject);
        c.integer("Align", &TSimpleText::align, &TSimpleText::setAlign);
        c.boolean("Vertical", &TSimpleText::vertical, &TSimpleText::setVertical);
        c.integer("CharSpacing", &TSimpleText::charSpacing, &TSimpleText::setCharSpacing);
        c.integer("LineSpacing", &TSimpleText::lineSpacing, &TSimpleText::setLineSpacing);
        c.integer("Bulge", &TSimpleText::bulge, &TSimpleText::setBulge);
        c.integer("Angle", &TSimpleText::angle, &TSimpleText::setAngle);
        c.boolean("HanToZen", &TSimpleText::hanToZen, &TSimpleText::setHanToZen);
        c.boolean("NumToKnj", &TSimpleText::numToKnj, &TSimpleText::setNumToKnj);
        c.boolean("MinusExc", &TSimpleText::minusExc, &TSimpleText::setMinusExc);
        c.integer("FeedAngle", &TSimpleText::feedAngle, &TSimpleText::setFeedAngle).defaultValue(0);
    });
    return info;
}

const QString& TSimpleText::placeholderLine() {
    static const QString line = QStringLiteral("未入力項目");
    return line;
}

void TSimpleText::getUsableFonts(QStringList& names) { names = FontLibrary::instance().usableFonts(); }

// ---- properties ----

void TSimpleText::changed(bool dropsLayout) {
    if (dropsLayout) {
        reference_.clear();
        placed_.clear();
    }
    if (updateCount_ > 0) {
        changePending_ = true;
        return;
    }
    if (OnChange) OnChange();
}

template <typename T>
void TSimpleText::set(T& member, const T& value, bool dropsLayout) {
    if (member == value) return;
    member = value;
    changed(dropsLayout);
}

void TSimpleText::setText(const QStringList& lines) {
    if (text_.lines() == lines) return;
    text_.setLines(lines);
    changed(true);
}
void TSimpleText::setFont(const TPointBasedFont& font) { set(font_, font, true); }
void TSimpleText::setAlign(int align) { set(align_, align, false); }
void TSimpleText::setVertical(bool vertical) { set(vertical_, vertical, true); }
void TSimpleText::setCharSpacing(int spacing) { set(charSpacing_, spacing, true); }
void TSimpleText::setLineSpacing(int spacing) { set(lineSpacing_, spacing, false); }
void TSimpleText::setBulge(int bulge) { set(bulge_, bulge, false); }
void TSimpleText::setAngle(int angle) { set(angle_, angle, false); }
void TSimpleText::setHanToZen(bool on) { set(hanToZen_, on, true); }
void TSimpleText::setNumToKnj(bool on) { set(numToKnj_, on, true); }
void TSimpleText::setMinusExc(bool on) { set(minusExc_, on, true); }
void TSimpleText::setFeedAngle(int degrees) { set(feedAngle_, degrees, false); }

void TSimpleText::beginUpdate() { ++updateCount_; }

void TSimpleText::endUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0) return;
    if (changePending_) {
        changePending_ = false;
        if (OnChange) OnChange();
    }
}

void TSimpleText::assign(const TPersistent& persistent) {
    const auto* text = dynamic_cast<const TSimpleText*>(&persistent);
    if (!text) {
        TPersistent::assign(persistent);
        return;
    }
    const TSimpleText& source = *text;
    beginUpdate();
    setText(source.text());
    setFont(source.font_);
    setAlign(source.align_);
    setVertical(source.vertical_);
    setCharSpacing(source.charSpacing_);
    setLineSpacing(source.lineSpacing_);
    setBulge(source.bulge_);
    setAngle(source.angle_);
    setHanToZen(source.hanToZen_);
    setNumToKnj(source.numToKnj_);
    setMinusExc(source.minusExc_);
    setFeedAngle(source.feedAngle_);
    textColor_ = source.textColor_;
    endUpdate();
}

// ---- layout ----

QStringList TSimpleText::effectiveLines() const {
    QStringList lines = text().isEmpty() ? QStringList{placeholderLine()} : text();
    for (QString& line : lines) {
        if (hanToZen_) line = poremi::hanToZen(line, minusExc_ ? QChar(u'-') : QChar());
        if (numToKnj_) line = poremi::numToKnj(line);
    }
    return lines;
}

void TSimpleText::ensureReference() {
    const QStringList lines = effectiveLines();
    if (!reference_.empty() && reference_.size() == std::size_t(lines.size())) return;
    const TextFont font(font_, vertical_, 1.0);
    reference_.clear();
    for (const QString& line : lines) {
        TCharLayout layout = font.measureLine(line);
        placeCharacters(layout, 0, charSpacing_, taLeft);
        reference_.push_back(std::move(layout));
    }
    lineHeight_ = font.height();
}

int TSimpleText::lineHeight() {
    ensureReference();
    return lineHeight_;
}

TRect TSimpleText::textBounds(const TRect& frame, bool ignoreJustify) {
    ensureReference();
    const int h = lineHeight_;
    const int n = int(reference_.size());
    const int total = n * (h + lineSpacing_) - lineSpacing_;
    const int align = ignoreJustify && align_ == taJustify ? taLeft : align_;
    const int available = vertical_ ? rectHeight(frame) : rectWidth(frame);

    placed_ = reference_;
    for (TCharLayout& layout : placed_) placeCharacters(layout, available, charSpacing_, align);

    const bool sheared = feedAngle_ != 0 && (align == taLeft || align == taRight);
    if (sheared) {
        const double step = std::sin(-feedAngle_ * kDegree) * (h + lineSpacing_);
        double c = 0;
        if (align == taLeft && step < 0) c = -step * (n - 1);
        if (align == taRight && step >= 0) c = -step * (n - 1);
        for (TCharLayout& layout : placed_) {
            layout.shift(rounded(c));
            c += step;
        }
    }

    bool any = false;
    int inkStart = 0;
    int inkEnd = 0;
    for (const TCharLayout& layout : placed_) {
        if (layout.count() == 0 && !sheared) continue;
        inkStart = any ? std::min(inkStart, layout.inkLeft) : layout.inkLeft;
        inkEnd = any ? std::max(inkEnd, layout.inkRight) : layout.inkRight;
        any = true;
    }
    TRect bounds;
    if (vertical_) {
        bounds.top = any ? frame.top + inkStart : frame.top;
        bounds.bottom = any ? frame.top + inkEnd : frame.bottom;
        bounds.right = frame.right;
        bounds.left = frame.right - total;
    } else {
        bounds.left = any ? frame.left + inkStart : frame.left;
        bounds.right = any ? frame.left + inkEnd : frame.right;
        bounds.top = frame.top;
        bounds.bottom = frame.top + total;
    }
    return bounds;
}

// ---- drawing ----

TTextPicture TSimpleText::compose(const TRect& frame, double pixelsPerUnit) {
    textBounds(frame);
    TTextPicture picture;
    if (pixelsPerUnit <= 0) return picture;
    const TextFont device(font_, vertical_, pixelsPerUnit);
    if (bulge_ == 0 || !composeArc(picture, frame, device, pixelsPerUnit))
        composeStraight(picture, frame, device, pixelsPerUnit);
    return picture;
}

void TSimpleText::composeStraight(TTextPicture& picture, const TRect& frame, const TextFont& device,
                                  double pixelsPerUnit) {
    const int h = lineHeight_;
    const QPointF center = rectCenter(frame);
    const auto turn = [&](QPointF p) { return angle_ == 0 ? p : center + rotated(p - center, angle_); };
    const TextFont reference(font_, vertical_, 1.0);

    for (int k = 0; k < int(placed_.size()); ++k) {
        const TCharLayout& cached = placed_[std::size_t(k)];
        if (cached.count() == 0) continue;

        const double across = k * double(h + lineSpacing_);   // down the lines, or leftwards for columns
        const double lineTop = frame.top + across;
        const double columnRight = frame.right - across;
        const double middle = (cached.inkLeft + cached.inkRight) / 2.0;
        const double cellRotation = vertical_ ? angle_ + 90.0 : angle_;
        // The line's centre, turned with the text; characters sit along the turned line.
        const QPointF lineCenter = turn(vertical_ ? QPointF(columnRight - h / 2.0, frame.top + middle)
                                                  : QPointF(frame.left + middle, lineTop + h / 2.0));
        // Every surface puts each character at its reference pen position: the glyphs are
        // unhinted, so they scale with the surface and the line keeps its width everywhere.
        for (int i = 0; i < cached.count(); ++i) {
            const double along = cached.positions[std::size_t(i)] - middle;
            const QPointF origin = lineCenter + rotated(QPointF(along, -h / 2.0), cellRotation);
            placeGlyph(picture, device, pixelsPerUnit, cached, k, i, origin, cellRotation);
        }

        const auto addBar = [&](const TextFont::Bar& bar) {
            QPolygonF polygon;
            if (vertical_) {
                const double right = columnRight - bar.offset, left = right - bar.thickness;
                const double top = frame.top + cached.inkLeft, bottom = frame.top + cached.inkRight - 1;
                polygon << QPointF(left, top) << QPointF(right, top) << QPointF(right, bottom) << QPointF(left, bottom);
            } else {
                const double left = frame.left + cached.inkLeft, right = frame.left + cached.inkRight - 1;
                const double top = lineTop + bar.offset, bottom = top + bar.thickness;
                polygon << QPointF(left, top) << QPointF(right, top) << QPointF(right, bottom) << QPointF(left, bottom);
            }
            for (QPointF& p : polygon) p = turn(p);
            picture.bars.push_back(polygon);
        };
        if (font_.underline()) addBar(reference.underline());
        if (font_.strikeOut()) addBar(reference.strikeOut());
    }
}

bool TSimpleText::composeArc(TTextPicture& picture, const TRect& frame, const TextFont& device, double pixelsPerUnit) {
    const QPoint center = rectCenter(frame);
    const TRotator rotator(angle_, center);
    const QPoint p1 = rotator.transformPoint(vertical_ ? QPoint(center.x(), frame.top) : QPoint(frame.left, center.y()));
    const QPoint p2 =
        rotator.transformPoint(vertical_ ? QPoint(center.x(), frame.bottom) : QPoint(frame.right, center.y()));
    // A chord of no length has no arc over it: such text is drawn straight.
    if (p1 == p2) return false;
    const TChordArc chord = arcFromChord(p1, p2, bulge_);
    if (!chord.valid) return false;

    const bool positive = bulge_ > 0;
    const double sign = positive ? 1 : -1;
    const double start = double(chord.arc.startAngle), end = double(chord.arc.endAngle);
    double span = end - start;
    if (span < 0) span += 2 * std::numbers::pi;
    const QPointF arcCenter(chord.arc.centerX, chord.arc.centerY);
    const int h = lineHeight_;
    const double spacing = charSpacing_ * pixelsPerUnit;
    double rho = chord.arc.radius + h / 2;

    for (int k = 0; k < int(placed_.size()); ++k, rho -= h + lineSpacing_) {
        const TCharLayout& cached = placed_[std::size_t(k)];
        const int n = cached.count();
        if (n == 0) continue;
        TCharLayout line = device.measureLine(cached.line);
        placeCharacters(line, 0, rounded(spacing), taLeft);
        const double lineHeightHere = line.height / pixelsPerUnit;
        const double inkWidth = line.inkWidth() / pixelsPerUnit;
        double w = rho == h ? inkWidth : inkWidth / (rho - h);
        double inner = rho - lineHeightHere;
        if (inner == 0) inner = 1;

        double alpha = positive ? start : end;
        switch (align_) {
        case taCenter: alpha = positive ? start + (span - w) / 2 : end - (span - w) / 2; break;
        case taRight: alpha = positive ? end - w : start + w; break;
        case taJustify: w = span; break;
        default: break;
        }
        const double gap = align_ == taJustify && n > 1 ? (w - inkWidth / inner) / (n - 1) : 0;
        const double glyphRadius = rho - lineHeightHere / 2;

        for (int i = 0; i < n; ++i) {
            const TABC& abc = line.widths[std::size_t(i)];
            const double inkCenter = (line.positions[std::size_t(i)] + abc.a + abc.b / 2.0) / pixelsPerUnit;
            const double theta = alpha + sign * (i * gap + inkCenter / inner);
            const QPointF onCircle = arcCenter + glyphRadius * QPointF(std::cos(theta), std::sin(theta));
            const double rotation = theta / kDegree + sign * 90;
            const QPointF cellOffset((abc.a + abc.b / 2.0) / pixelsPerUnit, lineHeightHere / 2);
            placeGlyph(picture, device, pixelsPerUnit, line, k, i, onCircle - rotated(cellOffset, rotation), rotation);
        }
    }
    return true;
}

void TSimpleText::draw(QPainter& painter, const TRect& frame) {
    const double pixelsPerUnit = std::sqrt(std::abs(painter.combinedTransform().determinant()));
    const TTextPicture picture = compose(frame, pixelsPerUnit);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colorOf(textColor_));
    for (const TPlacedGlyph& glyph : picture.glyphs)
        painter.drawPath(glyph.transform.map(glyph.face->outline(glyph.glyph)));
    for (const QPolygonF& bar : picture.bars) painter.drawPolygon(bar, Qt::WindingFill);
    painter.restore();
}

void TSimpleText::buildOutline(TStroke& stroke, const TRect& frame, bool decorations) {
    compose(frame, 1.0).appendTo(stroke, decorations);
}

}  // namespace poremi
