#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "paper/paper_classes.h"
#include "paper/paper_info.h"
#include "tests/poremi_paper/output_folder.h"
#include "tests/poremi_paper/stream_builder.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class PaperTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerPaperClasses();
        installPurposeValidator(&validator_);
    }
    void TearDown() override { installPurposeValidator(nullptr); }

    static std::unique_ptr<TPaperInfo> readBack(const QByteArray& bytes) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        return ReadComponentResAs<TPaperInfo>(buffer);
    }
    static std::unique_ptr<TPaperInfo> readBare(const QByteArray& bytes) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        std::unique_ptr<TComponent> root = ReadComponent(buffer);
        return std::unique_ptr<TPaperInfo>(dynamic_cast<TPaperInfo*>(root.release()));
    }
    // The property lines of the stream's text form.
    static QString dumpOf(const TComponent& c) { return dumpComponentStream(componentStreamBytes(c)); }

    static TMatrixPaperInfo& matrix(TMatrixPaperInfo& p, int countX, int countY) {
        p.setPhysicalSize(2100, 2970);
        p.setLeftOffset(100);
        p.setTopOffset(200);
        p.setFaceWidth(800);
        p.setFaceHeight(500);
        p.setRightMargin(50);
        p.setBottomMargin(20);
        p.setFaceCountX(countX);
        p.setFaceCountY(countY);
        return p;
    }

    TCDLabelPurposeValidator validator_;
};

TFaceItem& addFace(TFreePaperInfo& paper, const TRect& r, int margin = 0) {
    TFaceItem& item = paper.faces().add();
    item.setFaceRect(r);
    item.setFaceMargin(margin);
    return item;
}

TEST_F(PaperTest, LandscapeTurnsSizesAndFaces) {
    TFreePaperInfo paper;
    paper.setPhysicalSize(2100, 2970);
    addFace(paper, {100, 200, 1300, 1400});
    paper.setLandscape(true);
    EXPECT_EQ(paper.width(), 2970);
    EXPECT_EQ(paper.height(), 2100);
    EXPECT_EQ(paper.getFaceOuterRect(0), (TRect{200, 800, 1400, 2000}));
    EXPECT_EQ(paper.getFaceRect(0), (TRect{100, 200, 1300, 1400}));  // always portrait
    paper.faces()[0].setFaceMargin(10);
    EXPECT_EQ(paper.getFaceOuterRect(0), (TRect{190, 790, 1410, 2010}));

    paper.setWidth(3000);
    EXPECT_EQ(paper.physicalHeight(), 3000);
    EXPECT_EQ(paper.physicalWidth(), 2100);

    paper.faces()[0].setCutCenterWidth(300);
    paper.faces()[0].setCutCenterHeight(200);
    const TFaceInfo info = paper.getFaceInfo(0);
    EXPECT_EQ(info.faceRect, (TRect{200, 800, 1400, 2000}));
    EXPECT_EQ(info.cutCenterWidth, 200);
    EXPECT_EQ(info.cutCenterHeight, 300);
    EXPECT_EQ(info.faceMargin, 10);
}

TEST_F(PaperTest, MatrixFacesRunRowByRow) {
    TMatrixPaperInfo paper;
    matrix(paper, 2, 5);
    ASSERT_EQ(paper.getFaceCount(), 10);
    const struct { int i; TRect r; } cases[] = {
        {0, {100, 200, 900, 700}},   {1, {950, 200, 1750, 700}},   {2, {100, 720, 900, 1220}},
        {3, {950, 720, 1750, 1220}}, {9, {950, 2280, 1750, 2780}},
    };
    for (const auto& c : cases) EXPECT_EQ(paper.getFaceRect(c.i), c.r) << c.i;

    paper.setFaceShape(fsRectCD);
    paper.setFacePurpose(QStringLiteral("CDCase"));
    paper.setCutCenterWidth(300);
    const TFaceInfo info = paper.getFaceInfo(3);
    EXPECT_EQ(info.faceShape, fsRectCD);
    EXPECT_EQ(info.facePurpose, QStringLiteral("CDCaseTray"));
    EXPECT_EQ(info.cutCenterWidth, 300);
    EXPECT_EQ(info.cutCenterHeight, 410);
    EXPECT_EQ(info.roundSize, 100);
}

TEST_F(PaperTest, FaceCountsAreBounded) {
    TMatrixPaperInfo paper;
    const struct { int x, y, count; } cases[] = {
        {0, 5, 0}, {-3, 4, 0}, {-3, -4, 0}, {3, 0, 0}, {40, 25, 1000}, {1000000, 1000000, 1000},
        {2147483647, 2147483647, 1000},
    };
    for (const auto& c : cases) {
        matrix(paper, c.x, c.y);
        EXPECT_EQ(paper.getFaceCount(), c.count) << c.x << " x " << c.y;
    }
    // Extreme offsets saturate instead of overflowing.
    paper.setFaceWidth(2147483647);
    paper.setRightMargin(2147483647);
    EXPECT_EQ(paper.getFaceRect(999).right, 2147483647);

    // A stream claiming 2 × 10⁹ faces serves the cap and checks quickly (boxes first).
    const QByteArray hostile = test::handWrittenStream("TMatrixPaperInfo", [](ValueWriter& w) {
        test::property(w, "Width", 2100);
        test::property(w, "Height", 2970);
        test::property(w, "FaceWidth", 10);
        test::property(w, "FaceHeight", 10);
        test::property(w, "FaceCountX", 40);
        test::property(w, "FaceCountY", 50000000);
    });
    const std::unique_ptr<TPaperInfo> read = readBare(hostile);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->getFaceCount(), 1000);
    EXPECT_EQ(read->findOverlappingFace(), -1);
    EXPECT_EQ(read->findFaceOutsidePaper(), -1);

    TFreePaperInfo free;
    for (int i = 0; i < 1200; ++i) addFace(free, {i, 0, i + 1, 1});
    EXPECT_EQ(free.getFaceCount(), 1000);
}

TEST_F(PaperTest, StickOutAndOverlapChecks) {
    TFreePaperInfo paper;
    paper.setPhysicalSize(1000, 2000);
    EXPECT_EQ(paper.findFaceOutsidePaper(), -1);
    EXPECT_EQ(paper.findOverlappingFace(), -1);

    addFace(paper, {0, 0, 1000, 500});          // touching three edges is inside
    addFace(paper, {10, 510, 990, 1990}, 10);   // its bleed touches face 0 and the bottom edge
    EXPECT_EQ(paper.findFaceOutsidePaper(), -1);
    EXPECT_EQ(paper.findOverlappingFace(), -1);
    paper.faces()[1].setFaceMargin(11);
    EXPECT_EQ(paper.findFaceOutsidePaper(), 1);
    EXPECT_EQ(paper.findOverlappingFace(), 1);  // the bleed reaches into face 0

    // In landscape the turned faces are checked against the turned sheet.
    TFreePaperInfo turned;
    turned.setPhysicalSize(1000, 2000);
    addFace(turned, {0, 0, 1000, 1000});
    turned.setLandscape(true);
    EXPECT_EQ(turned.findFaceOutsidePaper(), -1);
    turned.faces()[0].setTop(1001);
    EXPECT_EQ(turned.findFaceOutsidePaper(), 0);

    // Round labels in a tight matrix: boxes touch, outlines do not.
    TMatrixPaperInfo cds;
    cds.setPhysicalSize(2100, 2970);
    cds.setFaceWidth(1000);
    cds.setFaceHeight(1000);
    cds.setFaceCountX(2);
    cds.setFaceCountY(2);
    cds.setFaceShape(fsDoughnut);
    EXPECT_EQ(cds.findOverlappingFace(), -1);
    cds.setRightMargin(-10);
    EXPECT_EQ(cds.findOverlappingFace(), 1);
}

TEST_F(PaperTest, HoleSizeIsWrittenByItsRules) {
    const struct { int w, h; const char* present; const char* absent1; const char* absent2; } cases[] = {
        {410, 410, nullptr, "CutCenter", "CutCenterWidth"},
        {220, 220, "CutCenter = 220", "CutCenterWidth", "CutCenterHeight"},
        {410, 300, "CutCenterHeight = 300", "CutCenterWidth", "CutCenter ="},
        {300, 410, "CutCenterWidth = 300", "CutCenterHeight", "CutCenter ="},
    };
    for (const auto& c : cases) {
        TMatrixPaperInfo paper;
        paper.setCutCenterWidth(c.w);
        paper.setCutCenterHeight(c.h);
        TFreePaperInfo free;
        TFaceItem& item = addFace(free, {0, 0, 100, 100});
        item.setCutCenterWidth(c.w);
        item.setCutCenterHeight(c.h);
        for (const QString& text : {dumpOf(paper), dumpOf(free)}) {
            if (c.present) {
                EXPECT_TRUE(text.contains(QLatin1String(c.present))) << text.toStdString();
            }
            EXPECT_FALSE(text.contains(QLatin1String(c.absent1))) << text.toStdString();
            EXPECT_FALSE(text.contains(QLatin1String(c.absent2))) << text.toStdString();
            EXPECT_FALSE(text.contains(QLatin1String("FaceType"))) << text.toStdString();
        }
        const std::unique_ptr<TPaperInfo> back = readBack(componentResourceBytes(QStringLiteral("PaperInfo"), paper));
        EXPECT_EQ(back->getCutCenterSize(0), QSize(c.w, c.h));
    }
}

TEST_F(PaperTest, ReadsLegacyStreams) {
    // FaceType without FaceShape; CutCenter 0 stands for 410.
    const std::unique_ptr<TPaperInfo> old = readBare(test::handWrittenStream("TMatrixPaperInfo", [](ValueWriter& w) {
        test::property(w, "FaceCountX", 1);
        test::property(w, "FaceCountY", 1);
        test::property(w, "FaceType", 1);
        test::property(w, "CutCenter", 0);
    }));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->getFaceShape(0), fsDoughnut);
    EXPECT_EQ(old->getFacePurpose(0), QStringLiteral("CD"));
    EXPECT_EQ(old->getCutCenterSize(0), QSize(410, 410));

    const std::unique_ptr<TPaperInfo> small = readBare(test::handWrittenStream("TMatrixPaperInfo", [](ValueWriter& w) {
        test::property(w, "CutCenter", 150);
        w.writeShortString("FacePurpose");
        w.writeString(QStringLiteral("MO"));
    }));
    EXPECT_EQ(small->getCutCenterSize(0), QSize(150, 150));
    EXPECT_EQ(small->getFacePurpose(0), QStringLiteral("MOSquare"));

    // The same rules inside a free paper's face items.
    const std::unique_ptr<TPaperInfo> free = readBare(test::handWrittenStream("TFreePaperInfo", [](ValueWriter& w) {
        w.writeShortString("Faces");
        w.writeValue(ValueType::Collection);
        w.writeListBegin();
        test::property(w, "Width", 500);
        test::property(w, "FaceType", 3);
        test::property(w, "CutCenter", 0);
        w.writeListEnd();
        w.writeListBegin();
        test::property(w, "FaceType", 7);
        w.writeShortString("FacePurpose");
        w.writeString(QStringLiteral("CDCase"));
        w.writeListEnd();
        w.writeListEnd();
    }));
    ASSERT_EQ(free->getFaceCount(), 2);
    EXPECT_EQ(free->getFaceShape(0), fsRect);
    EXPECT_EQ(free->getFacePurpose(0), QStringLiteral("CDCaseTray"));
    EXPECT_EQ(free->getFaceRect(0), (TRect{0, 0, 500, 0}));
    EXPECT_EQ(free->getFaceShape(1), fsRoundRect);
    EXPECT_EQ(free->getFacePurpose(1), QStringLiteral("CDCaseTray"));  // "CDCase" mapped
}

TEST_F(PaperTest, PapersRoundTripThroughComponentStreams) {
    TMatrixPaperInfo m;
    matrix(m, 3, 4);
    m.setPaperName(QStringLiteral("CDラベル A4 2面"));
    m.setGroupName(QStringLiteral("CD/DVD"));
    m.setReadOnly(true);
    m.setLandscape(true);
    m.setFaceShape(fsBarrelCD);
    m.setCenterShape(csBarrel);
    m.setFacePurpose(QStringLiteral("CD"));
    m.setFaceMargin(15);
    m.setRoundSize(80);
    m.setCutCenterWidth(220);
    m.setCutCenterHeight(220);
    m.purposeList().loadDefaults();
    m.setStorePurposeList(true);

    TFreePaperInfo f;
    f.setPhysicalSize(1000, 1500);
    f.setPaperName(QStringLiteral("自由配置"));
    TFaceItem& a = addFace(f, {10, 20, 300, 400}, 5);
    a.setFaceShape(fsRectCD);
    a.setRoundSize(40);
    a.setCutCenterWidth(100);
    a.setCutCenterHeight(150);
    TFaceItem& b = addFace(f, {400, 20, 900, 520});
    b.setFaceShape(fsEllipse);
    b.setFacePurpose(QStringLiteral("Sticker"));

    for (const TPaperInfo* paper : std::initializer_list<const TPaperInfo*>{&m, &f}) {
        const QByteArray bytes = componentResourceBytes(QStringLiteral("PaperInfo"), *paper);
        const std::unique_ptr<TPaperInfo> back = readBack(bytes);
        ASSERT_EQ(back->className(), paper->className());
        back->setStorePurposeList(paper->storePurposeList());  // a setting, not part of the stream
        EXPECT_EQ(componentResourceBytes(QStringLiteral("PaperInfo"), *back), bytes);
        EXPECT_EQ(back->physicalWidth(), paper->physicalWidth());
        EXPECT_EQ(back->physicalHeight(), paper->physicalHeight());
        ASSERT_EQ(back->getFaceCount(), paper->getFaceCount());
        for (int i = 0; i < paper->getFaceCount(); ++i) EXPECT_EQ(back->getFaceInfo(i), paper->getFaceInfo(i)) << i;
        EXPECT_FALSE(dumpComponentStream(bytes).isEmpty());
        // Kept for "poremi --dump".
        EXPECT_TRUE(test::keepFile(paper->className() + QStringLiteral(".stream"), bytes));
    }
    const std::unique_ptr<TPaperInfo> back = readBack(componentResourceBytes(QStringLiteral("PaperInfo"), m));
    EXPECT_EQ(back->purposeList().count(), 5);
    EXPECT_EQ(back->paperName(), m.paperName());
    EXPECT_TRUE(back->readOnly());
    // A landscape stream carries the sizes as seen turned.
    const QString text = dumpOf(m);
    EXPECT_TRUE(text.contains(QLatin1String("Width = 2970"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("Height = 2100"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("PurposeList")));
    EXPECT_FALSE(dumpOf(f).contains(QLatin1String("PurposeList")));
}

TEST_F(PaperTest, CopiesKeepTheClassAndAllFieldsButStorePurposeList) {
    TMatrixPaperInfo m;
    matrix(m, 2, 3);
    m.setFaceShape(fsRoundRect);
    m.setLandscape(true);
    m.setStorePurposeList(true);
    m.purposeList().loadDefaults();
    const std::unique_ptr<TPaperInfo> copy = m.clone();
    ASSERT_NE(dynamic_cast<TMatrixPaperInfo*>(copy.get()), nullptr);
    EXPECT_FALSE(copy->storePurposeList());
    EXPECT_EQ(copy->purposeList().count(), 5);
    EXPECT_TRUE(copy->landscape());
    ASSERT_EQ(copy->getFaceCount(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(copy->getFaceInfo(i), m.getFaceInfo(i));

    TFreePaperInfo f;
    TFaceItem& item = addFace(f, {1, 2, 3, 4});
    TFaceInfo info = m.getFaceInfo(5);
    TPaperInfo::setFaceItemFromInfo(item, info);
    EXPECT_EQ(f.getFaceInfo(0), info);
    const std::unique_ptr<TPaperInfo> freeCopy = f.clone();
    EXPECT_EQ(freeCopy->getFaceInfo(0), info);

    // Face items: Left and Top move, Width and Height resize.
    item.setFaceRect({10, 20, 110, 220});
    item.setLeft(50);
    item.setTop(0);
    EXPECT_EQ(item.faceRect(), (TRect{50, 0, 150, 200}));
    item.setWidth(30);
    item.setHeight(40);
    EXPECT_EQ(item.faceRect(), (TRect{50, 0, 80, 40}));
}

}  // namespace
}  // namespace poremi
