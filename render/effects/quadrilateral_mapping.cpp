#include "render/effects/quadrilateral_mapping.h"

#include "render/raster/pixel_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace poremi {

namespace {

// Where a row's centre line crosses the outline, with the source position there.
struct Crossing {
    double x, u, v;
};

// 16.16 fixed point. Positions and steps are bounded first: anything beyond them leaves the
// source within one step and is clamped to its edge all the same, and the sums stay in 64 bits.
constexpr double fixedLimit = double(std::int64_t(1) << 46);
constexpr double stepLimit = double(std::int64_t(1) << 31);

std::int64_t toFixed(double value, double limit)
{
    return std::llround(std::clamp(value * 65536.0, -limit, limit));
}

int sourceIndex(std::int64_t fixed, int size)
{
    // Division truncates toward zero: the nearest-pixel pick of the stepped position.
    return int(std::clamp<std::int64_t>(fixed / 65536, 0, size - 1));
}

template <int Bytes>
void fillSpan(const QImage& source, std::uint8_t* row, int x0, int x1, std::int64_t u, std::int64_t v,
              std::int64_t du, std::int64_t dv)
{
    const int width = source.width();
    const int height = source.height();
    const std::uint8_t* bits = source.constBits();
    const qsizetype stride = source.bytesPerLine();
    for (int x = x0; x < x1; ++x, u += du, v += dv) {
        const std::uint8_t* s = bits + sourceIndex(v, height) * stride + std::ptrdiff_t(sourceIndex(u, width)) * Bytes;
        std::memcpy(row + std::ptrdiff_t(x) * Bytes, s, Bytes);
    }
}

void fillSpan(int bytes, const QImage& source, std::uint8_t* row, int x0, int x1, std::int64_t u, std::int64_t v,
              std::int64_t du, std::int64_t dv)
{
    switch (bytes) {
    case 1: fillSpan<1>(source, row, x0, x1, u, v, du, dv); break;
    case 2: fillSpan<2>(source, row, x0, x1, u, v, du, dv); break;
    case 3: fillSpan<3>(source, row, x0, x1, u, v, du, dv); break;
    default: fillSpan<4>(source, row, x0, x1, u, v, du, dv); break;
    }
}

}  // namespace

MappedBitmap mapOntoQuadrilateral(const QImage& source, const Quadrilateral& corners, const QColor& background)
{
    const int depth = source.depth();
    if (source.isNull() || source.width() <= 0 || source.height() <= 0
        || (depth != 8 && depth != 16 && depth != 24 && depth != 32))
        return {};
    std::int64_t minX = corners[0].x(), maxX = minX, minY = corners[0].y(), maxY = minY;
    for (const QPoint& p : corners) {
        minX = std::min<std::int64_t>(minX, p.x());
        maxX = std::max<std::int64_t>(maxX, p.x());
        minY = std::min<std::int64_t>(minY, p.y());
        maxY = std::max<std::int64_t>(maxY, p.y());
    }
    if (!isAcceptablePictureSize(maxX - minX, maxY - minY))
        return {};
    MappedBitmap mapped;
    mapped.origin = QPoint(int(minX), int(minY));
    mapped.image = QImage(int(maxX - minX), int(maxY - minY), source.format());
    if (mapped.image.isNull())
        return {};
    mapped.image.setColorTable(source.colorTable());
    mapped.image.fill(background);

    const double w = source.width(), h = source.height();
    const double px[4] = {double(corners[0].x() - minX), double(corners[1].x() - minX), double(corners[2].x() - minX),
                          double(corners[3].x() - minX)};
    const double py[4] = {double(corners[0].y() - minY), double(corners[1].y() - minY), double(corners[2].y() - minY),
                          double(corners[3].y() - minY)};
    const double pu[4] = {0, w, w, 0};
    const double pv[4] = {0, 0, h, h};
    const int bytes = depth / 8;
    const int width = mapped.image.width();

    for (int y = 0; y < mapped.image.height(); ++y) {
        const double centre = y + 0.5;
        Crossing left{0, 0, 0}, right{0, 0, 0};
        int crossings = 0;
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            // Half-open in y, so a row through a vertex meets each side once.
            if (py[i] == py[j] || centre < std::min(py[i], py[j]) || centre >= std::max(py[i], py[j]))
                continue;
            const double t = (centre - py[i]) / (py[j] - py[i]);
            const Crossing c{px[i] + t * (px[j] - px[i]), pu[i] + t * (pu[j] - pu[i]), pv[i] + t * (pv[j] - pv[i])};
            if (crossings == 0 || c.x < left.x)
                left = c;
            if (crossings == 0 || c.x > right.x)
                right = c;
            ++crossings;
        }
        if (crossings < 2 || right.x <= left.x)
            continue;
        // The pixels whose centres lie in [left, right).
        const int x0 = std::clamp(int(std::ceil(left.x - 0.5)), 0, width);
        const int x1 = std::clamp(int(std::ceil(right.x - 0.5)), 0, width);
        if (x0 >= x1)
            continue;
        const double du = (right.u - left.u) / (right.x - left.x);
        const double dv = (right.v - left.v) / (right.x - left.x);
        const double offset = x0 + 0.5 - left.x;
        fillSpan(bytes, source, mapped.image.scanLine(y), x0, x1, toFixed(left.u + offset * du, fixedLimit),
                 toFixed(left.v + offset * dv, fixedLimit), toFixed(du, stepLimit), toFixed(dv, stepLimit));
    }
    return mapped;
}

}  // namespace poremi
