#pragma once
// Small bitmaps for the effect tests, read and written as blue, green, red bytes.

#include <QtGui/QImage>

#include <array>
#include <cstdint>

namespace poremi::test {

using Bgr = std::array<int, 3>;

inline int bytesOf(const QImage& image) { return image.format() == QImage::Format_RGB32 ? 4 : 3; }

inline Bgr bgrAt(const QImage& image, int x, int y)
{
    const std::uint8_t* p = image.constScanLine(y) + x * bytesOf(image);
    return {p[0], p[1], p[2]};
}

inline void setBgr(QImage& image, int x, int y, Bgr value)
{
    std::uint8_t* p = image.scanLine(y) + x * bytesOf(image);
    for (int c = 0; c < 3; ++c)
        p[c] = std::uint8_t(value[c]);
    if (bytesOf(image) == 4)
        p[3] = 0xFF;
}

inline QImage uniformImage(int w, int h, Bgr value, QImage::Format format = QImage::Format_BGR888)
{
    QImage image(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setBgr(image, x, y, value);
    return image;
}

// A deterministic colourful picture.
inline QImage patternImage(int w, int h, QImage::Format format = QImage::Format_BGR888)
{
    QImage image(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setBgr(image, x, y, {(x * 37 + y * 11) & 0xFF, (x * y * 7 + 3) & 0xFF, (255 - x * 5 - y * 13) & 0xFF});
    return image;
}

// The pixel bytes of every row, without row padding, for byte-exact comparison.
inline QByteArray pixelBytes(const QImage& image)
{
    QByteArray bytes;
    const int rowBytes = image.width() * image.depth() / 8;
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    return bytes;
}

}  // namespace poremi::test
