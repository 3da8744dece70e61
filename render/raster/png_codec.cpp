#include "render/raster/picture_codecs.h"

#include "render/raster/pixel_layout.h"

#include <png.h>

#include <cstring>

namespace poremi {

QImage decodePng(QByteArrayView bytes)
{
    png_image info;
    std::memset(&info, 0, sizeof info);
    info.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&info, bytes.data(), size_t(bytes.size())))
        throw PictureDecodeError();
    if (!isAcceptablePictureSize(info.width, info.height)) {
        png_image_free(&info);
        throw PictureDecodeError();
    }
    const bool alpha = (info.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    info.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    QImage image(int(info.width), int(info.height), alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
    if (image.isNull()) {
        png_image_free(&info);
        throw PictureDecodeError();
    }
    if (!png_image_finish_read(&info, nullptr, image.bits(), png_int_32(image.bytesPerLine()), nullptr)) {
        png_image_free(&info);
        throw PictureDecodeError();
    }
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
