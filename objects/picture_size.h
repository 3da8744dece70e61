#pragma once
// The size a picture takes on a label: its pixels at 180 pixels per inch.

#include "render/geometry/rect.h"

#include <QtCore/QSize>

namespace poremi {

class TImageData;

// Units on each axis: MulDiv(pixels, 254, 180), at least 30.
QSize naturalPictureSize(QSize pixels);
// The pixel size of the picture as cut by its clip rectangle (empty without a picture).
QSize clippedPictureSize(const TImageData& imageData);
// On a site the natural size is fitted, keeping its aspect ratio, into the square on the
// longer side of the current rectangle; off a site it is the natural size.
QSize pictureExtent(QSize natural, const TRect& current, bool onSite);

}  // namespace poremi
