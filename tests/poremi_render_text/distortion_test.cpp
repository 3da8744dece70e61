#include "document/stream/extended_float.h"
#include "render/distortion/cdd_file.h"
#include "render/distortion/coons_distortion.h"
#include "render/distortion/preset_source.h"
#include "render/geometry/stroke.h"
#include "render/text/simple_text.h"
#include "tests/poremi_render_text/pinned_fonts.h"
#include "tests/support/test_environment.h"

#include <QtCore/QtEndian>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

const QString kPresetSource = QStringLiteral(POREMI_SOURCE_DIR "/data/distortion/presets.txt");

void setSide(TCoonsDistortion& d, int side, std::initializer_list<QPointF> points, std::initializer_list<int> flags = {}) {
    d.setSideCount(side, int(points.size()));
    int k = 0;
    for (QPointF p : points) d.setPoint(side, k++, p);
    k = 0;
    for (int f : flags) d.setFlag(side, k++, std::uint8_t(f));
}

TCoonsDistortion straightSquare() {
    TCoonsDistortion d;
    setSide(d, dsTop, {{0, 0}, {1, 0}});
    setSide(d, dsRight, {{1, 0}, {1, 1}});
    setSide(d, dsBottom, {{0, 1}, {1, 1}});
    setSide(d, dsLeft, {{0, 0}, {0, 1}});
    return d;
}

// An arch: the top side bends up through a smoothing point.
TCoonsDistortion arch() {
    TCoonsDistortion d = straightSquare();
    setSide(d, dsTop, {{0, 0.4}, {0.5, -0.4}, {1, 0.4}}, {0, 1, 0});
    d.setPoint(dsRight, 0, {1, 0.4});
    d.setPoint(dsLeft, 0, {0, 0.4});
    return d;
}

TEST(CoonsDistortion, StraightEdgesMapEveryPointOntoItself) {
    TCoonsDistortion d = straightSquare();
    d.setSource({0, 0, 1000, 500});
    d.setDestination({0, 0, 1000, 500});
    for (QPoint p : {QPoint(0, 0), QPoint(1000, 500), QPoint(333, 123), QPoint(999, 1), QPoint(-50, 600)}) {
        const QPoint q = d.transformPoint(p);
        EXPECT_LE(std::abs(q.x() - p.x()), 1) << p.x() << "," << p.y();
        EXPECT_LE(std::abs(q.y() - p.y()), 1) << p.x() << "," << p.y();
    }
    d.setDestination({100, 100, 300, 200});
    EXPECT_EQ(d.transformPoint({500, 250}), QPoint(200, 150));
}

TEST(CoonsDistortion, IdentityAndEmptyRectanglesLeavePointsAlone) {
    TCoonsDistortion identity;
    EXPECT_TRUE(identity.isIdentity());
    identity.setSource({0, 0, 100, 100});
    identity.setDestination({500, 500, 900, 900});
    EXPECT_EQ(identity.transformPoint({10, 20}), QPoint(10, 20));
    TCoonsDistortion d = arch();
    d.setSource({0, 0, 0, 100});
    d.setDestination({0, 0, 100, 100});
    EXPECT_EQ(d.transformPoint({10, 20}), QPoint(10, 20));
    d.clear();
    EXPECT_TRUE(d.isIdentity());
}

TEST(CoonsDistortion, SidesEvaluateStraightSmoothedAndBeyondTheirEnds) {
    const TCoonsDistortion d = arch();
    // Quadratic from the midpoint (0.25, 0) via (0.5, −0.4) to (0.75, 0), at its middle.
    const QPointF top = d.evaluate(dsTop, 0.5);
    EXPECT_NEAR(top.x(), 0.5, 1e-12);
    EXPECT_NEAR(top.y(), -0.2, 1e-12);
    // Near the ends the curve runs straight towards the neighbour point.
    const QPointF early = d.evaluate(dsTop, 0.1);
    EXPECT_NEAR(early.x(), 0.1, 1e-12);
    EXPECT_NEAR(early.y(), 0.4 - 0.8 * 0.2, 1e-12);
    // Beyond 0…1 the last segment continues.
    const QPointF beyond = d.evaluate(dsTop, 1.25);
    EXPECT_NEAR(beyond.x(), 1.25, 1e-12);
    EXPECT_NEAR(beyond.y(), 0.4 + 0.8 * 0.5, 1e-12);

    TCoonsDistortion sparse;
    sparse.setSideCount(dsBottom, 1);
    sparse.setPoint(dsBottom, 0, {0.3, 0.3});
    EXPECT_EQ(sparse.evaluate(dsBottom, 0.25), QPointF(0.25, 1));   // one point: the straight edge
    EXPECT_EQ(sparse.evaluate(dsLeft, 0.75), QPointF(0, 0.75));     // none: the straight edge
}

TEST(CoonsDistortion, CornersAreSharedAndIndicesContinueAcrossThem) {
    TCoonsDistortion d = straightSquare();
    setSide(d, dsTop, {{0, 0}, {0.5, 0.1}, {1, 0}});
    setSide(d, dsLeft, {{0, 0}, {0.1, 0.5}, {0, 1}});
    d.setPoint(dsTop, 0, {0.05, 0.05});
    EXPECT_EQ(d.getPoint(dsLeft, 0), QPointF(0.05, 0.05));
    d.setPoint(dsRight, 1, {0.9, 1.1});
    EXPECT_EQ(d.getPoint(dsBottom, 1), QPointF(0.9, 1.1));
    EXPECT_EQ(d.getPoint(dsTop, -1), QPointF(0.1, 0.5));    // the left side's next point down
    EXPECT_EQ(d.getPoint(dsTop, 3), QPointF(0.9, 1.1));      // the right side's next point
    EXPECT_EQ(d.getPoint(dsLeft, -1), QPointF(0.5, 0.1));
    EXPECT_EQ(d.getPoint(dsLeft, 3), QPointF(0.9, 1.1));     // the bottom side's next point
}

TEST(CoonsDistortion, RatioScalesTheDisplacement) {
    const TCoonsDistortion stored = arch();
    TCoonsDistortion d;
    d.assign(stored);
    d.applyRatio(100);
    EXPECT_EQ(d.writeData(), stored.writeData());
    d.applyRatio(50);
    EXPECT_NEAR(d.getPoint(dsTop, 1).y(), -0.2, 1e-12);
    EXPECT_NEAR(d.getPoint(dsTop, 0).y(), 0.2, 1e-12);
    EXPECT_NEAR(d.getPoint(dsLeft, 0).y(), 0.2, 1e-12);   // the corner's partner follows
    d.applyRatio(0);
    d.setSource({0, 0, 1000, 1000});
    d.setDestination({0, 0, 1000, 1000});
    for (QPoint p : {QPoint(500, 0), QPoint(250, 700)}) {
        const QPoint q = d.transformPoint(p);
        EXPECT_LE((q - p).manhattanLength(), 2);
    }
    EXPECT_EQ(d.identifier(), stored.identifier());
}

TEST(CoonsDistortion, DataRoundTripsInItsStoredLayout) {
    const TCoonsDistortion d = arch();
    const QByteArray data = d.writeData();
    ASSERT_EQ(data.size(), 16 + 16 + (3 + 2 + 2 + 2) * 21);
    EXPECT_EQ(data.left(16), d.identifier().toBytes());
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 16), 3);
    ExtendedBytes x;
    std::memcpy(x.data(), data.constData() + 32 + 20, 10);   // the top side's second point
    EXPECT_EQ(fromExtended(x), 0.5);
    EXPECT_EQ(data.at(32 + 9 * 20 + 1), 1);                  // its flag
    TCoonsDistortion read;
    read.readData(data);
    EXPECT_EQ(read.identifier(), d.identifier());
    EXPECT_EQ(read.writeData(), data);

    QByteArray empty = d.identifier().toBytes() + QByteArray(16, '\0');
    read.readData(empty);
    EXPECT_TRUE(read.isIdentity());
}

TEST(CoonsDistortion, BrokenDataIsRefused) {
    const QByteArray good = arch().writeData();
    const auto withCount = [&](qint32 count) {
        QByteArray data = good;
        qToLittleEndian<qint32>(count, data.data() + 16);
        return data;
    };
    QByteArray notANumber = good;
    std::memset(notANumber.data() + 32 + 8, 0xFF, 2);   // exponent all ones
    const QByteArray cases[] = {good.left(20), good.left(good.size() - 1), good + QByteArray(1, '\0'), withCount(-1),
                                withCount(0x7FFFFFFF), withCount(4), notANumber};
    for (const QByteArray& data : cases) {
        TCoonsDistortion d = straightSquare();
        const QByteArray before = d.writeData();
        EXPECT_THROW(d.readData(data), EDistortionData);
        EXPECT_EQ(d.writeData(), before);   // unchanged
    }
}

TEST(DistortionPresets, SourceHoldsTheShippedPresets) {
    const std::vector<TDistortionPreset> presets = readDistortionPresets(kPresetSource);
    ASSERT_GE(presets.size(), 24u);
    for (const TDistortionPreset& p : presets) {
        EXPECT_FALSE(p.name.isEmpty());
        EXPECT_FALSE(p.distortion.isIdentity());
    }
    // Identifiers never change once shipped.
    EXPECT_EQ(presets[0].distortion.identifier().toString(), QStringLiteral("{5F6A60C2-1065-4EC5-81ED-6262EDBBC29D}"));
    EXPECT_EQ(presets[0].name, QStringLiteral("アーチ（上）"));
}

TEST(DistortionPresets, MalformedSourceNamesTheLine) {
    const QString bad[] = {
        QStringLiteral("top 0,0 1,0\n"),
        QStringLiteral("[{5F6A60C2-1065-4EC5-81ED-6262EDBBC29D}] a\ntop 0,0 1,0\nright 1,0 1,1\nbottom 0,1 1,1\n"),
        QStringLiteral("[{5F6A60C2-1065-4EC5-81ED-6262EDBBC29D}] a\ntop 0,0 1,0\nright 1,0.5 1,1\nbottom 0,1 1,1\nleft 0,0 0,1\n"),
        QStringLiteral("[{5F6A60C2-1065-4EC5-81ED-6262EDBBC29D}] a\ntop 0,0 x,0\n"),
    };
    for (const QString& source : bad) EXPECT_THROW(parseDistortionPresets(source), EDistortionData);
}

TEST(CDDFile, WritesReadsAndFindsPresets) {
    std::vector<TCoonsDistortion> presets;
    for (const TDistortionPreset& p : readDistortionPresets(kPresetSource)) presets.push_back(p.distortion);
    const QString file = test::freshFolder(QStringLiteral("cdd")) + QStringLiteral("/presets.cdd");
    TCDDFile::Write(file, presets);

    TCDDFile cdd;
    cdd.Open(file);
    ASSERT_EQ(cdd.Count(), int(presets.size()));
    TCoonsDistortion loaded;
    loaded.setSource({1, 2, 3, 4});
    cdd.LoadPreset(7, loaded);
    EXPECT_EQ(loaded.writeData(), presets[7].writeData());
    EXPECT_EQ(loaded.source(), (TRect{1, 2, 3, 4}));
    TCoonsDistortion scaled;
    scaled.assign(loaded);
    scaled.applyRatio(40);
    EXPECT_EQ(cdd.FindPreset(scaled), 7);
    EXPECT_EQ(cdd.FindPreset(TCoonsDistortion()), -1);
    EXPECT_EQ(cdd.FindPreset(arch()), -1);
    EXPECT_THROW(cdd.LoadPreset(cdd.Count(), loaded), EDistortionData);

    TCDDFile missing;
    missing.Open(file + QStringLiteral(".none"));
    EXPECT_EQ(missing.Count(), 0);
}

// The outline of a text bent by the arch preset: the middle of the text rises above its ends.
TEST(DistortionPresets, BendsTheOutlineOfAText) {
    test::pinFonts();
    const std::vector<TDistortionPreset> presets = readDistortionPresets(kPresetSource);
    TCoonsDistortion arch;
    arch.assign(presets[0].distortion);   // アーチ（上）

    TSimpleText text;
    TPointBasedFont font;
    font.setName(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setSize(24);
    text.setFont(font);
    text.setText({QStringLiteral("変形テキスト Bend")});
    const TRect frame{0, 0, 1200, 200};
    TStroke stroke;
    text.buildOutline(stroke, frame, false);
    const TRect layout = text.textBounds(frame);
    stroke.subdivide();
    const TRect destination{50, 50, 1150, 450};
    arch.setSource(layout);
    arch.setDestination(destination);
    TStroke bent = stroke;
    arch.transformStroke(bent);

    const TRect box = bent.getBoundsRect();
    EXPECT_GE(box.left, destination.left - 2);
    EXPECT_LE(box.right, destination.right + 2);
    EXPECT_GE(box.top, destination.top - 2);
    EXPECT_LE(box.bottom, destination.bottom + 2);
    // The topmost points near the middle lie higher than those near the ends.
    const auto topmost = [&](int from, int to) {
        int top = 1 << 30;
        for (int i = 0; i < bent.count(); ++i)
            if (bent.point(i).x() >= from && bent.point(i).x() < to) top = std::min(top, bent.point(i).y());
        return top;
    };
    const int middle = topmost(550, 650), leftEnd = topmost(50, 200);
    EXPECT_LT(middle + 60, leftEnd);

    QImage image(600, 250, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(0.5, 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 40, 140));
    painter.drawPath(bent.toPath());
    painter.end();
    image.save(test::sampleFolder() + QStringLiteral("/text-distorted.png"));
}

}  // namespace
}  // namespace poremi
