#pragma once
// A small picture of a label's objects on its face, for previews.

#include <QtCore/QSize>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <vector>

namespace poremi {

class TDrawObject;
class TFaceInfo;

// The objects, in list order, drawn on the face's outer rectangle at 96 dpi and scale percent
// of the real size, everything outside the face's outline (and in its hole) filled with
// outside, then shrunk smoothly to fit maxSize keeping the aspect ratio.
QImage objectsThumbnail(const std::vector<TDrawObject*>& objects, const TFaceInfo& face, QColor outside,
                        QSize maxSize = QSize(200, 200), int scale = 100);

}  // namespace poremi
