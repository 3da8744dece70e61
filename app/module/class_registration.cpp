#include "app/module/class_registration.h"

#include "document/model/designer.h"
#include "document/model/document_model_classes.h"
#include "edit/rect_designer.h"
#include "objects/dialogs/alpha_mask_designer.h"
#include "objects/dialogs/back_image_designer.h"
#include "objects/dialogs/date_dialog_designer.h"
#include "objects/dialogs/jan_designer.h"
#include "objects/dialogs/picture_designers.h"
#include "objects/dialogs/shape_designers.h"
#include "objects/dialogs/text_designer.h"
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
    TDODesignerList& designers = TDODesignerList::instance();
    designers.registerDesigner(std::make_shared<TLOCreator>());
    // The object editors, registered later, are asked before the site's handles.
    registerSiteDesigners();
    designers.registerDesigner(std::make_shared<TDOJANCodeEditor>());
    registerPictureDesigners(designers);
    designers.registerDesigner(std::make_shared<TDOBackImageEditor>());
    designers.registerDesigner(std::make_shared<TDOAlphaMaskEditor>());
    designers.registerDesigner(std::make_shared<TDOLineEditor>());
    designers.registerDesigner(std::make_shared<TDORectEditor>());
    designers.registerDesigner(std::make_shared<TDODecoLineEditor>());
    designers.registerDesigner(std::make_shared<TDOTextEditor>());
    designers.registerDesigner(std::make_shared<TDODateEditor>());
}

}  // namespace poremi
