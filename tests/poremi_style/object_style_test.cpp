// Styles applied to new objects, read from objects and copied from the front-most selected one.

#include "edit/style/object_style.h"
#include "objects/shape_line.h"
#include "render/raster/fill_color.h"
#include "render/text/point_based_font.h"
#include "tests/poremi_style/style_test_support.h"

namespace poremi {
namespace {

using test::StyleSiteTest;

TStyleToolSpec blueGothic() {
    TStyleToolSpec style;
    style.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    style.fontSize = 36;
    style.align = 2;
    style.fontStyle = fsBold | fsUnderline;
    style.penColor = 0xFF0000;
    style.brushColor = 0x00FF00;
    style.transparent = false;
    return style;
}

class ObjectStyleTest : public StyleSiteTest {};

TEST_F(ObjectStyleTest, NewObjectsTakeEveryPartOfTheStyleTheyHave) {
    auto* line = add<TLOLine>({0, 0, 100, 100});
    const TStyleToolSpec style = blueGothic();
    for (TDrawObject* object : std::initializer_list<TDrawObject*>{text, rect, line})
        applyNewObjectStyle(*object, style, nullptr);

    EXPECT_EQ(text->font().name(), style.fontName);
    EXPECT_EQ(text->font().size(), 36);
    EXPECT_EQ(text->font().style(), fsBold | fsUnderline);
    EXPECT_EQ(text->align(), 2);
    EXPECT_EQ(text->textColor().color(), 0xFF0000);
    EXPECT_EQ(rect->fillColor().color(), 0x00FF00);
    EXPECT_TRUE(rect->fillInside());
    EXPECT_EQ(rect->frameColor().color(), 0xFF0000);
    EXPECT_EQ(line->lineColor().color(), 0xFF0000);

    TStyleToolSpec hollow = style;
    hollow.transparent = true;
    hollow.brushColor = 0x0000FF;
    applyNewObjectStyle(*rect, hollow, nullptr);
    EXPECT_FALSE(rect->fillInside());
    // No fill colour is taken along with "none".
    EXPECT_EQ(rect->fillColor().color(), 0x00FF00);
}

TEST_F(ObjectStyleTest, AFontNameBringsTheCharacterSetOfTheFaceDrawn) {
    TStyleToolSpec style = blueGothic();
    style.fontName = QStringLiteral("DejaVu Sans");
    applyStyle(*text, style);
    EXPECT_EQ(text->font().charset(), 0);
    style.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    applyStyle(*text, style);
    EXPECT_EQ(text->font().charset(), 128);
}

TEST_F(ObjectStyleTest, TheFrontMostSelectedObjectLendsWhatBothHave) {
    auto* back = add<TLOText>({0, 0, 100, 100});
    auto* front = add<TLOText>({0, 0, 100, 100});
    TStyleToolSpec backStyle = blueGothic();
    backStyle.fontSize = 12;
    applyStyle(*back, backStyle);
    TStyleToolSpec frontStyle = blueGothic();
    frontStyle.fontSize = 48;
    frontStyle.align = 3;
    frontStyle.penColor = 0x123456;
    applyStyle(*front, frontStyle);
    select({back, front});
    ASSERT_EQ(frontSelected(*site), front);

    auto* made = add<TLOText>({0, 0, 100, 100});
    made->setSelected(true);
    // The new object itself is never its own model.
    applyNewObjectStyle(*made, TStyleToolSpec{}, frontSelected(*site, made));
    EXPECT_EQ(made->font().size(), 48);
    EXPECT_EQ(made->align(), 3);
    EXPECT_EQ(made->textColor().color(), 0x123456);

    // A rectangle takes the text's line colour but keeps the toolbar's fill.
    auto* shape = add<TLORect>({0, 0, 100, 100});
    TStyleToolSpec toolbar;
    toolbar.brushColor = 0x00AA00;
    applyNewObjectStyle(*shape, toolbar, front);
    EXPECT_EQ(shape->frameColor().color(), 0x123456);
    EXPECT_EQ(shape->fillColor().color(), 0x00AA00);
}

TEST_F(ObjectStyleTest, ReadingOverlaysOnlyWhatTheObjectHas) {
    applyStyle(*text, blueGothic());
    TStyleToolSpec toolbar;
    toolbar.brushColor = 0x0A0B0C;
    toolbar.transparent = true;
    const TStyleToolSpec fromText = objectStyle(*text, toolbar);
    EXPECT_EQ(fromText.fontSize, 36);
    EXPECT_EQ(fromText.align, 2);
    EXPECT_EQ(fromText.fontStyle, fsBold | fsUnderline);
    EXPECT_EQ(fromText.penColor, 0xFF0000);
    EXPECT_EQ(fromText.brushColor, 0x0A0B0C);
    EXPECT_TRUE(fromText.transparent);

    TStyleToolSpec shapeStyle = blueGothic();
    applyStyle(*rect, shapeStyle);
    const TStyleToolSpec fromRect = objectStyle(*rect, toolbar);
    EXPECT_EQ(fromRect.brushColor, 0x00FF00);
    EXPECT_FALSE(fromRect.transparent);
    EXPECT_EQ(fromRect.fontSize, toolbar.fontSize);
    EXPECT_EQ(fromRect.fontName, toolbar.fontName);
}

TEST_F(ObjectStyleTest, AColourChangeKeepsTheRestOfTheColourSpecification) {
    TColorSpec gradient;
    gradient.setKind(TColorSpecKind::cskGradation);
    gradient.setGradAngle(45);
    rect->setFillColor(gradient);
    TStyleToolSpec style;
    style.brushColor = 0x0000FF;
    applyStyleProperty(*rect, style, StyleProperty::Fill);
    EXPECT_EQ(rect->fillColor().color(), 0x0000FF);
    EXPECT_EQ(rect->fillColor().kind(), TColorSpecKind::cskGradation);
    EXPECT_EQ(rect->fillColor().gradAngle(), 45);
}

TEST_F(ObjectStyleTest, ObjectsWithoutTheInterfaceAreLeftAlone) {
    TStyleToolSpec style = blueGothic();
    for (const StyleProperty property : {StyleProperty::FontName, StyleProperty::FontSize, StyleProperty::FontStyle,
                                         StyleProperty::Align}) {
        EXPECT_FALSE(hasStyleProperty(*rect, property));
        EXPECT_FALSE(applyStyleProperty(*rect, style, property));
    }
    EXPECT_FALSE(applyStyleProperty(*text, style, StyleProperty::Fill));
    // A size the objects cannot take is refused.
    style.fontSize = 999;
    EXPECT_FALSE(applyStyleProperty(*text, style, StyleProperty::FontSize));
    EXPECT_NE(text->font().size(), 999);
}

}  // namespace
}  // namespace poremi
