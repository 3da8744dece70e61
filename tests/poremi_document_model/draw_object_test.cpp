#include "document/model/print_target.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_writer.h"
#include "render/raster/change_notifier.h"
#include "render/text/font_library.h"
#include "test_objects.h"
#include "tests/support/test_environment.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPdfWriter>
#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace poremi {
namespace {

using testing::TTestBox;
using testing::TTestFrame;

// Counts the messages an object's broadcaster sends.
struct MessageLog {
    std::vector<Guid> messages;
    TListener listener{[this](MessageSender, const Guid& message) { messages.push_back(message); }};

    explicit MessageLog(TDrawObject& object) { listener.listenTo(object.changeNotify()); }
    int count(const Guid& message) const { return static_cast<int>(std::ranges::count(messages, message)); }
};

QStringList propertyNames(const TClassInfo& info) {
    QStringList names;
    for (const PropertyInfo* p : info.properties()) names << p->name;
    return names;
}

// A stream of one object of the class with the given properties, written by hand.
QByteArray streamOf(const char* className, const std::function<void(ValueWriter&)>& properties) {
    ValueWriter out;
    out.bytes().writeBytes("TPF0");
    out.writeShortString(className);
    out.writeShortString("");
    properties(out);
    out.writeListEnd();
    out.writeListEnd();
    return out.data();
}

class DrawObjectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::registerTestObjects(); }
};

TEST_F(DrawObjectTest, PublishedSchemaInDeclarationOrder) {
    const QStringList drawObject{"Tag",        "Left",     "Top",     "Width",    "Height",
                                 "Border",     "PopupMenu", "Movable", "Selectable", "LayerGroup",
                                 "OnModify",   "Appendix"};
    EXPECT_EQ(propertyNames(TDrawObject::staticClassInfo()), drawObject);
    // The logical rectangle takes the places of the pixel bounds.
    EXPECT_EQ(propertyNames(TLORectBase::staticClassInfo()),
              (drawObject + QStringList{"DontPrint", "BlendRatio", "BlendShade"}));
    EXPECT_FALSE(TDrawObject::staticClassInfo().findProperty(u"Left")->isStored(TTestBox()));
    EXPECT_TRUE(TLORectBase::staticClassInfo().findProperty(u"Left")->isStored(TTestBox()));
}

TEST_F(DrawObjectTest, StreamRoundTripKeepsEveryPublishedValue) {
    TTestBox box;
    box.setRect({10, 20, 110, 70});
    box.setBorder(true);
    box.setMovable(false);
    box.setSelectable(false);
    box.setLayerGroup(-50);
    box.setAppendix({"one", "二"});
    box.setDontPrint(true);
    box.setBlendRatio(40);
    box.setBlendShade(true);
    box.setColor(0x00FF00);
    box.setControlBounds(QRect(1, 2, 3, 4));

    const QByteArray bytes = componentStreamBytes(box);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TComponent> read = ReadComponent(buffer);
    auto* copy = dynamic_cast<TTestBox*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->rect(), (TRect{10, 20, 110, 70}));
    EXPECT_TRUE(copy->border());
    EXPECT_FALSE(copy->movable());
    EXPECT_FALSE(copy->selectable());
    EXPECT_EQ(copy->layerGroup(), -50);
    EXPECT_EQ(copy->appendix().lines(), (QStringList{"one", "二"}));
    EXPECT_TRUE(copy->dontPrint());
    EXPECT_EQ(copy->blendRatio(), 40);
    EXPECT_TRUE(copy->blendShade());
    EXPECT_EQ(copy->color(), 0x00FF00);
    EXPECT_EQ(componentStreamBytes(*copy), bytes);
}

TEST_F(DrawObjectTest, PixelBoundsAreNeverWrittenAndDefaultsAreLeftOut) {
    TTestBox box;
    box.setControlBounds(QRect(7, 8, 9, 10));
    const QByteArray bytes = componentStreamBytes(box);
    // Always written: Border, LayerGroup, DontPrint and the rectangle; not Movable, Selectable,
    // BlendRatio, BlendShade at their defaults.
    for (const char* name : {"Border", "LayerGroup", "DontPrint", "Left", "Width"})
        EXPECT_TRUE(bytes.contains(name)) << name;
    for (const char* name : {"Movable", "Selectable", "BlendRatio", "BlendShade", "Color"})
        EXPECT_FALSE(bytes.contains(name)) << name;

    // Left is the logical Left, 0, not the pixel Left 7.
    TTestBox reread;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadComponent(buffer, reread);
    EXPECT_EQ(reread.rect(), TRect{});
}

TEST_F(DrawObjectTest, MenuAndHandlerNamesAreReadAndIgnored) {
    const QByteArray bytes = streamOf("TTestBox", [](ValueWriter& out) {
        out.writeShortString("PopupMenu");
        out.writeIdent("PopupMenu1");
        out.writeShortString("OnModify");
        out.writeIdent("ObjectModify");
        out.writeShortString("BlendRatio");
        out.writeInteger(250);
    });
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TComponent> read = ReadComponent(buffer);
    auto* box = dynamic_cast<TTestBox*>(read.get());
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->OnModify);
    EXPECT_EQ(box->blendRatio(), 100) << "an opacity beyond 100 % is taken as 100 %";
}

TEST_F(DrawObjectTest, AssignSendsExactlyOneChangeAndCopiesTheControlState) {
    TTestBox source;
    source.setRect({1, 2, 30, 40});
    source.setBorder(true);
    source.setAppendix({"note"});
    source.setBlendRatio(60);
    source.setColor(0x123456);
    source.setTag(7);
    source.setHint("hint");
    source.setEnabled(false);
    source.setCursor(Qt::PointingHandCursor);
    source.setSelected(true);

    TTestBox target;
    MessageLog log(target);
    int modifications = 0;
    target.OnModify = [&](TDrawObject&) { ++modifications; };
    target.assign(source);

    EXPECT_EQ(log.count(msgChanged), 1);
    EXPECT_EQ(modifications, 1);
    EXPECT_EQ(target.rect(), (TRect{1, 2, 30, 40}));
    EXPECT_TRUE(target.border());
    EXPECT_EQ(target.appendix().lines(), QStringList{"note"});
    EXPECT_EQ(target.blendRatio(), 60);
    EXPECT_EQ(target.color(), 0x123456);
    EXPECT_EQ(target.tag(), 7);
    EXPECT_EQ(target.hint(), "hint");
    EXPECT_FALSE(target.isEnabled());
    EXPECT_EQ(target.cursor(), Qt::PointingHandCursor);
    EXPECT_TRUE(target.isSelected());
}

TEST_F(DrawObjectTest, AssigningAnEqualObjectSendsNothing) {
    TTestBox box;
    box.setRect({1, 2, 3, 4});
    box.setAppendix({"a"});
    box.setBlendRatio(30);
    const std::unique_ptr<TDrawObject> same = TDrawObject::clone(box);
    MessageLog log(box);
    box.assign(*same);
    EXPECT_EQ(log.count(msgChanged), 0);

    TTestBox other;
    other.assign(box);
    MessageLog otherLog(other);
    other.setLayerGroup(5);  // a field without notification of its own
    other.assign(box);
    EXPECT_EQ(otherLog.count(msgChanged), 1);
}

TEST_F(DrawObjectTest, AssignFromAnotherClassFailsWithoutMessage) {
    TTestFrame frame;
    TTestBox box;
    MessageLog log(box);
    EXPECT_THROW(box.assign(frame), EInvalidCast);
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(DrawObjectTest, CloneIsOfTheSourceClassAndStandsAlone) {
    DrawSite site;
    auto* box = new TTestBox(&site);
    box->setRect({5, 5, 25, 15});
    box->setColor(0xABCDEF);
    site.addDrawObject(*box);

    const std::unique_ptr<TDrawObject> copy = TDrawObject::clone(*box);
    auto* clone = dynamic_cast<TTestBox*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->rect(), box->rect());
    EXPECT_EQ(clone->color(), 0xABCDEF);
    EXPECT_EQ(clone->site(), nullptr);
    EXPECT_EQ(clone->owner(), nullptr);
}

TEST_F(DrawObjectTest, NestedUpdatesOfAnObjectSendOneChange) {
    TTestBox box;
    MessageLog log(box);
    box.changeNotify().beginUpdate();
    box.setRect({0, 0, 10, 10});
    box.changeNotify().beginUpdate();
    box.setWidth(20);
    box.setBlendRatio(50);
    box.changeNotify().endUpdate();
    box.moveBy(3, 4);
    box.changeNotify().endUpdate();
    EXPECT_EQ(log.count(msgChanged), 1);
    EXPECT_EQ(box.rect(), (TRect{3, 4, 23, 14}));
}

TEST_F(DrawObjectTest, UnchangedValuesAreNoChange) {
    TTestBox box;
    box.setRect({0, 0, 10, 10});
    MessageLog log(box);
    box.setRect({10, 10, 0, 0});  // the same rectangle once normalised
    box.setLeft(0);
    box.setBlendRatio(100);
    box.setBlendShade(false);
    box.setDontPrint(false);
    box.setAppendix({});
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(DrawObjectTest, RectangleEdits) {
    struct Case {
        const char* what;
        std::function<void(TLORectBase&)> edit;
        TRect expected;
    };
    const Case cases[] = {
        {"Left keeps the size", [](TLORectBase& o) { o.setLeft(100); }, {100, 20, 140, 80}},
        {"Top keeps the size", [](TLORectBase& o) { o.setTop(-5); }, {10, -5, 50, 55}},
        {"Width keeps Left", [](TLORectBase& o) { o.setWidth(5); }, {10, 20, 15, 80}},
        {"negative Width flips at the old Left", [](TLORectBase& o) { o.setWidth(-20); }, {-10, 20, 10, 80}},
        {"negative Height flips at the old Top", [](TLORectBase& o) { o.setHeight(-30); }, {10, -10, 50, 20}},
        {"MoveBy", [](TLORectBase& o) { o.moveBy(-10, 5); }, {0, 25, 40, 85}},
        {"huge Left keeps the size within 32 bits", [](TLORectBase& o) { o.setLeft(INT_MAX); }, {INT_MAX - 40, 20, INT_MAX, 80}},
        {"huge Width stays in 32 bits", [](TLORectBase& o) { o.setWidth(INT_MAX); }, {10, 20, INT_MAX, 80}},
        {"huge moves keep the size within 32 bits",
         [](TLORectBase& o) {
             o.moveBy(INT_MIN, 0);
             o.moveBy(INT_MIN, 0);
         },
         {INT_MIN, 20, INT_MIN + 40, 80}},
    };
    for (const Case& c : cases) {
        TTestFrame frame;
        frame.setRect({10, 20, 50, 80});
        c.edit(frame);
        EXPECT_EQ(frame.rect(), c.expected) << c.what;
    }
    TTestFrame wide;
    wide.setRect({INT_MIN, 0, INT_MAX, 1});
    EXPECT_EQ(wide.width(), INT_MAX) << "a width beyond 32 bits is reported as the largest";
}

TEST_F(DrawObjectTest, HitTestLeavesOutRightAndBottomEdges) {
    TTestFrame frame;
    frame.setRect({10, 10, 20, 20});
    EXPECT_TRUE(frame.hitTest({10, 10}));
    EXPECT_TRUE(frame.hitTest({19, 19}));
    EXPECT_FALSE(frame.hitTest({20, 15}));
    EXPECT_FALSE(frame.hitTest({15, 20}));
    EXPECT_FALSE(frame.hitTest({9, 15}));
}

TEST_F(DrawObjectTest, SelectionFollowsSelectable) {
    TTestBox box;
    MessageLog log(box);
    box.setSelected(true);
    EXPECT_TRUE(box.isSelected());
    box.setSelectable(false);
    EXPECT_FALSE(box.isSelected()) << "making an object not selectable deselects it";
    box.setSelected(true);
    EXPECT_FALSE(box.isSelected());
    EXPECT_EQ(log.count(msgSelectionChanged), 3);
}

TEST_F(DrawObjectTest, MovableAndDontPrintChangesAreAnnouncedAfterTheChange) {
    TTestBox box;
    MessageLog log(box);
    box.setMovable(false);
    box.setDontPrint(true);
    box.setMovable(false);  // unchanged: nothing
    EXPECT_EQ(log.messages, (std::vector<Guid>{msgChanged, msgMovableChanged, msgChanged, msgDontPrintChanged}));
}

TEST_F(DrawObjectTest, NeedsBlendingOnlyWithTheCapabilityAndAnEffect) {
    struct Case {
        int ratio;
        bool shade;
        bool blends;
    };
    for (const Case c : {Case{100, false, false}, Case{50, false, true}, Case{100, true, true}, Case{0, false, true}}) {
        TTestBox box;
        box.setBlendRatio(c.ratio);
        box.setBlendShade(c.shade);
        EXPECT_EQ(box.needsBlending(), c.blends) << c.ratio << " " << c.shade;
    }
    TTestFrame frame;  // without the blending capability
    frame.setBlendRatio(50);
    EXPECT_FALSE(frame.needsBlending());
    const std::unique_ptr<TDrawObject> blending = std::make_unique<TTestBox>();
    EXPECT_NE(dynamic_cast<IDOBlend*>(blending.get()), nullptr);
}

TEST_F(DrawObjectTest, CapabilitiesAreFoundFromTheBase) {
    std::unique_ptr<TDrawObject> object = std::make_unique<TTestFrame>();
    EXPECT_NE(dynamic_cast<IDOMovable*>(object.get()), nullptr);
    EXPECT_NE(dynamic_cast<IDOLineRect*>(object.get()), nullptr);
    EXPECT_NE(dynamic_cast<IDORect*>(object.get()), nullptr);
    EXPECT_NE(dynamic_cast<IDOOutline*>(object.get()), nullptr);
    EXPECT_EQ(dynamic_cast<IDOBlend*>(object.get()), nullptr);
    EXPECT_EQ(IID_IDOBlend.toString(), "{D90DA153-766D-432A-B181-4694F94ABED2}");
}

TEST_F(DrawObjectTest, SubObjectChangesReachNotify) {
    TTestBox box;
    ChangeNotifier fill;
    box.listener().listenTo(fill);
    fill.changed();
    ASSERT_EQ(box.received.size(), 1u);
    EXPECT_EQ(box.received[0].first, &fill);
    EXPECT_EQ(box.received[0].second, msgChanged);
}

TEST_F(DrawObjectTest, ChangesMarkTheSiteModifiedThenFireOnModify) {
    DrawSite site;
    auto* box = new TTestBox(&site);
    site.addDrawObject(*box);
    site.setModified(false);
    bool siteWasModified = false;
    box->OnModify = [&](TDrawObject&) { siteWasModified = site.isModified(); };
    box->setAppendix({"edited"});
    EXPECT_TRUE(site.isModified());
    EXPECT_TRUE(siteWasModified);
}

// Paints a red box over white into an image, a PDF page or while composing for print.
QRgb paintedPixel(TTestBox& box, bool forPrint) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::optional<PrintRendering> print;
    if (forPrint) print.emplace();
    box.paintTo(painter);
    painter.end();
    return image.pixel(15, 15);
}

TEST_F(DrawObjectTest, ObjectsLeftOutOfPrintArePaintedOnlyOffPrint) {
    TTestBox box;
    box.setRect({10, 10, 30, 30});
    EXPECT_EQ(paintedPixel(box, false), qRgb(255, 0, 0));
    EXPECT_EQ(paintedPixel(box, true), qRgb(255, 0, 0));
    box.setDontPrint(true);
    EXPECT_EQ(paintedPixel(box, false), qRgb(255, 0, 0));
    EXPECT_EQ(paintedPixel(box, true), qRgb(255, 255, 255));

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    QPainter painter(&writer);
    EXPECT_TRUE(isPrintTarget(painter));
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter onImage(&image);
    EXPECT_FALSE(isPrintTarget(onImage));
}

TEST_F(DrawObjectTest, PaintToSkipsObjectsOutsideTheClip) {
    TTestBox box;
    box.setRect({10, 10, 20, 20});
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(QRect(25, 25, 10, 10));
    box.paintTo(painter);
    painter.end();
    EXPECT_EQ(image.pixel(15, 15), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace poremi

namespace poremi {
namespace {

void blendedOverWhite(QPaintDevice& device, int ratio) {
    testing::TTestBox box;
    box.setRect({10, 10, 30, 30});
    box.setBlendRatio(ratio);
    QPainter painter(&device);
    painter.fillRect(QRect(0, 0, 40, 40), Qt::white);
    box.paintTo(painter);
}

TEST(BlendedPaint, HalfOpaqueRedOverWhiteIsPink) {
    for (int ratio : {50, 100, 0}) {
        QImage image(40, 40, QImage::Format_RGB32);
        blendedOverWhite(image, ratio);
        const QColor inside = image.pixelColor(20, 20);
        const int expected = 255 - 255 * ratio / 100;
        EXPECT_EQ(inside.red(), 255) << ratio;
        EXPECT_NEAR(inside.green(), expected, 1) << ratio;
        EXPECT_NEAR(inside.blue(), expected, 1) << ratio;
        EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white)) << "outside the object " << ratio;
    }
}

TEST(BlendedPaint, ShadeAloneTakesTheBlendedPathAtFullOpacity) {
    testing::TTestBox box;
    box.setRect({10, 10, 30, 30});
    box.setBlendShade(true);
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(0.5, 0.5);  // the layer follows the painter's mapping
    box.paintTo(painter);
    painter.end();
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(16, 16), QColor(Qt::white));
}

}  // namespace
}  // namespace poremi

#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPageSize>

namespace poremi {
namespace {

TEST(BlendedPaint, PdfPagesKeepTheOpacity) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pdfPath = folder.filePath("blend.pdf");
    {
        QPdfWriter writer(pdfPath);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(40, 40), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        blendedOverWhite(writer, 50);
    }
    // Rasterised by poppler, independently of Qt.
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", "72", "-png", "-singlefile", pdfPath, folder.filePath("page")});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000)) << "pdftoppm (poppler-utils) is needed";
    ASSERT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
    const QImage page(folder.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    const QColor inside = page.pixelColor(20, 20);
    EXPECT_NEAR(inside.red(), 255, 2);
    EXPECT_NEAR(inside.green(), 128, 2);
    EXPECT_NEAR(inside.blue(), 128, 2);
    EXPECT_EQ(page.pixelColor(4, 4), QColor(Qt::white));
}

}  // namespace
}  // namespace poremi

namespace poremi {
namespace {

// A box whose paint fails while told to.
class TFailingBox : public testing::TTestBox {
public:
    bool failing = true;

protected:
    void paint(QPainter& painter) override {
        if (failing) throw Exception("broken picture");
        TTestBox::paint(painter);
    }
};

TEST(PaintFailure, AFailedPaintIsReportedOnceAndLeavesTheFailureFrame) {
    // The shipped mapping gives the "System" face Japanese glyphs, as beside the application.
    FontConfiguration fonts;
    fonts.files << QStringLiteral(POREMI_SOURCE_DIR "/data/fonts/poremi-fonts.conf");
    FontLibrary::configure(fonts);
    DrawSite site;
    site.scaler().setUnitDpi(254);
    auto* box = new TFailingBox;
    box->setRect({0, 0, 254, 127});  // one inch by half an inch
    site.insertComponent(box);
    site.addDrawObject(*box);
    const QRect control = box->controlBounds();
    ASSERT_FALSE(control.isEmpty());

    QImage image(control.right() + 10, control.bottom() + 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto paint = [&] {
        QPainter painter(&image);
        return box->paintOnSite(painter);
    };
    const std::exception_ptr failure = paint();
    ASSERT_TRUE(failure);
    EXPECT_THROW(std::rethrow_exception(failure), Exception);
    EXPECT_EQ(image.pixel(control.center()), qRgb(255, 255, 255)) << "nothing drawn by the failed paint";

    box->failing = false;  // the frame stays until the object is painted anew by other means
    EXPECT_FALSE(paint()) << "the failure is reported once";
    EXPECT_EQ(image.pixel(control.topLeft()), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(control.bottomRight()), qRgb(255, 0, 0));
    int red = 0, dark = 0;
    for (int y = control.top() + 1; y < control.bottom(); ++y)
        for (int x = control.left() + 1; x < control.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            red += p == qRgb(255, 0, 0);
            dark += qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
        }
    EXPECT_GT(red, control.width() * control.height() / 20) << "cross hatch";
    EXPECT_GT(dark, 20) << "the message text";
    EXPECT_EQ(image.pixel(control.right() + 5, control.center().y()), qRgb(255, 255, 255));
    image.save(QDir(test::outputFolder()).filePath("paint_failure.png"));
}

TEST(PaintFailure, ASuccessfulPaintDrawsTheObjectAndItsBorder) {
    DrawSite site;
    site.scaler().setUnitDpi(254);
    auto* box = new testing::TTestBox;
    box->setRect({0, 0, 254, 254});
    auto* frame = new testing::TTestFrame;  // draws nothing itself
    frame->setRect({300, 0, 554, 254});
    frame->setBorder(true);
    for (TDrawObject* object : std::initializer_list<TDrawObject*>{box, frame}) {
        site.insertComponent(object);
        site.addDrawObject(*object);
    }
    const QRect framed = frame->controlBounds();
    QImage image(framed.right() + 10, framed.bottom() + 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_FALSE(box->paintOnSite(painter));
    EXPECT_FALSE(frame->paintOnSite(painter));
    painter.end();
    EXPECT_EQ(image.pixel(box->controlBounds().center()), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(framed.topLeft()), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(framed.center()), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace poremi
