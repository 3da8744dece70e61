#include "render/raster/gradient.h"

#include "base/arithmetic.h"
#include "render/raster/dib.h"
#include "render/raster/memory_canvas.h"
#include "render/raster/resample.h"

#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>

namespace poremi {

namespace {

constexpr long double pi = 3.14159265358979323846264338327950288L;
constexpr std::int32_t two25 = 1 << 25;
constexpr std::int32_t two26 = 1 << 26;
constexpr std::int32_t cornerDistance = 367831;
constexpr std::int32_t halfTurn = 12868;   // π × 4096
constexpr std::int32_t fullTurn = 25736;   // 2π × 4096

int normalizedAngle(int angle)
{
    angle %= 360;
    return angle < 0 ? angle + 360 : angle;
}

std::uint16_t clampIndex(std::int64_t v)
{
    return std::uint16_t(std::clamp<std::int64_t>(v, 0, gradientTableSize - 1));
}

// Linear and box shapes: θ = 360 − angle, s = sin θ, c = cos θ, m = max(|s|, |c|); S and C are
// the ramps' slopes in 16.16 fixed point.
struct Ramp {
    long double S, C;
    explicit Ramp(int angle)
    {
        const long double theta = (360 - normalizedAngle(angle)) * pi / 180;
        const long double s = std::sin(theta), c = std::cos(theta);
        const long double m = std::max(std::fabs(s), std::fabs(c));
        S = s * m * 512 * 65536;
        C = c * m * 512 * 65536;
    }
};

std::int32_t trunc32(long double v) { return std::int32_t(std::trunc(v)); }

void linearMap(GradientIndexMap& map, int angle)
{
    const Ramp r(angle);
    const std::int32_t start = -trunc32(r.C) - trunc32(r.S - two25);
    const std::int32_t perColumn = trunc32(2 * r.S / 127), perRow = trunc32(2 * r.C / 127);
    std::int32_t rowValue = start;
    for (int row = 0; row < gradientMapSize; ++row, rowValue += perRow) {
        std::int32_t value = rowValue;
        for (int col = 0; col < gradientMapSize; ++col, value += perColumn)
            map[size_t(row * gradientMapSize + col)] = clampIndex(value / 65536);
    }
}

void diamondMap(GradientIndexMap& map, int angle)
{
    const Ramp r(angle);
    const std::int32_t tStart = -trunc32(r.C) - trunc32(r.S - two25);
    const std::int32_t tColumn = trunc32(2 * r.S / 127), tRow = trunc32(2 * r.C / 127);
    const std::int32_t uStart = trunc32(r.S) - trunc32(r.C - two25);
    const std::int32_t uColumn = trunc32(2 * r.C / 127), uRow = trunc32(-2 * r.S / 127);
    std::int32_t tRowValue = tStart, uRowValue = uStart;
    for (int row = 0; row < gradientMapSize; ++row, tRowValue += tRow, uRowValue += uRow) {
        std::int32_t t = tRowValue, u = uRowValue;
        for (int col = 0; col < gradientMapSize; ++col, t += tColumn, u += uColumn) {
            const std::int64_t value = std::max(std::llabs(2 * std::int64_t(t) - two26),
                                                std::llabs(2 * std::int64_t(u) - two26));
            map[size_t(row * gradientMapSize + col)] = clampIndex(value / 65536);
        }
    }
}

void circleMap(GradientIndexMap& map)
{
    for (int row = 0; row < gradientMapSize; ++row)
        for (int col = 0; col < gradientMapSize; ++col) {
            const std::int64_t d = roundHalfEven(std::hypot(col - 63.5, row - 63.5) * 4096);
            std::int64_t index;
            if (d <= 0)
                index = 0;
            else if (d >= cornerDistance)
                index = gradientTableSize - 1;
            else
                index = std::min(mulDiv(std::int32_t(d), gradientTableSize, cornerDistance), gradientTableSize - 1);
            map[size_t(row * gradientMapSize + col)] = std::uint16_t(index);
        }
}

void coneMap(GradientIndexMap& map, int angle)
{
    const std::int64_t rot = roundHalfEven(normalizedAngle(angle) * double(pi) / 180 * 4096);
    for (int row = 0; row < gradientMapSize; ++row)
        for (int col = 0; col < gradientMapSize; ++col) {
            std::int64_t a = roundHalfEven(std::atan2(col - 63.5, row - 63.5) * 4096) + rot;
            while (a > halfTurn)
                a -= fullTurn;
            while (a < -halfTurn)
                a += fullTurn;
            const std::int32_t index = std::min(mulDiv(std::int32_t(a + halfTurn), gradientTableSize, fullTurn),
                                                gradientTableSize - 1);
            map[size_t(row * gradientMapSize + col)] = std::uint16_t(index);
        }
}

bool isReversed(GradationKind kind)
{
    return kind == GradationKind::rgkBoxToRim || kind == GradationKind::rgkCircleToRim
        || kind == GradationKind::rgkConeClockwise;
}

bool isCone(GradationKind kind)
{
    return kind == GradationKind::rgkConeClockwise || kind == GradationKind::rgkConeCounterClockwise;
}

}  // namespace

GradientIndexMap gradientIndexMap(GradationKind kind, int angle)
{
    GradientIndexMap map{};
    switch (kind) {
    case GradationKind::rgkSimple:
        linearMap(map, angle);
        break;
    case GradationKind::rgkBoxToRim:
    case GradationKind::rgkBoxToCenter:
        diamondMap(map, angle);
        break;
    case GradationKind::rgkCircleToRim:
    case GradationKind::rgkCircleToCenter:
        circleMap(map);
        break;
    case GradationKind::rgkConeClockwise:
    case GradationKind::rgkConeCounterClockwise:
        coneMap(map, angle);
        break;
    }
    return map;
}

GradientColorTable gradientColorTable(const QList<TColor>& stopList, GradationKind kind)
{
    QList<QRgb> stops;
    for (TColor c : stopList.first(std::min<qsizetype>(stopList.size(), 256)))
        stops.append(qRgbFromColorRef(std::uint32_t(colorToRgb(c))));
    if (isCone(kind) && !stops.isEmpty())
        stops.append(stops.first());
    GradientColorTable table{};
    if (stops.isEmpty())
        return table;
    const int n = int(stops.size());
    if (n == 1) {
        table.fill(stops.first());
        return table;
    }
    const bool reverse = isReversed(kind);
    for (int i = 0; i < gradientTableSize; ++i) {
        const long double p = (long double)(reverse ? gradientTableSize - 1 - i : i) * (n - 1) / gradientTableSize;
        const int k = int(std::trunc(p));
        const long double t = p - k;
        auto channel = [&](int a, int b) {
            return std::clamp(a + int(std::trunc(t * (b - a))), 0, 255);
        };
        const QRgb s0 = stops[k], s1 = stops[k + 1];
        table[size_t(i)] = qRgb(channel(qRed(s0), qRed(s1)), channel(qGreen(s0), qGreen(s1)),
                                channel(qBlue(s0), qBlue(s1)));
    }
    return table;
}

QImage gradientMasterImage(const QList<TColor>& stops, int angle, GradationKind kind)
{
    const GradientIndexMap map = gradientIndexMap(kind, angle);
    const GradientColorTable table = gradientColorTable(stops, kind);
    QImage image = createWorkBitmap(gradientMapSize, gradientMapSize);
    for (int row = 0; row < gradientMapSize; ++row) {
        uchar* p = image.scanLine(row);
        for (int col = 0; col < gradientMapSize; ++col, p += 3) {
            const QRgb c = table[map[size_t(row * gradientMapSize + col)]];
            p[0] = uchar(qBlue(c));
            p[1] = uchar(qGreen(c));
            p[2] = uchar(qRed(c));
        }
    }
    return image;
}

void paintGradient(QPainter& painter, const QRect& rect, const QList<TColor>& stops, int angle,
                   GradationKind kind)
{
    if (rect.isEmpty() || stops.isEmpty())
        return;
    const QImage master = gradientMasterImage(stops, angle, kind);
    if (!isPrintTarget(painter)) {
        TDIB(master).draw(painter, rect);
        return;
    }
    // The enlargement is computed only where the clip lets it show.
    QRect visible = rect;
    if (painter.hasClipping())
        visible &= painter.clipBoundingRect().toAlignedRect();
    if (visible.isEmpty())
        return;
    QImage part;
    resampleWindow(part, master, master.rect(), rect.size(), visible.translated(-rect.topLeft()),
                   ResampleMode::Linear);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(visible.topLeft(), part);
    painter.restore();
}

}  // namespace poremi
