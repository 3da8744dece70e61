#pragma once
// The font of a text prepared for one surface: the face that draws it (fallbacks applied, the
// vertical face chosen), scaled to the surface's pixel size. It measures characters in whole
// pixels and says how each glyph sits in its character cell.

#include "render/text/char_layout.h"
#include "render/text/font_face.h"
#include "render/text/point_based_font.h"

#include <QtGui/QTransform>
#include <memory>

namespace poremi {

// How one character is set: its glyph and whether it stands upright in a vertical column
// (full-width characters of a vertical face) or lies along the line.
struct GlyphChoice {
    std::uint32_t glyph = 0;
    bool upright = false;
};

class TextFont {
public:
    // The face for font, substituting the first usable fallback for a face that is not
    // usable; vertical chooses the "@" face where there is one. pixelsPerUnit is the
    // surface's pixels per document unit (1 on the 254-pixels-per-inch measuring surface).
    TextFont(const TPointBasedFont& font, bool vertical, double pixelsPerUnit);

    // The face name actually drawn and its charset.
    const QString& faceName() const { return faceName_; }
    int charset() const { return face_->source().charset; }
    bool verticalFace() const { return verticalFace_; }
    const std::shared_ptr<FontFace>& face() const { return face_; }

    double emPixels() const { return em_; }
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int height() const { return ascent_ + descent_; }

    GlyphChoice choose(char32_t character) const;
    // A, B and C of a character at index i of its line (tabs stop every 8 widths of "0").
    TABC measure(char32_t character, int index) const;
    // Measures a whole line (characters are code points).
    TCharLayout measureLine(const QString& line) const;
    // Font units of the glyph to the coordinates of its character cell: x along the line from
    // the pen position, y down from the cell's top edge, in pixels of this font.
    QTransform glyphToCell(const GlyphChoice& choice) const;

    // Underline and strikeout: offset below the cell top and thickness, pixels.
    struct Bar {
        int offset = 0;
        int thickness = 1;
    };
    Bar underline() const;
    Bar strikeOut() const;

    // The fallback faces, in the order they are tried.
    static const QStringList& fallbackNames();

private:
    std::shared_ptr<FontFace> face_;
    QString faceName_;
    bool verticalFace_ = false;
    double em_ = 0;
    double scale_ = 0;   // pixels per font unit
    int ascent_ = 0;
    int descent_ = 0;
    int zeroWidth_ = 0;
};

}  // namespace poremi
