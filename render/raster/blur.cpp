#include "render/raster/blur.h"

#include "render/raster/pixel_layout.h"
#include "render/raster/resample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace poremi {

namespace {

// The recursive filter's coefficients: causal numerators n0…n3, anti-causal m1…m4, the shared
// denominators d1…d4, and the steady-state gains used to start each recursion at an edge.
struct DericheCoefficients {
    std::array<double, 4> n{}, m{}, d{};
    double causalGain = 0, anticausalGain = 0;
};

DericheCoefficients dericheCoefficients(double sigma)
{
    const double scale = 1.0 / (sigma * std::sqrt(2.0 * M_PI));
    const double a0 = 1.6803 * scale, a1 = 3.735 * scale, c0 = -0.6803 * scale, c1 = -0.2598 * scale;
    const double b0 = 1.783, b1 = 1.723, w0 = 0.6318, w1 = 1.997;
    const double cw0 = std::cos(w0 / sigma), sw0 = std::sin(w0 / sigma);
    const double cw1 = std::cos(w1 / sigma), sw1 = std::sin(w1 / sigma);
    const double eb0 = std::exp(-b0 / sigma), eb1 = std::exp(-b1 / sigma);

    DericheCoefficients k;
    k.n[0] = a0 + c0;
    k.n[1] = eb1 * (c1 * sw1 - (c0 + 2 * a0) * cw1) + eb0 * (a1 * sw0 - (2 * c0 + a0) * cw0);
    k.n[2] = 2 * eb0 * eb1 * ((a0 + c0) * cw1 * cw0 - a1 * cw1 * sw0 - c1 * cw0 * sw1)
        + c0 * eb0 * eb0 + a0 * eb1 * eb1;
    k.n[3] = eb1 * eb0 * eb0 * (c1 * sw1 - c0 * cw1) + eb0 * eb1 * eb1 * (a1 * sw0 - a0 * cw0);
    k.d[0] = -2 * eb1 * cw1 - 2 * eb0 * cw0;
    k.d[1] = 4 * cw1 * cw0 * eb0 * eb1 + eb1 * eb1 + eb0 * eb0;
    k.d[2] = -2 * cw0 * eb0 * eb1 * eb1 - 2 * cw1 * eb1 * eb0 * eb0;
    k.d[3] = eb0 * eb0 * eb1 * eb1;
    for (int i = 0; i < 3; ++i)
        k.m[i] = k.n[i + 1] - k.d[i] * k.n[0];
    k.m[3] = -k.d[3] * k.n[0];

    // The approximation's gain at zero frequency is off by up to 0.15 %; scaling the numerators
    // to a gain of exactly 1 keeps flat areas flat.
    const double denominator = 1 + k.d[0] + k.d[1] + k.d[2] + k.d[3];
    const double causal = k.n[0] + k.n[1] + k.n[2] + k.n[3];
    const double anticausal = k.m[0] + k.m[1] + k.m[2] + k.m[3];
    const double correction = denominator / (causal + anticausal);
    for (int i = 0; i < 4; ++i) {
        k.n[i] *= correction;
        k.m[i] *= correction;
    }
    k.causalGain = causal * correction / denominator;
    k.anticausalGain = anticausal * correction / denominator;
    return k;
}

// Fixed point with 32 fractional bits, products rounded by adding half a unit before the
// shift. (16 fractional bits are too coarse: the poles of the filter lie close to 1 for large
// radii, and a flat grey of 128 came out as 136 at radius 50.)
struct FixedArithmetic {
    using Value = std::int64_t;
    static constexpr int bits = 32;
    static Value coefficient(double c) { return std::llround(std::ldexp(c, bits)); }
    static Value fromByte(std::uint8_t b) { return Value(b) << bits; }
    static Value multiply(Value c, Value v)
    {
        return Value((static_cast<__int128>(c) * v + (Value(1) << (bits - 1))) >> bits);
    }
    static std::uint8_t toByte(Value v)
    {
        return std::uint8_t(std::clamp<Value>((v + (Value(1) << (bits - 1))) >> bits, 0, 255));
    }
};

// Double precision: in single precision a flat 254 came out as 253 at radius 120.
struct FloatArithmetic {
    using Value = double;
    static Value coefficient(double c) { return c; }
    static Value fromByte(std::uint8_t b) { return double(b); }
    static Value multiply(Value c, Value v) { return c * v; }
    static std::uint8_t toByte(Value v) { return std::uint8_t(std::clamp(std::lrint(v), 0L, 255L)); }
};

template <typename A>
struct Filter {
    using V = typename A::Value;
    std::array<V, 4> n, m, d;
    V causalGain, anticausalGain;

    explicit Filter(const DericheCoefficients& k)
    {
        for (int i = 0; i < 4; ++i) {
            n[i] = A::coefficient(k.n[i]);
            m[i] = A::coefficient(k.m[i]);
            d[i] = A::coefficient(k.d[i]);
        }
        causalGain = A::coefficient(k.causalGain);
        anticausalGain = A::coefficient(k.anticausalGain);
    }

    // Filters `count` samples of `lanes` independent channels: sample s of lane l is the byte
    // at base + s·sampleStride + l·laneStride.
    void run(std::uint8_t* base, int count, std::ptrdiff_t sampleStride, int lanes,
             std::ptrdiff_t laneStride, std::vector<V>& forward) const
    {
        forward.resize(size_t(count) * size_t(lanes));
        auto at = [&](int s, int l) -> std::uint8_t& { return base[s * sampleStride + l * laneStride]; };
        for (int l = 0; l < lanes; ++l) {
            const V x0 = A::fromByte(at(0, l));
            std::array<V, 3> xp{x0, x0, x0};
            const V y0 = A::multiply(causalGain, x0);
            std::array<V, 4> yp{y0, y0, y0, y0};
            for (int s = 0; s < count; ++s) {
                const V x = A::fromByte(at(s, l));
                const V y = A::multiply(n[0], x) + A::multiply(n[1], xp[0]) + A::multiply(n[2], xp[1])
                    + A::multiply(n[3], xp[2]) - A::multiply(d[0], yp[0]) - A::multiply(d[1], yp[1])
                    - A::multiply(d[2], yp[2]) - A::multiply(d[3], yp[3]);
                forward[size_t(s) * size_t(lanes) + size_t(l)] = y;
                xp = {x, xp[0], xp[1]};
                yp = {y, yp[0], yp[1], yp[2]};
            }
            const V xe = A::fromByte(at(count - 1, l));
            std::array<V, 4> xn{xe, xe, xe, xe};
            const V ze = A::multiply(anticausalGain, xe);
            std::array<V, 4> zn{ze, ze, ze, ze};
            for (int s = count - 1; s >= 0; --s) {
                const V x = A::fromByte(at(s, l));
                const V z = A::multiply(m[0], xn[0]) + A::multiply(m[1], xn[1]) + A::multiply(m[2], xn[2])
                    + A::multiply(m[3], xn[3]) - A::multiply(d[0], zn[0]) - A::multiply(d[1], zn[1])
                    - A::multiply(d[2], zn[2]) - A::multiply(d[3], zn[3]);
                at(s, l) = A::toByte(forward[size_t(s) * size_t(lanes) + size_t(l)] + z);
                xn = {x, xn[0], xn[1], xn[2]};
                zn = {z, zn[0], zn[1], zn[2]};
            }
        }
    }
};

// Lanes are processed in blocks so that a column pass walks memory row by row.
constexpr int columnBlock = 64;

template <typename A>
void blurArea(QImage& bitmap, const QRect& area, int channels, double verticalRadius, double horizontalRadius)
{
    std::vector<typename A::Value> forward;
    std::uint8_t* origin = bitmap.bits() + area.top() * bitmap.bytesPerLine() + area.left() * channels;
    const std::ptrdiff_t stride = bitmap.bytesPerLine();
    const double verticalSigma = verticalRadius >= 1 ? blurSigma(verticalRadius) : 0;
    const double horizontalSigma = horizontalRadius >= 1 ? blurSigma(horizontalRadius) : 0;

    if (verticalSigma > 0) {
        const Filter<A> filter(dericheCoefficients(verticalSigma));
        const int lanes = area.width() * channels;
        for (int first = 0; first < lanes; first += columnBlock)
            filter.run(origin + first, area.height(), stride, std::min(columnBlock, lanes - first), 1, forward);
    }
    if (horizontalSigma > 0) {
        const Filter<A> filter(dericheCoefficients(horizontalSigma));
        for (int y = 0; y < area.height(); ++y)
            filter.run(origin + y * stride, area.width(), channels, channels, 1, forward);
    }
}

}  // namespace

double blurSigma(double radius)
{
    return (std::fabs(radius) + 1) / std::sqrt(2 * std::log(255.0));
}

void blurBitmap(QImage& bitmap, const QRect& rect, double verticalRadius, double horizontalRadius)
{
    if (!(verticalRadius >= 1 || horizontalRadius >= 1))
        return;
    const int channels = channelBytesPerPixel(bitmap);
    QRect area;
    if (channels == 0 || !intersectRects(rect, bitmap.rect(), &area))
        return;
    if (verticalRadius <= 50 && horizontalRadius <= 50)
        blurArea<FixedArithmetic>(bitmap, area, channels, verticalRadius, horizontalRadius);
    else
        blurArea<FloatArithmetic>(bitmap, area, channels, verticalRadius, horizontalRadius);
}

}  // namespace poremi
