// The text object in component streams: what is written for shadows, a round trip of every
// property, the conversions of older documents and the bounds put on stored values.

#include "document/model/document_model_classes.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "objects/object_classes.h"
#include "objects/text_object.h"
#include "render/geometry/stroke.h"
#include "tests/poremi_objects/text_test_support.h"
#include "tests/poremi_paper/stream_builder.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class TextStream : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerDocumentModelClasses();
        registerObjectClasses();
        test::useTextTestFonts();
    }

    static std::unique_ptr<TLOText> read(const QByteArray& bytes) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        std::unique_ptr<TComponent> root = ReadComponent(buffer);
        auto* text = dynamic_cast<TLOText*>(root.get());
        if (!text) return nullptr;
        root.release();
        return std::unique_ptr<TLOText>(text);
    }

    static QString dump(const TLOText& text) { return dumpComponentStream(componentStreamBytes(text)); }

    // The stream of a text as an older version wrote it: the rectangle, the given lines and
    // whatever else the caller adds.
    static QByteArray legacy(const QStringList& lines, const std::function<void(ValueWriter&)>& more) {
        return test::handWrittenStream("TLOText", [&](ValueWriter& w) {
            test::property(w, "Left", 1000);
            test::property(w, "Top", 1000);
            test::property(w, "Width", 600);
            test::property(w, "Height", 200);
            w.writeShortString("Text.Strings");
            w.writeListBegin();
            for (const QString& line : lines) w.writeString(line);
            w.writeListEnd();
            more(w);
        });
    }
};

TEST_F(TextStream, aNewTextIsA24PointLeftAlignedHorizontalTextAtFullDistortion) {
    const TLOText text;
    EXPECT_EQ(text.font().size(), 24);
    EXPECT_EQ(text.align(), 0);
    EXPECT_FALSE(text.vertical());
    EXPECT_EQ(text.angle(), 0);
    EXPECT_EQ(text.distortionRatio(), 100);
    EXPECT_EQ(text.shadow(), 0);
    EXPECT_FALSE(text.autoSize());
}

TEST_F(TextStream, aPresetShadowIsStoredAsItsIndexAndCustomOffsetsAsOffsets) {
    TLOText preset;
    preset.setShadow(8);
    const QString presetDump = dump(preset);
    EXPECT_TRUE(presetDump.contains(QStringLiteral("Shadow = 8"))) << presetDump.toStdString();
    EXPECT_FALSE(presetDump.contains(QStringLiteral("ShadowOffset")));

    TLOText custom;
    custom.setShadowOffsetX(10);
    custom.setShadowOffsetY(0);
    EXPECT_EQ(custom.shadow(), TLOText::kCustomShadow);
    const QString customDump = dump(custom);
    EXPECT_TRUE(customDump.contains(QStringLiteral("ShadowOffsetX = 10"))) << customDump.toStdString();
    EXPECT_TRUE(customDump.contains(QStringLiteral("ShadowOffsetY = 0")));
    EXPECT_FALSE(customDump.contains(QStringLiteral("Shadow =")));

    const std::unique_ptr<TLOText> back = read(componentStreamBytes(custom));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->shadowOffsetX(), 10);
    EXPECT_EQ(back->shadowOffsetY(), 0);
}

TEST_F(TextStream, shadowPresetsGiveTheirOffsetsAndUnknownIndicesLeaveThemAlone) {
    struct Case {
        int preset;
        QPoint offset;
    };
    for (const Case& c : {Case{1, {-7, -7}}, Case{2, {0, -7}}, Case{3, {7, -7}}, Case{4, {-7, 0}}, Case{5, {7, 0}},
                          Case{6, {-7, 7}}, Case{7, {0, 7}}, Case{8, {7, 7}}}) {
        TLOText text;
        text.setShadow(c.preset);
        EXPECT_EQ(QPoint(text.shadowOffsetX(), text.shadowOffsetY()), c.offset) << c.preset;
        EXPECT_EQ(text.shadow(), c.preset);
        text.setShadow(9);
        text.setShadow(-1);
        EXPECT_EQ(QPoint(text.shadowOffsetX(), text.shadowOffsetY()), c.offset) << c.preset;
    }
}

TEST_F(TextStream, aRoundTripThroughAFileKeepsEveryProperty) {
    TLOText text;
    text.setRect({100, 200, 900, 500});
    text.setText({QStringLiteral("アルバム"), QStringLiteral("Artist 2024")});
    TPointBasedFont font;
    font.setName(QStringLiteral("ＭＳ 明朝"));
    font.setSize(18);
    font.setStyle(fsBold | fsUnderline);
    text.setFont(font);
    text.setAlign(2);
    text.setVertical(true);
    text.setCharSpacing(10);
    text.setLineSpacing(-10);
    text.setAngle(-30);
    TCoonsDistortion distortion;
    distortion.setSideCount(dsTop, 3);
    distortion.setPoint(dsTop, 1, {0.5, -0.3});
    text.setCoonsDistortion(distortion);
    text.setDistortionRatio(60);
    TColorSpec red;
    red.setColor(0x0000FF);
    text.setTextColor(red);
    text.setOutline(true);
    TColorSpec gradient;
    gradient.setKind(TColorSpecKind::cskGradation);
    gradient.setGradColNum(2);
    gradient.setGradColor(0, 0x00FF00);
    gradient.setGradColor(1, 0xFF0000);
    text.setOutlineColor(gradient);
    text.setOutlineWidth(15);
    text.setShadowOffsetX(12);
    text.setShadowOffsetY(-3);
    TColorSpec grey;
    grey.setColor(0x808080);
    text.setShadowColor(grey);
    text.setAutoSize(true);
    text.setBulge(150);
    text.setFieldNo(3);
    text.setFieldType(ftCreatorEnglish);
    text.setHanToZen(true);
    text.setNumToKnj(true);
    text.setMinusExc(true);
    text.setFeedAngle(-20);
    text.setBlendRatio(40);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("text.stream"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        WriteComponent(file, text);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    const std::unique_ptr<TLOText> back = read(written);
    ASSERT_TRUE(back);

    EXPECT_EQ(dumpComponentStream(componentStreamBytes(*back)), dumpComponentStream(written));
    EXPECT_EQ(back->rect(), text.rect());
    EXPECT_EQ(back->text(), text.text());
    EXPECT_EQ(back->font(), font);
    EXPECT_EQ(back->align(), 2);
    EXPECT_TRUE(back->vertical());
    EXPECT_EQ(back->charSpacing(), 10);
    EXPECT_EQ(back->lineSpacing(), -10);
    EXPECT_EQ(back->angle(), 330);
    EXPECT_EQ(back->coonsDistortion().writeData(), distortion.writeData());
    EXPECT_EQ(back->distortionRatio(), 60);
    EXPECT_EQ(back->textColor().color(), 0x0000FF);
    EXPECT_TRUE(back->outline());
    EXPECT_EQ(back->outlineColor().kind(), TColorSpecKind::cskGradation);
    EXPECT_EQ(back->outlineColor().gradColor(1), 0xFF0000);
    EXPECT_EQ(back->outlineWidth(), 15);
    EXPECT_EQ(back->shadowOffsetX(), 12);
    EXPECT_EQ(back->shadowOffsetY(), -3);
    EXPECT_EQ(back->shadowColor().color(), 0x808080);
    EXPECT_TRUE(back->autoSize());
    EXPECT_EQ(back->bulge(), 150);
    EXPECT_EQ(back->fieldNo(), 3);
    EXPECT_EQ(back->fieldType(), ftCreatorEnglish);
    EXPECT_TRUE(back->hanToZen());
    EXPECT_TRUE(back->numToKnj());
    EXPECT_TRUE(back->minusExc());
    EXPECT_EQ(back->feedAngle(), -20);
    EXPECT_EQ(back->blendRatio(), 40);
    EXPECT_EQ(back->version(), 1);
}

TEST_F(TextStream, propertiesAreWrittenInTheirDeclaredOrderWithVersionFirst) {
    TLOText text;
    text.setText({QStringLiteral("x")});
    TColorSpec blue;
    blue.setColor(0xFF0000);
    text.setTextColor(blue);
    const QString written = dump(text);
    qsizetype last = -1;
    for (const char* name : {"Version = 1", "Text.Strings", "Font.", "Angle = ", "CoonsDistortion.Data", "DistortionRatio",
                             "TextColor.", "Outline = ", "OutLineWidth", "Shadow = 0", "AutoSize", "Bulge", "FieldNo",
                             "FieldType = ftProduct"}) {
        const qsizetype at = written.indexOf(QLatin1String(name));
        EXPECT_GT(at, last) << name << "\n" << written.toStdString();
        last = at;
    }
    EXPECT_FALSE(written.contains(QStringLiteral("DiagonalAlign")));
    EXPECT_FALSE(written.contains(QStringLiteral("FeedAngle")));
}

TEST_F(TextStream, anOldArcTextKeepsOneCentredLineAndVerticalArcsTurnBack) {
    const auto stream = [](bool vertical) {
        return legacy({QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")}, [vertical](ValueWriter& w) {
            test::property(w, "Align", 2);
            w.writeShortString("Vertical");
            w.writeBoolean(vertical);
            test::property(w, "CharSpacing", 20);
            test::property(w, "Angle", 30);
            test::property(w, "Bulge", 100);
        });
    };
    const std::unique_ptr<TLOText> flat = read(stream(false));
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat->text(), QStringList{QStringLiteral("一")});
    EXPECT_EQ(flat->align(), 1);
    EXPECT_EQ(flat->charSpacing(), 0);
    EXPECT_EQ(flat->angle(), 30);
    EXPECT_EQ(flat->rect(), (TRect{1000, 1000, 1600, 1200}));

    const std::unique_ptr<TLOText> upright = read(stream(true));
    ASSERT_TRUE(upright);
    EXPECT_EQ(upright->text(), QStringList{QStringLiteral("一")});
    EXPECT_EQ(upright->angle(), 300);
    EXPECT_EQ(upright->width(), 600);
    EXPECT_EQ(upright->height(), 600);
    EXPECT_EQ(rectCenter(upright->rect()), QPoint(1300, 1100));
}

TEST_F(TextStream, aVersionedArcTextAndAStraightOldTextAreLeftAsStored) {
    const std::unique_ptr<TLOText> versioned = read(legacy({QStringLiteral("a"), QStringLiteral("b")}, [](ValueWriter& w) {
        test::property(w, "Version", 1);
        test::property(w, "Align", 2);
        test::property(w, "Bulge", 100);
    }));
    ASSERT_TRUE(versioned);
    EXPECT_EQ(versioned->text().size(), 2);
    EXPECT_EQ(versioned->align(), 2);

    const std::unique_ptr<TLOText> straight = read(legacy({QStringLiteral("a"), QStringLiteral("b")}, [](ValueWriter& w) {
        test::property(w, "Align", 2);
    }));
    ASSERT_TRUE(straight);
    EXPECT_EQ(straight->text().size(), 2);
    EXPECT_EQ(straight->align(), 2);
}

TEST_F(TextStream, textOnTheHalvesOfACircleBecomesArcTextInASquare) {
    for (const int align : {4, 5}) {
        const std::unique_ptr<TLOText> text = read(legacy({QStringLiteral("円")}, [align](ValueWriter& w) {
            test::property(w, "Version", 1);
            test::property(w, "Align", align);
        }));
        ASSERT_TRUE(text);
        const int h = text->lineHeight();
        const int side = 200;
        EXPECT_EQ(text->bulge(), align == 4 ? (side - h) / 2 : (h - side) / 2) << align;
        EXPECT_EQ(text->width(), side - 2 * (h / 2)) << align;
        EXPECT_EQ(text->height(), side - 2 * (h / 2)) << align;
        EXPECT_EQ(rectCenter(text->rect()), QPoint(1300, 1100)) << align;
        EXPECT_EQ(text->align(), 1) << align;
    }
}

TEST_F(TextStream, diagonalAlignmentBecomesTheFeedAngle) {
    struct Case {
        int diagonal;
        int feed;
    };
    for (const Case& c : {Case{1, 45}, Case{4, 45}, Case{2, -45}, Case{3, -45}, Case{0, 0}, Case{7, 0}}) {
        const std::unique_ptr<TLOText> text = read(legacy({QStringLiteral("a")}, [&c](ValueWriter& w) {
            test::property(w, "DiagonalAlign", c.diagonal);
        }));
        ASSERT_TRUE(text);
        EXPECT_EQ(text->feedAngle(), c.feed) << c.diagonal;
        EXPECT_EQ(text->diagonalAlign(), 0);
    }
}

TEST_F(TextStream, anOutlineWithoutWidthGetsOneUnit) {
    const std::unique_ptr<TLOText> text = read(legacy({QStringLiteral("a")}, [](ValueWriter& w) {
        test::property(w, "Version", 1);
        w.writeShortString("Outline");
        w.writeBoolean(true);
        test::property(w, "OutLineWidth", 0);
    }));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->outlineWidth(), 1);
}

TEST_F(TextStream, storedValuesAreBroughtWithinBounds) {
    const std::unique_ptr<TLOText> text = read(legacy({QStringLiteral("a")}, [](ValueWriter& w) {
        test::property(w, "Version", 1);
        test::property(w, "Align", 77);
        test::property(w, "CharSpacing", INT32_MIN);
        test::property(w, "LineSpacing", INT32_MAX);
        test::property(w, "Angle", INT32_MIN);
        test::property(w, "DistortionRatio", 5000);
        test::property(w, "OutLineWidth", -5);
        test::property(w, "ShadowOffsetX", INT32_MAX);
        test::property(w, "ShadowOffsetY", INT32_MIN);
        test::property(w, "Bulge", INT32_MIN);
    }));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->align(), 0);
    EXPECT_EQ(text->charSpacing(), -TLOText::kMaxSpacing);
    EXPECT_EQ(text->lineSpacing(), TLOText::kMaxSpacing);
    EXPECT_EQ(text->angle(), ((INT32_MIN % 360) + 360) % 360);
    EXPECT_EQ(text->distortionRatio(), 100);
    EXPECT_EQ(text->outlineWidth(), 0);
    EXPECT_EQ(text->shadowOffsetX(), TLOText::kMaxShadowOffset);
    EXPECT_EQ(text->shadowOffsetY(), -TLOText::kMaxShadowOffset);
    EXPECT_EQ(text->bulge(), -TLOText::kMaxBulge);
}

TEST_F(TextStream, distortionPointsFarOutsideTheSquareAreBroughtBackWhenRead) {
    TCoonsDistortion wild;
    wild.setSideCount(dsTop, 3);
    wild.setPoint(dsTop, 1, {1e300, -1e300});
    wild.setPoint(dsTop, 2, {1, 0.5});
    TLOText text;
    text.setRect({0, 0, 600, 200});
    text.setCoonsDistortion(wild);
    const std::unique_ptr<TLOText> back = read(componentStreamBytes(text));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->coonsDistortion().getPoint(dsTop, 1),
              QPointF(TTextDistortion::kMaxCoordinate, -TTextDistortion::kMaxCoordinate));
    EXPECT_EQ(back->coonsDistortion().getPoint(dsTop, 2), QPointF(1, 0.5));
    TStroke outline;
    back->buildGlyphOutline(outline);
    EXPECT_GT(outline.count(), 0);
}

TEST_F(TextStream, anglesAreNormalisedIntoOneTurn) {
    struct Case {
        int set;
        int stored;
    };
    for (const Case& c : {Case{-90, 270}, Case{-360, 0}, Case{-1000, 80}, Case{720, 0}, Case{359, 359},
                          Case{INT32_MAX, INT32_MAX % 360}}) {
        TLOText text;
        text.setAngle(c.set);
        EXPECT_EQ(text.angle(), c.stored) << c.set;
    }
}

TEST_F(TextStream, settingVerticalTurnsTheRectangleAboutItsCentreButReadingDoesNot) {
    TLOText text;
    text.setRect({350, 450, 650, 550});
    text.setVertical(true);
    EXPECT_EQ(text.rect(), (TRect{450, 350, 550, 650}));

    const std::unique_ptr<TLOText> back = read(componentStreamBytes(text));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rect(), (TRect{450, 350, 550, 650}));
    EXPECT_TRUE(back->vertical());
}

TEST_F(TextStream, aCloneCopiesTheTextAndItsStyleWithoutTurningTheRectangle) {
    TLOText text;
    text.setRect({0, 0, 300, 100});
    text.setVertical(true);
    text.setText({QStringLiteral("複製")});
    text.setShadow(3);
    text.setOutline(true);
    text.setOutlineWidth(7);
    const std::unique_ptr<TDrawObject> clone = TDrawObject::clone(text);
    const auto* copy = dynamic_cast<const TLOText*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->rect(), text.rect());
    EXPECT_TRUE(copy->vertical());
    EXPECT_EQ(copy->text(), text.text());
    EXPECT_EQ(copy->shadow(), 3);
    EXPECT_EQ(copy->outlineWidth(), 7);
    EXPECT_EQ(copy->lineHeight(), text.lineHeight());
}

}  // namespace
}  // namespace poremi
