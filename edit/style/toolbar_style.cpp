#include "edit/style/toolbar_style.h"

#include "core/settings.h"

namespace poremi {

TStyleToolSpec readDefaultTextStyle() {
    TStyleToolSpec style;
    // A hand-edited settings file must not hand the objects values they cannot take.
    const QString name = setting::read(setting::DefFontName).trimmed();
    if (!name.isEmpty()) style.fontName = name;
    const int size = setting::read(setting::DefFontSize);
    if (isFontSizeAccepted(size)) style.fontSize = size;
    style.penColor = setting::read(setting::DefPenColor);
    style.brushColor = setting::read(setting::DefBrushColor);
    const int align = setting::read(setting::DefAlign);
    if (align >= 0 && align <= 3) style.align = align;
    style.fontStyle = std::uint8_t(setting::read(setting::DefStyle) & kFontStyleBits);
    style.transparent = false;
    return style;
}

void writeDefaultTextStyle(const TStyleToolSpec& style) {
    setting::write(setting::DefFontName, style.fontName);
    setting::write(setting::DefFontSize, style.fontSize);
    setting::write(setting::DefPenColor, style.penColor);
    setting::write(setting::DefBrushColor, style.brushColor);
    setting::write(setting::DefAlign, style.align);
    setting::write(setting::DefStyle, style.fontStyle & kFontStyleBits);
}

}  // namespace poremi
