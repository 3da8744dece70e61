#include "document/model/object_actions.h"

#include "document/model/draw_object.h"
#include "document/model/draw_site.h"

#include <ranges>

namespace poremi {

WatchedObject::WatchedObject(TDrawObject* object)
    : object_(object), listener_([this](MessageSender, const Guid& message) {
          if (message == msgDestroying)
              object_ = nullptr;
          else if (message == msgChanged)
              changed_ = true;
      }) {
    if (object_) listener_.listenTo(object_->changeNotify());
}

WatchedSite::WatchedSite(DrawSite* site)
    : site_(site), listener_([this](MessageSender, const Guid& message) {
          if (message == msgDestroying) site_ = nullptr;
      }) {
    if (site_) listener_.listenTo(site_->lifetime());
}

TDOChangeAction::TDOChangeAction(TDrawObject& object, const QString& caption)
    : TActionBase(caption), object_(&object), before_(TDrawObject::clone(object)), after_(TDrawObject::clone(object)) {}

TDOChangeAction::~TDOChangeAction() = default;

void TDOChangeAction::commit(std::unique_ptr<TDOChangeAction> action, TActionList& history) {
    TDrawObject* object = action->object_.get();
    if (!object || !object->site() || !(action->object_.changed() || action->marked_)) return;
    action->after_->assign(*object);
    history.addAction(std::move(action));
}

void TDOChangeAction::undo() {
    if (TDrawObject* object = object_.get()) {
        object->assign(*before_);
        object->setSelected(true);
    }
}

void TDOChangeAction::redo() {
    if (TDrawObject* object = object_.get()) {
        object->assign(*after_);
        object->setSelected(true);
    }
}

SiteOrder::SiteOrder(DrawSite* site) {
    if (!site) return;
    for (TDrawObject* object : site->drawObjects() | std::views::reverse)
        objects_.push_back(std::make_unique<WatchedObject>(object));
}

void SiteOrder::restore() const {
    for (const auto& watched : objects_)
        if (TDrawObject* object = watched->get()) object->sendToBackInLayer();
}

TDOAddDelAction::TDOAddDelAction(TDrawObject& object, const QString& caption)
    : TActionBase(caption), site_(object.site()), order_(object.site()), object_(&object) {}

TDOAddDelAction::~TDOAddDelAction() = default;

void TDOAddDelAction::takeOff() {
    TDrawObject* object = object_.get();
    DrawSite* site = site_.get();
    if (!object || !site || owned_) return;
    object->changed();
    site->removeDrawObject(*object);
    if (object->owner()) object->owner()->removeComponent(object);
    owned_.reset(object);  // only once it is off the site
}

void TDOAddDelAction::putBack() {
    DrawSite* site = site_.get();
    if (!owned_ || !site) return;
    TDrawObject* object = owned_.release();
    site->insertComponent(object);
    site->addDrawObject(*object);
    object->setSelected(true);
    order_.restore();
}

TDOLayerAction::TDOLayerAction(DrawSite& site, const QString& caption)
    : TActionBase(caption), site_(&site), before_(&site) {}

void TDOLayerAction::commit(std::unique_ptr<TDOLayerAction> action, TActionList& history) {
    DrawSite* site = action->site_.get();
    if (!site) return;
    action->after_ = std::make_unique<SiteOrder>(site);
    for (TDrawObject* selected : site->selection())
        action->selectedAfter_.push_back(std::make_unique<WatchedObject>(selected));
    history.addAction(std::move(action));
}

void TDOLayerAction::undo() {
    if (!site_.get()) return;
    before_.restore();
    selectAfter();
}

void TDOLayerAction::redo() {
    if (!site_.get() || !after_) return;
    after_->restore();
    selectAfter();
}

void TDOLayerAction::selectAfter() const {
    for (const auto& watched : selectedAfter_)
        if (TDrawObject* object = watched->get()) object->setSelected(true);
}

}  // namespace poremi
