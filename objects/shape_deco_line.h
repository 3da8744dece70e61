#pragma once
// A decorated rule: a line on a label along which a pattern picture repeats. The strip of
// tiles is mapped onto the line's quadrilateral once and kept until the line changes; the
// colour RGB(240, 240, 240) of the pattern is transparent.

#include "objects/shape_line.h"
#include "render/raster/picture.h"

#include <QtGui/QImage>
#include <array>
#include <optional>

namespace poremi {

class TLODecoLine : public TLOLine {
    POREMI_PERSISTENT(TLODecoLine)
public:
    explicit TLODecoLine(TComponent* owner = nullptr);

    // Published: the pattern tile.
    const TPicture& image() const { return image_; }
    TPicture& imageObject() { return image_; }
    void setImage(const TPicture& picture) { image_.assign(picture); }

    // Widths below 1 become 1.
    void setLineWidth(int width) override;
    // A horizontal rule from (0, 0), six tiles long at the pattern's natural size (the pattern
    // taken at 180 pixels per inch); nothing without a pattern.
    void sizeFromPattern();

    // The number of tiles along the rule: (strip length × pattern height) div (pattern width ×
    // LineWidth), at least 1 and at most one a unit of length; 0 without a pattern.
    int tileCount() const;
    // The rule as painted, one pixel a unit; a null image without a pattern or when the rule
    // is too large for a bitmap.
    const QImage& rendering() const;

    // The line's outline widened by LineWidth + 4 with flat ends.
    void strokeOutline(QPainter& painter) override;
    void notify(MessageSender sender, const Guid& message) override;

protected:
    void paint(QPainter& painter) override;
    void pointsChanged() override { rendering_.reset(); }

private:
    struct Rendering {
        QImage image;
        QPoint offset;  // of its top-left corner against the line's rectangle
    };
    // Where the strip's corners land: the segment widened by LineWidth + 4, flat ends.
    std::array<QPoint, 4> quadrilateral() const;
    const Rendering& cachedRendering() const;
    Rendering render() const;

    TPicture image_;
    mutable std::optional<Rendering> rendering_;
};

}  // namespace poremi
