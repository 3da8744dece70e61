#pragma once
// Facts about the printers; Qt's printing support brings Qt Widgets with it, so they live here.

namespace poremi {

// True when a default printer is configured (CUPS or a local queue).
bool hasDefaultPrinter();

}  // namespace poremi
