#include "render/text/text_font.h"

#include "base/arithmetic.h"
#include "base/error.h"
#include "base/text_codec.h"
#include "render/text/font_library.h"

#include <cmath>

namespace poremi {
namespace {

int rounded(double v) { return int(roundHalfEven(v)); }

// Characters a Japanese vertical face sets upright: the double-byte ones of the code page
// (and, beyond it, the wide scripts); ASCII and half-width katakana lie turned.
bool isFullWidth(char32_t c) {
    if (c < 0x80) return false;
    if (c >= 0xFF61 && c <= 0xFF9F) return false;
    if (c < 0x2100) {
        // Latin, Greek, Cyrillic and general punctuation: as the code page holds them (¥ and ‾
        // are single bytes there, Greek and Cyrillic double).
        const QString text = QString::fromUcs4(&c, 1);
        return cp932::canEncode(text) && cp932::byteLength(text) == 2;
    }
    return true;
}

std::shared_ptr<FontFace> faceWithFallback(const TPointBasedFont& font, QString& faceName) {
    FontLibrary& library = FontLibrary::instance();
    const auto tryFace = [&](const QString& name) -> std::shared_ptr<FontFace> {
        faceName = name;
        return library.isUsable(name) ? library.face(name, font.bold(), font.italic()) : nullptr;
    };
    if (auto face = tryFace(font.name())) return face;
    for (const QString& fallback : TextFont::fallbackNames())
        if (auto face = tryFace(fallback)) return face;
    // Not even the last fallback answers: any usable face rather than no text at all.
    for (const QString& name : library.usableFonts())
        if (auto face = tryFace(name)) return face;
    throw Exception(QStringLiteral("使用できるフォントがありません。"));
}

}  // namespace

const QStringList& TextFont::fallbackNames() {
    static const QStringList names{
        QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("ＭＳ ゴシック"),
        QStringLiteral("ＭＳ 明朝"), QStringLiteral("標準ゴシック"), QStringLiteral("標準明朝"),
        QStringLiteral("System")};
    return names;
}

TextFont::TextFont(const TPointBasedFont& font, bool vertical, double pixelsPerUnit) {
    face_ = faceWithFallback(font, faceName_);
    verticalFace_ = vertical && FontLibrary::instance().hasVerticalFace(faceName_) && face_->supportsVertical();
    em_ = font.emHeight(254) * pixelsPerUnit;
    const FaceMetrics& m = face_->metrics();
    scale_ = em_ / m.unitsPerEm;
    ascent_ = rounded(m.winAscent * scale_);
    descent_ = rounded(m.winDescent * scale_);
    zeroWidth_ = rounded(face_->box(face_->glyphFor(U'0')).advance * scale_);
}

GlyphChoice TextFont::choose(char32_t character) const {
    if (verticalFace_ && isFullWidth(character)) return {face_->verticalGlyphFor(character), true};
    return {face_->glyphFor(character), false};
}

TABC TextFont::measure(char32_t character, int index) const {
    if (character == U'\t') return {0, zeroWidth_ * (8 - index % 8), 0};
    const GlyphChoice choice = choose(character);
    const GlyphBox& box = face_->box(choice.glyph);
    double inkStart = 0;
    double inkEnd = 0;
    double advance = 0;
    if (choice.upright) {
        const VerticalBox v = face_->verticalBox(choice.glyph);
        inkStart = (v.originY - box.yMax) * scale_;
        inkEnd = (v.originY - box.yMin) * scale_;
        advance = v.advance * scale_;
    } else {
        inkStart = box.xMin * scale_;
        inkEnd = box.xMax * scale_;
        advance = box.advance * scale_;
    }
    TABC abc;
    const int total = rounded(advance);
    if (box.hasInk) {
        abc.a = int(std::floor(inkStart));
        abc.b = int(std::ceil(inkEnd)) - abc.a;
    }
    abc.c = total - abc.a - abc.b;
    return abc;
}

TCharLayout TextFont::measureLine(const QString& line) const {
    TCharLayout layout;
    layout.line = line;
    const QList<uint> codes = line.toUcs4();
    layout.characters.assign(codes.begin(), codes.end());
    layout.widths.reserve(layout.characters.size());
    for (std::size_t i = 0; i < layout.characters.size(); ++i)
        layout.widths.push_back(measure(layout.characters[i], int(i)));
    layout.height = height();
    return layout;
}

QTransform TextFont::glyphToCell(const GlyphChoice& choice) const {
    if (!choice.upright) return QTransform(scale_, 0, 0, -scale_, 0, ascent_);
    // Upright in a column that runs along the cell's x axis: the glyph's vertical origin sits
    // on the column's centre line at the pen position.
    const VerticalBox v = face_->verticalBox(choice.glyph);
    return QTransform(0, -scale_, -scale_, 0, scale_ * v.originY, height() / 2.0 + scale_ * v.originX);
}

TextFont::Bar TextFont::underline() const {
    const FaceMetrics& m = face_->metrics();
    if (!m.hasOutlineMetrics) return {ascent_ + rounded(m.externalLeading * scale_), 1};
    return {ascent_ - rounded(m.underlinePosition * scale_), std::max(1, rounded(m.underlineThickness * scale_))};
}

TextFont::Bar TextFont::strikeOut() const {
    const FaceMetrics& m = face_->metrics();
    if (!m.hasOutlineMetrics) return {ascent_ * 3 / 4 + rounded(m.externalLeading * scale_), 1};
    return {ascent_ - rounded(m.strikeoutPosition * scale_), std::max(1, rounded(m.strikeoutThickness * scale_))};
}

}  // namespace poremi
