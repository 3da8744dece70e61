// The adjustment remembered per printer, and what the scale correction does to a sheet.

#include "print/print_site.h"
#include "print/printer_adjustment.h"
#include "print/sheet_image.h"
#include "print_fixtures.h"
#include "tests/support/frame_fixture.h"

#include <gtest/gtest.h>

namespace poremi::printtest {
namespace {

using PrinterAdjustmentTest = test::FrameTest;

TEST_F(PrinterAdjustmentTest, IsRememberedPerPrinterWithinItsRange) {
    EXPECT_EQ(readPrinterAdjustment(QStringLiteral("Office")), PrinterAdjustment{});
    writePrinterAdjustment(QStringLiteral("Office"), {QPoint(10, -5), 150, -200});
    writePrinterAdjustment(QStringLiteral("Office\\2F"), {QPoint(1500, -1500), 300, -300});
    writePrinterAdjustment(QStringLiteral("Office/2F"), {QPoint(1, 2), 3, 4});
    SettingsStore::reopen(root + QStringLiteral("/settings.ini"));
    EXPECT_EQ(readPrinterAdjustment(QStringLiteral("Office")), (PrinterAdjustment{QPoint(10, -5), 150, -200}));
    EXPECT_EQ(readPrinterAdjustment(QStringLiteral("Office\\2F")), (PrinterAdjustment{QPoint(999, -999), 200, -200}));
    EXPECT_EQ(readPrinterAdjustment(QStringLiteral("Office/2F")), (PrinterAdjustment{QPoint(1, 2), 3, 4}));
    EXPECT_EQ(readPrinterAdjustment(QStringLiteral("Other")), PrinterAdjustment{});
}

// A sheet that comes out 2 % too narrow is corrected by stretching from its corner.
TEST_F(PrinterAdjustmentTest, ScaleCorrectionStretchesFromTheSheetCorner) {
    const auto paper = rectGridPaper(1, 1, 0);  // the face spans 50..450 × 50..350
    const auto data = makeDocument(*paper);
    designFaceBox(*data, 0, 0, 0);
    const struct {
        PrinterAdjustment adjustment;
        int right, bottom;  // last dark column and row
    } cases[] = {
        {{}, 449, 349},
        {{QPoint(), 200, 0}, 458, 349},
        {{QPoint(), 0, -200}, 449, 342},
        {{QPoint(10, 0), 200, 0}, 468, 349},
    };
    for (const auto& c : cases) {
        TPrintSpec spec;
        c.adjustment.applyTo(spec);
        TPrintSite site(*data, spec);
        TSheetImage sheet(*paper, 254, true);
        ASSERT_TRUE(site.Print(sheet));
        const QImage& image = sheet.finish();
        const auto dark = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
        EXPECT_TRUE(dark(c.right, 200) && !dark(c.right + 2, 200)) << c.right;
        EXPECT_TRUE(dark(200, c.bottom) && !dark(200, c.bottom + 2)) << c.bottom;
    }
}

// What a user measures: crosshairs on the face centres, millimetre ticks from the edges,
// moved by the adjustment like every sheet.
TEST(CalibrationSheet, MarksFaceCentresAndMillimetresWhereTheyPrint) {
    const auto paper = cdMatrixPaper();
    const auto data = makeDocument(*paper);
    for (const QPoint offset : {QPoint(), QPoint(20, -10)}) {
        TPrintSpec spec;
        spec.offset = offset;
        TPrintSite site(*data, spec);
        TSheetImage sheet(*paper, 254, true);
        site.setCalibrationSheet(true);
        ASSERT_TRUE(site.Print(sheet));
        const QImage& image = sheet.finish();
        sheet.savePng(outputPath(QStringLiteral("calibration_%1.png").arg(offset.x())));
        const auto dark = [&image, offset](int x, int y) { return qGray(image.pixel(x + offset.x(), y + offset.y())) < 128; };
        for (int face = 0; face < paper->getFaceCount(); ++face) {
            const TRect cut = paper->getFaceInfo(face).faceRect;
            const int cx = (cut.left + cut.right) / 2, cy = (cut.top + cut.bottom) / 2;
            EXPECT_TRUE(dark(cx - 40, cy) && dark(cx + 40, cy) && dark(cx, cy - 40) && dark(cx, cy + 40)) << face;
            EXPECT_FALSE(dark(cx - 60, cy) || dark(cx + 5, cy + 5)) << face;
        }
        // Ticks every millimetre along the top ruler: 1 mm ticks are 1 mm long, 10 mm ticks 3 mm.
        for (int mm = 21; mm <= 29; ++mm) {
            EXPECT_TRUE(dark(mm * 10, 105)) << mm;
            EXPECT_FALSE(dark(mm * 10 + 5, 105)) << mm;
            EXPECT_EQ(dark(mm * 10, 115), mm == 25) << mm;
        }
        EXPECT_TRUE(dark(300, 125));
        EXPECT_TRUE(dark(105, 400));
        EXPECT_FALSE(dark(105, 405));
    }
}

}  // namespace
}  // namespace poremi::printtest
