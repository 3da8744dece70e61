#pragma once
// The text on a label: lines laid out by the text engine in the object's rectangle, painted
// with fills for the glyphs, an optional outline band and an optional drop shadow, turned,
// bent on an arc, sheared per line or distorted through a Coons patch. A text may take its
// lines from a field of the document's product or creator information.

#include "document/model/property_interfaces.h"
#include "document/model/rect_object.h"
#include "document/stream/string_list.h"
#include "objects/text_distortion.h"
#include "render/raster/fill_color.h"
#include "render/text/simple_text.h"

#include <QtGui/QPolygon>
#include <array>

class QPainterPath;

namespace poremi {

class TProductInfo;
class TStroke;

enum TFieldType : int { ftProduct, ftCreatorJapanese, ftCreatorEnglish };

class TLOText : public Blendable<TLORectBase>,
                public IDOFeedAngle,
                public IDOLineColor,
                public IDOCurve,
                public IDOAlign,
                public IDOFont,
                public IDOVertical,
                public IDOAutoSize,
                public IDOAngle {
    POREMI_PERSISTENT(TLOText)
public:
    // Shadow presets 0…8 as offsets (x, y) in percent of the line height; 9 names custom offsets.
    static constexpr int kCustomShadow = 9;
    static const std::array<QPoint, 9>& shadowPresets();
    // Stored values beyond these are brought within them when set.
    static constexpr int kMaxOutlineWidth = 10000;
    static constexpr int kMaxSpacing = 10000;
    static constexpr int kMaxShadowOffset = 1000;
    static constexpr int kMaxBulge = 32767;

    // Size 24 points, left aligned, horizontal, DistortionRatio 100, no outline or shadow.
    explicit TLOText(TComponent* owner = nullptr);

    // Published (in stream order).
    int version() const { return 1; }
    void setVersion(int version) { storedVersion_ = version; }
    const QStringList& text() const { return lines_.lines(); }
    void setText(const QStringList& lines);
    const TPointBasedFont& font() const override { return font_; }
    void setFont(const TPointBasedFont& font) override;
    int align() const override { return engine_.align(); }
    // Values outside 0…3 are ignored.
    void setAlign(int align) override;
    bool vertical() const override { return engine_.vertical(); }
    // Turns the rectangle about its centre (width and height exchanged) before the switch.
    void setVertical(bool vertical) override;
    int charSpacing() const { return engine_.charSpacing(); }
    void setCharSpacing(int spacing);
    int lineSpacing() const { return engine_.lineSpacing(); }
    void setLineSpacing(int spacing);
    int angle() const override { return engine_.angle(); }
    // Any value is brought into 0…359.
    void setAngle(int angle) override;
    const TCoonsDistortion& coonsDistortion() const { return distortion_.distortion(); }
    void setCoonsDistortion(const TCoonsDistortion& distortion) { distortion_.setDistortion(distortion); }
    int distortionRatio() const { return distortionRatio_; }
    // Kept within 0…100.
    void setDistortionRatio(int ratio);
    const TColorSpec& textColor() const { return textColor_; }
    void setTextColor(const TColorSpec& color) { textColor_.assign(color); }
    bool outline() const { return outline_; }
    void setOutline(bool outline);
    const TColorSpec& outlineColor() const { return outlineColor_; }
    void setOutlineColor(const TColorSpec& color) { outlineColor_.assign(color); }
    int outlineWidth() const { return outlineWidth_; }
    // Kept within 0…kMaxOutlineWidth.
    void setOutlineWidth(int width);
    // The first preset equal to the offsets, else kCustomShadow.
    int shadow() const;
    // 0…8 takes the preset's offsets; other values leave them as they are.
    void setShadow(int preset);
    int shadowOffsetX() const { return shadowOffset_.x(); }
    void setShadowOffsetX(int percent);
    int shadowOffsetY() const { return shadowOffset_.y(); }
    void setShadowOffsetY(int percent);
    const TColorSpec& shadowColor() const { return shadowColor_; }
    void setShadowColor(const TColorSpec& color) { shadowColor_.assign(color); }
    bool autoSize() const override { return autoSize_; }
    void setAutoSize(bool autoSize) override;
    int bulge() const { return engine_.bulge(); }
    // Kept within ±kMaxBulge.
    void setBulge(int bulge);
    int fieldNo() const { return fieldNo_; }
    void setFieldNo(int fieldNo);
    TFieldType fieldType() const { return fieldType_; }
    void setFieldType(TFieldType type);
    bool hanToZen() const { return engine_.hanToZen(); }
    void setHanToZen(bool on) { engine_.setHanToZen(on); }
    bool numToKnj() const { return engine_.numToKnj(); }
    void setNumToKnj(bool on) { engine_.setNumToKnj(on); }
    bool minusExc() const { return engine_.minusExc(); }
    void setMinusExc(bool on) { engine_.setMinusExc(on); }
    int feedAngle() const override { return engine_.feedAngle(); }
    void setFeedAngle(int degrees) override { engine_.setFeedAngle(degrees); }
    // Legacy, never written: 1 and 4 shear lines by 45°, 2 and 3 by −45°.
    int diagonalAlign() const { return 0; }
    void setDiagonalAlign(int value);

    const TColorSpec& lineColor() const override { return textColor_; }
    void setLineColor(const TColorSpec& color) override { setTextColor(color); }

    // The shadow's displacement in document units: MulDiv(line height, offset, 100) per axis.
    QPoint shadowDisplacement() const;
    // The line height of the engine in document units.
    int lineHeight() const;
    // The rectangle the laid-out lines take inside the object's rectangle.
    TRect textRect() const;
    // Distorted: the patch has points and the text is not on an arc.
    bool isDistorted() const;
    // On an arc: a bulge over a chord that forms one.
    bool isArc() const;
    // The rectangle inflated by the outline, joined with the shadow's place, turned (4 points).
    QPolygon framePolygon() const;
    // The glyphs' closed outline in document units as painted (distorted and turned).
    void buildGlyphOutline(TStroke& stroke) const;

    // Takes the lines of item FieldNo − 1 of info when the text is bound to a field of type;
    // nothing when unbound, bound elsewhere, without info or beyond its items.
    void applyField(TFieldType type, const TProductInfo* info);

    TRect getBounds() const override;
    bool hitTest(QPoint point) const override;
    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;
    bool needsBlending() const override { return blendRatio() != 100; }
    void prepareForTool(const QString& toolName, const DrawSite& site) override;
    void assign(const TPersistent& source) override;
    // Converts what older documents stored (see the .cpp).
    void loaded() override;

    // Arc editing by three points: chord ends and apex.
    bool curveAvailable() const override;
    QPoint startPoint() const override;
    void setStartPoint(QPoint point) override;
    QPoint endPoint() const override;
    void setEndPoint(QPoint point) override;
    void beginCurveEdit() override;
    void endCurveEdit() override;
    QPoint apex() const override;
    void setApex(QPoint point) override;

protected:
    void paint(QPainter& painter) override;
    // Brings the rectangle to the text when AutoSize is on, the object is on a site and
    // the text is not on an arc.
    void adjustSize();
    void joinedSite() override { adjustSize(); }

private:
    // The sub-objects as streams read and write them.
    TStringList& linesObject() { return lines_; }
    TPointBasedFont& fontObject() { return font_; }
    TTextDistortion& distortionObject() { return distortion_; }
    TColorSpec& textColorObject() { return textColor_; }
    TColorSpec& outlineColorObject() { return outlineColor_; }
    TColorSpec& shadowColorObject() { return shadowColor_; }
    // Stream forms: alignments 4 and 5 of older documents are kept for loaded(), the vertical
    // flag switches without turning the rectangle.
    void setStoredAlign(int align);
    void setStoredVertical(bool vertical) { engine_.setVertical(vertical); }
    bool isShadowStored() const { return shadow() != kCustomShadow; }
    bool areShadowOffsetsStored() const { return shadow() == kCustomShadow; }

    // The engine with the published lines and font (streams write those directly).
    TSimpleText& engine() const;
    void engineChanged();
    void styleChanged();
    void paintBody(QPainter& painter, const TColorSpec& fill, const TColorSpec* outlineFill, const TStroke* glyphs);
    QPainterPath clipArea() const;
    // The arc band: the arc stroked penWidth wide at the first line's outer edge.
    QPainterPath arcBand(int extraWidth) const;
    int bandThickness() const;
    QPoint chordStart() const;
    QPoint chordEnd() const;
    void convertLegacy();

    TStringList lines_;
    TPointBasedFont font_;
    mutable TSimpleText engine_;
    mutable bool syncing_ = false;
    TTextDistortion distortion_;
    int distortionRatio_ = 100;
    TColorSpec textColor_;
    bool outline_ = false;
    TColorSpec outlineColor_;
    int outlineWidth_ = 0;
    QPoint shadowOffset_;
    TColorSpec shadowColor_;
    bool autoSize_ = false;
    int fieldNo_ = 0;
    TFieldType fieldType_ = ftProduct;

    int storedVersion_ = 0;  // 0 until a stream sets it: older documents lack it
    int legacyAlign_ = 0;    // 4 or 5 when an older document stored text on a circle

    struct CurveEdit {
        QPoint start;
        QPoint end;
        QPoint apex;
        bool active = false;
    };
    CurveEdit curve_;
};

}  // namespace poremi
