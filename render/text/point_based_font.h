#pragma once
// A font whose persisted size is in points, so that it survives changes of device resolution;
// the height in pixels is derived for whatever resolution measures it.

#include <QtCore/QString>
#include <cstdint>

namespace poremi {

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TPointBasedFont {
public:
    QString name = QStringLiteral("ＭＳ Ｐゴシック");
    int size = 10;                 // points
    std::uint8_t style = 0;        // TFontStyle flags
    int charset = 128;             // 128 Shift-JIS, 0 ANSI
    std::uint32_t color = 0;       // 0x00BBGGRR

    bool bold() const { return style & fsBold; }
    bool italic() const { return style & fsItalic; }
    bool underline() const { return style & fsUnderline; }
    bool strikeOut() const { return style & fsStrikeOut; }

    // The character (em) height in pixels at pixelsPerInch: MulDiv(size, pixelsPerInch, 72).
    int height(int pixelsPerInch) const;

    friend bool operator==(const TPointBasedFont&, const TPointBasedFont&) = default;
};

}  // namespace poremi
