#include "render/text/font_library.h"
#include "render/text/text_font.h"
#include "tests/poremi_render_text/pinned_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <gtest/gtest.h>

#include <cmath>

namespace poremi {
namespace {

class FontBackend : public ::testing::Test {
protected:
    void SetUp() override { test::pinFonts(); }
    FontLibrary& library() { return FontLibrary::instance(); }

    static TPointBasedFont font(const QString& name, int size = 10) {
        TPointBasedFont f;
        f.setName(name);
        f.setSize(size);
        return f;
    }
};

TEST_F(FontBackend, ListsUsableMappedAndVerticalFaces) {
    const QStringList& usable = library().usableFonts();
    for (const char* name : {"IPAGothic", "IPAPGothic", "IPAMincho", "IPAPMincho", "DejaVu Sans"})
        EXPECT_TRUE(usable.contains(QString::fromUtf8(name))) << name;
    for (const QString& name : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS PMincho"),
                                QStringLiteral("標準ゴシック"), QStringLiteral("System")})
        EXPECT_TRUE(usable.contains(name)) << name.toStdString();
    QStringList sorted = usable;
    sorted.sort();
    EXPECT_EQ(sorted, usable);

    const QStringList& vertical = library().verticalFonts();
    EXPECT_TRUE(vertical.contains(QStringLiteral("@IPAGothic")));
    EXPECT_TRUE(vertical.contains(QStringLiteral("@ＭＳ Ｐ明朝")));
    EXPECT_FALSE(vertical.contains(QStringLiteral("@DejaVu Sans")));
    EXPECT_FALSE(library().isUsable(QStringLiteral("Face That Is Not Installed")));
}

TEST_F(FontBackend, WindowsNamesMapOntoTheIpaFaces) {
    const struct {
        QString windowsName;
        QString family;
    } cases[] = {
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")}, {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")},
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho")},     {QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("標準ゴシック"), QStringLiteral("IPAGothic")},     {QStringLiteral("標準明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")},      {QStringLiteral("System"), QStringLiteral("IPAPGothic")},
    };
    for (const auto& c : cases) {
        const auto face = library().face(c.windowsName, false, false);
        ASSERT_TRUE(face) << c.windowsName.toStdString();
        EXPECT_EQ(face->source().family, c.family) << c.windowsName.toStdString();
        EXPECT_EQ(face->source().charset, 128);
    }
}

TEST_F(FontBackend, CellHeightIsWinAscentPlusWinDescentScaled) {
    const TextFont text(font(QStringLiteral("IPAGothic"), 10), false, 1.0);
    FT_Library ft = nullptr;
    FT_Face face = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&ft), 0);
    ASSERT_EQ(FT_New_Face(ft, test::pinnedFaceFile(QStringLiteral("ipag.ttf")).toUtf8().constData(), 0, &face), 0);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double em = 35;   // 10 points at 254 pixels per inch
    const double scale = em / face->units_per_EM;
    EXPECT_EQ(text.ascent(), std::lround(os2->usWinAscent * scale));
    EXPECT_EQ(text.height(), std::lround(os2->usWinAscent * scale) + std::lround(os2->usWinDescent * scale));
    FT_Done_Face(face);
    FT_Done_FreeType(ft);
}

TEST_F(FontBackend, WidthsAreUnhintedAndScaleWithTheSurface) {
    const TextFont reference(font(QStringLiteral("IPAGothic"), 10), false, 1.0);
    const TextFont fine(font(QStringLiteral("IPAGothic"), 10), false, 10.0);
    for (char32_t c : {U'A', U'i', U'W', U'あ', U'漢', U'。'}) {
        const TABC r = reference.measure(c, 0);
        const TABC f = fine.measure(c, 0);
        EXPECT_NEAR(f.a + f.b + f.c, 10 * (r.a + r.b + r.c), 6);
        EXPECT_NEAR(f.b / 10.0, r.b, 2.0);
        EXPECT_GT(r.b, 0);
    }
    // IPAGothic is fixed pitch: half-width and full-width advances are half an em and an em.
    const TABC a = reference.measure(U'A', 0);
    const TABC kanji = reference.measure(U'漢', 0);
    EXPECT_EQ(kanji.a + kanji.b + kanji.c, 35);
    EXPECT_EQ(a.a + a.b + a.c, 18);   // 17.5 rounds to the even 18
}

TEST_F(FontBackend, TabsStopEveryEightWidthsOfZero) {
    const TextFont text(font(QStringLiteral("IPAPGothic"), 12), false, 1.0);
    const TABC zero = text.measure(U'0', 0);
    const int zeroWidth = zero.a + zero.b + zero.c;
    EXPECT_EQ(text.measure(U'\t', 2), (TABC{0, 6 * zeroWidth, 0}));
    EXPECT_EQ(text.measure(U'\t', 8), (TABC{0, 8 * zeroWidth, 0}));
    EXPECT_EQ(text.measure(U'\t', 15), (TABC{0, 1 * zeroWidth, 0}));
}

TEST_F(FontBackend, UnusableFaceFallsBackToTheFirstUsableName) {
    const TextFont text(font(QStringLiteral("Face That Is Not Installed")), false, 1.0);
    EXPECT_EQ(text.faceName(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(text.face()->source().family, QStringLiteral("IPAPGothic"));
    EXPECT_EQ(text.charset(), 128);
}

// The vertical forms are other glyphs, and their outlines are turned: ー and 「」 stand in the
// column, 。 moves to the upper right of its cell.
TEST_F(FontBackend, VerticalFaceSubstitutesVerticalForms) {
    const auto face = library().face(QStringLiteral("ＭＳ ゴシック"), false, false);
    ASSERT_TRUE(face && face->supportsVertical());
    const auto aspect = [&](std::uint32_t glyph) {
        const QRectF box = face->outline(glyph).boundingRect();
        return box.height() / box.width();
    };
    for (char32_t c : {U'ー', U'「', U'」', U'～'}) {
        const std::uint32_t plain = face->glyphFor(c);
        const std::uint32_t vertical = face->verticalGlyphFor(c);
        EXPECT_NE(plain, vertical);
        EXPECT_NEAR(aspect(plain) * aspect(vertical), 1.0, 0.25) << int(c);   // the same shape turned
    }
    const std::uint32_t period = face->glyphFor(U'。');
    const std::uint32_t verticalPeriod = face->verticalGlyphFor(U'。');
    ASSERT_NE(period, verticalPeriod);
    const QRectF a = face->outline(period).boundingRect();
    const QRectF b = face->outline(verticalPeriod).boundingRect();
    EXPECT_GT(b.center().x(), a.center().x());
    EXPECT_GT(b.center().y(), a.center().y());   // font units grow upwards

    const TextFont column(font(QStringLiteral("ＭＳ ゴシック")), true, 1.0);
    EXPECT_TRUE(column.verticalFace());
    EXPECT_EQ(column.choose(U'ー').glyph, face->verticalGlyphFor(U'ー'));
    EXPECT_TRUE(column.choose(U'ー').upright);
    EXPECT_TRUE(column.choose(U'漢').upright);
    EXPECT_FALSE(column.choose(U'A').upright);
    EXPECT_EQ(column.choose(U'A').glyph, face->glyphFor(U'A'));
    EXPECT_FALSE(column.choose(U'ｱ').upright);
    EXPECT_TRUE(column.choose(U'α').upright);    // double-byte in the code page
    EXPECT_FALSE(column.choose(U'é').upright);   // not in the code page: lies like Latin

    const TextFont plain(font(QStringLiteral("DejaVu Sans")), true, 1.0);
    EXPECT_FALSE(plain.verticalFace());
    EXPECT_FALSE(plain.choose(U'ー').upright);
}

}  // namespace
}  // namespace poremi
