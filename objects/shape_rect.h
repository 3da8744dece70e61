#pragma once
// A rectangle on a label, optionally with rounded corners, turned by Angle about its centre:
// a frame band FrameWidth wide centred on the outline and, with FillInside, a painted inside.
// Every paint is a fill through a clip.

#include "document/model/property_interfaces.h"
#include "document/model/rect_object.h"
#include "render/geometry/stroke.h"
#include "render/raster/fill_color.h"

#include <QtGui/QPainterPath>
#include <optional>

namespace poremi {

class TLORect : public Blendable<TLORectBase>, public IDOFillColor, public IDOLineColor, public IDOAngle {
    POREMI_PERSISTENT(TLORect)
public:
    // A new rectangle has a frame 10 units wide and no fill.
    explicit TLORect(TComponent* owner = nullptr);
    // A new shape from a tool starts 30 mm × 20 mm, so that it shows before its size is set.
    void prepareForTool(const QString& toolName, const DrawSite& site) override;

    // Published: FrameWidth, FrameColor, FillColor, FillInside, Angle, RoundRect; older files
    // may also carry "Round", read into RoundRect and never written.
    int frameWidth() const { return frameWidth_; }
    // Negative widths (stored files may hold anything) become 0.
    void setFrameWidth(int width);
    const TColorSpec& frameColor() const { return frameColor_; }
    void setFrameColor(const TColorSpec& color) { frameColor_.assign(color); }
    TColorSpec& frameColorObject() { return frameColor_; }
    const TColorSpec& fillColor() const override { return fillColor_; }
    void setFillColor(const TColorSpec& color) override { fillColor_.assign(color); }
    TColorSpec& fillColorObject() { return fillColor_; }
    bool fillInside() const override { return fillInside_; }
    void setFillInside(bool fillInside) override;
    int angle() const override { return angle_; }
    void setAngle(int angle) override;
    bool roundRect() const { return roundRect_; }
    void setRoundRect(bool roundRect);

    // The frame is the object's line.
    const TColorSpec& lineColor() const override { return frameColor_; }
    void setLineColor(const TColorSpec& color) override { setFrameColor(color); }

    // The outline, turned by Angle about the rectangle's centre; kept until the rectangle,
    // Angle or RoundRect changes.
    const TStroke& outline() const;
    QPainterPath outlinePath() const { return outline().toPath(); }
    // Corner diameter of a rounded rectangle: the shorter side div 3.
    int cornerDiameter() const;

    void setRect(const TRect& rect) override;
    // The outline widened by FrameWidth with square ends and mitred joins.
    TRect getBounds() const override;
    // With FillInside or no frame the outline and its inside, else the outline; the pen one
    // device pixel wider than FrameWidth (3 units off a site).
    bool hitTest(QPoint point) const override;
    // Turned: the sides scale by extent / turned bounds; else extent less FrameWidth.
    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;
    void notify(MessageSender sender, const Guid& message) override;
    void defineProperties(TFiler& filer) override;

protected:
    void paint(QPainter& painter) override;
    // The shape in rect, not yet turned; diameter is that of rounded corners.
    virtual void buildOutline(TStroke& stroke, const TRect& rect, int diameter) const;
    // Whether the frame is the outline widened by the pen (else outer minus inner rectangle).
    virtual bool framesByWidening() const { return roundRect_; }

private:
    // The shape turned by Angle about the rectangle's centre.
    TStroke turnedOutline(const TRect& rect, int diameter) const;
    // The frame band as a clip for a pen penWidth wide; a pen at least as wide as a side
    // covers the whole shape grown by the pen.
    QPainterPath frameArea(int penWidth) const;
    // The rectangle grown by penWidth, centred on its edges.
    TRect outerRect(int penWidth) const;
    // Painted inside only when the frame leaves room for it.
    bool paintsInside() const;
    // At least two device pixels wide on a site.
    int paintedFrameWidth() const;
    void outlineChanged();

    int frameWidth_ = 10;
    TColorSpec frameColor_;
    TColorSpec fillColor_;
    bool fillInside_ = false;
    int angle_ = 0;
    bool roundRect_ = false;
    mutable std::optional<TStroke> outline_;
};

}  // namespace poremi
