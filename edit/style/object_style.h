#pragma once
// A style applied to one object, read from one object and copied between objects, through the
// style interfaces the object has (IDOFillColor, IDOLineColor, IDOFont, IDOAlign); what an
// object lacks is left alone.

#include "edit/style/toolbar_style.h"

#include <optional>

namespace poremi {

class DrawSite;
class TDrawObject;

// The parts of a style that the toolbar changes one at a time.
enum class StyleProperty { FontName, FontSize, FontStyle, Align, PenColor, Fill };

// The face our font services draw for a face name (the name itself, or its fallback), with
// its character set; none when no face at all can be drawn.
struct DrawnFace {
    QString name;
    std::uint8_t charset = 0;
};
std::optional<DrawnFace> drawnFace(const QString& name);

// Whether the object has the interface that carries the property.
bool hasStyleProperty(const TDrawObject& object, StyleProperty property);
// Sets one property from the style; false when the object lacks it. A font name brings the
// character set of the face our font services draw for it.
bool applyStyleProperty(TDrawObject& object, const TStyleToolSpec& style, StyleProperty property);
// Every property the object has.
void applyStyle(TDrawObject& object, const TStyleToolSpec& style);

// The style overlaid with what the object has: fill colour and Transparent, text colour, font
// name, size and style, alignment.
TStyleToolSpec objectStyle(const TDrawObject& object, TStyleToolSpec style);

// Copies whole what both objects have: the fill and whether the inside is painted, the line
// colour, the font, the alignment.
void copyStyle(const TDrawObject& from, TDrawObject& to);

// The object-added hook of the free-design screen: the toolbar's style, then what the front-most
// selected object (when there is one, and it is another object) has.
void applyNewObjectStyle(TDrawObject& object, const TStyleToolSpec& style, const TDrawObject* frontSelected);

// The front-most selected object of the site other than except, or null.
TDrawObject* frontSelected(const DrawSite& site, const TDrawObject* except = nullptr);

}  // namespace poremi
