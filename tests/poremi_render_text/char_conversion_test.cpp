#include "render/text/char_conversion.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

struct Case {
    const char16_t* input;
    const char16_t* expected;
};

TEST(HanToZen, WidensSymbolsDigitsLettersAndKana) {
    const Case cases[] = {
        {u"ABC xyz 019", u"ＡＢＣ ｘｙｚ ０１９"},   // the space stays
        {u"!\"#*~\\", u"！”＃×″￥"},
        {u"｢ｱｲｳ｣､｡･ｰ", u"「アイウ」、。・ー"},
        {u"ｶﾞｷﾞﾊﾟﾎﾟ", u"ガギパポ"},
        {u"ｳﾞｧｲｵﾘﾝ", u"ヴァイオリン"},
        {u"ｶｹﾔｭﾜ", u"カケヤュワ"},                     // repeated sources give their first partner
        {u"Aﾞﾟ", u"Ａ゛゜"},                            // marks with no voiced form stand alone
        {u"ﾅﾞ", u"ナ゛"},
        {u"漢字とかな", u"漢字とかな"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hanToZen(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected)) << QString::fromUtf16(c.input).toStdString();
}

TEST(HanToZen, ExcludedMinusStaysHalfWidth) {
    EXPECT_EQ(hanToZen(QStringLiteral("A-1"), QChar(u'-')), QStringLiteral("Ａ-１"));
    EXPECT_EQ(hanToZen(QStringLiteral("A-1")), QStringLiteral("Ａ－１"));
}

TEST(NumToKnj, TurnsOnlyFullWidthDigits) {
    EXPECT_EQ(numToKnj(QStringLiteral("2024")), QStringLiteral("2024"));
    EXPECT_EQ(numToKnj(QStringLiteral("２０２４年")), QStringLiteral("二〇二四年"));
    EXPECT_EQ(numToKnj(hanToZen(QStringLiteral("2024"))), QStringLiteral("二〇二四"));
}

TEST(ZenToHan, InvertsTheWideningTables) {
    const Case cases[] = {
        {u"ＡＢＣ０１９ｘ", u"ABC019x"},
        {u"ガギパポヴ", u"ｶﾞｷﾞﾊﾟﾎﾟｳﾞ"},
        {u"「アイウ」、。ー", u"｢ｱｲｳ｣､｡ｰ"},
        {u"！”×″￥", u"!\"*~\\"},
        {u"ヵヶヮ", u"ｶｹﾜ"},
        {u"ヰヱ", u"ヰヱ"},   // no half-width forms: left as they are
        {u"漢字　かな", u"漢字　かな"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zenToHan(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected)) << QString::fromUtf16(c.input).toStdString();
}

TEST(HiraToKata, MapsHiraganaIncludingVoicedAndSmall) {
    EXPECT_EQ(hiraToKata(QStringLiteral("がっこうのぱん、ゐゑをん")), QStringLiteral("ガッコウノパン、ヰヱヲン"));
    EXPECT_EQ(hiraToKata(QStringLiteral("ぶカナ漢")), QStringLiteral("ブカナ漢"));
}

}  // namespace
}  // namespace poremi
