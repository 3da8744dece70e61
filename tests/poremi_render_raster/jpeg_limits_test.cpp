// The JPEG decoder's limits: the number of progressive scans, and CMYK pictures on the success
// and the error path (the leak checker of the sanitizer build watches the latter).

#include "render/raster/picture_codecs.h"

#include <QtGui/QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

using namespace poremi;

namespace {

constexpr int side = 16;

// A progressive file of exactly scanCount scans: one DC scan of all components, then AC bands
// of single components (63 coefficients each at most).
std::vector<jpeg_scan_info> progressiveScript(int scanCount, int components)
{
    std::vector<jpeg_scan_info> scans;
    jpeg_scan_info dc{};
    dc.comps_in_scan = components;
    for (int c = 0; c < components; ++c)
        dc.component_index[c] = c;
    scans.push_back(dc);
    int bands = scanCount - 1;
    for (int c = 0; c < components && bands > 0; ++c) {
        const int here = std::min(bands, 63);
        for (int i = 0; i < here; ++i) {
            jpeg_scan_info ac{};
            ac.comps_in_scan = 1;
            ac.component_index[0] = c;
            ac.Ss = 1 + 63 * i / here;
            ac.Se = 63 * (i + 1) / here;
            scans.push_back(ac);
        }
        bands -= here;
    }
    return scans;
}

// Encodes a side × side picture: three-component colour or four-component CMYK (stored the way
// Adobe writes it, inverted), baseline when scanCount is 0.
QByteArray encode(bool cmyk, int scanCount)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = side;
    info.image_height = side;
    info.input_components = cmyk ? 4 : 3;
    info.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    std::vector<jpeg_scan_info> script;
    if (scanCount > 0) {
        script = progressiveScript(scanCount, info.num_components);
        info.scan_info = script.data();
        info.num_scans = int(script.size());
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(size_t(side) * size_t(info.input_components));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            unsigned char* p = row.data() + x * info.input_components;
            if (cmyk) {
                p[0] = 255, p[1] = 0, p[2] = 0, p[3] = 255;  // shows as red
            } else {
                p[0] = 20, p[1] = 200, p[2] = 60;
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 && std::abs(qBlue(a) - qBlue(b)) < 8;
}

}  // namespace

TEST(JpegLimits, AHundredProgressiveScansDecodeAndMoreAreRefused)
{
    for (const int scans : {10, 100}) {
        SCOPED_TRACE(scans);
        const QImage image = decodeJpeg(encode(false, scans));
        ASSERT_EQ(image.size(), QSize(side, side));
        EXPECT_TRUE(near(image.pixel(5, 5), qRgb(20, 200, 60)));
    }
    for (const int scans : {101, 190}) {
        SCOPED_TRACE(scans);
        const QByteArray file = encode(false, scans);
        // The header alone is fine; the scans are met while decoding.
        EXPECT_EQ(jpegSize(file), QSize(side, side));
        EXPECT_THROW(decodeJpeg(file), PictureDecodeError);
    }
}

TEST(JpegLimits, CmykPicturesDecodeAndFailWithoutLeaking)
{
    const QImage image = decodeJpeg(encode(true, 0));
    ASSERT_EQ(image.size(), QSize(side, side));
    EXPECT_TRUE(near(image.pixel(3, 3), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(decodeJpeg(encode(true, 0), 2).pixel(1, 1), qRgb(255, 0, 0)));

    EXPECT_THROW(decodeJpeg(encode(true, 150)), PictureDecodeError);
    QByteArray cut = encode(true, 0);
    cut.truncate(cut.indexOf("\xFF\xDA") + 4);  // the scan header itself is cut off
    EXPECT_THROW(decodeJpeg(cut), PictureDecodeError);
}
