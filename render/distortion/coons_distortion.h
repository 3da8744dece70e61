#pragma once
// Bends outlines through a Coons patch: four boundary curves of the unit square (top and bottom
// left to right, right and left top to bottom) map the source rectangle onto the destination
// rectangle. Distortions come from presets and tell which one by their identifier.

#include "base/error.h"
#include "base/guid.h"
#include "render/geometry/rect.h"
#include "render/geometry/transformer.h"

#include <QtCore/QByteArray>
#include <QtCore/QPointF>
#include <array>
#include <cstdint>
#include <vector>

namespace poremi {

class EDistortionData : public Exception {
public:
    using Exception::Exception;
};

enum TDistortionSide : int { dsTop = 0, dsRight = 1, dsBottom = 2, dsLeft = 3 };

class TCoonsDistortion : public TTransformer {
public:
    // No points on any side (the identity) and a fresh identifier.
    TCoonsDistortion();

    // The most points a side may hold in stored data.
    static constexpr int kMaxSidePoints = 4096;

    const Guid& identifier() const { return identifier_; }
    void setIdentifier(const Guid& identifier) { identifier_ = identifier; }

    int sideCount(int side) const { return int(sides_.at(std::size_t(side)).points.size()); }
    // Resizes a side; new points are (0, 0) with flag 0.
    void setSideCount(int side, int count);
    // Indices outside the side continue into the neighbouring sides along the closed boundary.
    QPointF getPoint(int side, int index) const;
    // Writing a corner point writes its partner on the neighbouring side as well.
    void setPoint(int side, int index, QPointF point);
    // Non-zero: the curve is smoothed round the point instead of passing through it.
    std::uint8_t flag(int side, int index) const { return sides_.at(std::size_t(side)).flags.at(std::size_t(index)); }
    void setFlag(int side, int index, std::uint8_t flag) { sides_.at(std::size_t(side)).flags.at(std::size_t(index)) = flag; }

    void clear();
    bool isIdentity() const;
    // Moves every point towards its place on the straight square: 0 straightens, 100 keeps.
    void applyRatio(int percent);
    void assign(const TCoonsDistortion& source);

    void setSource(const TRect& rect) { source_ = rect; }
    void setDestination(const TRect& rect) { destination_ = rect; }
    const TRect& source() const { return source_; }
    const TRect& destination() const { return destination_; }

    // The side's curve at parameter s (0…1) in unit-square coordinates. A side with fewer than
    // two points is the straight edge; s beyond 0…1 continues the first or last segment.
    QPointF evaluate(int side, double s) const;
    // The point mapped from the source rectangle into the destination; unchanged for the
    // identity or an empty rectangle.
    QPoint transformPoint(QPoint p) const override;

    // The stored "Data" layout: identifier, four counts, the points as 80-bit reals, the flags.
    QByteArray writeData() const;
    // Throws EDistortionData for data that does not hold that layout exactly.
    void readData(const QByteArray& data);

private:
    struct Side {
        std::vector<QPointF> points;
        std::vector<std::uint8_t> flags;
    };
    static double parameter(int index, int count);
    static QPointF straightPoint(int side, double s);
    void writeOne(int side, int index, QPointF point);

    Guid identifier_;
    std::array<Side, 4> sides_;
    TRect source_;
    TRect destination_;
};

// A new random identifier.
Guid newDistortionIdentifier();

}  // namespace poremi
