#include "paper/face_info.h"
#include "paper/purpose.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

namespace poremi {
namespace {

TFaceInfo face(const TRect& r, TFaceShape shape = fsRect, int margin = 0) {
    TFaceInfo f;
    f.faceRect = r;
    f.faceShape = shape;
    f.faceMargin = margin;
    return f;
}

TEST(FaceInfo, DerivesOuterAndHoleRectangles) {
    const struct {
        TRect rect;
        int margin, holeW, holeH;
        TRect outer, hole, innerHole;
    } cases[] = {
        {{0, 0, 1160, 1160}, 0, 410, 410, {0, 0, 1160, 1160}, {375, 375, 785, 785}, {375, 375, 785, 785}},
        {{0, 0, 1160, 1160}, 20, 410, 410, {-20, -20, 1180, 1180}, {375, 375, 785, 785}, {395, 395, 765, 765}},
        // Width minus hole width odd: the left edge rounds down.
        {{100, 100, 1261, 1262}, 0, 410, 411, {100, 100, 1261, 1262}, {475, 475, 885, 886}, {475, 475, 885, 886}},
        // A hole larger than the face stays centred with negative offsets.
        {{0, 0, 100, 100}, 0, 301, 300, {0, 0, 100, 100}, {-100, -100, 201, 200}, {-100, -100, 201, 200}},
    };
    for (const auto& c : cases) {
        TFaceInfo f = face(c.rect, fsDoughnut, c.margin);
        f.cutCenterWidth = c.holeW;
        f.cutCenterHeight = c.holeH;
        EXPECT_EQ(f.outerRect(), c.outer) << c.rect;
        EXPECT_EQ(f.cutCenterRect(), c.hole) << c.rect;
        EXPECT_EQ(f.innerCutCenterRect(), c.innerHole) << c.rect;
        TFaceInfo moved = f;
        moved.setOuterRect(f.outerRect());
        EXPECT_EQ(moved.faceRect, c.rect);
    }
    TFaceInfo f;
    f.setCutCenterSize(220);
    EXPECT_EQ(f.cutCenterWidth, 220);
    EXPECT_EQ(f.cutCenterHeight, 220);
}

TEST(FaceInfo, StartsFromTheDefaultsAndKnowsItsShapes) {
    const TFaceInfo f;
    EXPECT_EQ(f.faceRect, TRect{});
    EXPECT_EQ(f.cutCenterWidth, 410);
    EXPECT_EQ(f.cutCenterHeight, 410);
    EXPECT_EQ(f.roundSize, 100);
    EXPECT_EQ(f.faceShape, fsRect);
    EXPECT_EQ(f.centerShape, csEllipse);
    const struct { TFaceShape shape; bool hole, round; } shapes[] = {
        {fsRect, false, false},     {fsDoughnut, true, false}, {fsEllipse, false, false},
        {fsRoundRect, false, true}, {fsRectCD, true, true},    {fsBarrelCD, true, false},
    };
    for (const auto& s : shapes) {
        EXPECT_EQ(face({}, s.shape).hasCutCenter(), s.hole) << s.shape;
        EXPECT_EQ(face({}, s.shape).hasRoundCorners(), s.round) << s.shape;
    }
    EXPECT_EQ(faceShapeDisplayNames(),
              QStringList({QStringLiteral("角ラベル"), QStringLiteral("CDラベル"), QStringLiteral("丸ラベル"),
                           QStringLiteral("角丸ラベル"), QStringLiteral("名刺CDラベル"), QStringLiteral("樽CDラベル")}));
}

TEST(FaceInfo, ReadsLegacyFaceTypes) {
    const struct { int type; TFaceShape shape; const char* purpose; } cases[] = {
        {0, fsRect, ""},        {1, fsDoughnut, "CD"},   {2, fsRect, "CDCover"}, {3, fsRect, "CDCaseTray"},
        {4, fsRect, "MOSquare"}, {5, fsRect, "MOSquare"}, {6, fsEllipse, ""},     {7, fsRoundRect, ""},
        {9, fsRect, ""},        {-1, fsRect, ""},
    };
    for (const auto& c : cases) {
        TFaceInfo f;
        f.setLegacyFaceType(c.type);
        EXPECT_EQ(f.faceShape, c.shape) << c.type;
        EXPECT_EQ(f.facePurpose, QString::fromLatin1(c.purpose)) << c.type;
    }
    // Unknown numbers leave what is there.
    TFaceInfo f = face({}, fsBarrelCD);
    f.facePurpose = QStringLiteral("CD");
    f.setLegacyFaceType(8);
    EXPECT_EQ(f.faceShape, fsBarrelCD);
    EXPECT_EQ(f.facePurpose, QStringLiteral("CD"));
}

TEST(FaceInfo, TrimLineOnlyWithAMargin) {
    EXPECT_TRUE(face({0, 0, 100, 100}, fsDoughnut).trimLinePath().isEmpty());
    const QPainterPath trim = face({0, 0, 100, 100}, fsRect, 10).trimLinePath(true);
    EXPECT_EQ(trim.boundingRect(), QRectF(10, 10, 100, 100));  // shifted by OuterRect's top-left
    TFaceInfo cd = face({0, 0, 1160, 1160}, fsDoughnut, 20);
    EXPECT_EQ(cd.cutCenterPath(true).boundingRect(), QRectF(0, 0, 370, 370));
    EXPECT_TRUE(face({0, 0, 100, 100}, fsRoundRect).cutCenterPath().isEmpty());
}

TEST(FaceInfo, RegionsInSheetUnitsWithAndWithoutTheHole) {
    TFaceInfo cd = face({0, 0, 1160, 1160}, fsDoughnut, 20);
    const QRegion whole = cd.createRegion(false);
    const QRegion ring = cd.createRegion(true);
    EXPECT_EQ(whole.boundingRect(), QRect(-20, -20, 1200, 1200));
    EXPECT_TRUE(whole.contains(QPoint(580, 580)));
    EXPECT_FALSE(ring.contains(QPoint(580, 580)));
    EXPECT_TRUE(ring.contains(QPoint(580, 390)));   // inside the hole's bleed
    EXPECT_FALSE(ring.contains(QPoint(580, 400)));  // inside the remaining hole
    EXPECT_FALSE(whole.contains(QPoint(0, 0)));     // outside the circle

    // A hole only cuts shapes that have one.
    TFaceInfo round = face({0, 0, 1160, 1160}, fsRoundRect);
    EXPECT_TRUE(round.createRegion(true).contains(QPoint(580, 580)));
    EXPECT_FALSE(round.createRegion(true).contains(QPoint(2, 2)));
    EXPECT_TRUE(round.createRegion(true).contains(QPoint(60, 2)));

    TFaceInfo barrelHole = face({0, 0, 1160, 1160}, fsRectCD);
    barrelHole.centerShape = csBarrel;
    barrelHole.cutCenterWidth = 600;
    barrelHole.cutCenterHeight = 300;
    const QRegion r = barrelHole.createRegion(true);
    EXPECT_FALSE(r.contains(QPoint(580, 580)));
    EXPECT_FALSE(r.contains(QPoint(290, 580)));  // the hole reaches its rectangle's sides at mid-height
    EXPECT_TRUE(r.contains(QPoint(290, 440)));   // but not at its corners
}

TEST(FaceInfo, OverlapTestComparesRegionsInIndexOrder) {
    const auto circle = [](int x, int y) { return face({x, y, x + 100, y + 100}, fsEllipse); };
    EXPECT_EQ(findOverlappingFace({}), -1);
    // Touching rectangles do not overlap.
    EXPECT_EQ(findOverlappingFace({face({0, 0, 100, 100}), face({100, 0, 200, 100}), face({0, 100, 100, 200})}), -1);
    // Circles whose boxes overlap while their outlines do not.
    EXPECT_EQ(findOverlappingFace({circle(0, 0), circle(90, 90)}), -1);
    EXPECT_EQ(findOverlappingFace({circle(0, 0), circle(300, 0), circle(50, 0), circle(60, 0)}), 2);
    // The hole does not count as free space.
    TFaceInfo cd = face({0, 0, 1160, 1160}, fsDoughnut);
    EXPECT_EQ(findOverlappingFace({cd, face({560, 560, 600, 600})}), 1);
}

class PurposeListTest : public ::testing::Test {
protected:
    void SetUp() override { installPurposeValidator(&validator_); }
    void TearDown() override { installPurposeValidator(nullptr); }

    static QStringList ids(const TPurposeList& list) {
        QStringList out;
        for (qsizetype i = 0; i < list.count(); ++i) out.append(list[i].id());
        return out;
    }

    TCDLabelPurposeValidator validator_;
};

TEST_F(PurposeListTest, ValidatorRetiresOldIdentifiers) {
    const struct { const char* id; bool obsolete; const char* mapped; } cases[] = {
        {"MO", true, "MOSquare"}, {"FD", true, "MOSquare"}, {"CDCase", true, "CDCaseTray"},
        {"cdcase", false, "cdcase"}, {"CD", false, "CD"}, {"", false, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(validator_.isObsolete(QString::fromLatin1(c.id)), c.obsolete) << c.id;
        EXPECT_EQ(validator_.mapId(QString::fromLatin1(c.id)), QString::fromLatin1(c.mapped)) << c.id;
        EXPECT_EQ(mapPurposeId(QString::fromLatin1(c.id)), QString::fromLatin1(c.mapped)) << c.id;
    }
    installPurposeValidator(nullptr);
    EXPECT_EQ(mapPurposeId(QStringLiteral("MO")), QStringLiteral("MO"));
}

TEST_F(PurposeListTest, DefaultsSearchMergeAndObsoleteRemoval) {
    TPurposeList list;
    list.loadDefaults();
    EXPECT_EQ(ids(list), QStringList({"CD", "CDCover", "CDCaseTray", "MOSquare", ""}));
    EXPECT_TRUE(list[0].shapeMask() == (TFaceShapes{fsDoughnut, fsEllipse}));
    EXPECT_TRUE(list[4].shapeMask().isEmpty());
    EXPECT_TRUE(list[4].shapeMask().allows(fsBarrelCD));
    EXPECT_EQ(list.indexOfId(QStringLiteral("cdcover")), 1);
    EXPECT_EQ(list.indexOfId(QStringLiteral("nothing")), -1);
    QStringList names;
    list.getDisplayNames(names);
    EXPECT_EQ(names.size(), 5);

    TPurposeList old;
    old.add(QStringLiteral("MO"), QStringLiteral("MO"), {});
    old.add(QStringLiteral("CD"), QStringLiteral("CD"), {});
    old.add(QStringLiteral("CDCase"), QStringLiteral("Case"), {});
    old.removeObsolete();
    EXPECT_EQ(ids(old), QStringList({"CD"}));

    TPurposeList incoming;
    incoming.add(QStringLiteral("FD"), QStringLiteral("FD"), {});
    incoming.add(QStringLiteral("Sticker"), QStringLiteral("Sticker"), {fsEllipse});
    incoming.add(QStringLiteral("cd"), QStringLiteral("again"), {});
    EXPECT_TRUE(list.mergeFrom(incoming));
    EXPECT_EQ(ids(list), QStringList({"CD", "CDCover", "CDCaseTray", "MOSquare", "", "Sticker"}));
    EXPECT_FALSE(list.mergeFrom(incoming));

    TPurposeList assigned;
    assigned.assign(incoming);
    EXPECT_EQ(ids(assigned), QStringList({"Sticker", "cd"}));
}

TEST_F(PurposeListTest, TravelsThroughAComponentStream) {
    TPurposeList list;
    list.loadDefaults();
    list.add(QStringLiteral("CDCase"), QStringLiteral("旧ケース"), {fsRect});
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    list.saveToStream(buffer);
    buffer.seek(0);
    TPurposeList read;
    read.loadFromStream(buffer);
    EXPECT_EQ(ids(read), QStringList({"CD", "CDCover", "CDCaseTray", "MOSquare", ""}));
    EXPECT_TRUE(read[1].shapeMask() == (TFaceShapes{fsRect, fsRoundRect}));
    EXPECT_TRUE(buffer.data().startsWith("TPF0"));
}

}  // namespace
}  // namespace poremi
