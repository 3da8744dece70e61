// The text object painted: pixels probed at 254 dpi (one pixel per document unit), the same
// object at three resolutions, and sample pictures left for a person to look at.

#include "base/arithmetic.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/object_classes.h"
#include "objects/text_object.h"
#include "tests/poremi_objects/text_test_support.h"
#include "render/distortion/preset_source.h"
#include "render/geometry/arc.h"
#include "render/geometry/transformer.h"
#include "render/text/simple_text.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>
#include <cmath>

namespace poremi {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

struct SolidFill : TColorSpec {
    explicit SolidFill(TColor color) { setColor(color); }
};

QImage render(TLOText& text, int dpi, QRgb background = kWhite) { return test::renderObject(text, dpi, background); }

void save(const QImage& image, const char* name) { test::saveSample(image, name); }

bool isInk(QRgb pixel) { return qGray(pixel) < 128; }

// Box of the pixels that pass (right and bottom inclusive); null when none does.
template <class Test>
QRect boxOf(const QImage& image, Test test, QRect within = {}) {
    if (within.isNull()) within = image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (test(image.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect inkBox(const QImage& image, QRect within = {}) { return boxOf(image, isInk, within); }

class TextPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerDocumentModelClasses();
        registerObjectClasses();
        test::useTextTestFonts();
    }

    static TPointBasedFont font(int size) {
        TPointBasedFont f;
        f.setName(QStringLiteral("ＭＳ ゴシック"));
        f.setSize(size);
        return f;
    }
};

TEST_F(TextPaint, aNewTextWithoutLinesPaintsThePlaceholderInBlack) {
    TLOText text;
    text.setRect({100, 100, 1300, 400});
    const QImage image = render(text, 254);
    const QRect box = inkBox(image);
    ASSERT_FALSE(box.isNull());
    EXPECT_GE(box.left(), 100);
    EXPECT_LT(box.bottom(), 100 + text.lineHeight() + 1);
    const QRect coloured = boxOf(image, [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); });
    EXPECT_TRUE(coloured.isNull());
}

TEST_F(TextPaint, presetEightMovesTheShadowRightAndDownBySevenPercentOfTheLineHeight) {
    TLOText plain;
    plain.setRect({100, 100, 1300, 500});
    plain.setText({QStringLiteral("影付き文字")});
    const QRect body = inkBox(render(plain, 254));
    ASSERT_FALSE(body.isNull());

    TLOText shadowed;
    shadowed.assign(plain);
    shadowed.setShadow(8);
    shadowed.setShadowColor(SolidFill(0x0000FF));  // red
    const QImage image = render(shadowed, 254);
    save(image, "text_shadow.png");
    const QRect shadow = boxOf(image, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; });
    ASSERT_FALSE(shadow.isNull());
    const int d = mulDiv(shadowed.lineHeight(), 7, 100);
    EXPECT_NEAR(shadow.right() - body.right(), d, 1);
    EXPECT_NEAR(shadow.bottom() - body.bottom(), d, 1);
    EXPECT_EQ(shadowed.shadowDisplacement(), QPoint(d, d));
}

TEST_F(TextPaint, aGradientOutlineBandShowsOutsideTheGlyphsAndTheBodyOnTop) {
    TLOText text;
    text.setRect({100, 100, 1300, 500});
    text.setFont(font(72));
    text.setText({QStringLiteral("縁")});
    const QImage bodyOnly = render(text, 254);
    const QRect body = inkBox(bodyOnly);
    ASSERT_FALSE(body.isNull());

    TColorSpec gradient;
    gradient.setKind(TColorSpecKind::cskGradation);
    gradient.setGradColNum(2);
    gradient.setGradColor(0, 0x0000FF);  // red
    gradient.setGradColor(1, 0xFF0000);  // blue
    text.setOutline(true);
    text.setOutlineWidth(12);
    text.setOutlineColor(gradient);
    const QImage image = render(text, 254);
    const auto coloured = [](QRgb p) { return std::max(qRed(p), qBlue(p)) > 150 && qGreen(p) < 100; };
    const QRect band = boxOf(image, coloured);
    ASSERT_FALSE(band.isNull());
    // The band reaches OutLineWidth beyond the glyphs on every side, no further.
    EXPECT_NEAR(body.left() - band.left(), 12, 2);
    EXPECT_NEAR(band.right() - body.right(), 12, 2);
    EXPECT_NEAR(body.top() - band.top(), 12, 2);
    EXPECT_NEAR(band.bottom() - body.bottom(), 12, 2);
    // Glyph interiors stay in the text colour.
    int blackInside = 0, inked = 0;
    for (int y = body.top(); y <= body.bottom(); ++y)
        for (int x = body.left(); x <= body.right(); ++x)
            if (qGray(bodyOnly.pixel(x, y)) == 0) {
                ++inked;
                blackInside += qGray(image.pixel(x, y)) < 40;
            }
    ASSERT_GT(inked, 100);
    EXPECT_GT(blackInside, inked * 9 / 10);
    save(image, "text_outline_gradient.png");
}

TEST_F(TextPaint, verticalCharactersStandUprightWhereTheEngineSaysSo) {
    for (const QString& character : {QStringLiteral("一"), QStringLiteral("I")}) {
        TLOText text;
        text.setRect({400, 100, 800, 800});
        text.setFont(font(48));
        text.setText({character});
        text.setVertical(true);
        TSimpleText engine;
        engine.setFont(text.font());
        engine.setVertical(true);
        engine.setText({character});
        const TTextPicture picture = engine.compose(text.rect(), 1.0);
        ASSERT_EQ(picture.glyphs.size(), 1u);
        const bool upright = picture.glyphs[0].upright;
        const QRect box = inkBox(render(text, 254));
        ASSERT_FALSE(box.isNull());
        // "一" and "I" are long strokes: upright they keep their own direction.
        const bool wide = box.width() > box.height();
        EXPECT_EQ(wide, character == QStringLiteral("一") ? upright : !upright) << character.toStdString();
    }
}

TEST_F(TextPaint, arcTextFollowsItsArc) {
    TLOText text;
    text.setRect({100, 300, 1300, 420});
    text.setFont(font(28));
    text.setAlign(3);
    text.setText({QStringLiteral("円弧に沿って並ぶ文字列")});
    text.setBulge(250);
    ASSERT_TRUE(text.isArc());
    const QImage image = render(text, 254);
    save(image, "text_arc.png");

    const TChordArc chord = arcFromChord(text.startPoint(), text.endPoint(), text.bulge());
    ASSERT_TRUE(chord.valid);
    const QPointF center(chord.arc.centerX, chord.arc.centerY);
    const double outer = chord.arc.radius + text.lineHeight() / 2.0;
    int inked = 0, onBand = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixel(x, y))) {
                ++inked;
                const double r = std::hypot(x - center.x(), y - center.y());
                onBand += r <= outer + 2 && r >= outer - text.lineHeight() - 2;
            }
    ASSERT_GT(inked, 500);
    EXPECT_EQ(onBand, inked);
    // The ends of the line sit lower than its middle, as the arc does.
    const QRect leftEnd = inkBox(image, QRect(100, 0, 150, image.height()));
    const QRect middle = inkBox(image, QRect(625, 0, 150, image.height()));
    ASSERT_FALSE(leftEnd.isNull());
    ASSERT_FALSE(middle.isNull());
    EXPECT_GT(leftEnd.top() - middle.top(), 100);
    EXPECT_TRUE(rectContainsRect(TRect::fromQRect(inkBox(image)), inflateRect(text.getBounds(), 1, 1)));
}

TEST_F(TextPaint, halfBlendedWhiteTextOverBlackGivesHalfIntensity) {
    TLOText text;
    text.setRect({100, 100, 1300, 600});
    text.setFont(font(120));
    text.setText({QStringLiteral("■")});
    text.setTextColor(SolidFill(0xFFFFFF));
    EXPECT_FALSE(text.needsBlending());
    text.setBlendShade(true);
    EXPECT_FALSE(text.needsBlending());
    text.setBlendRatio(50);
    EXPECT_TRUE(text.needsBlending());
    const QImage image = render(text, 254, 0xFF000000);
    const QRect box = boxOf(image, [](QRgb p) { return qGray(p) > 60; });
    ASSERT_FALSE(box.isNull());
    EXPECT_NEAR(qGray(image.pixel(box.center())), 128, 8);
}

TEST_F(TextPaint, aDistortedTextFillsItsPresetsOutline) {
    const std::vector<TDistortionPreset> presets =
        readDistortionPresets(QStringLiteral(POREMI_SOURCE_DIR "/data/distortion/presets.txt"));
    ASSERT_FALSE(presets.empty());
    // Preset 0 is the upward arch: its top runs from 0.35 of the height at the sides to 0.
    TLOText text;
    text.setRect({100, 100, 1300, 700});
    text.setFont(font(36));
    text.setText({QStringLiteral("■■■■■")});
    text.setCoonsDistortion(presets[0].distortion);
    ASSERT_TRUE(text.isDistorted());
    const QImage image = render(text, 254);
    save(image, "text_distortion.png");

    const QRect all = inkBox(image);
    ASSERT_FALSE(all.isNull());
    EXPECT_TRUE(rectContainsRect(TRect::fromQRect(all), text.rect()));
    EXPECT_GT(all.width(), 1200 * 9 / 10);
    const QRect middle = inkBox(image, QRect(680, 0, 40, image.height()));
    const QRect side = inkBox(image, QRect(110, 0, 40, image.height()));
    ASSERT_FALSE(middle.isNull());
    ASSERT_FALSE(side.isNull());
    // Top and bottom both arch: the sides sit 0.35 of the height lower than the middle.
    EXPECT_NEAR(side.top() - middle.top(), 0.35 * 600, 60);
    EXPECT_NEAR(side.bottom() - middle.bottom(), 0.35 * 600, 60);
}

TEST_F(TextPaint, glyphsLandAtTheSamePlaceOnScreenAndPaperAlike) {
    TLOText text;
    text.setRect({100, 100, 1300, 500});
    text.setFont(font(30));
    text.setText({QStringLiteral("田  日  口"), QStringLiteral("Poremi")});
    text.setAngle(0);
    text.setShadow(8);
    text.setOutline(true);
    text.setOutlineWidth(4);
    text.setOutlineColor(SolidFill(0x808080));

    // Each glyph's box in sheet units: ink columns separated by blank columns, first line.
    const auto glyphBoxes = [&](int dpi) {
        const QImage image = render(text, dpi);
        const double unit = 254.0 / dpi;
        const int lineBottom = int((100 + text.lineHeight()) / unit);
        // Gaps narrower than 30 units lie inside a glyph; the spaces between glyphs are wider.
        const int gap = int(30 / unit);
        std::vector<QRectF> boxes;
        int start = -1, blank = 0;
        for (int x = 0; x <= image.width(); ++x) {
            bool any = false;
            for (int y = 0; x < image.width() && y < lineBottom; ++y) any = any || isInk(image.pixel(x, y));
            if (any && start < 0) start = x;
            blank = any ? 0 : blank + 1;
            if (start >= 0 && (blank > gap || x == image.width())) {
                const QRect box = inkBox(image, QRect(start, 0, x - start, lineBottom));
                boxes.emplace_back(box.left() * unit, box.top() * unit, (box.right() + 1) * unit - box.left() * unit,
                                   (box.bottom() + 1) * unit - box.top() * unit);
                start = -1;
            }
        }
        return boxes;
    };
    const std::vector<QRectF> paper = glyphBoxes(254);
    ASSERT_EQ(paper.size(), 3u);
    for (const int dpi : {96, 600}) {
        const std::vector<QRectF> other = glyphBoxes(dpi);
        ASSERT_EQ(other.size(), paper.size()) << dpi;
        const double pixel = 254.0 / std::min(dpi, 254) + 1;  // a device pixel of the coarser surface, edges inclusive
        for (std::size_t i = 0; i < paper.size(); ++i) {
            EXPECT_NEAR(other[i].left(), paper[i].left(), pixel) << dpi << " glyph " << i;
            EXPECT_NEAR(other[i].top(), paper[i].top(), pixel) << dpi << " glyph " << i;
            EXPECT_NEAR(other[i].right(), paper[i].right(), pixel) << dpi << " glyph " << i;
            EXPECT_NEAR(other[i].bottom(), paper[i].bottom(), pixel) << dpi << " glyph " << i;
        }
    }
}

TEST_F(TextPaint, aTurnedTextHitsAndBoundsFollowItsFrame) {
    TLOText text;
    text.setRect({0, 0, 300, 100});
    text.setAngle(90);
    const TRect bounds = text.getBounds();
    EXPECT_NEAR(rectWidth(bounds), 100, 1);
    EXPECT_NEAR(rectHeight(bounds), 300, 1);
    EXPECT_TRUE(text.hitTest({150, -100}));
    EXPECT_FALSE(text.hitTest({20, 50}));
    text.setOutlineWidth(10);
    EXPECT_NEAR(rectHeight(text.getBounds()), 320, 1);
}

TEST_F(TextPaint, sampleImages) {
    struct Sample {
        const char* file;
        std::function<void(TLOText&)> style;
    };
    const std::vector<Sample> samples{
        {"text_horizontal.png", [](TLOText& t) { t.setText({QStringLiteral("横書きのタイトル"), QStringLiteral("Artist 2024")}); }},
        {"text_vertical.png",
         [](TLOText& t) {
             t.setText({QStringLiteral("縦書き「テキスト」"), QStringLiteral("ー１２３ABC")});
             t.setVertical(true);
         }},
        {"text_outline_shadow.png",
         [](TLOText& t) {
             t.setText({QStringLiteral("縁取りと影")});
             t.setTextColor(SolidFill(0x00D0FF));
             t.setOutline(true);
             t.setOutlineWidth(8);
             t.setOutlineColor(SolidFill(0x800000));
             t.setShadow(8);
             t.setShadowColor(SolidFill(0x808080));
         }},
        {"text_turned.png",
         [](TLOText& t) {
             t.setText({QStringLiteral("回転した文字")});
             t.setAngle(-20);
         }},
    };
    for (const Sample& sample : samples) {
        TLOText text;
        text.setRect({300, 250, 1100, 650});
        text.setFont(font(28));
        sample.style(text);
        const QImage image = render(text, 254);
        EXPECT_FALSE(inkBox(image).isNull()) << sample.file;
        save(image, sample.file);
    }
}

TEST_F(TextPaint, arcTextHitsOnItsBandOnlyAndEveryPointWhenNoArcCanBeFormed) {
    TLOText text;
    text.setRect({100, 300, 1300, 420});
    text.setFont(font(28));
    text.setText({QStringLiteral("円弧")});
    text.setBulge(250);
    const TChordArc chord = arcFromChord(text.startPoint(), text.endPoint(), text.bulge());
    ASSERT_TRUE(chord.valid);
    const QPoint center(chord.arc.centerX, chord.arc.centerY);
    const int onBand = chord.arc.radius + text.lineHeight() / 2 - text.lineHeight() / 2;
    EXPECT_TRUE(text.hitTest(center + QPoint(0, -onBand)));
    EXPECT_FALSE(text.hitTest(center));
    EXPECT_FALSE(text.hitTest(center + QPoint(0, -onBand - 3 * text.lineHeight())));

    TLOText point;
    point.setRect({500, 500, 500, 500});
    point.setBulge(40);
    EXPECT_FALSE(point.isArc());
    EXPECT_TRUE(point.hitTest({0, 0}));
}

TEST_F(TextPaint, extentsGrowTheStoredSizeByTheDifferenceOrScaleItWhenTurned) {
    TLOText text;
    text.setRect({100, 100, 500, 300});
    text.setOutlineWidth(10);
    // Straight: the outline stays around the rectangle, so the size changes by the difference.
    text.setExtent(500, 300);
    EXPECT_EQ(text.width(), 480);
    EXPECT_EQ(text.height(), 280);
    // Turned a quarter: the visual width is the stored height.
    text.setRect({0, 0, 400, 200});
    text.setOutlineWidth(0);
    text.setAngle(90);
    text.setExtent(400, 800);
    EXPECT_NEAR(text.width(), 800, 4);
    EXPECT_NEAR(text.height(), 400, 4);
}

TEST_F(TextPaint, theGhostOutlineStaysWithinTheBoundsForStraightArcAndDistortedText) {
    const std::vector<TDistortionPreset> presets =
        readDistortionPresets(QStringLiteral(POREMI_SOURCE_DIR "/data/distortion/presets.txt"));
    ASSERT_FALSE(presets.empty());
    for (int kind = 0; kind < 3; ++kind) {
        TLOText text;
        text.setRect({200, 200, 1200, 500});
        text.setText({QStringLiteral("ゴースト")});
        text.setAngle(kind == 0 ? 15 : 0);
        if (kind == 1) text.setBulge(200);
        if (kind == 2) text.setCoonsDistortion(presets[0].distortion);
        QImage image(1400, 900, QImage::Format_RGB32);
        image.fill(kWhite);
        {
            QPainter painter(&image);
            painter.setPen(QPen(Qt::black, 0));
            text.strokeOutline(painter);
        }
        const QRect drawn = inkBox(image);
        ASSERT_FALSE(drawn.isNull()) << kind;
        EXPECT_TRUE(rectContainsRect(TRect::fromQRect(drawn), inflateRect(text.getBounds(), 2, 2))) << kind;
    }
}

class TextOnSite : public TextPaint {
protected:
    DrawSite site;
};

TEST_F(TextOnSite, autoSizeWidensANarrowTextTo20UnitsPlacedByItsAlignment) {
    struct Case {
        int align;
        bool vertical;
    };
    for (const Case& c : {Case{0, false}, Case{1, false}, Case{2, false}}) {
        TLOText text;
        text.setRect({1000, 1000, 1400, 1200});
        text.setFont(font(5));
        text.setAlign(c.align);
        text.setText({QStringLiteral("i")});
        site.addDrawObject(text);
        TSimpleText engine;
        engine.setFont(text.font());
        engine.setAlign(c.align);
        engine.setText(text.text());
        const TRect ink = engine.textBounds(text.rect(), true);
        ASSERT_LT(rectWidth(ink), 20);
        text.setAutoSize(true);
        EXPECT_EQ(text.width(), 20) << c.align;
        if (c.align == 0) EXPECT_EQ(text.rect().left, ink.left);
        if (c.align == 2) EXPECT_EQ(text.rect().right, ink.right);
        if (c.align == 1) EXPECT_NEAR(rectCenter(text.rect()).x(), (ink.left + ink.right) / 2, 1);
        site.removeDrawObject(text);
    }
}

TEST_F(TextOnSite, anAutoSizedTextFitsItsLinesWhenItJoinsASite) {
    TLOText text;
    text.setRect({100, 100, 1300, 900});
    text.setText({QStringLiteral("合わせる")});
    text.setAutoSize(true);
    EXPECT_EQ(text.rect(), (TRect{100, 100, 1300, 900}));
    site.addDrawObject(text);
    TSimpleText engine;
    engine.setFont(text.font());
    engine.setText(text.text());
    EXPECT_EQ(text.rect(), engine.textBounds({100, 100, 1300, 900}, true));
    site.removeDrawObject(text);
}

TEST_F(TextOnSite, theTextToolsMakeAutoSizedTextsWithAGreyShadowColour) {
    for (const char* tool : {"TLOText", "TLOTextPaste", "TLOField"}) {
        TLOText text;
        text.prepareForTool(QString::fromLatin1(tool), site);
        EXPECT_EQ(text.shadowColor().color(), 0x808080) << tool;
        EXPECT_EQ(text.autoSize(), QByteArray(tool) != "TLOField") << tool;
    }
}

TEST_F(TextOnSite, aTurnedAutoSizedLeftAlignedTextKeepsItsTurnedTopLeftCornerWhileTyping) {
    TLOText text;
    text.setRect({1000, 1000, 1100, 1100});
    text.setAngle(30);
    site.addDrawObject(text);
    text.setAutoSize(true);
    const auto corner = [&] {
        return TRotator(text.angle(), rectCenter(text.rect())).transformPoint(text.rect().topLeft());
    };
    const QPoint before = corner();
    for (const char* typed : {"A", "AB", "ABC", "ABCD　長い行"}) {
        text.setText({QString::fromUtf8(typed)});
        EXPECT_LE((corner() - before).manhattanLength(), 2) << typed;
    }
    EXPECT_GT(text.width(), 300);
    site.removeDrawObject(text);
}

TEST_F(TextOnSite, arcEditingByThreePointsSetsTheBulgeAndRebuildsAlongTheChord) {
    TLOText text;
    text.setRect({100, 100, 700, 200});
    EXPECT_TRUE(text.curveAvailable());
    EXPECT_EQ(text.startPoint(), QPoint(100, 150));
    EXPECT_EQ(text.endPoint(), QPoint(700, 150));
    EXPECT_EQ(text.apex(), QPoint(400, 150));

    text.beginCurveEdit();
    text.setApex({400, 50});
    EXPECT_EQ(text.bulge(), 100);
    text.setApex({400, 250});
    EXPECT_EQ(text.bulge(), -100);
    text.setEndPoint({100, 750});
    text.endCurveEdit();
    EXPECT_EQ(text.angle(), 90);
    EXPECT_EQ(text.height(), 100);
    EXPECT_EQ(text.width(), 600);
    EXPECT_EQ(rectCenter(text.rect()), QPoint(100, 450));
    EXPECT_EQ(text.startPoint(), QPoint(100, 150));
    EXPECT_EQ(text.endPoint(), QPoint(100, 750));

    // A distorted straight text cannot be bent.
    text.setBulge(0);
    TCoonsDistortion arch;
    arch.setSideCount(dsTop, 3);
    arch.setPoint(dsTop, 1, {0.5, -0.2});
    text.setCoonsDistortion(arch);
    EXPECT_FALSE(text.curveAvailable());
}

}  // namespace
}  // namespace poremi
