#pragma once
// Integer rectangles in document units (Left, Top, Right, Bottom; Right and Bottom lie just
// outside the area) and the small operations all layout code shares.

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QRectF>
#include <QtCore/QSize>
#include <cstdint>
#include <iosfwd>

namespace poremi {

struct TRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;

    bool isEmpty() const { return right <= left || bottom <= top; }
    QPoint topLeft() const { return {left, top}; }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    QRectF toQRectF() const { return QRectF(left, top, double(right) - left, double(bottom) - top); }
    static TRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
};

// "(left, top, right, bottom)", for diagnostics.
std::ostream& operator<<(std::ostream& out, const TRect& r);

std::int32_t rectWidth(const TRect& r);
std::int32_t rectHeight(const TRect& r);
// Division truncating toward zero: the centre of (-3, 0, 0, 0) has x -1.
QPoint rectCenter(const TRect& r);
TRect normalizeRect(const TRect& r);
TRect inflateRect(const TRect& r, std::int32_t dx, std::int32_t dy);
TRect offsetRect(const TRect& r, std::int32_t dx, std::int32_t dy);
// The common part; (0, 0, 0, 0) when the two do not meet.
TRect intersectRect(const TRect& a, const TRect& b);
// True when inner lies wholly inside outer (their intersection equals inner).
bool rectContainsRect(const TRect& inner, const TRect& outer);
TRect centerRectAt(const TRect& r, QPoint center);
// The source's aspect ratio scaled into box (letter-box); keeps the source's Left/Top.
TRect fitSizeInside(const TRect& source, QSize box);
TRect fitRectInside(const TRect& source, const TRect& box);
// The source's aspect ratio scaled to cover box; keeps the source's Left/Top.
TRect fitSizeCovering(const TRect& source, QSize box);
TRect fitRectCovering(const TRect& source, const TRect& box);
QPoint clampPointToRect(QPoint p, const TRect& r);
QPoint offsetPointByRect(QPoint p, const TRect& r);

}  // namespace poremi
