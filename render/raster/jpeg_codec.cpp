#include "render/raster/picture_codecs.h"

#include "render/raster/pixel_layout.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace poremi {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void leave(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void silence(j_common_ptr, int) {}

// A progressive file may split its data into any number of scans, each of which makes the
// library pass over the whole coefficient buffer again; real encoders write about ten.
constexpr int maxScans = 100;

void limitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > maxScans)
        leave(info);
}

bool isCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

enum class Decoded { Ok, Broken, OutOfMemory };

// Everything between setjmp and the end lives in plain C storage or in the library's own pools,
// which jpeg_destroy_decompress frees, so a jump out of the library skips no destructor and
// leaks no buffer. The image is the caller's and allocated before the first call that can jump.
Decoded decode(const unsigned char* data, unsigned long size, int denominator, bool headerOnly, QImage* image,
               QSize* fullSize)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leave;
    errors.base.emit_message = silence;
    progress.progress_monitor = limitScans;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return Decoded::Broken;
    }
    jpeg_create_decompress(&info);
    // The library's own buffers (a progressive file keeps every coefficient of the picture)
    // get the same budget as the pixels; beyond it the library fails instead of allocating.
    info.mem->max_memory_to_use = long(maxPictureBytes);
    info.progress = &progress;
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    *fullSize = QSize(int(info.image_width), int(info.image_height));
    const bool acceptable = isAcceptablePictureSize(info.image_width, info.image_height);
    if (headerOnly || !acceptable) {
        jpeg_destroy_decompress(&info);
        return acceptable ? Decoded::Ok : Decoded::Broken;
    }
    info.scale_num = 1;
    info.scale_denom = unsigned(denominator);
    const bool cmyk = isCmyk(info.jpeg_color_space);
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&info);
    *image = QImage(int(info.output_width), int(info.output_height), QImage::Format_BGR888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        return Decoded::OutOfMemory;
    }
    jpeg_start_decompress(&info);
    JSAMPARRAY cmykRow = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                          info.output_width * 4, 1)
                              : nullptr;
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        unsigned char* target = image->scanLine(y);
        JSAMPROW row = cmyk ? cmykRow[0] : target;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) {
            // Adobe writes the channels inverted.
            const JSAMPROW in = cmykRow[0];
            for (unsigned x = 0; x < info.output_width; ++x) {
                const unsigned k = in[4 * x + 3];
                target[3 * x] = (unsigned char)(in[4 * x + 2] * k / 255);
                target[3 * x + 1] = (unsigned char)(in[4 * x + 1] * k / 255);
                target[3 * x + 2] = (unsigned char)(in[4 * x] * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return Decoded::Ok;
}

void raise(Decoded result)
{
    if (result == Decoded::OutOfMemory)
        throw OutOfMemoryError();
    if (result == Decoded::Broken)
        throw PictureDecodeError();
}

int validDenominator(int d)
{
    return (d == 2 || d == 4 || d == 8) ? d : 1;
}

bool encode(const QImage& image, int quality, unsigned char** out, unsigned long* size)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leave;
    errors.base.emit_message = silence;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

QImage decodeJpeg(QByteArrayView bytes, int scaleDenominator)
{
    if (bytes.isEmpty())
        throw PictureDecodeError();
    QImage image;
    QSize size;
    raise(decode(reinterpret_cast<const unsigned char*>(bytes.data()), (unsigned long)bytes.size(),
                 validDenominator(scaleDenominator), false, &image, &size));
    return image;
}

QSize jpegSize(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        throw PictureDecodeError();
    QImage image;
    QSize size;
    raise(decode(reinterpret_cast<const unsigned char*>(bytes.data()), (unsigned long)bytes.size(), 1, true, &image,
                 &size));
    return size;
}

QByteArray encodeJpeg(const QImage& source, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_BGR888);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const bool ok = !image.isNull() && encode(image, quality, &out, &size);
    QByteArray result = ok ? QByteArray(reinterpret_cast<const char*>(out), qsizetype(size)) : QByteArray();
    std::free(out);
    if (!ok)
        throw PictureDecodeError();
    return result;
}

}  // namespace poremi
