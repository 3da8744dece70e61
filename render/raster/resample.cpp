#include "render/raster/resample.h"

#include "render/raster/pixel_layout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace poremi {

namespace {

// Values between the passes carry 8 fractional bits.
constexpr int fractionBits = 8;

std::uint8_t finalByte(std::int64_t v)
{
    const std::int64_t r = (v + 128) >> fractionBits;
    return std::uint8_t(std::clamp<std::int64_t>(r, 0, 255));
}

std::int64_t floorShift16(std::int64_t v) { return v >> 16; }  // arithmetic shift: floor

// How one axis maps destination positions onto source positions.
struct AxisPlan {
    enum Kind { Copy, Average, Interpolate } kind = Copy;
    // Average: per destination pixel the first source index and weights of the covered pixels.
    std::vector<int> first;
    std::vector<int> weightStart;  // into weights, one past the end for the last pixel
    std::vector<std::int32_t> weights;
    // Interpolate: per destination pixel k0 and the 16-bit fraction t.
    std::vector<int> k0;
    std::vector<std::int32_t> t;
};

// Source length s, destination length d, destination pixels [from, to).
AxisPlan planAxis(int s, int d, int from, int to, bool horizontal)
{
    AxisPlan plan;
    if (s == d) {
        plan.kind = AxisPlan::Copy;
        return plan;
    }
    if (d < s) {
        plan.kind = AxisPlan::Average;
        // Horizontally the ratio is rounded and end fractions kept to 1/256; vertically it is
        // truncated and fractions kept to 1/65536.
        const std::int64_t ratio = horizontal ? (std::int64_t(s) * 65536 * 2 + d) / (2 * std::int64_t(d))
                                              : std::int64_t(s) * 65536 / d;
        const int dropBits = horizontal ? 8 : 0;
        for (int j = from; j < to; ++j) {
            const std::int64_t a = j * ratio;
            const std::int64_t b = (j + 1) * ratio;
            const std::int64_t k1 = a >> 16;
            const std::int64_t k2 = (b - 1) >> 16;
            plan.first.push_back(int(k1));
            plan.weightStart.push_back(int(plan.weights.size()));
            for (std::int64_t k = k1; k <= k2; ++k) {
                const std::int64_t covered = std::min(b, (k + 1) << 16) - std::max(a, k << 16);
                plan.weights.push_back(std::int32_t(covered >> dropBits));
            }
        }
        plan.weightStart.push_back(int(plan.weights.size()));
        return plan;
    }
    plan.kind = AxisPlan::Interpolate;
    const std::int64_t step = std::int64_t(s) * 65536 / d;
    for (int j = from; j < to; ++j) {
        const std::int64_t x = j * step - 32768;
        plan.k0.push_back(int(floorShift16(x)));
        plan.t.push_back(std::int32_t(x & 0xFFFF));
    }
    return plan;
}

// p[k] with edge replication.
struct EdgeRow {
    const std::uint8_t* row;
    int length;
    int channels;
    int at(int k, int c) const { return row[std::clamp(k, 0, length - 1) * channels + c]; }
};

std::int64_t cubicNested(std::int64_t pm1, std::int64_t p0, std::int64_t p1, std::int64_t p2, std::int64_t t)
{
    // v = p0 + ½·t·((p1 − p−1) + t·((2p−1 − 5p0 + 4p1 − p2) + t·(3(p0 − p1) + p2 − p−1))), t in 1/65536.
    const std::int64_t a = p1 - pm1;
    const std::int64_t b = 2 * pm1 - 5 * p0 + 4 * p1 - p2;
    const std::int64_t c = 3 * (p0 - p1) + p2 - pm1;
    const std::int64_t x1 = (b << 16) + t * c;
    const std::int64_t x2 = (a << 16) + ((t * x1) >> 16);
    const std::int64_t x3 = (t * x2) >> 16;
    return (p0 << fractionBits) + (x3 >> (17 - fractionBits));
}

class HorizontalPass {
public:
    HorizontalPass(int sourceWidth, int destinationWidth, int from, int to, int channels, ResampleMode mode)
        : plan_(planAxis(sourceWidth, destinationWidth, from, to, true)), s_(sourceWidth), from_(from),
          count_(to - from), channels_(channels), mode_(mode) {}

    int width() const { return count_; }

    void run(const std::uint8_t* in, std::int32_t* out) const
    {
        const int ch = channels_;
        switch (plan_.kind) {
        case AxisPlan::Copy:
            for (int j = 0; j < count_ * ch; ++j)
                out[j] = std::int32_t(in[from_ * ch + j]) << fractionBits;
            break;
        case AxisPlan::Average:
            for (int j = 0; j < count_; ++j) {
                const int w0 = plan_.weightStart[j], w1 = plan_.weightStart[j + 1];
                const int first = plan_.first[j];
                for (int c = 0; c < ch; ++c) {
                    std::int64_t sum = 0, total = 0;
                    for (int w = w0; w < w1; ++w) {
                        const int k = std::min(first + (w - w0), s_ - 1);
                        sum += std::int64_t(plan_.weights[w]) * in[k * ch + c];
                        total += plan_.weights[w];
                    }
                    out[j * ch + c] = std::int32_t(total ? (sum / total) << fractionBits : 0);
                }
            }
            break;
        case AxisPlan::Interpolate: {
            const EdgeRow row{in, s_, ch};
            for (int j = 0; j < count_; ++j) {
                const int k = plan_.k0[j];
                const std::int64_t t = plan_.t[j];
                for (int c = 0; c < ch; ++c) {
                    const std::int64_t p0 = row.at(k, c), p1 = row.at(k + 1, c);
                    std::int64_t v;
                    if (mode_ == ResampleMode::Cubic)
                        v = cubicNested(row.at(k - 1, c), p0, p1, row.at(k + 2, c), t);
                    else
                        v = (p0 << fractionBits) + ((t * (p1 - p0)) >> (16 - fractionBits));
                    out[j * ch + c] = std::int32_t(v);
                }
            }
            break;
        }
        }
    }

private:
    AxisPlan plan_;
    int s_, from_, count_, channels_;
    ResampleMode mode_;
};

// Horizontally resampled source rows, loaded in increasing order, each index once, four kept.
class RowCache {
public:
    RowCache(const QImage& source, const QRect& rect, const HorizontalPass& pass, int channels)
        : source_(source), rect_(rect), pass_(pass), channels_(channels)
    {
        for (auto& slot : slots_)
            slot.values.resize(size_t(pass.width()) * size_t(channels));
    }

    const std::int32_t* row(int k)
    {
        k = std::clamp(k, 0, rect_.height() - 1);
        for (auto& slot : slots_)
            if (slot.index == k)
                return slot.values.data();
        Slot& slot = *std::min_element(slots_.begin(), slots_.end(),
                                       [](const Slot& a, const Slot& b) { return a.index < b.index; });
        const std::uint8_t* in = source_.constScanLine(rect_.top() + k) + rect_.left() * channels_;
        pass_.run(in, slot.values.data());
        slot.index = k;
        return slot.values.data();
    }

private:
    struct Slot {
        int index = -1;
        std::vector<std::int32_t> values;
    };
    const QImage& source_;
    QRect rect_;
    const HorizontalPass& pass_;
    int channels_;
    std::array<Slot, 4> slots_;
};

void cubicWeights(std::int64_t t16, std::array<std::int64_t, 4>& w)
{
    // −t(1 − t)²/2, (3t³ − 5t² + 2)/2, (−3t³ + 4t² + t)/2, t²(t − 1)/2 with t reduced to 8 bits;
    // the weights are kept doubled in units of 2⁻²⁴ (they sum to 2²⁵).
    const std::int64_t t = t16 >> 8, u = 256;
    w[0] = -t * (u - t) * (u - t);
    w[1] = 3 * t * t * t - 5 * t * t * u + 2 * u * u * u;
    w[2] = -3 * t * t * t + 4 * t * t * u + t * u * u;
    w[3] = t * t * (t - u);
}

void resampleNearest(QImage& destination, const QImage& source, const QRect& rect,
                     const QSize& full, const QRect& window, int channels)
{
    const int w = rect.width(), h = rect.height(), W = full.width(), H = full.height();
    std::vector<int> columns;
    for (int j = window.left(); j <= window.right(); ++j)
        columns.push_back(rect.left() + int((std::int64_t(j) * w + w / 2) / W));
    int previous = -1;
    for (int i = window.top(); i <= window.bottom(); ++i) {
        const int y = i - window.top();
        const int sourceRow = rect.top() + int((std::int64_t(i) * h + h / 2) / H);
        std::uint8_t* out = destination.scanLine(y);
        if (sourceRow == previous) {
            std::memcpy(out, destination.constScanLine(y - 1), size_t(columns.size()) * size_t(channels));
            continue;
        }
        const std::uint8_t* in = source.constScanLine(sourceRow);
        for (size_t j = 0; j < columns.size(); ++j)
            std::memcpy(out + j * size_t(channels), in + size_t(columns[j]) * size_t(channels), size_t(channels));
        previous = sourceRow;
    }
}

void resampleSeparable(QImage& destination, const QImage& source, const QRect& rect,
                       const QSize& full, const QRect& window, int channels, ResampleMode mode)
{
    const HorizontalPass horizontal(rect.width(), full.width(), window.left(), window.right() + 1, channels, mode);
    const AxisPlan vertical = planAxis(rect.height(), full.height(), window.top(), window.bottom() + 1, false);
    RowCache cache(source, rect, horizontal, channels);
    const int n = horizontal.width() * channels;
    std::vector<std::int64_t> accumulator(static_cast<size_t>(n));

    for (int i = 0; i < window.height(); ++i) {
        std::uint8_t* out = destination.scanLine(i);
        switch (vertical.kind) {
        case AxisPlan::Copy: {
            const std::int32_t* r = cache.row(window.top() + i);
            for (int x = 0; x < n; ++x)
                out[x] = finalByte(r[x]);
            break;
        }
        case AxisPlan::Average: {
            std::fill(accumulator.begin(), accumulator.end(), 0);
            const int w0 = vertical.weightStart[i], w1 = vertical.weightStart[i + 1];
            std::int64_t total = 0;
            for (int w = w0; w < w1; ++w) {
                const std::int32_t* r = cache.row(vertical.first[i] + (w - w0));
                const std::int64_t weight = vertical.weights[w];
                total += weight;
                for (int x = 0; x < n; ++x)
                    accumulator[x] += weight * r[x];
            }
            // The mean is truncated to a whole value.
            for (int x = 0; x < n; ++x)
                out[x] = std::uint8_t(std::clamp<std::int64_t>(
                    total ? accumulator[x] / (total << fractionBits) : 0, 0, 255));
            break;
        }
        case AxisPlan::Interpolate: {
            const int k = vertical.k0[i];
            const std::int64_t t = vertical.t[i];
            if (mode == ResampleMode::Cubic) {
                std::array<std::int64_t, 4> w;
                cubicWeights(t, w);
                const std::int32_t* r0 = cache.row(k - 1);
                const std::int32_t* r1 = cache.row(k);
                const std::int32_t* r2 = cache.row(k + 1);
                const std::int32_t* r3 = cache.row(k + 2);
                for (int x = 0; x < n; ++x) {
                    const std::int64_t v = w[0] * r0[x] + w[1] * r1[x] + w[2] * r2[x] + w[3] * r3[x];
                    out[x] = finalByte(v >> 25);
                }
            } else {
                // t is taken to 15 bits so that the products stay within 32 bits.
                const std::int32_t* r0 = cache.row(k);
                const std::int32_t* r1 = cache.row(k + 1);
                const std::int32_t t15 = std::int32_t(t >> 1);
                for (int x = 0; x < n; ++x) {
                    const std::int32_t v = r0[x] + ((t15 * (r1[x] - r0[x])) >> 15);
                    out[x] = std::uint8_t(std::clamp((v + 128) >> fractionBits, 0, 255));
                }
            }
            break;
        }
        }
    }
}

}  // namespace

bool intersectRects(const QRect& a, const QRect& b, QRect* result)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QRect r = a.intersected(b);
    if (r.isEmpty())
        return false;
    if (result)
        *result = r;
    return true;
}

void resampleWindow(QImage& destination, const QImage& source, const QRect& sourceRect,
                    const QSize& fullSize, const QRect& window, ResampleMode mode)
{
    const int channels = channelBytesPerPixel(source);
    if (channels == 0 || fullSize.isEmpty() || window.isEmpty())
        return;
    QRect inside;
    if (!intersectRects(sourceRect, source.rect(), &inside) || inside != sourceRect)
        return;
    if (!QRect(QPoint(0, 0), fullSize).contains(window))
        return;
    QImage target = allocateImage(window.width(), window.height(), source.format());
    if (source.format() == QImage::Format_Indexed8)
        target.setColorTable(source.colorTable());
    if (mode == ResampleMode::Nearest)
        resampleNearest(target, source, sourceRect, fullSize, window, channels);
    else
        resampleSeparable(target, source, sourceRect, fullSize, window, channels, mode);
    destination = std::move(target);
}

void resampleRect(QImage& destination, const QImage& source, const QRect& sourceRect, ResampleMode mode)
{
    if (destination.isNull() || destination.width() < 1 || destination.height() < 1)
        return;
    resampleWindow(destination, source, sourceRect, destination.size(), QRect(QPoint(0, 0), destination.size()), mode);
}

void resampleBitmap(QImage& destination, const QImage& source, ResampleMode mode)
{
    resampleRect(destination, source, source.rect(), mode);
}

}  // namespace poremi
