#include "base/text_codec.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(Cp932, EncodesTheWindowsMapping) {
    // "～" is FULLWIDTH TILDE in CP932 (0x8160); SHIFT_JIS would give WAVE DASH instead.
    EXPECT_EQ(cp932::encode(QStringLiteral("～")), QByteArray("\x81\x60"));
    EXPECT_EQ(cp932::encode(QStringLiteral("\\~")), QByteArray("\\~"));
    EXPECT_EQ(cp932::encode(QStringLiteral("テキスト")), QByteArray("\x83\x65\x83\x4c\x83\x58\x83\x67"));
    EXPECT_EQ(cp932::encode(QStringLiteral("ｱ")), QByteArray("\xb1"));
    EXPECT_EQ(cp932::encode(QStringLiteral("①")), QByteArray("\x87\x40"));
}

TEST(Cp932, RoundTripsAndDecodes) {
    const QString text = QStringLiteral("ぽれみ ABC ～ ｶﾀｶﾅ ①Ⅱ 髙");
    bool lossless = false;
    const QByteArray bytes = cp932::encode(text, &lossless);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(cp932::decode(bytes), text);
    EXPECT_EQ(cp932::byteLength(QStringLiteral("aあ")), 3);
}

TEST(Cp932, ReportsWhatItCannotHold) {
    bool lossless = true;
    const QByteArray bytes = cp932::encode(QStringLiteral("a\u00e9\U0001F600b"), &lossless);
    EXPECT_FALSE(lossless);
    EXPECT_EQ(bytes, QByteArray("a??b"));
    EXPECT_FALSE(cp932::canEncode(QStringLiteral("한국어")));
    EXPECT_TRUE(cp932::canEncode(QStringLiteral("日本語")));
}

TEST(Cp932, DecodesBrokenBytesWithoutLosingTheRest) {
    // A lead byte at the end and an invalid trail byte.
    EXPECT_EQ(cp932::decode(QByteArray("a\x82")), QStringLiteral("a\ufffd"));
    EXPECT_EQ(cp932::decode(QByteArray("\x82\x20z")), QStringLiteral("\ufffd z"));
}

}  // namespace
}  // namespace poremi
