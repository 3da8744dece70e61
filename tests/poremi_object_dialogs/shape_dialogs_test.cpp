// The rectangle and line dialogs: millimetre boxes, what each kind shows, remembered tabs,
// values written on OK, and the editors' one undoable step.

#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/position_panel.h"
#include "objects/dialogs/shape_designers.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/dialogs/shape_line_property.h"
#include "objects/dialogs/shape_rect_property.h"
#include "objects/object_classes.h"
#include "objects/shape_circle.h"
#include "objects/shape_curve.h"
#include "objects/shape_deco_line.h"
#include "render/raster/raster_classes.h"
#include "tests/poremi_object_dialogs/dialog_test_support.h"
#include "tests/poremi_object_dialogs/shape_modal_answer.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>
#include <gtest/gtest.h>

namespace poremi {
namespace {

constexpr TColor kRed = 0x0000FF;  // palette cell 1

class ShapeDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerRasterClasses();
        registerDocumentModelClasses();
        registerObjectClasses();
    }
    void SetUp() override { TActionList::instance().clear(); }
    void TearDown() override { TActionList::instance().clear(); }
};

using test::chooseCell;

// Types text into the box as a user does and leaves it.
int typed(ShapeLengthBox& box, const QString& text) {
    auto* edit = box.findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    box.interpretText();
    return box.value();
}

TEST_F(ShapeDialogs, lengthBoxesShowMillimetresAndReadTypedText) {
    struct Case {
        int minimum;
        QString text;
        int units;
    };
    const Case cases[] = {
        {0, QStringLiteral("12.34"), 123},
        {0, QStringLiteral("12.35"), 124},  // halves to even
        {20, QStringLiteral("abc"), 20},    // no number: the minimum
        {0, QStringLiteral("5000"), 200},   // clamped to the maximum
        {0, QStringLiteral("0.5"), 5},
    };
    for (const Case& c : cases) {
        ShapeLengthBox box(c.minimum, 200);
        EXPECT_EQ(typed(box, c.text), c.units) << c.text.toStdString();
    }
    EXPECT_EQ(ShapeLengthBox::textOfUnits(125), QStringLiteral("12.5"));
    EXPECT_EQ(ShapeLengthBox::textOfUnits(120), QStringLiteral("12"));
    EXPECT_EQ(ShapeLengthBox::textOfUnits(-5), QStringLiteral("-0.5"));
}

TEST_F(ShapeDialogs, theEllipseDialogHasItsCaptionNoCornerBoxAndItsOwnTab) {
    {
        TfrmRectProperty rectangle(false);
        EXPECT_EQ(rectangle.windowTitle(), QStringLiteral("四角図形の設定"));
        EXPECT_FALSE(rectangle.roundRectBox()->isHidden());
        rectangle.tabs()->setCurrentIndex(2);
        rectangle.accept();
    }
    {
        TfrmRectProperty ellipse(true);
        EXPECT_EQ(ellipse.windowTitle(), QStringLiteral("円図形の設定"));
        EXPECT_TRUE(ellipse.roundRectBox()->isHidden());
        EXPECT_EQ(ellipse.tabs()->currentIndex(), 0);
        ellipse.tabs()->setCurrentIndex(1);
        ellipse.reject();
    }
    EXPECT_EQ(TfrmRectProperty(false).tabs()->currentIndex(), 2);
    EXPECT_EQ(TfrmRectProperty(true).tabs()->currentIndex(), 1);
}

TEST_F(ShapeDialogs, theInsidesPaintIsEditableOnlyWhenFilled) {
    TfrmRectProperty dialog(false);
    TLORect shape;
    dialog.load(shape);
    EXPECT_TRUE(dialog.transparentButton()->isChecked());
    EXPECT_FALSE(dialog.insideFill()->isEnabled());
    dialog.fillButton()->setChecked(true);
    EXPECT_TRUE(dialog.insideFill()->isEnabled());
}

TEST_F(ShapeDialogs, okWritesEveryValueOfTheRectangleDialog) {
    TLORect shape;
    shape.setRect({100, 100, 400, 220});
    TfrmRectProperty dialog(false);
    dialog.load(shape);
    EXPECT_EQ(dialog.position()->widthBox()->value(), 300);
    EXPECT_EQ(dialog.frameWidthBox()->value(), 10);
    typed(*dialog.frameWidthBox(), QStringLiteral("2.5"));
    dialog.roundRectBox()->setChecked(true);
    dialog.fillButton()->setChecked(true);
    chooseCell(dialog.insideFill()->grid(), 1);
    chooseCell(dialog.frameFill()->grid(), 5);
    dialog.position()->angleBox()->setValue(30);
    dialog.position()->dontPrintBox()->setChecked(true);
    dialog.position()->lockBox()->setChecked(true);
    typed(*dialog.position()->leftBox(), QStringLiteral("5"));
    typed(*dialog.position()->heightBox(), QStringLiteral("20.5"));

    int changes = 0;
    TListener listener([&](MessageSender, const Guid& message) { changes += message == msgChanged; });
    listener.listenTo(shape.changeNotify());
    dialog.store(shape);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(shape.frameWidth(), 25);
    EXPECT_TRUE(shape.roundRect());
    EXPECT_TRUE(shape.fillInside());
    EXPECT_EQ(shape.fillColor().color(), kRed);
    EXPECT_EQ(shape.frameColor().color(), 0xFF0000);  // blue
    EXPECT_EQ(shape.angle(), 30);
    EXPECT_TRUE(shape.dontPrint());
    EXPECT_FALSE(shape.movable());
    EXPECT_EQ(shape.rect(), (TRect{50, 100, 350, 305}));
}

TEST_F(ShapeDialogs, okWritesThePointsWidthAndPaintOfALine) {
    TLOCurve curve;
    curve.setPoints({100, 200}, {300, 400});
    curve.setBulge(55);
    TfrmLineProperty dialog(true);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("円弧の設定"));
    dialog.load(curve);
    EXPECT_EQ(dialog.endYBox()->value(), 400);
    typed(*dialog.lineWidthBox(), QStringLiteral("1.5"));
    typed(*dialog.startXBox(), QStringLiteral("1"));
    typed(*dialog.endYBox(), QStringLiteral("30.2"));
    chooseCell(dialog.lineFill()->grid(), 1);
    dialog.dontPrintBox()->setChecked(true);
    dialog.store(curve);
    EXPECT_EQ(curve.lineWidth(), 15);
    EXPECT_EQ(curve.startPoint(), QPoint(10, 200));
    EXPECT_EQ(curve.endPoint(), QPoint(300, 302));
    EXPECT_EQ(curve.lineColor().color(), kRed);
    EXPECT_TRUE(curve.dontPrint());
    EXPECT_TRUE(curve.movable());
    EXPECT_EQ(curve.bulge(), 55);
    EXPECT_EQ(TfrmLineProperty(false).windowTitle(), QStringLiteral("直線の設定"));
}

TEST_F(ShapeDialogs, aPaletteColourReplacesAPictureFillAndDropsThePicture) {
    TColorSpec gradient;
    gradient.setKind(TColorSpecKind::cskGradation);
    ShapeFillPanel panel;
    panel.load(gradient);
    TColorSpec read;
    panel.read(read);
    EXPECT_EQ(read.kind(), TColorSpecKind::cskGradation);  // untouched kinds stay
    chooseCell(panel.grid(), 1);
    panel.read(read);
    EXPECT_EQ(read.kind(), TColorSpecKind::cskSolid);
    EXPECT_EQ(read.color(), kRed);
}

class ShapeEditors : public ShapeDialogs {
protected:
    void SetUp() override {
        ShapeDialogs::SetUp();
        TDODesignerList::instance().registerDesigner(lineEditor_);
        TDODesignerList::instance().registerDesigner(rectEditor_);
    }
    void TearDown() override {
        TDODesignerList::instance().unregisterDesigner(*lineEditor_);
        TDODesignerList::instance().unregisterDesigner(*rectEditor_);
        ShapeDialogs::TearDown();
    }

    std::shared_ptr<TDOLineEditor> lineEditor_ = std::make_shared<TDOLineEditor>();
    std::shared_ptr<TDORectEditor> rectEditor_ = std::make_shared<TDORectEditor>();
};

TEST_F(ShapeEditors, okIsOneUndoableStep) {
    DrawSite site;
    auto* shape = new TLOCircle(&site);
    shape->setRect({0, 0, 200, 100});
    site.addDrawObject(*shape);
    test::whenShown<TfrmRectProperty>([](TfrmRectProperty& dialog) {
        dialog.frameWidthBox()->setValue(40);
        dialog.fillButton()->setChecked(true);
        dialog.accept();
    });
    EXPECT_TRUE(shape->edit());
    EXPECT_EQ(shape->frameWidth(), 40);
    EXPECT_TRUE(shape->fillInside());
    ASSERT_EQ(TActionList::instance().count(), 1);
    EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("設定変更"));
    TActionList::instance().undo();
    EXPECT_EQ(shape->frameWidth(), 10);
    EXPECT_FALSE(shape->fillInside());
}

TEST_F(ShapeEditors, escapeCancelsAndRecordsNothing) {
    DrawSite site;
    auto* line = new TLOLine(&site);
    line->setPoints({0, 0}, {100, 0});
    site.addDrawObject(*line);
    test::whenShown<TfrmLineProperty>([](TfrmLineProperty& dialog) {
        dialog.lineWidthBox()->setValue(100);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(line->edit());
    EXPECT_EQ(line->lineWidth(), 10);
    EXPECT_EQ(TActionList::instance().count(), 0);
}

TEST_F(ShapeEditors, enterIsOkAndAnUnchangedObjectRecordsNothing) {
    DrawSite site;
    auto* line = new TLOLine(&site);
    site.addDrawObject(*line);
    test::whenShown<TfrmLineProperty>([](TfrmLineProperty& dialog) { QTest::keyClick(dialog.endXBox(), Qt::Key_Return); });
    EXPECT_TRUE(line->edit());
    EXPECT_EQ(TActionList::instance().count(), 0);
}

TEST_F(ShapeEditors, decoratedRulesAreLeftToTheirOwnEditor) {
    TLODecoLine rule;
    bool cancelled = false;
    EXPECT_FALSE(lineEditor_->edit(rule, cancelled));
    EXPECT_FALSE(rectEditor_->edit(rule, cancelled));
}

TEST_F(ShapeDialogs, samplesOfTheDialogsForPeopleToLookAt) {
    TLORect shape;
    shape.setRect({100, 100, 400, 220});
    TfrmRectProperty rectangle(false);
    rectangle.load(shape);
    rectangle.tabs()->setCurrentIndex(0);
    rectangle.show();
    TLOLine line;
    TfrmLineProperty lines(false);
    lines.load(line);
    lines.tabs()->setCurrentIndex(1);
    lines.show();
    QApplication::processEvents();
    const QString folder = test::outputFolder();
    const QString platform = QGuiApplication::platformName();
    EXPECT_TRUE(rectangle.grab().save(QDir(folder).filePath(QStringLiteral("shape_rect_dialog_%1.png").arg(platform))));
    EXPECT_TRUE(lines.grab().save(QDir(folder).filePath(QStringLiteral("shape_line_dialog_%1.png").arg(platform))));
    rectangle.tabs()->setCurrentIndex(1);
    rectangle.fillButton()->setChecked(true);
    EXPECT_TRUE(rectangle.grab().save(QDir(folder).filePath(QStringLiteral("shape_rect_dialog_fill_%1.png").arg(platform))));
}

}  // namespace
}  // namespace poremi
