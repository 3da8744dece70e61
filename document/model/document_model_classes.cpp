#include "document/model/document_model_classes.h"

#include "document/model/group_object.h"
#include "document/stream/class_registry.h"

namespace poremi {

void registerDocumentModelClasses() { RegisterClass<TDOGroup>(); }

}  // namespace poremi
