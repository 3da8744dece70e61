#pragma once
// The preview picture of a label as a document stores it: a PNG of the design on its face, at
// most 200 × 200 pixels; bitmaps ("BM") are read as well.

#include <QtCore/QByteArray>
#include <QtGui/QImage>
#include <vector>

namespace poremi {

class TDrawObject;
class TFaceInfo;

// The PNG of the objects (bottom first) drawn on the face, whose outer rectangle's top-left is
// the design's origin; no bytes for no objects.
QByteArray previewBytes(const std::vector<TDrawObject*>& objects, const TFaceInfo& face);

// The picture of a stored preview: a bitmap when the bytes begin with "BM", else a PNG. Empty,
// broken or oversized bytes give a null image, never an error.
QImage readPreview(const QByteArray& bytes);

}  // namespace poremi
