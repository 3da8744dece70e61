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

TEST(Cp932, ReplacesEveryFaultInALongTextAndKeepsTheRest) {
    // Faults at the start, in the middle of long runs and at the end of one buffer.
    const QString run = QStringLiteral("ぽれみ ラベル abc ").repeated(2000);
    const QByteArray runBytes = cp932::encode(run);
    struct Case {
        QString standOut;  // has no CP932 form
        QByteArray standIn;
    };
    const Case cases[] = {
        {QStringLiteral("\u00e9"), "?"},
        {QStringLiteral("\U0001F600"), "?"},                // a surrogate pair is one character
        {QString(QChar(char16_t(0xD800))), "?"},            // a lone high surrogate
        {QString(QChar(char16_t(0xDC00))), "?"},            // a lone low surrogate
        {QStringLiteral("\U0001F600\u00e9"), "??"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        bool lossless = true;
        const QByteArray bytes = cp932::encode(c.standOut + run + c.standOut + run + c.standOut, &lossless);
        EXPECT_FALSE(lossless);
        EXPECT_EQ(bytes, c.standIn + runBytes + c.standIn + runBytes + c.standIn);
    }
}

TEST(Cp932, DecodesEveryByteSequenceInABufferAsItDecodesAlone) {
    // Every pair of bytes, each followed by an ASCII byte so that no pair reaches into the next:
    // one buffer of 192 KiB with thousands of broken sequences must give the pieces in order.
    QByteArray all;
    QString expected;
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const char piece[3] = {char(lead), char(trail), 'z'};
            all.append(piece, 3);
            expected += cp932::decode(QByteArrayView(piece, 3));
        }
    }
    EXPECT_EQ(cp932::decode(all), expected);
    EXPECT_TRUE(expected.contains(QChar(0xFFFD)));
    EXPECT_TRUE(expected.contains(QStringLiteral("あz")));
}

TEST(Cp932, EncodesEveryCharacterInABufferAsItEncodesAlone) {
    QString all;
    QByteArray expected;
    bool expectedLossless = true;
    for (char32_t cp = 1; cp < 0x30000; cp += cp < 0x10000 ? 1 : 251) {
        if (cp >= 0xD800 && cp < 0xE000) continue;
        const QString one = QString::fromUcs4(&cp, 1);
        bool lossless = true;
        expected += cp932::encode(one, &lossless);
        expectedLossless = expectedLossless && lossless;
        all += one;
    }
    bool lossless = true;
    EXPECT_EQ(cp932::encode(all, &lossless), expected);
    EXPECT_EQ(lossless, expectedLossless);
    EXPECT_EQ(cp932::byteLength(all), expected.size());
}

}  // namespace
}  // namespace poremi
