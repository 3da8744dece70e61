#include "render/raster/effect_budget.h"

#include "render/raster/pixel_layout.h"

namespace poremi {

bool effectBitmapFits(std::int64_t width, std::int64_t height)
{
    return isAcceptablePictureSize(width, height);
}

}  // namespace poremi
