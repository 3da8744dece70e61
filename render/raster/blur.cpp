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

// Double precision at every radius: with 16.16 fixed point a flat grey of 128 came out as 136
// at radius 50 (the poles lie close to 1 for large radii), in single precision a flat 254 came
// out as 253 at radius 120; double is exact enough and, vectorised, faster than wide fixed point.
struct DoubleArithmetic {
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
    // at base + s·sampleStride + l·laneStride. The loops run over samples outside and lanes
    // inside, so that the lanes of one sample are computed side by side. x and y/z keep four
    // virtual samples before and after the signal: the edge pixel repeated, and the steady
    // state of each recursion for it.
    void run(std::uint8_t* base, int count, std::ptrdiff_t sampleStride, int lanes,
             std::ptrdiff_t laneStride, std::vector<V>& x, std::vector<V>& y, std::vector<V>& z) const
    {
        const size_t L = size_t(lanes), total = size_t(count + 8) * L;
        x.resize(total);
        y.resize(total);
        z.resize(total);
        auto in = [&](int s, size_t l) { return base[s * sampleStride + std::ptrdiff_t(l) * laneStride]; };
        for (size_t l = 0; l < L; ++l) {
            const V first = A::fromByte(in(0, l)), last = A::fromByte(in(count - 1, l));
            const V yEdge = A::multiply(causalGain, first), zEdge = A::multiply(anticausalGain, last);
            for (int k = 0; k < 4; ++k) {
                x[size_t(k) * L + l] = first;
                y[size_t(k) * L + l] = yEdge;
                x[size_t(count + 4 + k) * L + l] = last;
                z[size_t(count + 4 + k) * L + l] = zEdge;
            }
        }
        for (int s = 0; s < count; ++s)
            for (size_t l = 0; l < L; ++l)
                x[size_t(s + 4) * L + l] = A::fromByte(in(s, l));
        for (int s = 0; s < count; ++s) {
            const V* xs = &x[size_t(s) * L];
            const V* ys = &y[size_t(s) * L];
            V* out = &y[size_t(s + 4) * L];
            for (size_t l = 0; l < L; ++l)
                out[l] = A::multiply(n[0], xs[4 * L + l]) + A::multiply(n[1], xs[3 * L + l])
                    + A::multiply(n[2], xs[2 * L + l]) + A::multiply(n[3], xs[L + l])
                    - A::multiply(d[0], ys[3 * L + l]) - A::multiply(d[1], ys[2 * L + l])
                    - A::multiply(d[2], ys[L + l]) - A::multiply(d[3], ys[l]);
        }
        for (int s = count - 1; s >= 0; --s) {
            const V* xs = &x[size_t(s + 5) * L];
            const V* zs = &z[size_t(s + 5) * L];
            V* out = &z[size_t(s + 4) * L];
            for (size_t l = 0; l < L; ++l)
                out[l] = A::multiply(m[0], xs[l]) + A::multiply(m[1], xs[L + l]) + A::multiply(m[2], xs[2 * L + l])
                    + A::multiply(m[3], xs[3 * L + l]) - A::multiply(d[0], zs[l]) - A::multiply(d[1], zs[L + l])
                    - A::multiply(d[2], zs[2 * L + l]) - A::multiply(d[3], zs[3 * L + l]);
        }
        for (int s = 0; s < count; ++s)
            for (size_t l = 0; l < L; ++l)
                base[s * sampleStride + std::ptrdiff_t(l) * laneStride] =
                    A::toByte(y[size_t(s + 4) * L + l] + z[size_t(s + 4) * L + l]);
    }
};

// Lanes are processed in blocks so that a column pass walks memory row by row.
constexpr int columnBlock = 64;

template <typename A>
void blurArea(QImage& bitmap, const QRect& area, int channels, double verticalRadius, double horizontalRadius)
{
    std::vector<typename A::Value> x, y, z;
    std::uint8_t* origin = bitmap.bits() + area.top() * bitmap.bytesPerLine() + area.left() * channels;
    const std::ptrdiff_t stride = bitmap.bytesPerLine();
    const double verticalSigma = verticalRadius >= 1 ? blurSigma(verticalRadius) : 0;
    const double horizontalSigma = horizontalRadius >= 1 ? blurSigma(horizontalRadius) : 0;

    if (verticalSigma > 0) {
        const Filter<A> filter(dericheCoefficients(verticalSigma));
        const int lanes = area.width() * channels;
        for (int first = 0; first < lanes; first += columnBlock)
            filter.run(origin + first, area.height(), stride, std::min(columnBlock, lanes - first), 1, x, y, z);
    }
    if (horizontalSigma > 0) {
        const Filter<A> filter(dericheCoefficients(horizontalSigma));
        for (int row = 0; row < area.height(); ++row)
            filter.run(origin + row * stride, area.width(), channels, channels, 1, x, y, z);
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
    blurArea<DoubleArithmetic>(bitmap, area, channels, verticalRadius, horizontalRadius);
}

}  // namespace poremi
