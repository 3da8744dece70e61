// Draws the kinds of text the engine sets into images a person can look at (under the build
// folder's test-output), and checks that drawing lands where the layout says.

#include "render/geometry/scaler.h"
#include "render/geometry/stroke.h"
#include "render/text/simple_text.h"
#include "tests/poremi_render_text/pinned_fonts.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

constexpr int kDpi = 150;

QImage blankImage(const TRect& page) {
    const double ppu = kDpi / 254.0;
    QImage image(int(rectWidth(page) * ppu) + 1, int(rectHeight(page) * ppu) + 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(kDpi / 0.0254));
    image.setDotsPerMeterY(int(kDpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

void frameOutline(QPainter& painter, const TRect& frame) {
    painter.setPen(QPen(QColor(200, 200, 255), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.toQRect());
}

// The box of the non-white pixels.
QRect inkOf(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

class SampleImages : public ::testing::Test {
protected:
    void SetUp() override { test::pinFonts(); }

    static void setup(TSimpleText& text, const QString& face, int size, QStringList lines) {
        TPointBasedFont font;
        font.setName(face);
        font.setSize(size);
        text.setFont(font);
        text.setText(lines);
    }
};

TEST_F(SampleImages, DrawingLandsInsideTheTextBounds) {
    TSimpleText text;
    setup(text, QStringLiteral("ＭＳ Ｐゴシック"), 14, {QStringLiteral("Drawn ラベル"), QStringLiteral("二行目 line")});
    const TRect page{0, 0, 800, 300};
    const TRect frame{50, 40, 750, 260};
    QImage image = blankImage(page);
    {
        QPainter painter(&image);
        TScaler scaler;
        scaler.setUnitDpi(254);
        scaler.prepareCanvas(painter);
        text.draw(painter, frame);
    }
    const TRect bounds = text.textBounds(frame);
    const double ppu = kDpi / 254.0;
    const QRect ink = inkOf(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), int(bounds.left * ppu) - 2);
    EXPECT_LE(ink.right(), int(bounds.right * ppu) + 2);
    EXPECT_GE(ink.top(), int(bounds.top * ppu) - 2);
    EXPECT_LE(ink.bottom(), int(bounds.bottom * ppu) + 2);
    image.save(test::sampleFolder() + QStringLiteral("/drawn.png"));
}

TEST_F(SampleImages, RendersTheKindsOfText) {
    struct Sample {
        const char* file;
        std::function<void(TSimpleText&)> configure;
        TRect frame;
    };
    const std::vector<Sample> samples = {
        {"horizontal", [](TSimpleText& t) {
             setup(t, QStringLiteral("ＭＳ Ｐ明朝"), 16,
                   {QStringLiteral("夜明けのラベル"), QStringLiteral("Track 01  Sunrise"), QStringLiteral("Tab\tstops\there")});
             t.setTextColor(0x00802010);
         }, {40, 40, 960, 460}},
        {"justified", [](TSimpleText& t) {
             setup(t, QStringLiteral("ＭＳ ゴシック"), 14,
                   {QStringLiteral("均等割付"), QStringLiteral("Justified text"), QStringLiteral("ＡＢ")});
             t.setAlign(taJustify);
             t.setLineSpacing(10);
         }, {100, 40, 900, 460}},
        {"rotated", [](TSimpleText& t) {
             setup(t, QStringLiteral("ＭＳ Ｐゴシック"), 18, {QStringLiteral("回転 Rotated"), QStringLiteral("下線 Underline")});
             TPointBasedFont f = t.font();
             f.setStyle(fsUnderline | fsBold);
             t.setFont(f);
             t.setAlign(taCenter);
             t.setAngle(-20);
         }, {100, 100, 900, 400}},
        {"vertical", [](TSimpleText& t) {
             setup(t, QStringLiteral("ＭＳ 明朝"), 16,
                   {QStringLiteral("縦書き「テスト」です。"), QStringLiteral("ラーメン～ABC 123"), QStringLiteral("ｶﾀｶﾅ、ひらがな")});
             t.setVertical(true);
             t.setLineSpacing(15);
         }, {600, 30, 960, 470}},
        {"arc-up", [](TSimpleText& t) {
             setup(t, QStringLiteral("ＭＳ Ｐゴシック"), 16, {QStringLiteral("アーチ状の文字 Arc Text"), QStringLiteral("二行目")});
             t.setAlign(taCenter);
             t.setBulge(220);
         }, {60, 150, 940, 450}},
        {"arc-vertical", [](TSimpleText& t) {
             setup(t, QStringLiteral("ＭＳ 明朝"), 16, {QStringLiteral("縦の弧「ＡＢ」ー。")});
             t.setVertical(true);
             t.setAlign(taCenter);
             t.setBulge(120);
         }, {300, 30, 700, 470}},
        {"arc-down", [](TSimpleText& t) {
             setup(t, QStringLiteral("ＭＳ Ｐ明朝"), 16, {QStringLiteral("下向きの弧 Smile")});
             t.setAlign(taJustify);
             t.setBulge(-180);
         }, {60, 50, 940, 300}},
    };
    for (const Sample& sample : samples) {
        TSimpleText text;
        sample.configure(text);
        const TRect page{0, 0, 1000, 500};
        QImage image = blankImage(page);
        {
            QPainter painter(&image);
            TScaler scaler;
            scaler.setUnitDpi(254);
            scaler.prepareCanvas(painter);
            frameOutline(painter, sample.frame);
            text.draw(painter, sample.frame);
        }
        EXPECT_FALSE(inkOf(image).isEmpty()) << sample.file;
        EXPECT_TRUE(image.save(test::sampleFolder() + QStringLiteral("/text-%1.png").arg(QLatin1String(sample.file))));
    }
}

}  // namespace
}  // namespace poremi
