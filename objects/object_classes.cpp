#include "objects/object_classes.h"

#include "document/stream/class_registry.h"
#include "objects/jan_object.h"
#include "objects/shape_circle.h"
#include "objects/shape_curve.h"
#include "objects/shape_deco_line.h"
#include "objects/shape_line.h"
#include "objects/shape_rect.h"

namespace poremi {

void registerObjectClasses() {
    RegisterClass<TLOJANCode>();
    RegisterClass<TLOLine>();
    RegisterClass<TLOCurve>();
    RegisterClass<TLODecoLine>();
    RegisterClass<TLORect>();
    RegisterClass<TLOCircle>();
}

}  // namespace poremi
