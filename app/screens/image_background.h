#pragma once
// One picture as the background of a whole label: the part of the picture with the face's
// shape, and the label's background object that shows it.

#include "render/geometry/rect.h"

#include <QtCore/QSize>

namespace poremi {

class TDrawSite;
class TFaceInfo;
class TImageData;
class TLOBackImage;

// The largest rectangle of the face's aspect (faceWidth : faceHeight) inside a picture of the
// given pixel size, centred on the picture; the whole picture when the face has no width or no
// height, or the picture is empty.
TRect faceClipOfPicture(int faceWidth, int faceHeight, QSize picture);

// The label's background object on the site: the first one, front to back.
TLOBackImage* findBackground(const TDrawSite& site);

// Makes the picture the label's background: the background object (made when the label has
// none, covering the site's area, disabled and not selectable) gets a picture fill of a copy
// of the holder, not tiled, and no frame. The site is modified.
TLOBackImage& applyBackground(TDrawSite& site, const TImageData& picture, const TFaceInfo& face);

// The label has a background that shows something other than plain white.
bool hasShownBackground(const TDrawSite& site);

}  // namespace poremi
