#pragma once
// Dragging one end point of a line, and drawing a new line from the press point.

#include "edit/object_ghost.h"

namespace poremi {

// Moves the start (handle 0) or end (handle 1) of an object with end points; the dragged
// point snaps to the grid and guides.
class TLineGhost : public TUniversalGhost {
public:
    TLineGhost(TDrawObject& object, int handle, QString caption = QStringLiteral("移動・サイズ変更"));

    void move(Qt::KeyboardModifiers modifiers, QPoint offset) override;

protected:
    // The dragged point where the drag started.
    void setStartPointOfDrag(QPoint point) { p0_ = point; }

private:
    QPoint p0_;
};

// Both ends start at the press and the end follows the pointer; recorded as "追加" when it
// finishes, taken off the site and freed when it does not.
class TLineCreateGhost : public TLineGhost {
public:
    // siteWasModified: the site's Modified before the object was put on it.
    TLineCreateGhost(TDrawObject& object, bool siteWasModified);

    void begin(QPoint start) override;
    void finish(Qt::KeyboardModifiers modifiers) override;
    void abandon() override;

private:
    bool siteWasModified_;
};

// The end of an interactive creation: the drawn object is shown, selected and recorded as
// "追加"; or, when the creation never finished, taken off its site and freed, and the site's
// Modified put back.
void finishCreatedObject(TDrawObject& object);
void discardCreatedObject(TDrawObject& object, bool siteWasModified);

}  // namespace poremi
