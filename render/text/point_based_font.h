#pragma once
// A font whose persisted size is in points, so that it survives changes of device resolution;
// Height is published but never written, and derived for whatever resolution measures it.

#include "document/stream/persistent.h"

#include <QtCore/QString>
#include <cstdint>

namespace poremi {

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

class TPointBasedFont : public TPersistent {
    POREMI_PERSISTENT(TPointBasedFont)
public:
    TPointBasedFont() = default;
    TPointBasedFont(const TPointBasedFont& other) : TPersistent() { *this = other; }
    TPointBasedFont& operator=(const TPointBasedFont& other);

    // Published: Charset, Color, Height (never written), Name, Pitch, Size, Style.
    std::uint8_t charset() const { return charset_; }
    void setCharset(std::uint8_t charset) { charset_ = charset; }
    std::int32_t color() const { return color_; }     // 0x00BBGGRR
    void setColor(std::int32_t color) { color_ = color; }
    // −(character height) at the measuring surface's 254 pixels per inch.
    std::int32_t height() const { return -emHeight(254); }
    void setHeight(std::int32_t height);
    const QString& name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    TFontPitch pitch() const { return pitch_; }
    void setPitch(TFontPitch pitch) { pitch_ = pitch; }
    std::int32_t size() const { return size_; }       // points
    void setSize(std::int32_t size) { size_ = size; }
    std::uint8_t style() const { return style_; }     // TFontStyle flags
    void setStyle(std::uint8_t style) { style_ = style; }

    bool bold() const { return style_ & fsBold; }
    bool italic() const { return style_ & fsItalic; }
    bool underline() const { return style_ & fsUnderline; }
    bool strikeOut() const { return style_ & fsStrikeOut; }

    // The character (em) height in pixels at pixelsPerInch: MulDiv(size, pixelsPerInch, 72).
    int emHeight(int pixelsPerInch) const;

    void assign(const TPersistent& source) override;
    friend bool operator==(const TPointBasedFont& a, const TPointBasedFont& b);

private:
    std::uint8_t charset_ = 128;
    std::int32_t color_ = 0;
    QString name_ = QStringLiteral("ＭＳ Ｐゴシック");
    TFontPitch pitch_ = fpDefault;
    std::int32_t size_ = 10;
    std::uint8_t style_ = 0;
};

}  // namespace poremi
