// The label counter that merge objects take their records from, the hooks around placing,
// progress, and the band arithmetic.

#include "document/model/object_list.h"
#include "print/print_canvas.h"
#include "print/print_site.h"
#include "print/sheet_image.h"
#include "print_fixtures.h"

#include <gtest/gtest.h>
#include <map>

namespace poremi::printtest {
namespace {

// A design of one merge field on the face.
void designMergeField(TLabelData& data, int face) {
    TPrintTestMerge field;
    field.setRect({10, 10, 100, 100});
    field.setFace(face);
    TDOList list;
    list.add(&field);
    data.SaveLabelObjects(face, list);
}

struct CounterCase {
    const char* name;
    int columns, rows;
    std::vector<int> designed;  // faces with a design (all when empty)
    int copies;
    std::vector<int> selected;  // selected-faces mode when not empty
    bool countSelectedOnly;
    int firstFace;
    std::vector<std::pair<int, qint64>> expected;  // (face, record) in print order
};

const CounterCase kCounterCases[] = {
    {"selected_faces_keep_their_place", 2, 2, {}, 1, {1, 3}, false, 0, {{1, 1}, {3, 3}}},
    {"selected_faces_count_only_themselves", 2, 2, {}, 1, {1, 3}, true, 0, {{1, 0}, {3, 1}}},
    {"copies_continue_the_records", 2, 5, {}, 2, {}, false, 0,
     {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9},
      {0, 10}, {1, 11}, {2, 12}, {3, 13}, {4, 14}, {5, 15}, {6, 16}, {7, 17}, {8, 18}, {9, 19}}},
    {"empty_faces_use_up_their_record", 2, 2, {0, 2}, 1, {}, false, 0, {{0, 0}, {2, 2}}},
    {"partly_used_sheet_starts_with_the_first_record", 2, 2, {}, 2, {}, false, 2,
     {{2, 0}, {3, 1}, {0, 2}, {1, 3}, {2, 4}, {3, 5}}},
    {"partly_used_sheet_with_selected_faces", 2, 2, {}, 2, {1, 3}, true, 2,
     {{3, 0}, {1, 1}, {3, 2}}},
};

class CounterTest : public ::testing::TestWithParam<CounterCase> {};

TEST_P(CounterTest, MergeObjectsTakeTheRecordOfTheirLabel) {
    const CounterCase& c = GetParam();
    const auto paper = rectGridPaper(c.columns, c.rows, 0);
    const auto data = makeDocument(*paper);
    for (int i = 0; i < paper->getFaceCount(); ++i)
        if (c.designed.empty() || std::find(c.designed.begin(), c.designed.end(), i) != c.designed.end())
            designMergeField(*data, i);
    TPrintSpec spec;
    spec.copies = c.copies;
    spec.allFaces = c.selected.empty();
    for (const int face : c.selected) spec.selectFace(face);
    spec.countSelectedOnly = c.countSelectedOnly;
    spec.firstFace = c.firstFace;
    TPrintSite site(*data, spec);
    site.setBanding(TPrintSite::DrawDirect);
    std::vector<qint64> afterCounters;
    site.beforePlacing = [](TDOList& objects, qint64 counter) {
        for (TDrawObject* object : objects.items())
            if (auto* field = dynamic_cast<TPrintTestMerge*>(object)) field->record = counter;
    };
    site.afterPlacing = [&afterCounters](TDOList&, qint64 counter) { afterCounters.push_back(counter); };
    TPrintTestMerge::paints().clear();
    TSheetImage image(*paper, 10, false);
    ASSERT_TRUE(site.Print(image));
    EXPECT_EQ(TPrintTestMerge::paints(), c.expected);
    ASSERT_EQ(afterCounters.size(), c.expected.size());
    for (std::size_t i = 0; i < afterCounters.size(); ++i) EXPECT_EQ(afterCounters[i], c.expected[i].second);
}

INSTANTIATE_TEST_SUITE_P(Counters, CounterTest, ::testing::ValuesIn(kCounterCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The hook sees the objects already on the sheet and may make hidden ones printable.
TEST(PrintHooks, BeforePlacingSeesSheetPositionsAndMayShowHiddenObjects) {
    const auto paper = rectGridPaper(2, 1, 10);
    const auto data = makeDocument(*paper);
    TPrintTestBox box;
    box.setRect({0, 0, 420, 320});
    box.setColor(0);
    box.setDontPrint(true);
    TDOList list;
    list.add(&box);
    data->SaveLabelObjects(1, list);
    TPrintSite site(*data, TPrintSpec{});
    std::vector<TRect> placed;
    site.beforePlacing = [&placed](TDOList& objects, qint64) {
        for (TDrawObject* object : objects.items()) {
            placed.push_back(object->getBounds());
            static_cast<TLabelObject*>(object)->setDontPrint(false);
        }
    };
    TSheetImage image(*paper, 254, true);
    ASSERT_TRUE(site.Print(image));
    const TRect outer = paper->getFaceOuterRect(1);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0], (TRect{outer.left, outer.top, outer.left + 420, outer.top + 320}));
    EXPECT_LT(qGray(image.finish().pixel(outer.left + 100, outer.top + 100)), 10);
}


// The paper's own designs print beneath the label's design, and on faces without one, only
// when asked for.
TEST(PrintHooks, PaperImagesPrintBeneathTheDesignWhenAsked) {
    const auto paper = rectGridPaper(2, 1, 0);
    const auto data = makeDocument(*paper);
    TPrintTestBox design;
    design.setRect({100, 100, 200, 200});
    design.setColor(0x000000);
    TDOList list;
    list.add(&design);
    data->SaveLabelObjects(0, list);
    TPrintTestBox paperImage;
    paperImage.setRect({0, 0, 400, 300});
    paperImage.setColor(0x0000FF);
    const auto provide = [&paperImage](int, TDOList& objects) { objects.add(&paperImage); };
    const auto colourAt = [](const QImage& image, const TRect& outer, int x, int y) {
        return QColor(image.pixel(outer.left + x, outer.top + y));
    };
    for (const bool wanted : {true, false}) {
        TPrintSpec spec;
        spec.printPaperImages = wanted;
        TPrintSite site(*data, spec);
        site.paperImages = provide;
        TSheetImage sheet(*paper, 254, true);
        ASSERT_TRUE(site.Print(sheet));
        const QImage& image = sheet.finish();
        for (int face = 0; face < 2; ++face) {
            const TRect outer = paper->getFaceOuterRect(face);
            EXPECT_EQ(colourAt(image, outer, 50, 50), wanted ? QColor(Qt::red) : QColor(Qt::white)) << face;
        }
        EXPECT_EQ(colourAt(image, paper->getFaceOuterRect(0), 150, 150), QColor(Qt::black));
    }
    EXPECT_EQ(paperImage.rect(), (TRect{0, 0, 400, 300})) << "the paper's own object stays where it was";
}

TEST(PrintProgress, NeverGoesBackAndEndsComplete) {
    const auto paper = cdMatrixPaper();
    const auto data = makeDocument(*paper);
    designFaceBox(*data, 0, 0);
    designFaceBox(*data, 1, 0);
    for (const int banding : {0, 1, 2}) {
        TPrintSpec spec;
        spec.copies = 2;
        TPrintSite site(*data, spec);
        site.setBanding(banding);
        std::vector<int> reported;
        site.progress().setListener([&reported](int overall) { reported.push_back(overall); });
        // Strips at 600 dpi: a 124 mm face is 2949 pixels wide, so several strips per face.
        TSheetImage image(*paper, 600, false);
        ASSERT_TRUE(site.Print(image));
        ASSERT_FALSE(reported.empty());
        EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end())) << "banding " << banding;
        EXPECT_EQ(reported.back(), PhasedProgress::kScale) << "banding " << banding;
        EXPECT_EQ(site.progress().depth(), 0);
    }
}

TEST(PrintBands, StripsStayUnderTheirPixelBudget) {
    const struct {
        int width, height, rows, count;
    } cases[] = {
        {4000, 10000, 699, 15},
        {4000, 699, 699, 1},
        {4000, 700, 699, 2},
        {100, 50, 50, 1},
        {3000000, 10, 1, 10},  // wider than the budget: one row at a time
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TPrintSite::bandHeight(c.width, c.height), c.rows) << c.width << "x" << c.height;
        EXPECT_EQ(TPrintSite::bandCount(c.width, c.height), c.count) << c.width << "x" << c.height;
    }
}

TEST(PrintBands, DeviceRectanglesRoundOutwardForEverySign) {
    const struct {
        TRect units;
        int dpi;
        QRect pixels;
    } cases[] = {
        {{0, 0, 254, 254}, 600, QRect(0, 0, 600, 600)},
        {{1, 1, 2, 2}, 600, QRect(2, 2, 3, 3)},       // 2.36..4.72 → 2..5
        {{-1, -1, 1, 1}, 600, QRect(-3, -3, 6, 6)},   // −2.36..2.36 → −3..3
        {{-255, -10, -1, -1}, 254, QRect(-255, -10, 254, 9)},
    };
    for (const auto& c : cases) EXPECT_EQ(TPrintSite::deviceRect(c.units, c.dpi), c.pixels);
}

}  // namespace
}  // namespace poremi::printtest
