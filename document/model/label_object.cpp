#include "document/model/label_object.h"

#include "document/model/designer.h"
#include "document/model/draw_site.h"
#include "document/model/print_target.h"
#include "document/stream/class_declaration.h"

#include <algorithm>

namespace poremi {

const TClassInfo& TLabelObject::staticClassInfo() {
    static const TClassInfo info = describeClass<TLabelObject, TDrawObject>("TLabelObject", [](auto& c) {
        c.boolean("DontPrint", &TLabelObject::dontPrint, &TLabelObject::setDontPrint);
        c.integer("BlendRatio", &TLabelObject::blendRatio, &TLabelObject::setBlendRatio).defaultValue(100);
        c.boolean("BlendShade", &TLabelObject::blendShade, &TLabelObject::setBlendShade).defaultValue(false);
    });
    return info;
}

void TLabelObject::setDontPrint(bool dontPrint) {
    if (dontPrint == dontPrint_) return;
    dontPrint_ = dontPrint;
    changed();
    changeNotify().broadcast(msgDontPrintChanged);
}

void TLabelObject::setBlendRatio(int blendRatio) {
    // Stored files may hold anything; an opacity outside 0..100 % has no meaning.
    blendRatio = std::clamp(blendRatio, 0, 100);
    if (blendRatio == blendRatio_) return;
    blendRatio_ = blendRatio;
    changed();
}

void TLabelObject::setBlendShade(bool blendShade) {
    if (blendShade == blendShade_) return;
    blendShade_ = blendShade;
    changed();
}

void TLabelObject::setMovable(bool movable) {
    if (movable != this->movable()) changed();
    TDrawObject::setMovable(movable);
}

void TLabelObject::showHandles() { TDODesignerList::instance().showHandles(*this); }

void TLabelObject::beginDrag(int handle) { TDODesignerList::instance().beginDrag(*this, handle); }

bool TLabelObject::edit() {
    if (!TDODesignerList::instance().edit(*this)) return false;
    if (DrawSite* s = site(); s && s->objectEdited) s->objectEdited(*this);
    return true;
}

void TLabelObject::paintTo(QPainter& painter) {
    if (dontPrint_ && isPrintTarget(painter)) return;
    TDrawObject::paintTo(painter);
}

}  // namespace poremi
