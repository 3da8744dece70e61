#include "render/text/point_based_font.h"

#include "base/arithmetic.h"
#include "document/stream/class_declaration.h"
#include "document/stream/name_tables.h"

namespace poremi {

const TClassInfo& TPointBasedFont::staticClassInfo() {
    static const TClassInfo info = describeClass<TPointBasedFont, TPersistent>("TPointBasedFont", [](auto& c) {
        c.integer("Charset", &TPointBasedFont::charset, &TPointBasedFont::setCharset).names(charsetNames());
        c.integer("Color", &TPointBasedFont::color, &TPointBasedFont::setColor).names(colorNames());
        c.integer("Height", &TPointBasedFont::height, &TPointBasedFont::setHeight).notStored();
        c.string("Name", &TPointBasedFont::name, &TPointBasedFont::setName);
        c.enumeration("Pitch", &TPointBasedFont::pitch, &TPointBasedFont::setPitch,
                      {QStringLiteral("fpDefault"), QStringLiteral("fpVariable"), QStringLiteral("fpFixed")})
            .defaultValue(fpDefault);
        c.integer("Size", &TPointBasedFont::size, &TPointBasedFont::setSize);
        c.set("Style", &TPointBasedFont::style, &TPointBasedFont::setStyle,
              {QStringLiteral("fsBold"), QStringLiteral("fsItalic"), QStringLiteral("fsUnderline"),
               QStringLiteral("fsStrikeOut")});
    });
    return info;
}

TPointBasedFont& TPointBasedFont::operator=(const TPointBasedFont& other) {
    charset_ = other.charset_;
    color_ = other.color_;
    name_ = other.name_;
    pitch_ = other.pitch_;
    size_ = other.size_;
    style_ = other.style_;
    return *this;
}

void TPointBasedFont::assign(const TPersistent& source) {
    if (const auto* font = dynamic_cast<const TPointBasedFont*>(&source)) {
        *this = *font;
        return;
    }
    TPersistent::assign(source);
}

void TPointBasedFont::setHeight(std::int32_t height) {
    // A negative height is the character height, a positive one the cell height; both give the
    // point size at the measuring surface's resolution.
    size_ = mulDiv(height < 0 ? -height : height, 72, 254);
}

int TPointBasedFont::emHeight(int pixelsPerInch) const { return mulDiv(size_, pixelsPerInch, 72); }

bool operator==(const TPointBasedFont& a, const TPointBasedFont& b) {
    return a.charset_ == b.charset_ && a.color_ == b.color_ && a.name_ == b.name_ && a.pitch_ == b.pitch_ &&
           a.size_ == b.size_ && a.style_ == b.style_;
}

}  // namespace poremi
