#include "render/text/font_face.h"

#include "base/error.h"
#include "render/text/outline_walk.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ot.h>
#include <hb.h>

#include <QtCore/QFile>
#include <algorithm>

namespace poremi {
namespace {

std::shared_ptr<FT_LibraryRec_> sharedFreeType() {
    static std::weak_ptr<FT_LibraryRec_> shared;
    if (auto library = shared.lock()) return library;
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) throw Exception(QStringLiteral("FreeType を初期化できません。"));
    std::shared_ptr<FT_LibraryRec_> library(raw, [](FT_Library l) { FT_Done_FreeType(l); });
    shared = library;
    return library;
}

// Collects an outline into a path, each contour closed.
class PathReceiver : public OutlineReceiver {
public:
    explicit PathReceiver(QPainterPath& path) : path_(path) {}
    ~PathReceiver() override = default;

    void moveTo(QPointF to) override {
        if (open_) path_.closeSubpath();
        path_.moveTo(to);
        open_ = true;
    }
    void lineTo(QPointF to) override { path_.lineTo(to); }
    void quadTo(QPointF control, QPointF to) override { path_.quadTo(control, to); }
    void cubicTo(QPointF c1, QPointF c2, QPointF to) override { path_.cubicTo(c1, c2, to); }
    void finish() {
        if (open_) path_.closeSubpath();
    }

private:
    QPainterPath& path_;
    bool open_ = false;
};

bool hasGsubFeature(hb_face_t* face, hb_tag_t wanted) {
    unsigned int count = 64;
    hb_tag_t tags[64];
    unsigned int start = 0;
    unsigned int total = 0;
    do {
        count = 64;
        total = hb_ot_layout_table_get_feature_tags(face, HB_OT_TAG_GSUB, start, &count, tags);
        if (std::find(tags, tags + count, wanted) != tags + count) return true;
        start += count;
    } while (count > 0 && start < total);
    return false;
}

}  // namespace

struct FontFace::Handles {
    std::shared_ptr<FT_LibraryRec_> library;
    FT_Face face = nullptr;
    hb_blob_t* blob = nullptr;
    hb_face_t* hbFace = nullptr;
    hb_font_t* hbFont = nullptr;
    hb_buffer_t* buffer = nullptr;

    ~Handles() {
        if (buffer) hb_buffer_destroy(buffer);
        if (hbFont) hb_font_destroy(hbFont);
        if (hbFace) hb_face_destroy(hbFace);
        if (blob) hb_blob_destroy(blob);
        if (face) FT_Done_Face(face);
    }
};

FontFace::FontFace(const FaceSource& source) : source_(source), handles_(std::make_unique<Handles>()) {
    handles_->library = sharedFreeType();
    const QByteArray file = QFile::encodeName(source.file);
    if (FT_New_Face(handles_->library.get(), file.constData(), source.index, &handles_->face) != 0 ||
        !FT_IS_SCALABLE(handles_->face))
        throw Exception(QStringLiteral("フォントファイル %1 を開けません。").arg(source.file));
    FT_Face face = handles_->face;

    metrics_.unitsPerEm = std::max<int>(1, face->units_per_EM);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        metrics_.winAscent = os2->usWinAscent;
        metrics_.winDescent = os2->usWinDescent;
        metrics_.strikeoutPosition = os2->yStrikeoutPosition;
        metrics_.strikeoutThickness = os2->yStrikeoutSize;
    } else {
        metrics_.winAscent = face->ascender;
        metrics_.winDescent = -face->descender;
        metrics_.strikeoutPosition = metrics_.unitsPerEm * 22 / 100;
        metrics_.strikeoutThickness = face->underline_thickness;
    }
    if (hhea) {
        const int hheaHeight = hhea->Ascender - hhea->Descender;
        const int cell = metrics_.winAscent + metrics_.winDescent;
        metrics_.externalLeading = std::max(0, hhea->Line_Gap - (cell - hheaHeight));
    }
    metrics_.underlinePosition = post ? post->underlinePosition : face->underline_position;
    metrics_.underlineThickness = post ? post->underlineThickness : face->underline_thickness;
    metrics_.hasOutlineMetrics = metrics_.underlineThickness > 0 && metrics_.strikeoutThickness > 0;

    handles_->blob = hb_blob_create_from_file(file.constData());
    handles_->hbFace = hb_face_create(handles_->blob, static_cast<unsigned>(source.index));
    handles_->hbFont = hb_font_create(handles_->hbFace);
    handles_->buffer = hb_buffer_create();
    supportsVertical_ = FT_HAS_VERTICAL(face) || hasGsubFeature(handles_->hbFace, HB_TAG('v', 'e', 'r', 't')) ||
                        hasGsubFeature(handles_->hbFace, HB_TAG('v', 'r', 't', '2'));
}

FontFace::~FontFace() = default;

std::uint32_t FontFace::glyphFor(char32_t character) const {
    return FT_Get_Char_Index(handles_->face, character);
}

std::uint32_t FontFace::verticalGlyphFor(char32_t character) {
    const auto found = verticalForms_.constFind(character);
    if (found != verticalForms_.constEnd()) return *found;
    hb_buffer_t* buffer = handles_->buffer;
    hb_buffer_reset(buffer);
    const auto codepoint = static_cast<hb_codepoint_t>(character);
    hb_buffer_add_utf32(buffer, &codepoint, 1, 0, 1);
    hb_buffer_guess_segment_properties(buffer);
    hb_buffer_set_direction(buffer, HB_DIRECTION_TTB);
    hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
    const hb_feature_t features[] = {
        {HB_TAG('v', 'e', 'r', 't'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
        {HB_TAG('v', 'r', 't', '2'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
    };
    hb_shape(handles_->hbFont, buffer, features, 2);
    unsigned int count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const std::uint32_t glyph = count > 0 ? info[0].codepoint : glyphFor(character);
    verticalForms_.insert(character, glyph);
    return glyph;
}

const FontFace::Glyph& FontFace::loadGlyph(std::uint32_t glyph) {
    const auto found = glyphs_.constFind(glyph);
    if (found != glyphs_.constEnd()) return *found;
    Glyph loaded;
    FT_Face face = handles_->face;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0 &&
        face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline* outline = &face->glyph->outline;
        double advance = face->glyph->metrics.horiAdvance;
        if (source_.syntheticItalic) {
            // The slant FreeType's own oblique uses (about 12°).
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
            FT_Outline_Transform(outline, &shear);
        }
        if (source_.syntheticBold) {
            const FT_Pos strength = metrics_.unitsPerEm / 24;
            FT_Outline_EmboldenXY(outline, strength, strength);
            advance += strength;
        }
        loaded.box.advance = advance;
        if (outline->n_points > 0) {
            FT_BBox bbox;
            FT_Outline_Get_BBox(outline, &bbox);
            loaded.box.xMin = bbox.xMin;
            loaded.box.xMax = bbox.xMax;
            loaded.box.yMin = bbox.yMin;
            loaded.box.yMax = bbox.yMax;
            loaded.box.hasInk = bbox.xMax > bbox.xMin;
            PathReceiver receiver(loaded.outline);
            // A malformed glyph is drawn without ink rather than as a fragment.
            if (walkOutline(*outline, receiver))
                receiver.finish();
            else
                loaded.outline = QPainterPath();
            loaded.outline.setFillRule(Qt::WindingFill);
        }
    }
    return *glyphs_.insert(glyph, loaded);
}

const GlyphBox& FontFace::box(std::uint32_t glyph) { return loadGlyph(glyph).box; }

const QPainterPath& FontFace::outline(std::uint32_t glyph) { return loadGlyph(glyph).outline; }

VerticalBox FontFace::verticalBox(std::uint32_t glyph) {
    hb_position_t x = 0;
    hb_position_t y = 0;
    hb_font_get_glyph_v_origin(handles_->hbFont, glyph, &x, &y);
    VerticalBox box;
    box.originX = x;
    box.originY = y;
    box.advance = -hb_font_get_glyph_v_advance(handles_->hbFont, glyph);
    return box;
}

}  // namespace poremi
