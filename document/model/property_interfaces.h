#pragma once
// Style and shape properties the editing screens read and change on every selected object that
// has them (queried with dynamic_cast, like the capabilities in draw_interfaces.h).

#include "base/guid.h"

#include <QtCore/QPoint>

namespace poremi {

class TColorSpec;
class TPointBasedFont;

inline constexpr Guid IID_IDOFeedAngle{0x5FA98FF7, 0x4B5B, 0x4ECB, {0x8E, 0x35, 0x71, 0x40, 0x4A, 0x61, 0xDE, 0x83}};
inline constexpr Guid IID_IDOLineColor{0x405F7333, 0x8D50, 0x11D1, {0xA1, 0xCA, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOCurve{0x705CB8D0, 0x8E77, 0x11D1, {0xA1, 0xCC, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOAlign{0x405F7332, 0x8D50, 0x11D1, {0xA1, 0xCA, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOFont{0x405F7331, 0x8D50, 0x11D1, {0xA1, 0xCA, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOVertical{0xDA0A5EA0, 0x8D74, 0x11D1, {0xA1, 0xCA, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOAutoSize{0x405F7330, 0x8D50, 0x11D1, {0xA1, 0xCA, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOAngle{0x14B4B450, 0x7230, 0x11D1, {0xA1, 0x77, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};

// Per-line shear of text in degrees.
class IDOFeedAngle {
public:
    virtual ~IDOFeedAngle() = default;
    virtual int feedAngle() const = 0;
    virtual void setFeedAngle(int degrees) = 0;
};

// The fill of an object's lines (the glyphs of a text, the pen of a shape).
class IDOLineColor {
public:
    virtual ~IDOLineColor() = default;
    virtual const TColorSpec& lineColor() const = 0;
    virtual void setLineColor(const TColorSpec& color) = 0;
};

// Editing an arc by its start, end and apex (document units).
class IDOCurve {
public:
    virtual ~IDOCurve() = default;
    // Objects that have the interface but cannot be bent at the moment answer false; the
    // editing screens treat them as objects without it.
    virtual bool curveAvailable() const { return true; }
    virtual QPoint startPoint() const = 0;
    virtual void setStartPoint(QPoint point) = 0;
    virtual QPoint endPoint() const = 0;
    virtual void setEndPoint(QPoint point) = 0;
    virtual void beginCurveEdit() = 0;
    virtual void endCurveEdit() = 0;
    virtual QPoint apex() const = 0;
    virtual void setApex(QPoint point) = 0;
};

// Text alignment: 0 left/top, 1 centre, 2 right/bottom, 3 justify.
class IDOAlign {
public:
    virtual ~IDOAlign() = default;
    virtual int align() const = 0;
    virtual void setAlign(int align) = 0;
};

class IDOFont {
public:
    virtual ~IDOFont() = default;
    virtual const TPointBasedFont& font() const = 0;
    virtual void setFont(const TPointBasedFont& font) = 0;
};

class IDOVertical {
public:
    virtual ~IDOVertical() = default;
    virtual bool vertical() const = 0;
    virtual void setVertical(bool vertical) = 0;
};

class IDOAutoSize {
public:
    virtual ~IDOAutoSize() = default;
    virtual bool autoSize() const = 0;
    virtual void setAutoSize(bool autoSize) = 0;
};

// Turn about the centre in degrees, clockwise on the page.
class IDOAngle {
public:
    virtual ~IDOAngle() = default;
    virtual int angle() const = 0;
    virtual void setAngle(int angle) = 0;
};

}  // namespace poremi
