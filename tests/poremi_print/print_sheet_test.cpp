// Composed sheets read back with poppler: faces where the die cuts them, marks, pages, images.

#include "document/model/print_target.h"
#include "print/pdf_sheet_file.h"
#include "print/print_job.h"
#include "print/print_site.h"
#include "print_fixtures.h"

#include <QtCore/QFile>
#include <QtGui/QPageSize>
#include <cmath>
#include <gtest/gtest.h>

namespace poremi::printtest {
namespace {

constexpr int kBlack = 0x000000;

struct SheetCase {
    const char* name;
    std::unique_ptr<TPaperInfo> (*paper)();
    int banding;
    QPoint offset;         // 0.1 mm in the sheet's own orientation
    QPoint physicalShift;  // where that lands on the page as it lies in the printer
};

std::unique_ptr<TPaperInfo> rectGrid() { return rectGridPaper(2, 2, 15); }

const SheetCase kSheetCases[] = {
    {"cd_direct", cdMatrixPaper, 0, {}, {}},
    {"cd_bitmap", cdMatrixPaper, 1, {}, {}},
    {"cd_strips", cdMatrixPaper, 2, {}, {}},
    {"cd_offset", cdMatrixPaper, 1, {10, -5}, {10, -5}},
    {"rect_offset_direct", rectGrid, 0, {10, -5}, {10, -5}},
    {"landscape_direct", mixedLandscapePaper, 0, {}, {}},
    {"landscape_bitmap", mixedLandscapePaper, 1, {}, {}},
    {"landscape_strips", mixedLandscapePaper, 2, {}, {}},
    // Right on the landscape sheet is down on the page; up is right.
    {"landscape_offset", mixedLandscapePaper, 1, {10, -5}, {5, 10}},
};

class SheetTest : public ::testing::TestWithParam<SheetCase> {};

// Every face is covered by a black box reaching 5 mm beyond it: what prints is the face's
// own shape, at its place, with the hole and the space around it left white.
TEST_P(SheetTest, FacesLandOnTheirDieCutsWithinOnePixel) {
    const SheetCase& c = GetParam();
    const std::unique_ptr<TPaperInfo> paper = c.paper();
    const auto data = makeDocument(*paper);
    for (int i = 0; i < paper->getFaceCount(); ++i) designFaceBox(*data, i, kBlack);
    TPrintSpec spec;
    spec.offset = c.offset;
    TPrintSite site(*data, spec);
    site.setBanding(c.banding);
    const QString pdf = outputPath(QStringLiteral("sheet_%1.pdf").arg(QLatin1String(c.name)));
    ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));

    const QImage page = rasterize(pdf);
    const QImage expected = expectedFaces(*paper, c.physicalShift);
    // Pages are whole points, so the far edges may lose up to a point (3.5 pixels).
    ASSERT_NEAR(page.width(), expected.width(), 4);
    ASSERT_NEAR(page.height(), expected.height(), 4);
    EXPECT_EQ(misplacedPixels(page, expected), 0);
}

INSTANTIATE_TEST_SUITE_P(Sheets, SheetTest, ::testing::ValuesIn(kSheetCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrintSheet, PageIsThePhysicalSheetAtAStandardOrExactSize) {
    auto a4 = rectGridPaper(1, 1, 0);
    a4->setPhysicalSize(2100, 2970);
    a4->setLandscape(true);
    const auto cd = cdMatrixPaper();
    const struct {
        const TPaperInfo* paper;
        QSizeF points;
        bool standard;
    } cases[] = {
        {a4.get(), {595.276, 841.89}, true},
        {cd.get(), {1400 * 72 / 254.0, 2700 * 72 / 254.0}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pageSizeOfPaper(*c.paper).id() != QPageSize::Custom, c.standard);
        const auto data = makeDocument(*c.paper);
        TPrintSite site(*data, TPrintSpec{});
        const QString pdf = outputPath(QStringLiteral("page_size_%1.pdf").arg(c.paper->physicalWidth()));
        ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
        const QSizeF size = pdfPageSize(pdf);
        // Whole points: a standard size within half a point, a custom size rounded down.
        if (c.standard) {
            EXPECT_NEAR(size.width(), c.points.width(), 0.5);
            EXPECT_NEAR(size.height(), c.points.height(), 0.5);
        } else {
            EXPECT_EQ(size, QSizeF(std::floor(c.points.width()), std::floor(c.points.height())));
        }
    }
}

// Design coordinates follow the landscape sheet: a mark in a face's top-left corner prints
// where that corner lies on the page in the printer.
TEST(PrintSheet, LandscapeDesignsKeepTheirCornerOnThePage) {
    const auto paper = mixedLandscapePaper();
    const auto data = makeDocument(*paper);
    TPrintTestBox mark;
    mark.setRect({0, 0, 100, 50});
    TDOList list;
    list.add(&mark);
    data->SaveLabelObjects(1, list);
    TPrintSite site(*data, TPrintSpec{});
    site.setBanding(TPrintSite::DrawDirect);
    const QString pdf = outputPath(QStringLiteral("landscape_corner.pdf"));
    ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
    const QImage page = rasterize(pdf);
    // Face 1 (rounded, 3 mm bleed) is cut at (120, 1420)-(720, 2000) on the page; its
    // landscape top-left corner is the page's top-right corner of that rectangle.
    const TRect outer = inflateRect(TRect{120, 1420, 720, 2000}, 30, 30);
    const auto dark = [&page](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    // The 10 × 5 mm mark runs 50 px leftwards and 100 px downwards from that corner, cut by
    // the rounded corner itself.
    EXPECT_TRUE(dark(outer.right - 25, outer.top + 60));
    EXPECT_FALSE(dark(outer.right - 25, outer.top + 110));
    EXPECT_FALSE(dark(outer.right - 60, outer.top + 60));
    EXPECT_FALSE(dark(outer.left + 25, outer.top + 60));
}

TEST(PrintSheet, OutlinesLieOnTheOuterRectangles) {
    const auto paper = rectGridPaper(2, 1, 15);
    const auto data = makeDocument(*paper);
    TPrintSpec spec;
    spec.printOutlines = true;
    TPrintSite site(*data, spec);
    const QString pdf = outputPath(QStringLiteral("outlines.pdf"));
    ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
    const QImage page = rasterize(pdf);
    const auto darkRow = [&page](int x, int fromY, int toY) {
        int found = -1;
        for (int y = fromY; y <= toY; ++y)
            if (qGray(page.pixel(x, y)) < 160) found = found < 0 ? y : found;
        return found;
    };
    for (int i = 0; i < paper->getFaceCount(); ++i) {
        const TRect outer = paper->getFaceOuterRect(i);
        const int middle = (outer.left + outer.right) / 2;
        EXPECT_NEAR(darkRow(middle, outer.top - 10, outer.top + 10), outer.top, 1) << "face " << i;
        EXPECT_NEAR(darkRow(middle, outer.bottom - 10, outer.bottom + 10), outer.bottom, 1) << "face " << i;
        EXPECT_EQ(darkRow(middle, outer.top + 5, outer.bottom - 5), -1) << "face " << i;
    }
}

// The runs of dark and light pixels along a row between two columns.
std::vector<std::pair<bool, int>> runsAlongRow(const QImage& page, int y, int fromX, int toX) {
    std::vector<std::pair<bool, int>> runs;
    for (int x = fromX; x <= toX; ++x) {
        const bool dark = qGray(page.pixel(x, y)) < 160 || qGray(page.pixel(x, y - 1)) < 160;
        if (runs.empty() || runs.back().first != dark) runs.emplace_back(dark, 0);
        ++runs.back().second;
    }
    return runs;
}

TEST(PrintSheet, CutLinesAreDashedAndOnlyWhereThereIsBleed) {
    const struct {
        int margin;
        bool expectLine;
    } cases[] = {{15, true}, {0, false}};
    for (const auto& c : cases) {
        const auto paper = rectGridPaper(1, 1, c.margin);
        const auto data = makeDocument(*paper);
        TPrintSpec spec;
        spec.printCutLines = true;
        TPrintSite site(*data, spec);
        const QString pdf = outputPath(QStringLiteral("cut_lines_%1.pdf").arg(c.margin));
        ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
        const QImage page = rasterize(pdf);
        const TRect cut = paper->getFaceInfo(0).faceRect;
        const auto runs = runsAlongRow(page, cut.top, cut.left + 5, cut.right - 5);
        int dashes = 0, gaps = 0;
        for (const auto& [dark, length] : runs) {
            if (dark && length >= 17 && length <= 23) ++dashes;
            if (!dark && length >= 7 && length <= 13) ++gaps;
        }
        if (c.expectLine) {
            EXPECT_GE(dashes, 10) << "2 mm dashes";
            EXPECT_GE(gaps, 10) << "1 mm gaps";
        } else {
            EXPECT_EQ(runs.size(), 1u);
            EXPECT_FALSE(runs.front().first);
        }
    }
}

TEST(PrintSheet, EveryCopyIsOnePage) {
    const auto paper = cdMatrixPaper();
    const auto data = makeDocument(*paper);
    designFaceBox(*data, 0, 0x0000FF);
    for (const int copies : {1, 3}) {
        TPrintSpec spec;
        spec.copies = copies;
        TPrintSite site(*data, spec);
        const QString pdf = outputPath(QStringLiteral("copies_%1.pdf").arg(copies));
        ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
        EXPECT_EQ(pdfPageCount(pdf), copies);
    }
}

// Face bitmaps of photographs would be JPEG-compressed unless asked otherwise.
TEST(PrintSheet, FaceBitmapsAreStoredLosslessly) {
    const auto paper = cdMatrixPaper();
    const auto data = makeDocument(*paper);
    designFaceBox(*data, 0, kBlack, 50, true);
    for (const int banding : {1, 2}) {
        TPrintSite site(*data, TPrintSpec{});
        site.setBanding(banding);
        const QString pdf = outputPath(QStringLiteral("lossless_%1.pdf").arg(banding));
        ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
        const QStringList encodings = pdfImageEncodings(pdf);
        ASSERT_FALSE(encodings.isEmpty()) << "banding " << banding;
        EXPECT_FALSE(encodings.contains(QStringLiteral("jpeg"))) << encodings.join(u' ').toStdString();
    }
}

// A face that comes out the same on every copy is stored once; one that changes with the
// label counter is stored for every copy.
TEST(PrintSheet, RepeatedFaceBitmapsAreStoredOnce) {
    const auto paper = cdMatrixPaper();
    const auto data = makeDocument(*paper);
    designFaceBox(*data, 0, kBlack);
    designFaceBox(*data, 1, kBlack);
    for (const bool numbered : {false, true}) {
        TPrintSpec spec;
        spec.copies = 3;
        TPrintSite site(*data, spec);
        if (numbered) {
            site.beforePlacing = [](TDOList& objects, qint64 counter) {
                for (TDrawObject* object : objects.items())
                    static_cast<TPrintTestBox*>(object)->setColor(int(counter) * 0x10);
            };
        }
        const QString pdf = outputPath(QStringLiteral("repeated_%1.pdf").arg(numbered));
        ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
        EXPECT_EQ(pdfImageEncodings(pdf).size(), 6u) << "one use per face and page";
        EXPECT_EQ(pdfImageObjects(pdf), numbered ? 6 : 2);
    }
}

// Objects left out of print stay out on bitmaps too, which are not print devices themselves.
TEST(PrintSheet, DontPrintObjectsAreLeftOutOnEveryPath) {
    const auto paper = rectGridPaper(1, 1, 0);
    const auto data = makeDocument(*paper);
    TPrintTestBox hidden;
    hidden.setRect({0, 0, 400, 300});
    hidden.setDontPrint(true);
    TDOList list;
    list.add(&hidden);
    data->SaveLabelObjects(0, list);
    for (const int banding : {0, 1, 2}) {
        TPrintSite site(*data, TPrintSpec{});
        site.setBanding(banding);
        // The screen repaints while the job lets the interface run; it must not look like print.
        bool screenWasPrint = false;
        site.processMessages = [&screenWasPrint] {
            QImage screen(4, 4, QImage::Format_RGB32);
            QPainter painter(&screen);
            screenWasPrint = screenWasPrint || isPrintTarget(painter);
        };
        const QString pdf = outputPath(QStringLiteral("dont_print_%1.pdf").arg(banding));
        ASSERT_TRUE(printToPdf(site, pdf, QStringLiteral("test")));
        const QImage page = rasterize(pdf);
        EXPECT_GT(qGray(page.pixel(250, 200)), 250) << "banding " << banding;
        EXPECT_FALSE(screenWasPrint);
    }
}

TEST(PrintSheet, AnAbortedJobLeavesNoFileAndKeepsTheOldOne) {
    const auto paper = cdMatrixPaper();
    const auto data = makeDocument(*paper);
    designFaceBox(*data, 0, kBlack);
    designFaceBox(*data, 1, kBlack);
    const QString pdf = outputPath(QStringLiteral("aborted.pdf"));
    QFile::remove(pdf);
    TPrintSite site(*data, TPrintSpec{});
    site.processMessages = [&site] { site.abort(); };
    EXPECT_FALSE(printToPdf(site, pdf, QStringLiteral("test")));
    EXPECT_FALSE(QFile::exists(pdf));

    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    TPrintSite again(*data, TPrintSpec{});
    again.processMessages = [&again] { again.abort(); };
    EXPECT_FALSE(printToPdf(again, pdf, QStringLiteral("test")));
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

TEST(PrintSheet, AFailedPaintReportsTheErrorAndLeavesNoFile) {
    const auto paper = rectGridPaper(1, 1, 0);
    const auto data = makeDocument(*paper);
    TPrintTestBox broken;
    broken.setRect({0, 0, 100, 100});
    broken.setFailPaint(true);
    TDOList list;
    list.add(&broken);
    data->SaveLabelObjects(0, list);
    const QString pdf = outputPath(QStringLiteral("failed.pdf"));
    QFile::remove(pdf);
    for (const int banding : {0, 1}) {
        TPrintSite site(*data, TPrintSpec{});
        site.setBanding(banding);
        EXPECT_THROW(printToPdf(site, pdf, QStringLiteral("test")), Exception);
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

}  // namespace
}  // namespace poremi::printtest
