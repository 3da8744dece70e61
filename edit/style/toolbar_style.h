#pragma once
// The style exchanged between the style toolbar, the default text style and the objects, and
// the default text style kept in the settings.

#include "render/raster/pixel_layout.h"

#include <QtCore/QString>
#include <cstdint>

namespace poremi {

struct TStyleToolSpec {
    QString fontName = QStringLiteral("ＭＳ Ｐゴシック");
    std::int32_t fontSize = 24;                  // points
    std::int32_t align = 0;                      // 0 left, 1 centre, 2 right, 3 justified
    std::uint8_t fontStyle = 0;                  // TFontStyle flags
    TColor penColor = 0;                         // text (line) colour
    TColor brushColor = 0xC0C0C0;                // fill colour of shapes
    bool transparent = false;                    // the inside of shapes is not filled

    friend bool operator==(const TStyleToolSpec&, const TStyleToolSpec&) = default;
};

// The four style bits the style keeps (bold, italic, underline, strikeout).
inline constexpr std::uint8_t kFontStyleBits = 0x0F;

// Sizes the toolbar accepts, typed or chosen.
inline constexpr int kMinFontSize = 6;
inline constexpr int kMaxFontSize = 998;
inline constexpr bool isFontSizeAccepted(int size) { return size >= kMinFontSize && size <= kMaxFontSize; }

// The style of new objects while nothing is selected, from the settings; Transparent is not
// stored and reads false.
TStyleToolSpec readDefaultTextStyle();
void writeDefaultTextStyle(const TStyleToolSpec& style);

}  // namespace poremi
