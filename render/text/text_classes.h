#pragma once
// Registers the persisted classes of text layout, in a fixed order.

namespace poremi {

void registerTextClasses();

}  // namespace poremi
