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

}  // namespace
}  // namespace poremi::printtest
