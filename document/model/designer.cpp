#include "document/model/designer.h"

#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "document/model/object_actions.h"
#include "document/model/object_placement.h"
#include "document/stream/class_registry.h"

#include <QtCore/QHash>
#include <QtCore/QStringList>
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

namespace {

// Tools whose object is made without the property editor first.
bool skipsEditor(const QString& toolName) {
    static const QStringList tools{"TLOImagePaste", "TLOTextPaste", "TLOField", "TLOInsBarCode"};
    return tools.contains(toolName);
}

// Tools whose object the user draws with the mouse.
bool drawnByUser(const QString& toolName) { return toolName == u"TLOField" || toolName == u"TLOInsBarCode"; }

}  // namespace

bool TLOCreator::createObject(DrawSite& site, const QString& toolName) {
    TDODesignerList& registry = TDODesignerList::instance();
    std::unique_ptr<TDrawObject> made = registry.createInstance(toolName);
    if (!made) return false;
    made->prepareForTool(toolName, site);
    TDrawObject* object = made.release();
    site.insertComponent(object);
    site.clearGhosts();
    if (site.objectAdded) {
        site.objectAdded(*object);
        object->setSelected(false);
    }
    site.setSiteCursor(Qt::ArrowCursor);
    if (!skipsEditor(toolName) && !registry.edit(*object)) {
        delete object;
        return true;
    }
    object->setCursor(Qt::PointingHandCursor);
    site.addDrawObject(*object);
    if (drawnByUser(toolName)) {
        object->setVisible(false);
        site.setSiteCursor(Qt::CrossCursor);
        object->beginDrag(-2);
    } else {
        if (object->selectable()) fitNewObject(*object, site.logicalSize(), site.visibleCentre());
        TActionList::instance().addAction(std::make_unique<TDOAddAction>(*object));
        if (object->selectable()) {
            site.deselectAll();
            object->setSelected(true);
            object->showHandles();
        }
    }
    if (site.toolFinished) site.toolFinished();
    return true;
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
