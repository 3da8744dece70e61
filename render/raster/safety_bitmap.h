#pragma once
// The application's bitmap: pixels shared between copies, colour-key transparency through a
// masked image, loading from BMP and CBM. On raster targets a transparent bitmap is drawn with
// raster arithmetic (mask with destination OR NOT source, then the prepared image with
// destination AND source); on vector targets (PDF, printers) as an image with an alpha channel.

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QRect>
#include <QtGui/QImage>

#include <cstdint>

class QPainter;

namespace poremi {

// A stored colour meaning "no transparent colour".
inline constexpr std::uint32_t noTransparentColor = 0x1FFFFFFF;

// The mask (one bit per pixel, 1 where the source equals the transparent colour) and the
// prepared image (a 24-bit copy with those pixels white), rebuilt only when stale.
class TMaskedImage {
public:
    void invalidate() { maskStale_ = preparedStale_ = true; }
    bool isMaskStale() const { return maskStale_; }
    bool isPreparedStale() const { return preparedStale_; }

    const QImage& mask(const QImage& source, std::uint32_t color);
    const QImage& prepared(const QImage& source, std::uint32_t color);
    // Takes another bitmap's mask (assignment copies the mask instead of rebuilding it).
    void setMask(const QImage& mask);

private:
    QImage mask_;
    QImage prepared_;
    bool maskStale_ = true;
    bool preparedStale_ = true;
};

// Builds the colour-key mask of any image: 8-bit images compare palette indices with the first
// index whose entry is exactly the colour (no such entry: nothing is transparent), 24- and
// 32-bit images compare pixel values, others compare each pixel read back.
QImage buildTransparencyMask(const QImage& source, std::uint32_t color);

enum class TransparentMode { Auto, Fixed };

class TSafetyBitmap {
public:
    TSafetyBitmap() = default;
    explicit TSafetyBitmap(QImage image) : image_(std::move(image)) {}

    // Reads a BMP or CBM file; anything else raises the bitmap error.
    void loadFromBytes(QByteArrayView bytes);
    void loadFromFile(const QString& path);
    // A BMP file of the pixels (40-byte header).
    QByteArray saveToBytes() const;

    bool isEmpty() const { return image_.isNull() || image_.width() == 0 || image_.height() == 0; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    const QImage& image() const { return image_; }
    // Replaces the pixels; the mask becomes stale.
    void setImage(QImage image);
    // Writable pixels; the mask becomes stale.
    QImage& editImage();

    bool transparent() const { return transparent_; }
    void setTransparent(bool on) { transparent_ = on; }
    TransparentMode transparentMode() const { return mode_; }
    void setTransparentMode(TransparentMode mode);
    // 0x00BBGGRR; in the automatic mode the colour of the bottom-left pixel.
    std::uint32_t transparentColor() const;
    void setTransparentColor(std::uint32_t color);

    const QImage& mask() const;
    const QImage& preparedImage() const;
    const TMaskedImage& maskedImage() const { return masked_; }
    // Takes a mask built elsewhere (filters must not change which pixels are transparent).
    void setMask(const QImage& mask) { masked_.setMask(mask); }

    // The pixels with an alpha channel: when transparent, the prepared image with the masked
    // pixels at alpha 0; otherwise the image itself.
    QImage alphaImage() const;

    // Shares the pixels and copies the mask.
    void assign(const TSafetyBitmap& source);

    // Draws into rect (logical units), nearest-neighbour stretched.
    void draw(QPainter& painter, const QRect& rect) const;

    // The same shared image.
    bool sameImage(const TSafetyBitmap& other) const { return image_.cacheKey() == other.image_.cacheKey(); }

private:
    void drawTransparent(QPainter& painter, const QRect& rect) const;

    QImage image_;
    bool transparent_ = false;
    TransparentMode mode_ = TransparentMode::Auto;
    std::uint32_t transparentColor_ = 0;
    mutable TMaskedImage masked_;
};

}  // namespace poremi
