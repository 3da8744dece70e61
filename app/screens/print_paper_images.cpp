#include "app/screens/print_paper_images.h"

#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/property_interfaces.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"

namespace poremi {
namespace {

// Designs are made on the upright face; a landscape face shows it turned back a quarter
// (counter-clockwise): a point (x, y) of the upright face lands on (y, faceHeight - x).
void turnOntoLandscapeFace(TDrawObject& object, int faceHeight) {
    auto* movable = dynamic_cast<IDOMovable*>(&object);
    if (!movable) return;
    const TRect bounds = movable->getBounds();
    // Doubled centres keep the halves exact; a remaining half unit goes down.
    const int doubledX = bounds.left + bounds.right;
    const int doubledY = bounds.top + bounds.bottom;
    const int turnedX = doubledY;
    const int turnedY = 2 * faceHeight - doubledX;
    movable->moveBy((turnedX - doubledX) >> 1, (turnedY - doubledY) >> 1);
    if (auto* angled = dynamic_cast<IDOAngle*>(&object)) angled->setAngle(((angled->angle() - 90) % 360 + 360) % 360);
}

}  // namespace

PrintPaperImages::PrintPaperImages(const TImagePaperInfo& images, const TPaperInfo& paper)
    : images_(images), paper_(paper) {}

PrintPaperImages::~PrintPaperImages() {
    for (auto& [face, list] : faces_) list.freeAll();
}

bool PrintPaperImages::anyFace(const TImagePaperInfo& images, const TPaperInfo& paper) {
    for (int face = 0; face < paper.getFaceCount(); ++face) {
        for (const TComponent* object : images.objects(face))
            if (dynamic_cast<const TDrawObject*>(object)) return true;
    }
    return false;
}

void PrintPaperImages::addTo(int face, TDOList& objects) {
    for (TDrawObject* object : faceObjects(face).items()) objects.add(object);
}

TDOList& PrintPaperImages::faceObjects(int face) {
    const auto known = faces_.find(face);
    if (known != faces_.end()) return known->second;
    TDOList& list = faces_[face];
    const TRect outer = paper_.getFaceOuterRect(face);
    for (std::unique_ptr<TComponent>& component : images_.copyOfObjects(face)) {
        auto* object = dynamic_cast<TDrawObject*>(component.get());
        if (!object) continue;
        component.release();
        if (paper_.landscape()) turnOntoLandscapeFace(*object, rectHeight(outer));
        list.add(object);
    }
    return list;
}

}  // namespace poremi
