#include "document/model/document_model_classes.h"

#include "document/model/data_info.h"
#include "document/model/group_object.h"
#include "document/model/label_stream.h"
#include "document/stream/class_registry.h"

namespace poremi {

void registerDocumentModelClasses() {
    RegisterClass<TDOGroup>();
    RegisterClass<TLDObjects>();
    RegisterClass<TDataInfo>();
}

}  // namespace poremi
