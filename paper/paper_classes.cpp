#include "paper/paper_classes.h"

#include "document/stream/class_registry.h"
#include "paper/database/papers.h"
#include "paper/paper_info.h"
#include "paper/product_info.h"
#include "paper/purpose.h"

namespace poremi {

void registerPaperClasses() {
    RegisterClass<TMatrixPaperInfo>();
    RegisterClass<TFreePaperInfo>();
    RegisterClass<TPLStreamer>();
    RegisterClass<TProductInfo>();
    registerPaperDatabaseClasses();
}

}  // namespace poremi
