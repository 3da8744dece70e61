#pragma once
// What laying out a text puts down: every glyph with the transform from its font units to
// document units, and the underline and strikeout bars. Drawing fills it, outlining collects it.

#include "render/text/font_face.h"

#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>
#include <QtGui/QTransform>
#include <memory>
#include <vector>

namespace poremi {

class TStroke;

struct TPlacedGlyph {
    std::shared_ptr<FontFace> face;
    std::uint32_t glyph = 0;
    char32_t character = 0;
    int line = 0;
    int index = 0;          // character index in its line
    bool upright = false;   // full width standing upright in a vertical column
    QPointF cellOrigin;     // top-left corner of the character cell at the pen, document units
    double cellRotation = 0;  // degrees clockwise of the cell's x axis (90 in a vertical column)
    QTransform transform;   // font units → document units
};

struct TTextPicture {
    std::vector<TPlacedGlyph> glyphs;
    std::vector<QPolygonF> bars;

    // Appends every glyph outline and, with decorations, every bar (document units).
    void appendTo(TStroke& stroke, bool decorations) const;
};

}  // namespace poremi
