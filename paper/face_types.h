#pragma once
// The shape vocabulary of faces (the labels die-cut on a sheet). Streams store the values by
// name, so the names and their order are fixed.

#include <QtCore/QStringList>
#include <cstdint>
#include <initializer_list>

namespace poremi {

enum TFaceShape { fsRect, fsDoughnut, fsEllipse, fsRoundRect, fsRectCD, fsBarrelCD };
enum TCenterShape { csEllipse, csBarrel };

inline constexpr int kFaceShapeCount = 6;

// A set of shapes in one byte, bit n standing for shape n; the empty set means every shape.
class TFaceShapes {
public:
    constexpr TFaceShapes() = default;
    constexpr TFaceShapes(std::initializer_list<TFaceShape> shapes) {
        for (TFaceShape s : shapes) bits_ |= std::uint8_t(1u << s);
    }
    static constexpr TFaceShapes fromInt(int bits) {
        TFaceShapes set;
        set.bits_ = std::uint8_t(bits & ((1 << kFaceShapeCount) - 1));
        return set;
    }
    constexpr int toInt() const { return bits_; }

    constexpr bool isEmpty() const { return bits_ == 0; }
    constexpr bool contains(TFaceShape s) const { return bits_ & (1u << s); }
    // True when a purpose with this mask may be used with the shape.
    constexpr bool allows(TFaceShape s) const { return isEmpty() || contains(s); }
    void insert(TFaceShape s) { bits_ |= std::uint8_t(1u << s); }
    void remove(TFaceShape s) { bits_ &= std::uint8_t(~(1u << s)); }

    friend constexpr bool operator==(TFaceShapes, TFaceShapes) = default;

private:
    std::uint8_t bits_ = 0;
};

// "fsRect", … and "csEllipse", "csBarrel", as streams spell them.
const QStringList& faceShapeNames();
const QStringList& centerShapeNames();
// The names shown to the user, in shape order.
QStringList faceShapeDisplayNames();

constexpr bool hasCutCenter(TFaceShape s) { return s == fsDoughnut || s == fsRectCD || s == fsBarrelCD; }
constexpr bool hasRoundCorners(TFaceShape s) { return s == fsRoundRect || s == fsRectCD; }

}  // namespace poremi
