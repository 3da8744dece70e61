// EAN-13 / EAN-8 symbols: check digits, the module grid probed pixel by pixel against tables
// written here as bar and space widths, and decoding of rendered symbols by zbarimg.

#include "objects/jan_code.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// Widths of space, bar, space, bar of the left-hand odd set; the right-hand set has the same
// widths as bar, space, bar, space, and the even set is the right-hand set mirrored.
const char* const kOddWidths[] = {"3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112"};
// Which of the six left-hand digits of EAN-13 use the even set, by the first digit.
const char* const kEvenPositions[] = {"------", "--X-XX", "--XX-X", "--XXX-", "-X--XX",
                                      "-XX--X", "-XXX--", "-X-X-X", "-X-XX-", "-XX-X-"};

std::string widthsToModules(const std::string& widths, bool startDark) {
    std::string out;
    bool dark = startDark;
    for (char w : widths) {
        out.append(std::size_t(w - '0'), dark ? '1' : '0');
        dark = !dark;
    }
    return out;
}

std::string expectedModules(const std::string& digits) {
    const bool ean13 = digits.size() == 13;
    const std::size_t first = ean13 ? 1 : 0, half = ean13 ? 6 : 4;
    std::string m(7, '0');
    m += "101";
    for (std::size_t k = 0; k < half; ++k) {
        const std::string odd = kOddWidths[digits[first + k] - '0'];
        const bool even = ean13 && kEvenPositions[digits[0] - '0'][k] == 'X';
        m += widthsToModules(even ? std::string(odd.rbegin(), odd.rend()) : odd, false);
    }
    m += "01010";
    for (std::size_t k = first + half; k < digits.size(); ++k) m += widthsToModules(kOddWidths[digits[k] - '0'], true);
    m += "101";
    m += std::string(7, '0');
    return m;
}

std::uint32_t kBlack = 0;

QImage render(const QString& digits, const TRect& rect, QSize pixels, double pixelsPerUnit, bool showFrame,
              bool showDigits, int angle, int pointSize = 10, QPoint offset = {}) {
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    painter.translate(offset);
    painter.scale(pixelsPerUnit, pixelsPerUnit);
    TPointBasedFont font;
    font.setSize(pointSize);
    TJANCode(font, kBlack).draw(painter, digits, rect, showFrame, showDigits, angle);
    return image;
}

bool isBlack(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 64; }

TEST(JanCheckDigit, completesTheStandardNumbers) {
    const struct {
        const char* text;
        int digit;
    } cases[] = {{"490123456789", 4}, {"4901234567894", 4}, {"400638133393", 1}, {"9638507", 4},
                 {"96385074", 4},     {"4901234567890", 4}, {"123456", -1},       {"12345678901", -1},
                 {"49012345678a", -1}, {"４９０１２３４", -1}};
    for (const auto& c : cases) EXPECT_EQ(checkDigit(QString::fromUtf8(c.text)), c.digit) << c.text;
}

TEST(JanCheckDigit, validatesOnlyCompleteCodesWithTheirCheckDigit) {
    EXPECT_TRUE(isValidJAN(QStringLiteral("4901234567894")));
    EXPECT_TRUE(isValidJAN(QStringLiteral("96385074")));
    EXPECT_FALSE(isValidJAN(QStringLiteral("4901234567890")));
    EXPECT_FALSE(isValidJAN(QStringLiteral("490123456789")));
    EXPECT_FALSE(isValidJAN(QStringLiteral("9638507")));
    EXPECT_FALSE(isValidJAN(QString::fromUtf8("９６３８５０７４")));
}

// At 254 dpi one pixel is one unit; 1090 units give modules exactly ten pixels wide.
TEST(JanSymbol, modulesMatchTheStandardTablesPixelByPixel) {
    for (const char* code : {"4901234567894", "4006381333931", "96385074", "0123456789012", "5555555555555"}) {
        const std::string digits = code;
        const std::string expected = expectedModules(digits);
        const int n = int(expected.size());
        ASSERT_EQ(n, digits.size() == 13 ? 109 : 81);
        const QImage image = render(QString::fromLatin1(code), {0, 0, n * 10, 300}, {n * 10, 300}, 1.0, false, false, 0);
        for (int i = 0; i < n; ++i)
            for (int x : {10 * i, 10 * i + 9})
                EXPECT_EQ(isBlack(image, x, 150), expected[std::size_t(i)] == '1') << code << " module " << i << " x " << x;
        EXPECT_FALSE(isBlack(image, 69, 0)) << code;
        EXPECT_TRUE(isBlack(image, 70, 0)) << code << ": start guard at x = 70";
        EXPECT_TRUE(isBlack(image, 70, 299)) << code << ": bars reach the bottom without digits";
    }
}

TEST(JanSymbol, guardBarsReachLowerThanDigitBarsWhenDigitsShow) {
    const QImage image = render(QStringLiteral("4901234567894"), {0, 0, 1090, 300}, {1090, 300}, 1.0, false, true, 0);
    const auto lowest = [&](int x) {
        int y = 0;
        while (y + 1 < image.height() && isBlack(image, x, y + 1)) ++y;
        return y;
    };
    EXPECT_GT(lowest(75), lowest(125));   // start guard against the first bar of digit 2 ("0100111")
    EXPECT_LT(lowest(75), 299);
}

TEST(JanSymbol, frameBandIsThreeUnitsAndBarsKeepTenUnitsInside) {
    const QImage image = render(QStringLiteral("4901234567894"), {0, 0, 1110, 320}, {1110, 320}, 1.0, true, false, 0);
    for (int x : {0, 1, 2}) EXPECT_TRUE(isBlack(image, x, 160));
    for (int x : {3, 9, 79}) EXPECT_FALSE(isBlack(image, x, 160)) << x;
    EXPECT_TRUE(isBlack(image, 80, 160));     // start guard: 10 + 7 modules of 10
    EXPECT_FALSE(isBlack(image, 80, 9));
    EXPECT_TRUE(isBlack(image, 80, 10));
}

TEST(JanSymbol, textsThatAreNotEightOrThirteenAsciiDigitsDrawNothing) {
    for (const char* text : {"490123456789", "49012345678a4", "４９０１２３４５６７８９４", "9638507a", "",
                             "49012345678940"}) {
        const QImage image = render(QString::fromUtf8(text), {0, 0, 300, 100}, {300, 100}, 1.0, true, true, 0);
        QImage untouched(image.size(), image.format());
        untouched.fill(QColor(128, 128, 128));
        EXPECT_EQ(image, untouched) << text;
    }
}

TEST(JanSymbol, largeFontLeavesNothingOutsideTheObject) {
    for (int angle : {0, 30}) {
        const TRect rect{100, 100, 400, 200};
        const QImage image = render(QStringLiteral("4901234567894"), rect, {500, 300}, 1.0, true, true, angle, 24);
        QTransform turn;
        turn.translate(250, 150).rotate(angle).translate(-250, -150);
        const QPolygonF inside = turn.map(QPolygonF(QRectF(100, 100, 300, 100)));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!inside.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill)) {
                    const bool nearEdge = !inside.containsPoint(QPointF(x + 2, y + 2), Qt::OddEvenFill) !=
                                          !inside.containsPoint(QPointF(x - 1, y - 1), Qt::OddEvenFill);
                    if (!nearEdge) {
                        ASSERT_EQ(image.pixel(x, y), qRgb(128, 128, 128)) << angle << " at " << x << "," << y;
                    }
                }
    }
}

// zbarimg's raw output for a PNG, or empty when it decodes nothing.
QString decode(const QString& file) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), file});
    if (!zbar.waitForFinished(30000)) return QStringLiteral("(zbarimg did not run)");
    return QString::fromLatin1(zbar.readAllStandardOutput()).trimmed();
}

TEST(JanSymbol, zbarimgDecodesDefaultSizeAtPrinterResolutionsUprightAndTurned) {
    const QString folder = test::outputFolder();
    QDir().mkpath(folder);
    const struct {
        const char* digits;
        const char* expected;
    } codes[] = {{"4901234567894", "EAN-13:4901234567894"},
                 {"4006381333931", "EAN-13:4006381333931"},
                 {"96385074", "EAN-8:96385074"}};
    for (const auto& code : codes)
        for (int dpi : {200, 300, 600})
            for (int angle : {0, 90}) {
                const double ppu = dpi / 254.0;
                const TRect rect{0, 0, 300, 100};
                // Centred in a white page with room for the turned symbol.
                const int side = int(400 * ppu);
                QImage image(side, side, QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    QPainter painter(&image);
                    painter.scale(ppu, ppu);
                    painter.translate(50, 150);
                    TJANCode(TPointBasedFont(), kBlack).draw(painter, QString::fromLatin1(code.digits), rect, false, true, angle);
                }
                const QString file = QStringLiteral("%1/jan_%2_%3dpi_%4deg.png").arg(folder, QString::fromLatin1(code.digits)).arg(dpi).arg(angle);
                ASSERT_TRUE(image.save(file));
                EXPECT_EQ(decode(file), QString::fromLatin1(code.expected)) << file.toStdString();
            }
}

TEST(JanSymbol, zbarimgDecodesASymbolFromAPdfRasterisedByPdftoppm) {
    const QString folder = test::outputFolder();
    QDir().mkpath(folder);
    const QString pdf = folder + QStringLiteral("/jan_4901234567894.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(254);
        writer.setPageSize(QPageSize(QSizeF(60, 40), QPageSize::Millimeter));
        writer.setPageMargins({});
        QPainter painter(&writer);
        TJANCode(TPointBasedFont(), kBlack).draw(painter, QStringLiteral("4901234567894"), {100, 100, 400, 200}, true, true, 90);
    }
    const QString stem = folder + QStringLiteral("/jan_4901234567894_pdf");
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), pdf, stem});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000));
    ASSERT_EQ(pdftoppm.exitCode(), 0);
    EXPECT_EQ(decode(stem + QStringLiteral(".png")), QStringLiteral("EAN-13:4901234567894"));
}

}  // namespace
}  // namespace poremi
