#include "render/effects/box_blur.h"

#include "base/arithmetic.h"
#include "render/effects/effect_pixels.h"
#include "render/effects/effect_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace poremi {

namespace {

// The three-pixel horizontal sums of one row, per channel, the edge pixels counted twice.
template <int Bytes>
void rowSums(const std::uint8_t* p, int width, std::uint16_t* sums)
{
    if (width == 1) {
        for (int c = 0; c < 3; ++c)
            sums[c] = std::uint16_t(3 * p[c]);
        return;
    }
    for (int c = 0; c < 3; ++c)
        sums[c] = std::uint16_t(2 * p[c] + p[Bytes + c]);
    for (int x = 1; x < width - 1; ++x, sums += 3, p += Bytes)
        for (int c = 0; c < 3; ++c)
            sums[3 + c] = std::uint16_t(p[c] + p[Bytes + c] + p[2 * Bytes + c]);
    // p now points at pixel width − 2, sums at the sums of pixel width − 2.
    for (int c = 0; c < 3; ++c)
        sums[3 + c] = std::uint16_t(p[c] + 2 * p[Bytes + c]);
}

// One pass from rect of in into out (of the rectangle's size). Only three rows of sums are
// kept: row r lives in slot r mod 3, so rows y − 1, y and y + 1 never share a slot.
template <int Bytes>
void boxPass(const QImage& in, const QRect& rect, QImage& out, std::vector<std::uint16_t>& buffer)
{
    const int width = rect.width();
    const int height = rect.height();
    const std::size_t rowSize = std::size_t(3) * width;
    const std::uint8_t* average = boxAverageTable();
    auto slot = [&](int row) { return buffer.data() + std::size_t(row % 3) * rowSize; };
    auto sumRow = [&](int row) {
        rowSums<Bytes>(in.constScanLine(rect.top() + row) + std::ptrdiff_t(rect.left()) * Bytes, width, slot(row));
    };
    sumRow(0);
    if (height > 1)
        sumRow(1);
    for (int y = 0; y < height; ++y) {
        if (y >= 1 && y + 1 < height)
            sumRow(y + 1);
        const std::uint16_t* above = slot(std::max(y - 1, 0));
        const std::uint16_t* here = slot(y);
        const std::uint16_t* below = slot(std::min(y + 1, height - 1));
        std::uint8_t* d = out.scanLine(y);
        for (int x = 0; x < width; ++x, d += Bytes) {
            const std::size_t i = std::size_t(3) * x;
            d[0] = average[above[i] + here[i] + below[i]];
            d[1] = average[above[i + 1] + here[i + 1] + below[i + 1]];
            d[2] = average[above[i + 2] + here[i + 2] + below[i + 2]];
            if constexpr (Bytes == 4)
                d[3] = 0xFF;
        }
    }
}

// The passes alternate between destination and one temporary bitmap, starting so that the
// last pass writes destination.
template <int Bytes>
bool blurPasses(const QImage& source, const QRect& rect, QImage& destination, int passes)
{
    QImage temporary;
    if (passes > 1) {
        temporary = QImage(destination.size(), destination.format());
        if (temporary.isNull())
            return false;
    }
    std::vector<std::uint16_t> buffer(std::size_t(9) * rect.width());
    QImage* target = passes % 2 ? &destination : &temporary;
    QImage* previous = passes % 2 ? &temporary : &destination;
    boxPass<Bytes>(source, rect, *target, buffer);
    const QRect whole(QPoint(0, 0), destination.size());
    for (int pass = 1; pass < passes; ++pass) {
        std::swap(target, previous);
        boxPass<Bytes>(*previous, whole, *target, buffer);
    }
    return true;
}

bool blur(const QImage& source, const QRect& rect, QImage& destination, int passCount)
{
    const int passes = std::clamp(passCount, 1, maxBlurPasses);
    return effectBytesPerPixel(source) == 4 ? blurPasses<4>(source, rect, destination, passes)
                                            : blurPasses<3>(source, rect, destination, passes);
}

}  // namespace

bool TGREffectBlur::run(const QImage& source, const QRect& rect, QImage& destination) const
{
    return blur(source, rect, destination, passCount_);
}

bool TGREffectUnsharpMask::run(const QImage& source, const QRect& rect, QImage& destination) const
{
    // Not-a-number and huge strengths from a caller become a bounded pass count first.
    const double strength = std::isnan(strength_) ? 0.0 : std::clamp(strength_, 0.0, double(maxBlurPasses));
    if (!blur(source, rect, destination, int(roundHalfEven(strength))))
        return false;
    effect_pixels::forEachPixel(effectBytesPerPixel(source), source, rect, destination,
                                [](const std::uint8_t* s, std::uint8_t* d) {
                                    for (int c = 0; c < 3; ++c)
                                        d[c] = std::uint8_t(std::clamp(2 * s[c] - d[c], 0, 255));
                                });
    return true;
}

}  // namespace poremi
