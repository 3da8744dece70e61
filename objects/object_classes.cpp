#include "objects/object_classes.h"

#include "document/stream/class_registry.h"
#include "objects/jan_object.h"

namespace poremi {

void registerObjectClasses() { RegisterClass<TLOJANCode>(); }

}  // namespace poremi
