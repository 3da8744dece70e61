#pragma once
// Row walking shared by the effectors: a source rectangle and a destination of its size, both
// blue, green, red pixels of 3 or 4 bytes.

#include <QtCore/QRect>
#include <QtGui/QImage>

#include <cstdint>

namespace poremi::effect_pixels {

// Calls perPixel(sourcePixel, destinationPixel) for every pixel; perPixel writes the blue,
// green and red bytes, the fourth byte of 32-bit pixels is set to 0xFF here.
template <int Bytes, class PerPixel>
void forEachPixel(const QImage& source, const QRect& rect, QImage& destination, PerPixel perPixel)
{
    for (int y = 0; y < rect.height(); ++y) {
        const std::uint8_t* s = source.constScanLine(rect.top() + y) + std::ptrdiff_t(rect.left()) * Bytes;
        std::uint8_t* d = destination.scanLine(y);
        for (int x = 0; x < rect.width(); ++x, s += Bytes, d += Bytes) {
            perPixel(s, d);
            if constexpr (Bytes == 4)
                d[3] = 0xFF;
        }
    }
}

// forEachPixel with the pixel size of the images (3 or 4).
template <class PerPixel>
void forEachPixel(int bytes, const QImage& source, const QRect& rect, QImage& destination, PerPixel perPixel)
{
    if (bytes == 4)
        forEachPixel<4>(source, rect, destination, perPixel);
    else
        forEachPixel<3>(source, rect, destination, perPixel);
}

}  // namespace poremi::effect_pixels
