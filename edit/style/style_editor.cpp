#include "edit/style/style_editor.h"

#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "document/model/object_actions.h"
#include "edit/style/style_change.h"
#include "edit/style/style_tool_bar.h"

namespace poremi {

StyleEditor::StyleEditor(StyleToolBar& toolBar, const TStyleToolSpec& defaultStyle, QObject* parent)
    : QObject(parent), toolBar_(toolBar), defaultStyle_(defaultStyle) {
    toolBar_.showSpec(defaultStyle_);
    connect(&toolBar_, &StyleToolBar::changed, this, &StyleEditor::toolBarChanged);
}

StyleEditor::~StyleEditor() = default;

void StyleEditor::setSite(DrawSite* site) { site_ = site ? std::make_unique<WatchedSite>(site) : nullptr; }

DrawSite* StyleEditor::site() const { return site_ ? site_->get() : nullptr; }

bool StyleEditor::hasSelection() const { return site() && frontSelected(*site()); }

void StyleEditor::styleNewObject(TDrawObject& object) const {
    applyNewObjectStyle(object, toolBar_.spec(), site() ? frontSelected(*site(), &object) : nullptr);
}

void StyleEditor::synchronise() {
    if (const TDrawObject* front = site() ? frontSelected(*site()) : nullptr)
        toolBar_.showSpec(objectStyle(*front, toolBar_.spec()));
    else
        toolBar_.showSpec(defaultStyle_);
}

void StyleEditor::toolBarChanged(StyleProperty property) {
    TStyleToolSpec style = toolBar_.spec();
    if (hasSelection()) {
        // A size the objects cannot take changes nothing.
        if (property == StyleProperty::FontSize) style.fontSize = toolBar_.typedFontSize().value_or(0);
        applyStyleChange(*site(), style, property);
    } else {
        defaultStyle_ = style;
    }
}

}  // namespace poremi
