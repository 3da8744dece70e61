#include "core/component_macros.h"

#include "core/app_frame.h"
#include "document/stream/component.h"
#include "document/stream/string_list.h"

namespace poremi {
namespace {

const QString kMacroOpening = QStringLiteral("$(");

// The expansion, or the text itself when it holds a macro error.
QString expanded(TMacroString& macros, const QString& text) {
    try {
        return macros.expand(text);
    } catch (const EMacroString&) {
        return text;
    }
}

void expandProperties(TMacroString& macros, TPersistent& object) {
    for (const PropertyInfo* p : object.classInfo().properties()) {
        if (!p->isStored(object)) continue;
        if (p->kind == PropertyKind::String) {
            const QString text = p->getString(object);
            if (text.contains(kMacroOpening)) p->setString(object, expanded(macros, text));
        } else if (p->kind == PropertyKind::Object) {
            TPersistent* sub = p->getObject(object);
            if (!sub) continue;
            expandProperties(macros, *sub);
            if (auto* list = dynamic_cast<TStringList*>(sub)) {
                const QString text = list->text();
                if (text.contains(kMacroOpening)) list->setText(expanded(macros, text));
            }
        }
    }
}

void expandComponent(TMacroString& macros, TComponent& component) {
    expandProperties(macros, component);
    for (TComponent* owned : component.components()) expandComponent(macros, *owned);
}

}  // namespace

void ExpandComponentMacros(TComponent& component) {
    if (TAppFrame* frame = TAppFrame::instance()) expandComponent(frame->macro(), component);
}

}  // namespace poremi
