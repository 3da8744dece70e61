#pragma once
// Registers the persisted classes of the raster and fill layer, in a fixed order.

namespace poremi {

void registerRasterClasses();

}  // namespace poremi
