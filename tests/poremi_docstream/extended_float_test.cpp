#include "document/stream/extended_float.h"

#include <QtCore/QByteArray>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace poremi;

namespace {

QByteArray hexOf(const ExtendedBytes& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), b.size()).toHex(' ');
}

ExtendedBytes fromHex(const char* hex) {
    const QByteArray raw = QByteArray::fromHex(hex);
    ExtendedBytes b{};
    for (int i = 0; i < 10; ++i) b[i] = static_cast<std::uint8_t>(raw[i]);
    return b;
}

std::uint64_t bitsOf(double v) { return std::bit_cast<std::uint64_t>(v); }

TEST(ExtendedFloat, KnownEncodings) {
    struct Case {
        double value;
        const char* hex;  // little-endian, as stored
    };
    const Case cases[] = {
        {0.0, "00 00 00 00 00 00 00 00 00 00"},
        {-0.0, "00 00 00 00 00 00 00 00 00 80"},
        {1.0, "00 00 00 00 00 00 00 80 ff 3f"},
        {-2.5, "00 00 00 00 00 00 00 a0 00 c0"},
        {36526.5, "00 00 00 00 00 80 ae 8e 0e 40"},
        {std::numeric_limits<double>::infinity(), "00 00 00 00 00 00 00 80 ff 7f"},
        {-std::numeric_limits<double>::infinity(), "00 00 00 00 00 00 00 80 ff ff"},
        // Smallest denormal double, 2^-1074: normal in extended.
        {std::numeric_limits<double>::denorm_min(), "00 00 00 00 00 00 00 80 cd 3b"},
        {std::numeric_limits<double>::max(), "00 f8 ff ff ff ff ff ff fe 43"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hexOf(toExtended(c.value)), QByteArray(c.hex)) << c.value;
        EXPECT_EQ(bitsOf(fromExtended(fromHex(c.hex))), bitsOf(c.value)) << c.value;
    }
}

TEST(ExtendedFloat, EveryDoubleSurvivesTheRoundTrip) {
    std::mt19937_64 random(42);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (std::isnan(value)) continue;
        ASSERT_EQ(bitsOf(fromExtended(toExtended(value))), bitsOf(value)) << value;
    }
    for (std::uint64_t fraction = 1; fraction < (std::uint64_t{1} << 52); fraction = fraction * 3 + 1) {
        const double denormal = std::bit_cast<double>(fraction);
        ASSERT_EQ(bitsOf(fromExtended(toExtended(denormal))), fraction);
        ASSERT_EQ(bitsOf(fromExtended(toExtended(-denormal))), fraction | (std::uint64_t{1} << 63));
    }
}

TEST(ExtendedFloat, NaNStaysNaN) {
    const double quiet = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(fromExtended(toExtended(quiet))));
    EXPECT_EQ(hexOf(toExtended(quiet)), QByteArray("00 00 00 00 00 00 00 c0 ff 7f"));
    // A payload only in the low bits still yields a NaN, not infinity.
    EXPECT_TRUE(std::isnan(fromExtended(fromHex("01 00 00 00 00 00 00 80 ff 7f"))));
}

TEST(ExtendedFloat, ExtraPrecisionRoundsHalfToEven) {
    // 1 + 2^-53 lies halfway between 1 and the next double: rounds to the even one, 1.
    EXPECT_EQ(fromExtended(fromHex("00 04 00 00 00 00 00 80 ff 3f")), 1.0);
    // 1 + 3 × 2^-53 lies halfway between 1 + 2^-52 and 1 + 2^-51: rounds to 1 + 2^-51.
    EXPECT_EQ(fromExtended(fromHex("00 0c 00 00 00 00 00 80 ff 3f")), 1.0 + std::ldexp(1.0, -51));
    // Just above the half rounds up.
    EXPECT_EQ(fromExtended(fromHex("01 04 00 00 00 00 00 80 ff 3f")), 1.0 + std::ldexp(1.0, -52));
    // All ones rounds up to 2 (carry into the exponent).
    EXPECT_EQ(fromExtended(fromHex("ff ff ff ff ff ff ff ff ff 3f")), 2.0);
}

TEST(ExtendedFloat, OutOfDoubleRange) {
    EXPECT_EQ(fromExtended(fromHex("00 00 00 00 00 00 00 80 ff 7f")), std::numeric_limits<double>::infinity());
    // 2^1024 overflows; 2^-1075 is exactly half the smallest denormal and rounds to even, 0.
    EXPECT_EQ(fromExtended(fromHex("00 00 00 00 00 00 00 80 ff 43")), std::numeric_limits<double>::infinity());
    EXPECT_EQ(bitsOf(fromExtended(fromHex("00 00 00 00 00 00 00 80 cc 3b"))), 0u);
    // 1.5 × 2^-1075 rounds up to the smallest denormal.
    EXPECT_EQ(fromExtended(fromHex("00 00 00 00 00 00 00 c0 cc 3b")), std::numeric_limits<double>::denorm_min());
    // Tiny extended values and extended denormals underflow to signed zero.
    EXPECT_EQ(bitsOf(fromExtended(fromHex("00 00 00 00 00 00 00 80 01 80"))), std::uint64_t{1} << 63);
    EXPECT_EQ(bitsOf(fromExtended(fromHex("01 00 00 00 00 00 00 00 00 00"))), 0u);
    // The largest denormal double plus a carry becomes the smallest normal.
    const double belowNormal = std::nextafter(std::numeric_limits<double>::min(), 0.0);
    EXPECT_EQ(fromExtended(toExtended(belowNormal)), belowNormal);
}

}  // namespace
