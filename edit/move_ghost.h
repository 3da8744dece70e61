#pragma once
// Moving an object: snapped to the grid and guides, optionally locked to an axis or moved on
// a circle around the middle of the site; Ctrl at the release leaves a copy instead.

#include "edit/object_ghost.h"

namespace poremi {

struct MoveOptions {
    bool circle = false;          // move on a circle around the site's centre
    bool axisLock = false;        // keep only the larger component of the move
    bool rotateWithMove = false;  // turn by the angle the move makes around the centre
    bool rotateInCircle = true;   // turn with the circle move
    bool angleSnap = true;        // circle moves in steps of angleStep
    int angleStep = 30;           // degrees

    // Alt alone clears every option, Shift alone toggles the angle steps in circle mode or
    // the axis lock otherwise, Shift with Alt toggles circle mode.
    MoveOptions steeredBy(Qt::KeyboardModifiers modifiers) const;
};

class TMoveGhost : public TUniversalGhost {
public:
    // plain: no options and no copy.
    TMoveGhost(TDrawObject& object, const MoveOptions& options, bool plain = false);

    void paint(QPainter& painter) const override;
    QRect paintBounds() const override;
    void move(Qt::KeyboardModifiers modifiers, QPoint offset) override;
    // Ctrl: a copy of the ghost is added, recorded as "ドラッグコピー".
    void finish(Qt::KeyboardModifiers modifiers) override;

private:
    // The rectangle the object takes and the turn in degrees.
    std::pair<TRect, double> circleMove(const TRect& r0, QPoint offset, const MoveOptions& options) const;

    MoveOptions options_;
    bool plain_;
    bool circleShown_ = false;
};

}  // namespace poremi
