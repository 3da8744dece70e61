#pragma once
// Handles on selected objects: painted squares and discs that are hit-tested before the
// objects. A press on a handle is a press on its owner with the handle's index.

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtGui/QCursor>

class QPainter;

namespace poremi {

class TDrawObject;

enum class PivotKind {
    Plain,   // an inverted square
    Label,   // a black square with a white frame
    Rotate,  // a green disc with a white frame
    Bulge,   // a red disc with a white rim
};

// The handle indexes the designers hand out.
namespace handle {
inline constexpr int create = -2;
inline constexpr int move = -1;
inline constexpr int rotate = 8;
inline constexpr int lineStart = 0;
inline constexpr int lineEnd = 1;
inline constexpr int curveStart = 10;
inline constexpr int curveEnd = 11;
inline constexpr int curveApex = 12;
}  // namespace handle

struct TPivot {
    TDrawObject* owner = nullptr;
    int index = 0;
    PivotKind kind = PivotKind::Label;
    QPoint position;  // logical
    QCursor cursor;

    // Pixels a side: 5, and 6 for the label, rotation and bulge handles.
    int size() const { return kind == PivotKind::Plain ? 5 : 6; }
    // The square centred on the pixel position.
    QRect pixelRect(QPoint pixel) const;
    // Locked owners show a white square with a black frame (a bulge handle a plain one).
    void paint(QPainter& painter, QPoint pixel) const;
};

// The cursor over rotation handles: a turning arrow.
const QCursor& rotationCursor();

}  // namespace poremi
