#include "render/distortion/coons_distortion.h"

#include "base/arithmetic.h"
#include "document/stream/extended_float.h"

#include <QtCore/QUuid>
#include <QtCore/QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace poremi {
namespace {

constexpr int kIdentifierBytes = 16;
constexpr int kCountBytes = 4 * 4;
constexpr int kPointBytes = 20;

QPointF mid(QPointF a, QPointF b) { return (a + b) / 2; }

[[noreturn]] void brokenData() { throw EDistortionData(QStringLiteral("変形データが壊れています。")); }

}  // namespace

Guid newDistortionIdentifier() {
    const QUuid uuid = QUuid::createUuid();
    Guid guid;
    guid.data1 = uuid.data1;
    guid.data2 = uuid.data2;
    guid.data3 = uuid.data3;
    std::copy(std::begin(uuid.data4), std::end(uuid.data4), guid.data4.begin());
    return guid;
}

TCoonsDistortion::TCoonsDistortion() : identifier_(newDistortionIdentifier()) {}

double TCoonsDistortion::parameter(int index, int count) { return count > 1 ? double(index) / (count - 1) : 0.0; }

QPointF TCoonsDistortion::straightPoint(int side, double s) {
    switch (side) {
    case dsTop: return {s, 0};
    case dsRight: return {1, s};
    case dsBottom: return {s, 1};
    default: return {0, s};
    }
}

void TCoonsDistortion::setSideCount(int side, int count) {
    Side& target = sides_.at(std::size_t(side));
    count = std::max(0, count);
    target.points.resize(std::size_t(count));
    target.flags.resize(std::size_t(count), 0);
}

QPointF TCoonsDistortion::getPoint(int side, int index) const {
    const int n = sideCount(side);
    if (index >= 0 && index < n) return sides_[std::size_t(side)].points[std::size_t(index)];
    // Along the closed boundary: past a corner lie the neighbouring side's points.
    const auto at = [this](int other, int i) {
        const int m = sideCount(other);
        if (m == 0) return straightPoint(other, i <= 0 ? 0.0 : 1.0);
        return sides_[std::size_t(other)].points[std::size_t(std::clamp(i, 0, m - 1))];
    };
    if (index < 0) {
        const int k = -index;
        switch (side) {
        case dsTop: return at(dsLeft, k);
        case dsRight: return at(dsTop, sideCount(dsTop) - 1 - k);
        case dsBottom: return at(dsLeft, sideCount(dsLeft) - 1 - k);
        default: return at(dsTop, k);
        }
    }
    const int k = index - (n - 1);
    switch (side) {
    case dsTop: return at(dsRight, k);
    case dsRight: return at(dsBottom, sideCount(dsBottom) - 1 - k);
    case dsBottom: return at(dsRight, sideCount(dsRight) - 1 - k);
    default: return at(dsBottom, k);
    }
}

void TCoonsDistortion::writeOne(int side, int index, QPointF point) {
    Side& target = sides_[std::size_t(side)];
    if (index >= 0 && index < int(target.points.size())) target.points[std::size_t(index)] = point;
}

void TCoonsDistortion::setPoint(int side, int index, QPointF point) {
    writeOne(side, index, point);
    const int last = sideCount(side) - 1;
    const bool first = index == 0;
    const bool end = index == last;
    switch (side) {
    case dsTop:
        if (first) writeOne(dsLeft, 0, point);
        if (end) writeOne(dsRight, 0, point);
        break;
    case dsRight:
        if (first) writeOne(dsTop, sideCount(dsTop) - 1, point);
        if (end) writeOne(dsBottom, sideCount(dsBottom) - 1, point);
        break;
    case dsBottom:
        if (first) writeOne(dsLeft, sideCount(dsLeft) - 1, point);
        if (end) writeOne(dsRight, sideCount(dsRight) - 1, point);
        break;
    default:
        if (first) writeOne(dsTop, 0, point);
        if (end) writeOne(dsBottom, 0, point);
        break;
    }
}

void TCoonsDistortion::clear() {
    for (int side = 0; side < 4; ++side) setSideCount(side, 0);
}

bool TCoonsDistortion::isIdentity() const {
    return std::all_of(sides_.begin(), sides_.end(), [](const Side& s) { return s.points.empty(); });
}

void TCoonsDistortion::applyRatio(int percent) {
    const double r = percent / 100.0;
    for (int side = 0; side < 4; ++side) {
        const int n = sideCount(side);
        // The ends of the right and left sides belong to the top and bottom sides.
        const bool crossSide = side == dsRight || side == dsLeft;
        for (int k = crossSide ? 1 : 0; k < (crossSide ? n - 1 : n); ++k) {
            const QPointF straight = straightPoint(side, parameter(k, n));
            QPointF& p = sides_[std::size_t(side)].points[std::size_t(k)];
            p = straight + r * (p - straight);
        }
    }
    // Keep the partners of the corners in step.
    for (int side : {dsTop, dsBottom}) {
        const int n = sideCount(side);
        if (n > 0) {
            setPoint(side, 0, getPoint(side, 0));
            setPoint(side, n - 1, getPoint(side, n - 1));
        }
    }
}

void TCoonsDistortion::assign(const TCoonsDistortion& source) {
    identifier_ = source.identifier_;
    sides_ = source.sides_;
    source_ = source.source_;
    destination_ = source.destination_;
}

QPointF TCoonsDistortion::evaluate(int side, double s) const {
    const int n = sideCount(side);
    if (n < 2) return straightPoint(side, s);
    int j = 0;
    while (j < n - 2 && parameter(j + 1, n) < s) ++j;
    const double tj = parameter(j, n), tj1 = parameter(j + 1, n);
    const int k = s - tj >= tj1 - s ? j + 1 : j;
    const Side& points = sides_[std::size_t(side)];
    if (points.flags[std::size_t(k)] != 0) {
        const QPointF before = getPoint(side, k - 1), here = getPoint(side, k), after = getPoint(side, k + 1);
        const double tk = parameter(k, n), tBefore = parameter(k - 1, n), tAfter = parameter(k + 1, n);
        const double x = (2 * s - tk - tBefore) / (tAfter - tBefore);
        const QPointF m0 = mid(before, here), m1 = mid(here, after);
        return (1 - x) * (1 - x) * m0 + 2 * x * (1 - x) * here + x * x * m1;
    }
    const QPointF a = points.points[std::size_t(j)], b = points.points[std::size_t(j + 1)];
    if (tj1 == tj) return mid(a, b);
    return a + (b - a) * ((s - tj) / (tj1 - tj));
}

QPoint TCoonsDistortion::transformPoint(QPoint p) const {
    const int sw = rectWidth(source_), sh = rectHeight(source_);
    const int dw = rectWidth(destination_), dh = rectHeight(destination_);
    if (isIdentity() || sw == 0 || sh == 0 || dw == 0 || dh == 0) return p;
    const double u = (p.x() - source_.left) / double(sw);
    const double v = (p.y() - source_.top) / double(sh);
    const QPointF top = evaluate(dsTop, u), bottom = evaluate(dsBottom, u);
    const QPointF left = evaluate(dsLeft, v), right = evaluate(dsRight, v);
    const QPointF p00 = evaluate(dsTop, 0), p10 = evaluate(dsTop, 1);
    const QPointF p11 = evaluate(dsBottom, 1), p01 = evaluate(dsBottom, 0);
    const QPointF q = (1 - v) * top + v * bottom + (1 - u) * left + u * right -
                      ((1 - u) * (1 - v) * p00 + u * (1 - v) * p10 + u * v * p11 + (1 - u) * v * p01);
    return {destination_.left + int(truncate(q.x() * dw + 0.01)), destination_.top + int(truncate(q.y() * dh + 0.01))};
}

QByteArray TCoonsDistortion::writeData() const {
    QByteArray data = identifier_.toBytes();
    for (const Side& side : sides_) {
        char count[4];
        qToLittleEndian<qint32>(qint32(side.points.size()), count);
        data.append(count, 4);
    }
    for (const Side& side : sides_)
        for (const QPointF& p : side.points)
            for (double value : {p.x(), p.y()}) {
                const ExtendedBytes bytes = toExtended(value);
                data.append(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
            }
    for (const Side& side : sides_)
        for (std::uint8_t flag : side.flags) data.append(char(flag));
    return data;
}

void TCoonsDistortion::readData(const QByteArray& data) {
    if (data.size() < kIdentifierBytes + kCountBytes) brokenData();
    const auto guid = Guid::fromBytes(data.left(kIdentifierBytes));
    if (!guid) brokenData();
    std::array<int, 4> counts{};
    qint64 expected = kIdentifierBytes + kCountBytes;
    for (int side = 0; side < 4; ++side) {
        counts[std::size_t(side)] = qFromLittleEndian<qint32>(data.constData() + kIdentifierBytes + 4 * side);
        if (counts[std::size_t(side)] < 0 || counts[std::size_t(side)] > kMaxSidePoints) brokenData();
        expected += qint64(counts[std::size_t(side)]) * (kPointBytes + 1);
    }
    if (expected != data.size()) brokenData();

    std::array<Side, 4> sides;
    const auto* cursor = reinterpret_cast<const std::uint8_t*>(data.constData()) + kIdentifierBytes + kCountBytes;
    const auto real = [&cursor] {
        ExtendedBytes bytes;
        std::memcpy(bytes.data(), cursor, bytes.size());
        cursor += bytes.size();
        const double value = fromExtended(bytes);
        if (!std::isfinite(value)) brokenData();
        return value;
    };
    for (int side = 0; side < 4; ++side) {
        for (int k = 0; k < counts[std::size_t(side)]; ++k) {
            const double x = real();
            const double y = real();
            sides[std::size_t(side)].points.emplace_back(x, y);
        }
    }
    for (int side = 0; side < 4; ++side)
        for (int k = 0; k < counts[std::size_t(side)]; ++k) sides[std::size_t(side)].flags.push_back(*cursor++);
    identifier_ = *guid;
    sides_ = std::move(sides);
}

}  // namespace poremi
