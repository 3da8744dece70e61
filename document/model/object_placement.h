#pragma once
// Where objects go when they arrive on a label: kept on the face when loaded or pasted, fitted
// and centred when a tool makes them, and the size an image object takes from its picture.

#include "render/geometry/rect.h"

#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <vector>

namespace poremi {

class TDrawObject;

// Moves every movable object whose centre lies less than 1 mm inside the face (or outside
// it) until its centre is 1 mm inside. face is the rectangle objects are stored in: the
// face's outer rectangle, bleed included.
void keepObjectsOnFace(const std::vector<TDrawObject*>& objects, const TRect& face);

// Limits a new object to the logical area (keeping its aspect when it asks for that) and
// centres it on centre. Objects without the movable and rectangle capabilities stay as they
// are; an axis of no extent is left alone.
void fitNewObject(TDrawObject& object, QSize area, QPoint centre);

// The picture taken at 180 dots per inch, at least 3 mm a side.
QSize defaultImageSize(QSize pixels);

}  // namespace poremi
