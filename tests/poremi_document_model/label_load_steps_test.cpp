// What loading a face's objects does to them: dates follow the document's times, backgrounds
// take the face's size, objects off the face come back onto it; and which backgrounds are
// not worth storing.

#include "label_documents.h"
#include "test_objects.h"

#include "document/model/object_list.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::documentPath;
using testing::matrixPaper;
using testing::OwnedList;
using testing::TTestBackground;
using testing::TTestBox;
using testing::TTestDate;

class LabelLoadSteps : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::registerLabelDocumentClasses(); }
};

TEST_F(LabelLoadSteps, DatesFollowTheDocumentTimeTheirFlagNames) {
    const QString path = documentPath(QStringLiteral("dates.lbx"));
    {
        TLabelData data(nullptr);
        data.SetPaper(*matrixPaper(QStringLiteral("A"), 1, 1));
        data.setLastPrint(40000.25);
        data.setLastSave(41000.5);
        std::vector<std::unique_ptr<TTestDate>> dates;
        TDOList list;
        for (int flag = 0; flag <= 4; ++flag) {
            dates.push_back(std::make_unique<TTestDate>());
            dates.back()->setDateUpdateFlag(flag);
            dates.back()->setDate(100.0 + flag);
            dates.back()->setRect({100, 100, 200, 200});
            list.add(dates.back().get());
        }
        data.SaveLabelObjects(0, list);
        data.SaveToFile(path);
    }
    TLabelData read(nullptr);
    read.LoadFromFile(path);
    OwnedList loaded;
    read.LoadLabelObjects(0, loaded.list);
    ASSERT_EQ(loaded.list.count(), 5);
    // Read back bottom first: the flags come out from 4 down to 0.
    const struct {
        int flag;
        double date;
    } expected[] = {{4, 104.0}, {3, 41000.5}, {2, 40000.25}, {1, read.openedAt()}, {0, 100.0}};
    for (int i = 0; i < 5; ++i) {
        auto* date = dynamic_cast<TTestDate*>(loaded.list.item(i));
        ASSERT_NE(date, nullptr);
        EXPECT_EQ(date->dateUpdateFlag(), expected[i].flag);
        EXPECT_EQ(date->date(), expected[i].date) << "flag " << expected[i].flag;
    }
    EXPECT_NE(read.openedAt(), 41000.5);
}

TEST_F(LabelLoadSteps, DefaultBackgroundsAreNotStoredAndStoredOnesTakeTheOuterFaceSize) {
    TLabelData data(nullptr);
    auto paper = matrixPaper(QStringLiteral("Bleed"), 2, 1);
    paper->setFaceMargin(20);
    data.SetPaper(*paper);

    TTestBackground plain;
    plain.setRect({0, 0, 10, 10});
    TDOList onlyPlain;
    onlyPlain.add(&plain);
    data.SaveLabelObjects(0, onlyPlain);
    EXPECT_FALSE(data.HasLabelData(0)) << "a lone default background is no design";
    EXPECT_TRUE(data.modified());

    TTestBox box;
    box.setRect({100, 100, 200, 200});
    TTestBackground framed;
    framed.setFramed(true);
    framed.setRect({0, 0, 10, 10});
    TDOList mixed;
    mixed.add(&box);
    mixed.add(&plain);
    mixed.add(&framed);
    data.SaveLabelObjects(1, mixed);
    OwnedList loaded;
    data.LoadLabelObjects(1, loaded.list);
    ASSERT_EQ(loaded.list.count(), 2) << "the default background is left out";
    auto* background = dynamic_cast<TTestBackground*>(loaded.list.item(0));
    ASSERT_NE(background, nullptr);
    EXPECT_TRUE(background->framed());
    // 80 × 50 mm with 2 mm of bleed on every side.
    EXPECT_EQ(background->rect(), TRect(0, 0, 840, 540));
    EXPECT_NE(dynamic_cast<TTestBox*>(loaded.list.item(1)), nullptr);
}

// A box 100 units square centred on (x, y) of a face 80 × 50 mm in portrait.
struct OnFaceCase {
    bool landscape;
    QPoint centre;
    QPoint expected;
};

TEST_F(LabelLoadSteps, ObjectsOffTheFaceComeBackOneMillimetreInsideInBothOrientations) {
    const OnFaceCase cases[] = {
        {false, {400, 250}, {400, 250}},   // well inside
        {false, {-5, 250}, {10, 250}},     // 5 units left of the face: 15 to the right
        {false, {700, 700}, {700, 490}},   // below the 50 mm face
        {false, {900, 100}, {790, 100}},   // right of the 80 mm face
        {true, {700, 700}, {490, 700}},    // turned, the face is 50 mm wide and 80 mm high
        {true, {900, 100}, {490, 100}},
        {true, {100, 900}, {100, 790}},
    };
    for (const OnFaceCase& c : cases) {
        TLabelData data(nullptr);
        auto paper = matrixPaper(QStringLiteral("A"), 1, 1);
        paper->setLandscape(c.landscape);
        data.SetPaper(*paper);
        TTestBox box;
        box.setRect({c.centre.x() - 50, c.centre.y() - 50, c.centre.x() + 50, c.centre.y() + 50});
        TDOList list;
        list.add(&box);
        data.SaveLabelObjects(0, list);
        OwnedList loaded;
        data.LoadLabelObjects(0, loaded.list);
        ASSERT_EQ(loaded.list.count(), 1);
        EXPECT_EQ(rectCenter(loaded.list.item(0)->getBounds()), c.expected)
            << (c.landscape ? "landscape " : "portrait ") << c.centre.x() << "," << c.centre.y();
    }
}

}  // namespace
}  // namespace poremi
