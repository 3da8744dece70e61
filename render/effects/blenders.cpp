#include "render/effects/blenders.h"

#include "base/arithmetic.h"
#include "render/effects/effect_tables.h"
#include "render/effects/effector.h"

#include <algorithm>

namespace poremi {

namespace {

// Rectangles in 64 bits: stored ones may span the whole 32-bit range, and their offsets more.
struct Span {
    std::int64_t left, top, right, bottom;

    static Span of(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }
    static Span of(const QImage& image) { return {0, 0, image.width(), image.height()}; }
    std::int64_t width() const { return right - left; }
    std::int64_t height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    Span shifted(std::int64_t dx, std::int64_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Span intersected(const Span& o) const
    {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    bool contains(const Span& o) const
    {
        return !o.isEmpty() && o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
    }
};

template <int Bytes>
void blendArea(QImage& destination, const QImage& source, const QImage& mask, const Span& area,
               std::int64_t sourceDx, std::int64_t sourceDy, std::int64_t maskDx, std::int64_t maskDy,
               const std::array<std::uint8_t, 256>& alphas)
{
    // The blend table row of each mask byte, looked up once per run.
    std::array<const std::uint8_t*, 256> rows;
    for (int i = 0; i < 256; ++i)
        rows[i] = blendTableRow(alphas[i]);
    for (std::int64_t y = area.top; y < area.bottom; ++y) {
        std::uint8_t* d = destination.scanLine(int(y)) + area.left * Bytes;
        const std::uint8_t* s = source.constScanLine(int(y + sourceDy)) + (area.left + sourceDx) * Bytes;
        const std::uint8_t* m = mask.constScanLine(int(y + maskDy)) + (area.left + maskDx);
        for (std::int64_t x = area.left; x < area.right; ++x, d += Bytes, s += Bytes, ++m) {
            const std::uint8_t* row = rows[*m];
            // The table's byte added modulo 256 lands on the blended value.
            d[0] = std::uint8_t(d[0] + row[s[0] - d[0]]);
            d[1] = std::uint8_t(d[1] + row[s[1] - d[1]]);
            d[2] = std::uint8_t(d[2] + row[s[2] - d[2]]);
        }
    }
}

}  // namespace

void TGRBlender::setSource(const QImage& source, const TRect& rect)
{
    source_ = source;
    sourceRect_ = rect;
}

void TGRBlender::setMask(const QImage& mask, const TRect& rect)
{
    mask_ = mask;
    maskRect_ = rect;
}

bool TGRBlender::formatsValid(const QImage& destination) const
{
    return effectBytesPerPixel(source_) != 0 && source_.format() == destination.format() && !mask_.isNull()
        && mask_.depth() == 8;
}

void TGRBlender::execute(QImage& destination) const
{
    if (!formatsValid(destination))
        return;
    const Span maskRect = Span::of(maskRect_);
    if (!Span::of(mask_).contains(maskRect))
        return;
    const Span target = Span::of(destinationRect_);
    const Span sourceRect = Span::of(sourceRect_);
    if (sourceRect.width() != target.width() || sourceRect.height() != target.height()
        || maskRect.width() != target.width() || maskRect.height() != target.height())
        return;
    const std::int64_t sourceDx = sourceRect.left - target.left, sourceDy = sourceRect.top - target.top;
    const std::int64_t maskDx = maskRect.left - target.left, maskDy = maskRect.top - target.top;
    const Span area = target.intersected(Span::of(destination))
                          .intersected(sourceRect.intersected(Span::of(source_)).shifted(-sourceDx, -sourceDy))
                          .intersected(maskRect.shifted(-maskDx, -maskDy));
    if (area.isEmpty())
        return;
    const std::array<std::uint8_t, 256> alphas = alphaTable();
    if (effectBytesPerPixel(destination) == 4)
        blendArea<4>(destination, source_, mask_, area, sourceDx, sourceDy, maskDx, maskDy, alphas);
    else
        blendArea<3>(destination, source_, mask_, area, sourceDx, sourceDy, maskDx, maskDy, alphas);
}

std::array<std::uint8_t, 256> TGRBlendAlphaMap::alphaTable() const
{
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = std::uint8_t(i);
    return table;
}

std::array<std::uint8_t, 256> TGRBlendAlphaMapRatio::alphaTable() const
{
    const int ratio = std::clamp(ratio_, 0, 100);
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = std::uint8_t(std::min(255, mulDiv(i, ratio, 100)));
    return table;
}

}  // namespace poremi
