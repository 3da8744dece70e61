#pragma once
// How an area is painted: a solid colour with an optional hatch, a picture (stretched or
// tiled), or a gradient of seven shapes. The owner clips the canvas to its shape and asks the
// fill to paint the shape's bounding rectangle.

#include "document/stream/persistent.h"
#include "render/raster/change_notifier.h"
#include "render/raster/gradation_colors.h"
#include "render/raster/gradient.h"
#include "render/raster/hatch.h"
#include "render/raster/image_data.h"

#include <functional>

class QPainter;

namespace poremi {

enum class TColorSpecKind { cskSolid, cskBitmap, cskGradation };

enum class rgGradationDir {
    rgdLeftToRight,
    rgdRightToLeft,
    rgdTopToBottom,
    rgdBottomToTop,
    rgdLeftTopToRightBottom,
    rgdRightTopToLeftBottom,
    rgdRightBottomToLeftTop,
    rgdLeftBottomToRightTop,
    rgdCenterToRim,
    rgdRimToCenter,
};

// One period of a tiled picture fill as a 32-bit texture: the tile, and with shift a second
// row of tiles below it that starts (width + 1) div 2 pixels further left. Painted as one
// texture brush from the fill rectangle's top-left corner, so a fill costs one call whatever
// the number of tiles.
QImage tileTexture(const QImage& tile, bool shift);

class TColorSpec : public TPersistent {
    POREMI_PERSISTENT(TColorSpec)
public:
    TColorSpec();
    ~TColorSpec() override;

    TColor color() const { return color_; }
    void setColor(TColor color);
    TBrushStyle style() const { return style_; }
    void setStyle(TBrushStyle style);
    bool tile() const { return tile_; }
    void setTile(bool on);
    // cskBitmap without a picture reports cskSolid.
    TColorSpecKind kind() const;
    void setKind(TColorSpecKind kind);
    bool tileShift() const { return tileShift_; }
    void setTileShift(bool on);
    TImageData& imageData() { return imageData_; }
    // The picture and its filters are stored only for picture fills.
    bool isImageDataStored() const { return kind() == TColorSpecKind::cskBitmap; }
    const TImageData& imageData() const { return imageData_; }
    int gradAngle() const { return gradAngle_; }
    void setGradAngle(int angle);
    GradationKind gradKind() const { return gradKind_; }
    void setGradKind(GradationKind kind);
    TGradationColors& gradColors() { return gradColors_; }
    const TGradationColors& gradColors() const { return gradColors_; }

    // Legacy properties of older documents; never written.
    rgGradationDir gradDir() const;
    void setGradDir(rgGradationDir dir);
    int gradColNum() const { return gradColors_.count(); }
    void setGradColNum(int count) { gradColors_.setCount(count); }
    TColor gradColor(int index) const;
    void setGradColor(int index, TColor color);
    template <int I>
    TColor gradColorAt() const { return gradColor(I); }
    template <int I>
    void setGradColorAt(TColor color) { setGradColor(I, color); }
    // Reading the legacy "Bitmap" puts the bitmap into ImageData's picture.
    void setLegacyBitmap(std::unique_ptr<TGraphic> bitmap);
    TPersistent& legacyBitmap();

    // Fired after any change (one per update bracket).
    std::function<void()> OnChange;
    ChangeNotifier& notifier() { return notifier_; }

    // Paints rect (in the painter's logical units); pen, brush, font and composition mode
    // are restored afterwards.
    void paint(QPainter& painter, const QRect& rect) const;
    // Solid, no hatch, and the colour reproduced exactly by the device (true-colour targets).
    bool isPlainSolid() const;

    void assign(const TPersistent& source) override;

private:
    void changed();
    void paintPicture(QPainter& painter, const QRect& rect) const;

    TColor color_ = 0;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    bool tile_ = false;
    TColorSpecKind kind_ = TColorSpecKind::cskSolid;
    bool tileShift_ = false;
    TImageData imageData_;
    int gradAngle_ = 270;
    GradationKind gradKind_ = GradationKind::rgkSimple;
    TGradationColors gradColors_;
    std::unique_ptr<TPersistent> legacyBitmap_;
    ChangeNotifier notifier_;
};

}  // namespace poremi
