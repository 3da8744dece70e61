#include "render/text/text_classes.h"

#include "document/stream/class_registry.h"
#include "render/text/point_based_font.h"
#include "render/text/simple_text.h"

namespace poremi {

void registerTextClasses() {
    RegisterClass<TPointBasedFont>();
    RegisterClass<TSimpleText>();
}

}  // namespace poremi
