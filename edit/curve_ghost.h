#pragma once
// Bending and stretching arcs (curves and arc text) by their start, end and apex, and drawing
// a new curve from the press point.

#include "edit/move_ghost.h"

namespace poremi {

class IDOCurve;

// The arc interface of an object that can be bent now, or none.
IDOCurve* curveOf(TDrawObject& object);
// Arc text, as against a curve shape: it also has a rectangle.
bool isArcText(const TDrawObject& object);

// The offset with its part along the chord from start to end negated: the other end then
// moves mirrored about the chord's perpendicular bisector.
QPoint reflectedAcrossChord(QPoint offset, QPoint start, QPoint end);

// Handle 10 moves the start and 11 the end, the other end mirrored unless Shift is held;
// handle 12 moves the apex, its bulge at most the smaller side of the area, or (circle mode of
// the move options) slides the whole arc along the circle about the area's centre through the
// pointer. Arc text drops a bulge within ±49 while its apex is dragged outside circle mode.
class TCurveGhost : public TUniversalGhost {
public:
    TCurveGhost(TDrawObject& object, int handle, const MoveOptions& options);

    void begin(QPoint start) override;
    void move(Qt::KeyboardModifiers modifiers, QPoint offset) override;
    void finish(Qt::KeyboardModifiers modifiers) override;

protected:
    TCurveGhost(TDrawObject& object, int handle, const MoveOptions& options, QString caption);
    // Where the arc was when the drag started.
    void setStartArc(QPoint start, QPoint end, QPoint apex);
    // Only the dragged end moves; the apex is left to the object.
    bool creating = false;

private:
    void moveEnd(IDOCurve& copy, Qt::KeyboardModifiers modifiers, QPoint offset);
    void moveApex(IDOCurve& copy, Qt::KeyboardModifiers modifiers, QPoint offset);
    void slideAlongCircle(IDOCurve& copy, QPoint offset);

    MoveOptions options_;
    QPoint s0_;
    QPoint e0_;
    QPoint a0_;
};

// Both ends start at the snapped press point and the end follows the pointer; recorded as
// "追加" when it finishes, taken off the site and freed when it does not.
class TCurveCreateGhost : public TCurveGhost {
public:
    // siteWasModified: the site's Modified before the object was put on it.
    TCurveCreateGhost(TDrawObject& object, bool siteWasModified);

    void begin(QPoint start) override;
    void finish(Qt::KeyboardModifiers modifiers) override;
    void abandon() override;

private:
    bool siteWasModified_;
};

}  // namespace poremi
