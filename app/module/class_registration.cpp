#include "app/module/class_registration.h"

#include "document/model/designer.h"
#include "document/model/document_model_classes.h"
#include "edit/rect_designer.h"
#include "objects/object_classes.h"
#include "paper/paper_classes.h"
#include "render/effects/filter_effects.h"
#include "render/raster/raster_classes.h"
#include "render/text/text_classes.h"

namespace poremi {

void registerAllClasses() {
    registerRasterClasses();
    installImageEffects();
    registerTextClasses();
    registerPaperClasses();
    registerDocumentModelClasses();
    registerObjectClasses();
}

void registerAllDesigners() {
    TDODesignerList::instance().registerDesigner(std::make_shared<TLOCreator>());
    registerSiteDesigners();
}

}  // namespace poremi
