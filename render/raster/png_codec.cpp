#include "render/raster/picture_codecs.h"

#include "render/raster/pixel_layout.h"

#include <png.h>

#include <cstring>

namespace poremi {

namespace {

// The simplified reader's control structure, freed however the reading ends.
class PngReader {
public:
    explicit PngReader(QByteArrayView bytes)
    {
        std::memset(&info_, 0, sizeof info_);
        info_.version = PNG_IMAGE_VERSION;
        // A failed begin frees the structure itself.
        if (!png_image_begin_read_from_memory(&info_, bytes.data(), size_t(bytes.size())))
            throw PictureDecodeError();
        if (!isAcceptablePictureSize(info_.width, info_.height)) {
            png_image_free(&info_);
            throw PictureDecodeError();
        }
    }
    ~PngReader() { png_image_free(&info_); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    png_image& info() { return info_; }

private:
    png_image info_;
};

}  // namespace

QSize pngSize(QByteArrayView bytes)
{
    PngReader reader(bytes);
    return QSize(int(reader.info().width), int(reader.info().height));
}

QImage decodePng(QByteArrayView bytes)
{
    PngReader reader(bytes);
    png_image& info = reader.info();
    const bool alpha = (info.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    info.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    QImage image = allocateImage(int(info.width), int(info.height),
                                 alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
    if (!png_image_finish_read(&info, nullptr, image.bits(), png_int_32(image.bytesPerLine()), nullptr))
        throw PictureDecodeError();
    return image;
}

QByteArray encodePng(const QImage& source)
{
    const bool alpha = source.hasAlphaChannel();
    const QImage image = source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
    png_image info;
    std::memset(&info, 0, sizeof info);
    info.version = PNG_IMAGE_VERSION;
    info.width = png_uint_32(image.width());
    info.height = png_uint_32(image.height());
    info.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&info, nullptr, &size, 0, image.constBits(), png_int_32(image.bytesPerLine()),
                                   nullptr))
        throw PictureDecodeError();
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (!png_image_write_to_memory(&info, out.data(), &size, 0, image.constBits(),
                                   png_int_32(image.bytesPerLine()), nullptr))
        throw PictureDecodeError();
    out.resize(qsizetype(size));
    return out;
}

}  // namespace poremi
