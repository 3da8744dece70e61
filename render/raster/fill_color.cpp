#include "render/raster/fill_color.h"

#include "document/stream/byte_cursor.h"
#include "document/stream/class_declaration.h"
#include "document/stream/name_tables.h"
#include "document/stream/stream_error.h"
#include "render/raster/canvas_guards.h"

#include <QtGui/QPainter>

#include <algorithm>

namespace poremi {

namespace {

// The never-written "Bitmap" property of older documents: its "Data" (a 32-bit length and a
// bitmap file) becomes the picture of the fill's ImageData.
class TLegacyBitmapProperty : public TPersistent {
    POREMI_PERSISTENT(TLegacyBitmapProperty)
public:
    explicit TLegacyBitmapProperty(TColorSpec* owner = nullptr) : owner_(owner) {}
    void defineProperties(TFiler& filer) override
    {
        filer.defineBinaryProperty(
            QStringLiteral("Data"),
            [this](ByteReader& reader) {
                const std::int32_t length = reader.readInt32();
                if (length < 0)
                    stream_error::readError();
                const QByteArrayView file = reader.readBytes(length);
                if (owner_)
                    owner_->setLegacyBitmap(file.isEmpty() ? nullptr : TBitmapGraphic::fromFile(file, QStringLiteral("TBitmap")));
            },
            [](ByteWriter&) {}, false);
    }

private:
    TColorSpec* owner_;
};

const QStringList styleNames{"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
                             "bsCross", "bsDiagCross"};
const QStringList kindNames{"cskSolid", "cskBitmap", "cskGradation"};
const QStringList gradKindNames{"rgkSimple", "rgkBoxToRim", "rgkBoxToCenter", "rgkCircleToRim",
                                "rgkCircleToCenter", "rgkConeClockwise", "rgkConeCounterClockwise"};
const QStringList gradDirNames{"rgdLeftToRight", "rgdRightToLeft", "rgdTopToBottom", "rgdBottomToTop",
                               "rgdLeftTopToRightBottom", "rgdRightTopToLeftBottom", "rgdRightBottomToLeftTop",
                               "rgdLeftBottomToRightTop", "rgdCenterToRim", "rgdRimToCenter"};

struct DirectionRow {
    rgGradationDir dir;
    GradationKind kind;
    int angle;
};

constexpr DirectionRow directionRows[] = {
    {rgGradationDir::rgdLeftToRight, GradationKind::rgkSimple, 270},
    {rgGradationDir::rgdRightToLeft, GradationKind::rgkSimple, 90},
    {rgGradationDir::rgdTopToBottom, GradationKind::rgkSimple, 0},
    {rgGradationDir::rgdBottomToTop, GradationKind::rgkSimple, 180},
    {rgGradationDir::rgdLeftTopToRightBottom, GradationKind::rgkSimple, 315},
    {rgGradationDir::rgdRightTopToLeftBottom, GradationKind::rgkSimple, 45},
    {rgGradationDir::rgdRightBottomToLeftTop, GradationKind::rgkSimple, 135},
    {rgGradationDir::rgdLeftBottomToRightTop, GradationKind::rgkSimple, 225},
    {rgGradationDir::rgdCenterToRim, GradationKind::rgkBoxToRim, 0},
    {rgGradationDir::rgdRimToCenter, GradationKind::rgkBoxToCenter, 0},
};

}  // namespace

const TClassInfo& TLegacyBitmapProperty::staticClassInfo()
{
    static const TClassInfo info = describeClass<TLegacyBitmapProperty, TPersistent>("TBitmap");
    return info;
}

const TClassInfo& TColorSpec::staticClassInfo()
{
    static const TClassInfo info = describeClass<TColorSpec, TPersistent>("TColorSpec", [](auto& c) {
        c.integer("Color", &TColorSpec::color, &TColorSpec::setColor).defaultValue(0).names(colorNames());
        c.enumeration("Style", &TColorSpec::style, &TColorSpec::setStyle, styleNames)
            .defaultValue(TBrushStyle::bsSolid);
        c.object("Bitmap", &TColorSpec::legacyBitmap).notStored();
        c.boolean("Tile", &TColorSpec::tile, &TColorSpec::setTile).defaultValue(false);
        c.enumeration("Kind", &TColorSpec::kind, &TColorSpec::setKind, kindNames)
            .defaultValue(TColorSpecKind::cskSolid);
        c.boolean("TileShift", &TColorSpec::tileShift, &TColorSpec::setTileShift).defaultValue(false);
        c.object("ImageData", static_cast<TImageData& (TColorSpec::*)()>(&TColorSpec::imageData))
            .stored(&TColorSpec::isImageDataStored);
        c.integer("GradAngle", &TColorSpec::gradAngle, &TColorSpec::setGradAngle).defaultValue(270);
        c.enumeration("GradKind", &TColorSpec::gradKind, &TColorSpec::setGradKind, gradKindNames)
            .defaultValue(GradationKind::rgkSimple);
        c.object("GradColors", static_cast<TGradationColors& (TColorSpec::*)()>(&TColorSpec::gradColors));
        c.event("OnChange");
        c.enumeration("GradDir", &TColorSpec::gradDir, &TColorSpec::setGradDir, gradDirNames).notStored();
        c.integer("GradColNum", &TColorSpec::gradColNum, &TColorSpec::setGradColNum).notStored();
        c.integer("GradColor0", &TColorSpec::gradColorAt<0>, &TColorSpec::setGradColorAt<0>).notStored();
        c.integer("GradColor1", &TColorSpec::gradColorAt<1>, &TColorSpec::setGradColorAt<1>).notStored();
        c.integer("GradColor2", &TColorSpec::gradColorAt<2>, &TColorSpec::setGradColorAt<2>).notStored();
        c.integer("GradColor3", &TColorSpec::gradColorAt<3>, &TColorSpec::setGradColorAt<3>).notStored();
        c.integer("GradColor4", &TColorSpec::gradColorAt<4>, &TColorSpec::setGradColorAt<4>).notStored();
        c.integer("GradColor5", &TColorSpec::gradColorAt<5>, &TColorSpec::setGradColorAt<5>).notStored();
        c.integer("GradColor6", &TColorSpec::gradColorAt<6>, &TColorSpec::setGradColorAt<6>).notStored();
        c.integer("GradColor7", &TColorSpec::gradColorAt<7>, &TColorSpec::setGradColorAt<7>).notStored();
    });
    return info;
}

TColorSpec::TColorSpec()
{
    imageData_.notifier().addListener([this] { changed(); });
    gradColors_.notifier().addListener([this] { changed(); });
    notifier_.addListener([this] {
        if (OnChange)
            OnChange();
    });
}

TColorSpec::~TColorSpec() = default;

void TColorSpec::changed()
{
    notifier_.changed();
}

void TColorSpec::setColor(TColor color)
{
    if (color_ == color)
        return;
    color_ = color;
    changed();
}

void TColorSpec::setStyle(TBrushStyle style)
{
    if (style_ == style)
        return;
    style_ = style;
    changed();
}

void TColorSpec::setTile(bool on)
{
    if (tile_ == on)
        return;
    tile_ = on;
    changed();
}

TColorSpecKind TColorSpec::kind() const
{
    if (kind_ == TColorSpecKind::cskBitmap && imageData_.isEmpty())
        return TColorSpecKind::cskSolid;
    return kind_;
}

void TColorSpec::setKind(TColorSpecKind kind)
{
    if (kind_ == kind)
        return;
    kind_ = kind;
    changed();
}

void TColorSpec::setTileShift(bool on)
{
    if (tileShift_ == on)
        return;
    tileShift_ = on;
    changed();
}

void TColorSpec::setGradAngle(int angle)
{
    if (gradAngle_ == angle)
        return;
    gradAngle_ = angle;
    changed();
}

void TColorSpec::setGradKind(GradationKind kind)
{
    if (gradKind_ == kind)
        return;
    gradKind_ = kind;
    changed();
}

rgGradationDir TColorSpec::gradDir() const
{
    if (gradKind_ == GradationKind::rgkBoxToRim)
        return rgGradationDir::rgdCenterToRim;
    if (gradKind_ == GradationKind::rgkBoxToCenter)
        return rgGradationDir::rgdRimToCenter;
    for (const DirectionRow& row : directionRows)
        if (row.kind == GradationKind::rgkSimple && row.angle == gradAngle_)
            return row.dir;
    return rgGradationDir::rgdTopToBottom;
}

void TColorSpec::setGradDir(rgGradationDir dir)
{
    for (const DirectionRow& row : directionRows)
        if (row.dir == dir) {
            ChangeBracket bracket(notifier_);
            setGradKind(row.kind);
            setGradAngle(row.angle);
            return;
        }
}

TColor TColorSpec::gradColor(int index) const
{
    return gradColors_.item(index);
}

void TColorSpec::setGradColor(int index, TColor color)
{
    gradColors_.setItem(index, color);
}

void TColorSpec::setLegacyBitmap(std::unique_ptr<TGraphic> bitmap)
{
    imageData_.picture().setGraphic(std::move(bitmap));
}

TPersistent& TColorSpec::legacyBitmap()
{
    if (!legacyBitmap_)
        legacyBitmap_ = std::make_unique<TLegacyBitmapProperty>(this);
    return *legacyBitmap_;
}

QImage tileTexture(const QImage& tile, bool shift)
{
    const QImage top = convertImage(tile, QImage::Format_ARGB32);
    if (!shift || top.isNull())
        return top;
    const int w = top.width(), h = top.height();
    QImage texture = allocateImage(w, 2 * h, QImage::Format_ARGB32);
    const int offset = (w + 1) / 2;
    for (int y = 0; y < h; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(top.constScanLine(y));
        auto* upper = reinterpret_cast<QRgb*>(texture.scanLine(y));
        auto* lower = reinterpret_cast<QRgb*>(texture.scanLine(h + y));
        std::copy(source, source + w, upper);
        // The lower row's column x shows the tile's column x + offset, wrapping round.
        std::copy(source + offset, source + w, lower);
        std::copy(source, source + offset, lower + (w - offset));
    }
    return texture;
}

void TColorSpec::paintPicture(QPainter& painter, const QRect& rect) const
{
    const TGraphic* picture = imageData_.processedPicture();
    if (!picture)
        return;
    if (!tile_) {
        picture->draw(painter, rect);
        return;
    }
    const QImage texture = tileTexture(picture->paintedImage(), tileShift_);
    if (texture.isNull())
        return;
    // One picture pixel per logical unit, the first tile at the rectangle's corner.
    QBrush brush(texture);
    brush.setTransform(QTransform::fromTranslate(rect.left(), rect.top()));
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect, brush);
    painter.restore();
}

void TColorSpec::paint(QPainter& painter, const QRect& rect) const
{
    if (kind_ == TColorSpecKind::cskBitmap && imageData_.isEmpty())
        return;
    TCanvasSaver saver(painter);
    switch (kind()) {
    case TColorSpecKind::cskBitmap:
        paintPicture(painter, rect);
        return;
    case TColorSpecKind::cskGradation: {
        const QList<TColor> stops = gradColors_.expanded();
        if (!stops.isEmpty()) {
            paintGradient(painter, rect, stops, gradAngle_, gradKind_);
            return;
        }
        // An empty stop list paints the solid colour.
        break;
    }
    case TColorSpecKind::cskSolid:
        break;
    }
    const QRgb rgb = qRgbFromColorRef(std::uint32_t(colorToRgb(color_)));
    if (style_ == TBrushStyle::bsSolid)
        painter.fillRect(rect, QColor::fromRgb(rgb));
    else
        paintHatch(painter, rect, style_, rgb);
}

bool TColorSpec::isPlainSolid() const
{
    return kind() == TColorSpecKind::cskSolid && style_ == TBrushStyle::bsSolid;
}

void TColorSpec::assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TColorSpec*>(&source);
    if (!other) {
        TPersistent::assign(source);
        return;
    }
    if (other == this)
        return;
    ChangeBracket bracket(notifier_);
    setKind(other->kind());
    setColor(other->color_);
    setStyle(other->style_);
    imageData_.assign(other->imageData_);
    setTile(other->tile_);
    setTileShift(other->tileShift_);
    if (kind() == TColorSpecKind::cskGradation) {
        setGradAngle(other->gradAngle_);
        setGradKind(other->gradKind_);
        gradColors_.assign(other->gradColors_);
    }
}

}  // namespace poremi
