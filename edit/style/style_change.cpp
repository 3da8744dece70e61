#include "edit/style/style_change.h"

#include "document/model/draw_object.h"
#include "edit/edit_command.h"

namespace poremi {

bool applyStyleChange(DrawSite& site, const TStyleToolSpec& style, StyleProperty property) {
    // An unreadable size leaves the objects as they are.
    if (property == StyleProperty::FontSize && !isFontSizeAccepted(style.fontSize)) return false;
    TargetRule rule;
    rule.actionType = atChange;
    rule.actionString = QStringLiteral("設定変更");
    TDSOperation operation(rule);
    operation.OnMakeList = [property](DrawSite&, TDOList& list) {
        const std::vector<TDrawObject*> candidates = list.items();
        list.clear();
        for (TDrawObject* object : candidates)
            if (hasStyleProperty(*object, property)) list.add(object);
    };
    operation.OnEachObject = [&style, property](DrawSite&, TDrawObject& object) {
        applyStyleProperty(object, style, property);
    };
    if (!operation.prepare(site)) return false;
    operation.execute(site);
    return true;
}

}  // namespace poremi
