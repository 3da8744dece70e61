#pragma once
// A change made in the style toolbar, applied to the selected objects of a site as one undo
// step captioned "設定変更".

#include "edit/style/object_style.h"

namespace poremi {

// One change operation for the property on every selected object that has it. False when no
// selected object has it (nothing is recorded then).
bool applyStyleChange(DrawSite& site, const TStyleToolSpec& style, StyleProperty property);

}  // namespace poremi
