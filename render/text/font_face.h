#pragma once
// One outline face opened through FreeType, with HarfBuzz beside it for the vertical forms.
// Everything is kept in font units (unhinted); callers scale to the pixel size they draw at.

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtGui/QPainterPath>
#include <cstdint>
#include <memory>

namespace poremi {

// Horizontal extents of one glyph in font units, y upwards.
struct GlyphBox {
    double advance = 0;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool hasInk = false;
};

// Vertical placement of one glyph: the vertical origin in the glyph's horizontal coordinates
// and the advance down the column (positive), font units.
struct VerticalBox {
    double originX = 0, originY = 0;
    double advance = 0;
};

// The face-wide numbers a text layout needs, font units.
struct FaceMetrics {
    int unitsPerEm = 1000;
    int winAscent = 0;      // cell height is winAscent + winDescent, as Windows computes it
    int winDescent = 0;
    int externalLeading = 0;
    int underlinePosition = 0;   // below the baseline when negative
    int underlineThickness = 0;
    int strikeoutPosition = 0;
    int strikeoutThickness = 0;
    bool hasOutlineMetrics = true;
};

struct FaceSource {
    QString file;
    int index = 0;
    QString family;            // the family name fontconfig matched
    bool syntheticBold = false;
    bool syntheticItalic = false;
    int charset = 0;           // 128 when the face covers Japanese, else 0
};

class FontFace {
public:
    // Throws poremi::Exception when the file cannot be opened as an outline face.
    explicit FontFace(const FaceSource& source);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FaceSource& source() const { return source_; }
    const FaceMetrics& metrics() const { return metrics_; }

    // The glyph of a character (0, the missing glyph, when the face has none).
    std::uint32_t glyphFor(char32_t character) const;
    // The glyph set in vertical writing: the 'vert'/'vrt2' substitute when the face has one.
    std::uint32_t verticalGlyphFor(char32_t character);
    // Whether the face can set text vertically (vertical metrics or a vertical substitution).
    bool supportsVertical() const { return supportsVertical_; }

    const GlyphBox& box(std::uint32_t glyph);
    VerticalBox verticalBox(std::uint32_t glyph);
    // The outline in font units, y upwards, as closed figures.
    const QPainterPath& outline(std::uint32_t glyph);

private:
    struct Glyph {
        GlyphBox box;
        QPainterPath outline;
    };
    const Glyph& loadGlyph(std::uint32_t glyph);

    FaceSource source_;
    FaceMetrics metrics_;
    bool supportsVertical_ = false;
    struct Handles;
    std::unique_ptr<Handles> handles_;
    QHash<std::uint32_t, Glyph> glyphs_;
    QHash<char32_t, std::uint32_t> verticalForms_;
};

}  // namespace poremi
