#include "document/model/draw_site.h"

#include "document/model/draw_object.h"

#include <algorithm>

namespace poremi {

DrawSite::DrawSite(TComponent* owner) : TComponent(owner) {}

DrawSite::~DrawSite() {
    for (TDrawObject* object : objects_) object->site_ = nullptr;
    objects_.clear();
}

qsizetype DrawSite::indexOf(const TDrawObject& object) const {
    const auto found = std::ranges::find(objects_, &object);
    return found == objects_.end() ? -1 : found - objects_.begin();
}

void DrawSite::addDrawObject(TDrawObject& object) {
    if (object.site_ == this) return;
    if (object.site_) object.site_->removeDrawObject(object);
    objects_.push_back(&object);
    object.site_ = this;
    object.updateControlBounds();
    object.joinedSite();
    object.bringToFrontInLayer();
    setModified(true);
    orderChanged();
}

void DrawSite::removeDrawObject(TDrawObject& object) {
    if (object.site_ != this) return;
    std::erase(objects_, &object);
    object.site_ = nullptr;
    orderChanged();
}

std::vector<TDrawObject*> DrawSite::selection() const {
    std::vector<TDrawObject*> selected;
    std::ranges::copy_if(objects_, std::back_inserter(selected), [](const TDrawObject* o) { return o->isSelected(); });
    return selected;
}

void DrawSite::deselectAll() {
    for (TDrawObject* object : selection()) object->setSelected(false);
}

void DrawSite::moveDrawObject(TDrawObject& object, qsizetype index) {
    const qsizetype from = indexOf(object);
    if (from < 0 || from == index) return;
    objects_.erase(objects_.begin() + from);
    objects_.insert(objects_.begin() + index, &object);
    orderChanged();
}

}  // namespace poremi
