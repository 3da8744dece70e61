#include "base/arithmetic.h"
#include "render/geometry/stroke.h"
#include "render/text/font_library.h"
#include "render/text/simple_text.h"
#include "tests/poremi_render_text/pinned_fonts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace poremi {
namespace {

TCharLayout syntheticLine(std::initializer_list<TABC> widths) {
    TCharLayout layout;
    layout.widths = widths;
    layout.characters.assign(layout.widths.size(), U'x');
    return layout;
}

int inkStart(const TCharLayout& l, int i) { return l.positions[std::size_t(i)] + l.widths[std::size_t(i)].a; }
int inkEnd(const TCharLayout& l, int i) { return inkStart(l, i) + l.widths[std::size_t(i)].b; }

TEST(PlaceCharacters, AlignsTheInk) {
    TCharLayout line = syntheticLine({{0, 101, 0}});
    placeCharacters(line, 200, 0, taCenter);
    EXPECT_EQ(line.inkLeft, 49);

    line = syntheticLine({{3, 40, 2}, {1, 50, 4}});
    placeCharacters(line, 200, 5, taRight);
    EXPECT_EQ(line.inkRight, 200);
    EXPECT_EQ(inkEnd(line, 1), 200);
    EXPECT_EQ(inkStart(line, 1) - inkEnd(line, 0), 2 + 5 + 1);
    placeCharacters(line, 200, 5, taLeft);
    EXPECT_EQ(line.inkLeft, 0);
    EXPECT_EQ(inkStart(line, 0), 0);
}

TEST(PlaceCharacters, JustifyEndsExactlyAtTheWidth) {
    for (int width : {300, 100, 30}) {   // slack, none, and negative slack
        TCharLayout line = syntheticLine({{2, 20, 3}, {1, 30, 2}, {4, 25, 1}, {2, 10, 6}});
        placeCharacters(line, width, 7, taJustify);
        EXPECT_EQ(inkStart(line, 0), 0) << width;
        EXPECT_EQ(inkEnd(line, 3), width) << width;
        EXPECT_EQ(line.inkLeft, 0);
        EXPECT_EQ(line.inkRight, width);
    }
    TCharLayout single = syntheticLine({{2, 20, 3}});
    placeCharacters(single, 300, 0, taJustify);
    EXPECT_EQ(inkStart(single, 0), 0);
    EXPECT_EQ(single.inkRight, 20);
}

class TextLayout : public ::testing::Test {
protected:
    void SetUp() override {
        test::pinFonts();
        TPointBasedFont f;
        f.setName(QStringLiteral("ＭＳ Ｐゴシック"));
        f.setSize(12);
        text.setFont(f);
    }
    void setFontName(const QString& name) {
        TPointBasedFont f = text.font();
        f.setName(name);
        text.setFont(f);
    }
    TSimpleText text;
    const TRect frame{100, 200, 1100, 700};
};

TEST_F(TextLayout, EmptyTextShowsThePlaceholder) {
    EXPECT_EQ(text.effectiveLines(), QStringList{QStringLiteral("未入力項目")});
    const TTextPicture picture = text.compose(frame, 1.0);
    ASSERT_EQ(picture.glyphs.size(), 5u);
    EXPECT_EQ(picture.glyphs[0].character, U'未');
}

TEST_F(TextLayout, ConversionOptionsApplyBeforeLayout) {
    text.setText({QStringLiteral("2024 ２０２４"), QStringLiteral("A-1")});
    text.setNumToKnj(true);
    EXPECT_EQ(text.effectiveLines().at(0), QStringLiteral("2024 二〇二四"));
    text.setHanToZen(true);
    EXPECT_EQ(text.effectiveLines().at(0), QStringLiteral("二〇二四 二〇二四"));
    text.setMinusExc(true);
    EXPECT_EQ(text.effectiveLines().at(1), QStringLiteral("Ａ-一"));
    EXPECT_EQ(text.text().at(1), QStringLiteral("A-1"));
}

TEST_F(TextLayout, ChangesNotifyOnceInsideABracketAndDropTheCache) {
    int notified = 0;
    text.OnChange = [&] { ++notified; };
    text.setText({QStringLiteral("ab")});
    text.setText({QStringLiteral("ab")});
    EXPECT_EQ(notified, 1);
    const int shortWidth = rectWidth(text.textBounds(frame));
    text.beginUpdate();
    text.setText({QStringLiteral("abcdef")});
    text.setAlign(taCenter);
    text.endUpdate();
    EXPECT_EQ(notified, 2);
    EXPECT_GT(rectWidth(text.textBounds(frame)), shortWidth);
    TSimpleText copy;
    copy.assign(text);
    EXPECT_EQ(copy.text(), text.text());
    EXPECT_EQ(copy.align(), taCenter);
    EXPECT_EQ(copy.font(), text.font());
}

TEST_F(TextLayout, BoundsFollowAlignmentAndJustification) {
    text.setText({QStringLiteral("ＣＤラベル"), QStringLiteral("Track 01")});
    const int h = text.lineHeight();
    text.setLineSpacing(10);
    TRect left = text.textBounds(frame);
    EXPECT_EQ(left.left, frame.left);
    EXPECT_EQ(left.top, frame.top);
    EXPECT_EQ(left.bottom, frame.top + 2 * h + 10);

    text.setAlign(taRight);
    EXPECT_EQ(text.textBounds(frame).right, frame.right);
    text.setAlign(taJustify);
    const TRect justified = text.textBounds(frame);
    EXPECT_EQ(justified.left, frame.left);
    EXPECT_EQ(justified.right, frame.right);
    EXPECT_EQ(text.textBounds(frame, true), left);   // auto-sizing ignores justification
}

TEST_F(TextLayout, FeedAngleShearsLeftAndRightAlignedLines) {
    text.setText({QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});
    text.setLineSpacing(20);
    const int step = text.lineHeight() + 20;
    const auto inkLefts = [&] {
        text.textBounds(frame);
        std::vector<int> lefts;
        for (const TCharLayout& l : text.lineLayouts()) lefts.push_back(l.inkLeft);
        return lefts;
    };
    const std::vector<int> straight = inkLefts();
    text.setFeedAngle(30);
    const std::vector<int> sheared = inkLefts();
    EXPECT_EQ(sheared[0] - straight[0], step);
    EXPECT_EQ(sheared[1] - straight[1], roundHalfEven(step * 0.5));
    EXPECT_EQ(sheared[2], straight[2]);

    text.setAlign(taRight);
    text.setFeedAngle(-30);
    inkLefts();
    EXPECT_EQ(text.lineLayouts()[0].inkRight, rectWidth(frame) - step);
    EXPECT_EQ(text.lineLayouts()[2].inkRight, rectWidth(frame));

    text.setAlign(taCenter);
    text.setFeedAngle(0);
    const std::vector<int> centred = inkLefts();
    text.setFeedAngle(30);
    EXPECT_EQ(inkLefts(), centred);
}

TEST_F(TextLayout, VerticalColumnsRunRightToLeft) {
    text.setText({QStringLiteral("縦書き「テスト」ー。AB"), QStringLiteral("二行目")});
    text.setVertical(true);
    setFontName(QStringLiteral("ＭＳ 明朝"));
    const int h = text.lineHeight();
    const TRect bounds = text.textBounds(frame);
    EXPECT_EQ(bounds.right, frame.right);
    EXPECT_EQ(bounds.left, frame.right - 2 * h);
    EXPECT_EQ(bounds.top, frame.top);

    const TTextPicture picture = text.compose(frame, 1.0);
    const auto face = FontLibrary::instance().face(QStringLiteral("ＭＳ 明朝"), false, false);
    for (const TPlacedGlyph& g : picture.glyphs) {
        EXPECT_DOUBLE_EQ(g.cellRotation, 90);
        const bool latin = g.character < 0x80;
        EXPECT_EQ(g.upright, !latin);
        EXPECT_EQ(g.glyph, latin ? face->glyphFor(g.character) : face->verticalGlyphFor(g.character));
        EXPECT_DOUBLE_EQ(g.cellOrigin.x(), g.line == 0 ? frame.right : frame.right - h);
        // The vertical ー stands along the column; the turned A lies on its side (wider than tall).
        const QRectF ink = g.transform.map(g.face->outline(g.glyph)).boundingRect();
        if (g.character == U'ー') {
            EXPECT_GT(ink.height(), 2 * ink.width());
        }
        if (g.character == U'A') {
            EXPECT_GT(ink.width(), ink.height());
        }
    }
    // Characters go down the column.
    EXPECT_LT(picture.glyphs[0].cellOrigin.y(), picture.glyphs[1].cellOrigin.y());
}

TEST_F(TextLayout, VerticalTextInAFaceWithoutVerticalFormsIsTurned) {
    text.setText({QStringLiteral("Aー")});
    text.setVertical(true);
    setFontName(QStringLiteral("DejaVu Sans"));
    const TTextPicture picture = text.compose(frame, 1.0);
    ASSERT_EQ(picture.glyphs.size(), 2u);
    for (const TPlacedGlyph& g : picture.glyphs) {
        EXPECT_FALSE(g.upright);
        EXPECT_DOUBLE_EQ(g.cellRotation, 90);
    }
}

// The same line drawn for a 96-dpi screen and 254-, 600- and 1200-dpi printers puts every
// character, and its ink, at the same place in document units, within one device pixel.
TEST_F(TextLayout, CharacterPositionsAreResolutionIndependent) {
    text.setText({QStringLiteral("Poremi ラベル印刷 Track 12「夜明け」"), QStringLiteral("Mixed 日本語 and English")});
    for (int align : {taLeft, taCenter, taJustify}) {
        text.setAlign(align);
        const TTextPicture reference = text.compose(frame, 1.0);
        for (int dpi : {96, 254, 600, 1200}) {
            const double ppu = dpi / 254.0;
            const TTextPicture device = text.compose(frame, ppu);
            ASSERT_EQ(device.glyphs.size(), reference.glyphs.size());
            for (std::size_t i = 0; i < device.glyphs.size(); ++i) {
                const TPlacedGlyph& d = device.glyphs[i];
                const TPlacedGlyph& r = reference.glyphs[i];
                EXPECT_LE(std::abs(d.cellOrigin.x() - r.cellOrigin.x()) * ppu, 1.0) << dpi << " " << i;
                EXPECT_LE(std::abs(d.cellOrigin.y() - r.cellOrigin.y()) * ppu, 1.0) << dpi << " " << i;
                const QRectF dInk = d.transform.map(d.face->outline(d.glyph)).boundingRect();
                const QRectF rInk = r.transform.map(r.face->outline(r.glyph)).boundingRect();
                EXPECT_LE(std::abs(dInk.left() - rInk.left()) * ppu, 1.0) << dpi << " " << i;
                EXPECT_LE(std::abs(dInk.right() - rInk.right()) * ppu, 1.0) << dpi << " " << i;
            }
        }
    }
}

TEST_F(TextLayout, RotatedTextTurnsAboutTheFrameCentre) {
    text.setText({QStringLiteral("回転ABC")});
    text.setAlign(taCenter);
    const TTextPicture straight = text.compose(frame, 1.0);
    text.setAngle(90);
    const TTextPicture turned = text.compose(frame, 1.0);
    const QPointF c = rectCenter(frame);
    ASSERT_EQ(straight.glyphs.size(), turned.glyphs.size());
    for (std::size_t i = 0; i < turned.glyphs.size(); ++i) {
        const QPointF s = straight.glyphs[i].cellOrigin - c;
        const QPointF t = turned.glyphs[i].cellOrigin - c;
        EXPECT_NEAR(t.x(), -s.y(), 1e-6);   // clockwise on the page
        EXPECT_NEAR(t.y(), s.x(), 1e-6);
        EXPECT_DOUBLE_EQ(turned.glyphs[i].cellRotation, 90);
    }
}

TEST_F(TextLayout, ArcTextFollowsTheBulge) {
    text.setText({QStringLiteral("ARCテキスト")});
    text.setAlign(taCenter);
    const QPointF c = rectCenter(frame);
    for (int bulge : {200, -200}) {
        text.setBulge(bulge);
        const TTextPicture picture = text.compose(frame, 1.0);
        ASSERT_EQ(picture.glyphs.size(), 7u);
        double previousX = -1e9;
        for (const TPlacedGlyph& g : picture.glyphs) {
            const QPointF ink = g.transform.map(g.face->outline(g.glyph)).boundingRect().center();
            EXPECT_GT(ink.x(), previousX);   // left to right along the arc either way
            previousX = ink.x();
            // Above the chord for a positive bulge, below it for a negative one.
            if (bulge > 0) {
                EXPECT_LT(ink.y(), c.y());
            } else {
                EXPECT_GT(ink.y(), c.y());
            }
        }
        // The first character leans left on an arch and right in a dip; the middle stands straight.
        const double first = picture.glyphs.front().cellRotation;
        const double middle = picture.glyphs[3].cellRotation;
        const double last = picture.glyphs.back().cellRotation;
        const auto normalised = [](double d) { return std::remainder(d, 360.0); };
        EXPECT_NEAR(normalised(middle), 0, 8);
        if (bulge > 0) {
            EXPECT_LT(normalised(first), 0);
            EXPECT_GT(normalised(last), 0);
        } else {
            EXPECT_GT(normalised(first), 0);
            EXPECT_LT(normalised(last), 0);
        }
    }
}

TEST_F(TextLayout, ArcOverAZeroChordIsDrawnStraight) {
    text.setText({QStringLiteral("AB")});
    text.setBulge(100);
    const TRect flat{300, 300, 300, 300};
    const TTextPicture picture = text.compose(flat, 1.0);
    ASSERT_EQ(picture.glyphs.size(), 2u);
    EXPECT_DOUBLE_EQ(picture.glyphs[0].cellRotation, 0);
    EXPECT_DOUBLE_EQ(picture.glyphs[1].cellOrigin.y(), picture.glyphs[0].cellOrigin.y());
}

TEST_F(TextLayout, OutlineIsClosedFiguresInsideTheBounds) {
    text.setText({QStringLiteral("輪郭 Outline")});
    TPointBasedFont f = text.font();
    f.setStyle(fsUnderline | fsStrikeOut);
    text.setFont(f);
    TStroke plain;
    text.buildOutline(plain, frame, false);
    TStroke decorated;
    text.buildOutline(decorated, frame, true);
    ASSERT_GT(plain.count(), 0);
    EXPECT_EQ(decorated.count(), plain.count() + 8);   // two bars of four corners
    EXPECT_EQ(plain.pointType(0), ptMoveTo);
    const TRect bounds = text.textBounds(frame);
    const TRect box = plain.getBoundsRect();
    EXPECT_GE(box.left, bounds.left - 1);
    EXPECT_LE(box.right, bounds.right + 1);
    EXPECT_GE(box.top, bounds.top);
    EXPECT_LE(box.bottom, bounds.bottom);
    for (int i = 0; i < plain.count(); ++i) {
        const TPointType t = plain.pointType(i);
        EXPECT_TRUE(t == ptMoveTo || t == ptLineTo || t == ptLineToClose || t == ptBezierTo || t == ptBezierToClose);
    }
}

}  // namespace
}  // namespace poremi
