#include "app/screens/face_site.h"

#include "app/screens/print_paper_images.h"
#include "app/screens/working_copy.h"
#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "edit/draw_site_widget.h"
#include "objects/picture_face.h"
#include "paper/paper_info.h"

#include <memory>

namespace poremi {

void freeSiteObjects(TDrawSite& site) {
    const std::vector<TDrawObject*> shown = site.drawObjects();
    for (TDrawObject* object : shown) delete object;
}

std::vector<TDrawObject*> makeTemplateObjects(const TLabelData& copy, int face, TDrawSite& site) {
    std::vector<TDrawObject*> made;
    const TPaperInfo* paper = copy.Paper();
    if (!paper) return made;
    PrintPaperImages images(copy.ImagePaperInfo(), *paper);
    TDOList designs;
    images.addTo(face, designs);
    for (const TDrawObject* design : designs.items()) {
        std::unique_ptr<TDrawObject> shown = TDrawObject::clone(*design);
        shown->setEnabled(false);
        shown->setSelectable(false);
        shown->setLayerGroup(kPaperTemplateLayer);
        made.push_back(shown.get());
        site.insertComponent(shown.release());
    }
    return made;
}

void loadFaceOntoSite(TLabelData& copy, TDrawSite& site) {
    const TPaperInfo* paper = copy.Paper();
    const int face = clampedLabelNo(copy);
    const TRect outer = paper ? paper->getFaceOuterRect(face) : TRect{};
    site.setLogSize(rectWidth(outer), rectHeight(outer));
    freeSiteObjects(site);
    if (paper && paper->getFaceCount() > 0) {
        for (TDrawObject* design : makeTemplateObjects(copy, face, site)) site.addDrawObject(*design);
        TDOList objects;
        copy.LoadLabelObjects(face, objects);
        for (TDrawObject* object : objects.items()) {
            site.insertComponent(object);
            site.addDrawObject(*object);
        }
    }
    site.setModified(false);
    site.invalidateObjects();
}

void storeSiteObjects(const TDrawSite& site, TLabelData& document, int face) {
    TDOList objects;
    for (TDrawObject* object : site.collectObjects(false)) {
        if (object->layerGroup() == kPaperTemplateLayer || dynamic_cast<TLOFace*>(object)) continue;
        objects.add(object);
    }
    document.SaveLabelObjects(face, objects);
}

}  // namespace poremi
