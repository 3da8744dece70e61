// The barcode object: its defaults, its properties through a component stream, its turned
// outline and its paint.

#include "document/model/document_model_classes.h"
#include "document/stream/component_stream.h"
#include "objects/jan_code.h"
#include "objects/jan_object.h"
#include "objects/object_classes.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class JanObject : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerDocumentModelClasses();
        registerObjectClasses();
    }
};

TEST_F(JanObject, startsAsAnUnframedSymbolWithDigitsOfDefaultSize) {
    const TLOJANCode code;
    EXPECT_EQ(code.rect(), (TRect{0, 0, 300, 100}));
    EXPECT_EQ(code.angle(), 0);
    EXPECT_TRUE(code.showNumber());
    EXPECT_FALSE(code.showFrame());
    EXPECT_TRUE(code.janCode().isEmpty());
}

TEST_F(JanObject, everyPropertyAndTheDigitColourSurviveAStream) {
    TLOJANCode code;
    code.setRect({10, 20, 410, 170});
    code.setAngle(30);
    code.setJANCode(QStringLiteral("4901234567894"));
    code.setShowNumber(false);
    code.setShowFrame(true);
    TPointBasedFont font;
    font.setName(QStringLiteral("ＭＳ 明朝"));
    font.setSize(14);
    font.setColor(0x0000FF);
    code.setFont(font);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    WriteComponent(buffer, code);
    buffer.seek(0);
    const std::unique_ptr<TComponent> read = ReadComponent(buffer);
    const auto* copy = dynamic_cast<const TLOJANCode*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->rect(), code.rect());
    EXPECT_EQ(copy->angle(), 30);
    EXPECT_EQ(copy->janCode(), code.janCode());
    EXPECT_FALSE(copy->showNumber());
    EXPECT_TRUE(copy->showFrame());
    EXPECT_EQ(copy->font(), font);
    EXPECT_EQ(copy->font().color(), 0x0000FF);
}

TEST_F(JanObject, aCloneCopiesTheRectangleDigitsFontFlagsAndAngle) {
    TLOJANCode code;
    code.setRect({5, 6, 205, 86});
    code.setAngle(45);
    code.setJANCode(QStringLiteral("96385074"));
    code.setShowNumber(false);
    code.setShowFrame(true);
    TPointBasedFont font;
    font.setSize(20);
    font.setColor(0x00FF00);
    code.setFont(font);
    const std::unique_ptr<TDrawObject> clone = TDrawObject::clone(code);
    const auto* copy = dynamic_cast<const TLOJANCode*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->rect(), code.rect());
    EXPECT_EQ(copy->angle(), 45);
    EXPECT_EQ(copy->janCode(), code.janCode());
    EXPECT_EQ(copy->font(), font);
    EXPECT_FALSE(copy->showNumber());
    EXPECT_TRUE(copy->showFrame());
}

TEST_F(JanObject, turnedObjectHitsAndBoundsFollowTheTurnedRectangle) {
    TLOJANCode code;
    code.setRect({0, 0, 300, 100});
    code.setAngle(90);
    const TRect bounds = code.getBounds();
    EXPECT_NEAR(rectWidth(bounds), 100, 1);
    EXPECT_NEAR(rectHeight(bounds), 300, 1);
    EXPECT_TRUE(code.hitTest({150, -100}));
    EXPECT_FALSE(code.hitTest({20, 50}));
    // Turned, the requested extent is that of the turned bounds: 200 × 600 doubles both sides.
    code.setExtent(200, 600);
    EXPECT_NEAR(code.width(), 600, 6);
    EXPECT_NEAR(code.height(), 200, 2);
}

TEST_F(JanObject, paintsTheSymbolOfItsDigits) {
    TLOJANCode code;
    code.setRect({0, 0, 1090, 300});
    code.setShowNumber(false);
    code.setJANCode(QStringLiteral("4901234567894"));
    QImage painted(1090, 300, QImage::Format_RGB32), direct = painted;
    painted.fill(Qt::gray);
    direct.fill(Qt::gray);
    {
        QPainter painter(&painted);
        code.paintTo(painter);
    }
    {
        QPainter painter(&direct);
        TJANCode(code.font(), 0).draw(painter, code.janCode(), code.rect(), false, false, 0);
    }
    EXPECT_EQ(painted, direct);
    EXPECT_EQ(qGray(painted.pixel(75, 150)), 0);
}

}  // namespace
}  // namespace poremi
