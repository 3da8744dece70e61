#pragma once
// Makes the constructible label objects known to the stream by name.

namespace poremi {

// Registers, in this order: TLOJANCode, TLOText, TLOField, TLODate, TLOImage, TLOBackImage,
// TLOAlphaMask, TLOLine, TLOCurve, TLODecoLine, TLORect, TLOCircle.
void registerObjectClasses();

}  // namespace poremi
