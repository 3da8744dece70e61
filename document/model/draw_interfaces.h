#pragma once
// The capabilities the editing engine asks of any draw object, queried with dynamic_cast: a
// class that lacks one is skipped by the operation that needs it. The identifiers stay for
// the places that compare them.

#include "base/guid.h"
#include "render/geometry/rect.h"

#include <QtCore/QPoint>

class QPainter;

namespace poremi {

class TColorSpec;
class TFaceInfo;

inline constexpr Guid IID_IDOMovable{0x4B303A53, 0x7027, 0x11D1, {0xA1, 0x6E, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOLineRect{0xB7EC5AD0, 0x94E5, 0x11D1, {0xA1, 0xDF, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDORect{0xCF484151, 0x74BF, 0x11D1, {0xA1, 0x81, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOOutline{0x4B303A51, 0x7027, 0x11D1, {0xA1, 0x6E, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOBlend{0xD90DA153, 0x766D, 0x432A, {0xB1, 0x81, 0x46, 0x94, 0xF9, 0x4A, 0xBE, 0xD2}};
inline constexpr Guid IID_IDODesigner{0xCF484154, 0x74BF, 0x11D1, {0xA1, 0x81, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOFillColor{0x405F7334, 0x8D50, 0x11D1, {0xA1, 0xCA, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};
inline constexpr Guid IID_IDOFaceInfo{0x94A6E450, 0x4C8C, 0x11D3, {0xAD, 0x27, 0x00, 0x50, 0x04, 0x63, 0x09, 0x8A}};
inline constexpr Guid IID_IDOLinePoints{0x9E37EE01, 0x9488, 0x11D2, {0x94, 0x08, 0x00, 0x60, 0x97, 0x6E, 0x95, 0x10}};

class IDOMovable {
public:
    virtual ~IDOMovable() = default;
    virtual void moveBy(int dx, int dy) = 0;
    // Makes the visual bounds width × height.
    virtual void setExtent(int width, int height) = 0;
    // The logical bounds as drawn (rotation included).
    virtual TRect getBounds() const = 0;
};

class IDOLineRect {
public:
    virtual ~IDOLineRect() = default;
    // The object's normalised logical rectangle.
    virtual TRect getRect() const = 0;
};

class IDORect {
public:
    virtual ~IDORect() = default;
    virtual int left() const = 0;
    virtual void setLeft(int left) = 0;
    virtual int top() const = 0;
    virtual void setTop(int top) = 0;
    virtual int width() const = 0;
    virtual void setWidth(int width) = 0;
    virtual int height() const = 0;
    virtual void setHeight(int height) = 0;
    virtual bool keepAspect() const = 0;
};

class IDOOutline {
public:
    virtual ~IDOOutline() = default;
    // The painter is in document units.
    virtual void paintTo(QPainter& painter) = 0;
    // The outline path, stroked with the painter's pen (ghosts).
    virtual void strokeOutline(QPainter& painter) = 0;
};

class IDOBlend {
public:
    virtual ~IDOBlend() = default;
    virtual bool blendShade() const = 0;
    virtual void setBlendShade(bool blendShade) = 0;
    // Opacity in percent.
    virtual int blendRatio() const = 0;
    virtual void setBlendRatio(int blendRatio) = 0;
};

// The paint of an object's inside and whether the inside is painted.
class IDOFillColor {
public:
    virtual ~IDOFillColor() = default;
    virtual const TColorSpec& fillColor() const = 0;
    virtual void setFillColor(const TColorSpec& color) = 0;
    virtual bool fillInside() const = 0;
    virtual void setFillInside(bool fillInside) = 0;
};

// The end points of a line-like object, in document units.
class IDOLinePoints {
public:
    virtual ~IDOLinePoints() = default;
    virtual QPoint startPoint() const = 0;
    virtual void setStartPoint(QPoint point) = 0;
    virtual QPoint endPoint() const = 0;
    virtual void setEndPoint(QPoint point) = 0;
};

// Objects the label document adjusts when it loads a face's objects. They are not persisted
// classes of their own: the date and background objects implement them.

// An object showing a date that follows one of the document's times.
class IDODateRefresh {
public:
    virtual ~IDODateRefresh() = default;
    // 0 keeps the stored date, 1 the time of opening, 2 of the last print, 3 of the last save.
    virtual int dateUpdateFlag() const = 0;
    // Days since 30 December 1899, the fraction being the time of day.
    virtual void setDate(double date) = 0;
};

// The background picture of a face: sized to the face on load, left out of the stream while
// it is in its default state.
class IDOFaceBackground {
public:
    virtual ~IDOFaceBackground() = default;
    // No frame, solid white fill, no blend picture.
    virtual bool isDefaultBackground() const = 0;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;
};

// An object that follows the shape of the face it lies on (the background of a face).
class IDOFaceInfo {
public:
    virtual ~IDOFaceInfo() = default;
    virtual const TFaceInfo& faceInfo() const = 0;
    virtual void setFaceInfo(const TFaceInfo& face) = 0;
};

}  // namespace poremi
