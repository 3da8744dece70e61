// The background dialog: pictures cut to the face's shape, the blank background, the tab it
// reopens on, and the editor's one undoable step.

#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/back_image_designer.h"
#include "objects/dialogs/back_image_dialog.h"
#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/object_classes.h"
#include "objects/picture_alpha_mask.h"
#include "objects/picture_back_image.h"
#include "tests/poremi_object_dialogs/dialog_test_support.h"

#include <QtCore/QDir>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <gtest/gtest.h>

namespace poremi {
namespace {

constexpr TColor kRed = 0x0000FF;   // palette cell 1
constexpr TColor kBlue = 0xFF0000;  // palette cell 5

using test::chooseCell;

class BackImageDialog : public test::PictureDialogTest {
protected:
    void SetUp() override {
        PictureDialogTest::SetUp();
        background = place<TLOBackImage>({0, 0, 1200, 600});
        setFace({0, 0, 1200, 600});
    }

    void setFace(const TRect& rect) {
        TFaceInfo face;
        face.faceRect = rect;
        background->setFaceInfo(face);
    }

    QString pictureFile(QSize size) {
        QImage pixels(size, QImage::Format_RGB32);
        pixels.fill(Qt::green);
        const QString path = root + QStringLiteral("/picture_%1x%2.png").arg(size.width()).arg(size.height());
        EXPECT_TRUE(pixels.save(path));
        return path;
    }

    TLOBackImage* background = nullptr;
};

TEST_F(BackImageDialog, aChosenPictureIsCutToTheFacesAspectRatioAndCentred) {
    struct Case {
        TRect face;
        QSize picture;
        TRect clip;
    };
    const Case cases[] = {
        {{0, 0, 1200, 1200}, {360, 180}, {90, 0, 270, 180}},   // square face, wide picture
        {{0, 0, 1200, 600}, {180, 180}, {0, 45, 180, 135}},    // wide face, square picture
        {{100, 50, 700, 1250}, {200, 200}, {50, 0, 150, 200}}, // tall face away from the origin
    };
    for (const Case& c : cases) {
        setFace(c.face);
        TfrmBackGround dialog(*background);
        ui.answerFile(pictureFile(c.picture));
        ASSERT_TRUE(dialog.chooseFillPicture());
        EXPECT_EQ(dialog.fillPanel()->sample()->pixmap().toImage().pixel(5, 5), qRgb(0, 255, 0)) << "the picture shows";
        dialog.writeTo(*background);
        const TColorSpec& fill = background->fillColor();
        EXPECT_EQ(fill.kind(), TColorSpecKind::cskBitmap);
        EXPECT_FALSE(fill.tile());
        EXPECT_EQ(fill.imageData().picture().width(), c.picture.width());
        EXPECT_EQ(fill.imageData().clipFilter().clipRect(), c.clip) << c.face;
    }
}

TEST_F(BackImageDialog, aPaletteColourAfterAPictureStoresASolidFillWithoutThePicture) {
    TfrmBackGround dialog(*background);
    ui.answerFile(pictureFile({40, 40}));
    ASSERT_TRUE(dialog.chooseFillPicture());
    chooseCell(dialog.fillPanel()->grid(), 1);
    EXPECT_TRUE(dialog.fillPanel()->sample()->pixmap().isNull());
    EXPECT_EQ(dialog.fillPanel()->sample()->text(), QStringLiteral("選択中の色"));
    dialog.writeTo(*background);
    EXPECT_EQ(background->fillColor().kind(), TColorSpecKind::cskSolid);
    EXPECT_EQ(background->fillColor().color(), kRed);
    EXPECT_FALSE(background->fillColor().imageData().picture().hasGraphic());
}

TEST_F(BackImageDialog, aPictureShownWholeIsCutToTheFaceOnOpening) {
    background->fillColor().setKind(TColorSpecKind::cskBitmap);
    background->fillColor().imageData().picture().loadFromFile(pictureFile({300, 300}));
    TfrmBackGround dialog(*background);
    dialog.writeTo(*background);
    EXPECT_EQ(background->fillColor().imageData().clipFilter().clipRect(), (TRect{0, 75, 300, 225}));
}

TEST_F(BackImageDialog, noBackgroundEndsWithOkAndLeavesABlankBackground) {
    background->setFrameWidth(40);
    background->frameColor().setKind(TColorSpecKind::cskBitmap);
    background->frameColor().imageData().picture().loadFromFile(pictureFile({20, 20}));
    background->fillColor().setColor(kRed);
    ASSERT_FALSE(background->isDefaultBackground());
    TDOBackImageEditor editor([](TfrmBackGround& dialog) {
        dialog.show();
        QTest::mouseClick(dialog.clearButton(), Qt::LeftButton);
        return dialog.result();
    });
    bool cancelled = true;
    ASSERT_TRUE(editor.edit(*background, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(background->isDefaultBackground());
    EXPECT_FALSE(background->frameColor().imageData().picture().hasGraphic());
    EXPECT_EQ(TActionList::instance().count(), 1);
}

TEST_F(BackImageDialog, okWritesFillFrameAndWidthAsOneUndoableStep) {
    const TColor fillBefore = background->fillColor().color();
    ASSERT_NE(fillBefore, kRed);
    TDOBackImageEditor editor([](TfrmBackGround& dialog) {
        chooseCell(dialog.fillPanel()->grid(), 1);
        chooseCell(dialog.framePanel()->grid(), 5);
        dialog.frameWidthBox()->setValue(35);
        return int(QDialog::Accepted);
    });
    bool cancelled = true;
    ASSERT_TRUE(editor.edit(*background, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(background->fillColor().color(), kRed);
    EXPECT_EQ(background->frameColor().color(), kBlue);
    EXPECT_EQ(background->frameWidth(), 35);

    TActionList& history = TActionList::instance();
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoCaption(), QStringLiteral("設定変更"));
    history.undo();
    EXPECT_EQ(background->fillColor().color(), fillBefore);
    EXPECT_EQ(background->frameWidth(), 0);
}

TEST_F(BackImageDialog, cancelChangesNothingAndRecordsNothing) {
    const TColor fillBefore = background->fillColor().color();
    ASSERT_NE(fillBefore, kRed);
    TDOBackImageEditor editor([](TfrmBackGround& dialog) {
        chooseCell(dialog.fillPanel()->grid(), 1);
        return int(QDialog::Rejected);
    });
    bool cancelled = false;
    ASSERT_TRUE(editor.edit(*background, cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(background->fillColor().color(), fillBefore);
    EXPECT_EQ(TActionList::instance().count(), 0);
    TLOAlphaMask other;
    EXPECT_FALSE(editor.edit(other, cancelled)) << "other objects are left to other designers";
}

TEST_F(BackImageDialog, reopensOnTheTabItWasClosedOnAndShowsEveryTab) {
    {
        TfrmBackGround dialog(*background);
        ASSERT_EQ(dialog.tabs()->count(), 2);
        EXPECT_EQ(dialog.tabs()->tabText(0), QStringLiteral("塗り色"));
        EXPECT_EQ(dialog.tabs()->tabText(1), QStringLiteral("枠線"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("背景柄の設定"));
        dialog.tabs()->setCurrentIndex(1);
        dialog.reject();
    }
    TfrmBackGround dialog(*background);
    EXPECT_EQ(dialog.tabs()->currentIndex(), 1);
    dialog.show();
    QDir().mkpath(test::outputFolder());
    for (int page = 0; page < dialog.tabs()->count(); ++page) {
        dialog.tabs()->setCurrentIndex(page);
        EXPECT_TRUE(dialog.grab().save(test::outputFolder() + QStringLiteral("/back_image_dialog_%1_%2.png")
                                                               .arg(page)
                                                               .arg(QGuiApplication::platformName())));
    }
    dialog.tabs()->setCurrentIndex(0);
    dialog.reject();
}

}  // namespace
}  // namespace poremi
