#include "render/text/text_picture.h"

namespace poremi {

QPainterPath TTextPicture::path(bool decorations) const {
    QPainterPath result;
    result.setFillRule(Qt::WindingFill);
    for (const TPlacedGlyph& placed : glyphs) result.addPath(placed.transform.map(placed.face->outline(placed.glyph)));
    if (decorations)
        for (const QPolygonF& bar : bars) result.addPolygon(bar), result.closeSubpath();
    return result;
}

}  // namespace poremi
