#include "render/text/text_picture.h"

#include "render/geometry/stroke.h"

namespace poremi {

void TTextPicture::appendTo(TStroke& stroke, bool decorations) const {
    for (const TPlacedGlyph& placed : glyphs) stroke.appendPath(placed.transform.map(placed.face->outline(placed.glyph)));
    if (decorations)
        for (const QPolygonF& bar : bars) {
            QPainterPath path;
            path.addPolygon(bar);
            path.closeSubpath();
            stroke.appendPath(path);
        }
}

}  // namespace poremi
