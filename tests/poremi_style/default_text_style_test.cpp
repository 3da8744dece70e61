// The default text style kept in the settings.

#include "core/settings.h"
#include "edit/style/toolbar_style.h"
#include "render/text/point_based_font.h"
#include "tests/support/frame_fixture.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

// The settings live in the frame's key of a settings file of the test's own.
using DefaultTextStyleTest = test::FrameTest;

TEST_F(DefaultTextStyleTest, EmptySettingsGiveTheStatedDefaults) {
    const TStyleToolSpec style = readDefaultTextStyle();
    EXPECT_EQ(style.fontName, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(style.fontSize, 24);
    EXPECT_EQ(style.penColor, 0);
    EXPECT_EQ(style.brushColor, 12632256);
    EXPECT_EQ(style.align, 0);
    EXPECT_EQ(style.fontStyle, 0);
    EXPECT_FALSE(style.transparent);
}

TEST_F(DefaultTextStyleTest, WrittenStyleReadsBackWithoutTransparencyAndOnlyFourStyleBits) {
    TStyleToolSpec style;
    style.fontName = QStringLiteral("ＭＳ 明朝");
    style.fontSize = 72;
    style.align = 3;
    style.fontStyle = fsItalic | fsStrikeOut | 0x30;
    style.penColor = 0x0000FF;
    style.brushColor = 0x00FFFF;
    style.transparent = true;
    writeDefaultTextStyle(style);
    EXPECT_EQ(setting::read(setting::DefStyle), fsItalic | fsStrikeOut);

    TStyleToolSpec expected = style;
    expected.fontStyle = fsItalic | fsStrikeOut;
    expected.transparent = false;
    EXPECT_EQ(readDefaultTextStyle(), expected);

    // Bits above the four that another writer left are not read.
    setting::write(setting::DefStyle, 0xF5);
    EXPECT_EQ(readDefaultTextStyle().fontStyle, 0x05);
}

TEST_F(DefaultTextStyleTest, ValuesTheObjectsCannotTakeReadAsTheDefaults) {
    struct Case {
        int size;
        int align;
        const char16_t* name;
    };
    for (const Case c : {Case{5, 4, u""}, Case{999, -1, u"  "}, Case{0, 7, u""}}) {
        setting::write(setting::DefFontSize, c.size);
        setting::write(setting::DefAlign, c.align);
        setting::write(setting::DefFontName, QString::fromUtf16(c.name));
        const TStyleToolSpec style = readDefaultTextStyle();
        EXPECT_EQ(style.fontSize, 24) << c.size;
        EXPECT_EQ(style.align, 0) << c.align;
        EXPECT_EQ(style.fontName, QStringLiteral("ＭＳ Ｐゴシック"));
    }
}

}  // namespace
}  // namespace poremi
