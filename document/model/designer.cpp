#include "document/model/designer.h"

#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "document/stream/class_registry.h"

#include <QtCore/QHash>
#include <algorithm>
#include <ranges>

namespace poremi {

bool TDODesigner::createObject(DrawSite&, const QString&) { return false; }
std::unique_ptr<TDrawObject> TDODesigner::createInstance(const QString&) { return nullptr; }
bool TDODesigner::edit(TDrawObject&, bool&) { return false; }
bool TDODesigner::showHandles(TDrawObject&) { return false; }
bool TDODesigner::beginDrag(TDrawObject&, int) { return false; }

TDODesignerList& TDODesignerList::instance() {
    static TDODesignerList list;
    return list;
}

void TDODesignerList::registerDesigner(std::shared_ptr<TDODesigner> designer) {
    if (designer) designers_.push_back(std::move(designer));
}

void TDODesignerList::unregisterDesigner(const TDODesigner& designer) {
    std::erase_if(designers_, [&](const std::shared_ptr<TDODesigner>& d) { return d.get() == &designer; });
}

// A designer may register or remove designers while it is asked; the walk keeps its own copy.
bool TDODesignerList::createObject(DrawSite& site, const QString& toolName) {
    const auto asked = designers_;
    return std::ranges::any_of(asked | std::views::reverse, [&](const auto& d) { return d->createObject(site, toolName); });
}

std::unique_ptr<TDrawObject> TDODesignerList::createInstance(const QString& toolName) {
    const auto asked = designers_;
    for (const auto& designer : asked | std::views::reverse)
        if (std::unique_ptr<TDrawObject> object = designer->createInstance(toolName)) return object;
    return nullptr;
}

bool TDODesignerList::edit(TDrawObject& object) {
    const auto asked = designers_;
    for (const auto& designer : asked | std::views::reverse) {
        bool cancelled = false;
        if (!designer->edit(object, cancelled)) continue;
        if (cancelled) return false;
        if (DrawSite* site = object.site()) site->refreshHandles();
        return true;
    }
    return false;
}

bool TDODesignerList::showHandles(TDrawObject& object) {
    const auto asked = designers_;
    return std::ranges::any_of(asked | std::views::reverse, [&](const auto& d) { return d->showHandles(object); });
}

bool TDODesignerList::beginDrag(TDrawObject& object, int handle) {
    const auto asked = designers_;
    return std::ranges::any_of(asked | std::views::reverse, [&](const auto& d) { return d->beginDrag(object, handle); });
}

std::unique_ptr<TDrawObject> TLOCreator::createInstance(const QString& toolName) {
    static const QHash<QString, QString> classOfTool{
        {"TLOLine", "TLOLine"},           {"TLODecoLine", "TLODecoLine"},     {"TLOCurve", "TLOCurve"},
        {"TLOCircle", "TLOCircle"},       {"TLORect", "TLORect"},             {"TLOJANCode", "TLOJANCode"},
        {"TLOImage", "TLOImage"},         {"TLOImagePaste", "TLOImage"},      {"TLOOnePoint", "TLOImage"},
        {"TLOTwain", "TLOImage"},         {"TLOText", "TLOText"},             {"TLOTextPaste", "TLOText"},
        {"TLOField", "TLOField"},         {"TLODate", "TLODate"},             {"TLOBackImage", "TLOBackImage"},
        {"TLODecoString", "TLODecoString"}, {"TLOWizardText", "TLOWizardText"}, {"TLOInsText", "TLOInsText"},
        {"TLOInsImage", "TLOInsImage"},   {"TLOInsBarCode", "TLOInsBarCode"}, {"TLONumbering", "TLONumbering"},
        {"TLOAlphaMask", "TLOAlphaMask"},
    };
    const auto tool = classOfTool.constFind(toolName);
    if (tool == classOfTool.constEnd()) return nullptr;
    const TClassInfo* info = ClassRegistry::instance().find(*tool);
    if (!info || !info->canCreate()) return nullptr;
    std::unique_ptr<TPersistent> made = info->create();
    auto* object = dynamic_cast<TDrawObject*>(made.get());
    if (!object) return nullptr;
    made.release();
    return std::unique_ptr<TDrawObject>(object);
}

}  // namespace poremi
