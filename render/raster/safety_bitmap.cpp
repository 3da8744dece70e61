#include "render/raster/safety_bitmap.h"

#include "render/raster/bmp_reader.h"
#include "render/raster/dib.h"
#include "render/raster/pixel_layout.h"

#include <QtCore/QFile>
#include <QtGui/QPainter>

namespace poremi {

QImage buildTransparencyMask(const QImage& source, std::uint32_t color)
{
    QImage mask = allocateImage(source.width(), source.height(), QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    const QRgb key = qRgbFromColorRef(color);
    const int w = source.width();
    auto setBit = [&mask](int x, int y) { mask.scanLine(y)[x >> 3] |= uchar(0x80 >> (x & 7)); };

    if (source.format() == QImage::Format_Indexed8) {
        const QList<QRgb> table = source.colorTable();
        int index = -1;
        for (int i = 0; i < table.size() && index < 0; ++i)
            if ((table[i] | 0xFF000000u) == key)
                index = i;
        if (index < 0)
            return mask;
        for (int y = 0; y < source.height(); ++y) {
            const uchar* row = source.constScanLine(y);
            for (int x = 0; x < w; ++x)
                if (row[x] == index)
                    setBit(x, y);
        }
        return mask;
    }
    if (source.format() == QImage::Format_BGR888 || source.format() == QImage::Format_RGB888) {
        const bool bgr = source.format() == QImage::Format_BGR888;
        const uchar r = uchar(qRed(key)), g = uchar(qGreen(key)), b = uchar(qBlue(key));
        for (int y = 0; y < source.height(); ++y) {
            const uchar* p = source.constScanLine(y);
            for (int x = 0; x < w; ++x, p += 3)
                if (p[1] == g && (bgr ? (p[0] == b && p[2] == r) : (p[0] == r && p[2] == b)))
                    setBit(x, y);
        }
        return mask;
    }
    if (source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32) {
        for (int y = 0; y < source.height(); ++y) {
            const auto* p = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int x = 0; x < w; ++x)
                if ((p[x] & 0x00FFFFFFu) == (key & 0x00FFFFFFu))
                    setBit(x, y);
        }
        return mask;
    }
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < w; ++x)
            if ((source.pixel(x, y) | 0xFF000000u) == key)
                setBit(x, y);
    return mask;
}

const QImage& TMaskedImage::mask(const QImage& source, std::uint32_t color)
{
    if (maskStale_) {
        mask_ = buildTransparencyMask(source, color);
        maskStale_ = false;
    }
    return mask_;
}

const QImage& TMaskedImage::prepared(const QImage& source, std::uint32_t color)
{
    if (preparedStale_) {
        const QImage& bits = mask(source, color);
        prepared_ = convertImage(source, QImage::Format_BGR888);
        for (int y = 0; y < prepared_.height(); ++y) {
            const uchar* m = bits.constScanLine(y);
            uchar* p = prepared_.scanLine(y);
            for (int x = 0; x < prepared_.width(); ++x)
                if (m[x >> 3] & (0x80 >> (x & 7)))
                    p[3 * x] = p[3 * x + 1] = p[3 * x + 2] = 0xFF;
        }
        preparedStale_ = false;
    }
    return prepared_;
}

void TMaskedImage::setMask(const QImage& mask)
{
    mask_ = mask;
    maskStale_ = mask.isNull();
    preparedStale_ = true;
}

void TSafetyBitmap::loadFromBytes(QByteArrayView bytes)
{
    setImage(readBmp(bytes));
}

void TSafetyBitmap::loadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw InvalidBitmapError();
    loadFromBytes(file.readAll());
}

QByteArray TSafetyBitmap::saveToBytes() const
{
    return writeBmp(image_);
}

void TSafetyBitmap::setImage(QImage image)
{
    image_ = std::move(image);
    masked_.invalidate();
}

QImage& TSafetyBitmap::editImage()
{
    masked_.invalidate();
    return image_;
}

void TSafetyBitmap::setTransparentMode(TransparentMode mode)
{
    if (mode_ != mode) {
        mode_ = mode;
        masked_.invalidate();
    }
}

std::uint32_t TSafetyBitmap::transparentColor() const
{
    if (mode_ == TransparentMode::Fixed || isEmpty())
        return transparentColor_;
    return colorRefFromQRgb(image_.pixel(0, image_.height() - 1));
}

void TSafetyBitmap::setTransparentColor(std::uint32_t color)
{
    if (mode_ != TransparentMode::Fixed || transparentColor_ != color) {
        transparentColor_ = color;
        mode_ = TransparentMode::Fixed;
        masked_.invalidate();
    }
}

const QImage& TSafetyBitmap::mask() const
{
    return masked_.mask(image_, transparentColor());
}

const QImage& TSafetyBitmap::preparedImage() const
{
    return masked_.prepared(image_, transparentColor());
}

void TSafetyBitmap::assign(const TSafetyBitmap& source)
{
    image_ = source.image_;
    transparent_ = source.transparent_;
    mode_ = source.mode_;
    transparentColor_ = source.transparentColor_;
    masked_ = source.masked_;
}

void TSafetyBitmap::draw(QPainter& painter, const QRect& rect) const
{
    if (isEmpty() || rect.isEmpty())
        return;
    if (transparent_)
        drawTransparent(painter, rect);
    else
        TDIB(image_).draw(painter, rect);
}

void TSafetyBitmap::drawTransparent(QPainter& painter, const QRect& rect) const
{
    const QImage& bits = mask();
    const QImage& prepared = preparedImage();
    QRect device, visible;
    if (isRasterTarget(painter) && visibleDeviceRect(painter, rect, device, visible)) {
        if (visible.isEmpty())
            return;
        const QRect part = visible.translated(-device.topLeft());
        const QImage maskPart = stretchNearest(bits, bits.rect(), device.size(), part)
                                    .convertToFormat(QImage::Format_RGB32);
        const QImage imagePart = stretchNearest(prepared, prepared.rect(), device.size(), part)
                                     .convertToFormat(QImage::Format_RGB32);
        painter.save();
        painter.resetTransform();
        painter.setViewTransformEnabled(false);
        painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
        painter.drawImage(visible.topLeft(), maskPart);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(visible.topLeft(), imagePart);
        painter.restore();
        return;
    }
    // Vector targets have no raster operations: the mask becomes the alpha channel.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(rect), alphaImage());
    painter.restore();
}

QImage TSafetyBitmap::alphaImage() const
{
    if (!transparent_ || isEmpty())
        return image_;
    const QImage& bits = mask();
    QImage withAlpha = convertImage(preparedImage(), QImage::Format_ARGB32);
    for (int y = 0; y < withAlpha.height(); ++y) {
        const uchar* m = bits.constScanLine(y);
        auto* p = reinterpret_cast<QRgb*>(withAlpha.scanLine(y));
        for (int x = 0; x < withAlpha.width(); ++x)
            if (m[x >> 3] & (0x80 >> (x & 7)))
                p[x] = 0;
    }
    return withAlpha;
}

}  // namespace poremi
