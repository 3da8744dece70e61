#include "objects/object_classes.h"

#include "document/stream/class_registry.h"
#include "objects/jan_object.h"
#include "objects/picture_alpha_mask.h"
#include "objects/picture_back_image.h"
#include "objects/picture_image.h"
#include "objects/text_date_object.h"
#include "objects/text_field_object.h"
#include "objects/text_object.h"
#include "objects/shape_circle.h"
#include "objects/shape_curve.h"
#include "objects/shape_deco_line.h"
#include "objects/shape_line.h"
#include "objects/shape_rect.h"

namespace poremi {

void registerObjectClasses() {
    RegisterClass<TLOJANCode>();
    RegisterClass<TLOText>();
    RegisterClass<TLOField>();
    RegisterClass<TLODate>();
    RegisterClass<TLOImage>();
    RegisterClass<TLOBackImage>();
    RegisterClass<TLOAlphaMask>();
    RegisterClass<TLOLine>();
    RegisterClass<TLOCurve>();
    RegisterClass<TLODecoLine>();
    RegisterClass<TLORect>();
    RegisterClass<TLOCircle>();
}

}  // namespace poremi
