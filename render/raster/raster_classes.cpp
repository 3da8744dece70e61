#include "render/raster/raster_classes.h"

#include "document/stream/class_registry.h"
#include "render/raster/fill_color.h"
#include "render/raster/gradation_colors.h"
#include "render/raster/image_data.h"
#include "render/raster/image_filters.h"
#include "render/raster/picture.h"
#include "render/raster/picture_ex.h"

namespace poremi {

void registerRasterClasses()
{
    RegisterClass<TPicture>();
    RegisterClass<TPictureEx>();
    RegisterClass<TClipFilter>();
    RegisterClass<TBlurFilter>();
    RegisterClass<TLightFilter>();
    RegisterClass<TMonotoneFilter>();
    RegisterClass<TImageData>();
    RegisterClass<TGradationColors>();
    RegisterClass<TColorSpec>();
}

}  // namespace poremi
