#pragma once
// Resizing, creating and turning objects described by a rectangle.

#include "edit/object_ghost.h"

namespace poremi {

class IDORect;

// Handles 0 top-left, 1 middle-left, 2 bottom-left, 3 top-centre, 4 bottom-centre,
// 5 top-right, 6 middle-right, 7 bottom-right, in the object's unturned frame.
QPoint rectHandlePoint(const TRect& r, int handle);

class TRectGhost : public TUniversalGhost {
public:
    TRectGhost(TDrawObject& object, int handle, QString caption = QStringLiteral("サイズ変更"));

    // The dragged edges follow the pointer: the starting aspect with the object's keep-aspect
    // answer (Shift toggles it), at least 20 units a side (1 with Ctrl), turned objects keep
    // the fixed point where it was on the page.
    void move(Qt::KeyboardModifiers modifiers, QPoint offset) override;

protected:
    // The rectangle the drag starts from.
    void setStartRect(const TRect& r) { r0_ = r; }

private:
    TRect resized(QPoint frameOffset, bool keepAspect, int minimum) const;

    TRect r0_;
    int angle_ = 0;
};

// Draws a new object from the press point as handle 7 does; recorded as "追加" when it
// finishes, taken off the site and freed when it does not.
class TRectCreateGhost : public TRectGhost {
public:
    // siteWasModified: the site's Modified before the object was put on it.
    TRectCreateGhost(TDrawObject& object, bool siteWasModified);

    void begin(QPoint start) override;
    void finish(Qt::KeyboardModifiers modifiers) override;
    void abandon() override;

private:
    bool siteWasModified_;
};

// Turns the object about its centre by the pointer's turn; Shift snaps to 45°.
class TRotateGhost : public TUniversalGhost {
public:
    explicit TRotateGhost(TDrawObject& object);
    void move(Qt::KeyboardModifiers modifiers, QPoint offset) override;

private:
    QPoint centre_;
    int angle0_ = 0;
};

}  // namespace poremi
