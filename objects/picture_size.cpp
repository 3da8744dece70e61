#include "objects/picture_size.h"

#include "base/arithmetic.h"
#include "render/raster/image_data.h"

#include <algorithm>

namespace poremi {

QSize naturalPictureSize(QSize pixels) {
    const auto units = [](int n) { return std::max(30, mulDiv(n, 254, 180)); };
    return {units(pixels.width()), units(pixels.height())};
}

QSize clippedPictureSize(const TImageData& imageData) {
    if (imageData.isEmpty()) return {};
    const TRect& clip = imageData.clipFilter().clipRect();
    if (clip.isEmpty()) return QSize(imageData.picture().width(), imageData.picture().height());
    return {rectWidth(clip), rectHeight(clip)};
}

QSize pictureExtent(QSize natural, const TRect& current, bool onSite) {
    if (!onSite) return natural;
    const int side = std::max(rectWidth(current), rectHeight(current));
    const TRect fitted = fitSizeInside({0, 0, natural.width(), natural.height()}, QSize(side, side));
    return {rectWidth(fitted), rectHeight(fitted)};
}

}  // namespace poremi
